#include "app/ListTree.h"

#include "app/WalkRules.h"

namespace {

// One walk over one root, reading each directory while its children are walked. The directory
// being enumerated is held twice, in a single buffer each that grows and shrinks as the walk
// descends: as the path the platform is asked for, and as the ANSI bytes that the lines print.
class TTreeWalk {
public:
    TTreeWalk(std::string& listing, int depth, const TWalkRoot& root)
        : lines_(listing, root.LinePath), depth_(depth), searchPath_(root.SearchPath)
    {
    }

    void Walk(int level)
    {
        if (IsPrintedLevel(level)) lines_.Append(level - 1);
        if (!ReadsDirectory(level, depth_)) return;

        WIN32_FIND_DATAW data;
        TFindHandle find = FindFirstDirectory(searchPath_, data);
        if (!find) return;

        bool collect = CollectsNames(level, depth_);
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
        size_t lineLength = lines_.PathLength();
        searchPath_.append(name);
        searchPath_ += L'\\';
        lines_.EnterChild(name);
        Walk(level);
        searchPath_.resize(searchLength);
        lines_.LeaveChild(lineLength);
    }

    void AppendSorted(std::vector<std::wstring>& names, int level)
    {
        SortNames(names);
        for (const auto& name : names) lines_.Append(level, name);
    }

    TListingLines lines_;
    int depth_;
    std::wstring searchPath_;
};

} // namespace

void ListTree(std::string& listing, const std::wstring& path, int level, int depth)
{
    TWalkRoot root(path);
    if (!root.Enumerable) {
        if (IsPrintedLevel(level)) TListingLines(listing, root.LinePath).Append(level - 1);
        return;
    }
    TTreeWalk(listing, depth, root).Walk(level);
}
