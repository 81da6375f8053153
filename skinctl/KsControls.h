#pragma once

#include "framework/Controls.h"
#include "skinctl/KsButtonState.h"
#include "skinctl/KsPaintBuffer.h"
#include "skinctl/KsTextExtent.h"

// A windowed control that renders its whole look into a paint buffer and copies that to the screen
// in one piece, so it never flickers. It can show the parent's background through (Transparent),
// be mixed translucently over it (Blend, BlendValue), and tracks the mouse being over it and the
// focus for its subclasses' looks. Window-less children are painted into the buffer too.
class TKsCustomControl : public TWinControl {
public:
    explicit TKsCustomControl(TComponent* owner);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool Blend() const { return blend_; }
    void SetBlend(bool value);
    // The low 8 bits are the opacity of a blended control.
    int BlendValue() const { return blendValue_; }
    void SetBlendValue(int value);

    // The pointer is over the control; the control has the focus (as its look shows them).
    bool Hot() const { return state_.Hot(); }
    bool HasFocus() const { return state_.Focused(); }
    // The look of a control that shows the pointer over it and the focus: disabled, hot, focused
    // (when focusShows) or normal.
    TSeState HoverState(bool focusShows = true) const
    {
        if (!Enabled()) return ssDisabled;
        if (Hot()) return ssHot;
        return focusShows && HasFocus() ? ssFocused : ssNormal;
    }

    // Marks the buffer out of date and asks the window system for a repaint without erasing first.
    void Invalidate() override;
    // Brings the buffer up to date. Skipped when the control cannot be drawn (no parent or window,
    // hidden, no size: then false) or when nothing changed and its form is opaque (the buffer from
    // the last render is still good: then true).
    bool Render();
    const TKsPaintBuffer& PaintBuffer() const { return buffer_; }

protected:
    // Fills the content rectangle with Color unless Transparent; subclasses draw their content here.
    virtual void PaintFace();
    // The plain sunken border of bsSingle.
    virtual void PaintBorder();
    // The area inside the border.
    virtual TRect ContentRect() const;
    TBorderStyle BorderStyle() const { return borderStyle_; }
    virtual void SetBorderStyle(TBorderStyle style);

    // The raster the control draws into during a render.
    TKsBitmap& Surface() { return buffer_.Bitmap(); }
    // The private font: a copy of Font made before each render, which a skin may replace.
    TFont& PaintFont() { return paintFont_; }
    // Gives the surface the private font for text; its platform font is kept while unchanged.
    TKsBitmap& TextSurface();
    TKsButtonState& State() { return state_; }
    const TKsButtonState& State() const { return state_; }

    // The accessible object of the control's kind, for its client area (a list box also for its scroll bar).
    TAccessibleObject* CreateAccessible(LONG objectId) override;
    void WndProc(TMessage& message) override;
    // The window's text is kept in the control as well, so drawing never has to ask the window.
    std::wstring GetTextValue() const override { return text_; }
    bool EraseBackground(HDC dc, LPARAM flags) override;
    void BoundsChanged() override;
    void Loaded() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void DoEnter() override;
    void DoExit() override;

private:
    void PaintMessage(TMessage& message);
    void PaintParentBackground(TKsBitmap& target);
    void PaintGraphicChildren();
    bool FormTranslucent();
    void FitBuffer();

    TKsPaintBuffer buffer_;
    TFont paintFont_;
    TKsButtonState state_;
    bool transparent_ = false;
    bool blend_ = false;
    int blendValue_ = 150;
    TBorderStyle borderStyle_ = bsNone;
};

// A window-less control drawn on its parent through a paint buffer of its own. Inside a
// TKsCustomControl the parent hands it the pixels under it, so it needs no background request.
class TKsGraphicControl : public TGraphicControl {
public:
    explicit TKsGraphicControl(TComponent* owner);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool Blend() const { return blend_; }
    void SetBlend(bool value);
    int BlendValue() const { return blendValue_; }
    void SetBlendValue(int value);
    bool Hot() const { return hot_; }

    void Invalidate() override;
    // Renders when dirty; false when the control cannot be drawn.
    bool Render();
    const TKsPaintBuffer& PaintBuffer() const { return buffer_; }
    // Draws the control into its parent's buffer: the parent's pixels under it become its
    // background, then its look is rendered and copied back at its place.
    void PaintInto(TKsBitmap& parentBuffer);

protected:
    // Fills the buffer with Color unless Transparent.
    virtual void PaintFace();
    TKsBitmap& Surface() { return buffer_.Bitmap(); }

    void Paint() override;
    void BoundsChanged() override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    void PaintParentBackground(TKsBitmap& target);

    TKsPaintBuffer buffer_;
    bool hot_ = false;
    bool parentPainting_ = false;
    bool transparent_ = false;
    bool blend_ = false;
    int blendValue_ = 150;
};
