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
    explicit TIniFile(std::wstring fileName) : fileName_(std::move(fileName)) {}

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

private:
    // The whole file; an empty text when there is no file. False when it cannot be read.
    bool ReadFileBytes(std::string& bytes) const;
    bool WriteFileBytes(const std::string& bytes) const;
    [[noreturn]] void RaiseWriteError() const;

    std::wstring fileName_;
};
