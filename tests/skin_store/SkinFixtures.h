#pragma once

#include "skin/engine/KsSkinSource.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Builders of small, complete skins for the store tests.

// A bitmap whose pixels are a pattern of seed (opaque, some half transparent, no magenta).
std::unique_ptr<TKsBitmap> MakeBitmap(const std::wstring& name, int width, int height, uint32_t seed);

// A new object of className owned by owner, its name and properties set from the property lines
// (each "  Name = value\r\n").
TSeSkinObject* MakeObject(TComponent* owner, const std::string& className, const std::string& name,
                          const std::string& propertyLines = {});

// A skin of three bitmaps and the top-level objects "Form" (with a caption and a system button),
// "Button" (with "Face" and "Text") and "Edit", whose links point into the bitmaps.
void FillSmallSkin(TSeSkinSource& source);

// The top-level object top of source, or its descendant part; raises (failing the test instead of
// crashing it) when there is none.
TSeSkinObject& Part(const TSeSkinSource& source, std::wstring_view top, std::wstring_view part = {});

// The bytes that filterClass writes for source.
std::vector<uint8_t> SaveWith(TSeSkinFilterClass filterClass, TSeSkinSource& source);
// Loads bytes through filterClass into source.
void LoadWith(TSeSkinFilterClass filterClass, TSeSkinSource& source, const std::vector<uint8_t>& bytes);

// The filter classes by extension.
TSeSkinFilterClass UncompressedFilter();
TSeSkinFilterClass CompressedFilter();
TSeSkinFilterClass UltraCompressedFilter();

// The lines of a CR LF text.
std::vector<std::string> SplitLines(const std::string& text);
