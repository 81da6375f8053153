#include "app/ListTree.h"

namespace {

// One walk over one root, reading each directory while its children are walked. The directory
// being enumerated is held twice, in a single buffer each that grows and shrinks as the walk
// descends: as the path the platform is asked for, and as the encoded bytes that the lines print.
class TTreeWalk {
public:
    TTreeWalk(TListing& listing, const TWalkSettings& settings, int depth, const TWalkRoot& root)
        : listing_(listing), settings_(settings), lines_(listing, root), depth_(depth), searchPath_(root.SearchPath)
    {
    }

    void Walk(int level)
    {
        if (IsPrintedLevel(level)) lines_.Append(level - 1);
        if (!ReadsDirectory(level, depth_)) return;

        bool collect = CollectsNames(level, depth_);
        std::vector<std::wstring> names;
        DWORD error = 0;
        try {
            error = ReadListedDirectories(settings_, searchPath_, [&](std::wstring_view name) {
                if (collect)
                    names.emplace_back(name);
                else
                    WalkChild(name, level + 1);
                return true;
            });
        } catch (...) {
            AppendSorted(names, level);
            throw;
        }
        AppendSorted(names, level);
        if (error) ReportUnreadable(listing_, searchPath_, error);
    }

private:
    void WalkChild(std::wstring_view name, int level)
    {
        size_t searchLength = searchPath_.size();
        searchPath_.append(name);
        searchPath_ += L'\\';
        TListingLines::TMark mark = lines_.EnterChild(name);
        Walk(level);
        searchPath_.resize(searchLength);
        lines_.LeaveChild(mark);
    }

    void AppendSorted(std::vector<std::wstring>& names, int level)
    {
        SortNames(names);
        for (const auto& name : names) lines_.Append(level, name);
    }

    TListing& listing_;
    const TWalkSettings& settings_;
    TListingLines lines_;
    int depth_;
    std::wstring searchPath_;
};

} // namespace

void ListTree(TListing& listing, const TWalkSettings& settings, const std::wstring& path, int level, int depth)
{
    TWalkRoot root(path, listing);
    if (!root.Enumerable) return ListUnenumerableRoot(listing, root, level, depth);
    TTreeWalk(listing, settings, depth, root).Walk(level);
}

void ListTree(std::string& listing, const std::wstring& path, int level, int depth)
{
    TStringSink sink(listing);
    TListing text(leAnsi, sink);
    try {
        ListTree(text, TWalkSettings(), path, level, depth);
    } catch (...) {
        text.Flush();
        throw;
    }
    text.Flush();
}
