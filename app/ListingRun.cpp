#include "app/ListingRun.h"

namespace {

SYSTEMTIME LocalNow()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now;
}

// The folder part of a file's path, with its separator ("/" included, which the platform takes as one).
std::wstring FolderOf(const std::wstring& path)
{
    size_t separator = path.find_last_of(L"\\/:");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

} // namespace

// The folder of the file does not depend on the date, so the temporary file goes there at once.
TListingRun::TListingRun(const TListingOutput& output, const std::vector<std::wstring>& excludePatterns,
                         const SYSTEMTIME& started, const TDirectoryReader* reader)
    : output_(output), file_(FolderOf(ListingFileName(output.Directory, output.FixedName, output.FixedFile, started))),
      listing_(output.Encoding, file_), settings_{TFolderExclusions(excludePatterns), reader}
{
    listing_.AddBytes(ListingHeader(started, output.Encoding));
}

bool TListingRun::Walk(const TListingRoot& root, TWalkHost& host)
{
    return walk_.ListTree(listing_, settings_, root.Path, 1, root.Depth, host);
}

void TListingRun::Complete()
{
    listing_.AddBytes("\r\n");
    listing_.Flush();
    file_.Commit(ListingFileName(output_.Directory, output_.FixedName, output_.FixedFile, LocalNow()));
}
