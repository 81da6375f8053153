#include "skinctl/KsEdits.h"

#include "framework/Clipboard.h"

bool TKsCustomEdit::CommandEnabled(TEditMenuCommand command) const
{
    bool selected = text_.HasSelection();
    bool masked = passwordKind_ != pkNone;
    switch (command) {
    case emcUndo:
        return text_.CanUndo() && !ReadOnly();
    case emcCut:
        return selected && !masked && !ReadOnly();
    case emcCopy:
        return selected && !masked;
    case emcPaste:
        return ClipboardHasText() && !ReadOnly();
    case emcDelete:
        return selected && !ReadOnly();
    case emcSelectAll:
        return text_.SelLength() != text_.Length();
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
