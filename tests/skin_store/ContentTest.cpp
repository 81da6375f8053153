#include "SkinFixtures.h"

#include "framework/Text.h"
#include "skin/objects/KsSkinObjects2.h"
#include "skin/store/KsObjectRecords.h"
#include "skin/store/KsSkinData.h"

#include <gtest/gtest.h>

namespace {

// Content bytes assembled by hand: header, bitmaps and object records given as raw parts.
class TContentBuilder {
public:
    TContentBuilder()
    {
        for (const char* text : {"Hand", "2.0.0", "A", "a@b.example", ""}) WriteSkinString(stream_, text);
    }
    TContentBuilder& Bitmaps(std::initializer_list<const TKsBitmap*> bitmaps)
    {
        stream_.WriteInt32(static_cast<int32_t>(bitmaps.size()));
        for (const TKsBitmap* bitmap : bitmaps) bitmap->SaveToStream(stream_);
        return *this;
    }
    TContentBuilder& Objects(std::initializer_list<std::pair<std::string, std::string>> records)
    {
        stream_.WriteInt32(static_cast<int32_t>(records.size()));
        for (const auto& [className, description] : records) {
            WriteSkinString(stream_, className);
            WriteSkinString(stream_, description);
        }
        return *this;
    }
    std::vector<uint8_t> Bytes() const { return stream_.Bytes(); }

private:
    TMemoryStream stream_;
};

std::string Description(const std::string& name, const std::string& className, const std::string& lines = {})
{
    return "object " + name + ": " + className + "\r\n" + lines + "end\r\n";
}

std::string ChildrenHex(std::initializer_list<std::pair<std::string, std::string>> records)
{
    TMemoryStream stream;
    stream.WriteInt32(static_cast<int32_t>(records.size()));
    for (const auto& [className, description] : records) {
        WriteSkinString(stream, className);
        WriteSkinString(stream, description);
    }
    std::string hex;
    const char digits[] = "0123456789ABCDEF";
    for (uint8_t b : stream.Bytes()) {
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex;
}

void ExpectAllFontsHaveCharset(TSeSkinObject& object, int charset)
{
    for (const TSeObjectProperty& p : object.Properties())
        if (p.Kind == TSePropertyKind::Font) {
            EXPECT_EQ(p.Font(object).Charset(), charset) << WideToUtf8(p.Name);
        }
    for (int i = 0; i < object.ChildCount(); ++i) ExpectAllFontsHaveCharset(*object.ChildAt(i), charset);
}

} // namespace

TEST(SkinContent, ASkinWrittenAndReadBackIsTheSameSkinByteForByte)
{
    TSeSkinSource original(nullptr);
    FillSmallSkin(original);
    std::vector<uint8_t> bytes = SaveWith(UncompressedFilter(), original);

    TSeSkinSource copy(nullptr);
    LoadWith(UncompressedFilter(), copy, bytes);
    EXPECT_EQ(SaveWith(UncompressedFilter(), copy), bytes);

    EXPECT_EQ(copy.SkinName(), L"Small");
    EXPECT_EQ(copy.AuthorEMail(), L"tests@folvane.example");
    ASSERT_EQ(copy.Bitmaps().Count(), 3);
    for (int i = 0; i < 3; ++i) {
        const TKsBitmap& a = *original.Bitmaps().Item(i);
        const TKsBitmap& b = *copy.Bitmaps().Item(i);
        EXPECT_EQ(b.Name(), a.Name());
        ASSERT_EQ(b.Width() * b.Height(), a.Width() * a.Height());
        EXPECT_TRUE(std::equal(a.Bits(), a.Bits() + a.Width() * a.Height(), b.Bits()));
    }
    ASSERT_EQ(copy.Count(), 3);
    auto& button = dynamic_cast<TSeButtonObject&>(Part(copy, L"Button", L"Face"));
    // Links are resolved against the loaded bitmaps, by name without regard to case.
    EXPECT_EQ(button.Bitmap().Bitmap(), copy.Bitmaps().Item(1));
    EXPECT_TRUE(button.BitmapHot().Valid());
    EXPECT_FALSE(button.BitmapPressed().Valid());
    auto& caption = dynamic_cast<TSeActiveBitmap&>(Part(copy, L"Form", L"Caption"));
    EXPECT_EQ(caption.ActiveBitmap().Bitmap(), copy.Bitmaps().Item(0));
    EXPECT_EQ(Part(copy, L"Form", L"Glyph").Bitmaps(), &copy.Bitmaps());
}

TEST(SkinContent, EmptyContentLoadsAsASkinThatIsNotLoaded)
{
    TSeSkinSource source(nullptr);
    FillSmallSkin(source);
    LoadWith(UncompressedFilter(), source, TContentBuilder().Bitmaps({}).Objects({}).Bytes());
    EXPECT_FALSE(source.IsLoaded());
    EXPECT_EQ(source.Bitmaps().Count(), 0);
    EXPECT_EQ(source.SkinName(), L"Hand");
    EXPECT_EQ(source.SkinVersion(), L"2.0.0");
}

TEST(SkinContent, MagentaPixelsLoadAsTransparentOfAnyAlphaAndAreWrittenBackAsTransparent)
{
    TKsBitmap keyed;
    keyed.SetName(L"KEY.BMP");
    keyed.SetSize(4, 1);
    keyed.SetPixel(0, 0, 0xFFFF00FF);
    keyed.SetPixel(1, 0, 0x00FF00FF);
    keyed.SetPixel(2, 0, 0x80FF00FF);
    keyed.SetPixel(3, 0, 0xFFFE00FF);
    TSeSkinSource source(nullptr);
    LoadWith(UncompressedFilter(), source, TContentBuilder().Bitmaps({&keyed}).Objects({}).Bytes());

    const TKsBitmap& loaded = *source.Bitmaps().Item(0);
    EXPECT_EQ(loaded.Pixel(0, 0), kTransparentPixel);
    EXPECT_EQ(loaded.Pixel(1, 0), kTransparentPixel);
    EXPECT_EQ(loaded.Pixel(2, 0), kTransparentPixel);
    EXPECT_EQ(loaded.Pixel(3, 0), 0xFFFE00FFu);

    TSeSkinSource again(nullptr);
    LoadWith(UncompressedFilter(), again, SaveWith(UncompressedFilter(), source));
    EXPECT_EQ(again.Bitmaps().Item(0)->Pixel(2, 0), kTransparentPixel);
    std::vector<uint8_t> written = SaveWith(UncompressedFilter(), source);
    const uint8_t transparentBytes[] = {0x7F, 0x00, 0x7F, 0x00};
    EXPECT_NE(std::search(written.begin(), written.end(), std::begin(transparentBytes), std::end(transparentBytes)),
              written.end());
}

TEST(SkinContent, EveryFontOfEveryLoadedObjectGetsTheDefaultCharacterSet)
{
    std::string child = Description("Text", "TSeTextObject",
                                    "  FontHot.Charset = SHIFTJIS_CHARSET\r\n  FontPressed.Charset = 136\r\n");
    std::string top = Description("Item", "TSeActiveObject",
                                  "  Font.Charset = ANSI_CHARSET\r\n  ActiveFont.Charset = OEM_CHARSET\r\n"
                                  "  Objects = {" + ChildrenHex({{"TSeTextObject", child}}) + "}\r\n");
    TSeSkinSource source(nullptr);
    LoadWith(UncompressedFilter(), source, TContentBuilder().Bitmaps({}).Objects({{"TSeActiveObject", top}}).Bytes());
    ASSERT_EQ(source.Count(), 1);
    ASSERT_EQ(source.Objects(0)->ChildCount(), 1);
    ExpectAllFontsHaveCharset(*source.Objects(0), DEFAULT_CHARSET);
}

TEST(SkinContent, RecordsOfUnknownClassesAreSkippedWithTheStreamKeptInStep)
{
    std::string children = ChildrenHex({{"TSeFancyObject", Description("Odd", "TSeFancyObject", "  Wobble = 3\r\n")},
                                        {"TSeButtonObject", Description("Face", "TSeButtonObject")}});
    TSeSkinSource source(nullptr);
    LoadWith(UncompressedFilter(), source,
             TContentBuilder()
                 .Bitmaps({})
                 .Objects({{"TSeSkinObject", Description("First", "TSeSkinObject")},
                           {"TNoSuchClass", Description("Lost", "TNoSuchClass", "  Anything = 'x'\r\n")},
                           {"tseskinobject", Description("CaseMatters", "TSeSkinObject")},
                           {"TSeSkinObject", Description("Last", "TSeSkinObject",
                                                         "  Objects = {" + children + "}\r\n")}})
                 .Bytes());
    ASSERT_EQ(source.Count(), 2);
    EXPECT_EQ(source.Objects(0)->Name(), L"First");
    EXPECT_EQ(source.Objects(1)->Name(), L"Last");
    ASSERT_EQ(source.Objects(1)->ChildCount(), 1);
    EXPECT_EQ(source.Objects(1)->ChildAt(0)->Name(), L"Face");
}

TEST(SkinContent, NotationErrorsStopTheLoadAndLeaveTheSourceEmpty)
{
    std::string sameNames = ChildrenHex({{"TSeSkinObject", Description("Face", "TSeSkinObject")},
                                         {"TSeSkinObject", Description("FACE", "TSeSkinObject")}});
    const std::string bad[] = {
        Description("A", "TSeSkinObject", "  Bitmap.Left = 1\r\n"),
        Description("A", "TSeSkinObject", "  Wobble = 1\r\n"),
        Description("A", "TSeSkinObject", "  Font.Wobble = 1\r\n"),
        Description("A", "TSeSkinObject", "  Font = 1\r\n"),
        Description("A", "TSeSkinObject", "  Left.Inner = 1\r\n"),
        Description("A", "TSeSkinObject", "  Align = saNowhere\r\n"),
        Description("A", "TSeSkinObject", "  Align = 3\r\n"),
        Description("A", "TSeSkinObject", "  Left = '3'\r\n"),
        Description("A", "TSeSkinObject", "  DrawIfOwner = Yes\r\n"),
        Description("A", "TSeSkinObject", "  Color = clNoSuchColour\r\n"),
        Description("A", "TSeSkinObject", "  Font.Charset = NO_CHARSET\r\n"),
        Description("A", "TSeSkinObject", "  Font.Style = [fsBold, fsShiny]\r\n"),
        Description("A", "TSeSkinObject", "  Font.Style = fsBold\r\n"),
        Description("A", "TSeSkinObject", "  Font.Name = Arial\r\n"),
        Description("A", "TSeSkinObject", "  Objects = 0\r\n"),
        Description("A", "TSeSkinObject", "  Objects = {01000000}\r\n"),
        Description("A", "TSeSkinObject", "  Objects = {FFFFFFFF}\r\n"),
        Description("A", "TSeSkinObject", "  Objects = {0000000000}\r\n"),
        Description("A", "TSeSkinObject", "  Objects = {" + sameNames + "}\r\n"),
        "object A TSeSkinObject\r\nend\r\n",
    };
    for (const std::string& description : bad) {
        TSeSkinSource source(nullptr);
        FillSmallSkin(source);
        std::vector<uint8_t> content = TContentBuilder()
                                           .Bitmaps({})
                                           .Objects({{"TSeSkinObject", Description("Good", "TSeSkinObject")},
                                                     {"TSeSkinObject", description}})
                                           .Bytes();
        try {
            LoadWith(UncompressedFilter(), source, content);
            ADD_FAILURE() << "no error for " << description;
        } catch (const ENotationError& e) {
            EXPECT_FALSE(e.Message().empty());
        }
        EXPECT_EQ(source.Count(), 0) << description;
        EXPECT_EQ(source.Bitmaps().Count(), 0);
        EXPECT_EQ(source.SkinName(), L"Small") << "the header of a failed load is not taken";
    }
}

TEST(SkinContent, SiblingsMustHaveDistinctNamesButTopLevelObjectsAndUnnamedSiblingsNeedNot)
{
    std::string unnamed = ChildrenHex({{"TSeSkinObject", Description("", "TSeSkinObject")},
                                       {"TSeSkinObject", Description("", "TSeSkinObject")}});
    TSeSkinSource source(nullptr);
    LoadWith(UncompressedFilter(), source,
             TContentBuilder()
                 .Bitmaps({})
                 .Objects({{"TSeSkinObject", Description("Twin", "TSeSkinObject")},
                           {"TSeSkinObject", Description("Twin", "TSeSkinObject",
                                                         "  Objects = {" + unnamed + "}\r\n")}})
                 .Bytes());
    ASSERT_EQ(source.Count(), 2);
    EXPECT_EQ(source.Objects(1)->ChildCount(), 2);
}
