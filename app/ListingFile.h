#pragma once

#include "app/Listing.h"
#include "app/ListingEncoding.h"
#include "framework/Handles.h"

#include <windows.h>

#include <string>
#include <string_view>

// The start of a listing file: in UTF-8 a byte-order mark; then the header line "列舉日期: ", the
// user's short date, a blank and the user's long time (blank and time left out at exactly 00:00:00),
// CR LF, in the listing's encoding.
std::string ListingHeader(const SYSTEMTIME& time, TListingEncoding encoding);

// The output file's path: directory followed by fixedName, or by the date as YYYYMMDD and ".txt" when
// useFixedName is false. Blanks around the directory are dropped (no folder name ends with one, so
// "D:\Out\ " means D:\Out\), and a backslash is added when it does not end with a separator.
std::wstring ListingFileName(const std::wstring& directory, bool useFixedName, const std::wstring& fixedName,
                             const SYSTEMTIME& date);

// The listing file while a run writes it: a temporary file "~folvane-*.tmp" in the output folder that
// takes the bytes as they come and replaces the listing file only once it is complete. Until then the
// previous listing file stays as it was. A writer destroyed without Commit removes its temporary
// file, so a run that fails or is stopped leaves nothing behind. Failures raise EInOutError with the
// classic texts: "Invalid filename" when the folder is missing or a name is invalid, "File access
// denied" when writing is not allowed, else the system's text of the error.
class TListingFileWriter : public TListingSink {
public:
    // Removes the temporary files that ended runs left in directory, then creates this run's.
    explicit TListingFileWriter(const std::wstring& directory);
    ~TListingFileWriter() override;
    TListingFileWriter(const TListingFileWriter&) = delete;
    TListingFileWriter& operator=(const TListingFileWriter&) = delete;

    void Write(std::string_view bytes) override;
    // Writes the file through to the disk and moves it over path.
    void Commit(const std::wstring& path);

    const std::wstring& TemporaryPath() const { return temporaryPath_; }

protected:
    // Writes all of the bytes to the open file.
    virtual void WriteBytes(HANDLE file, const char* data, size_t size);

private:
    std::wstring temporaryPath_;
    TFileHandle file_;
    bool committed_ = false;
};

// Removes the files that runs which ended without cleaning up (a crash, a power cut) left in directory.
// A temporary file that a run still writes is kept: it cannot be opened while it is in use.
void RemoveStaleTemporaryFiles(const std::wstring& directory);
