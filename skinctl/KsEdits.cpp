#include "skinctl/KsEdits.h"

#include "skinctl/KsEditIme.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

namespace {

// The caret's width in design units: two pixels from 150 % on.
constexpr int kCaretWidth = 1;

} // namespace

TKsCustomEdit::TKsCustomEdit(TComponent* owner) : TKsCustomControl(owner)
{
    TKsCustomControl::SetBorderStyle(bsSingle);
    SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
    SetTabStop(true);
    content_.OnAccept = [this](const std::wstring& text) { return AcceptText(text); };
    content_.OnChange = [this] { Change(); };
}

TKsCustomEdit::~TKsCustomEdit() { Destroying(); }

void TKsCustomEdit::CreateParams(TCreateParams& params)
{
    TKsCustomControl::CreateParams(params);
    params.ClassName = L"Folvane.KsEdit";
    params.Cursor = LoadCursorW(nullptr, IDC_IBEAM);
}

void TKsCustomEdit::CreateWnd()
{
    TKsCustomControl::CreateWnd();
    AdjustHeight();
}

void TKsCustomEdit::SetTextValue(const std::wstring& text)
{
    content_.SetText(text);
    // A replaced text is shown from its start, scrolled only as far as the caret needs.
    firstVisible_ = 0;
    CaretChanged();
}

void TKsCustomEdit::Change()
{
    Invalidate();
    if (OnChange) OnChange();
}

TKsEditLayout TKsCustomEdit::Layout()
{
    measure_.SetFont(Font());
    TRect rect = TextRect();
    int cellWidth = passwordKind_ == pkNone ? 0 : PasswordCellWidth();
    return TKsEditLayout(
        content_.Text(), [this](std::wstring_view character) { return measure_.CharWidth(character); }, rect.Left,
        rect.Right, textAlignment_, cellWidth);
}

void TKsCustomEdit::CaretChanged()
{
    TKsEditLayout layout = Layout();
    firstVisible_ = layout.ScrollIntoView(content_.Caret(), ClampToChar(content_.Text(), firstVisible_));
    if (caret_.Exists()) caret_.MoveTo({layout.CaretX(content_.Caret(), firstVisible_), TextRect().Top});
    Invalidate();
}

int TKsCustomEdit::HitTest(int x) { return Layout().HitTest(x, firstVisible_); }

void TKsCustomEdit::SetSelStart(int pos)
{
    content_.SetSelStart(pos);
    CaretChanged();
}

void TKsCustomEdit::SetSelLength(int length)
{
    int anchor = content_.Anchor();
    content_.SetSelLength(length);
    if (content_.Anchor() != anchor) Invalidate();
}

void TKsCustomEdit::SelectAll()
{
    content_.SelectAll();
    CaretChanged();
}

void TKsCustomEdit::SetAutoSize(bool autoSize)
{
    if (autoSize_ == autoSize) return;
    autoSize_ = autoSize;
    AdjustHeight();
}

void TKsCustomEdit::SetBorderStyle(TBorderStyle style)
{
    if (BorderStyle() == style) return;
    TKsCustomControl::SetBorderStyle(style);
    AdjustHeight();
    CaretChanged();
}

void TKsCustomEdit::SetCharCase(TEditCharCase charCase)
{
    content_.SetCharCase(charCase);
    CaretChanged();
}

void TKsCustomEdit::SetHideSelection(bool hideSelection)
{
    if (hideSelection_ == hideSelection) return;
    hideSelection_ = hideSelection;
    Invalidate();
}

void TKsCustomEdit::SetPasswordChar(wchar_t passwordChar)
{
    if (passwordChar_ == passwordChar) return;
    passwordChar_ = passwordChar;
    if (passwordChar != 0) passwordKind_ = pkChar;
    CaretChanged();
}

void TKsCustomEdit::SetPasswordKind(TPasswordKind kind)
{
    if (passwordKind_ == kind) return;
    passwordKind_ = kind;
    CaretChanged();
}

void TKsCustomEdit::SetTextAlignment(TAlignment alignment)
{
    if (textAlignment_ == alignment) return;
    textAlignment_ = alignment;
    CaretChanged();
}

void TKsCustomEdit::AdjustHeight()
{
    if (!autoSize_) return;
    measure_.SetFont(Font());
    int height = 2 * TextRect().Top + measure_.LineHeight();
    if (height != Height()) SetBounds(Left(), Top(), Width(), height);
}

void TKsCustomEdit::FontChanged()
{
    measure_.SetFont(Font());
    AdjustHeight();
    if (caret_.Exists()) caret_.Create(Handle(), ScaleValue(kCaretWidth), measure_.LineHeight());
    CaretChanged();
    if (caret_.Exists()) {
        caret_.Place();
        ShowCaret();
    }
}

void TKsCustomEdit::ShowCaret() { caret_.Show(); }

void TKsCustomEdit::HideCaret() { caret_.Hide(); }

void TKsCustomEdit::DoEnter()
{
    TKsCustomControl::DoEnter();
    measure_.SetFont(Font());
    caret_.Create(Handle(), ScaleValue(kCaretWidth), measure_.LineHeight());
    content_.MoveCaret(0, false);
    CaretChanged();
    caret_.Place();
    ShowCaret();
    if (autoSelect_) SelectAll();
}

void TKsCustomEdit::DoExit()
{
    TKsCustomControl::DoExit();
    caret_.Destroy();
}

// The messages the edit answers itself; true when the message needs nothing more.
bool TKsCustomEdit::Handles(TMessage& message)
{
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return true;
    case WM_CUT:
        CutToClipboard();
        return true;
    case WM_COPY:
        CopyToClipboard();
        return true;
    case WM_PASTE:
        PasteFromClipboard();
        return true;
    case WM_CLEAR:
        ClearSelection();
        return true;
    case WM_UNDO:
        Undo();
        return true;
    case WM_IME_CHAR: {
        // Characters committed by an input method; a character outside the basic plane comes as
        // two messages, one per surrogate half.
        auto unit = static_cast<wchar_t>(message.WParam);
        KeyPress(unit);
        return true;
    }
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_COMPOSITION:
        if (caret_.Exists()) PlaceImeWindows(Handle(), caret_.Position(), caret_.Height(), Font());
        return false;
    case WM_GETTEXTLENGTH:
        message.Result = content_.Length();
        return true;
    case WM_GETTEXT: {
        auto* target = reinterpret_cast<wchar_t*>(message.LParam);
        if (!target || message.WParam == 0) return true;
        size_t count = std::min<size_t>(content_.Text().size(), message.WParam - 1);
        std::memcpy(target, content_.Text().data(), count * sizeof(wchar_t));
        target[count] = L'\0';
        message.Result = static_cast<LRESULT>(count);
        return true;
    }
    case WM_SETTEXT:
        SetText(message.LParam ? reinterpret_cast<const wchar_t*>(message.LParam) : L"");
        message.Result = TRUE;
        return true;
    case EM_CHARFROMPOS: {
        TPoint point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
        message.Result = MAKELRESULT(HitTest(point.X), 0);
        return true;
    }
    case WM_CONTEXTMENU:
        ShowPopupMenu(message.LParam);
        return true;
    case WM_CAPTURECHANGED:
        mouseSelecting_ = false;
        capturing_ = false;
        return false;
    default:
        return false;
    }
}

void TKsCustomEdit::WndProc(TMessage& message)
{
    if (Handles(message)) return;
    TKsCustomControl::WndProc(message);
    if (message.Msg == CM_FONTCHANGED || message.Msg == CM_PARENTFONTCHANGED) FontChanged();
}
