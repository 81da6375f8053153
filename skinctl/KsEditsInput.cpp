#include "skinctl/KsEdits.h"

namespace {

constexpr TShiftState kModifiers = ssShift | ssCtrl | ssAlt;

// Exactly this modifier and no other.
bool Only(TShiftState shift, TShiftState modifier) { return (shift & kModifiers) == modifier; }

} // namespace

void TKsCustomEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TKsCustomControl::MouseDown(button, shift, x, y);
    if (button == mbLeft) {
        mouseSelecting_ = true;
        capturing_ = true;
        SetCapture(Handle());
    }
    if (!HasFocus() && CanFocus()) SetFocus();
    if (button != mbLeft) return;
    // A plain click starts a new selection at the caret; Shift extends the current one.
    content_.MoveCaret(HitTest(x), (shift & ssShift) && !(shift & ssDouble));
    CaretChanged();
}

void TKsCustomEdit::MouseMove(TShiftState shift, int x, int y)
{
    TKsCustomControl::MouseMove(shift, x, y);
    if (!mouseSelecting_) return;
    int pos = HitTest(x);
    // Dragging past the right edge reaches one character further, so the text scrolls on.
    if (x > TextRect().Right) pos = NextCharPos(content_.Text(), pos);
    content_.MoveCaret(pos, true);
    CaretChanged();
}

void TKsCustomEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TKsCustomControl::MouseUp(button, shift, x, y);
    if (button != mbLeft) return;
    mouseSelecting_ = false;
    if (capturing_) ReleaseCapture();
}

void TKsCustomEdit::DblClick()
{
    TKsCustomControl::DblClick();
    mouseSelecting_ = false;
    content_.SelectWord(content_.Caret());
    CaretChanged();
}

void TKsCustomEdit::KeyDown(WORD& key, TShiftState shift)
{
    TKsCustomControl::KeyDown(key, shift);
    switch (key) {
    case VK_BACK:
    case VK_DELETE:
        if (ReadOnly()) break;
        if (content_.HasSelection()) {
            if (Only(shift, ssShift))
                CutToClipboard();
            else
                content_.DeleteSelection();
        } else if (key == VK_DELETE) {
            content_.DeleteForward();
        } else {
            content_.Backspace();
        }
        break;
    case VK_HOME:
    case VK_END:
    case VK_LEFT:
    case VK_RIGHT:
        content_.MoveByKey(key, shift & ssCtrl, shift & ssShift);
        break;
    case VK_INSERT:
        if (Only(shift, ssCtrl)) CopyToClipboard();
        if (Only(shift, ssShift)) PasteFromClipboard();
        break;
    case 'A':
        if (Only(shift, ssCtrl)) content_.SelectAll();
        break;
    case 'C':
        if (Only(shift, ssCtrl)) CopyToClipboard();
        break;
    case 'V':
        if (Only(shift, ssCtrl)) PasteFromClipboard();
        break;
    case 'X':
        if (Only(shift, ssCtrl)) CutToClipboard();
        break;
    case 'Z':
        if (Only(shift, ssCtrl)) Undo();
        break;
    default:
        break;
    }
    CaretChanged();
}

void TKsCustomEdit::KeyPress(wchar_t& key)
{
    TKsCustomControl::KeyPress(key);
    if (key == 0) return;
    content_.TypeUnit(key);
    CaretChanged();
}
