#include "skin/store/KsObjectRecords.h"

#include "framework/Text.h"
#include "skin/objects/KsSkinObjectRegistry.h"
#include "skin/objects/KsSkinObjects.h"
#include "skin/raster/KsBitmap.h"
#include "skin/store/KsSkinData.h"

#include <algorithm>
#include <map>
#include <memory>

namespace {

// Each child record takes at least its two string counts.
constexpr int32_t MinRecordSize = 8;

std::string Narrow(const std::wstring& text) { return WideToAnsi(text); }

// Names and most texts of a skin are ASCII, which needs no code page conversion.
std::wstring Widen(std::string_view text)
{
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::wstring(text.begin(), text.end());
    return AnsiToWide(text);
}

[[noreturn]] void RaiseValueError(const std::string& property, const std::wstring& reason)
{
    throw ENotationError(L"Invalid value of property " + AnsiToWide(property) + L": " + reason);
}

std::wstring Describe(const TNotationValue& value)
{
    switch (value.Kind) {
    case TNotationValue::nvInteger: return L"the number " + std::to_wstring(value.Integer);
    case TNotationValue::nvIdentifier: return L"'" + AnsiToWide(value.Text) + L"'";
    case TNotationValue::nvString: return L"a string";
    case TNotationValue::nvSet: return L"a set";
    case TNotationValue::nvBinary: return L"binary data";
    }
    return {};
}

char FoldAscii(wchar_t c) { return static_cast<char>(c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c); }

// Names of the notation are ASCII; this compares them ignoring case without making copies, as
// every property of every object is looked up this way.
bool SameName(std::wstring_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] > 0x7F || FoldAscii(a[i]) != FoldAscii(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

template <typename T>
const TSeProperty<T>* PropertyNamed(const std::vector<TSeProperty<T>>& list, std::string_view name)
{
    for (const TSeProperty<T>& p : list)
        if (SameName(p.Name, name)) return &p;
    return nullptr;
}

// The colour and character-set names repeat in every object; each known name is resolved once.
// Only names that resolve are kept, so the table cannot grow beyond the names that exist.
template <bool (*Resolve)(std::wstring_view, int&)>
bool ResolveIdent(const std::string& ident, int& value)
{
    static std::map<std::string, int, std::less<>> known;
    if (auto it = known.find(ident); it != known.end()) {
        value = it->second;
        return true;
    }
    if (!Resolve(AnsiToWide(ident), value)) return false;
    known.emplace(ident, value);
    return true;
}

int NameIndex(std::span<const wchar_t* const> names, const std::string& ident)
{
    for (size_t i = 0; i < names.size(); ++i)
        if (SameName(names[i], ident)) return static_cast<int>(i);
    return -1;
}

template <typename T>
void AppendProperty(std::vector<TNotationProperty>& out, const std::string& name, const TSeProperty<T>& p, T& target);

template <typename S>
void AppendSubProperties(std::vector<TNotationProperty>& out, const std::string& prefix,
                         const std::vector<TSeProperty<S>>& list, S& target)
{
    for (const TSeProperty<S>& sub : list)
        if (!sub.Stored || sub.Stored(target)) AppendProperty(out, prefix + "." + Narrow(sub.Name), sub, target);
}

template <typename T>
void AppendProperty(std::vector<TNotationProperty>& out, const std::string& name, const TSeProperty<T>& p, T& target)
{
    using K = TSePropertyKind;
    if (p.Kind == K::Font) {
        AppendSubProperties(out, name, FontProperties(), p.Font(target));
        return;
    }
    if (p.Kind == K::BitmapLink) {
        AppendSubProperties(out, name, BitmapLinkProperties(), p.Link(target));
        return;
    }
    if (p.Kind == K::String) {
        out.push_back({name, TNotationValue::FromString(Narrow(p.GetString(target)))});
        return;
    }
    int ordinal = p.GetOrdinal(target);
    std::wstring ident;
    TNotationValue value = TNotationValue::FromInteger(ordinal);
    switch (p.Kind) {
    case K::Boolean:
        value = TNotationValue::FromIdentifier(ordinal ? "True" : "False");
        break;
    case K::Enumeration:
        if (ordinal < 0 || ordinal >= static_cast<int>(p.ValueNames.size()))
            RaiseValueError(name, L"the ordinal " + std::to_wstring(ordinal) + L" has no name");
        value = TNotationValue::FromIdentifier(Narrow(p.ValueNames[ordinal]));
        break;
    case K::Color:
        if (ColorToIdent(ordinal, ident)) value = TNotationValue::FromIdentifier(Narrow(ident));
        break;
    case K::Charset:
        if (CharsetToIdent(ordinal, ident)) value = TNotationValue::FromIdentifier(Narrow(ident));
        break;
    case K::FontStyles: {
        std::vector<std::string> members;
        for (size_t bit = 0; bit < p.ValueNames.size(); ++bit)
            if (ordinal & (1 << bit)) members.push_back(Narrow(p.ValueNames[bit]));
        value = TNotationValue::FromSet(std::move(members));
        break;
    }
    default:
        break;
    }
    out.push_back({name, std::move(value)});
}

template <typename T>
void ApplyValue(const TSeProperty<T>& p, T& target, const std::string& name, const TNotationValue& value)
{
    using K = TSePropertyKind;
    using V = TNotationValue;
    auto refuse = [&] { RaiseValueError(name, Describe(value) + L" does not fit"); };
    int ordinal = 0;
    switch (p.Kind) {
    case K::Integer:
        if (value.Kind != V::nvInteger) refuse();
        ordinal = value.Integer;
        break;
    case K::Boolean:
        if (value.Kind != V::nvIdentifier) refuse();
        if (SameName(L"True", value.Text)) ordinal = 1;
        else if (!SameName(L"False", value.Text)) refuse();
        break;
    case K::Enumeration:
        if (value.Kind != V::nvIdentifier || (ordinal = NameIndex(p.ValueNames, value.Text)) < 0) refuse();
        break;
    case K::Color:
    case K::Charset:
        if (value.Kind == V::nvInteger) {
            ordinal = value.Integer;
        } else {
            bool known = value.Kind == V::nvIdentifier &&
                         (p.Kind == K::Color ? ResolveIdent<IdentToColor>(value.Text, ordinal)
                                             : ResolveIdent<IdentToCharset>(value.Text, ordinal));
            if (!known) refuse();
        }
        break;
    case K::FontStyles:
        if (value.Kind != V::nvSet) refuse();
        for (const std::string& member : value.Members) {
            int bit = NameIndex(p.ValueNames, member);
            if (bit < 0) RaiseValueError(name, L"'" + AnsiToWide(member) + L"' is not a member");
            ordinal |= 1 << bit;
        }
        break;
    case K::String:
        if (value.Kind != V::nvString) refuse();
        p.SetString(target, Widen(value.Text));
        return;
    case K::Font:
    case K::BitmapLink:
        RaiseValueError(name, L"a value is given to a property that has sub-properties");
    }
    p.SetOrdinal(target, ordinal);
}

template <typename S>
void ApplySubProperty(const std::vector<TSeProperty<S>>& list, S& target, const std::string& fullName,
                      std::string_view subName, const TNotationValue& value, const std::wstring& owner)
{
    const TSeProperty<S>* sub = PropertyNamed(list, subName);
    if (!sub)
        throw ENotationError(L"Error reading " + owner + L": property " + AnsiToWide(fullName) + L" does not exist");
    ApplyValue(*sub, target, fullName, value);
}

TSeSkinObject* ReadRecordTree(TStream& stream, TComponent* owner);

void ReadChildren(std::vector<uint8_t> bytes, TSeSkinObject& parent)
{
    const size_t size = bytes.size();
    TMemoryStream data(std::move(bytes));
    try {
        int32_t count = ReadSkinCount(data, static_cast<int32_t>(size / MinRecordSize), L"the child count");
        for (int32_t i = 0; i < count; ++i) ReadRecordTree(data, &parent);
    } catch (const ESkinDataError& e) {
        throw ENotationError(L"Invalid value of property Objects: " + e.Message());
    }
    if (data.Position() != data.Size())
        throw ENotationError(L"Invalid value of property Objects: data after the last child");
}

void EnsureUniqueAmongSiblings(const TSeSkinObject& object)
{
    TComponent* owner = object.Owner();
    if (!owner || object.Name().empty()) return;
    for (int i = 0; i < owner->ComponentCount(); ++i) {
        TComponent* sibling = owner->Components(i);
        if (sibling != &object && SameTextAscii(sibling->Name(), object.Name()))
            throw ENotationError(L"A component named " + object.Name() + L" already exists");
    }
}

TSeSkinObject* ReadRecordTree(TStream& stream, TComponent* owner)
{
    std::string className = ReadSkinString(stream);
    std::string description = ReadSkinString(stream);
    std::wstring wideClass = Widen(className);
    if (!IsSkinObjectClassRegistered(wideClass)) return nullptr;

    TNotationObject notation = ReadNotation(description);
    std::unique_ptr<TSeSkinObject> object(CreateSkinObject(wideClass, owner));
    if (!object) return nullptr;
    NotationToObject(std::move(notation), *object);
    EnsureUniqueAmongSiblings(*object);
    return object.release();
}

} // namespace

void NotationToObject(TNotationObject notation, TSeSkinObject& object)
{
    object.SetName(Widen(notation.Name));
    std::wstring owner = object.Name().empty() ? std::wstring(object.ClassName()) : object.Name();
    for (TNotationProperty& property : notation.Properties) {
        size_t dot = property.Name.find('.');
        std::string_view head = std::string_view(property.Name).substr(0, dot);
        std::string_view rest =
            dot == std::string::npos ? std::string_view() : std::string_view(property.Name).substr(dot + 1);
        if (dot == std::string::npos && SameName(L"Objects", head)) {
            if (property.Value.Kind != TNotationValue::nvBinary)
                RaiseValueError(property.Name, L"binary data expected");
            ReadChildren(std::move(property.Value.Bytes), object);
            continue;
        }
        const TSeObjectProperty* p = PropertyNamed(object.Properties(), head);
        if (!p)
            throw ENotationError(L"Error reading " + owner + L": property " + AnsiToWide(property.Name) +
                                 L" does not exist");
        if (p->Kind == TSePropertyKind::Font)
            ApplySubProperty(FontProperties(), p->Font(object), property.Name, rest, property.Value, owner);
        else if (p->Kind == TSePropertyKind::BitmapLink)
            ApplySubProperty(BitmapLinkProperties(), p->Link(object), property.Name, rest, property.Value, owner);
        else if (dot != std::string::npos)
            throw ENotationError(L"Error reading " + owner + L": property " + AnsiToWide(property.Name) +
                                 L" does not exist");
        else
            ApplyValue(*p, object, property.Name, property.Value);
    }
}

TNotationObject ObjectToNotation(TSeSkinObject& object)
{
    TNotationObject notation;
    notation.Name = Narrow(object.Name());
    notation.ClassName = Narrow(std::wstring(object.ClassName()));
    for (const TSeObjectProperty& p : object.Properties())
        if (!p.Stored || p.Stored(object)) AppendProperty(notation.Properties, Narrow(p.Name), p, object);

    TMemoryStream children;
    children.WriteInt32(object.ChildCount());
    for (int i = 0; i < object.ChildCount(); ++i) WriteObjectRecord(children, *object.ChildAt(i));
    notation.Properties.push_back({"Objects", TNotationValue::FromBytes(children.Bytes())});
    return notation;
}

TSeSkinObject* ReadObjectRecord(TStream& stream, TComponent* owner)
{
    TSeSkinObject* object = ReadRecordTree(stream, owner);
    if (object) object->SetCharset(DEFAULT_CHARSET);
    return object;
}

void WriteObjectRecord(TStream& stream, TSeSkinObject& object)
{
    WriteSkinString(stream, Narrow(std::wstring(object.ClassName())));
    WriteSkinString(stream, WriteNotation(ObjectToNotation(object)));
}
