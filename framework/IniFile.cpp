#include "framework/IniFile.h"

#include "framework/Exceptions.h"
#include "framework/IniSectionText.h"
#include "framework/WholeFile.h"

#include <windows.h>

namespace {

constexpr DWORD kInitialValueBuffer = 2048;
constexpr DWORD kInitialListBuffer = 16384;

// The platform's profile reads cut what does not fit and then return the buffer size less one (a
// value) or less two (a list of texts, each ended by a null); the buffer grows until that no
// longer happens. read(buffer, size) is the platform call.
template <typename TRead>
std::wstring ReadWhole(DWORD initialSize, DWORD cutMark, TRead read)
{
    std::wstring buffer(initialSize, L'\0');
    for (;;) {
        DWORD size = static_cast<DWORD>(buffer.size());
        DWORD length = read(buffer.data(), size);
        if (length + cutMark < size) {
            buffer.resize(length);
            return buffer;
        }
        buffer.assign(static_cast<size_t>(size) * 2, L'\0');
    }
}

std::vector<std::wstring> SplitAtNulls(const std::wstring& list)
{
    std::vector<std::wstring> texts;
    for (size_t start = 0; start < list.size();) {
        size_t end = list.find(L'\0', start);
        if (end == std::wstring::npos) end = list.size();
        texts.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return texts;
}

// A read of one key removes one pair of enclosing quotation marks from its value; a read of the
// whole section leaves them, so they are removed here.
void RemoveEnclosingQuotes(std::wstring& line)
{
    size_t equals = line.find(L'=');
    if (equals == std::wstring::npos) return;
    size_t valueLength = line.size() - equals - 1;
    wchar_t first = valueLength >= 2 ? line[equals + 1] : L'\0';
    if ((first == L'"' || first == L'\'') && line.back() == first) {
        line.pop_back();
        line.erase(equals + 1, 1);
    }
}

} // namespace

std::wstring TIniFile::ReadString(const std::wstring& section, const std::wstring& key,
                                  const std::wstring& defaultValue) const
{
    return ReadWhole(kInitialValueBuffer, 1, [&](wchar_t* buffer, DWORD size) {
        return GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(), buffer, size,
                                        fileName_.c_str());
    });
}

std::vector<std::wstring> TIniFile::ReadSection(const std::wstring& section) const
{
    return SplitAtNulls(ReadWhole(kInitialListBuffer, 2, [&](wchar_t* buffer, DWORD size) {
        return GetPrivateProfileStringW(section.c_str(), nullptr, L"", buffer, size, fileName_.c_str());
    }));
}

std::vector<std::wstring> TIniFile::ReadSectionValues(const std::wstring& section) const
{
    std::vector<std::wstring> lines = SplitAtNulls(ReadWhole(kInitialListBuffer, 2, [&](wchar_t* buffer, DWORD size) {
        return GetPrivateProfileSectionW(section.c_str(), buffer, size, fileName_.c_str());
    }));
    for (auto& line : lines) RemoveEnclosingQuotes(line);
    return lines;
}

bool TIniFile::SectionExists(const std::wstring& section) const
{
    wchar_t start[4];
    return GetPrivateProfileSectionW(section.c_str(), start, 4, fileName_.c_str()) > 0;
}

void TIniFile::WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value)
{
    CountWrite();
    if (!WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), fileName_.c_str())) RaiseWriteError();
}

// The platform's own section write adds each line by walking the lines it has added before, which
// for 20,000 rows takes seconds; the section is put into the file's text here instead, and the
// file is written in one piece.
void TIniFile::WriteSection(const std::wstring& section, const std::vector<std::wstring>& lines)
{
    CountWrite();
    // The platform writes what it still holds of the file and reads it afresh the next time.
    UpdateFile();
    std::string bytes;
    if (!ReadWholeFile(fileName_, bytes)) RaiseWriteError();
    std::string replaced = ReplaceIniSectionLines(bytes, section, lines);
    if (replaced != bytes && !WriteWholeFile(fileName_, replaced)) RaiseWriteError();
}

void TIniFile::UpdateFile() noexcept { WritePrivateProfileStringW(nullptr, nullptr, nullptr, fileName_.c_str()); }

void TIniFile::CountWrite() const
{
    if (writesBeforeFailure_ == 0) RaiseWriteError();
    if (writesBeforeFailure_ > 0) --writesBeforeFailure_;
}

void TIniFile::RaiseWriteError() const
{
    throw EIniFileException(FormatMessageText(L"Unable to write to %s", {reportedName_}));
}
