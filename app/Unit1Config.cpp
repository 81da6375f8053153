#include "app/Unit1.h"

#include "framework/ComCtrls.h"
#include "framework/Dialogs.h"
#include "framework/IniFile.h"
#include "framework/StdCtrls.h"
#include "framework/Text.h"

namespace {

const std::wstring kDirSection = L"DIR";
const std::wstring kOutputSection = L"OUTPUT";

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

// Writes the rows as the whole "DIR" section (rows of an earlier, longer list do not survive)
// and the output settings; every other section and key of the file stays. The rows go in with one
// write of their section, which also drops the old ones. When the file holds rows, that write
// comes last, so that a save failing on the way leaves them all; a file without rows gets its
// rows first, so that a new file has them ahead of the output settings.
void TForm1::CFGS1Click()
{
    if (RunInProgress()) return;
    if (!SaveDialog1->Execute()) return;
    std::vector<std::wstring> dirLines;
    dirLines.reserve(ListView1->RowCount());
    for (int row = 0; row < ListView1->RowCount(); ++row)
        dirLines.push_back(L"DIR" + std::to_wstring(row) + L"=" + ListView1->RowCaption(row) + L";" +
                           ListView1->RowSubItem(row));
    const std::wstring outputDir = Edit2->Text();
    const std::wstring outputType = RadioButton1->Checked() ? L"0" : L"1";
    const std::wstring outputFile = Edit3->Text();

    TIniFile ini(SaveDialog1->FileName());
    auto writeOutput = [&] {
        ini.WriteString(kOutputSection, L"OUTPUTDIR", outputDir);
        OutputDir = outputDir;
        ini.WriteString(kOutputSection, L"OUTPUTTYPE", outputType);
        OutputType = outputType;
        ini.WriteString(kOutputSection, L"OUTPUTFILE", outputFile);
        OutputFile = outputFile;
    };
    try {
        if (ini.SectionExists(kDirSection)) {
            writeOutput();
            ini.WriteSection(kDirSection, dirLines);
        } else {
            ini.WriteSection(kDirSection, dirLines);
            writeOutput();
        }
    } catch (...) {
        ini.UpdateFile();
        throw;
    }
    ini.UpdateFile();
    SeSkinMessage1->ShowMessage(L"儲存設定檔完成");
}

void TForm1::CFGL1Click()
{
    if (RunInProgress()) return;
    if (!OpenDialog1->Execute()) return;
    LoadConfigFile(OpenDialog1->FileName());
    SeSkinMessage1->ShowMessage(L"載入設定檔完成");
}

void TForm1::LoadConfigFile(const std::wstring& fileName)
{
    SetCaption(L"Folvane Tool - " + fileName);

    TIniFile ini(fileName);
    *DirSectionLines = ini.ReadSectionValues(kDirSection);
    for (auto& line : *DirSectionLines) {
        size_t equals = line.find(L'=');
        if (equals != std::wstring::npos) line = Trim(std::wstring_view(line).substr(equals + 1));
    }
    OutputDir = ini.ReadString(kOutputSection, L"OUTPUTDIR", StartDir + L"Output\\");
    OutputType = ini.ReadString(kOutputSection, L"OUTPUTTYPE", L"0");
    bool fixedName = OutputType == L"0";
    RadioButton1->SetChecked(fixedName);
    RadioButton2->SetChecked(!fixedName);
    OutputFile = ini.ReadString(kOutputSection, L"OUTPUTFILE", L"folvane.txt");

    std::vector<TListRow> rows;
    rows.reserve(DirSectionLines->size());
    for (const auto& line : *DirSectionLines) rows.push_back(SplitRow(line));
    ListView1->ReplaceRows(rows);
    Edit2->SetText(OutputDir);
    Edit3->SetText(OutputFile);
}
