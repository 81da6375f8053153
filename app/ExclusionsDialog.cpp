#include "app/ExclusionsDialog.h"

#include "app/ControlPlacing.h"
#include "app/ExcludeList.h"
#include "framework/Text.h"

#include <memory>

namespace {

// The skinned list draws "&" as the mark of an underlined character; a pattern shows as it is typed.
std::wstring ListedText(const std::wstring& pattern)
{
    std::wstring text;
    for (wchar_t c : pattern) text += c == L'&' ? L"&&" : std::wstring(1, c);
    return text;
}

} // namespace

TExclusionsDialog::TExclusionsDialog(TComponent* owner, TSeSkinEngine* engine,
                                     const std::vector<std::wstring>& patterns)
    : TForm(owner), patterns_(patterns)
{
    BeginLoading();
    SetName(L"ExclusionsDialog");
    SetCaption(L"排除資料夾");
    SetBorderStyle(fbsSingle);
    SetPosition(poOwnerFormCenter);
    if (auto* form = dynamic_cast<TCustomForm*>(owner)) {
        // The owner's font as it is in design units: this window is scaled when it is made.
        TFont font = form->Font();
        font.SetHeight(UnscaleByDpi(font.Height(), form->Dpi()));
        SetFont(font);
        SetColor(form->Color());
    }

    Label1 =
        Captioned(Place<TLabel>(this, this, L"Label1", 8, 8, 284, 13), L"不列出也不進入的資料夾名稱 (可用 * 和 ?):");
    Edit1 = Place<TSeSkinEdit>(this, this, L"Edit1", 8, 28, 201, 21);
    AddButton = Captioned(Place<TSeSkinButton>(this, this, L"AddButton", 217, 26, 75, 25), L"新增");
    // Eight items of 16 pixels inside the frame's margins of 2.
    ListBox1 = Place<TSeSkinListBox>(this, this, L"ListBox1", 8, 58, 201, 132);
    DeleteButton = Captioned(Place<TSeSkinButton>(this, this, L"DeleteButton", 217, 58, 75, 25), L"刪除");
    OKButton = Place<TSeSkinButton>(this, this, L"OKButton", 136, 200, 75, 25);
    OKButton->SetKind(bkOK);
    OKButton->SetCaption(L"確定");
    CancelButton = Place<TSeSkinButton>(this, this, L"CancelButton", 217, 200, 75, 25);
    CancelButton->SetKind(bkCancel);
    CancelButton->SetCaption(L"取消");
    for (const auto& pattern : patterns_) ListBox1->Items().Add(ListedText(pattern));

    SkinForm1 = new TSeSkinForm(this);
    SkinForm1->SetName(L"SkinForm1");
    SkinForm1->SetBorderStyle(kbsStandard);
    SkinForm1->SetCanResize(false);
    SkinForm1->SetBorderIcons({kbiClose, kbiSystemMenu});
    SkinForm1->SetSkinEngine(engine);

    SetTabOrders({Edit1, AddButton, ListBox1, DeleteButton, OKButton, CancelButton});
    AddButton->OnClick = [this] { AddButtonClick(); };
    DeleteButton->OnClick = [this] { DeleteButtonClick(); };
    ListBox1->OnKeyDown = [this](WORD& key, TShiftState) {
        if (key != VK_DELETE) return;
        DeleteButtonClick();
        key = 0;
    };

    BindToEngine(engine, Edit1, AddButton, ListBox1, DeleteButton, OKButton, CancelButton);
    SetClientSize(300, 233);
    SetActiveControl(Edit1);
    EndLoading();
}

void TExclusionsDialog::AddButtonClick()
{
    Edit1->SetFocus();
    std::wstring pattern = Trim(Edit1->Text());
    if (AddExcludePattern(patterns_, pattern)) {
        ListBox1->Items().Add(ListedText(patterns_.back()));
        ListBox1->SetItemIndex(ListBox1->Items().Count() - 1);
        Edit1->SetText(L"");
        return;
    }
    // A pattern listed already is shown where it is; the next typing replaces the box's text.
    int listed = FindExcludePattern(patterns_, pattern);
    if (listed >= 0) ListBox1->SetItemIndex(listed);
    Edit1->SelectAll();
}

void TExclusionsDialog::DeleteButtonClick()
{
    // A list that was never clicked has an item index but shows nothing chosen.
    int index = ListBox1->ItemIndex();
    if (index < 0 || index >= static_cast<int>(patterns_.size()) || !ListBox1->Selected(index)) return;
    patterns_.erase(patterns_.begin() + index);
    ListBox1->Items().Delete(index);
    ListBox1->SetItemIndex(std::min(index, ListBox1->Items().Count() - 1));
}

bool TExclusionsDialog::DialogKey(WORD key, TShiftState shift)
{
    if (key == VK_RETURN && ActiveControl() == Edit1 && !Trim(Edit1->Text()).empty()) {
        AddButtonClick();
        return true;
    }
    return TForm::DialogKey(key, shift);
}

bool EditExcludePatterns(TCustomForm* owner, TSeSkinEngine* engine, std::vector<std::wstring>& patterns)
{
    auto dialog = std::make_unique<TExclusionsDialog>(owner, engine, patterns);
    if (dialog->ShowModal() != mrOk) return false;
    patterns = dialog->Patterns();
    return true;
}
