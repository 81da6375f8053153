#include "app/WalkRules.h"

#include "framework/Text.h"

#include <algorithm>

namespace {

constexpr int kLowestPrintedLevel = 8;
constexpr DWORD kLeftOutAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | 0x8 /* volume label */;

bool NameLess(const std::wstring& a, const std::wstring& b)
{
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_LESS_THAN;
}

// The absolute "\\?\" form of a directory path, so that enumeration is not bound by the classic
// path length limit and names are used exactly as the file system returned them. Paths that are
// already in a device or extended form, and paths the platform cannot make absolute, stay as they are.
std::wstring ExtendedLengthPath(const std::wstring& path)
{
    if (path.empty() || path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\")) return path;
    std::wstring full = ExpandFileName(path);
    if (full.empty()) return path;
    if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

} // namespace

bool IsPrintedLevel(int level) { return level >= 1 && level <= kLowestPrintedLevel; }

bool CollectsNames(int level, int depth) { return level == depth && IsPrintedLevel(level); }

bool DescendsInto(int level, int depth) { return level != depth && level < kLowestPrintedLevel; }

// Names are nearly always ASCII, which every ANSI code page maps to itself, so those skip the
// conversion call.
void AppendAnsi(std::string& out, std::wstring_view text)
{
    if (std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; })) {
        for (wchar_t c : text) out.push_back(static_cast<char>(c));
        return;
    }
    int length = static_cast<int>(text.size());
    int size = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    size_t start = out.size();
    out.resize(start + size);
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, out.data() + start, size, nullptr, nullptr);
}

TFindHandle FindFirstDirectory(const std::wstring& directory, WIN32_FIND_DATAW& data)
{
    std::wstring pattern = directory + L'*';
    HANDLE handle = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchLimitToDirectories, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH);
    // Systems without the basic information level or the large fetch refuse them as a parameter error.
    if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER)
        handle = FindFirstFileExW(pattern.c_str(), FindExInfoStandard, &data, FindExSearchNameMatch, nullptr, 0);
    return TFindHandle(handle);
}

bool IsListedDirectory(const WIN32_FIND_DATAW& data)
{
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || (data.dwFileAttributes & kLeftOutAttributes))
        return false;
    std::wstring_view name = data.cFileName;
    return name != L"." && name != L"..";
}

void SortNames(std::vector<std::wstring>& names) { std::sort(names.begin(), names.end(), NameLess); }

TWalkRoot::TWalkRoot(const std::wstring& path)
{
    std::wstring directory = path;
    if (!directory.empty() && directory.back() != L'\\' && directory.back() != L'/') directory += L'\\';
    AppendAnsi(LinePath, directory);
    Enumerable = !Trim(path).empty();
    if (Enumerable) SearchPath = ExtendedLengthPath(directory);
}

void TListingLines::Append(int tabs, std::wstring_view name)
{
    listing_ += "\r\n";
    listing_.append(tabs, '\t');
    listing_ += linePath_;
    AppendAnsi(listing_, name);
}

void TListingLines::EnterChild(std::wstring_view name)
{
    AppendAnsi(linePath_, name);
    linePath_ += '\\';
}
