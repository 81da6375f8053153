#pragma once

#include "framework/IniFile.h"

#include <string>

// The new version of an INI file, made beside it and put in its place whole. The changes go through
// Ini() into a copy of the file in the same folder; Commit writes the copy to the disk and moves it
// over the file. Until then the file stays byte for byte as it was, and a failure on the way, or the
// end of the object without Commit, removes the copy. Every failure raises EIniFileException
// "Unable to write to %s" with the file's name as it was given.
class TIniFileReplacement {
public:
    // Copies the file (a missing file as an empty one). With unicode the copy holds the text as
    // UTF-16 after a byte order mark, in which the profile service keeps every character; a file
    // that is UTF-16 already stays as it is. A read-only file is refused here, as a write into it
    // would be.
    TIniFileReplacement(const std::wstring& fileName, bool unicode);
    ~TIniFileReplacement();
    TIniFileReplacement(const TIniFileReplacement&) = delete;
    TIniFileReplacement& operator=(const TIniFileReplacement&) = delete;

    // The copy, which takes the changes.
    TIniFile& Ini() { return copy_; }
    void Commit();

private:
    [[noreturn]] void RaiseWriteError() const;
    void RemoveCopy() noexcept;

    std::wstring reportedName_;
    std::wstring fileName_;
    std::wstring copyName_;
    TIniFile copy_;
    bool committed_ = false;
};
