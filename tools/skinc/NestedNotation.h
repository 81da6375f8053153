#pragma once

#include "skin/store/KsObjectNotation.h"

#include <string>
#include <string_view>
#include <vector>

// One skin object with its children as the skin's source files write it: the textual object
// notation with every child as a nested "object ... end" block (indented by two more blanks)
// instead of the hexadecimal "Objects" property that the skin content carries:
//
//     object Button: TSeSkinObject
//       Width = 200
//       object Face: TSeButtonObject
//         Bitmap.Name = 'BUTTON.bmp'
//       end
//     end
//
// Besides the notation's values, an integer may be written in hexadecimal after "$"
// ("Color = $00F9F6F4"), which reads better for colours.
struct TObjectTree {
    TNotationObject Object;  // without "Objects"
    std::vector<TObjectTree> Children;

    friend bool operator==(const TObjectTree&, const TObjectTree&) = default;
};

// Parses one source file (ANSI text, any line ends). Raises ESkinSourceError naming fileName and
// the line for malformed text, unbalanced blocks or an "Objects" property beside nested blocks.
TObjectTree ParseObjectSource(std::string_view text, const std::wstring& fileName);

// The source text of a tree, LF line ends; properties keep their order.
std::string WriteObjectSource(const TObjectTree& tree);

// The object's description as the skin content stores it: its properties, then "Objects" with its
// children's records (an int32 count, then class name and description of each, as int32-counted
// strings), CR LF line ends.
std::string ContentDescription(const TObjectTree& tree);

// The reverse: a stored description (with or without "Objects") as a tree. Raises ENotationError
// or ESkinDataError for malformed data.
TObjectTree TreeFromDescription(std::string_view description);
