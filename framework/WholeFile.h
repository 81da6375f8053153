#pragma once

#include <string>

// A file read or written as one piece of bytes.

// The file's bytes; an empty text when there is no such file. False when it cannot be read.
bool ReadWholeFile(const std::wstring& fileName, std::string& bytes);
// Makes the bytes the file's whole content (creating it when missing); false when that fails. The
// file is opened without truncation and cut to the new length afterwards, so it keeps its attributes.
bool WriteWholeFile(const std::wstring& fileName, const std::string& bytes);
// Writes what the system still holds of the file to the disk; false when that fails.
bool FlushFileToDisk(const std::wstring& fileName);
