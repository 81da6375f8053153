#pragma once

#include <windows.h>

#include <string>

// The header line of a listing in the ANSI code page: "列舉日期: ", the user's short date, a blank
// and the user's long time (blank and time left out at exactly 00:00:00), CR LF.
std::string ListingHeader(const SYSTEMTIME& time);

// The output file's path: directory followed by fixedName, or by the date as YYYYMMDD and ".txt" when
// useFixedName is false. Blanks around the directory are dropped (no folder name ends with one, so
// "D:\Out\ " means D:\Out\), and a backslash is added when it does not end with a separator.
std::wstring ListingFileName(const std::wstring& directory, bool useFixedName, const std::wstring& fixedName,
                             const SYSTEMTIME& date);

// Creates (or empties) the file and writes text and a final CR LF in one piece. Failures raise
// EInOutError: "Invalid filename" when the folder is missing or the name is invalid, "File access
// denied" when writing is not allowed, else the system's text of the error.
void WriteListingFile(const std::wstring& path, const std::string& text);
