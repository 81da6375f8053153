#pragma once

#include <string>
#include <vector>

// An INI file read and written through the platform's profile service. Writes update the file in
// place: sections and keys that are not written stay as they were. The platform keeps the file in
// the ANSI code page unless it already holds Unicode text, and strips blanks and one pair of
// enclosing quotation marks from the values it returns.
class TIniFile {
public:
    explicit TIniFile(std::wstring fileName) : fileName_(std::move(fileName)) {}

    const std::wstring& FileName() const { return fileName_; }

    // The whole value of a key, however long, or defaultValue when the key is missing.
    std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                            const std::wstring& defaultValue) const;
    // Every key name of the section in file order; none when the section or the file is missing.
    std::vector<std::wstring> ReadSection(const std::wstring& section) const;
    // "key=value" for every key of the section, in file order.
    std::vector<std::wstring> ReadSectionValues(const std::wstring& section) const;

    // Creates the file, section or key when missing. Raises EIniFileException "Unable to write to %s"
    // when the platform refuses.
    void WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value);
    // Removes every key of the section; its header stays where it stands. Raises like WriteString.
    void ClearSection(const std::wstring& section);
    // Writes what the platform still holds in its cache to the disk; failures are not reported.
    void UpdateFile() noexcept;

private:
    [[noreturn]] void RaiseWriteError() const;

    std::wstring fileName_;
};
