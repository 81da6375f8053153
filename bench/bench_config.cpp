// Times loading and saving a configuration file of 20,000 rows through the main window's
// handlers (the file dialogs answered directly, the time taken until the completion message
// opens) against two references measured in the same run: the same rows inserted into a bare report
// list view with its redraw off, and the same "DIR" lines written as one whole section.
#include "app/Unit1.h"
#include "framework/Application.h"
#include "framework/Text.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 20000;
constexpr int kRepeats = 3;

// A file dialog that answers with the file name it was given, as a user picking that file would.
template <typename TDialog>
class TAnsweredDialog : public TDialog {
public:
    TAnsweredDialog(TComponent* owner, const std::wstring& fileName) : TDialog(owner) { this->SetFileName(fileName); }
    bool Execute() override { return true; }
};

using TClock = std::chrono::steady_clock;

// When the last message box of this thread began to open: the command's work is done then.
TClock::time_point messageOpened;

std::wstring ClassName(HWND window)
{
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    return className;
}

// The platform's message box or the program's own message dialog.
bool IsMessageBox(HWND window)
{
    const std::wstring name = ClassName(window);
    return name == L"#32770" || name == L"Folvane.MessageForm";
}

// Notes when a message box of this thread opens and closes it as soon as it is active: the
// platform's box through its OK command, the program's dialog as a close of its window.
LRESULT CALLBACK CloseMessageBoxes(int code, WPARAM wParam, LPARAM lParam)
{
    auto window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND && IsMessageBox(window)) messageOpened = TClock::now();
    if (code == HCBT_ACTIVATE && IsMessageBox(window)) {
        if (ClassName(window) == L"#32770")
            PostMessageW(window, WM_COMMAND, IDOK, 0);
        else
            PostMessageW(window, WM_CLOSE, 0, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct TRow {
    std::wstring Path;
    std::wstring Depth;
};

// An inventory plan: sites, buildings and rooms, some with Chinese names, depths 1 to 8.
std::vector<TRow> InventoryRows()
{
    std::vector<TRow> rows;
    rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        std::wstring site = (i % 3 == 0 ? L"D:\\盤點\\站點" : L"D:\\Inventory\\Site") + std::to_wstring(i / 100);
        rows.push_back({site + L"\\Building " + std::to_wstring(i % 100) + L"\\Room" + std::to_wstring(i) + L"\\",
                        std::to_wstring(1 + i % 8)});
    }
    return rows;
}

void WriteBytes(const std::wstring& fileName, const std::string& bytes)
{
    HANDLE file = CreateFileW(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ConfigFileBytes(const std::vector<TRow>& rows)
{
    std::string bytes = "[DIR]\r\n";
    for (size_t i = 0; i < rows.size(); ++i)
        bytes += "DIR" + std::to_string(i) + "=" + WideToAnsi(rows[i].Path + L";" + rows[i].Depth) + "\r\n";
    return bytes + "[OUTPUT]\r\nOUTPUTDIR=D:\\Out\\\r\nOUTPUTTYPE=0\r\nOUTPUTFILE=folvane.txt\r\n";
}

// The lines of the "DIR" section as the profile service takes them: each ended by a null, one more at the end.
std::wstring SectionBlock(const std::vector<TRow>& rows)
{
    std::wstring block;
    for (size_t i = 0; i < rows.size(); ++i) {
        block += L"DIR" + std::to_wstring(i) + L"=" + rows[i].Path + L";" + rows[i].Depth;
        block.push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

// A report list view of the main window's size and columns on a window of its own.
HWND CreateBareListView(HWND& frame)
{
    frame = CreateWindowExW(0, L"STATIC", L"bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 0, 400, 300, nullptr, nullptr,
                            nullptr, nullptr);
    HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                                WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_EDITLABELS, 8, 8, 345, 200,
                                frame, nullptr, nullptr, nullptr);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, LVS_EX_GRIDLINES);
    const wchar_t* captions[] = {L"目錄", L"深度"};
    for (int column = 0; column < 2; ++column) {
        LVCOLUMNW lvc{};
        lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        lvc.cx = column == 0 ? 280 : 50;
        lvc.pszText = const_cast<wchar_t*>(captions[column]);
        lvc.iSubItem = column;
        SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&lvc));
    }
    return list;
}

void FillBareListView(HWND list, const std::vector<TRow>& rows)
{
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < rows.size(); ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(rows[i].Path.c_str());
        int inserted = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        LVITEMW sub{};
        sub.iSubItem = 1;
        sub.pszText = const_cast<wchar_t*>(rows[i].Depth.c_str());
        SendMessageW(list, LVM_SETITEMTEXTW, inserted, reinterpret_cast<LPARAM>(&sub));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(list, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

double Milliseconds(TClock::time_point start, TClock::time_point end)
{
    return std::chrono::duration<double, std::milli>(end - start).count();
}

// The shortest of kRepeats runs; a command is timed until its completion message opens.
double BestOf(const std::function<void()>& work, bool untilMessage = false)
{
    double best = 1e300;
    for (int i = 0; i < kRepeats; ++i) {
        auto start = TClock::now();
        work();
        best = std::min(best, Milliseconds(start, untilMessage ? messageOpened : TClock::now()));
    }
    return best;
}

bool SameRows(TListView& list, const std::vector<TRow>& rows)
{
    if (list.RowCount() != static_cast<int>(rows.size())) return false;
    for (int i = 0; i < list.RowCount(); ++i)
        if (list.RowCaption(i) != rows[i].Path || list.RowSubItem(i) != rows[i].Depth) return false;
    return true;
}

} // namespace

int main()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring prefix =
        IncludeTrailingBackslash(temp) + L"folvane-bench-config-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring loadFile = prefix + L"-load.cfg";
    const std::wstring saveFile = prefix + L"-save.cfg";
    const std::wstring sectionFile = prefix + L"-section.cfg";

    const std::vector<TRow> rows = InventoryRows();
    const std::string bytes = ConfigFileBytes(rows);
    WriteBytes(loadFile, bytes);
    std::printf("configuration file: %d rows, %zu bytes\n", kRows, bytes.size());

    Application->Initialize();
    Application->SetTitle(L"Folvane Tool");
    TForm1* form = Application->CreateForm<TForm1>();
    form->Show();
    Application->ProcessMessages();
    form->OpenDialog1 = new TAnsweredDialog<TOpenDialog>(form, loadFile);
    form->SaveDialog1 = new TAnsweredDialog<TSaveDialog>(form, saveFile);
    HHOOK hook = SetWindowsHookExW(WH_CBT, CloseMessageBoxes, nullptr, GetCurrentThreadId());

    // The two sides take turns, so that a busy moment of the machine does not favour either; each
    // round replaces the rows of the round before, as a load over a loaded list does.
    HWND frame = nullptr;
    HWND bare = CreateBareListView(frame);
    FillBareListView(bare, rows);
    form->CFGL1Click();
    double loadMs = 1e300;
    double bareMs = 1e300;
    for (int i = 0; i < kRepeats; ++i) {
        loadMs = std::min(loadMs, BestOf([&] { form->CFGL1Click(); }, true));
        bareMs = std::min(bareMs, BestOf([&] { FillBareListView(bare, rows); }));
    }
    bool loaded = SameRows(*form->ListView1, rows);

    // A save into a new file, then saves over the file they wrote, as a save over a loaded file is.
    DeleteFileW(saveFile.c_str());
    auto newFileStart = TClock::now();
    form->CFGS1Click();
    double newFileMs = Milliseconds(newFileStart, messageOpened);
    double saveMs = BestOf([&] { form->CFGS1Click(); }, true);
    std::string saved;
    {
        HANDLE file = CreateFileW(saveFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        saved.resize(GetFileSize(file, nullptr));
        DWORD read = 0;
        ReadFile(file, saved.data(), static_cast<DWORD>(saved.size()), &read, nullptr);
        CloseHandle(file);
    }
    const std::wstring block = SectionBlock(rows);
    DeleteFileW(sectionFile.c_str());
    double sectionMs = BestOf([&] { WritePrivateProfileSectionW(L"DIR", block.c_str(), sectionFile.c_str()); });

    UnhookWindowsHookEx(hook);
    DestroyWindow(frame);
    delete form;

    std::printf("load through CFGL1Click:        %9.1f ms%s\n", loadMs, loaded ? "" : " (rows differ!)");
    std::printf("bare list view, redraw off:     %9.1f ms\n", bareMs);
    std::printf("save into a new file:           %9.1f ms\n", newFileMs);
    std::printf("save through CFGS1Click:        %9.1f ms%s\n", saveMs, saved == bytes ? "" : " (file differs!)");
    std::printf("one section write of the rows:  %9.1f ms\n", sectionMs);
    std::printf("ratio cfg_load_vs_bare_listview %.3f\n", loadMs / bareMs);
    std::printf("ratio cfg_save_vs_section_write %.3f\n", saveMs / sectionMs);

    for (const auto& name : {loadFile, saveFile, sectionFile}) DeleteFileW(name.c_str());
    return 0;
}
