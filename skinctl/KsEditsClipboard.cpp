#include "skinctl/KsEdits.h"

#include "framework/Clipboard.h"

// A clipboard that cannot be used now (another program holds it open) makes the clipboard commands
// do nothing, like any other command that does not apply: no message, and the text stays as it was.

void TKsCustomEdit::CopyToClipboard()
{
    // A masked text never leaves the edit.
    if (passwordKind_ != pkNone || !content_.HasSelection()) return;
    TrySetClipboardText(Handle(), content_.SelectedText());
}

void TKsCustomEdit::CutToClipboard()
{
    // A masked selection is only deleted; any other is deleted once the clipboard holds it.
    if (passwordKind_ == pkNone && content_.HasSelection() && !TrySetClipboardText(Handle(), content_.SelectedText())) return;
    ClearSelection();
}

void TKsCustomEdit::PasteFromClipboard()
{
    if (ReadOnly() || !ClipboardHasText()) return;
    content_.Paste(ClipboardText());
    CaretChanged();
}

void TKsCustomEdit::ClearSelection()
{
    content_.DeleteSelection();
    CaretChanged();
}

void TKsCustomEdit::Undo()
{
    if (ReadOnly()) return;
    content_.Undo();
    CaretChanged();
}
