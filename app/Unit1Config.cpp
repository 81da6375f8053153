#include "app/Unit1.h"

#include "framework/ComCtrls.h"
#include "framework/Dialogs.h"
#include "framework/IniFile.h"
#include "framework/StdCtrls.h"
#include "framework/Text.h"

#include <utility>

namespace {

const std::wstring kDirSection = L"DIR";
const std::wstring kOutputSection = L"OUTPUT";

// A stored row "path;depth". The depth follows the last ";", so a path that holds ";" itself
// comes back whole; a value without ";" is a path with an empty depth.
std::pair<std::wstring, std::wstring> SplitRow(const std::wstring& value)
{
    size_t separator = value.rfind(L';');
    if (separator == std::wstring::npos) return {value, L""};
    return {value.substr(0, separator), value.substr(separator + 1)};
}

} // namespace

// Writes the rows as the whole "DIR" section (rows of an earlier, longer list do not survive)
// and the output settings; every other section and key of the file stays.
void TForm1::CFGS1Click()
{
    if (RunInProgress()) return;
    if (!SaveDialog1->Execute()) return;
    TIniFile ini(SaveDialog1->FileName());
    try {
        ini.ClearSection(kDirSection);
        for (int row = 0; row < ListView1->RowCount(); ++row)
            ini.WriteString(kDirSection, L"DIR" + std::to_wstring(row),
                            ListView1->RowCaption(row) + L";" + ListView1->RowSubItem(row));
        OutputDir = Edit2->Text();
        ini.WriteString(kOutputSection, L"OUTPUTDIR", OutputDir);
        OutputType = RadioButton1->Checked() ? L"0" : L"1";
        ini.WriteString(kOutputSection, L"OUTPUTTYPE", OutputType);
        OutputFile = Edit3->Text();
        ini.WriteString(kOutputSection, L"OUTPUTFILE", OutputFile);
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

    ListView1->ClearRows();
    for (const auto& line : *DirSectionLines) {
        auto [path, depth] = SplitRow(line);
        ListView1->AddRow(path, depth);
    }
    Edit2->SetText(OutputDir);
    Edit3->SetText(OutputFile);
}
