#include "skinctl/KsEdits.h"

#include "framework/Clipboard.h"

void TKsCustomEdit::CopyToClipboard()
{
    // A masked text never leaves the edit.
    if (passwordKind_ != pkNone || !content_.HasSelection()) return;
    SetClipboardText(Handle(), content_.SelectedText());
}

void TKsCustomEdit::CutToClipboard()
{
    CopyToClipboard();
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
