#include "skin/KsPixelKernels.h"

#include <immintrin.h>

// Built with AVX2 enabled for this file only; CompositeRowKernel calls it only on processors that have it.
namespace {

// The 16-bit lane blend of the SSE2 form, on four pixels. Unpacking and packing work within each
// 128-bit half, so the pixel order survives the round trip.
__m256i BlendWide(__m256i s, __m256i d)
{
    const __m256i round = _mm256_set1_epi16(128);
    const __m256i alpha = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(s, 0xFF), 0xFF);
    const __m256i inverse = _mm256_xor_si256(alpha, _mm256_set1_epi16(255));
    const __m256i partS = _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(s, alpha), round), 8);
    const __m256i partD = _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(d, inverse), round), 8);
    return _mm256_add_epi16(partS, partD);
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
        const unsigned opaqueBits = static_cast<unsigned>(_mm256_movemask_epi8(opaque));
        if (opaqueBits == 0xFFFFFFFFu) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), s);
            continue;
        }
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(under + i));
        const __m256i clear = _mm256_cmpeq_epi32(alpha, zero);
        const unsigned clearBits = static_cast<unsigned>(_mm256_movemask_epi8(clear));
        if (clearBits == 0xFFFFFFFFu) {
            if (out != under) _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), d);
            continue;
        }
        __m256i result = _mm256_and_si256(opaque, s);
        if ((opaqueBits | clearBits) != 0xFFFFFFFFu) {
            const __m256i low = BlendWide(_mm256_unpacklo_epi8(s, zero), _mm256_unpacklo_epi8(d, zero));
            const __m256i high = BlendWide(_mm256_unpackhi_epi8(s, zero), _mm256_unpackhi_epi8(d, zero));
            const __m256i blended = _mm256_packus_epi16(low, high);
            result = _mm256_or_si256(result, _mm256_andnot_si256(_mm256_or_si256(opaque, clear), blended));
        }
        result = _mm256_or_si256(result, _mm256_and_si256(clear, d));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), result);
    }
    CompositeRowSse2(out + i, over + i, under + i, count - i);
}
