#include "framework/StdCtrls.h"

#include "framework/Forms.h"
#include "framework/SystemSettings.h"

// ---- TLabel ----

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 65, 13); }

void TLabel::SetTransparent(bool transparent)
{
    if (transparent_ == transparent) return;
    transparent_ = transparent;
    Invalidate();
}

void TLabel::SetWordWrap(bool wordWrap)
{
    if (wordWrap_ == wordWrap) return;
    wordWrap_ = wordWrap;
    Invalidate();
}

void TLabel::Paint()
{
    TCanvas& canvas = Canvas();
    TRect area = ClientRect();
    if (!transparent_) {
        canvas.SetBrushColor(ContrastColor(Color(), clBtnFace));
        canvas.SetBrushStyle(bsSolidBrush);
        canvas.FillRect(area);
    }
    canvas.SetBrushStyle(bsClearBrush);
    canvas.Font().SetColor(Enabled() ? ContrastColor(Font().Color(), clBtnText) : clGrayText);
    // A wrapped word longer than the line is broken between characters instead of running past it.
    UINT format = DT_TOP | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK | DT_EDITCONTROL : 0);
    format |= BiDiMode() == bdLeftToRight ? DT_LEFT : DT_RIGHT | DT_RTLREADING;
    canvas.TextRect(area, Caption(), format);
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 105, 105); }

void TImage::SetIcon(HICON icon)
{
    if (icon_ == icon) return;
    icon_ = icon;
    Invalidate();
}

void TImage::Paint()
{
    if (!icon_) return;
    TRect area = ClientRect();
    DrawIconEx(Canvas().Handle(), 0, 0, icon_, area.Width(), area.Height(), 0, nullptr, DI_NORMAL);
}

// ---- TEdit ----

TEdit::TEdit(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
    SetTabStop(true);
}

void TEdit::SetBorderStyle(TBorderStyle style)
{
    if (borderStyle_ == style) return;
    borderStyle_ = style;
    RecreateWnd();
}

void TEdit::SetReadOnly(bool readOnly)
{
    if (readOnly_ == readOnly) return;
    readOnly_ = readOnly;
    if (HandleAllocated()) SendMessageW(Handle(), EM_SETREADONLY, readOnly, 0);
}

void TEdit::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.StandardClass = L"EDIT";
    params.ClassName = L"Folvane.Edit";
    params.Style |= ES_AUTOHSCROLL | ES_LEFT;
    if (readOnly_) params.Style |= ES_READONLY;
    if (borderStyle_ == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::WndProc(TMessage& message)
{
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == EN_CHANGE) {
        if (OnChange) OnChange();
        return;
    }
    TWinControl::WndProc(message);
}

// ---- TButton ----

TButton::TButton(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.StandardClass = L"BUTTON";
    params.ClassName = L"Folvane.Button";
    params.Style |= BS_PUSHBUTTON;
}

void TButton::WndProc(TMessage& message)
{
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
        Click();
        return;
    }
    TWinControl::WndProc(message);
}

// ---- TComboBox ----

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 145, 21);
    SetColor(clWindow);
    SetTabStop(true);
    items_.OnChange = [this] {
        if (!HandleAllocated()) return;
        // Emptying the platform list empties the box's text as well; it is put back.
        std::wstring text = Text();
        FillItems();
        SetTextValue(text);
    };
}

void TComboBox::SetStyle(TComboBoxStyle style)
{
    if (style_ == style) return;
    style_ = style;
    RecreateWnd();
}

void TComboBox::SetDropDownCount(int count) { dropDownCount_ = std::max(count, 1); }

void TComboBox::SetItemHeight(int height)
{
    if (itemHeight_ == height || height < 1) return;
    itemHeight_ = height;
    if (HandleAllocated()) SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, height);
}

int TComboBox::ItemIndex() const
{
    if (!HandleAllocated()) return itemIndex_;
    return static_cast<int>(SendMessageW(const_cast<TComboBox*>(this)->Handle(), CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int index)
{
    if (index < -1 || index >= items_.Count()) index = -1;
    itemIndex_ = index;
    text_ = index >= 0 ? items_.Strings(index) : std::wstring();
    if (HandleAllocated()) {
        SendMessageW(Handle(), CB_SETCURSEL, index, 0);
        if (index < 0) SetWindowTextW(Handle(), L"");
    }
}

void TComboBox::SetBounds(int left, int top, int width, int height)
{
    requestedHeight_ = height;
    TWinControl::SetBounds(left, top, width, height);
    FitHeight();
}

void TComboBox::SetTextValue(const std::wstring& text)
{
    text_ = text;
    if (!HandleAllocated()) return;
    if (style_ == csDropDownList) {
        LRESULT index =
            SendMessageW(Handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageW(Handle(), CB_SETCURSEL, index == CB_ERR ? static_cast<WPARAM>(-1) : index, 0);
    } else {
        SetWindowTextW(Handle(), text.c_str());
    }
}

void TComboBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.StandardClass = L"COMBOBOX";
    params.ClassName = L"Folvane.ComboBox";
    params.Style |= WS_VSCROLL | (style_ == csDropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL);
    // The platform box takes the height it is made with as its dropped-down height.
    params.Height = requestedHeight_ + itemHeight_ * dropDownCount_ + 2;
}

void TComboBox::CreateWindowState()
{
    SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, itemHeight_);
    FillItems();
    if (itemIndex_ >= 0 && itemIndex_ < items_.Count()) SendMessageW(Handle(), CB_SETCURSEL, itemIndex_, 0);
    SetTextValue(text_);
    FitHeight();
}

void TComboBox::SaveWindowState()
{
    TWinControl::SaveWindowState();
    itemIndex_ = static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
}

void TComboBox::FillItems()
{
    HWND window = Handle();
    SendMessageW(window, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& item : items_.Items())
        SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void TComboBox::FitHeight()
{
    if (!HandleAllocated()) return;
    HWND window = Handle();
    RECT r;
    GetWindowRect(window, &r);
    int difference = requestedHeight_ - (r.bottom - r.top);
    if (difference == 0) return;
    int fieldHeight = static_cast<int>(SendMessageW(window, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    if (fieldHeight + difference > 0)
        SendMessageW(window, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), fieldHeight + difference);
}

void TComboBox::AdjustDropDownHeight()
{
    int visible = std::clamp(items_.Count(), 1, dropDownCount_);
    SetWindowPos(Handle(), nullptr, 0, 0, Width(), Height() + itemHeight_ * visible + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void TComboBox::WndProc(TMessage& message)
{
    if (message.Msg == CN_COMMAND) {
        switch (HIWORD(message.WParam)) {
        case CBN_DROPDOWN:
            AdjustDropDownHeight();
            break;
        case CBN_EDITCHANGE:
        case CBN_SELCHANGE:
            if (OnChange) OnChange();
            break;
        case CBN_SETFOCUS:
            // The focus is on the inner edit box, which is not ours; the form still learns where it is.
            if (TCustomForm* form = GetParentForm(this))
                form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(this));
            break;
        default:
            break;
        }
        return;
    }
    TWinControl::WndProc(message);
}
