#pragma once

#include <string>
#include <string_view>
#include <vector>

// The skin's manifest (skin.txt): the five header strings, then the bitmaps and the top-level
// objects in the order the skin content holds them, one "Key = 'value'" line each:
//
//     SkinName = 'Folvane Slate'
//     SkinVersion = '2.0.0'
//     Author = '...'
//     AuthorEMail = '...'
//     AuthorURL = '...'
//     Bitmap = 'FRAMEBOTTOM.BMP'      (the bitmap's name and its file in bitmaps/)
//     Object = 'Form.txt'             (a file in objects/)
//
// Values are quoted as in the object notation (a quote inside is doubled). Texts are in the ANSI
// code page, as the skin content stores them.
struct TSkinManifest {
    std::string SkinName;
    std::string SkinVersion;
    std::string Author;
    std::string AuthorEMail;
    std::string AuthorURL;
    std::vector<std::string> Bitmaps;
    std::vector<std::string> Objects;

    friend bool operator==(const TSkinManifest&, const TSkinManifest&) = default;
};

// Raises ESkinSourceError naming the line for an unknown key, a malformed line, a header string
// given twice or missing.
TSkinManifest ParseManifest(std::string_view text);
std::string WriteManifest(const TSkinManifest& manifest);
