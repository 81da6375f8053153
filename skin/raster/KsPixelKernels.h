#pragma once

#include <cstddef>
#include <cstdint>

// Composites one pixel (0xAARRGGBB) over another by the alpha of the upper one. Each of the four
// bytes becomes part(over, a) + part(under, 255 - a) with part(x, k) = (x * k + 128) >> 8; two
// bytes share one 32-bit product (blue with red, green with alpha). Opaque pixels are copied and
// fully transparent ones leave the lower pixel, without arithmetic.
constexpr uint32_t BlendPixel(uint32_t over, uint32_t under)
{
    const uint32_t a = over >> 24;
    if (a == 255) return over;
    if (a == 0) return under;
    const uint32_t na = 255 - a;
    const uint32_t overBR = (((over & 0x00FF00FFu) * a + 0x00800080u) >> 8) & 0x00FF00FFu;
    const uint32_t overGA = (((over >> 8) & 0x00FF00FFu) * a + 0x00800080u) & 0xFF00FF00u;
    const uint32_t underBR = (((under & 0x00FF00FFu) * na + 0x00800080u) >> 8) & 0x00FF00FFu;
    const uint32_t underGA = (((under >> 8) & 0x00FF00FFu) * na + 0x00800080u) & 0xFF00FF00u;
    // part(x, a) + part(y, 255 - a) never exceeds 255, so the byte sums cannot carry into each other.
    return (overBR + underBR) | (overGA + underGA);
}

// out[i] = BlendPixel(over[i], under[i]) for i < count. out may be the same memory as over or
// under; other overlaps are not allowed. All three variants give identical results.
using TCompositeRow = void (*)(uint32_t* out, const uint32_t* over, const uint32_t* under, size_t count);

// The plain formula, the reference for the vector forms.
void CompositeRowScalar(uint32_t* out, const uint32_t* over, const uint32_t* under, size_t count);
// Four pixels at a time; every x86-64 processor has SSE2.
void CompositeRowSse2(uint32_t* out, const uint32_t* over, const uint32_t* under, size_t count);
// Eight pixels at a time; call only when ProcessorHasAvx2().
void CompositeRowAvx2(uint32_t* out, const uint32_t* over, const uint32_t* under, size_t count);

bool ProcessorHasAvx2();
// The fastest variant this processor runs, chosen once.
TCompositeRow CompositeRowKernel();
