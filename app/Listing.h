#pragma once

#include "app/ListingEncoding.h"

#include <string>
#include <string_view>
#include <vector>

// Where the bytes of a listing go as they are produced.
class TListingSink {
public:
    virtual ~TListingSink() = default;
    virtual void Write(std::string_view bytes) = 0;
};

// A sink that keeps the bytes in a string.
class TStringSink : public TListingSink {
public:
    explicit TStringSink(std::string& text) : text_(text) {}
    void Write(std::string_view bytes) override { text_ += bytes; }

private:
    std::string& text_;
};

// A folder whose subfolders could not be enumerated: its full path and the platform's text of the error.
struct TUnreadableFolder {
    std::wstring Path;
    std::wstring Error;
};

// What a listing holds besides its text.
struct TListingReport {
    size_t Folders = 0;   // lines written, one per folder
    size_t LostNames = 0; // lines with characters the encoding could not hold
    std::vector<TUnreadableFolder> Unreadable;
};

// The listing as the walk produces it: lines in the chosen encoding, handed to the sink in pieces of
// about kPieceBytes, so that the memory a run holds does not grow with the tree.
class TListing {
public:
    static constexpr size_t kPieceBytes = 64 * 1024;

    TListing(TListingEncoding encoding, TListingSink& sink) : encoding_(encoding), sink_(sink) {}

    TListingEncoding Encoding() const { return encoding_; }
    // Encodes text onto out in the listing's encoding; true when characters were lost.
    bool Encode(std::string& out, std::wstring_view text) const;

    // Adds CR LF, tabs tab characters, path (bytes already encoded, pathLost when they lost
    // characters) and name: one folder's line.
    void AddLine(int tabs, std::string_view path, bool pathLost, std::wstring_view name);
    // Adds bytes that are no folder's line, such as the header.
    void AddBytes(std::string_view bytes);
    void AddUnreadable(std::wstring path, unsigned long error);
    // Hands what is pending to the sink.
    void Flush();

    const TListingReport& Report() const { return report_; }

private:
    void FlushWhenFull();

    TListingEncoding encoding_;
    TListingSink& sink_;
    std::string pending_;
    TListingReport report_;
};
