#include "RasterTestSupport.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TKsBitmap> Named(const std::wstring& name, uint32_t fill)
{
    auto bitmap = MakeFilledBitmap(4, 4, fill);
    bitmap->SetName(name);
    return bitmap;
}

} // namespace

TEST(BitmapList, FindLinkIgnoresCaseAndTheLastMatchWins)
{
    TKsBitmapList list;
    TKsBitmap* first = list.Add(Named(L"Button.bmp", 1));
    TKsBitmap* last = list.Add(Named(L"BUTTON.BMP", 2));
    list.Add(Named(L"other", 3));
    auto link = list.FindLink(L"button.bmp", TRect(1, 1, 3, 4));
    ASSERT_TRUE(link);
    EXPECT_EQ(link->Bitmap(), last);
    EXPECT_NE(link->Bitmap(), first);
    EXPECT_EQ(link->Rect(), TRect(1, 1, 3, 4));
    EXPECT_EQ(link->Name(), L"button.bmp");
    EXPECT_FALSE(list.FindLink(L"missing", TRect(0, 0, 1, 1)));
    EXPECT_EQ(list.Item(2)->Name(), L"other");
    EXPECT_EQ(list.Item(3), nullptr);
    EXPECT_EQ(list.Item(-1), nullptr);
}

TEST(BitmapLink, ValidOnlyWithABitmapAndAPositiveArea)
{
    auto bitmap = Named(L"a", 0);
    EXPECT_FALSE(TKsBitmapLink(nullptr, L"a", TRect(0, 0, 2, 2)).Valid());
    EXPECT_FALSE(TKsBitmapLink(bitmap.get(), L"a", TRect(2, 0, 2, 2)).Valid());
    EXPECT_FALSE(TKsBitmapLink(bitmap.get(), L"a", TRect(3, 3, 1, 1)).Valid());
    EXPECT_TRUE(TKsBitmapLink(bitmap.get(), L"a", TRect(0, 0, 1, 1)).Valid());
}

TEST(BitmapLink, DrawsItsRectangleWithTheBitmapsAlphaMode)
{
    auto source = MakeBitmap(4, 4, Marker);
    source->SetPixel(2, 1, kTransparentPixel);
    TKsBitmapLink link(source.get(), L"s", TRect(1, 1, 3, 3));
    TKsBitmapLink copy;
    copy.Assign(link);
    auto target = MakeFilledBitmap(3, 3, 0xFF000000u);
    copy.Draw(*target, 1, 0);
    EXPECT_EQ(target->Pixel(1, 0), Marker(1, 1));
    EXPECT_EQ(target->Pixel(2, 0), kTransparentPixel);
    source->SetAlphaBlend(true);
    target->Fill(0xFF000000u);
    copy.Draw(*target, 1, 0);
    EXPECT_EQ(target->Pixel(2, 0), 0xFF000000u);
    EXPECT_EQ(target->Pixel(2, 1), Marker(2, 2));
}

#ifdef NDEBUG
// Release builds cannot assert: a link whose bitmap was freed turns invalid and draws nothing.
TEST(BitmapLink, FreedBitmapMakesTheLinkInvalidInsteadOfDangling)
{
    TKsBitmapLink link;
    {
        TKsBitmapList list;
        list.Add(Named(L"a", 1));
        link = *list.FindLink(L"a", TRect(0, 0, 2, 2));
        EXPECT_TRUE(link.Valid());
    }
    EXPECT_FALSE(link.Valid());
    EXPECT_EQ(link.Bitmap(), nullptr);
    auto target = MakeFilledBitmap(2, 2, 7);
    link.Draw(*target, 0, 0);
    EXPECT_EQ(target->Pixel(0, 0), 7u);
}
#else
TEST(BitmapLinkDeathTest, UsingALinkAfterItsBitmapWasFreedAsserts)
{
    TKsBitmapLink link;
    {
        auto bitmap = Named(L"a", 1);
        link.SetBitmap(bitmap.get());
    }
    EXPECT_DEATH(link.Valid(), "freed");
}
#endif
