#pragma once

#include "framework/Exceptions.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The textual object notation that carries one skin object inside the skin content:
//
//     object Face: TSeButtonObject
//       Bitmap.Name = 'BUTTON.bmp'
//       Font.Style = [fsBold]
//       Objects = {00000000}
//     end
//
// This unit only turns text into a list of named values and back; which properties exist and
// what the values mean is decided by the code that applies them to a skin object. All text is
// single-byte (the ANSI code page), exactly as stored.

class ENotationError : public Exception { public: using Exception::Exception; };

struct TNotationValue {
    enum TKind { nvInteger, nvIdentifier, nvString, nvSet, nvBinary };

    TKind Kind = nvInteger;
    int32_t Integer = 0;
    std::string Text;                 // identifier or string
    std::vector<std::string> Members; // set
    std::vector<uint8_t> Bytes;       // binary

    static TNotationValue FromInteger(int32_t value);
    static TNotationValue FromIdentifier(std::string identifier);
    static TNotationValue FromString(std::string text);
    static TNotationValue FromSet(std::vector<std::string> members);
    static TNotationValue FromBytes(std::vector<uint8_t> bytes);

    friend bool operator==(const TNotationValue&, const TNotationValue&) = default;
};

struct TNotationProperty {
    std::string Name; // possibly dotted: "Font.Color"
    TNotationValue Value;

    friend bool operator==(const TNotationProperty&, const TNotationProperty&) = default;
};

struct TNotationObject {
    std::string Name;
    std::string ClassName;
    std::vector<TNotationProperty> Properties;

    friend bool operator==(const TNotationObject&, const TNotationObject&) = default;
};

// Parses one object description; raises ENotationError, naming the line, on anything malformed.
TNotationObject ReadNotation(std::string_view text);

// Writes one object description with CR LF line ends, properties in the given order.
std::string WriteNotation(const TNotationObject& object);
