#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The skin's sources live in one folder: skin.txt (the manifest, see SkinManifest.h), bitmaps/ with
// one 32-bit .bmp per skin bitmap, named as the bitmap, and objects/ with one description per
// top-level object (see NestedNotation.h). Text files are UTF-8; the skin content holds ANSI text.

// The skin store of the sources: the skin content as the skin library writes it, in the
// compressed container that the engine reads from its stored skin after the marker byte. Every
// object is read back through the skin library, and every bitmap link must name a bitmap of the skin
// and lie inside it; anything else raises ESkinSourceError (or the library's error) naming the file.
// bitmapFolder names the folder of the bitmaps inside sourceFolder: a second resolution of the same
// drawings (the skin's art at 200 %) compiles into a store of its own.
std::vector<uint8_t> CompileSkinStore(const std::wstring& sourceFolder, const std::wstring& bitmapFolder = L"bitmaps");

// Writes the sources of a store into folder (created when missing): every property of every
// object, every bitmap as stored.
void DecompileSkinStore(const std::vector<uint8_t>& store, const std::wstring& folder);

// The content inside a store.
std::vector<uint8_t> StoreContent(const std::vector<uint8_t>& store);
