#include "app/UnattendedRun.h"

#include "app/RunReportText.h"
#include "app/Unit1.h"
#include "framework/Application.h"
#include "framework/ComCtrls.h"
#include "framework/Exceptions.h"
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

TUnattendedResult RunConfig(const std::wstring& fileName)
{
    Application->Initialize();
    Application->SetTitle(L"Folvane Tool");
    std::unique_ptr<TForm1> form(Application->CreateForm<TForm1>());
    // A file that cannot be read or is no .cfg raises EFOpenError here.
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
