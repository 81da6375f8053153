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

// The path as a person writes it: without the "\\?\" form.
std::wstring PlainPath(const std::wstring& path)
{
    if (path.starts_with(L"\\\\?\\UNC\\")) return L"\\\\" + path.substr(8);
    if (path.starts_with(L"\\\\?\\")) return path.substr(4);
    return path;
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

// Why the enumeration of directory could not start. "No file found" means that nothing matched the
// pattern: a directory without entries, not even "." and ".." (a drive root can be one), or a
// directory that is not there; the directory itself tells them apart.
DWORD StartError(const std::wstring& directory)
{
    DWORD error = GetLastError();
    if (error == ERROR_NO_MORE_FILES) return 0;
    if (error != ERROR_FILE_NOT_FOUND) return error;
    DWORD attributes = GetFileAttributesW(directory.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : ERROR_PATH_NOT_FOUND;
}

bool IsListedDirectory(const WIN32_FIND_DATAW& data)
{
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || (data.dwFileAttributes & kLeftOutAttributes))
        return false;
    std::wstring_view name = data.cFileName;
    return name != L"." && name != L"..";
}

} // namespace

bool IsPrintedLevel(int level) { return level >= 1 && level <= kLowestPrintedLevel; }

bool CollectsNames(int level, int depth) { return level == depth && IsPrintedLevel(level); }

bool DescendsInto(int level, int depth) { return level != depth && level < kLowestPrintedLevel; }

DWORD TDirectoryReader::Read(const std::wstring& directory, const TFound& found) const
{
    WIN32_FIND_DATAW data;
    TFindHandle find = FindFirstDirectory(directory, data);
    if (!find) return StartError(directory);
    do {
        if (IsListedDirectory(data) && !found(data.cFileName)) return 0;
    } while (FindNextFileW(find.Get(), &data));
    DWORD error = GetLastError();
    return error == ERROR_NO_MORE_FILES ? 0 : error;
}

DWORD ReadListedDirectories(const TWalkSettings& settings, const std::wstring& directory,
                            const TDirectoryReader::TFound& found)
{
    static const TDirectoryReader platform;
    const TDirectoryReader& reader = settings.Reader ? *settings.Reader : platform;
    if (settings.Exclusions.Empty()) return reader.Read(directory, found);
    return reader.Read(directory,
                       [&](std::wstring_view name) { return settings.Exclusions.Excludes(name) || found(name); });
}

void ReportUnreadable(TListing& listing, const std::wstring& searchPath, DWORD error)
{
    listing.AddUnreadable(PlainPath(searchPath), error);
}

void SortNames(std::vector<std::wstring>& names) { std::sort(names.begin(), names.end(), NameLess); }

TWalkRoot::TWalkRoot(const std::wstring& path, const TListing& listing) : Typed(path)
{
    if (!Typed.empty() && Typed.back() != L'\\' && Typed.back() != L'/') Typed += L'\\';
    LinePathLost = listing.Encode(LinePath, Typed);
    Enumerable = !Trim(path).empty();
    if (Enumerable) SearchPath = ExtendedLengthPath(Typed);
}

void ListUnenumerableRoot(TListing& listing, const TWalkRoot& root, int level, int depth)
{
    if (IsPrintedLevel(level)) TListingLines(listing, root).Append(level - 1);
    if (ReadsDirectory(level, depth)) listing.AddUnreadable(root.Typed, ERROR_INVALID_NAME);
}

TListingLines::TMark TListingLines::EnterChild(std::wstring_view name)
{
    TMark mark{linePath_.size(), pathLost_};
    pathLost_ = listing_.Encode(linePath_, name) || pathLost_;
    linePath_ += '\\';
    return mark;
}

void TListingLines::LeaveChild(TMark mark)
{
    linePath_.resize(mark.Length);
    pathLost_ = mark.Lost;
}
