#pragma once

#include <cstdint>
#include <vector>

// A picture as the skin content stores it: rows top to bottom, each pixel the bytes blue, green,
// red, alpha, no padding.
struct TBgraImage {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Pixels;

    friend bool operator==(const TBgraImage&, const TBgraImage&) = default;
};

// Reads a .bmp file's bytes: 32 bits per pixel (plain or with the standard bit-field masks, the
// fourth byte taken as alpha, except in a plain file where it is 0 everywhere) or 24 bits (made
// opaque), rows stored either way up. Raises EReadError naming what is wrong with anything else.
TBgraImage DecodeBmp(const std::vector<uint8_t>& bytes);

// A 32-bit .bmp with a version 5 header, bit-field masks that include alpha, rows bottom-up: the
// form image programs read with their transparency.
std::vector<uint8_t> EncodeBmp(const TBgraImage& image);
