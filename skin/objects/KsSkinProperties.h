#pragma once

#include "framework/Graphics.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TSeSkinObject;
class TKsBitmapLink;

// Published properties of skin objects, listed by name so that the textual object notation can write
// and read them without knowing the classes.
//
// How the notation code uses it:
//
//     TSeSkinObject* object = CreateSkinObject(L"TSeButtonObject", owner);   // registry, KsSkinObjectRegistry.h
//     object->SetName(L"Face");                                              // the name of the "object" line
//     for (const TSeObjectProperty& p : object->Properties()) {              // declaration order, base first
//         if (p.Stored && !p.Stored(*object)) continue;                      // Tag is written only when not 0
//         switch (p.Kind) {
//         case TSePropertyKind::Enumeration: write(p.Name, p.ValueNames[p.GetOrdinal(*object)]); break;
//         case TSePropertyKind::Font:                                        // "Font.Color = clWindowText"
//             for (const TSeProperty<TFont>& s : FontProperties()) ... s.GetOrdinal(p.Font(*object)) ...
//         case TSePropertyKind::BitmapLink:                                  // "Bitmap.Left = 0"
//             for (const TSeProperty<TKsBitmapLink>& s : BitmapLinkProperties()) ... p.Link(*object) ...
//         ...
//         }
//     }
//     const TSeObjectProperty* p = FindProperty(object->Properties(), L"TileStyle");   // reading; none: an error
//     p->SetOrdinal(*object, ordinal);
//
// The children travel in the binary property "Objects", which is not in the lists: the notation code
// writes ChildCount() and ChildAt(i) itself and reads children with CreateSkinObject(className, object).
// The component's Name is not in the lists either.

// What a property holds, and so how its value is spelled.
enum class TSePropertyKind {
    Integer,     // GetOrdinal / SetOrdinal: the number
    Boolean,     // GetOrdinal / SetOrdinal: 0 False, 1 True
    Enumeration, // GetOrdinal / SetOrdinal: the ordinal; ValueNames: the names by ordinal
    Color,       // GetOrdinal / SetOrdinal: the TColor; ColorToIdent / IdentToColor for names
    Charset,     // GetOrdinal / SetOrdinal: the character set; CharsetToIdent / IdentToCharset for names
    FontStyles,  // GetOrdinal / SetOrdinal: bit n set for member n; ValueNames: the member names by bit
    String,      // GetString / SetString
    Font,        // Font: the contained TFont, whose properties are FontProperties()
    BitmapLink,  // Link: the contained TKsBitmapLink, whose properties are BitmapLinkProperties()
};

// One published property of objects of type T: a skin object class, TFont or TKsBitmapLink.
template <typename T>
struct TSeProperty {
    std::wstring Name;
    TSePropertyKind Kind = TSePropertyKind::Integer;
    std::span<const wchar_t* const> ValueNames;
    std::function<int(const T&)> GetOrdinal;
    std::function<void(T&, int)> SetOrdinal;
    std::function<std::wstring(const T&)> GetString;
    std::function<void(T&, const std::wstring&)> SetString;
    std::function<TFont&(T&)> Font;
    std::function<TKsBitmapLink&(T&)> Link;
    // When set, the property is written only while this answers true.
    std::function<bool(const T&)> Stored;
};

using TSeObjectProperty = TSeProperty<TSeSkinObject>;
using TSePropertyList = std::vector<TSeObjectProperty>;

// Charset, Color, Height, Name, Style.
const std::vector<TSeProperty<TFont>>& FontProperties();
// Name, Left, Top, Right, Bottom.
const std::vector<TSeProperty<TKsBitmapLink>>& BitmapLinkProperties();

// The property of that name (ignoring ASCII case), or none.
template <typename T>
const TSeProperty<T>* FindProperty(const std::vector<TSeProperty<T>>& list, std::wstring_view name);

// Names of colours ("clWhite", "clWindowText", ...) and character sets ("DEFAULT_CHARSET", ...).
// ToIdent answers false for a value without a name; IdentTo answers false for an unknown name.
bool ColorToIdent(TColor color, std::wstring& ident);
bool IdentToColor(std::wstring_view ident, TColor& color);
bool CharsetToIdent(int charset, std::wstring& ident);
bool IdentToCharset(std::wstring_view ident, int& charset);

// Builders for the property tables of the skin object classes. C is the class that declares the
// property; the list of class C is only ever used with objects of class C or its subclasses.
namespace SeProperties {

template <typename C>
TSeObjectProperty Integer(std::wstring name, int (C::*get)() const, void (C::*set)(int))
{
    TSeObjectProperty p;
    p.Name = std::move(name);
    p.Kind = TSePropertyKind::Integer;
    p.GetOrdinal = [get](const TSeSkinObject& o) { return (static_cast<const C&>(o).*get)(); };
    p.SetOrdinal = [set](TSeSkinObject& o, int v) { (static_cast<C&>(o).*set)(v); };
    return p;
}

template <typename C>
TSeObjectProperty Color(std::wstring name, TColor (C::*get)() const, void (C::*set)(TColor))
{
    TSeObjectProperty p = Integer<C>(std::move(name), get, set);
    p.Kind = TSePropertyKind::Color;
    return p;
}

template <typename C>
TSeObjectProperty Boolean(std::wstring name, bool (C::*get)() const, void (C::*set)(bool))
{
    TSeObjectProperty p;
    p.Name = std::move(name);
    p.Kind = TSePropertyKind::Boolean;
    p.GetOrdinal = [get](const TSeSkinObject& o) { return (static_cast<const C&>(o).*get)() ? 1 : 0; };
    p.SetOrdinal = [set](TSeSkinObject& o, int v) { (static_cast<C&>(o).*set)(v != 0); };
    return p;
}

// An enumeration property; an ordinal outside the names is refused by the notation code, not here.
template <typename C, typename E>
TSeObjectProperty Enumeration(std::wstring name, std::span<const wchar_t* const> names, E (C::*get)() const,
                              void (C::*set)(E))
{
    TSeObjectProperty p;
    p.Name = std::move(name);
    p.Kind = TSePropertyKind::Enumeration;
    p.ValueNames = names;
    p.GetOrdinal = [get](const TSeSkinObject& o) { return static_cast<int>((static_cast<const C&>(o).*get)()); };
    p.SetOrdinal = [set](TSeSkinObject& o, int v) { (static_cast<C&>(o).*set)(static_cast<E>(v)); };
    return p;
}

template <typename C>
TSeObjectProperty String(std::wstring name, const std::wstring& (C::*get)() const, void (C::*set)(const std::wstring&))
{
    TSeObjectProperty p;
    p.Name = std::move(name);
    p.Kind = TSePropertyKind::String;
    p.GetString = [get](const TSeSkinObject& o) { return (static_cast<const C&>(o).*get)(); };
    p.SetString = [set](TSeSkinObject& o, const std::wstring& v) { (static_cast<C&>(o).*set)(v); };
    return p;
}

// A contained font or link, reached by a path of data members: the member of C itself, or the
// member of C that holds a small value type followed by the member within it.
template <typename C, typename... Path>
TSeObjectProperty Font(std::wstring name, Path... path)
{
    TSeObjectProperty p;
    p.Name = std::move(name);
    p.Kind = TSePropertyKind::Font;
    p.Font = [path...](TSeSkinObject& o) -> TFont& { return (static_cast<C&>(o) .* ... .* path); };
    return p;
}

template <typename C, typename... Path>
TSeObjectProperty Link(std::wstring name, Path... path)
{
    TSeObjectProperty p;
    p.Name = std::move(name);
    p.Kind = TSePropertyKind::BitmapLink;
    p.Link = [path...](TSeSkinObject& o) -> TKsBitmapLink& { return (static_cast<C&>(o) .* ... .* path); };
    return p;
}

// The base class's list followed by the properties the class adds.
TSePropertyList Extend(const TSePropertyList& base, std::initializer_list<TSeObjectProperty> added);

} // namespace SeProperties
