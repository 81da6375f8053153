#include "app/Unit1.h"

#include "framework/ComCtrls.h"
#include "framework/FolderDialog.h"
#include "framework/StdCtrls.h"
#include "framework/Text.h"

void TForm1::BitBtn1Click() { ChooseFolderInto(Edit1); }

void TForm1::BitBtn4Click() { ChooseFolderInto(Edit2); }

void TForm1::ChooseFolderInto(TSeSkinEdit* target)
{
    if (RunInProgress()) return;
    TFolderDialog dialog;
    if (!dialog.Execute(HandleAllocated() ? Handle() : nullptr)) return;
    // The folder named in the box is made, with its parents; an empty name raises here.
    ForceDirectories(dialog.Folder());
    target->SetText(IncludeTrailingBackslash(dialog.Folder()));
}

// Adds the typed root with the chosen depth, unless a row already holds the same path (compared
// with ASCII letters folded only).
void TForm1::BitBtn2Click()
{
    if (RunInProgress()) return;
    std::wstring path = Edit1->Text();
    if (path.empty()) return;
    for (int row = 0; row < ListView1->RowCount(); ++row)
        if (SameTextAscii(ListView1->RowCaption(row), path)) return;
    ListView1->AddRow(path, Trim(ComboBox1->Text()));
}

void TForm1::BitBtn3Click()
{
    if (RunInProgress()) return;
    for (int row = ListView1->RowCount() - 1; row >= 0; --row)
        if (ListView1->RowSelected(row)) ListView1->DeleteRow(row);
}
