#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// A fresh folder under the temporary directory that the test fills with directories and files;
// everything in it is removed when the object goes.
class TTempTree {
public:
    explicit TTempTree(const std::wstring& tag);
    ~TTempTree();
    TTempTree(const TTempTree&) = delete;
    TTempTree& operator=(const TTempTree&) = delete;

    // The folder's full path, ending with a backslash.
    const std::wstring& Root() const { return root_; }
    std::string RootAnsi() const;

    // Creates Root() + relative (and missing parents) as a directory with the given attributes
    // added; returns its full path without a trailing backslash.
    std::wstring Dir(const std::wstring& relative, DWORD attributes = 0) const;
    // Creates an empty file Root() + relative; its directory must exist.
    std::wstring File(const std::wstring& relative) const;
    // Makes Root() + relative a directory link to Root() + target; false when the platform offers no way.
    bool DirLink(const std::wstring& relative, const std::wstring& target) const;
    // Makes the directories that bash's brace expansion of pattern names below Root() ("{a,b}/{c,d}")
    // with one Unix command, far faster under Wine than a platform call each; the tree is then removed
    // the same way. Returns once Root() + last exists; false when it cannot be done.
    bool UnixDirs(const std::string& pattern, const std::wstring& last);

private:
    std::wstring root_;
    // Links made as Unix links under Wine: the platform path and the Unix path of each.
    mutable std::vector<std::pair<std::wstring, std::string>> unixLinks_;
    bool madeByUnix_ = false;
};

// The names in folder (ending with a backslash) that match the pattern, "." and ".." left out, sorted.
std::vector<std::wstring> FolderEntries(const std::wstring& folder, const std::wstring& pattern = L"*");

// Removes a directory and everything below it without following directory links.
void RemoveTree(const std::wstring& path);

// The "\\?\" form of an absolute path, for paths longer than the classic limit.
std::wstring LongPath(const std::wstring& path);
