#pragma once

#include <string>
#include <string_view>
#include <vector>

// Folder-name patterns whose folders a walk neither lists nor enters. "*" stands for any run of
// characters and "?" for one character (a character outside the Basic Multilingual Plane included).
// A pattern is matched against the whole name, without regard to case in the way the file system
// compares names: every letter that has an upper-case form folds to it ("ärger" matches "ÄRGER"),
// whatever the user's language. Empty patterns match nothing.
class TFolderExclusions {
public:
    TFolderExclusions() = default;
    explicit TFolderExclusions(const std::vector<std::wstring>& patterns);

    bool Empty() const { return patterns_.empty(); }
    bool Excludes(std::wstring_view name) const;

private:
    std::vector<std::wstring> patterns_; // folded
};
