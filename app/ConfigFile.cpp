#include "app/ConfigFile.h"

#include "app/ExcludeList.h"
#include "framework/Handles.h"
#include "framework/IniFile.h"
#include "framework/IniFileReplacement.h"
#include "framework/Text.h"

#include <windows.h>

#include <algorithm>

namespace {

const std::wstring kDirSection = L"DIR";
const std::wstring kOutputSection = L"OUTPUT";
const std::wstring kExcludeSection = L"EXCLUDE";
const std::wstring kEncodingKey = L"OUTPUTENCODING";

// The profile service reads a missing or locked file as an empty one.
void CheckReadable(const std::wstring& fileName)
{
    TFileHandle file(CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        throw EFOpenError(
            FormatMessageText(L"Cannot open file \"%s\". %s", {fileName, SystemErrorText(GetLastError())}));
}

// The values of a section's lines: the text after the first "=" trimmed, or a line without "=" whole.
std::vector<std::wstring> SectionValues(const TIniFile& ini, const std::wstring& section)
{
    std::vector<std::wstring> lines = ini.ReadSectionValues(section);
    for (auto& line : lines) {
        size_t equals = line.find(L'=');
        if (equals != std::wstring::npos) line = Trim(std::wstring_view(line).substr(equals + 1));
    }
    return lines;
}

// The section's lines "KEY0=value", "KEY1=value", ...
std::vector<std::wstring> NumberedLines(const std::wstring& key, const std::vector<std::wstring>& values)
{
    std::vector<std::wstring> lines;
    lines.reserve(values.size());
    for (size_t i = 0; i < values.size(); ++i) lines.push_back(key + std::to_wstring(i) + L"=" + values[i]);
    return lines;
}

bool AllFitAnsiCodePage(const TConfigSettings& settings)
{
    auto fits = [](const std::wstring& text) { return FitsAnsiCodePage(text); };
    return std::ranges::all_of(settings.DirLines, fits) && std::ranges::all_of(settings.ExcludePatterns, fits) &&
           fits(settings.OutputDir) && fits(settings.OutputType) && fits(settings.OutputFile);
}

} // namespace

TConfigSettings ReadConfigFile(const std::wstring& fileName, const std::wstring& startDir)
{
    CheckReadable(fileName);
    TIniFile ini(fileName);
    if (!ini.SectionExists(kDirSection) && !ini.SectionExists(kOutputSection))
        throw ENotAConfigFile(L"不是設定檔: " + fileName);

    TConfigSettings settings;
    settings.DirLines = SectionValues(ini, kDirSection);
    settings.OutputDir = ini.ReadString(kOutputSection, L"OUTPUTDIR", startDir + L"Output\\");
    settings.OutputType = ini.ReadString(kOutputSection, L"OUTPUTTYPE", L"0");
    settings.OutputFile = ini.ReadString(kOutputSection, L"OUTPUTFILE", L"folvane.txt");
    bool utf8 = SameTextAscii(ini.ReadString(kOutputSection, kEncodingKey, L""), L"UTF-8");
    settings.OutputEncoding = utf8 ? leUtf8 : leAnsi;
    for (const auto& pattern : SectionValues(ini, kExcludeSection))
        AddExcludePattern(settings.ExcludePatterns, pattern);
    return settings;
}

void WriteConfigFile(const std::wstring& fileName, const TConfigSettings& settings)
{
    TIniFileReplacement file(fileName, !AllFitAnsiCodePage(settings));
    TIniFile& ini = file.Ini();
    ini.WriteSection(kDirSection, NumberedLines(kDirSection, settings.DirLines));
    ini.WriteString(kOutputSection, L"OUTPUTDIR", settings.OutputDir);
    ini.WriteString(kOutputSection, L"OUTPUTTYPE", settings.OutputType);
    ini.WriteString(kOutputSection, L"OUTPUTFILE", settings.OutputFile);
    if (settings.OutputEncoding == leUtf8 || !ini.ReadString(kOutputSection, kEncodingKey, L"").empty())
        ini.WriteString(kOutputSection, kEncodingKey, settings.OutputEncoding == leUtf8 ? L"UTF-8" : L"ANSI");
    ini.WriteSection(kExcludeSection, NumberedLines(kExcludeSection, settings.ExcludePatterns));
    file.Commit();
}
