#include "skin/store/KsObjectNotation.h"

#include "framework/Text.h"

#include <array>
#include <limits>

namespace {

constexpr size_t BytesPerHexLine = 32;
constexpr char HexDigits[] = "0123456789ABCDEF";

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// For each character: its value as a hexadecimal digit, HexBlank for a blank, HexOther otherwise.
constexpr uint8_t HexBlank = 16;
constexpr uint8_t HexOther = 17;
constexpr auto HexTable = [] {
    std::array<uint8_t, 256> table{};
    for (int c = 0; c < 256; ++c) {
        table[c] = c >= '0' && c <= '9'   ? c - '0'
                   : c >= 'A' && c <= 'F' ? c - 'A' + 10
                   : c >= 'a' && c <= 'f' ? c - 'a' + 10
                   : IsBlank(static_cast<char>(c)) ? HexBlank
                                                   : HexOther;
    }
    return table;
}();

bool SameWord(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// A reader over the description text; every step consumes at least one character or fails, so
// nothing loops beyond the text.
class TNotationParser {
public:
    explicit TNotationParser(std::string_view text) : text_(text) {}

    TNotationObject ParseObject()
    {
        TNotationObject object;
        SkipBlanks();
        if (!SameWord(Identifier("'object' expected"), "object")) Fail("'object' expected");
        SkipBlanks();
        if (!AtEnd() && IsIdentStart(Peek())) object.Name = Identifier("object name expected");
        SkipBlanks();
        Expect(':');
        SkipBlanks();
        object.ClassName = Identifier("class name expected");
        for (;;) {
            SkipBlanks();
            std::string name = DottedName();
            if (SameWord(name, "end")) break;
            SkipBlanks();
            Expect('=');
            SkipBlanks();
            object.Properties.push_back({std::move(name), Value()});
        }
        SkipBlanks();
        if (!AtEnd()) Fail("text after 'end'");
        return object;
    }

private:
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return text_[pos_]; }

    [[noreturn]] void Fail(const char* what) const
    {
        size_t line = 1;
        for (size_t i = 0; i < pos_ && i < text_.size(); ++i)
            if (text_[i] == '\n') ++line;
        throw ENotationError(L"Error in object description, line " + std::to_wstring(line) + L": " +
                             AnsiToWide(what));
    }

    void SkipBlanks()
    {
        while (!AtEnd() && IsBlank(Peek())) ++pos_;
    }

    void Expect(char c)
    {
        if (AtEnd() || Peek() != c) Fail(c == ':' ? "':' expected" : c == '=' ? "'=' expected" : "syntax error");
        ++pos_;
    }

    std::string Identifier(const char* whatIfMissing)
    {
        if (AtEnd() || !IsIdentStart(Peek())) Fail(whatIfMissing);
        size_t start = pos_;
        while (!AtEnd() && IsIdentChar(Peek())) ++pos_;
        return std::string(text_.substr(start, pos_ - start));
    }

    std::string DottedName()
    {
        std::string name = Identifier("property name or 'end' expected");
        while (!AtEnd() && Peek() == '.') {
            ++pos_;
            name += '.';
            name += Identifier("property name expected after '.'");
        }
        return name;
    }

    TNotationValue Value()
    {
        if (AtEnd()) Fail("value expected");
        char c = Peek();
        if (c == '-' || IsDigit(c)) return TNotationValue::FromInteger(Integer());
        if (IsIdentStart(c)) return TNotationValue::FromIdentifier(Identifier("value expected"));
        if (c == '\'') return TNotationValue::FromString(QuotedString());
        if (c == '[') return TNotationValue::FromSet(Set());
        if (c == '{') return TNotationValue::FromBytes(Binary());
        Fail("invalid property value");
    }

    int32_t Integer()
    {
        bool negative = Peek() == '-';
        if (negative) ++pos_;
        if (AtEnd() || !IsDigit(Peek())) Fail("invalid integer");
        int64_t magnitude = 0;
        const int64_t limit =
            negative ? -int64_t{std::numeric_limits<int32_t>::min()} : std::numeric_limits<int32_t>::max();
        while (!AtEnd() && IsDigit(Peek())) {
            magnitude = magnitude * 10 + (Peek() - '0');
            if (magnitude > limit) Fail("integer out of range");
            ++pos_;
        }
        if (!AtEnd() && IsIdentChar(Peek())) Fail("invalid integer");
        return static_cast<int32_t>(negative ? -magnitude : magnitude);
    }

    std::string QuotedString()
    {
        ++pos_;
        std::string result;
        for (;;) {
            if (AtEnd()) Fail("unterminated string");
            char c = text_[pos_++];
            if (c != '\'') {
                result += c;
            } else if (!AtEnd() && Peek() == '\'') {
                result += '\'';
                ++pos_;
            } else {
                return result;
            }
        }
    }

    std::vector<std::string> Set()
    {
        ++pos_;
        std::vector<std::string> members;
        SkipBlanks();
        if (!AtEnd() && Peek() == ']') {
            ++pos_;
            return members;
        }
        for (;;) {
            SkipBlanks();
            members.push_back(Identifier("set member expected"));
            SkipBlanks();
            if (AtEnd()) Fail("']' expected");
            char c = text_[pos_++];
            if (c == ']') return members;
            if (c != ',') Fail("',' or ']' expected");
        }
    }

    std::vector<uint8_t> Binary()
    {
        ++pos_;
        std::vector<uint8_t> bytes;
        bytes.reserve((text_.size() - pos_) / 2);
        int high = -1;
        // Stored skins are mostly hexadecimal digits, so this loop decides a character per step
        // from one table lookup.
        for (; pos_ < text_.size(); ++pos_) {
            uint8_t kind = HexTable[static_cast<unsigned char>(text_[pos_])];
            if (kind < 16) {
                if (high < 0) {
                    high = kind;
                } else {
                    bytes.push_back(static_cast<uint8_t>(high << 4 | kind));
                    high = -1;
                }
            } else if (kind == HexBlank) {
                continue;
            } else if (text_[pos_] == '}') {
                if (high >= 0) Fail("odd number of digits in binary value");
                ++pos_;
                return bytes;
            } else {
                Fail("invalid binary value");
            }
        }
        Fail("'}' expected");
    }

    std::string_view text_;
    size_t pos_ = 0;
};

void AppendValue(std::string& out, const TNotationValue& value)
{
    switch (value.Kind) {
    case TNotationValue::nvInteger:
        out += std::to_string(value.Integer);
        break;
    case TNotationValue::nvIdentifier:
        out += value.Text;
        break;
    case TNotationValue::nvString:
        out += '\'';
        for (char c : value.Text) {
            out += c;
            if (c == '\'') out += '\'';
        }
        out += '\'';
        break;
    case TNotationValue::nvSet:
        out += '[';
        for (size_t i = 0; i < value.Members.size(); ++i) {
            if (i > 0) out += ", ";
            out += value.Members[i];
        }
        out += ']';
        break;
    case TNotationValue::nvBinary: {
        // Short data stays on the property line; longer data goes on continuation lines of 32
        // bytes, one level deeper, with the brace right after the last digit.
        bool multiLine = value.Bytes.size() >= BytesPerHexLine;
        out += '{';
        for (size_t i = 0; i < value.Bytes.size(); ++i) {
            if (multiLine && i % BytesPerHexLine == 0) out += "\r\n    ";
            out += HexDigits[value.Bytes[i] >> 4];
            out += HexDigits[value.Bytes[i] & 0xF];
        }
        out += '}';
        break;
    }
    }
}

} // namespace

TNotationValue TNotationValue::FromInteger(int32_t value)
{
    TNotationValue v;
    v.Kind = nvInteger;
    v.Integer = value;
    return v;
}

TNotationValue TNotationValue::FromIdentifier(std::string identifier)
{
    TNotationValue v;
    v.Kind = nvIdentifier;
    v.Text = std::move(identifier);
    return v;
}

TNotationValue TNotationValue::FromString(std::string text)
{
    TNotationValue v;
    v.Kind = nvString;
    v.Text = std::move(text);
    return v;
}

TNotationValue TNotationValue::FromSet(std::vector<std::string> members)
{
    TNotationValue v;
    v.Kind = nvSet;
    v.Members = std::move(members);
    return v;
}

TNotationValue TNotationValue::FromBytes(std::vector<uint8_t> bytes)
{
    TNotationValue v;
    v.Kind = nvBinary;
    v.Bytes = std::move(bytes);
    return v;
}

TNotationObject ReadNotation(std::string_view text) { return TNotationParser(text).ParseObject(); }

std::string WriteNotation(const TNotationObject& object)
{
    std::string out = "object " + object.Name + ": " + object.ClassName + "\r\n";
    for (const TNotationProperty& property : object.Properties) {
        out += "  ";
        out += property.Name;
        out += " = ";
        AppendValue(out, property.Value);
        out += "\r\n";
    }
    out += "end\r\n";
    return out;
}
