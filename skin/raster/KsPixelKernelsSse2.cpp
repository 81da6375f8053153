#include "skin/raster/KsPixelKernels.h"

#include <emmintrin.h>

namespace {

// part(x, k) = (x * k + 128) >> 8 in 16-bit lanes; x * k + 128 stays below 65536.
__m128i Part(__m128i x, __m128i k)
{
    return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(x, k), _mm_set1_epi16(128)), 8);
}

// The pixel formula on four pixels at once, two channels per 32-bit pixel as in the scalar form:
// blue and red sit in the low bytes of the two 16-bit halves, green and alpha are shifted down into them.
__m128i BlendFormula(__m128i s, __m128i d)
{
    const __m128i lowBytes = _mm_set1_epi16(0x00FF);
    const __m128i a = _mm_srli_epi32(s, 24);
    const __m128i alpha = _mm_or_si128(a, _mm_slli_epi32(a, 16));
    const __m128i inverse = _mm_xor_si128(alpha, lowBytes);
    const __m128i br =
        _mm_add_epi16(Part(_mm_and_si128(s, lowBytes), alpha), Part(_mm_and_si128(d, lowBytes), inverse));
    const __m128i ga = _mm_add_epi16(Part(_mm_srli_epi16(s, 8), alpha), Part(_mm_srli_epi16(d, 8), inverse));
    // Each sum is at most 255, so the halves combine without carries.
    return _mm_or_si128(br, _mm_slli_epi16(ga, 8));
}

} // namespace

void CompositeRowSse2(uint32_t* out, const uint32_t* over, const uint32_t* under, size_t count)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i alphaMask = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(over + i));
        const __m128i alpha = _mm_and_si128(s, alphaMask);
        const __m128i opaque = _mm_cmpeq_epi32(alpha, alphaMask);
        if (_mm_movemask_epi8(opaque) == 0xFFFF) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), s);
            continue;
        }
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(under + i));
        const __m128i clear = _mm_cmpeq_epi32(alpha, zero);
        if (_mm_movemask_epi8(clear) == 0xFFFF) {
            if (out != under) _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), d);
            continue;
        }
        // Opaque pixels are copied and clear ones keep the lower pixel, as in the scalar form.
        const __m128i blended = _mm_andnot_si128(_mm_or_si128(opaque, clear), BlendFormula(s, d));
        const __m128i result = _mm_or_si128(blended, _mm_or_si128(_mm_and_si128(opaque, s), _mm_and_si128(clear, d)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), result);
    }
    CompositeRowScalar(out + i, over + i, under + i, count - i);
}
