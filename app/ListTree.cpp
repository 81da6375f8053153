#include "app/ListTree.h"

#include "framework/Handles.h"

#include <windows.h>

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

constexpr int kLowestPrintedLevel = 8;
constexpr DWORD kLeftOutAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | 0x8 /* volume label */;
constexpr std::string_view kLineBreak = "\r\n";

bool IsPrintedLevel(int level) { return level >= 1 && level <= kLowestPrintedLevel; }

// Appends text in the ANSI code page. Names are nearly always ASCII, which every ANSI code page
// maps to itself, so those skip the conversion call.
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

// The absolute "\\?\" form of a directory path, so that enumeration is not bound by the classic
// path length limit and names are used exactly as the file system returned them. Paths that are
// already in a device or extended form, and paths the platform cannot make absolute, stay as they are.
std::wstring ExtendedLengthPath(const std::wstring& path)
{
    if (path.empty() || path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\")) return path;
    DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return path;
    full.resize(length);
    if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

TFindHandle FindFirstDirectory(const std::wstring& pattern, WIN32_FIND_DATAW& data)
{
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

bool NameLess(const std::wstring& a, const std::wstring& b)
{
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_LESS_THAN;
}

// One walk over one root. The directory being enumerated is held twice, in a single buffer each
// that grows and shrinks as the walk descends: as the path the platform is asked for, and as the
// ANSI bytes that the lines print.
class TTreeWalk {
public:
    TTreeWalk(std::string& listing, int depth, std::wstring searchPath, std::string linePath)
        : listing_(listing), depth_(depth), searchPath_(std::move(searchPath)), linePath_(std::move(linePath))
    {
    }

    void Walk(int level)
    {
        if (IsPrintedLevel(level)) AppendLine(level - 1, {});

        bool collect = level == depth_ && IsPrintedLevel(level);
        // Below the lowest printed level nothing can appear, so the walk stops there; this also
        // ends loops through junctions that point back up the tree.
        bool descend = level != depth_ && level < kLowestPrintedLevel;
        if (!collect && !descend) return;

        size_t searchLength = searchPath_.size();
        searchPath_ += L'*';
        WIN32_FIND_DATAW data;
        TFindHandle find = FindFirstDirectory(searchPath_, data);
        searchPath_.resize(searchLength);
        if (!find) return;

        std::vector<std::wstring> names;
        try {
            do {
                if (!IsListedDirectory(data)) continue;
                if (collect) names.emplace_back(data.cFileName);
                else WalkChild(data.cFileName, level + 1);
            } while (FindNextFileW(find.Get(), &data));
        } catch (...) {
            AppendSorted(names, level);
            throw;
        }
        find.Reset();
        AppendSorted(names, level);
    }

private:
    void WalkChild(std::wstring_view name, int level)
    {
        size_t searchLength = searchPath_.size();
        size_t lineLength = linePath_.size();
        searchPath_.append(name);
        searchPath_ += L'\\';
        AppendAnsi(linePath_, name);
        linePath_ += '\\';
        Walk(level);
        searchPath_.resize(searchLength);
        linePath_.resize(lineLength);
    }

    void AppendLine(int tabs, std::wstring_view name)
    {
        listing_ += kLineBreak;
        listing_.append(tabs, '\t');
        listing_ += linePath_;
        AppendAnsi(listing_, name);
    }

    void AppendSorted(std::vector<std::wstring>& names, int level)
    {
        std::sort(names.begin(), names.end(), NameLess);
        for (const auto& name : names) AppendLine(level, name);
    }

    std::string& listing_;
    int depth_;
    std::wstring searchPath_;
    std::string linePath_;
};

} // namespace

void ListTree(std::string& listing, const std::wstring& path, int level, int depth)
{
    std::wstring directory = path;
    if (!directory.empty() && directory.back() != L'\\' && directory.back() != L'/') directory += L'\\';
    std::string linePath;
    AppendAnsi(linePath, directory);
    TTreeWalk(listing, depth, ExtendedLengthPath(directory), std::move(linePath)).Walk(level);
}
