#include "skinctl/KsControls.h"

#include "framework/FlagScope.h"
#include "framework/SystemSettings.h"

namespace {

// BeginPaint / EndPaint around a scope, unless the message brought its own drawing context.
class TPaintScope {
public:
    TPaintScope(HWND window, HDC given) : window_(window), dc_(given)
    {
        if (!dc_) {
            dc_ = BeginPaint(window_, &paint_);
            began_ = true;
        }
    }
    ~TPaintScope()
    {
        if (began_) EndPaint(window_, &paint_);
    }
    TPaintScope(const TPaintScope&) = delete;
    TPaintScope& operator=(const TPaintScope&) = delete;
    HDC DC() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
    PAINTSTRUCT paint_{};
    bool began_ = false;
};

} // namespace

// ---- TKsCustomControl ----

// Controls start 100 x 30 (the framework's default size) with a buffer to fit.
TKsCustomControl::TKsCustomControl(TComponent* owner) : TWinControl(owner)
{
    SetColor(clBtnFace);
    buffer_.Fit(Width(), Height(), false);
}

void TKsCustomControl::SetTransparent(bool value)
{
    if (transparent_ == value) return;
    transparent_ = value;
    Invalidate();
}

void TKsCustomControl::SetBlend(bool value)
{
    if (blend_ == value) return;
    blend_ = value;
    FitBuffer();
    Invalidate();
}

void TKsCustomControl::SetBlendValue(int value)
{
    if (blendValue_ == value) return;
    blendValue_ = value;
    Invalidate();
}

void TKsCustomControl::SetBorderStyle(TBorderStyle style)
{
    borderStyle_ = style;
    Invalidate();
}

void TKsCustomControl::Invalidate()
{
    buffer_.SetDirty(true);
    if (HandleAllocated()) InvalidateRect(Handle(), nullptr, FALSE);
    AccessibleChanged();
}

TKsBitmap& TKsCustomControl::TextSurface()
{
    paintFont_.SetColor(ContrastColor(paintFont_.Color(), clBtnText));
    Surface().SetFont(paintFont_);
    return Surface();
}

bool TKsCustomControl::FormTranslucent()
{
    auto* owner = dynamic_cast<TWinControl*>(Owner());
    return owner && owner->HandleAllocated() && SendMessageW(owner->Handle(), CM_FORMBLENDED, 0, 0) != 0;
}

bool TKsCustomControl::Render()
{
    if (!Parent() || !Visible() || !buffer_.Usable() || Width() <= 0 || Height() <= 0 || !HandleAllocated())
        return false;
    if (!buffer_.Dirty() && !FormTranslucent()) return true;
    paintFont_ = Font();
    TKsLayers layers;
    layers.Transparent = transparent_;
    layers.Blend = blend_;
    layers.BlendValue = blendValue_;
    layers.Background = [this](TKsBitmap& target) { PaintParentBackground(target); };
    layers.Content = [this] {
        if (borderStyle_ != bsNone) PaintBorder();
        PaintFace();
    };
    buffer_.Render(layers);
    return true;
}

void TKsCustomControl::PaintParentBackground(TKsBitmap& target)
{
    TKsDCView view(target.DC(), {-Left(), -Top()});
    SendMessageW(Parent()->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.DC()), kEraseFromControl);
    Parent()->PaintControls(target.DC());
}

void TKsCustomControl::PaintGraphicChildren()
{
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (!child->Visible()) continue;
        if (auto* skinned = dynamic_cast<TKsGraphicControl*>(child))
            skinned->PaintInto(Surface());
        else if (auto* graphic = dynamic_cast<TGraphicControl*>(child))
            graphic->PaintTo(Surface().DC());
    }
}

void TKsCustomControl::PaintMessage(TMessage& message)
{
    TPaintScope paint(Handle(), reinterpret_cast<HDC>(message.WParam));
    message.Result = 0;
    if (!buffer_.Usable()) return;
    buffer_.SetDirty(true);
    if (!Render()) return;
    PaintGraphicChildren();
    buffer_.CopyTo(paint.DC(), 0, 0, Width(), Height());
}

bool TKsCustomControl::EraseBackground(HDC dc, LPARAM)
{
    if (dc && Render()) buffer_.CopyTo(dc, 0, 0, Width(), Height());
    // Never leave the erasing to the window system: that would show a flash of the class background.
    return true;
}

void TKsCustomControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        PaintMessage(message);
        return;
    case WM_SETTEXT:
        // Also when someone else sets the window's text: the control draws it.
        TWinControl::WndProc(message);
        text_ = message.LParam ? reinterpret_cast<const wchar_t*>(message.LParam) : L"";
        Invalidate();
        return;
    default:
        TWinControl::WndProc(message);
    }
}

void TKsCustomControl::FitBuffer()
{
    if (buffer_.Fit(Width(), Height(), blend_)) Render();
}

void TKsCustomControl::BoundsChanged()
{
    TWinControl::BoundsChanged();
    FitBuffer();
}

void TKsCustomControl::Loaded()
{
    TWinControl::Loaded();
    FitBuffer();
}

void TKsCustomControl::MouseEnter()
{
    state_.MouseEnter();
    TWinControl::MouseEnter();
}

void TKsCustomControl::MouseLeave()
{
    state_.MouseLeave();
    TWinControl::MouseLeave();
}

void TKsCustomControl::DoEnter()
{
    state_.FocusEnter();
    Invalidate();
    TWinControl::DoEnter();
}

void TKsCustomControl::DoExit()
{
    state_.FocusExit();
    Invalidate();
    TWinControl::DoExit();
}

void TKsCustomControl::PaintFace()
{
    if (!transparent_) Surface().FillRect(ContentRect(), ColorToPixel(ContrastColor(Color(), clBtnFace)));
}

void TKsCustomControl::PaintBorder()
{
    TKsBitmap& surface = Surface();
    const TRect outer{0, 0, Width(), Height()};
    surface.FrameRect(outer, ColorToPixel(clBtnShadow), ColorToPixel(clBtnHighlight));
    surface.FrameRect(outer.Inflate(-1), ColorToPixel(cl3DDkShadow), ColorToPixel(cl3DLight));
    const uint32_t face = ColorToPixel(ContrastColor(Color(), clBtnFace));
    surface.FrameRect(outer.Inflate(-2), face);
    surface.FrameRect(outer.Inflate(-3), face);
}

TRect TKsCustomControl::ContentRect() const
{
    const TRect whole{0, 0, Width(), Height()};
    return borderStyle_ == bsSingle ? whole.Inflate(-ScaleValue(2)) : whole;
}

// ---- TKsGraphicControl ----

TKsGraphicControl::TKsGraphicControl(TComponent* owner) : TGraphicControl(owner)
{
    SetColor(clBtnFace);
    buffer_.Fit(Width(), Height(), false);
}

void TKsGraphicControl::SetTransparent(bool value)
{
    if (transparent_ == value) return;
    transparent_ = value;
    Invalidate();
}

void TKsGraphicControl::SetBlend(bool value)
{
    if (blend_ == value) return;
    blend_ = value;
    buffer_.Fit(Width(), Height(), blend_);
    Invalidate();
}

void TKsGraphicControl::SetBlendValue(int value)
{
    if (blendValue_ == value) return;
    blendValue_ = value;
    Invalidate();
}

void TKsGraphicControl::Invalidate()
{
    buffer_.SetDirty(true);
    TGraphicControl::Invalidate();
}

bool TKsGraphicControl::Render()
{
    if (!Parent() || !Visible() || !buffer_.Usable() || Width() <= 0 || Height() <= 0) return false;
    if (!buffer_.Dirty()) return true;
    TKsLayers layers;
    // Painted by its parent, the buffer already holds the parent's pixels under the control.
    layers.Transparent = transparent_ && !parentPainting_;
    layers.Blend = blend_;
    layers.BlendValue = blendValue_;
    layers.Background = [this](TKsBitmap& target) { PaintParentBackground(target); };
    layers.Content = [this] { PaintFace(); };
    buffer_.Render(layers);
    return true;
}

void TKsGraphicControl::PaintParentBackground(TKsBitmap& target)
{
    if (!Parent()->HandleAllocated()) return;
    TKsDCView view(target.DC(), {-Left(), -Top()});
    SendMessageW(Parent()->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.DC()), kEraseFromControl);
}

void TKsGraphicControl::PaintInto(TKsBitmap& parentBuffer)
{
    TFlagScope painting(parentPainting_);
    parentBuffer.Draw(buffer_.Bitmap(), 0, 0, TRect::FromSize(Left(), Top(), Width(), Height()));
    buffer_.SetDirty(true);
    if (Render()) buffer_.CopyTo(parentBuffer.DC(), Left(), Top(), Width(), Height());
}

void TKsGraphicControl::Paint()
{
    buffer_.SetDirty(true);
    if (Render()) buffer_.CopyTo(Canvas().Handle(), 0, 0, Width(), Height());
}

void TKsGraphicControl::BoundsChanged()
{
    TGraphicControl::BoundsChanged();
    if (buffer_.Fit(Width(), Height(), blend_)) Render();
}

void TKsGraphicControl::MouseEnter()
{
    hot_ = true;
    TGraphicControl::MouseEnter();
}

void TKsGraphicControl::MouseLeave()
{
    hot_ = false;
    TGraphicControl::MouseLeave();
}

void TKsGraphicControl::PaintFace()
{
    if (!transparent_) Surface().FillRect(Surface().BoundsRect(), ColorToPixel(ContrastColor(Color(), clBtnFace)));
}
