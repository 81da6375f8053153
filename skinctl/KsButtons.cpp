#include "skinctl/KsButtons.h"

#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "framework/SystemSettings.h"
#include "skin/raster/KsPlainFrames.h"
#include "framework/Text.h"
#include "skinctl/KsButtonGlyph.h"

#include <algorithm>
#include <cstring>

TKsCustomButton::TKsCustomButton(TComponent* owner) : TKsPressableControl(owner)
{
    SetTabStop(true);
    SetColor(static_cast<TColor>(RGB(210, 210, 210)));
    SetTransparent(true);
    SetBounds(0, 0, 75, 25);
}

void TKsCustomButton::SetDefault(bool value)
{
    default_ = value;
    if (HandleAllocated())
        if (TCustomForm* form = GetParentForm(this))
            form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
    Invalidate();
}

void TKsCustomButton::SetCancel(bool value)
{
    cancel_ = value;
    modalResult_ = 2;
}

void TKsCustomButton::SetGlyph(const TKsBitmap& glyph)
{
    if (glyph.Empty()) {
        designGlyph_.reset();
        glyph_.reset();
    } else {
        designGlyph_ = ScaledGlyph(glyph, kDesignDpi);
        glyph_ = ScaledGlyph(glyph, Dpi());
    }
    GlyphChanged();
}

void TKsCustomButton::ChangeScale(int fromDpi, int toDpi)
{
    TKsPressableControl::ChangeScale(fromDpi, toDpi);
    spacing_ = RescaleDpi(spacing_, fromDpi, toDpi);
    if (designGlyph_) glyph_ = ScaledGlyph(*designGlyph_, toDpi);
}

void TKsCustomButton::GlyphChanged()
{
    if (glyph_) {
        const int width = glyph_->Width();
        const int height = glyph_->Height();
        // A glyph narrower than one square cell would give no cell at all: it keeps the count.
        if (height != 0 && width % height == 0 && width / height >= 1)
            numGlyphs_ = width / height < 5 ? width / height : 1;
    }
    Invalidate();
}

void TKsCustomButton::SetNumGlyphs(int value)
{
    value = std::clamp(value, 1, 4);
    if (numGlyphs_ == value) return;
    numGlyphs_ = value;
    Invalidate();
}

void TKsCustomButton::SetLayout(TKsButtonLayout value)
{
    if (layout_ == value) return;
    layout_ = value;
    Invalidate();
}

void TKsCustomButton::SetSpacing(int value)
{
    if (spacing_ == value) return;
    spacing_ = value;
    Invalidate();
}

void TKsCustomButton::SetBlackAndWhiteGlyph(bool value)
{
    if (blackAndWhiteGlyph_ == value) return;
    blackAndWhiteGlyph_ = value;
    Invalidate();
}

void TKsCustomButton::SetKind(TKsButtonKind kind)
{
    if (kind == kind_) return;
    if (kind != bkCustom) {
        const TKsButtonKindInfo& info = ButtonKindInfo(kind);
        SetDefault(info.Default);
        // A caption read with the button wins over the kind's.
        if (!IsLoading() || Caption().empty()) SetCaption(info.Caption);
        modalResult_ = info.ModalResult;
        if (const TKsBitmap* glyph = ButtonKindGlyph(kind)) SetGlyph(*glyph);
        numGlyphs_ = 2;
    }
    kind_ = kind;
    Invalidate();
}

void TKsCustomButton::Click()
{
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
    TKsPressableControl::Click();
}

TRect TKsCustomButton::ContentBlock()
{
    const SIZE text = blockExtent_.Measure(Surface().DC(), Font(), Caption());
    TRect block{0, 0, text.cx, text.cy};
    if (glyph_) {
        const int gw = glyph_->Width() / numGlyphs_;
        const int gh = glyph_->Height();
        if (layout_ == blGlyphTop || layout_ == blGlyphBottom)
            block.Bottom += gh + spacing_;
        else
            block.Right += gw + spacing_;
        block.Right = std::max(block.Right, gw);
        block.Bottom = std::max(block.Bottom, gh);
    }
    block = block.Offset((Width() - block.Right) / 2, (Height() - block.Bottom) / 2);
    return Pressed() ? block.Offset(ScaleValue(1), ScaleValue(1)) : block;
}

TRect TKsCustomButton::CaptionArea() { return GlyphCut(false); }

TRect TKsCustomButton::GlyphArea() { return GlyphCut(true); }

TRect TKsCustomButton::GlyphCut(bool glyphSide)
{
    TRect area = ContentBlock();
    if (!glyph_) return area;
    const int gw = glyph_->Width() / numGlyphs_ + spacing_;
    const int gh = glyph_->Height() + spacing_;
    switch (layout_) {
    case blGlyphLeft:
        (glyphSide ? area.Right : area.Left) = area.Left + gw;
        break;
    case blGlyphRight:
        (glyphSide ? area.Left : area.Right) = area.Right - gw;
        break;
    case blGlyphTop:
        (glyphSide ? area.Bottom : area.Top) = area.Top + gh;
        break;
    case blGlyphBottom:
        (glyphSide ? area.Top : area.Bottom) = area.Bottom - gh;
        break;
    }
    return area;
}

void TKsCustomButton::PaintFace()
{
    TKsPressableControl::PaintFace();
    PaintFrame();
    PaintCaption();
    PaintGlyph();
}

void TKsCustomButton::PaintFrame()
{
    TKsBitmap& surface = Surface();
    const TRect content = ContentRect();
    TRect r = content;
    const uint32_t face = ColorToPixel(ContrastColor(Color(), clBtnFace));
    const uint32_t dark = ColorToPixel(ContrastColor(clBlack, clBtnText));
    const int dpi = Dpi();
    if (HasFocus() || showsDefault_) {
        FrameRing(surface, r, 0, dpi, dark, dark);
        r = r.Inflate(-ScaleValue(1));
    }
    surface.FillRect(r, face);
    if (Pressed()) {
        FrameRing(surface, r, 0, dpi, ColorToPixel(clBtnShadow), ColorToPixel(clBtnShadow));
    } else {
        FrameRing(surface, r, 0, dpi, ColorToPixel(clBtnHighlight), dark);
        FrameRing(surface, r, 1, dpi, face, ColorToPixel(clBtnShadow));
    }
    if (HasFocus()) surface.DrawFocusRect(content.Inflate(-ScaleValue(4)), ScaleValue(1));
}

TRect TKsCustomButton::CaptionTextRect()
{
    const SIZE text = captionExtent_.Measure(Surface().DC(), Surface().Font(), Caption());
    return RectCentered({0, 0, text.cx, text.cy}, CaptionArea());
}

void TKsCustomButton::PaintCaption()
{
    // Measured in the font it is drawn with.
    TextSurface();
    DrawCaption(Caption(), CaptionTextRect(), DT_CENTER | TextDirectionFlags(*this));
}

void TKsCustomButton::PaintGlyph() { DrawGlyph(); }

void TKsCustomButton::DrawGlyph()
{
    if (!glyph_) return;
    const int gw = glyph_->Width() / numGlyphs_;
    const TRect at = RectCentered({0, 0, gw, glyph_->Height()}, GlyphArea());
    int cell = 0;
    if (numGlyphs_ > 1 && !Enabled()) cell = 1;
    if (numGlyphs_ > 2 && Pressed()) cell += 2;
    // Cells: normal, disabled, pressed, and disabled while pressed. A glyph of three cells has no
    // fourth: disabled and pressed at once shows its last.
    cell = std::min(cell, numGlyphs_ - 1);
    const TKsGlyphLook look{blackAndWhiteGlyph_ && !Hot(), numGlyphs_ == 1 && !Enabled()};
    DrawGlyphCell(*glyph_, cell, gw, Surface(), {at.Left, at.Top}, look);
}

void TKsCustomButton::FocusChanged(TWinControl* focused)
{
    const bool pushButton = dynamic_cast<TKsCustomButton*>(focused) || dynamic_cast<TButton*>(focused);
    const bool shows = !pushButton && default_;
    if (shows == showsDefault_) return;
    showsDefault_ = shows;
    Invalidate();
}

void TKsCustomButton::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CM_FOCUSCHANGED:
        FocusChanged(reinterpret_cast<TWinControl*>(message.LParam));
        return;
    case BM_CLICK:
        // The platform's programmatic press, as automation and accessibility tools send it.
        if (Enabled()) Click();
        return;
    default:
        break;
    }
    TKsPressableControl::WndProc(message);
}

bool TKsCustomButton::DialogKey(WORD key, TShiftState shift)
{
    if ((shift & (ssShift | ssCtrl | ssAlt)) == 0 && CanFocus()) {
        if ((key == VK_RETURN && (showsDefault_ || HasFocus())) || (key == VK_ESCAPE && (cancel_ || modalResult_ == 2))) {
            Click();
            return true;
        }
    }
    return TKsPressableControl::DialogKey(key, shift);
}

bool TKsCustomButton::DialogChar(wchar_t key)
{
    if (IsAccelerator(key, Caption()) && CanFocus()) {
        SetFocus();
        Click();
        return true;
    }
    return TKsPressableControl::DialogChar(key);
}
