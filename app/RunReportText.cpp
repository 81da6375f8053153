#include "app/RunReportText.h"

#include "framework/Text.h"

namespace {

constexpr size_t kShortPathLength = 64;

// A long path with its middle left out, so that the message stays on the screen.
std::wstring Shortened(const std::wstring& path)
{
    if (path.size() <= kShortPathLength) return path;
    size_t head = kShortPathLength / 3;
    size_t tail = kShortPathLength - head - 3;
    // Not between the two halves of a surrogate pair.
    if (IsLowSurrogate(path[head])) --head;
    size_t tailStart = path.size() - tail;
    if (IsLowSurrogate(path[tailStart])) ++tailStart;
    return path.substr(0, head) + L"..." + path.substr(tailStart);
}

std::wstring FolderLine(const std::wstring& path, const TUnreadableFolder& folder)
{
    return path + L" (" + folder.Error + L")";
}

std::wstring LostNamesNotice(const TListingReport& report, TListingEncoding encoding)
{
    std::wstring count = GroupedNumber(report.LostNames);
    if (encoding == leUtf8) return L"有 " + count + L" 個目錄名稱含有無效的字元, 在輸出檔中寫成替代字元。";
    return L"有 " + count +
           L" 個目錄名稱含有系統字碼頁無法表示的字元, 在輸出檔中寫成 \"?\"。\r\n"
           L"若要保留完整名稱, 請改用 UTF-8 編碼輸出。";
}

} // namespace

std::wstring GroupedNumber(size_t number)
{
    std::wstring digits = std::to_wstring(number);
    for (size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, L",");
    return digits;
}

std::wstring CompletionMessage(const TListingReport& report, TListingEncoding encoding)
{
    std::wstring text = L"目錄列舉完畢";
    if (report.LostNames > 0) text += L"\r\n\r\n" + LostNamesNotice(report, encoding);
    const auto& folders = report.Unreadable;
    if (folders.empty()) return text;
    text += L"\r\n\r\n有 " + GroupedNumber(folders.size()) + L" 個目錄無法讀取, 輸出檔中只列出其本身:";
    for (size_t i = 0; i < folders.size() && i < kShownFolders; ++i)
        text += L"\r\n" + FolderLine(Shortened(folders[i].Path), folders[i]);
    if (folders.size() > kShownFolders)
        text += L"\r\n...另有 " + GroupedNumber(folders.size() - kShownFolders) + L" 個。";
    return text + L"\r\n按 Ctrl+C 可複製完整清單。";
}

std::wstring UnreadableFolderList(const TListingReport& report)
{
    std::wstring list;
    for (const auto& folder : report.Unreadable) list += FolderLine(folder.Path, folder) + L"\r\n";
    return list;
}

std::wstring UnattendedNotice(const TListingReport& report, TListingEncoding encoding)
{
    std::wstring text;
    auto addLine = [&text](const std::wstring& line) { text += (text.empty() ? L"" : L"\r\n") + line; };
    for (const auto& folder : report.Unreadable) addLine(L"無法讀取目錄: " + FolderLine(folder.Path, folder));
    if (!report.Unreadable.empty())
        addLine(L"已寫出目錄列表, 但有 " + GroupedNumber(report.Unreadable.size()) + L" 個目錄無法讀取。");
    if (report.LostNames > 0) addLine(LostNamesNotice(report, encoding));
    return text;
}
