#pragma once

#include "skin/objects/KsSkinObjects.h"

#include <array>
#include <optional>

// What a system button does on its owning form frame.
enum TSeAction {
    sbaNone, sbaClose, sbaHelp, sbaMinimize, sbaMaximize, sbaRestore, sbaRollUp, sbaRollDown, sbaTray, sbaSysMenu,
    sbaRollPanel, sbaCustom
};

enum TSeRollKind { rkLeft, rkTop, rkRight, rkBottom };

extern const std::array<const wchar_t*, 12> SeActionNames;
extern const std::array<const wchar_t*, 4> SeRollKindNames;

// The caption buttons and system-menu entries a form frame has; the frame's BorderIcons set holds
// bit n for the n-th value.
enum TKsBorderIcon { kbiClose, kbiSystemMenu, kbiMinimize, kbiMaximize, kbiHelp, kbiRollup, kbiTray };

// The border icon a system button needs to be shown; none for sbaNone, sbaRollPanel and sbaCustom.
std::optional<TKsBorderIcon> RequiredBorderIcon(TSeAction action);

// What the skinned form frame offers the skin's system buttons. The frame implements it and answers
// CM_GETSKINFORM with its TSeFormFrame* (converted to the message result).
class TSeFormFrame {
public:
    virtual bool HasBorderIcon(TKsBorderIcon icon) const = 0;
    // The form's own icon, else the application's; none when neither has one.
    virtual HICON FormIcon() const = 0;
    virtual void Close() = 0;
    virtual void ContextHelp() = 0;
    virtual void Minimize() = 0;
    virtual void Maximize() = 0;
    virtual void Restore() = 0;
    virtual void RollUp() = 0;
    virtual void MinimizeToTray() = 0;
    virtual void ShowSystemMenu() = 0;
    // Fires the frame's OnCustomAction with the button, when it is assigned.
    virtual void CustomAction(TSeSkinObject& button) = 0;

protected:
    ~TSeFormFrame() = default;
};

// The press state of a system button (0 none, 1 hot, 2 pressed) and the shift state of the last
// mouse move, with the transitions of the mouse operations; each transition that changes the
// button's look repaints it.
class TSeSystemButtonPress {
public:
    explicit TSeSystemButtonPress(TSeSkinObject& button) : button_(button) {}
    int State() const { return state_; }
    void Enter();
    void Leave();
    void Down(TMouseButton button);
    void Move(TSeShiftState shift);
    // Answers whether the action is to be performed (the button was pressed and is released now).
    bool Up(TMouseButton button);

private:
    TSeSkinObject& button_;
    int state_ = 0;
    TSeShiftState shift_ = 0;
};

// A caption button of the form skin: its bitmap follows the press state, its children show hot,
// pressed or disabled, it shows itself only in the window states and border icons that fit its
// action, and releasing it performs the action on the owning form frame.
class TSeSystemButton : public TSeActiveBitmap {
public:
    explicit TSeSystemButton(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TSeSystemButton"; }
    static const TSePropertyList& ClassProperties();
    const TSePropertyList& Properties() const override { return ClassProperties(); }

    TSeAction Action() const { return action_; }
    void SetAction(TSeAction value) { action_ = value; }
    TKsBitmapLink& BitmapHot() { return bitmapHot_; }
    TKsBitmapLink& BitmapPressed() { return bitmapPressed_; }
    int PressState() const { return press_.State(); }

    void SetState(int state) override;
    void AfterLoad() override;
    void Draw(TKsBitmap& target) override;
    void MouseEnter() override { press_.Enter(); }
    void MouseLeave() override { press_.Leave(); }
    void MouseDown(TMouseButton button) override { press_.Down(button); }
    void MouseMove(TSeShiftState shift) override { press_.Move(shift); }
    void MouseUp(TMouseButton button) override;
    void DoubleClick(TMouseButton button) override;

protected:
    void CopyFrom(const TSeSkinObject& source) override;

private:
    TSeAction action_ = sbaNone;
    TKsBitmapLink bitmapHot_;
    TKsBitmapLink bitmapPressed_;
    TSeSystemButtonPress press_{*this};
};

// Shows the name of the control it stands for, in the one state ssLinkShown.
class TSeLinkSkinObject : public TSeSkinObject {
public:
    explicit TSeLinkSkinObject(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TSeLinkSkinObject"; }
    static const TSePropertyList& ClassProperties();
    const TSePropertyList& Properties() const override { return ClassProperties(); }

    const std::wstring& LinkControl() const { return linkControl_; }
    void SetLinkControl(const std::wstring& value) { linkControl_ = value; }

    void Draw(TKsBitmap& target) override;

protected:
    void CopyFrom(const TSeSkinObject& source) override;

private:
    std::wstring linkControl_;
};

// A bitmap link drawn by TileStyle (margins ignored), then the text; the children are not drawn.
class TSeBitmapSkinObject : public TSeSkinObject {
public:
    explicit TSeBitmapSkinObject(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TSeBitmapSkinObject"; }
    static const TSePropertyList& ClassProperties();
    const TSePropertyList& Properties() const override { return ClassProperties(); }

    const TKsBitmapLink& Bitmap() const { return bitmap_; }
    TKsBitmapLink& Bitmap() { return bitmap_; }
    TscTileStyle TileStyle() const { return tileStyle_; }
    void SetTileStyle(TscTileStyle value) { tileStyle_ = value; }

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
};

// A form part with a second bitmap for the inactive window.
class TSeFormBitmapSkinObject : public TSeBitmapSkinObject {
public:
    explicit TSeFormBitmapSkinObject(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TSeFormBitmapSkinObject"; }
    static const TSePropertyList& ClassProperties();
    const TSePropertyList& Properties() const override { return ClassProperties(); }

    TKsBitmapLink& InactiveBitmap() { return inactiveBitmap_; }

    void AfterLoad() override;
    void Draw(TKsBitmap& target) override;

protected:
    void CopyFrom(const TSeSkinObject& source) override;

private:
    TKsBitmapLink inactiveBitmap_;
};

// A caption button drawn like a bitmap skin object, with hover and down bitmaps. Its action
// sbaRollPanel rolls the roll panel named by RollPanel in the same tree.
class TSeSysButtonSkinObject : public TSeBitmapSkinObject {
public:
    explicit TSeSysButtonSkinObject(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TSeSysButtonSkinObject"; }
    static const TSePropertyList& ClassProperties();
    const TSePropertyList& Properties() const override { return ClassProperties(); }

    TSeAction Action() const { return action_; }
    void SetAction(TSeAction value) { action_ = value; }
    TKsBitmapLink& BitmapHover() { return bitmapHover_; }
    TKsBitmapLink& BitmapDown() { return bitmapDown_; }
    const std::wstring& RollPanel() const { return rollPanel_; }
    void SetRollPanel(const std::wstring& value) { rollPanel_ = value; }
    int PressState() const { return press_.State(); }

    void SetState(int state) override;
    void AfterLoad() override;
    void Draw(TKsBitmap& target) override;
    void MouseEnter() override { press_.Enter(); }
    void MouseLeave() override { press_.Leave(); }
    void MouseDown(TMouseButton button) override { press_.Down(button); }
    void MouseMove(TSeShiftState shift) override { press_.Move(shift); }
    void MouseUp(TMouseButton button) override;
    void DoubleClick(TMouseButton button) override;

protected:
    void CopyFrom(const TSeSkinObject& source) override;

private:
    void PerformAction();

    TSeAction action_ = sbaNone;
    TKsBitmapLink bitmapHover_;
    TKsBitmapLink bitmapDown_;
    std::wstring rollPanel_;
    TSeSystemButtonPress press_{*this};
};

// A bitmap skin object that nine-slices by its margins (BorderTileStyle for the edges).
class TSeBitmapBoxObject : public TSeBitmapSkinObject {
public:
    explicit TSeBitmapBoxObject(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TSeBitmapBoxObject"; }
    static const TSePropertyList& ClassProperties();
    const TSePropertyList& Properties() const override { return ClassProperties(); }

    TscTileStyle BorderTileStyle() const { return borderTileStyle_; }
    void SetBorderTileStyle(TscTileStyle value) { borderTileStyle_ = value; }

    void Draw(TKsBitmap& target) override;

protected:
    void CopyFrom(const TSeSkinObject& source) override;
    // The drawing of this class with link in place of Bitmap.
    void DrawBoxWithLink(TKsBitmap& target, const TKsBitmapLink& link);

private:
    TscTileStyle borderTileStyle_ = tsTile;
};

// A bitmap box with a second bitmap while hot or focused.
class TSeActiveBitmapBoxObject : public TSeBitmapBoxObject {
public:
    explicit TSeActiveBitmapBoxObject(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TSeActiveBitmapBoxObject"; }
    static const TSePropertyList& ClassProperties();
    const TSePropertyList& Properties() const override { return ClassProperties(); }

    TKsBitmapLink& FocusedBitmap() { return focusedBitmap_; }

    void AfterLoad() override;
    void Draw(TKsBitmap& target) override;

protected:
    void CopyFrom(const TSeSkinObject& source) override;

private:
    TKsBitmapLink focusedBitmap_;
};

// A bitmap box with a bitmap for each of the hot, focused, pressed and disabled states.
class TSeButtonBitmapBoxObject : public TSeBitmapBoxObject {
public:
    explicit TSeButtonBitmapBoxObject(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TSeButtonBitmapBoxObject"; }
    static const TSePropertyList& ClassProperties();
    const TSePropertyList& Properties() const override { return ClassProperties(); }

    TKsBitmapLink& HotBitmap() { return stateBitmaps_.Hot; }
    TKsBitmapLink& FocusedBitmap() { return stateBitmaps_.Focused; }
    TKsBitmapLink& PressedBitmap() { return stateBitmaps_.Pressed; }
    TKsBitmapLink& DisabledBitmap() { return stateBitmaps_.Disabled; }

    void AfterLoad() override;
    void Draw(TKsBitmap& target) override;

protected:
    void CopyFrom(const TSeSkinObject& source) override;

private:
    TSeStateLinks stateBitmaps_;
};

// A panel that rolls to RollValue along one side and back.
class TSeRollPanelObject : public TSeSkinObject {
public:
    explicit TSeRollPanelObject(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TSeRollPanelObject"; }
    static const TSePropertyList& ClassProperties();
    const TSePropertyList& Properties() const override { return ClassProperties(); }

    TSeRollKind RollKind() const { return rollKind_; }
    void SetRollKind(TSeRollKind value) { rollKind_ = value; }
    int RollValue() const { return rollValue_; }
    void SetRollValue(int value) { rollValue_ = value; }

    // Sets the extent along RollKind to RollValue, keeping the opposite edge, and remembers the extent
    // it had; when it is already rolled, gives back the remembered extent.
    void Roll();

protected:
    void CopyFrom(const TSeSkinObject& source) override;

private:
    TSeRollKind rollKind_ = rkLeft;
    int rollValue_ = 0;
    std::optional<int> extentBeforeRoll_;
};
