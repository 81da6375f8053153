#include "framework/IniSectionText.h"

#include "framework/Text.h"

#include <windows.h>

namespace {

template <typename TChar>
bool IsProfileBlank(TChar c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The text after the "[" of a line that starts a section, up to its last "]"; false for any other
// line. Only a line that starts with "[" is decoded: in a double-byte code page a "]" byte can be
// the second half of a character.
template <typename TChar, typename TDecode>
bool SectionName(std::basic_string_view<TChar> line, TDecode decode, std::wstring& name)
{
    size_t start = 0;
    while (start < line.size() && IsProfileBlank(line[start])) ++start;
    if (start == line.size() || line[start] != '[') return false;
    name = decode(line.substr(start + 1));
    size_t close = name.rfind(L']');
    if (close == std::wstring::npos) return false;
    name.resize(close);
    return true;
}

template <typename TChar, typename TDecode>
bool StartsAnySection(std::basic_string_view<TChar> line, TDecode decode)
{
    std::wstring name;
    return SectionName(line, decode, name);
}

template <typename TChar, typename TDecode>
bool StartsSection(std::basic_string_view<TChar> line, std::wstring_view section, TDecode decode)
{
    std::wstring name;
    return SectionName(line, decode, name) &&
           CompareStringOrdinal(name.data(), static_cast<int>(name.size()), section.data(),
                                static_cast<int>(section.size()), TRUE) == CSTR_EQUAL;
}

// The text with the section's lines replaced by body; header starts the section when it is missing.
template <typename TChar, typename TDecode>
std::basic_string<TChar> ReplaceLines(std::basic_string_view<TChar> text, std::wstring_view section,
                                      const std::basic_string<TChar>& header, const std::basic_string<TChar>& body,
                                      TDecode decode)
{
    constexpr size_t npos = std::basic_string_view<TChar>::npos;
    const std::basic_string<TChar> lineEnd{TChar('\r'), TChar('\n')};
    size_t bodyStart = npos;
    size_t bodyEnd = text.size();
    for (size_t position = 0; position < text.size();) {
        size_t newline = text.find(TChar('\n'), position);
        size_t next = newline == npos ? text.size() : newline + 1;
        auto line = text.substr(position, next - position);
        if (bodyStart == npos) {
            if (StartsSection(line, section, decode)) bodyStart = next;
        } else if (StartsAnySection(line, decode)) {
            bodyEnd = position;
            break;
        }
        position = next;
    }

    std::basic_string<TChar> result;
    if (bodyStart == npos) {
        result.assign(text);
        if (body.empty()) return result;
        if (!result.empty() && result.back() != TChar('\n')) result += lineEnd;
        return result + header + body;
    }
    result.assign(text.substr(0, bodyStart));
    // A header on the last line of a file without a final line end.
    if (bodyStart == text.size() && !body.empty() && result.back() != TChar('\n')) result += lineEnd;
    result += body;
    result.append(text.substr(bodyEnd));
    return result;
}

std::wstring FromUtf16(std::string_view bytes, bool bigEndian)
{
    std::wstring text(bytes.size() / 2, L'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        auto high = static_cast<unsigned char>(bytes[2 * i + (bigEndian ? 0 : 1)]);
        auto low = static_cast<unsigned char>(bytes[2 * i + (bigEndian ? 1 : 0)]);
        text[i] = static_cast<wchar_t>(high << 8 | low);
    }
    return text;
}

std::string ToUtf16(std::wstring_view text, bool bigEndian)
{
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (wchar_t c : text) {
        char high = static_cast<char>(c >> 8);
        char low = static_cast<char>(c & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

} // namespace

std::string ReplaceIniSectionLines(std::string_view fileBytes, std::wstring_view section,
                                   const std::vector<std::wstring>& lines)
{
    std::wstring body;
    for (const auto& line : lines) body += line + L"\r\n";
    const std::wstring header = L"[" + std::wstring(section) + L"]\r\n";

    bool littleEndian = fileBytes.starts_with("\xFF\xFE");
    if (littleEndian || fileBytes.starts_with("\xFE\xFF")) {
        std::string_view units = fileBytes.substr(2);
        std::wstring text = FromUtf16(units, !littleEndian);
        auto same = [](std::wstring_view name) { return std::wstring(name); };
        std::wstring replaced = ReplaceLines<wchar_t>(text, section, header, body, same);
        // An odd last byte is no character; it stays at the end.
        std::string result(fileBytes.substr(0, 2));
        result += ToUtf16(replaced, !littleEndian);
        result += units.substr(units.size() & ~size_t{1});
        return result;
    }
    if (fileBytes.starts_with("\xEF\xBB\xBF")) {
        auto decode = [](std::string_view name) { return Utf8ToWide(name); };
        std::string result(fileBytes.substr(0, 3));
        result += ReplaceLines<char>(fileBytes.substr(3), section, WideToUtf8(header), WideToUtf8(body), decode);
        return result;
    }
    auto decode = [](std::string_view name) { return AnsiToWide(name); };
    return ReplaceLines<char>(fileBytes, section, WideToAnsi(header), WideToAnsi(body), decode);
}

bool IsUtf16IniText(std::string_view fileBytes)
{
    return fileBytes.starts_with("\xFF\xFE") || fileBytes.starts_with("\xFE\xFF");
}

std::string IniTextAsUtf16(std::string_view fileBytes)
{
    if (IsUtf16IniText(fileBytes)) return std::string(fileBytes);
    std::wstring text = fileBytes.starts_with("\xEF\xBB\xBF") ? Utf8ToWide(fileBytes.substr(3)) : AnsiToWide(fileBytes);
    return "\xFF\xFE" + ToUtf16(text, false);
}
