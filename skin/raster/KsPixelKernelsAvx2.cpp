#include "skin/raster/KsPixelKernels.h"

#include <immintrin.h>

// Built with AVX2 enabled for this file only; CompositeRowKernel calls it only on processors that have it.
namespace {

// The pixel formula on eight pixels at once, two channels per 32-bit pixel as in the scalar form:
// blue and red sit in the low bytes of the two 16-bit halves, green and alpha are shifted down
// into them. part(x, k) = (x * k + 128) >> 8 is one rounding high multiply: with k scaled by 128,
// ((x * k * 128 >> 14) + 1) >> 1 equals it exactly for x, k <= 255.
__m256i BlendFormula(__m256i s, __m256i d)
{
    const __m256i lowBytes = _mm256_set1_epi16(0x00FF);
    // Copies each pixel's alpha byte into the low byte of both of its 16-bit halves.
    const __m256i alphaToHalves = _mm256_setr_epi8(3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1,
                                                   3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1);
    const __m256i alpha = _mm256_slli_epi16(_mm256_shuffle_epi8(s, alphaToHalves), 7);
    const __m256i inverse = _mm256_sub_epi16(_mm256_set1_epi16(255 << 7), alpha);
    const __m256i br = _mm256_add_epi16(_mm256_mulhrs_epi16(_mm256_and_si256(s, lowBytes), alpha),
                                        _mm256_mulhrs_epi16(_mm256_and_si256(d, lowBytes), inverse));
    const __m256i ga = _mm256_add_epi16(_mm256_mulhrs_epi16(_mm256_srli_epi16(s, 8), alpha),
                                        _mm256_mulhrs_epi16(_mm256_srli_epi16(d, 8), inverse));
    // Each sum is at most 255, so the halves combine without carries.
    return _mm256_or_si256(br, _mm256_slli_epi16(ga, 8));
}

} // namespace

void CompositeRowAvx2(uint32_t* out, const uint32_t* over, const uint32_t* under, size_t count)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i alphaMask = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(over + i));
        const __m256i alpha = _mm256_and_si256(s, alphaMask);
        const __m256i opaque = _mm256_cmpeq_epi32(alpha, alphaMask);
        if (_mm256_movemask_epi8(opaque) == -1) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), s);
            continue;
        }
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(under + i));
        const __m256i clear = _mm256_cmpeq_epi32(alpha, zero);
        if (_mm256_movemask_epi8(clear) == -1) {
            if (out != under) _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), d);
            continue;
        }
        // Opaque pixels are copied and clear ones keep the lower pixel, as in the scalar form.
        __m256i result = _mm256_blendv_epi8(BlendFormula(s, d), s, opaque);
        result = _mm256_blendv_epi8(result, d, clear);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), result);
    }
    CompositeRowSse2(out + i, over + i, under + i, count - i);
}
