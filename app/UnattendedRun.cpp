#include "app/UnattendedRun.h"

#include "app/RunReportText.h"
#include "app/Unit1.h"
#include "framework/Application.h"
#include "framework/ComCtrls.h"
#include "framework/Exceptions.h"
#include "framework/IniFile.h"
#include "framework/Text.h"

#include <memory>

namespace {

// The profile service looks for a bare file name in the Windows folder, so the name is made
// absolute against the current folder first, as a file dialog would have given it.
std::wstring FullPath(const std::wstring& fileName)
{
    std::wstring full = ExpandFileName(fileName);
    return full.empty() ? fileName : full;
}

// The profile service reads a missing or locked file as an empty one, which would pass for a
// configuration without directories.
void CheckReadable(const std::wstring& fileName)
{
    TFileHandle file(CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        throw EFOpenError(
            FormatMessageText(L"Cannot open file \"%s\". %s", {fileName, SystemErrorText(GetLastError())}));
}

bool HoldsSettings(const std::wstring& fileName)
{
    TIniFile ini(fileName);
    return !ini.ReadSection(L"DIR").empty() || !ini.ReadSection(L"OUTPUT").empty();
}

TUnattendedResult RunConfig(const std::wstring& fileName)
{
    CheckReadable(fileName);
    if (!HoldsSettings(fileName)) return {ecConfigUnreadable, L"不是設定檔: " + fileName};

    Application->Initialize();
    Application->SetTitle(L"Folvane Tool");
    std::unique_ptr<TForm1> form(Application->CreateForm<TForm1>());
    form->LoadConfigFile(fileName);
    if (form->ListView1->RowCount() == 0) return {ecNoRoots, L"設定檔沒有要列舉的目錄: " + fileName};
    if (!form->RunListing()) return {ecFailed, L"取消列舉目錄"};
    const TListingReport& report = form->RunReport;
    return {report.Unreadable.empty() ? ecSuccess : ecFoldersUnreadable,
            UnattendedNotice(report, form->OutputEncoding)};
}

} // namespace

TUnattendedResult RunUnattended(const std::wstring& configFile)
{
    try {
        return RunConfig(FullPath(configFile));
    } catch (const EFOpenError& error) {
        return {ecConfigUnreadable, error.Message()};
    } catch (const EConvertError& error) {
        return {ecInvalidDepth, error.Message()};
    } catch (const EInOutError& error) {
        return {ecOutputNotWritable, error.Message()};
    } catch (const Exception& error) {
        return {ecFailed, error.Message()};
    } catch (const std::exception& error) {
        return {ecFailed, AnsiToWide(error.what())};
    }
}
