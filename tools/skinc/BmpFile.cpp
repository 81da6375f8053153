#include "tools/skinc/BmpFile.h"

#include "framework/Exceptions.h"

#include <cstring>
#include <string>

namespace {

constexpr uint32_t FileHeaderSize = 14;
constexpr uint32_t V5HeaderSize = 124;
constexpr uint32_t BiRgb = 0;
constexpr uint32_t BiBitFields = 3;
constexpr uint32_t LcsSrgb = 0x73524742;
constexpr uint32_t LcsGmImages = 4;
constexpr int32_t PixelsPerMetre = 2835;
constexpr int MaxSide = 1 << 15;

uint32_t U32(const std::vector<uint8_t>& bytes, size_t offset)
{
    uint32_t value;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

uint16_t U16(const std::vector<uint8_t>& bytes, size_t offset)
{
    uint16_t value;
    std::memcpy(&value, bytes.data() + offset, 2);
    return value;
}

[[noreturn]] void Fail(const std::wstring& what) { throw EReadError(L"Unsupported bitmap file: " + what); }

void Put32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void Put16(std::vector<uint8_t>& out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

} // namespace

TBgraImage DecodeBmp(const std::vector<uint8_t>& bytes)
{
    if (bytes.size() < FileHeaderSize + 40 || bytes[0] != 'B' || bytes[1] != 'M') Fail(L"not a bitmap");
    const uint32_t pixelOffset = U32(bytes, 10);
    const uint32_t infoSize = U32(bytes, 14);
    if (infoSize < 40 || FileHeaderSize + infoSize > bytes.size()) Fail(L"bad header");
    const int32_t width = static_cast<int32_t>(U32(bytes, 18));
    const int32_t storedHeight = static_cast<int32_t>(U32(bytes, 22));
    const uint16_t bitCount = U16(bytes, 28);
    const uint32_t compression = U32(bytes, 30);
    const bool topDown = storedHeight < 0;
    const int64_t height = topDown ? -int64_t{storedHeight} : storedHeight;
    if (width <= 0 || height <= 0 || width > MaxSide || height > MaxSide) Fail(L"bad size");

    if (bitCount == 32 && compression == BiBitFields) {
        // The masks follow a 40-byte header, or sit at the same place inside a larger one.
        if (bytes.size() < FileHeaderSize + 40 + 12) Fail(L"missing colour masks");
        if (U32(bytes, 54) != 0x00FF0000 || U32(bytes, 58) != 0x0000FF00 || U32(bytes, 62) != 0x000000FF)
            Fail(L"colour masks other than 8 bits each for red, green and blue");
    } else if (!((bitCount == 32 || bitCount == 24) && compression == BiRgb)) {
        Fail(L"only 24 and 32 bits per pixel without compression are read");
    }

    const size_t bytesPerPixel = bitCount / 8;
    const size_t stride = (static_cast<size_t>(width) * bytesPerPixel + 3) / 4 * 4;
    if (pixelOffset > bytes.size() || (bytes.size() - pixelOffset) / stride < static_cast<size_t>(height))
        Fail(L"pixel data cut short");

    TBgraImage image;
    image.Width = width;
    image.Height = static_cast<int>(height);
    image.Pixels.resize(static_cast<size_t>(width) * image.Height * 4);
    for (int y = 0; y < image.Height; ++y) {
        const size_t storedRow = topDown ? y : image.Height - 1 - y;
        const uint8_t* source = bytes.data() + pixelOffset + storedRow * stride;
        uint8_t* target = image.Pixels.data() + static_cast<size_t>(y) * width * 4;
        for (int x = 0; x < width; ++x, source += bytesPerPixel, target += 4) {
            target[0] = source[0];
            target[1] = source[1];
            target[2] = source[2];
            target[3] = bytesPerPixel == 4 ? source[3] : 255;
        }
    }
    // Plain 32-bit files from image editors leave the fourth byte 0: such a picture is opaque.
    if (bytesPerPixel == 4 && compression == BiRgb) {
        bool anyAlpha = false;
        for (size_t i = 3; i < image.Pixels.size() && !anyAlpha; i += 4) anyAlpha = image.Pixels[i] != 0;
        if (!anyAlpha)
            for (size_t i = 3; i < image.Pixels.size(); i += 4) image.Pixels[i] = 255;
    }
    return image;
}

std::vector<uint8_t> EncodeBmp(const TBgraImage& image)
{
    const uint32_t pixelBytes = static_cast<uint32_t>(image.Pixels.size());
    const uint32_t pixelOffset = FileHeaderSize + V5HeaderSize;
    std::vector<uint8_t> out;
    out.reserve(pixelOffset + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, pixelOffset + pixelBytes);
    Put32(out, 0);
    Put32(out, pixelOffset);

    Put32(out, V5HeaderSize);
    Put32(out, static_cast<uint32_t>(image.Width));
    Put32(out, static_cast<uint32_t>(image.Height));
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, BiBitFields);
    Put32(out, pixelBytes);
    Put32(out, PixelsPerMetre);
    Put32(out, PixelsPerMetre);
    Put32(out, 0);
    Put32(out, 0);
    for (uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u}) Put32(out, mask);
    Put32(out, LcsSrgb);
    out.insert(out.end(), 36 + 12, 0); // colour space end points and gamma: unused with sRGB
    Put32(out, LcsGmImages);
    out.insert(out.end(), 12, 0);      // no profile; reserved

    const size_t rowBytes = static_cast<size_t>(image.Width) * 4;
    for (int y = image.Height - 1; y >= 0; --y) {
        const uint8_t* row = image.Pixels.data() + y * rowBytes;
        out.insert(out.end(), row, row + rowBytes);
    }
    return out;
}
