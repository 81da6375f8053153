#pragma once

#include <string>
#include <vector>

// An INI file read and written through the platform's profile service; only a whole section is
// written into the file's text here (WriteSection), as the service would place it. Writes update
// the file in place: sections and keys that are not written stay as they were. The file stays in
// the ANSI code page unless it already holds Unicode text; blanks and one pair of enclosing
// quotation marks are stripped from the values read.
class TIniFile {
public:
    explicit TIniFile(std::wstring fileName) : fileName_(fileName), reportedName_(std::move(fileName)) {}
    // An INI file that stands in for another (a copy being prepared): errors name reportedName.
    TIniFile(std::wstring fileName, std::wstring reportedName)
        : fileName_(std::move(fileName)), reportedName_(std::move(reportedName))
    {
    }

    const std::wstring& FileName() const { return fileName_; }

    // The whole value of a key, however long, or defaultValue when the key is missing.
    std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                            const std::wstring& defaultValue) const;
    // Every key name of the section in file order; none when the section or the file is missing.
    std::vector<std::wstring> ReadSection(const std::wstring& section) const;
    // Every line of the section in file order, read at once: "key=value" with the value as
    // ReadString gives it, also when a key name stands twice, or a line without "=" whole.
    std::vector<std::wstring> ReadSectionValues(const std::wstring& section) const;
    // True when the section holds at least one line.
    bool SectionExists(const std::wstring& section) const;

    // Creates the file, section or key when missing. Raises EIniFileException "Unable to write to %s"
    // when the platform refuses.
    void WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value);
    // Replaces every line of the section by the given "key=value" lines in one write; the section
    // keeps its place, a missing one is added at the end. Raises like WriteString.
    void WriteSection(const std::wstring& section, const std::vector<std::wstring>& lines);
    // Writes what the platform still holds in its cache to the disk; failures are not reported.
    void UpdateFile() noexcept;

    // A test seam: the number of further writes (WriteString, WriteSection) of any INI file that
    // succeed; each one after them is refused as a full disk refuses it. Negative: no limit.
    static void SetWritesBeforeFailure(int count) { writesBeforeFailure_ = count; }

private:
    [[noreturn]] void RaiseWriteError() const;
    // Raises the write error when the test seam refuses this write.
    void CountWrite() const;

    std::wstring fileName_;
    std::wstring reportedName_;
    static inline int writesBeforeFailure_ = -1;
};
