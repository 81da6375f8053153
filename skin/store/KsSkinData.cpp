#include "skin/store/KsSkinData.h"

#include <algorithm>

namespace {

// Large reads are taken in pieces of this size so that memory grows only with the data present.
constexpr size_t ReadPiece = 1 << 20;
constexpr int32_t MaxStringLength = 0x7FFFFFFF;

[[noreturn]] void RaiseEndOfData() { throw ESkinDataError(L"Invalid skin data: the data ends early"); }

std::string ReadPieces(TStream& stream, size_t count)
{
    std::string bytes;
    while (bytes.size() < count) {
        size_t start = bytes.size();
        bytes.resize(start + std::min(count - start, ReadPiece));
        ReadSkinBytes(stream, bytes.data() + start, bytes.size() - start);
    }
    return bytes;
}

} // namespace

int32_t ReadSkinInt32(TStream& stream)
{
    uint8_t b[4];
    ReadSkinBytes(stream, b, 4);
    return static_cast<int32_t>(b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24));
}

int32_t ReadSkinCount(TStream& stream, int32_t limit, const wchar_t* what)
{
    int32_t value = ReadSkinInt32(stream);
    if (value < 0 || value > limit)
        throw ESkinDataError(L"Invalid skin data: " + std::wstring(what) + L" " + std::to_wstring(value) +
                             L" is out of range");
    return value;
}

void ReadSkinBytes(TStream& stream, void* buffer, size_t count)
{
    auto* out = static_cast<uint8_t*>(buffer);
    size_t done = 0;
    while (done < count) {
        size_t got = stream.Read(out + done, count - done);
        if (got == 0) RaiseEndOfData();
        done += got;
    }
}

std::string ReadSkinString(TStream& stream)
{
    int32_t length = ReadSkinCount(stream, MaxStringLength, L"the string length");
    return ReadPieces(stream, static_cast<size_t>(length));
}

void WriteSkinString(TStream& stream, const std::string& text)
{
    stream.WriteInt32(static_cast<int32_t>(text.size()));
    stream.WriteBuffer(text.data(), text.size());
}
