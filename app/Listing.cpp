#include "app/Listing.h"

#include "app/EncodedText.h"
#include "framework/Exceptions.h"

bool TListing::Encode(std::string& out, std::wstring_view text) const { return AppendEncoded(out, text, encoding_); }

void TListing::AddLine(int tabs, std::string_view path, bool pathLost, std::wstring_view name)
{
    pending_ += "\r\n";
    pending_.append(tabs, '\t');
    pending_ += path;
    bool lost = Encode(pending_, name) || pathLost;
    ++report_.Folders;
    if (lost) ++report_.LostNames;
    FlushWhenFull();
}

void TListing::AddBytes(std::string_view bytes)
{
    pending_ += bytes;
    FlushWhenFull();
}

void TListing::AddUnreadable(std::wstring path, unsigned long error)
{
    report_.Unreadable.push_back({std::move(path), SystemErrorText(error)});
}

void TListing::Flush()
{
    if (pending_.empty()) return;
    sink_.Write(pending_);
    pending_.clear();
}

void TListing::FlushWhenFull()
{
    if (pending_.size() >= kPieceBytes) Flush();
}
