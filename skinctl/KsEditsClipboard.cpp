#include "skinctl/KsEdits.h"

#include "framework/Clipboard.h"

void TKsCustomEdit::CopyToClipboard()
{
    // A masked text never leaves the edit.
    if (passwordKind_ != pkNone || !text_.HasSelection()) return;
    SetClipboardText(Handle(), text_.SelectedText());
}

void TKsCustomEdit::CutToClipboard()
{
    CopyToClipboard();
    ClearSelection();
}

void TKsCustomEdit::PasteFromClipboard()
{
    if (ReadOnly() || !ClipboardHasText()) return;
    text_.Paste(ClipboardText());
    CaretChanged();
}

void TKsCustomEdit::ClearSelection()
{
    text_.DeleteSelection();
    CaretChanged();
}

void TKsCustomEdit::Undo()
{
    if (ReadOnly()) return;
    text_.Undo();
    CaretChanged();
}
