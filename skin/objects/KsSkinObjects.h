#pragma once

#include "framework/Component.h"
#include "framework/Controls.h"
#include "framework/Graphics.h"
#include "framework/Handles.h"
#include "framework/Messages.h"
#include "framework/Types.h"
#include "skin/objects/KsSkinProperties.h"
#include "skin/raster/KsBitmap.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

class TSeFormFrame;

enum TSeAlign {
    saNone, saLeft, saMostLeft, saTop, saMostTop, saRight, saMostRight, saBottom, saMostBottom, saClient,
    saTopLeft, saTopRight, saBottomLeft, saBottomRight, saCenter, saText
};

enum TSeKind {
    skNone, skForm, skCaption, skTitle, skTop, skLeft, skRight, skBottom, skTopLeft, skTopRight, skBottomLeft,
    skBottomRight, skSysButton, skClient, skMenuBar, skMenuBarItem, skMenuBarItemText, skPopupMenu,
    skPopupMenuItem, skPopupMenuItemText, skItemText, skTranparent
};

enum TSeTextAlign {
    taTopLeft, taTopCenter, taTopRight, taLeft, taCenter, taRight, taBottomLeft, taBottomCenter, taBottomRight
};

enum TSeTextEffect { teNone, teShadow };

enum TscTileStyle { tsTile, tsStretch, tsCenter };

// The value names of the enumerations above, by ordinal, as the textual object notation spells them.
extern const std::array<const wchar_t*, 16> SeAlignNames;
extern const std::array<const wchar_t*, 22> SeKindNames;
extern const std::array<const wchar_t*, 9> SeTextAlignNames;
extern const std::array<const wchar_t*, 2> SeTextEffectNames;
extern const std::array<const wchar_t*, 3> SeTileStyleNames;

// The state of a skin object. Controls set it before drawing; 2 to 4 are window states that only
// the system buttons use, and a link object draws only in ssLinkShown.
enum TSeState {
    ssNormal = 0, ssLinkShown = 1, ssMaximized = 2, ssMinimized = 3, ssRolledUp = 4,
    ssHot = 5, ssPressed = 6, ssFocused = 7, ssDisabled = 8
};

// The shift state of the skin objects' mouse operations: the platform's MK_ flags (MK_LBUTTON,
// MK_RBUTTON, MK_MBUTTON, MK_SHIFT, MK_CONTROL) as the mouse messages carry them in wParam.
using TSeShiftState = unsigned;

// One node of a skin object tree: a rectangle with alignment rules, colour, font, text layout, a state
// and child objects (the components it owns, in order). All objects of one tree share one coordinate
// space: a child's Left and Top are not relative to its parent.
class TSeSkinObject : public TComponent {
public:
    explicit TSeSkinObject(TComponent* owner);
    ~TSeSkinObject() override;

    // The registered class name, e.g. "TSeButtonObject".
    virtual std::wstring_view ClassName() const { return L"TSeSkinObject"; }
    // The published properties of the class, base class first, in declaration order.
    static const TSePropertyList& ClassProperties();
    virtual const TSePropertyList& Properties() const { return ClassProperties(); }

    TSeAlign Align() const { return align_; }
    void SetAlign(TSeAlign value) { align_ = value; }
    TColor Color() const { return color_; }
    void SetColor(TColor value) { color_ = value; }
    bool DrawIfOwner() const { return drawIfOwner_; }
    void SetDrawIfOwner(bool value) { drawIfOwner_ = value; }
    // The font text is drawn with in the current state.
    const TFont& Font() const { return CurrentFont(); }
    void SetFont(const TFont& value) { font_ = value; }
    TSeKind Kind() const { return kind_; }
    void SetKind(TSeKind value) { kind_ = value; }
    int Left() const { return left_; }
    void SetLeft(int value);
    int Top() const { return top_; }
    void SetTop(int value);
    int Width() const { return width_; }
    void SetWidth(int value);
    int Height() const { return height_; }
    void SetHeight(int value);
    int MarginLeft() const { return marginLeft_; }
    void SetMarginLeft(int value) { marginLeft_ = value; }
    int MarginRight() const { return marginRight_; }
    void SetMarginRight(int value) { marginRight_ = value; }
    int MarginTop() const { return marginTop_; }
    void SetMarginTop(int value) { marginTop_ = value; }
    int MarginBottom() const { return marginBottom_; }
    void SetMarginBottom(int value) { marginBottom_ = value; }
    TSeTextAlign TextAlign() const { return textAlign_; }
    void SetTextAlign(TSeTextAlign value) { textAlign_ = value; }
    TSeTextEffect TextEffect() const { return textEffect_; }
    void SetTextEffect(TSeTextEffect value) { textEffect_ = value; }
    int TextMarginLeft() const { return textMarginLeft_; }
    void SetTextMarginLeft(int value) { textMarginLeft_ = value; }
    int TextMarginRight() const { return textMarginRight_; }
    void SetTextMarginRight(int value) { textMarginRight_ = value; }
    int TextMarginTop() const { return textMarginTop_; }
    void SetTextMarginTop(int value) { textMarginTop_ = value; }

    bool Visible() const { return visible_; }
    void SetVisible(bool value) { visible_ = value; }
    // A disabled object draws its text in grey.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { enabled_ = value; }
    bool Active() const { return active_; }
    // Sets the flag of this object and all descendants; nothing happens when it is unchanged here.
    void SetActive(bool value);
    int State() const { return state_; }
    const std::wstring& Text() const { return text_; }
    void SetText(const std::wstring& value) { text_ = value; }
    // A second text drawn at the opposite side, such as a menu item's shortcut.
    const std::wstring& RightText() const { return rightText_; }
    void SetRightText(const std::wstring& value) { rightText_ = value; }

    // Bounds in the tree's coordinates. Setting them realigns the children when they changed; a
    // negative width or height becomes 0.
    TRect BoundsRect() const { return TRect::FromSize(left_, top_, width_, height_); }
    void SetBounds(const TRect& bounds);
    // Lays out the visible children in this object's rectangle: saMostTop/saMostBottom, then
    // saMostLeft/saMostRight, saTop/saBottom, saLeft/saRight, saCenter (last child first), saClient
    // (all get the same rest). Corner children, visible or not, follow the change of this object's
    // size since the last realignment: saTopRight moves right by the change of width, saBottomLeft
    // down by the change of height and saBottomRight both; only their own Left and Top move.
    void RealignChildren();

    // The skin's bitmaps the links resolve against (not owned); set for the object and its descendants.
    TKsBitmapList* Bitmaps() const { return bitmaps_; }
    void SetBitmaps(TKsBitmapList* bitmaps);

    // The control this tree draws for (not owned) and its bidirectional mode; set for all descendants.
    TControl* BoundControl() const { return boundControl_; }
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void Bind(TControl* control);
    // Asks the bound control to repaint this object (message CM_SKINOBJECTINVALIDATE).
    void Invalidate();
    // The skinned form frame that draws the bound control's window, or none (message CM_GETSKINFORM).
    TSeFormFrame* OwningForm() const;

    int ChildCount() const { return ComponentCount(); }
    // The child at index, or none out of range.
    TSeSkinObject* ChildAt(int index) const;
    // The skin object that owns this one, or none at the top of a tree.
    TSeSkinObject* ParentObject() const;

    // This object when its name matches ignoring case, else the first match depth-first in child order.
    TSeSkinObject* FindObjectByName(std::wstring_view name);
    TSeSkinObject* FindObjectByKind(TSeKind kind);
    // The object under p: the last child that answers wins; transparent objects never answer.
    TSeSkinObject* HitTest(TPoint p);

    // A copy of this tree made through the class registry, owned by owner (the caller owns a copy
    // without owner). Its links draw from this tree's bitmaps: it must not outlive them.
    TSeSkinObject* Clone(TComponent* owner) const;
    // Multiplies every length of the tree by dpi / 96: bounds, margins, text margins, font heights,
    // roll values and the rectangles of the bitmap links (as cells of bitmaps resampled for dpi),
    // which are left unresolved for AfterLoad. Nothing is realigned: the tree reads as if it had been
    // made for that DPI.
    void ScaleLengths(int dpi);

    // The union of the regions of the visible leaves (or this object's own region), or none.
    TRegionHandle TreeRegion();

    // The font text is drawn with in the current state; the base answers Font.
    virtual const TFont& CurrentFont() const { return font_; }
    // Stores the state and passes it on to the children.
    virtual void SetState(int state);
    // Resolves the bitmap links against Bitmaps() and passes on to the children.
    virtual void AfterLoad();
    virtual void Draw(TKsBitmap& target);
    // The object's region in tree coordinates, or none.
    virtual TRegionHandle Region();
    // Shifts the hue of the colours (stored as plain RGB afterwards) and passes on to the children.
    virtual void ShiftHue(int delta);
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    virtual void MouseDown(TMouseButton button) {}
    virtual void MouseMove(TSeShiftState shift) {}
    virtual void MouseUp(TMouseButton button) {}
    virtual void DoubleClick(TMouseButton button) {}
    // Sets the character set of every font of the object and passes on to the children.
    virtual void SetCharset(int charset);

protected:
    // Copies the published values of the class (not the name, children or bounds) from source.
    virtual void CopyFrom(const TSeSkinObject& source);
    // Fills the rectangle with color and draws the text with font (unless children hide this
    // object), then draws the children: the drawing of the base class with other colour and font.
    void DrawSkinObject(TKsBitmap& target, TColor color, const TFont& font);
    // The text of this object (separator, aligned text, shadow, right text) in its text rectangle.
    void DrawText(TKsBitmap& target, const TFont& font);
    // Every visible child with a positive size, in order.
    void DrawChildren(TKsBitmap& target);
    // An object with no area is never drawn.
    bool CanDraw() const { return visible_ && width_ > 0 && height_ > 0; }
    // Sets the state of every child (and so of their subtrees).
    void SetChildrenState(int state);
    // Replaces link by the bitmap list's link of the same name and rectangle; unresolved when none.
    void ResolveLink(TKsBitmapLink& link) const;
    // The region of the pixels this object draws, found by drawing it at (0, 0) into a scratch bitmap.
    TRegionHandle DrawnRegion();
    // The region of an object drawn from link: none without a valid link or area, the bounds for the
    // client part, else the pixels drawn.
    TRegionHandle LinkRegion(const TKsBitmapLink& link);
    // Draws link over the bounds by style, nine-sliced by the margins (edges by borderStyle) when any
    // margin is set.
    void DrawLinkInMargins(TKsBitmap& target, const TKsBitmapLink& link, TscTileStyle style,
                           TscTileStyle borderStyle);

private:
    TSeAlign align_ = saNone;
    TColor color_ = clWhite;
    bool drawIfOwner_ = false;
    TFont font_;
    TSeKind kind_ = skNone;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    int marginLeft_ = 0;
    int marginRight_ = 0;
    int marginTop_ = 0;
    int marginBottom_ = 0;
    TSeTextAlign textAlign_ = taLeft;
    TSeTextEffect textEffect_ = teNone;
    int textMarginLeft_ = 0;
    int textMarginRight_ = 0;
    int textMarginTop_ = 0;

    bool visible_ = true;
    bool enabled_ = true;
    bool active_ = false;
    int state_ = ssNormal;
    TControl* boundControl_ = nullptr;
    TBiDiMode biDiMode_ = bdLeftToRight;
    TKsBitmapList* bitmaps_ = nullptr;
    std::wstring text_;
    std::wstring rightText_;
    // The size at the last realignment, from which corner children take the change.
    int previousWidth_ = 0;
    int previousHeight_ = 0;
};

// Draws the link's rectangle into rect by style: tiled, stretched, or unscaled and centred. The
// link's bitmap composites by alpha for the drawing. Nothing when the link is not valid.
void DrawSkinLink(TKsBitmap& target, const TKsBitmapLink& link, const TRect& rect, TscTileStyle style);
// Nine-slice: the link's centre into rect's centre by centreStyle, its edges by borderStyle, its
// corners unscaled; margins holds the left, top, right and bottom margins.
void DrawSkinLinkNineSlice(TKsBitmap& target, const TKsBitmapLink& link, const TRect& rect, const TRect& margins,
                           TscTileStyle centreStyle, TscTileStyle borderStyle);

// A colour and a font that an object draws with in place of Color and Font in some state.
struct TSeLook {
    TColor Color = clWhite;
    TFont Font;

    // Shifts the hue of the colour and of the font's colour.
    void ShiftHue(int delta);
};

// A bitmap link for each of the hot, focused, pressed and disabled states.
struct TSeStateLinks {
    TKsBitmapLink Hot;
    TKsBitmapLink Focused;
    TKsBitmapLink Pressed;
    TKsBitmapLink Disabled;

    std::array<TKsBitmapLink*, 4> All() { return {&Hot, &Focused, &Pressed, &Disabled}; }
    // The link of the state when there is one and it is valid, else normal.
    const TKsBitmapLink& ForState(int state, const TKsBitmapLink& normal) const;
};

// Active colour and font in place of Color and Font while active, hot, pressed or focused.
class TSeActiveObject : public TSeSkinObject {
public:
    explicit TSeActiveObject(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TSeActiveObject"; }
    static const TSePropertyList& ClassProperties();
    const TSePropertyList& Properties() const override { return ClassProperties(); }

    TColor ActiveColor() const { return active_.Color; }
    void SetActiveColor(TColor value) { active_.Color = value; }
    const TFont& ActiveFont() const { return active_.Font; }
    void SetActiveFont(const TFont& value) { active_.Font = value; }

    const TFont& CurrentFont() const override;
    void Draw(TKsBitmap& target) override;
    void ShiftHue(int delta) override;
    void SetCharset(int charset) override;

protected:
    void CopyFrom(const TSeSkinObject& source) override;

private:
    TSeLook active_;
};

// Like TSeActiveObject, but only hot and focused count (not the active flag, not pressed).
class TSeActiveSkinObject : public TSeSkinObject {
public:
    explicit TSeActiveSkinObject(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TSeActiveSkinObject"; }
    static const TSePropertyList& ClassProperties();
    const TSePropertyList& Properties() const override { return ClassProperties(); }

    TColor ActiveColor() const { return active_.Color; }
    void SetActiveColor(TColor value) { active_.Color = value; }
    const TFont& ActiveFont() const { return active_.Font; }
    void SetActiveFont(const TFont& value) { active_.Font = value; }

    void Draw(TKsBitmap& target) override;
    void ShiftHue(int delta) override;
    void SetCharset(int charset) override;

protected:
    void CopyFrom(const TSeSkinObject& source) override;

private:
    TSeLook active_;
};

// A colour and a font for each of the hot, pressed, focused and disabled states.
class TSeColorButtonObject : public TSeSkinObject {
public:
    explicit TSeColorButtonObject(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TSeColorButtonObject"; }
    static const TSePropertyList& ClassProperties();
    const TSePropertyList& Properties() const override { return ClassProperties(); }

    TColor HotColor() const { return hot_.Color; }
    void SetHotColor(TColor value) { hot_.Color = value; }
    TColor PressedColor() const { return pressed_.Color; }
    void SetPressedColor(TColor value) { pressed_.Color = value; }
    TColor FocusedColor() const { return focused_.Color; }
    void SetFocusedColor(TColor value) { focused_.Color = value; }
    TColor DisabledColor() const { return disabled_.Color; }
    void SetDisabledColor(TColor value) { disabled_.Color = value; }
    const TFont& HotFont() const { return hot_.Font; }
    const TFont& PressedFont() const { return pressed_.Font; }
    const TFont& FocusedFont() const { return focused_.Font; }
    const TFont& DisabledFont() const { return disabled_.Font; }

    void Draw(TKsBitmap& target) override;
    void SetCharset(int charset) override;

protected:
    void CopyFrom(const TSeSkinObject& source) override;

private:
    TSeLook hot_;
    TSeLook pressed_;
    TSeLook focused_;
    TSeLook disabled_;
};

// Text in a font of its own for each of the hot, pressed, focused and disabled states.
class TSeTextObject : public TSeSkinObject {
public:
    explicit TSeTextObject(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TSeTextObject"; }
    static const TSePropertyList& ClassProperties();
    const TSePropertyList& Properties() const override { return ClassProperties(); }

    const TFont& FontHot() const { return fontHot_; }
    const TFont& FontFocused() const { return fontFocused_; }
    const TFont& FontPressed() const { return fontPressed_; }
    const TFont& FontDisabled() const { return fontDisabled_; }

    const TFont& CurrentFont() const override;
    void ShiftHue(int delta) override;
    void SetCharset(int charset) override;

protected:
    void CopyFrom(const TSeSkinObject& source) override;

private:
    TFont fontHot_;
    TFont fontFocused_;
    TFont fontPressed_;
    TFont fontDisabled_;
};

// A bitmap link drawn tiled, stretched, centred or nine-sliced by the margins, then the text and the
// children (realigned first).
class TSeBitmapObject : public TSeSkinObject {
public:
    explicit TSeBitmapObject(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TSeBitmapObject"; }
    static const TSePropertyList& ClassProperties();
    const TSePropertyList& Properties() const override { return ClassProperties(); }

    const TKsBitmapLink& Bitmap() const { return bitmap_; }
    TKsBitmapLink& Bitmap() { return bitmap_; }
    TscTileStyle TileStyle() const { return tileStyle_; }
    void SetTileStyle(TscTileStyle value) { tileStyle_ = value; }
    TscTileStyle BorderTileStyle() const { return borderTileStyle_; }
    void SetBorderTileStyle(TscTileStyle value) { borderTileStyle_ = value; }

    void AfterLoad() override;
    void Draw(TKsBitmap& target) override;
    TRegionHandle Region() override;

protected:
    void CopyFrom(const TSeSkinObject& source) override;
    // The drawing of this class with link in place of Bitmap.
    void DrawWithLink(TKsBitmap& target, const TKsBitmapLink& link);

private:
    TKsBitmapLink bitmap_;
    TscTileStyle tileStyle_ = tsTile;
    TscTileStyle borderTileStyle_ = tsTile;
};

// A bitmap object with a second bitmap and font while active, hot or focused.
class TSeActiveBitmap : public TSeBitmapObject {
public:
    explicit TSeActiveBitmap(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TSeActiveBitmap"; }
    static const TSePropertyList& ClassProperties();
    const TSePropertyList& Properties() const override { return ClassProperties(); }

    const TKsBitmapLink& ActiveBitmap() const { return activeBitmap_; }
    TKsBitmapLink& ActiveBitmap() { return activeBitmap_; }
    const TFont& ActiveFont() const { return activeFont_; }
    void SetActiveFont(const TFont& value) { activeFont_ = value; }

    const TFont& CurrentFont() const override;
    void AfterLoad() override;
    void Draw(TKsBitmap& target) override;
    void SetCharset(int charset) override;

protected:
    void CopyFrom(const TSeSkinObject& source) override;
    // ActiveBitmap while active, hot or focused (when valid), else normal (Bitmap or a stand-in).
    const TKsBitmapLink& ChosenLink(const TKsBitmapLink& normal) const;

private:
    TKsBitmapLink activeBitmap_;
    TFont activeFont_;
};

// A bitmap object with a bitmap for each of the hot, focused, pressed and disabled states.
class TSeButtonObject : public TSeBitmapObject {
public:
    explicit TSeButtonObject(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TSeButtonObject"; }
    static const TSePropertyList& ClassProperties();
    const TSePropertyList& Properties() const override { return ClassProperties(); }

    TKsBitmapLink& BitmapHot() { return stateBitmaps_.Hot; }
    TKsBitmapLink& BitmapFocused() { return stateBitmaps_.Focused; }
    TKsBitmapLink& BitmapPressed() { return stateBitmaps_.Pressed; }
    TKsBitmapLink& BitmapDisabled() { return stateBitmaps_.Disabled; }

    void AfterLoad() override;
    void Draw(TKsBitmap& target) override;

protected:
    void CopyFrom(const TSeSkinObject& source) override;

private:
    TSeStateLinks stateBitmaps_;
};
