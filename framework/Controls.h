#pragma once

#include "framework/AccessibleWatch.h"
#include "framework/Canvas.h"
#include "framework/Component.h"
#include "framework/Dpi.h"
#include "framework/Graphics.h"
#include "framework/Messages.h"
#include "framework/Types.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// One window message as the controls' handlers see it.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// Where a control docks inside its parent's client area.
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Border of a windowed control.
enum TBorderStyle { bsNone, bsSingle };

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Keys and mouse buttons held during an input message, and the double-click mark.
enum TShiftFlag : unsigned {
    ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64
};
using TShiftState = unsigned;
// The keyboard's Shift, Ctrl and Alt as they are now.
TShiftState KeyboardShiftState();
// The shift state of a mouse message: its MK_ flags in wParam, plus Alt as it is now.
TShiftState MouseShiftState(WPARAM mouseFlags);

class TWinControl;
class TAccessibleObject;

// A visual element with a parent, bounds and a message handler. WndProc turns the input, focus and
// hover messages into the protected handlers below once, for every control; a class overrides the
// handlers it needs and calls the base. WndProc itself stays for the rare message without a handler.
class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode mode) { biDiMode_ = mode; }

    int Left() const { return bounds_.Left; }
    int Top() const { return bounds_.Top; }
    int Width() const { return bounds_.Width(); }
    int Height() const { return bounds_.Height(); }
    const TRect& BoundsRect() const { return bounds_; }
    virtual void SetBounds(int left, int top, int width, int height);
    void SetBoundsRect(const TRect& rect) { SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height()); }
    // The area children and painting use, in the control's own coordinates.
    virtual TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font);
    // True while the control takes its font from its parent (the default); SetFont clears it.
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont);

    // The text of the control; buttons, labels, group boxes and forms call it their caption.
    std::wstring Text() const { return GetTextValue(); }
    void SetText(const std::wstring& text);
    std::wstring Caption() const { return Text(); }
    void SetCaption(const std::wstring& caption) { SetText(caption); }

    // A short help text for the control; kept for whoever shows hints.
    const std::wstring& Hint() const { return hint_; }
    void SetHint(const std::wstring& hint) { hint_ = hint; }

    // True between the mouse enter and mouse leave notifications.
    bool MouseInControl() const { return mouseInControl_; }

    // The DPI the control's form is laid out for. A control on no form takes its owning control's;
    // without one it is 96, the DPI of the design units.
    virtual int Dpi() const;
    // A length in design units, at the control's DPI.
    int ScaleValue(int designValue) const { return ScaleByDpi(designValue, Dpi()); }

    // Asks for a repaint of the control's area.
    virtual void Invalidate();
    // Paints what is invalid now instead of waiting for the message loop.
    virtual void Update();

    TPoint ClientToScreen(TPoint point) const;
    TPoint ScreenToClient(TPoint point) const;
    // The offset of this control's client origin within its parent's client area.
    virtual TPoint ClientOrigin() const;

    // Hands a message straight to this control's handler chain, without the message queue.
    LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);

    // Runs OnClick; controls call it when the user activates them.
    virtual void Click();
    std::function<void()> OnClick;
    std::function<void()> OnEnter;
    std::function<void()> OnExit;
    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;

protected:
    virtual void WndProc(TMessage& message);
    // The window's default handling; without a window nothing happens.
    virtual void DefaultHandler(TMessage& message);

    virtual std::wstring GetTextValue() const { return text_; }
    virtual void SetTextValue(const std::wstring& text) { text_ = text; }
    // Called when the control's bounds changed in the object (not yet on the screen).
    virtual void BoundsChanged() {}
    // The form moved from fromDpi to toDpi: the control's bounds and its own font follow. A class
    // with other lengths in pixels rescales them too and calls the base.
    virtual void ChangeScale(int fromDpi, int toDpi);

    // Mouse input in client coordinates. A double click arrives as a MouseDown with ssDouble, then DblClick.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y) {}
    virtual void MouseMove(TShiftState shift, int x, int y) {}
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y) {}
    virtual void DblClick() {}
    // The wheel turned by delta (120 per notch, positive away from the user) with the pointer at the
    // screen point; true when the control used it, otherwise the window's default handling runs.
    virtual bool MouseWheel(TShiftState shift, int delta, TPoint screenPoint) { return false; }
    // Keys: a handler that uses the key sets it to 0, and the window's default handling is skipped.
    virtual void KeyDown(WORD& key, TShiftState shift) {}
    virtual void KeyUp(WORD& key, TShiftState shift) {}
    virtual void KeyPress(wchar_t& key) {}
    // A character typed with Alt, or typed while the focused control takes no characters: true when
    // this control used it as its mnemonic.
    virtual bool DialogChar(wchar_t key) { return false; }
    // A key that dialogs use (Tab, arrows, Enter, Escape) pressed while the focused control does not
    // want it: true when this control used it.
    virtual bool DialogKey(WORD key, TShiftState shift) { return false; }
    // The pointer came over the control or left it; the base fires OnMouseEnter and OnMouseLeave.
    virtual void MouseEnter();
    virtual void MouseLeave();
    // The focus came to the control or left it; the base fires OnEnter and OnExit.
    virtual void DoEnter();
    virtual void DoExit();

    // Moves the stored bounds without telling the platform (used when the platform moved the window).
    void UpdateBoundsRect(const TRect& bounds);
    // Forwards enabled/visible/text/font notifications to the subclasses' handlers.
    void Changed(UINT notification, WPARAM wParam = 0);

    std::wstring text_;

private:
    friend class TWinControl;
    friend class TCustomForm;
    void HandleMouse(TMessage& message);
    void HandleKey(TMessage& message);
    void FontChanged();

    TWinControl* parent_ = nullptr;
    TBiDiMode biDiMode_ = bdLeftToRight;
    TRect bounds_;
    TAlign align_ = alNone;
    bool visible_ = true;
    bool enabled_ = true;
    bool parentFont_ = true;
    bool mouseInControl_ = false;
    bool mousePressed_ = false;
    TColor color_ = clBtnFace;
    TFont font_;
    std::wstring hint_;
};

// A control without a window: its parent paints it (into the parent's window or into any drawing
// context the parent chooses) and hands it the mouse input that falls on it.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);

    // Paints the control into dc, whose origin is the parent's client origin.
    void PaintTo(HDC dc);
    void Invalidate() override;
    void Update() override;

protected:
    // Draws the control on Canvas(), whose origin is the control's top left corner.
    virtual void Paint() {}
    TCanvas& Canvas() { return canvas_; }
    void WndProc(TMessage& message) override;

private:
    TCanvas canvas_;
};

// The window class and styles a windowed control is made with.
struct TCreateParams {
    std::wstring Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    // A standard platform class to sub-class (for example L"BUTTON"); empty for a window of our own.
    std::wstring StandardClass;
    // The name our class is registered under; every distinct name is registered once.
    std::wstring ClassName;
    UINT ClassStyle = CS_DBLCLKS;
    HCURSOR Cursor = nullptr;
    // The creation data the window's class reads (CreateWindowExW's last argument).
    void* Param = nullptr;
};

// A control with a window of its own. The window is made when it is first needed and made again
// when a style changes; everything the control holds survives the re-creation.
class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // The window, made on first use together with the windows of the visible children.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }
    // Destroys the window and makes it again with the current styles, keeping the control's state.
    void RecreateWnd();
    // Releases the window; the control keeps its state and makes a new window when asked.
    void DestroyHandle();
    // Takes over a window made elsewhere: its procedure is sub-classed and its messages reach this
    // control's handlers, the rest going to the window's own procedure. ReleaseWindow gives it back
    // untouched (also when the window is destroyed first); destroying the control releases it too.
    void AttachToWindow(HWND window);
    void ReleaseWindow();
    bool Attached() const { return attached_; }

    // All child controls, windowed or not, in the order they were given this parent.
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(index); }
    // The child that contains the client point, topmost first; window-less and visible ones only
    // unless allowWindowed is set.
    TControl* ControlAtPos(TPoint point, bool allowDisabled, bool allowWindowed = false) const;

    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
    // The windowed descendants in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    // The next (or previous) focusable control after current among this control's descendants.
    TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const;
    // Moves the focus to FindNextControl's choice, wrapping around.
    void SelectNext(TWinControl* current, bool forward, bool checkTabStop);

    bool Focused() const;
    virtual bool CanFocus() const;
    virtual void SetFocus();
    // True when the control and all its parents are visible and its window exists.
    bool Showing() const;

    // Paints the visible window-less children into dc, whose origin is this control's client origin.
    void PaintControls(HDC dc);

    // Moves the aligned children into place; called when bounds or alignments change.
    void Realign();

    void SetBounds(int left, int top, int width, int height) override;
    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    void Invalidate() override;
    void Update() override;

    // The control whose window this is, or none.
    static TWinControl* FindControl(HWND window);

protected:
    virtual void CreateParams(TCreateParams& params);
    // Makes the window from the create parameters and then the windows of the children.
    virtual void CreateWnd();
    // Called after the window exists: controls push their stored state into it here.
    virtual void CreateWindowState() {}
    // Called before the window goes: controls pull state that lives in the window back here.
    virtual void SaveWindowState();
    // Destroys the window; a window that belongs to a container of the platform asks the container.
    virtual void DestroyWnd();
    // Draws the content of a window of our own; the base fills nothing (the background is erased).
    virtual void PaintWindow(HDC dc) {}
    // Fills the background of a window of our own into dc; flags is the erase request's lParam
    // (kEraseFromControl when a child asks for the background under it). True when it was painted.
    virtual bool EraseBackground(HDC dc, LPARAM flags);
    // The brush this control's background is filled with.
    HBRUSH BackgroundBrush();
    // A new accessible object for the part objectId of the window (OBJID_CLIENT: the control), with
    // one reference for the caller; none leaves the answer to the platform.
    virtual TAccessibleObject* CreateAccessible(LONG objectId) { return nullptr; }
    // Tells assistive tools what changed in the control's accessible description; every repaint
    // request asks.
    void AccessibleChanged();

    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    std::wstring GetTextValue() const override;
    void SetTextValue(const std::wstring& text) override;

private:
    friend class TControl;
    friend LRESULT CALLBACK FolvaneWndProc(HWND, UINT, WPARAM, LPARAM);

    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void CreateHandle();
    void DestroyWindowNow();
    void AttachWindow(HWND window);
    void DetachWindow();
    void UpdateShowing();
    void PaintHandler(TMessage& message);
    void EraseHandler(TMessage& message);
    void ReflectToChild(TMessage& message);
    void OfferDialogChar(TMessage& message);
    void HandleKeyDown(TMessage& message);
    void TrackMouseLeave();
    void RouteMouseToGraphicChild(TMessage& message);
    void SetHotGraphicChild(TControl* child);
    void AlignControls();

    HWND handle_ = nullptr;
    WNDPROC defaultProc_ = nullptr;
    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
    bool tabStop_ = false;
    bool recreating_ = false;
    bool aligning_ = false;
    bool trackingLeave_ = false;
    bool attached_ = false;
    TControl* hotGraphicChild_ = nullptr;
    TControl* capturedGraphicChild_ = nullptr;
    TBrushHandle backgroundBrush_;
    TColor backgroundBrushColor_ = clNone;
    TAccessibleWatch accessibleWatch_;
};

// A windowed control of our own class that paints itself on Canvas().
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);

protected:
    // Draws the control; Canvas() is attached to the paint context while it runs.
    virtual void Paint() {}
    TCanvas& Canvas() { return canvas_; }
    void PaintWindow(HDC dc) override;

private:
    TCanvas canvas_;
};

class TCustomForm;
// The form a control sits on, or none.
TCustomForm* GetParentForm(const TControl* control);
