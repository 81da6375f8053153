#include "skin/raster/KsPixelKernels.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

struct TKernel {
    const char* Name;
    TCompositeRow Row;
};

std::vector<TKernel> VectorKernels()
{
    std::vector<TKernel> kernels{{"SSE2", CompositeRowSse2}};
    if (ProcessorHasAvx2()) kernels.push_back({"AVX2", CompositeRowAvx2});
    return kernels;
}

} // namespace

TEST(BlendPixel, HalfAlphaOverOpaqueKeepsTheAlphaBelowOpaque)
{
    // part(128, 128) + part(255, 127) = 64 + 127.
    EXPECT_EQ(BlendPixel(0x80000000u, 0xFFFFFFFFu) >> 24, 191u);
    EXPECT_EQ(BlendPixel(0x80FF0000u, 0xFF0000FFu), 0xBF80007Fu);
}

TEST(BlendPixel, OpaqueCopiesAndTransparentSkipsWithoutArithmetic)
{
    // Through the formula, alpha 255 would turn 0xFF into 0xFE and alpha 0 would turn 0xFF into 0xFE.
    EXPECT_EQ(BlendPixel(0xFFFFFFFFu, 0x12345678u), 0xFFFFFFFFu);
    EXPECT_EQ(BlendPixel(0x00FFFFFFu, 0xFFFFFFFFu), 0xFFFFFFFFu);
}

// Every (alpha, source byte, destination byte) triple: the source pixel carries the byte in blue,
// green and red, the destination pixel in all four bytes, so one pass covers every channel. Each row
// is one alpha and one source byte against all 256 destination bytes.
TEST(CompositeRow, VectorFormsMatchTheFormulaOnEveryTriple)
{
    const auto kernels = VectorKernels();
    std::vector<uint32_t> over(256), under(256), expected(256), actual(256);
    for (uint32_t i = 0; i < 256; ++i) under[i] = i * 0x01010101u;
    for (uint32_t alpha = 0; alpha < 256; ++alpha) {
        for (uint32_t s = 0; s < 256; ++s) {
            std::fill(over.begin(), over.end(), (alpha << 24) | (s * 0x010101u));
            for (uint32_t d = 0; d < 256; ++d) {
                const uint32_t na = 255 - alpha;
                const uint32_t channel = alpha == 255 ? s
                                         : alpha == 0 ? d
                                                      : ((s * alpha + 128) >> 8) + ((d * na + 128) >> 8);
                const uint32_t alphaByte = alpha == 255 ? 255
                                           : alpha == 0 ? d
                                                        : ((alpha * alpha + 128) >> 8) + ((d * na + 128) >> 8);
                expected[d] = (alphaByte << 24) | (channel * 0x010101u);
            }
            CompositeRowScalar(actual.data(), over.data(), under.data(), 256);
            ASSERT_EQ(actual, expected) << "scalar, alpha " << alpha << ", source " << s;
            for (const TKernel& kernel : kernels) {
                kernel.Row(actual.data(), over.data(), under.data(), 256);
                ASSERT_EQ(actual, expected) << kernel.Name << ", alpha " << alpha << ", source " << s;
            }
        }
    }
}

// Random pixels, with runs of opaque and transparent ones so that whole vectors take the copy and
// skip paths, at every length up to 70 and every start offset within a vector.
TEST(CompositeRow, VectorFormsMatchTheScalarFormOnRandomRows)
{
    std::mt19937 random(1234);
    auto pixel = [&random] {
        const uint32_t value = random();
        switch (random() % 4) {
        case 0: return value | 0xFF000000u;
        case 1: return value & 0x00FFFFFFu;
        default: return value;
        }
    };
    const auto kernels = VectorKernels();
    std::vector<uint32_t> over(80), under(80), expected(80), actual(80);
    for (size_t length = 0; length <= 70; ++length) {
        for (size_t offset = 0; offset < 8; ++offset) {
            for (int repeat = 0; repeat < 20; ++repeat) {
                for (auto& p : over) p = pixel();
                for (auto& p : under) p = random();
                CompositeRowScalar(expected.data() + offset, over.data() + offset, under.data() + offset, length);
                for (const TKernel& kernel : kernels) {
                    actual = under;
                    kernel.Row(actual.data() + offset, over.data() + offset, actual.data() + offset, length);
                    std::vector<uint32_t> want = under;
                    std::copy_n(expected.begin() + offset, length, want.begin() + offset);
                    ASSERT_EQ(actual, want) << kernel.Name << ", length " << length << ", offset " << offset;
                }
            }
        }
    }
}

TEST(CompositeRow, WritesToASeparateOutputWhenAllPixelsAreTransparent)
{
    const std::vector<uint32_t> over(16, 0x00123456u), under(16, 0xFFABCDEFu);
    for (const TKernel& kernel : VectorKernels()) {
        std::vector<uint32_t> out(16, 0);
        kernel.Row(out.data(), over.data(), under.data(), out.size());
        EXPECT_EQ(out, under) << kernel.Name;
    }
}
