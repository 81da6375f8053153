#include "framework/IniFile.h"

#include "framework/Exceptions.h"

#include <windows.h>

namespace {

constexpr DWORD kInitialValueBuffer = 2048;
constexpr DWORD kInitialKeyListBuffer = 16384;

// GetPrivateProfileStringW cuts what does not fit and then returns the buffer size less one (a
// value) or less two (a list of names, each ended by a null); the buffer grows until that no
// longer happens.
std::wstring ReadProfile(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue,
                         const std::wstring& fileName, DWORD initialSize)
{
    DWORD cutMark = key ? 1 : 2;
    std::wstring buffer(initialSize, L'\0');
    for (;;) {
        DWORD size = static_cast<DWORD>(buffer.size());
        DWORD length = GetPrivateProfileStringW(section, key, defaultValue, buffer.data(), size, fileName.c_str());
        if (length + cutMark < size) {
            buffer.resize(length);
            return buffer;
        }
        buffer.assign(static_cast<size_t>(size) * 2, L'\0');
    }
}

} // namespace

std::wstring TIniFile::ReadString(const std::wstring& section, const std::wstring& key,
                                  const std::wstring& defaultValue) const
{
    return ReadProfile(section.c_str(), key.c_str(), defaultValue.c_str(), fileName_, kInitialValueBuffer);
}

std::vector<std::wstring> TIniFile::ReadSection(const std::wstring& section) const
{
    std::wstring names = ReadProfile(section.c_str(), nullptr, L"", fileName_, kInitialKeyListBuffer);
    std::vector<std::wstring> keys;
    for (size_t start = 0; start < names.size();) {
        size_t end = names.find(L'\0', start);
        if (end == std::wstring::npos) end = names.size();
        keys.push_back(names.substr(start, end - start));
        start = end + 1;
    }
    return keys;
}

std::vector<std::wstring> TIniFile::ReadSectionValues(const std::wstring& section) const
{
    std::vector<std::wstring> lines;
    for (const auto& key : ReadSection(section)) lines.push_back(key + L"=" + ReadString(section, key, L""));
    return lines;
}

void TIniFile::WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value)
{
    if (!WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), fileName_.c_str())) RaiseWriteError();
}

void TIniFile::ClearSection(const std::wstring& section)
{
    for (const auto& key : ReadSection(section))
        if (!WritePrivateProfileStringW(section.c_str(), key.c_str(), nullptr, fileName_.c_str())) RaiseWriteError();
}

void TIniFile::UpdateFile() noexcept { WritePrivateProfileStringW(nullptr, nullptr, nullptr, fileName_.c_str()); }

void TIniFile::RaiseWriteError() const
{
    throw EIniFileException(FormatMessageText(L"Unable to write to %s", {fileName_}));
}
