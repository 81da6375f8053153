#include "app/CommandLine.h"

#include "framework/Text.h"

#include <windows.h>

#include <shellapi.h>

namespace {

bool IsRunSwitch(const std::wstring& argument)
{
    return SameTextAscii(argument, L"/run") || SameTextAscii(argument, L"-run") || SameTextAscii(argument, L"--run");
}

bool IsHelpSwitch(const std::wstring& argument)
{
    return argument == L"/?" || argument == L"-?" || SameTextAscii(argument, L"--help");
}

} // namespace

std::vector<std::wstring> ProgramArguments()
{
    int count = 0;
    wchar_t** split = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!split) return {};
    std::vector<std::wstring> arguments(split + (count > 0 ? 1 : 0), split + count);
    LocalFree(split);
    return arguments;
}

TCommandLine ParseCommandLine(const std::vector<std::wstring>& arguments)
{
    if (arguments.empty()) return {ckWindow, L""};
    if (arguments.size() == 1 && IsHelpSwitch(arguments[0])) return {ckUsage, L""};
    if (arguments.size() == 2 && IsRunSwitch(arguments[0]) && !Trim(arguments[1]).empty()) return {ckRun, arguments[1]};
    return {ckInvalid, L""};
}

std::wstring UsageText()
{
    return L"用法:\r\n"
           L"  folvane.exe                     開啟主視窗\r\n"
           L"  folvane.exe /run 設定檔.cfg     不開視窗, 依設定檔列舉目錄並寫出輸出檔\r\n"
           L"                                  (也可寫 -run 或 --run; 路徑有空白時請加引號)\r\n"
           L"  folvane.exe /?                  顯示此說明\r\n"
           L"結束代碼:\r\n"
           L"  0 完成    1 其他錯誤    2 命令列有誤\r\n"
           L"  3 設定檔無法讀取或不是設定檔    4 設定檔沒有目錄\r\n"
           L"  5 深度不是整數    6 輸出檔無法寫入\r\n"
           L"  7 已寫出輸出檔, 但有目錄無法讀取 (每個目錄一行寫到標準錯誤)\r\n";
}
