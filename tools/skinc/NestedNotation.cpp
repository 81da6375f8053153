#include "tools/skinc/NestedNotation.h"

#include "framework/Streams.h"
#include "framework/Text.h"
#include "skin/store/KsSkinData.h"
#include "tools/skinc/SkinSourceError.h"

#include <cstdlib>

namespace {

constexpr const char* ObjectsProperty = "Objects";
// A record takes at least its two string counts, so a count above the remaining bytes / 8 is corrupt.
constexpr int32_t MinRecordSize = 8;

struct TSourceLine {
    std::string_view Text;  // without indentation and line end
    size_t Number;
};

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    return text;
}

// The notation's key words are matched without regard to case.
bool IsWord(std::string_view text, std::wstring_view word) { return SameTextAscii(AnsiToWide(text), word); }

bool StartsWithWord(std::string_view line, std::wstring_view word)
{
    return line.size() > word.size() && IsWord(line.substr(0, word.size()), word) &&
           static_cast<unsigned char>(line[word.size()]) <= ' ';
}

// "Name = $hex" becomes "Name = decimal"; every other line stays as it is.
std::string ExpandHexInteger(std::string_view line)
{
    size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::string(line);
    std::string_view value = Trimmed(line.substr(equals + 1));
    if (value.size() < 2 || value.size() > 9 || value[0] != '$') return std::string(line);
    char* end = nullptr;
    std::string digits(value.substr(1));
    unsigned long number = std::strtoul(digits.c_str(), &end, 16);
    if (*end != '\0' || digits.find_first_of("+- ") != std::string::npos) return std::string(line);
    const int32_t integer = static_cast<int32_t>(static_cast<uint32_t>(number));
    return std::string(line.substr(0, equals + 1)) + " " + std::to_string(integer);
}

class TSourceParser {
public:
    TSourceParser(std::string_view text, const std::wstring& fileName) : fileName_(fileName)
    {
        size_t number = 0;
        while (!text.empty()) {
            size_t end = text.find('\n');
            std::string_view line = Trimmed(text.substr(0, end));
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
            ++number;
            if (!line.empty()) lines_.push_back({line, number});
        }
    }

    TObjectTree ParseFile()
    {
        if (lines_.empty()) Fail(1, L"'object' expected");
        TObjectTree tree = ParseBlock();
        if (next_ < lines_.size()) Fail(lines_[next_].Number, L"text after the last 'end'");
        return tree;
    }

private:
    [[noreturn]] void Fail(size_t line, const std::wstring& what) const
    {
        throw ESkinSourceError(fileName_ + L", line " + std::to_wstring(line) + L": " + what);
    }

    // One "object ... end" block starting at the current line.
    TObjectTree ParseBlock()
    {
        const TSourceLine header = lines_[next_++];
        if (!StartsWithWord(header.Text, L"object")) Fail(header.Number, L"'object' expected");
        TObjectTree tree;
        tree.Object = ParseHeader(header);
        bool hasObjectsProperty = false;
        for (;;) {
            if (next_ >= lines_.size()) Fail(header.Number, L"this object has no 'end'");
            const TSourceLine line = lines_[next_];
            if (IsWord(line.Text, L"end")) {
                ++next_;
                break;
            }
            if (StartsWithWord(line.Text, L"object")) {
                tree.Children.push_back(ParseBlock());
                continue;
            }
            ++next_;
            TNotationProperty property = ParseProperty(header, line);
            hasObjectsProperty = hasObjectsProperty || SameTextAscii(AnsiToWide(property.Name), L"Objects");
            tree.Object.Properties.push_back(std::move(property));
        }
        if (hasObjectsProperty && !tree.Children.empty())
            Fail(header.Number, L"an object gives its children either as 'Objects' or as nested blocks, not both");
        return tree;
    }

    // The header line and each property line go through the notation reader on their own, so
    // that an error names the line where it stands.
    TNotationObject ParseHeader(const TSourceLine& header) const
    {
        try {
            return ReadNotation(std::string(header.Text) + "\nend");
        } catch (const ENotationError& error) {
            Fail(header.Number, error.Message());
        }
    }

    TNotationProperty ParseProperty(const TSourceLine& header, const TSourceLine& line) const
    {
        try {
            TNotationObject parsed =
                ReadNotation(std::string(header.Text) + "\n" + ExpandHexInteger(line.Text) + "\nend");
            if (parsed.Properties.size() != 1) Fail(line.Number, L"one property per line expected");
            return std::move(parsed.Properties.front());
        } catch (const ENotationError& error) {
            Fail(line.Number, error.Message());
        }
    }

    std::wstring fileName_;
    std::vector<TSourceLine> lines_;
    size_t next_ = 0;
};

void AppendSource(std::string& out, const TObjectTree& tree, const std::string& indent)
{
    TNotationObject own = tree.Object;
    std::string text = WriteNotation(own);
    // WriteNotation gives "object ...", the property lines and "end", each ending in CR LF.
    size_t start = 0;
    std::vector<std::string> lines;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        lines.emplace_back(text.substr(start, end - start));
        start = end + 2;
    }
    lines.pop_back();
    for (const std::string& line : lines) out += indent + line + "\n";
    for (const TObjectTree& child : tree.Children) AppendSource(out, child, indent + "  ");
    out += indent + "end\n";
}

} // namespace

TObjectTree ParseObjectSource(std::string_view text, const std::wstring& fileName)
{
    return TSourceParser(text, fileName).ParseFile();
}

std::string WriteObjectSource(const TObjectTree& tree)
{
    std::string out;
    AppendSource(out, tree, "");
    return out;
}

std::string ContentDescription(const TObjectTree& tree)
{
    TNotationObject object = tree.Object;
    bool hasObjects = false;
    for (const TNotationProperty& property : object.Properties)
        hasObjects = hasObjects || SameTextAscii(AnsiToWide(property.Name), L"Objects");
    if (!hasObjects) {
        TMemoryStream children;
        children.WriteInt32(static_cast<int32_t>(tree.Children.size()));
        for (const TObjectTree& child : tree.Children) {
            WriteSkinString(children, child.Object.ClassName);
            WriteSkinString(children, ContentDescription(child));
        }
        object.Properties.push_back({ObjectsProperty, TNotationValue::FromBytes(children.Bytes())});
    }
    return WriteNotation(object);
}

TObjectTree TreeFromDescription(std::string_view description)
{
    TObjectTree tree;
    tree.Object = ReadNotation(description);
    std::vector<TNotationProperty>& properties = tree.Object.Properties;
    for (auto it = properties.begin(); it != properties.end(); ++it) {
        if (!SameTextAscii(AnsiToWide(it->Name), L"Objects")) continue;
        if (it->Value.Kind != TNotationValue::nvBinary) throw ENotationError(L"Objects must be binary data");
        TMemoryStream children(it->Value.Bytes);
        int32_t count = ReadSkinCount(children, static_cast<int32_t>(it->Value.Bytes.size() / MinRecordSize),
                                      L"the child count");
        for (int32_t i = 0; i < count; ++i) {
            std::string className = ReadSkinString(children);
            TObjectTree child = TreeFromDescription(ReadSkinString(children));
            if (child.Object.ClassName != className)
                throw ENotationError(L"The record of " + AnsiToWide(child.Object.Name) + L" names the class " +
                                     AnsiToWide(className) + L" but its description " +
                                     AnsiToWide(child.Object.ClassName));
            tree.Children.push_back(std::move(child));
        }
        if (children.Position() != children.Size()) throw ENotationError(L"Objects holds data after its last child");
        properties.erase(it);
        break;
    }
    return tree;
}
