#pragma once

#include "framework/Controls.h"
#include "skinctl/KsControlState.h"
#include "skinctl/KsPaintBuffer.h"
#include "skinctl/KsTextExtent.h"

#include <cstdint>

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
    // hidden, no size: then false) or when the buffer from the last render is still good: nothing
    // marked it out of date, the look key is the same and the form is opaque (then true).
    bool Render();
    const TKsPaintBuffer& PaintBuffer() const { return buffer_; }
    // Changes whenever what the buffer shows may have changed; a control showing this one through
    // keys its own buffer on it.
    uint64_t LookVersion() const { return lookVersion_; }

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
    // Whether the look shows the pointer over the control: then the pointer coming and going
    // repaints it.
    virtual bool ShowsHot() const { return false; }
    // The private font: a copy of Font made before each render, which a skin may replace.
    TFont& PaintFont() { return paintFont_; }
    // Gives the surface the private font for text; its platform font is kept while unchanged.
    TKsBitmap& TextSurface();
    TKsControlState& State() { return state_; }
    const TKsControlState& State() const { return state_; }

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
    // What a rendered buffer depends on besides the control's own properties, whose changes mark
    // the buffer out of date: the interaction state, the system colours, and for a control that
    // shows its parent through, its place and the parent's look.
    struct TLookKey {
        bool Enabled = false;
        bool Hot = false;
        bool Focused = false;
        bool Pressed = false;
        uint32_t SystemColours = 0;
        TPoint Place;
        uint64_t ParentLook = 0;
        SIZE ParentSize{};
        TColor ParentColor = clNone;
        bool ParentActive = false;
        friend bool operator==(const TLookKey& a, const TLookKey& b)
        {
            return a.Enabled == b.Enabled && a.Hot == b.Hot && a.Focused == b.Focused && a.Pressed == b.Pressed &&
                   a.SystemColours == b.SystemColours && a.Place == b.Place && a.ParentLook == b.ParentLook &&
                   a.ParentSize.cx == b.ParentSize.cx && a.ParentSize.cy == b.ParentSize.cy &&
                   a.ParentColor == b.ParentColor && a.ParentActive == b.ParentActive;
        }
    };

    TLookKey LookKey();
    bool HasGraphicChildren() const;
    // Some windowed child shows this control through.
    bool ShownThrough() const;
    void PaintMessage(TMessage& message);
    void PaintParentBackground(TKsBitmap& target);
    // Draws the window-less children over the look; freshLook: the look was rendered since the last
    // paint.
    void PaintGraphicChildren(bool freshLook);
    bool FormTranslucent();
    void FitBuffer();

    TKsPaintBuffer buffer_;
    TLookKey renderedKey_;
    uint64_t lookVersion_ = 0;
    // The look version when the look was last kept aside for window-less children to be drawn
    // over it, and the fingerprint of what the buffer showed with them.
    uint64_t keptLookVersion_ = 0;
    uint64_t shownFingerprint_ = 0;
    TFont paintFont_;
    TKsControlState state_;
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
