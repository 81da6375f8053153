#include "framework/IniFileReplacement.h"

#include "framework/Exceptions.h"
#include "framework/IniSectionText.h"
#include "framework/Text.h"
#include "framework/WholeFile.h"

#include <windows.h>

namespace {

// The profile service takes a bare file name as one in the Windows folder; the copy and the file
// it replaces are named in full so that they stand side by side where the file is.
std::wstring FullName(const std::wstring& fileName)
{
    std::wstring full = ExpandFileName(fileName);
    return full.empty() ? fileName : full;
}

// A new, empty file with a name of its own in the folder; empty when none can be made there.
std::wstring NewFileBeside(const std::wstring& fileName)
{
    std::wstring folder = ExtractFilePath(fileName);
    wchar_t name[MAX_PATH + 1] = {};
    if (folder.empty() || !GetTempFileNameW(folder.c_str(), L"cfg", 0, name)) return {};
    return name;
}

} // namespace

TIniFileReplacement::TIniFileReplacement(const std::wstring& fileName, bool unicode)
    : reportedName_(fileName), fileName_(FullName(fileName)), copyName_(NewFileBeside(fileName_)),
      copy_(copyName_, fileName)
{
    if (copyName_.empty()) RaiseWriteError();
    try {
        DWORD attributes = GetFileAttributesW(fileName_.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) RaiseWriteError();
        std::string bytes;
        if (!ReadWholeFile(fileName_, bytes)) RaiseWriteError();
        if (unicode) bytes = IniTextAsUtf16(bytes);
        if (!WriteWholeFile(copyName_, bytes)) RaiseWriteError();
    } catch (...) {
        RemoveCopy();
        throw;
    }
}

TIniFileReplacement::~TIniFileReplacement()
{
    if (!committed_) RemoveCopy();
}

void TIniFileReplacement::Commit()
{
    copy_.UpdateFile();
    if (!FlushFileToDisk(copyName_) ||
        !MoveFileExW(copyName_.c_str(), fileName_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        RaiseWriteError();
    committed_ = true;
}

void TIniFileReplacement::RemoveCopy() noexcept
{
    if (copyName_.empty()) return;
    copy_.UpdateFile();
    DeleteFileW(copyName_.c_str());
}

void TIniFileReplacement::RaiseWriteError() const
{
    throw EIniFileException(FormatMessageText(L"Unable to write to %s", {reportedName_}));
}
