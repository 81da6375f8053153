#include "skinctl/KsEdits.h"

#include "framework/Clipboard.h"

#include <windowsx.h>

#include <optional>

namespace {

struct TEditMenuEntry {
    const wchar_t* Caption;
    std::optional<TEditMenuCommand> Command;
};

const TEditMenuEntry kEditMenu[] = {
    {L"Undo", emcUndo},   {L"-", std::nullopt},   {L"Cut", emcCut},     {L"Copy", emcCopy},
    {L"Paste", emcPaste}, {L"Delete", emcDelete}, {L"-", std::nullopt}, {L"Select All", emcSelectAll},
};

} // namespace

TKsCustomPopupMenu* TKsCustomEdit::MakePopupMenu(TComponent* owner) { return new TKsCustomPopupMenu(owner); }

TKsCustomItem* TKsCustomEdit::MakeMenuItem(TComponent* owner) { return new TKsCustomItem(owner); }

void TKsCustomEdit::Loaded()
{
    TKsCustomControl::Loaded();
    BuildPopupMenu();
}

void TKsCustomEdit::BuildPopupMenu()
{
    if (popupMenu_) return;
    popupMenu_ = MakePopupMenu(this);
    for (const TEditMenuEntry& entry : kEditMenu) {
        TKsCustomItem* item = MakeMenuItem(popupMenu_);
        item->SetCaption(entry.Caption);
        popupMenu_->Items()->Add(item);
        if (!entry.Command) continue;
        TEditMenuCommand command = *entry.Command;
        item->OnClick = [this, command](TKsCustomItem*) { RunCommand(command); };
        menuEntries_.emplace_back(item, command);
    }
}

void TKsCustomEdit::UpdatePopupMenu()
{
    for (auto& [item, command] : menuEntries_) item->SetEnabled(CommandEnabled(command));
    popupMenu_->SetPopupOptions(popupOptions_);
}

void TKsCustomEdit::ShowPopupMenu(LPARAM point)
{
    BuildPopupMenu();
    UpdatePopupMenu();
    // A drag selection in progress ends: the menu takes the mouse.
    mouseSelecting_ = false;
    if (capturing_) ReleaseCapture();
    TPoint at{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    if (point == -1) at = ClientToScreen({caret_.Exists() ? caret_.Position().X : TextRect().Left, TextRect().Bottom});
    popupMenu_->Popup(at.X, at.Y);
}

bool TKsCustomEdit::CommandEnabled(TEditMenuCommand command) const
{
    bool selected = content_.HasSelection();
    bool masked = passwordKind_ != pkNone;
    switch (command) {
    case emcUndo:
        return content_.CanUndo() && !ReadOnly();
    case emcCut:
        return selected && !masked && !ReadOnly();
    case emcCopy:
        return selected && !masked;
    case emcPaste:
        return ClipboardHasText() && !ReadOnly();
    case emcDelete:
        return selected && !ReadOnly();
    case emcSelectAll:
        return content_.SelLength() != content_.Length();
    }
    return false;
}

void TKsCustomEdit::RunCommand(TEditMenuCommand command)
{
    switch (command) {
    case emcUndo:
        Undo();
        break;
    case emcCut:
        CutToClipboard();
        break;
    case emcCopy:
        CopyToClipboard();
        break;
    case emcPaste:
        PasteFromClipboard();
        break;
    case emcDelete:
        ClearSelection();
        break;
    case emcSelectAll:
        SelectAll();
        break;
    }
}
