#pragma once

#include "skinctl/KsControls.h"
#include "skinctl/KsEditCaret.h"
#include "skinctl/KsEditLayout.h"
#include "skinctl/KsEditMeasure.h"
#include "skinctl/KsEditPassword.h"
#include "skinctl/KsEditText.h"
#include "skinwin/KsMenus.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

// The commands of the edit's context menu.
enum TEditMenuCommand { emcUndo, emcCut, emcCopy, emcPaste, emcDelete, emcSelectAll };

// A single-line text box that keeps, draws and edits its text itself: caret, selection, horizontal
// scrolling, clipboard, undo and typing through input methods. Positions count UTF-16 units and
// always lie between whole characters; MaxLength counts the bytes the text takes in the ANSI code page.
class TKsCustomEdit : public TKsCustomControl {
public:
    explicit TKsCustomEdit(TComponent* owner);
    ~TKsCustomEdit() override;

    // Text() and SetText() of TControl: text set this way replaces the undo history.
    int SelStart() const { return content_.SelStart(); }
    void SetSelStart(int pos);
    int SelLength() const { return content_.SelLength(); }
    void SetSelLength(int length);
    std::wstring SelText() const { return content_.SelectedText(); }
    int CaretPos() const { return content_.Caret(); }
    // The first character shown at the left edge of the text rectangle.
    int FirstVisible() const { return firstVisible_; }
    void SelectAll();

    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool autoSelect) { autoSelect_ = autoSelect; }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    using TKsCustomControl::BorderStyle;
    // Also fits the height to the new border when AutoSize is set.
    void SetBorderStyle(TBorderStyle style) override;
    TEditCharCase CharCase() const { return content_.CharCase(); }
    void SetCharCase(TEditCharCase charCase);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool hideSelection);
    int MaxLength() const { return content_.MaxLength(); }
    void SetMaxLength(int maxLength) { content_.SetMaxLength(maxLength); }
    bool ReadOnly() const { return content_.ReadOnly(); }
    void SetReadOnly(bool readOnly) { content_.SetReadOnly(readOnly); }
    wchar_t PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(wchar_t passwordChar);
    TPasswordKind PasswordKind() const { return passwordKind_; }
    void SetPasswordKind(TPasswordKind kind);
    TAlignment TextAlignment() const { return textAlignment_; }
    void SetTextAlignment(TAlignment alignment);

    // The commands of the keys, the context menu and the clipboard messages.
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void ClearSelection();
    void Undo();
    bool CanUndo() const { return content_.CanUndo(); }
    // Whether the context menu offers the command now (its entry is enabled), and running it.
    bool CommandEnabled(TEditMenuCommand command) const;
    void RunCommand(TEditMenuCommand command);

    // The context menu: "Undo", "Cut", "Copy", "Paste", "Delete", "Select All", made when the edit
    // has finished loading (or at its first request) and owned by the edit.
    TKsCustomPopupMenu* PopupMenu() const { return popupMenu_; }
    // Its look, given to it each time it opens.
    bool PopupMenuBlend() const { return popupOptions_.PopupBlend; }
    void SetPopupMenuBlend(bool value) { popupOptions_.PopupBlend = value; }
    int PopupMenuBlendValue() const { return popupOptions_.PopupBlendValue; }
    void SetPopupMenuBlendValue(int value) { popupOptions_.PopupBlendValue = value; }
    bool PopupMenuDropShadow() const { return popupOptions_.DropShadow; }
    void SetPopupMenuDropShadow(bool value) { popupOptions_.DropShadow = value; }
    int PopupMenuShadowWidth() const { return popupOptions_.ShadowWidth; }
    void SetPopupMenuShadowWidth(int value) { popupOptions_.ShadowWidth = value; }
    TKsAnimation PopupMenuShowAnimation() const { return popupOptions_.ShowAnimation; }
    void SetPopupMenuShowAnimation(TKsAnimation value) { popupOptions_.ShowAnimation = value; }
    int PopupMenuShowAnimationTime() const { return popupOptions_.ShowAnimationTime; }
    void SetPopupMenuShowAnimationTime(int value) { popupOptions_.ShowAnimationTime = value; }

    std::function<void()> OnChange;

protected:
    // The rectangle the text is drawn in: the content shrunk by 2, one line of the font high.
    virtual TRect TextRect();
    virtual int PasswordCellWidth();
    // The text rectangle between the caret x of the selection's two ends.
    virtual TRect SelectionRect();
    virtual void PaintText();
    virtual void PaintTextBackground(const TRect& rect, TKsBitmap& target);
    virtual void PaintSelectedText();
    virtual void PaintPasswordCell(const TRect& rect, bool highlighted);
    // Asked before any new text is stored; false keeps the old text.
    virtual bool AcceptText(const std::wstring& text) { return true; }
    virtual void ShowCaret();
    virtual void HideCaret();
    // The text changed: repaint, then OnChange.
    virtual void Change();
    virtual TKsCustomPopupMenu* MakePopupMenu(TComponent* owner);
    virtual TKsCustomItem* MakeMenuItem(TComponent* owner);
    // Enables the entries by the commands' rules and gives the menu its look.
    virtual void UpdatePopupMenu();

    // The look of the box: disabled, focused, hot or normal. The focus wins over the pointer, so the
    // box that typing goes to always shows it.
    TSeState FieldState() const;
    bool ShowsHot() const override { return true; }

    void PaintFace() override;
    void Loaded() override;
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    std::wstring GetTextValue() const override { return content_.Text(); }
    void SetTextValue(const std::wstring& text) override;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DblClick() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(wchar_t& key) override;
    void DoEnter() override;
    void DoExit() override;

private:
    TKsEditLayout Layout();
    // Re-clamps the caret, scrolls it into view, moves the platform caret and repaints.
    void CaretChanged();
    int HitTest(int x);
    void AdjustHeight();
    void FontChanged();
    bool SelectionShown() const { return HasFocus() || !hideSelection_; }
    void DrawVisibleText(const TRect& clip, COLORREF color);
    bool Handles(TMessage& message);
    void BuildPopupMenu();
    // Shows the context menu at the screen point of the request, or below the caret for a request
    // from the keyboard.
    void ShowPopupMenu(LPARAM point);

    // The text with its caret, selection and undo history: the one place the edit's text lives.
    TKsEditText content_;
    TKsEditMeasure measure_;
    TKsEditCaret caret_;
    int firstVisible_ = 0;
    bool mouseSelecting_ = false;
    // The mouse is captured by the left press and not yet released.
    bool capturing_ = false;
    bool autoSelect_ = true;
    bool autoSize_ = true;
    bool hideSelection_ = true;
    wchar_t passwordChar_ = 0;
    TPasswordKind passwordKind_ = pkNone;
    TAlignment textAlignment_ = taLeftJustify;
    TKsCustomPopupMenu* popupMenu_ = nullptr;
    std::vector<std::pair<TKsCustomItem*, TEditMenuCommand>> menuEntries_;
    TKsMenuPopupOptions popupOptions_{false, 150, true, 4, kaNone, 300};
};
