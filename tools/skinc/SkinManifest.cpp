#include "tools/skinc/SkinManifest.h"

#include "framework/Text.h"
#include "tools/skinc/SkinSourceError.h"

#include <array>

namespace {

[[noreturn]] void Fail(size_t line, const std::string& what)
{
    throw ESkinSourceError(L"skin.txt, line " + std::to_wstring(line) + L": " + AnsiToWide(what));
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    return text;
}

// A quoted value with doubled quotes inside; nothing may follow it.
std::string Unquote(std::string_view value, size_t line)
{
    if (value.size() < 2 || value.front() != '\'' || value.back() != '\'') Fail(line, "a quoted value expected");
    std::string result;
    for (size_t i = 1; i + 1 < value.size(); ++i) {
        if (value[i] == '\'') {
            if (i + 2 >= value.size() || value[i + 1] != '\'') Fail(line, "a quote inside a value must be doubled");
            ++i;
        }
        result += value[i];
    }
    return result;
}

std::string Quote(const std::string& value)
{
    std::string result = "'";
    for (char c : value) {
        result += c;
        if (c == '\'') result += '\'';
    }
    return result + "'";
}

struct THeaderField {
    const char* Key;
    std::string TSkinManifest::*Field;
};

constexpr std::array<THeaderField, 5> HeaderFields = {{
    {"SkinName", &TSkinManifest::SkinName},
    {"SkinVersion", &TSkinManifest::SkinVersion},
    {"Author", &TSkinManifest::Author},
    {"AuthorEMail", &TSkinManifest::AuthorEMail},
    {"AuthorURL", &TSkinManifest::AuthorURL},
}};

} // namespace

TSkinManifest ParseManifest(std::string_view text)
{
    TSkinManifest manifest;
    std::array<bool, HeaderFields.size()> seen{};
    size_t lineNumber = 0;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        if (line.empty()) continue;

        size_t equals = line.find('=');
        if (equals == std::string_view::npos) Fail(lineNumber, "'Key = value' expected");
        std::string key(Trimmed(line.substr(0, equals)));
        std::string value = Unquote(Trimmed(line.substr(equals + 1)), lineNumber);
        if (key == "Bitmap") {
            manifest.Bitmaps.push_back(value);
            continue;
        }
        if (key == "Object") {
            manifest.Objects.push_back(value);
            continue;
        }
        size_t i = 0;
        while (i < HeaderFields.size() && key != HeaderFields[i].Key) ++i;
        if (i == HeaderFields.size()) Fail(lineNumber, "unknown key '" + key + "'");
        if (seen[i]) Fail(lineNumber, key + " given twice");
        seen[i] = true;
        manifest.*HeaderFields[i].Field = value;
    }
    for (size_t i = 0; i < HeaderFields.size(); ++i)
        if (!seen[i]) Fail(lineNumber, std::string(HeaderFields[i].Key) + " missing");
    return manifest;
}

std::string WriteManifest(const TSkinManifest& manifest)
{
    std::string out;
    for (const THeaderField& field : HeaderFields)
        out += std::string(field.Key) + " = " + Quote(manifest.*field.Field) + "\n";
    for (const std::string& name : manifest.Bitmaps) out += "Bitmap = " + Quote(name) + "\n";
    for (const std::string& name : manifest.Objects) out += "Object = " + Quote(name) + "\n";
    return out;
}
