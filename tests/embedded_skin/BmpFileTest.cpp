#include "framework/Exceptions.h"
#include "tools/skinc/BmpFile.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A .bmp with a 40-byte header; rows are given top to bottom and stored as the height's sign says.
std::vector<uint8_t> MakeBmp(int width, int height, int bitCount, uint32_t compression,
                             const std::vector<std::vector<uint8_t>>& rowsTopDown, bool storeTopDown = false)
{
    const size_t stride = (static_cast<size_t>(width) * bitCount / 8 + 3) / 4 * 4;
    const uint32_t offset = 14 + 40 + (compression == 3 ? 12 : 0);
    std::vector<uint8_t> out(offset + stride * height, 0);
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(out.data() + at, &v, 4); };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, static_cast<uint32_t>(out.size()));
    put32(10, offset);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(storeTopDown ? -height : height));
    out[26] = 1;
    out[28] = static_cast<uint8_t>(bitCount);
    put32(30, compression);
    if (compression == 3) {
        put32(54, 0x00FF0000);
        put32(58, 0x0000FF00);
        put32(62, 0x000000FF);
    }
    for (int y = 0; y < height; ++y) {
        const size_t stored = storeTopDown ? y : height - 1 - y;
        std::memcpy(out.data() + offset + stored * stride, rowsTopDown[y].data(), rowsTopDown[y].size());
    }
    return out;
}

TEST(BmpFile, EncodedPictureDecodesToTheSamePixels)
{
    TBgraImage image{3, 2, {0x7F, 0x00, 0x7F, 0x00, 1, 2, 3, 128, 4, 5, 6, 255,
                            7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}};
    EXPECT_EQ(DecodeBmp(EncodeBmp(image)), image);
}

TEST(BmpFile, RowsAreReadTopToBottomWhicheverWayTheyAreStored)
{
    const std::vector<std::vector<uint8_t>> rows = {{1, 2, 3, 4}, {5, 6, 7, 8}};
    const TBgraImage expected{1, 2, {1, 2, 3, 4, 5, 6, 7, 8}};
    EXPECT_EQ(DecodeBmp(MakeBmp(1, 2, 32, 3, rows, false)), expected);
    EXPECT_EQ(DecodeBmp(MakeBmp(1, 2, 32, 3, rows, true)), expected);
}

TEST(BmpFile, TwentyFourBitRowsSkipTheirPaddingAndBecomeOpaque)
{
    // Two pixels of three bytes each fill a row of six bytes, padded to eight.
    const TBgraImage image = DecodeBmp(MakeBmp(2, 2, 24, 0, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}));
    EXPECT_EQ(image.Pixels, (std::vector<uint8_t>{1, 2, 3, 255, 4, 5, 6, 255, 7, 8, 9, 255, 10, 11, 12, 255}));
}

TEST(BmpFile, PlainThirtyTwoBitFilesWithoutAnyAlphaAreOpaque)
{
    EXPECT_EQ(DecodeBmp(MakeBmp(2, 1, 32, 0, {{1, 2, 3, 0, 4, 5, 6, 0}})).Pixels,
              (std::vector<uint8_t>{1, 2, 3, 255, 4, 5, 6, 255}));
    // One pixel with alpha: the file carries alpha, so the other stays transparent.
    EXPECT_EQ(DecodeBmp(MakeBmp(2, 1, 32, 0, {{1, 2, 3, 0, 4, 5, 6, 9}})).Pixels,
              (std::vector<uint8_t>{1, 2, 3, 0, 4, 5, 6, 9}));
}

TEST(BmpFile, OtherFormatsAndDamagedFilesAreRefused)
{
    EXPECT_THROW(DecodeBmp(MakeBmp(4, 1, 8, 0, {{1, 2, 3, 4}})), EReadError);
    EXPECT_THROW(DecodeBmp(MakeBmp(1, 1, 32, 1, {{1, 2, 3, 4}})), EReadError);
    std::vector<uint8_t> cut = MakeBmp(2, 2, 32, 3, {{1, 2, 3, 4, 5, 6, 7, 8}, {1, 2, 3, 4, 5, 6, 7, 8}});
    cut.resize(cut.size() - 1);
    EXPECT_THROW(DecodeBmp(cut), EReadError);
    EXPECT_THROW(DecodeBmp({'B', 'M', 0, 0}), EReadError);
    std::vector<uint8_t> swappedMasks = MakeBmp(1, 1, 32, 3, {{1, 2, 3, 4}});
    swappedMasks[54] = 0xFF;
    swappedMasks[56] = 0x00;
    EXPECT_THROW(DecodeBmp(swappedMasks), EReadError);
}

} // namespace
