#include "skin/store/KsObjectNotation.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TNotationObject SampleObject()
{
    TNotationObject object;
    object.Name = "Face";
    object.ClassName = "TSeButtonObject";
    object.Properties = {
        {"Align", TNotationValue::FromIdentifier("saClient")},
        {"Color", TNotationValue::FromInteger(-16777208)},
        {"Font.Name", TNotationValue::FromString("It's \"quoted\"")},
        {"Font.Style", TNotationValue::FromSet({"fsBold", "fsItalic"})},
        {"Font.Empty", TNotationValue::FromString("")},
        {"NoStyle", TNotationValue::FromSet({})},
        {"Bitmap.Left", TNotationValue::FromInteger(0)},
        {"Objects", TNotationValue::FromBytes({0, 0, 0, 0})},
    };
    return object;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "the text must end with CR LF";
    return lines;
}

} // namespace

TEST(Notation, EveryKindOfValueSurvivesWritingAndReading)
{
    TNotationObject object = SampleObject();
    std::vector<uint8_t> bytes(100);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 37);
    object.Properties.push_back({"Data", TNotationValue::FromBytes(bytes)});
    object.Properties.push_back({"Extremes", TNotationValue::FromInteger(INT32_MIN)});
    object.Properties.push_back({"Big", TNotationValue::FromInteger(INT32_MAX)});
    object.Properties.push_back({"Blank", TNotationValue::FromString("''")});

    EXPECT_EQ(ReadNotation(WriteNotation(object)), object);
}

TEST(Notation, WritesTheHeaderPropertyLinesAndEndWithCrLf)
{
    std::vector<std::string> lines = Lines(WriteNotation(SampleObject()));
    std::vector<std::string> expected = {
        "object Face: TSeButtonObject",
        "  Align = saClient",
        "  Color = -16777208",
        "  Font.Name = 'It''s \"quoted\"'",
        "  Font.Style = [fsBold, fsItalic]",
        "  Font.Empty = ''",
        "  NoStyle = []",
        "  Bitmap.Left = 0",
        "  Objects = {00000000}",
        "end",
    };
    EXPECT_EQ(lines, expected);
}

TEST(Notation, LongBinaryDataGoesOnContinuationLinesOf64DigitsClosedRightAfterTheLastDigit)
{
    TNotationObject object;
    object.ClassName = "TSeSkinObject";
    std::vector<uint8_t> bytes(70);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(0xA0 + i);
    object.Properties = {{"Objects", TNotationValue::FromBytes(bytes)}};

    std::vector<std::string> lines = Lines(WriteNotation(object));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "object : TSeSkinObject");
    EXPECT_EQ(lines[1], "  Objects = {");
    EXPECT_EQ(lines[2], "    A0A1A2A3A4A5A6A7A8A9AAABACADAEAFB0B1B2B3B4B5B6B7B8B9BABBBCBDBEBF");
    EXPECT_EQ(lines[3], "    C0C1C2C3C4C5C6C7C8C9CACBCCCDCECFD0D1D2D3D4D5D6D7D8D9DADBDCDDDEDF");
    EXPECT_EQ(lines[4], "    E0E1E2E3E4E5}");
    EXPECT_EQ(lines[5], "end");
    EXPECT_EQ(ReadNotation(WriteNotation(object)), object);
}

TEST(Notation, ReaderAcceptsFreeLayoutLowerCaseHexAndAnEmptyName)
{
    TNotationObject object = ReadNotation("OBJECT :TSeSkinObject\n\tLeft=-5 Font.Style=[ fsBold ]\n"
                                          "  Objects = {0a0B\n  0c}\nEND");
    EXPECT_EQ(object.Name, "");
    EXPECT_EQ(object.ClassName, "TSeSkinObject");
    ASSERT_EQ(object.Properties.size(), 3u);
    EXPECT_EQ(object.Properties[0].Value, TNotationValue::FromInteger(-5));
    EXPECT_EQ(object.Properties[1].Value, TNotationValue::FromSet({"fsBold"}));
    EXPECT_EQ(object.Properties[2].Value, TNotationValue::FromBytes({0x0A, 0x0B, 0x0C}));
}

TEST(Notation, MalformedDescriptionsRaiseTheNotationErrorNamingTheLine)
{
    const char* bad[] = {
        "",
        "objekt A: TSeSkinObject\r\nend\r\n",
        "object A TSeSkinObject\r\nend\r\n",
        "object A:\r\nend\r\n",
        "object A: TSeSkinObject\r\n  Left = 1\r\n",
        "object A: TSeSkinObject\r\n  Left 1\r\nend\r\n",
        "object A: TSeSkinObject\r\n  Left = \r\nend\r\n",
        "object A: TSeSkinObject\r\n  Left = 2147483648\r\nend\r\n",
        "object A: TSeSkinObject\r\n  Left = -2147483649\r\nend\r\n",
        "object A: TSeSkinObject\r\n  Left = 12ab\r\nend\r\n",
        "object A: TSeSkinObject\r\n  Left = -\r\nend\r\n",
        "object A: TSeSkinObject\r\n  Name = 'open\r\nend\r\n",
        "object A: TSeSkinObject\r\n  Style = [fsBold fsItalic]\r\nend\r\n",
        "object A: TSeSkinObject\r\n  Style = [fsBold,\r\nend\r\n",
        "object A: TSeSkinObject\r\n  Style = [,]\r\nend\r\n",
        "object A: TSeSkinObject\r\n  Objects = {000}\r\nend\r\n",
        "object A: TSeSkinObject\r\n  Objects = {00G0}\r\nend\r\n",
        "object A: TSeSkinObject\r\n  Objects = {0000\r\nend\r\n",
        "object A: TSeSkinObject\r\n  Font. = 1\r\nend\r\n",
        "object A: TSeSkinObject\r\n  Left = #13\r\nend\r\n",
        "object A: TSeSkinObject\r\nend\r\nextra",
        "object 1A: TSeSkinObject\r\nend\r\n",
    };
    for (const char* text : bad) EXPECT_THROW(ReadNotation(text), ENotationError) << text;

    try {
        ReadNotation("object A: TSeSkinObject\r\n  Left = 1\r\n  Top = ?\r\nend\r\n");
        FAIL() << "no error";
    } catch (const ENotationError& e) {
        EXPECT_NE(e.Message().find(L"line 3"), std::wstring::npos) << e.what();
    }
}

TEST(Notation, RandomMutationsOfAValidDescriptionEitherParseOrRaiseTheNotationError)
{
    TNotationObject object = SampleObject();
    object.Properties.push_back({"Data", TNotationValue::FromBytes(std::vector<uint8_t>(80, 0x5A))});
    const std::string valid = WriteNotation(object);
    std::mt19937 random(1234);
    const char alphabet[] = "'{}[],.=:-0123456789ABCDEFaz_ \r\n\t\x80\xff";
    int parsed = 0;
    for (int attempt = 0; attempt < 5000; ++attempt) {
        std::string text = valid;
        int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits && !text.empty(); ++e) {
            size_t at = random() % text.size();
            switch (random() % 4) {
            case 0: text[at] = alphabet[random() % (sizeof alphabet - 1)]; break;
            case 1: text.erase(at, 1 + random() % 8); break;
            case 2: text.insert(at, 1, alphabet[random() % (sizeof alphabet - 1)]); break;
            case 3: text.resize(at); break;
            }
        }
        try {
            TNotationObject result = ReadNotation(text);
            EXPECT_EQ(ReadNotation(WriteNotation(result)), result);
            ++parsed;
        } catch (const ENotationError&) {
        }
    }
    // Both outcomes must occur, or the mutations did not exercise the reader.
    EXPECT_GT(parsed, 0);
    EXPECT_LT(parsed, 5000);
}
