#include "AllocationWatch.h"
#include "RasterTestSupport.h"

#include "framework/Exceptions.h"

#include <gtest/gtest.h>

namespace {

TMemoryStream Record(const std::string& name, int32_t width, int32_t height, size_t pixelBytes)
{
    TMemoryStream stream;
    stream.WriteInt32(static_cast<int32_t>(name.size()));
    stream.WriteBuffer(name.data(), name.size());
    stream.WriteInt32(width);
    stream.WriteInt32(height);
    for (size_t i = 0; i < pixelBytes; ++i) stream.WriteByte(static_cast<uint8_t>(i));
    stream.SetPosition(0);
    return stream;
}

} // namespace

TEST(BitmapRecord, ReadsNameSizeAndPixelBytesAsStored)
{
    TMemoryStream stream = Record("BUTTON.bmp", 2, 3, 24);
    TKsBitmap bitmap;
    bitmap.LoadFromStream(stream);
    EXPECT_EQ(bitmap.Name(), L"BUTTON.bmp");
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(bitmap.Height(), 3);
    EXPECT_EQ(bitmap.Pixel(0, 0), 0x03020100u);
    EXPECT_EQ(bitmap.Pixel(1, 2), 0x17161514u);
    EXPECT_EQ(stream.Position(), stream.Size());

    TMemoryStream written;
    bitmap.SaveToStream(written);
    EXPECT_EQ(written.Bytes(), stream.Bytes());
}

TEST(BitmapRecord, ZeroSizedRecordCarriesNoPixelsAndEmptiesTheBitmap)
{
    TMemoryStream stream = Record("none", 0, 7, 0);
    auto bitmap = MakeFilledBitmap(3, 3, 0);
    bitmap->LoadFromStream(stream);
    EXPECT_TRUE(bitmap->Empty());
    EXPECT_EQ(bitmap->Name(), L"none");
    EXPECT_EQ(stream.Position(), stream.Size());
}

TEST(BitmapRecord, ShortPixelDataRaisesReadError)
{
    TMemoryStream stream = Record("x", 4, 4, 63);
    TKsBitmap bitmap;
    EXPECT_THROW(bitmap.LoadFromStream(stream), EReadError);
}

TEST(BitmapRecord, MissingPixelDataIsNoticedBeforeABitmapOfTheClaimedSizeIsMade)
{
    // 4096 x 4096 is a size a record may claim (64 MiB of pixels); only 16 pixel bytes follow.
    TMemoryStream stream = Record("huge", 4096, 4096, 16);
    auto bitmap = MakeFilledBitmap(3, 2, 0xFF112233);
    bitmap->SetName(L"kept");
    int resizes = 0;
    bitmap->OnAfterResize = [&resizes] { ++resizes; };
    {
        TAllocationWatch watch;
        EXPECT_THROW(bitmap->LoadFromStream(stream), EReadError);
        // Pixels are read in pieces of at most a megabyte, never the claimed 64 MiB at once.
        EXPECT_LE(watch.Bytes(), size_t{2} << 20);
    }
    EXPECT_EQ(resizes, 0);
    EXPECT_EQ(bitmap->BoundsRect(), TRect(0, 0, 3, 2));
    EXPECT_EQ(bitmap->Pixel(2, 1), 0xFF112233u);
    EXPECT_EQ(bitmap->Name(), L"kept");
}

TEST(BitmapRecord, ImpossibleSizesAreRefusedBeforeAnythingIsAllocated)
{
    for (auto [width, height] : {std::pair{-1, 4}, {4, -1}, {100000, 1}, {10000, 10000}}) {
        TMemoryStream stream = Record("x", width, height, 16);
        TKsBitmap bitmap;
        try {
            bitmap.LoadFromStream(stream);
            ADD_FAILURE() << "no error for " << width << " x " << height;
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), L"Invalid bitmap size " + std::to_wstring(width) + L" x " + std::to_wstring(height));
        }
        EXPECT_TRUE(bitmap.Empty());
    }
    TMemoryStream badName;
    badName.WriteInt32(-5);
    badName.SetPosition(0);
    TKsBitmap bitmap;
    EXPECT_THROW(bitmap.LoadFromStream(badName), EReadError);
}

TEST(BitmapPlatformCopy, RoundTripKeepsColoursAndMakesEveryPixelOpaque)
{
    auto bitmap = MakeBitmap(3, 2, [](int x, int y) { return static_cast<uint32_t>(x * 0x40 + y * 0x10) * 0x010101u; });
    TBitmapHandle copy = bitmap->ToBitmap();
    BITMAP info{};
    ASSERT_TRUE(GetObjectW(copy.Get(), sizeof info, &info));
    EXPECT_EQ(info.bmBitsPixel, 24);
    TKsBitmap back;
    back.AssignFromBitmap(copy.Get());
    ASSERT_EQ(back.Width(), 3);
    ASSERT_EQ(back.Height(), 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(back.Pixel(x, y), bitmap->Pixel(x, y) | 0xFF000000u) << x << "," << y;
}
