#pragma once

#include "app/ListingEncoding.h"
#include "framework/Exceptions.h"

#include <string>
#include <vector>

// "不是設定檔: %s": a file that holds no setting of the program, refused like one that cannot be opened.
class ENotAConfigFile : public EFOpenError {
public:
    using EFOpenError::EFOpenError;
};

// The settings a .cfg file holds.
struct TConfigSettings {
    // The values of the "DIR" section in file order: "path;depth" as the rows store them.
    std::vector<std::wstring> DirLines;
    std::wstring OutputDir;
    std::wstring OutputType;
    std::wstring OutputFile;
    TListingEncoding OutputEncoding = leAnsi;
    std::vector<std::wstring> ExcludePatterns;
};

// Reads a .cfg. A file that does not exist or cannot be opened raises EFOpenError "Cannot open file
// ...", and one with no key in "DIR" or "OUTPUT" (an empty file, any other file) raises
// ENotAConfigFile, before anything else is read. Every line of "DIR" and of "EXCLUDE" is taken in
// file order, whatever its key, as the text after its first "=" trimmed. Missing output values take
// their defaults: startDir followed by "Output\", "0", "folvane.txt". OUTPUTENCODING "UTF-8" (case
// ignored) means UTF-8; anything else, or no such key, means the ANSI code page, which is what every
// older file means. Blank and repeated exclusion patterns are left out.
TConfigSettings ReadConfigFile(const std::wstring& fileName, const std::wstring& startDir);

// Writes the settings into a .cfg, whole or not at all (the previous file stays byte for byte when a
// write fails, raising EIniFileException "Unable to write to %s"). Keys and sections that the
// settings do not name stay in the file; "DIR" and "EXCLUDE" are replaced whole, numbered from 0. A
// new file has "DIR" (when there are rows), then "OUTPUT", then "EXCLUDE" (when there are patterns).
// OUTPUTENCODING is written for UTF-8, or when the file has the key already: a file with the
// default settings keeps the older format. The file is in the ANSI code page unless a text needs a
// character that the code page does not hold; then it becomes UTF-16 with a byte order mark, whole,
// and stays so.
void WriteConfigFile(const std::wstring& fileName, const TConfigSettings& settings);
