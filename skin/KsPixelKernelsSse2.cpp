#include "skin/KsPixelKernels.h"

#include <emmintrin.h>

namespace {

// Blends two pixels widened to 16-bit lanes (b g r a b g r a): each lane gets
// ((s * a + 128) >> 8) + ((d * (255 - a) + 128) >> 8), a being the lane's pixel alpha. The products
// stay below 65536, so the unsigned 16-bit arithmetic is exact.
__m128i BlendWide(__m128i s, __m128i d)
{
    const __m128i round = _mm_set1_epi16(128);
    const __m128i alpha = _mm_shufflehi_epi16(_mm_shufflelo_epi16(s, 0xFF), 0xFF);
    const __m128i inverse = _mm_xor_si128(alpha, _mm_set1_epi16(255));
    const __m128i partS = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(s, alpha), round), 8);
    const __m128i partD = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(d, inverse), round), 8);
    return _mm_add_epi16(partS, partD);
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
        const int opaqueBits = _mm_movemask_epi8(opaque);
        if (opaqueBits == 0xFFFF) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), s);
            continue;
        }
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(under + i));
        const __m128i clear = _mm_cmpeq_epi32(alpha, zero);
        const int clearBits = _mm_movemask_epi8(clear);
        if (clearBits == 0xFFFF) {
            if (out != under) _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), d);
            continue;
        }
        __m128i result = _mm_and_si128(opaque, s);
        if ((opaqueBits | clearBits) != 0xFFFF) {
            const __m128i low = BlendWide(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero));
            const __m128i high = BlendWide(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero));
            const __m128i blended = _mm_packus_epi16(low, high);
            result = _mm_or_si128(result, _mm_andnot_si128(_mm_or_si128(opaque, clear), blended));
        }
        result = _mm_or_si128(result, _mm_and_si128(clear, d));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), result);
    }
    CompositeRowScalar(out + i, over + i, under + i, count - i);
}
