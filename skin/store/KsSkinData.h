#pragma once

#include "framework/Exceptions.h"
#include "framework/Streams.h"

#include <cstdint>
#include <string>

// Raised when stored skin data is cut short or holds a count or size that cannot be right.
class ESkinDataError : public EReadError { public: using EReadError::EReadError; };

// The primitive encodings of the skin content (little-endian). Every read is bounded by the bytes
// the stream actually delivers: a claimed length is never allocated up front, so a corrupt count
// costs no more memory than the data that is really there.

int32_t ReadSkinInt32(TStream& stream);
// A count or size: raises ESkinDataError when negative or above limit; what names it in the message.
int32_t ReadSkinCount(TStream& stream, int32_t limit, const wchar_t* what);
// Exactly count bytes, or ESkinDataError when the stream ends first.
void ReadSkinBytes(TStream& stream, void* buffer, size_t count);
// An int32 byte count and that many single-byte characters.
std::string ReadSkinString(TStream& stream);

void WriteSkinString(TStream& stream, const std::string& text);
