#pragma once

#include "framework/Controls.h"

#include <functional>
#include <span>
#include <vector>

class TMainMenu;

enum TFormBorderStyle { fbsNone, fbsSingle, fbsSizeable, fbsDialog };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize };
// Where a form appears when it is first shown. The default positions leave the place to the form's
// bounds; the centres use the primary display (screen and desktop alike), the main form or the owner.
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
// The results a modal form ends with; 0 keeps it running.
enum TModalResult { mrNone, mrOk, mrCancel, mrAbort, mrRetry, mrIgnore, mrYes, mrNo, mrAll };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
// A multiple-document parent shows its children inside its client window; a child lives there.
enum TFormStyle { fsNormal, fsMDIForm, fsMDIChild };

// A top-level window of the program: caption, client size, position, icon, menu, the keyboard
// navigation between its controls, and the create, show and close events.
class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    // Runs OnCreate once; TApplication::CreateForm calls it when the form is fully built.
    void AfterConstruction();

    // Sizes the window so that its client area (below the menu bar) is width by height.
    void SetClientSize(int width, int height);

    // The DPI the form and its controls are laid out for. A form is built in design units (96 DPI)
    // and scaled to the DPI of its monitor when its window is made, and again when the window moves
    // to a monitor of another DPI.
    int Dpi() const override { return dpi_; }
    // Scales the form's client size and font and every control in it to dpi, then tells the form's
    // window (and so whatever watches it), the form and every control with CM_DPICHANGED.
    void ScaleToDpi(int dpi);
    // The form is built in pixels of dpi rather than in design units: a popup laid out by a control
    // at the control's DPI says so before its window is made.
    void SetBuiltDpi(int dpi) { dpi_ = dpi; }
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    bool HasBorderIcon(TBorderIcon icon) const { return (borderIcons_ >> icon) & 1; }
    void SetBorderIcons(std::initializer_list<TBorderIcon> icons);
    void SetBorderIcons(std::span<const TBorderIcon> icons);
    // Takes the icon of the window (a null icon removes it).
    void SetIcon(TIconHandle icon);
    HICON Icon() const { return icon_.Get(); }
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);

    TFormStyle FormStyle() const { return formStyle_; }
    // Makes the window again in the new style when it exists. A child needs its parent's window.
    void SetFormStyle(TFormStyle style);
    // The client window of a multiple-document parent, aligned to what the other controls leave;
    // none for other forms.
    TWinControl* MDIClient() const { return mdiClient_; }
    // The parent a multiple-document child lives in: its owner when that is a parent, else the
    // application's main form when that is one; none otherwise.
    TCustomForm* MDIParent() const;
    // The children of a multiple-document parent from the topmost down, and the active one.
    int MDIChildCount() const;
    TCustomForm* MDIChildren(int index) const;
    TCustomForm* ActiveMDIChild() const;

    // A key pressed on the form or one of its controls, before the controls see it: true when a
    // shortcut took it. The base asks OnShortCut, and a multiple-document child then its parent.
    virtual bool IsShortCut(WPARAM key, LPARAM keyData);
    std::function<bool(WPARAM key, LPARAM keyData)> OnShortCut;

    TRect ClientRect() const override;

    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);

    // The result a button of the form sets when it is clicked (0: none).
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }

    // Shows the form and runs the application's messages until a modal result is set or the
    // application terminates (then the result is mrCancel); the program's other windows are disabled
    // meanwhile. Returns the modal result.
    int ShowModal();
    // True while ShowModal runs.
    bool Modal() const { return modal_; }

    // Asks CloseQuery and then OnClose; the main form's close ends the application. A modal form
    // only takes mrCancel as its modal result.
    void Close();
    // True when the form may close now; the base asks OnCloseQuery.
    virtual bool CloseQuery();

    std::function<void()> OnCreate;
    std::function<void()> OnShow;
    std::function<void()> OnHide;
    std::function<bool()> OnCloseQuery;
    std::function<void(TCloseAction&)> OnClose;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void SaveWindowState() override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;
    // A multiple-document parent's default handling is the platform's frame procedure, a child's
    // the child procedure.
    void DefaultHandler(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    // The form's font and requested client size; its place on the screen stays.
    void ChangeScale(int fromDpi, int toDpi) override;
    // Tab and the arrows move the focus; Enter and Escape are offered to the controls.
    bool DialogKey(WORD key, TShiftState shift) override;

private:
    void ApplyClientSize();
    void PlaceOnScreen();
    void HandleCommand(TMessage& message);
    // Offers a typed character to the enabled, visible controls of parent, depth first, until one
    // takes it as its mnemonic.
    bool OfferMnemonic(TWinControl& parent, wchar_t key);
    // Offers a dialog key the same way.
    bool OfferDialogKey(TWinControl& parent, WORD key, TShiftState shift);
    // Hands message to every control inside parent, depth first.
    void NotifyControls(TWinControl& parent, TMessage& message);
    void ScaleControls(TWinControl& parent, int fromDpi, int toDpi);
    // WM_DPICHANGED: the new DPI and the window rectangle the platform suggests for it.
    void MovedToDpi(int dpi, const RECT& suggested);
    HWND MDIClientWindow() const;
    std::vector<TCustomForm*> MDIChildList() const;

    int dpi_ = kDesignDpi;
    TPosition position_ = poDesigned;
    TFormBorderStyle borderStyle_ = fbsSizeable;
    unsigned borderIcons_ = (1u << biSystemMenu) | (1u << biMinimize) | (1u << biMaximize);
    int requestedClientWidth_ = -1;
    int requestedClientHeight_ = -1;
    bool shownBefore_ = false;
    bool silentShow_ = false;
    bool created_ = false;
    TIconHandle icon_;
    TMainMenu* menu_ = nullptr;
    TFormStyle formStyle_ = fsNormal;
    TWinControl* mdiClient_ = nullptr;
    TWinControl* activeControl_ = nullptr;
    int modalResult_ = 0;
    bool modal_ = false;
};

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
};
