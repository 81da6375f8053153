#include "framework/Streams.h"
#include "skin/store/KsSkinData.h"
#include "tools/skinc/NestedNotation.h"
#include "tools/skinc/SkinSourceError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace {

using ::testing::HasSubstr;

const char* const ButtonSource =
    "object Button: TSeSkinObject\n"
    "  Width = 200\n"
    "  object Face: TSeButtonObject\n"
    "    Bitmap.Name = 'BUTTON.bmp'\n"
    "    object Glyph: TSeBitmapObject\n"
    "      Align = saCenter\n"
    "    end\n"
    "  end\n"
    "  object Text: TSeTextObject\n"
    "    Color = $00F9F6F4\n"
    "  end\n"
    "end\n";

std::wstring ErrorOf(std::string_view text)
{
    try {
        ParseObjectSource(text, L"Test.txt");
    } catch (const ESkinSourceError& error) {
        return error.Message();
    }
    return L"(no error)";
}

const TNotationValue* Property(const TNotationObject& object, const std::string& name)
{
    for (const TNotationProperty& property : object.Properties)
        if (property.Name == name) return &property.Value;
    return nullptr;
}

TEST(NestedNotation, NestedBlocksBecomeTheObjectsRecordsInOrder)
{
    TObjectTree tree = ParseObjectSource(ButtonSource, L"Button.txt");
    TNotationObject stored = ReadNotation(ContentDescription(tree));
    ASSERT_EQ(stored.Properties.back().Name, "Objects");

    TMemoryStream children(stored.Properties.back().Value.Bytes);
    ASSERT_EQ(children.ReadInt32(), 2);
    EXPECT_EQ(ReadSkinString(children), "TSeButtonObject");
    TNotationObject face = ReadNotation(ReadSkinString(children));
    EXPECT_EQ(face.Name, "Face");
    EXPECT_EQ(ReadSkinString(children), "TSeTextObject");
    EXPECT_EQ(ReadNotation(ReadSkinString(children)).Name, "Text");
    EXPECT_EQ(children.Position(), children.Size());

    // The grandchild travels inside the child's own Objects; a leaf carries an empty list.
    TMemoryStream faceChildren(Property(face, "Objects")->Bytes);
    ASSERT_EQ(faceChildren.ReadInt32(), 1);
    EXPECT_EQ(ReadSkinString(faceChildren), "TSeBitmapObject");
    TNotationObject glyph = ReadNotation(ReadSkinString(faceChildren));
    EXPECT_EQ(Property(glyph, "Objects")->Bytes, std::vector<uint8_t>(4, 0));
}

TEST(NestedNotation, StoredDescriptionTurnsBackIntoTheSameTree)
{
    TObjectTree tree = ParseObjectSource(ButtonSource, L"Button.txt");
    EXPECT_EQ(TreeFromDescription(ContentDescription(tree)), tree);
    EXPECT_EQ(ParseObjectSource(WriteObjectSource(tree), L"again.txt"), tree);
}

TEST(NestedNotation, WrittenSourceIndentsEachLevelByTwoBlanks)
{
    std::string text = WriteObjectSource(ParseObjectSource(ButtonSource, L"Button.txt"));
    EXPECT_THAT(text, HasSubstr("\n  object Face: TSeButtonObject\n    Bitmap.Name = 'BUTTON.bmp'\n"));
    EXPECT_THAT(text, HasSubstr("\n    object Glyph: TSeBitmapObject\n      Align = saCenter\n    end\n  end\n"));
    EXPECT_EQ(text.find('\r'), std::string::npos);
}

TEST(NestedNotation, HexadecimalIntegersAfterDollarAreReadAsInt32)
{
    TObjectTree tree =
        ParseObjectSource("object A: TSeSkinObject\n  Color = $00F9F6F4\n  Tag = $80000005\nend\n", L"A.txt");
    ASSERT_EQ(tree.Object.Properties.size(), 2u);
    EXPECT_EQ(tree.Object.Properties[0].Value, TNotationValue::FromInteger(0x00F9F6F4));
    EXPECT_EQ(tree.Object.Properties[1].Value, TNotationValue::FromInteger(static_cast<int32_t>(0x80000005u)));
    // A string that happens to start with $ is left alone.
    tree = ParseObjectSource("object A: TSeSkinObject\n  Font.Name = '$00FF'\nend\n", L"A.txt");
    EXPECT_EQ(tree.Object.Properties[0].Value, TNotationValue::FromString("$00FF"));
}

TEST(NestedNotation, ErrorsNameTheFileAndTheLine)
{
    EXPECT_THAT(ErrorOf("object A: TSeSkinObject\n  Width = 200\n  Height = oops!\nend\n"),
                HasSubstr(L"Test.txt, line 3"));
    EXPECT_THAT(ErrorOf("object A: TSeSkinObject\n  Width = 200\n  object B: TSeSkinObject\n  end\n"),
                HasSubstr(L"line 1: this object has no 'end'"));
    EXPECT_THAT(ErrorOf("object A: TSeSkinObject\nend\nWidth = 1\n"), HasSubstr(L"line 3: text after the last 'end'"));
    EXPECT_THAT(ErrorOf("Width = 1\n"), HasSubstr(L"line 1: 'object' expected"));
    EXPECT_THAT(ErrorOf("object A: TSeSkinObject\n  Width = 1 Height = 2\nend\n"), HasSubstr(L"line 2"));
    EXPECT_THAT(ErrorOf("object A: TSeSkinObject\n  Objects = {00000000}\n  object B: TSeSkinObject\n  end\nend\n"),
                HasSubstr(L"either as 'Objects' or as nested blocks"));
}

TEST(NestedNotation, MalformedStoredChildrenAreRefused)
{
    TObjectTree tree = ParseObjectSource(ButtonSource, L"Button.txt");
    TNotationObject stored = ReadNotation(ContentDescription(tree));
    stored.Properties.back().Value.Bytes.push_back(0);
    EXPECT_THROW(TreeFromDescription(WriteNotation(stored)), ENotationError);

    // A record whose class name disagrees with its description.
    TMemoryStream children;
    children.WriteInt32(1);
    WriteSkinString(children, "TSeTextObject");
    WriteSkinString(children, "object Face: TSeButtonObject\r\nend\r\n");
    TNotationObject parent{"Button", "TSeSkinObject", {{"Objects", TNotationValue::FromBytes(children.Bytes())}}};
    EXPECT_THROW(TreeFromDescription(WriteNotation(parent)), ENotationError);

    // A count larger than the data can hold.
    TNotationObject lying{"Button", "TSeSkinObject", {{"Objects", TNotationValue::FromBytes({0xFF, 0, 0, 0})}}};
    EXPECT_THROW(TreeFromDescription(WriteNotation(lying)), ESkinDataError);
}

} // namespace
