#pragma once

#include "framework/Canvas.h"
#include "framework/Forms.h"
#include "framework/Types.h"
#include "skin/objects/KsSkinObjects2.h"
#include "skin/raster/KsBitmap.h"
#include "skinwin/KsEffects.h"
#include "skinwin/KsHooks.h"
#include "skinwin/KsWindowStateMachine.h"

#include <shellapi.h>

#include <functional>
#include <memory>
#include <optional>

enum TKsBorderStyle { kbsNone, kbsStandard, kbsToolWindow };

// A set of border icons (TKsBorderIcon, in KsSkinObjects2.h): bit n for the n-th value.
class TKsBorderIcons {
public:
    constexpr TKsBorderIcons() = default;
    constexpr TKsBorderIcons(std::initializer_list<TKsBorderIcon> icons)
    {
        for (TKsBorderIcon icon : icons) bits_ |= 1u << icon;
    }
    constexpr bool Contains(TKsBorderIcon icon) const { return (bits_ >> icon) & 1u; }
    constexpr unsigned Bits() const { return bits_; }
    friend bool operator==(const TKsBorderIcons&, const TKsBorderIcons&) = default;

private:
    unsigned bits_ = 0;
};

// Size limits of a frame; 0 means no limit.
struct TKsSizeConstraints {
    int MinWidth = 0;
    int MinHeight = 0;
    int MaxWidth = 0;
    int MaxHeight = 0;
    friend bool operator==(const TKsSizeConstraints&, const TKsSizeConstraints&) = default;
};

// What lies under a point of the frame.
enum TKsFramePart {
    fpClient,
    fpCaption,
    fpLeft,
    fpTop,
    fpRight,
    fpBottom,
    fpBorder,
    fpTopLeft,
    fpTopRight,
    fpBottomLeft,
    fpBottomRight,
    fpClose,
    fpHelp,
    fpMinimize,
    fpMaximize,
    fpRollup,
    fpTray,
    fpSysMenu,
    fpSysButton
};

class TKsCustomForm;
class TKsCustomItem;
class TKsCustomMenuBar;
class TKsCustomPopupMenu;
using TKsFramePaintEvent = std::function<void(TKsCustomForm* sender, TCanvas& canvas)>;

// The frame of a top-level form drawn by the program instead of the platform: caption, borders,
// caption buttons and system-menu icon, moving (with snapping to the work area's edges), sizing,
// translucency, a drop shadow and a show animation. It watches the form through a window hook;
// the form keeps its own client area. This class draws a plain look from the system's colours and
// metrics; TSeSkinForm draws through a skin.
class TKsCustomForm : public TKsHook, public TSeFormFrame {
public:
    explicit TKsCustomForm(TComponent* owner);
    ~TKsCustomForm() override;

    // The form whose frame this is (the owner), or none.
    TCustomForm* Form() const;
    // The watched form's window when it has one; never makes one.
    HWND FormWindow() const;

    bool Blend() const { return blend_; }
    void SetBlend(bool value);
    int BlendValue() const { return blendValue_; }
    void SetBlendValue(int value);
    TKsBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TKsBorderIcons value);
    TKsBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TKsBorderStyle value);
    bool CanResize() const { return canResize_; }
    void SetCanResize(bool value);
    bool CanMove() const { return canMove_; }
    void SetCanMove(bool value);
    bool DropShadow() const { return dropShadow_; }
    void SetDropShadow(bool value);
    int ShadowWidth() const { return shadowWidth_; }
    void SetShadowWidth(int value);
    // Snapping to the work area's edges within MagneticValue design pixels.
    bool Magnetic() const { return magnetic_; }
    void SetMagnetic(bool value) { magnetic_ = value; }
    int MagneticValue() const { return magneticValue_; }
    void SetMagneticValue(int value) { magneticValue_ = value; }
    const TKsSizeConstraints& Constraints() const { return constraints_; }
    void SetConstraints(const TKsSizeConstraints& value);
    bool MinimizeApplication() const { return minimizeApplication_; }
    void SetMinimizeApplication(bool value) { minimizeApplication_ = value; }
    bool SimpleDrag() const { return simpleDrag_; }
    void SetSimpleDrag(bool value) { simpleDrag_ = value; }
    TKsAnimation ShowAnimation() const { return showAnimation_; }
    void SetShowAnimation(TKsAnimation value) { showAnimation_ = value; }
    int ShowAnimationTime() const { return showAnimationTime_; }
    void SetShowAnimationTime(int value) { showAnimationTime_ = value; }
    bool StayOnTop() const { return stayOnTop_; }
    void SetStayOnTop(bool value);
    // Passed to the system menu's popup.
    bool SysMenuBlend() const { return sysMenuBlend_; }
    void SetSysMenuBlend(bool value) { sysMenuBlend_ = value; }
    int SysMenuBlendValue() const { return sysMenuBlendValue_; }
    void SetSysMenuBlendValue(int value) { sysMenuBlendValue_ = value; }
    bool SysMenuDropShadow() const { return sysMenuDropShadow_; }
    void SetSysMenuDropShadow(bool value) { sysMenuDropShadow_ = value; }
    int SysMenuShadowWidth() const { return sysMenuShadowWidth_; }
    void SetSysMenuShadowWidth(int value) { sysMenuShadowWidth_ = value; }
    TKsAnimation SysMenuShowAnimation() const { return sysMenuShowAnimation_; }
    void SetSysMenuShowAnimation(TKsAnimation value) { sysMenuShowAnimation_ = value; }
    int SysMenuShowAnimationTime() const { return sysMenuShowAnimationTime_; }
    void SetSysMenuShowAnimationTime(int value) { sysMenuShowAnimationTime_ = value; }
    // True once the notification-area icon was added.
    bool CreateStatus() const { return createStatus_; }
    // The tip of the notification-area icon: the caption (or the application's title) the window
    // had when it went there, at most 63 characters.
    const std::wstring& TrayTip() const { return trayTip_; }
    // The hidden window that receives the notification-area icon's callback; made with the first icon.
    HWND UtilityWindow() const { return utilityWindow_.Get(); }
    // Lets the application draw over the client background.
    TKsFramePaintEvent OnPaint;
    // The form's skinned menu bar: it takes the keyboard's menu commands and the shortcut keys.
    TKsCustomMenuBar* MenuBar() const { return menuBar_; }
    void SetMenuBar(TKsCustomMenuBar* menuBar);
    // Shown instead of the system menu for a right click on the notification-area icon.
    TKsCustomPopupMenu* TrayMenu() const { return trayMenu_; }
    void SetTrayMenu(TKsCustomPopupMenu* menu);
    // The system menu as it was last built (it is built anew each time it is shown), or none.
    TKsCustomItem* SystemMenu() const { return systemMenu_; }

    // The form is a multiple-document child, and one that is maximized: its frame is then not
    // drawn, and its buttons are on the parent's menu bar.
    bool MDIChild() const;
    bool MaximizedMDIChild() const;
    // Nothing of the frame is painted until as many resumptions as suspensions have come; a popup
    // of the form's menu holds it while it appears, so that activation changes do not repaint it.
    void SuspendPainting()
    {
        if (paintSuspended_++ == 0) paintHeldBack_ = false;
    }
    // True when a paint of the frame was held back since the first suspension.
    bool ResumePainting()
    {
        --paintSuspended_;
        return paintHeldBack_;
    }

    TKsWindowState FrameWindowState() const { return states_.State(); }
    // The state before the last change; restore goes back to it.
    TKsWindowState PreviousWindowState() const { return states_.Previous(); }
    bool FrameActive() const { return frameActive_; }
    // The DPI of the form's window, at which the plain look, the shadow and the snapping are measured.
    int FrameDpi() const;
    // The shadow's width in pixels at the frame's DPI; ShadowWidth is in design pixels.
    int ShadowExtent() const;
    // The window size including the shadow, and the size of the frame itself.
    SIZE FullSize() const { return fullSize_; }
    SIZE FrameSize() const { return frameSize_; }

    // Recomputes the frame after a change: the system asks for the non-client area and region
    // again, the client area keeps its size, and the whole frame is repainted.
    void UpdateLayout();
    // Sets the form's bounds and paints every window of the thread that waits for it at once.
    void SetFormBounds(const TRect& bounds);
    // Paints the frame into the window (or into the animation image while a show animation is made).
    void PaintNonClient();

    // The frame operations the caption buttons, the skin's system buttons and the window-state
    // messages call.
    bool HasBorderIcon(TKsBorderIcon icon) const override { return borderIcons_.Contains(icon); }
    HICON FormIcon() const override;
    void Close() override;
    void ContextHelp() override;
    void Minimize() override;
    void Maximize() override;
    void Restore() override;
    void RollUp() override;
    void MinimizeToTray() override;
    void ShowSystemMenu() override;
    void CustomAction(TSeSkinObject& button) override {}

    // The drawing and geometry operations, all in window coordinates of the current frame size.
    virtual void RebuildWindowRegion();
    virtual TRegionHandle CreateRegion();
    // An item of the kind the system menu is made of, owned by owner.
    virtual TKsCustomItem* CreateItem(TComponent* owner);
    // The rectangle of a caption button (close, help, minimize, maximize, roll-up, tray) or of the
    // system-menu icon; empty when the frame has none.
    virtual TRect CaptionButtonRect(TKsBorderIcon button);
    virtual TRect ClientRect();
    virtual TRect RollupRect();
    virtual TRect MinimizedRect();
    virtual TRect MaximizedRect();
    virtual SIZE MaximumSize();
    virtual SIZE MinimumSize();
    virtual void PaintFrame(TKsBitmap& buffer);
    virtual void PaintClientBackground(TKsBitmap& buffer);
    virtual TKsFramePart HitTest(TPoint point);
    // How many pixels the caption's text room, between the system-menu icon and the caption
    // buttons, lacks at the frame's current size to show text whole; 0 when it fits.
    virtual int CaptionShortfall(const std::wstring& text);

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void WindowRecreated() override;

    // Frame mouse input in window coordinates; the skinned class passes it on to its skin objects.
    virtual void FrameMouseDown(TMouseButton button, TShiftState shift, TPoint point);
    virtual void FrameMouseMove(TShiftState shift, TPoint point);
    virtual void FrameMouseUp(TMouseButton button, TShiftState shift, TPoint point);
    // The window became active or inactive.
    virtual void FrameActivated(bool active) {}
    // The skin's (or the plain) state index of the window state: normal 0, maximized 2,
    // minimized 3, rolled up 4, tray 3.
    int StateIndex() const;
    // Runs a window-state request made while loading, once loading is over.
    void RequestWindowState(TKsWindowState state);
    bool Loading() const { return IsLoading(); }
    // The form's caption as the window holds it.
    std::wstring CaptionText() const;
    // Whether part is the pressed caption button with the pointer still over it.
    bool ButtonPressed(TKsFramePart part);
    // Puts the notification-area icon with this tip in place, or takes it away; true on success.
    bool AddTrayIcon(const std::wstring& tip);
    void RemoveTrayIcon();
    // The platform's notification-area call (Shell_NotifyIconW) for the frame's icon; true on success.
    virtual bool NotifyIcon(DWORD message, NOTIFYICONDATAW& data);
    // True while the form runs modally: it is then neither minimized nor closed, only given a result.
    bool FormModal() const;

    // The plain look, also the skinned class's fallback.
    TRect PlainClientRect();
    TRect PlainCaptionButtonRect(TKsBorderIcon button);
    void PlainPaintFrame(TKsBitmap& buffer);
    void PlainPaintClientBackground(TKsBitmap& buffer);
    TKsFramePart PlainHitTest(TPoint point);
    // Where the plain caption's text goes: right of the icon, left of the buttons.
    TRect PlainCaptionTextRect();

private:
    // Messages.
    void HitTestMessage(TMessage& message);
    void CalcSizeMessage(TMessage& message);
    void ActivateMessage(TMessage& message);
    void PositionChanging(TMessage& message);
    void EraseMessage(TMessage& message);
    void PaintMessage(TMessage& message);
    void PaintToMessage(TMessage& message);
    void NonClientMouse(TMessage& message);
    void TrackedMouse(TMessage& message);
    void SystemCommand(TMessage& message);

    // The utility window and the notification-area icon's callback.
    void CreateUtilityWindow();
    static LRESULT CALLBACK UtilityProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void UtilityMessage(TMessage& message);
    // Shows the form (or the application) again after the notification area, without its icon.
    void LeaveTray();
    // Brings the window back from the platform's minimized state (or the application's).
    void LeavePlatformMinimized();
    // Hides the form (or the application) behind a notification-area icon.
    void EnterTray();
    // What the state machine is told of the window with each request.
    TKsStateContext StateContext();
    // Does to the window what a change of its state asks for.
    void CarryOut(const TKsStateChange& change);
    // After every change of the window state.
    void StateChanged();

    // The system menu.
    void KeyMenuCommand(TMessage& message);
    void BuildSystemMenu();
    void RunSystemCommand(int command);
    // The form's shortcut event, chained: the menu bar first, then the handler that was there.
    bool FormShortCut(WPARAM key, LPARAM keyData);

    // Multiple documents.
    class TMDIClientHook;
    // The frame of the parent of this child, and that frame's menu bar.
    TKsCustomForm* ParentFrame() const;
    TKsCustomMenuBar* ParentMenuBar() const;
    // The parent's client window, and its client area in this child's coordinates.
    HWND ParentClientWindow() const;
    TRect ParentClientArea() const;
    // The child's frame shows or hides, its buttons go to the parent's menu bar or leave it, and
    // the parent's caption names it or not, as its state says.
    void UpdateMDIState();
    void UpdateParentCaption();
    void SetParentSuffix(const std::wstring& suffix);
    void MDIActivate(HWND activated);
    void HookParentClient();

    // Mouse tracking.
    void DragTo(TPoint point);
    void EndDrag(bool replay);
    TRect SnapToWorkArea(const TRect& bounds) const;
    // The form's bounds where SetFormBounds takes them: on the screen, or in the parent's client
    // window for a multiple-document child.
    TRect FormRect() const;
    void DrawOutline(const TRect& rect);
    void PerformPart(TKsFramePart part);

    // Painting.
    TKsBitmap* PaintBuffer();
    void CopyFrameStrips(TKsBitmap& buffer, HDC target, int x, int y);
    void PaintShadow(HDC target);
    void CaptureBackground(const TRect& rect);
    TRect WindowScreenRect() const;
    void RunShowAnimation();

    // Window styles and geometry.
    void ApplyFormStyle();
    // Moves the window into the topmost band, or out of it, as StayOnTop says.
    void PlaceInTopBand();
    void StoreSize(int width, int height);
    // The window's client area, at its bounds, is the one the frame gives it.
    bool HasFrameClientArea(HWND window, const TRect& bounds);

    TKsWindowStateMachine states_;
    std::optional<TKsWindowState> loadingState_;

    SIZE fullSize_{0, 0};
    SIZE frameSize_{0, 0};

    TKsFramePart pressedPart_ = fpClient;
    TPoint downPoint_;
    TPoint lastPoint_;
    TShiftState shift_ = 0;
    bool dragging_ = false;
    std::optional<TRect> outline_;
    std::optional<TPoint> popupPoint_;

    bool frameActive_ = false;
    int paintSuspended_ = 0;
    bool paintHeldBack_ = false;
    // The window has a region of the frame's.
    bool windowRegion_ = false;
    TKsCustomMenuBar* menuBar_ = nullptr;
    TKsCustomPopupMenu* trayMenu_ = nullptr;
    TKsCustomItem* systemMenu_ = nullptr;
    bool systemMenuShowing_ = false;
    std::function<bool(WPARAM, LPARAM)> previousShortCut_;
    bool shortCutChained_ = false;
    TKsHook* clientHook_ = nullptr;
    bool mdiFrameHidden_ = false;
    // What this child added to its parent's caption while maximized, and that parent.
    std::wstring parentSuffix_;
    TCustomForm* suffixParent_ = nullptr;
    bool relayout_ = false;
    bool animating_ = false;
    std::wstring lastCaption_;
    bool captionSeen_ = false;
    bool captionStripped_ = false;
    bool outlineMode_ = false;

    std::unique_ptr<TKsBitmap> background_;
    std::optional<TRect> backgroundRect_;
    std::unique_ptr<TKsBitmap> blendBuffer_;
    std::unique_ptr<TKsBitmap> animationBuffer_;

    bool blend_ = false;
    int blendValue_ = 150;
    TKsBorderIcons borderIcons_{kbiClose, kbiSystemMenu, kbiMinimize, kbiMaximize, kbiRollup, kbiTray};
    TKsBorderStyle borderStyle_ = kbsStandard;
    bool canResize_ = true;
    bool canMove_ = true;
    bool dropShadow_ = false;
    int shadowWidth_ = 4;
    bool magnetic_ = true;
    int magneticValue_ = 20;
    TKsSizeConstraints constraints_;
    bool minimizeApplication_ = true;
    bool simpleDrag_ = false;
    TKsAnimation showAnimation_ = kaNone;
    int showAnimationTime_ = 400;
    bool stayOnTop_ = false;
    bool sysMenuBlend_ = false;
    int sysMenuBlendValue_ = 150;
    bool sysMenuDropShadow_ = false;
    int sysMenuShadowWidth_ = 4;
    TKsAnimation sysMenuShowAnimation_ = kaNone;
    int sysMenuShowAnimationTime_ = 300;
    bool createStatus_ = false;
    bool trayIconShown_ = false;
    std::wstring trayTip_;
    TWindowHandle utilityWindow_;
};

// The tip of the notification-area icon: at most 63 characters, never ending inside a character
// that takes two UTF-16 units.
std::wstring CutTrayTip(const std::wstring& text);

// The frame that draws form (the first one the form owns), or none.
TKsCustomForm* FormFrameOf(const TComponent* form);
// The icon of a window that has none of its own: the program's.
HICON ProgramIcon();
