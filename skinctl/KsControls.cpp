#include "skinctl/KsControls.h"

#include "framework/FlagScope.h"
#include "framework/SystemSettings.h"
#include "skin/raster/KsPlainFrames.h"

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

// The system colours, which the plain looks draw with, folded into one number.
uint32_t SystemColoursKey()
{
    uint32_t key = 2166136261u;
    for (int index = 0; index <= COLOR_MENUBAR; ++index) key = (key ^ GetSysColor(index)) * 16777619u;
    return key;
}

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
    RequestRepaint();
}

void TKsCustomControl::RequestRepaint()
{
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

TKsCustomControl::TLookKey TKsCustomControl::LookKey()
{
    TLookKey key;
    key.Size = {Width(), Height()};
    key.Enabled = Enabled();
    key.Hot = state_.Hot();
    key.Focused = state_.Focused();
    key.Pressed = state_.Pressed();
    key.SystemColours = SystemColoursKey();
    if (!transparent_ && !blend_) return key;
    key.Place = {Left(), Top()};
    if (auto* buffered = dynamic_cast<TKsCustomControl*>(Parent())) {
        key.ParentLook = buffered->LookVersion();
    } else {
        // A parent without a buffer of its own paints its background from its size (a stretched
        // picture), its colour and whether its window is the active one.
        key.ParentSize = {Parent()->ClientWidth(), Parent()->ClientHeight()};
        key.ParentColor = Parent()->Color();
        key.ParentActive = GetActiveWindow() == GetAncestor(Handle(), GA_ROOT);
    }
    return key;
}

bool TKsCustomControl::HasGraphicChildren() const
{
    for (int i = 0; i < ControlCount(); ++i)
        if (dynamic_cast<TGraphicControl*>(Controls(i))) return true;
    return false;
}

bool TKsCustomControl::ShownThrough() const
{
    for (int i = 0; i < ControlCount(); ++i) {
        auto* child = dynamic_cast<const TKsCustomControl*>(Controls(i));
        if (child && (child->transparent_ || child->blend_)) return true;
    }
    return false;
}

bool TKsCustomControl::Render()
{
    if (!Parent() || !Visible() || !buffer_.Usable() || Width() <= 0 || Height() <= 0 || !HandleAllocated())
        return false;
    if (!buffer_.Dirty() && LookKey() == renderedKey_ && !FormTranslucent()) return true;
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
    ++lookVersion_;
    // Taken after the render: asking for the background may have brought the parent's look up to date.
    renderedKey_ = LookKey();
    return true;
}

void TKsCustomControl::PaintParentBackground(TKsBitmap& target)
{
    // Only the control's own area: the rest of the buffer is never shown, and a parent whose client
    // area is larger for a moment would leave pixels there that no later render takes away.
    TKsDCView clip(target.DC(), {0, 0}, Width(), Height());
    TKsDCView view(target.DC(), {-Left(), -Top()});
    SendMessageW(Parent()->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.DC()), kEraseFromControl);
    // A buffered parent hands over its window-less children with its buffer; drawn again, their
    // text would come out darker at its anti-aliased edges.
    if (!dynamic_cast<TKsCustomControl*>(Parent())) Parent()->PaintControls(target.DC());
}

void TKsCustomControl::PaintGraphicChildren(bool freshLook)
{
    // Children are drawn over the pure look: a fresh one is kept aside, an unchanged one comes back
    // from that copy (and without a copy, it is rendered again).
    if (freshLook || !buffer_.RestoreLook()) {
        if (!freshLook) {
            buffer_.SetDirty(true);
            Render();
        }
        buffer_.SaveLook();
    }
    keptLookVersion_ = lookVersion_;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (!child->Visible()) continue;
        if (auto* skinned = dynamic_cast<TKsGraphicControl*>(child))
            skinned->PaintInto(Surface());
        else if (auto* graphic = dynamic_cast<TGraphicControl*>(child))
            graphic->PaintTo(Surface().DC());
    }
    // Controls showing this one through see the children too: a change among them is a new look.
    if (!ShownThrough()) return;
    const uint64_t fingerprint = buffer_.Fingerprint(Width(), Height());
    if (fingerprint == shownFingerprint_) return;
    shownFingerprint_ = fingerprint;
    ++lookVersion_;
    keptLookVersion_ = lookVersion_;
}

void TKsCustomControl::PaintMessage(TMessage& message)
{
    TPaintScope paint(Handle(), reinterpret_cast<HDC>(message.WParam));
    message.Result = 0;
    if (!buffer_.Usable()) return;
    // A buffer that is still good is shown again as it is.
    if (!Render()) return;
    if (HasGraphicChildren()) PaintGraphicChildren(lookVersion_ != keptLookVersion_);
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
    // Some looks are left out while the control is being read (a skinned button draws plain).
    Invalidate();
    FitBuffer();
}

void TKsCustomControl::MouseEnter()
{
    if (state_.MouseEnter() && ShowsHot()) Invalidate();
    TWinControl::MouseEnter();
}

void TKsCustomControl::MouseLeave()
{
    if (state_.MouseLeave() && ShowsHot()) Invalidate();
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
    const int dpi = Dpi();
    FrameRing(surface, outer, 0, dpi, ColorToPixel(clBtnShadow), ColorToPixel(clBtnHighlight));
    FrameRing(surface, outer, 1, dpi, ColorToPixel(cl3DDkShadow), ColorToPixel(cl3DLight));
    const uint32_t face = ColorToPixel(ContrastColor(Color(), clBtnFace));
    FrameRing(surface, outer, 2, dpi, face, face);
    FrameRing(surface, outer, 3, dpi, face, face);
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
