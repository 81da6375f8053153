#include "app/Unit1.h"

#include "app/ConfigFile.h"
#include "framework/ComCtrls.h"
#include "framework/Dialogs.h"
#include "framework/StdCtrls.h"
#include "framework/Text.h"

namespace {

bool IsInteger(std::wstring_view text)
{
    int value;
    return TryStrToInt(text, value);
}

// A stored row "path;depth", possibly followed by ";" and more. The caption ends at the first ";"
// and the depth at the next one. A path that holds ";" itself shows as a depth that is no
// integer while the text after the last ";" is one: then the split is at the last ";". A value
// without ";" is a path with an empty depth.
TListRow SplitRow(const std::wstring& value)
{
    size_t first = value.find(L';');
    if (first == std::wstring::npos) return {value, L""};
    size_t next = value.find(L';', first + 1);
    std::wstring depth = value.substr(first + 1, next == std::wstring::npos ? std::wstring::npos : next - first - 1);
    size_t last = value.rfind(L';');
    if (!IsInteger(depth) && IsInteger(std::wstring_view(value).substr(last + 1)))
        return {value.substr(0, last), value.substr(last + 1)};
    return {value.substr(0, first), depth};
}

} // namespace

void TForm1::CFGS1Click()
{
    if (RunInProgress()) return;
    if (!SaveDialog1->Execute()) return;
    TConfigSettings settings;
    settings.DirLines.reserve(ListView1->RowCount());
    for (int row = 0; row < ListView1->RowCount(); ++row)
        settings.DirLines.push_back(ListView1->RowCaption(row) + L";" + ListView1->RowSubItem(row));
    settings.OutputDir = Edit2->Text();
    settings.OutputType = RadioButton1->Checked() ? L"0" : L"1";
    settings.OutputFile = Edit3->Text();
    settings.OutputEncoding = OutputEncoding;
    settings.ExcludePatterns = ExcludePatterns;
    WriteConfigFile(SaveDialog1->FileName(), settings);
    OutputDir = settings.OutputDir;
    OutputType = settings.OutputType;
    OutputFile = settings.OutputFile;
    SeSkinMessage1->ShowMessage(L"儲存設定檔完成");
}

void TForm1::CFGL1Click()
{
    if (RunInProgress()) return;
    if (!OpenDialog1->Execute()) return;
    LoadConfigFile(OpenDialog1->FileName());
    SeSkinMessage1->ShowMessage(L"載入設定檔完成");
}

// Everything is read before the window changes: a file refused on the way leaves the rows, the
// output settings and the caption as they were.
void TForm1::LoadConfigFile(const std::wstring& fileName)
{
    TConfigSettings settings = ReadConfigFile(fileName, StartDir);
    SetCaption(L"Folvane Tool - " + fileName);
    *DirSectionLines = std::move(settings.DirLines);
    OutputDir = settings.OutputDir;
    OutputType = settings.OutputType;
    bool fixedName = OutputType == L"0";
    RadioButton1->SetChecked(fixedName);
    RadioButton2->SetChecked(!fixedName);
    OutputFile = settings.OutputFile;

    std::vector<TListRow> rows;
    rows.reserve(DirSectionLines->size());
    for (const auto& line : *DirSectionLines) rows.push_back(SplitRow(line));
    ListView1->ReplaceRows(rows);
    Edit2->SetText(OutputDir);
    Edit3->SetText(OutputFile);
    SetOutputEncoding(settings.OutputEncoding);
    ExcludePatterns = std::move(settings.ExcludePatterns);
}
