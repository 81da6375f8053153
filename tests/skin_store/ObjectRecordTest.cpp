#include "SkinFixtures.h"

#include "framework/Text.h"
#include "skin/objects/KsSkinObjectRegistry.h"
#include "skin/store/KsObjectRecords.h"
#include "skin/store/KsSkinData.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const char* const AllClasses[] = {
    "TSeSkinObject", "TSeActiveObject", "TSeBitmapObject", "TSeActiveBitmap", "TSeSystemButton",
    "TSeButtonObject", "TSeTextObject", "TSeLinkSkinObject", "TSeBitmapSkinObject", "TSeFormBitmapSkinObject",
    "TSeSysButtonSkinObject", "TSeActiveSkinObject", "TSeColorButtonObject", "TSeBitmapBoxObject",
    "TSeActiveBitmapBoxObject", "TSeButtonBitmapBoxObject", "TSeRollPanelObject",
};

// Gives every published value of object a value other than its default, distinct per property.
void SetEveryProperty(TSeSkinObject& object)
{
    using K = TSePropertyKind;
    int n = 0;
    for (const TSeObjectProperty& p : object.Properties()) {
        ++n;
        switch (p.Kind) {
        case K::Integer: p.SetOrdinal(object, n % 2 ? -n * 1000 : n); break;
        case K::Boolean: p.SetOrdinal(object, 1); break;
        case K::Enumeration: p.SetOrdinal(object, static_cast<int>(p.ValueNames.size()) - 1 - n % 2); break;
        case K::Color: p.SetOrdinal(object, n % 2 ? 0x123456 + n : clBtnFace); break;
        case K::String: p.SetString(object, n % 2 ? L"it's " + std::to_wstring(n) : L""); break;
        case K::Font: {
            TFont& font = p.Font(object);
            font.SetName(L"Font " + std::to_wstring(n));
            font.SetHeight(-n);
            font.SetColor(n % 2 ? clRed : clWindowText);
            font.SetStyle(n % 2 ? TFontStyles{fsBold, fsStrikeOut} : TFontStyles{});
            break;
        }
        case K::BitmapLink: {
            TKsBitmapLink& link = p.Link(object);
            if (n % 2) link.SetName(L"LINK" + std::to_wstring(n) + L".bmp");
            link.SetRect({n, n + 1, n + 20, n + 30});
            break;
        }
        default: break;
        }
    }
}

std::string Hex(const std::string& text)
{
    std::string hex;
    const char digits[] = "0123456789ABCDEF";
    for (unsigned char c : text) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

} // namespace

TEST(ObjectRecord, EveryPublishedPropertyOfEveryClassSurvivesARoundTrip)
{
    for (const char* className : AllClasses) {
        SCOPED_TRACE(className);
        std::unique_ptr<TSeSkinObject> object(CreateSkinObject(AnsiToWide(className), nullptr));
        ASSERT_NE(object, nullptr);
        object->SetName(L"Sample");
        SetEveryProperty(*object);
        MakeObject(object.get(), "TSeSkinObject", "Child", "  Left = 7\r\n");

        TMemoryStream stream;
        WriteObjectRecord(stream, *object);
        stream.SetPosition(0);
        std::unique_ptr<TSeSkinObject> copy(ReadObjectRecord(stream, nullptr));
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(stream.Position(), stream.Size());
        EXPECT_EQ(copy->ClassName(), object->ClassName());

        // Reading forces every character set to the default; compare after doing the same here.
        object->SetCharset(DEFAULT_CHARSET);
        EXPECT_EQ(WriteNotation(ObjectToNotation(*copy)), WriteNotation(ObjectToNotation(*object)));
        ASSERT_EQ(copy->ChildCount(), 1);
        EXPECT_EQ(copy->ChildAt(0)->Left(), 7);
        EXPECT_EQ(copy->ChildAt(0)->Owner(), copy.get());
    }
}

TEST(ObjectRecord, AButtonIsWrittenAsTheLinesOfTheStoredNotation)
{
    std::unique_ptr<TSeSkinObject> button(MakeObject(nullptr, "TSeSkinObject", "Button",
                                                     "  Height = 100\r\n  Width = 200\r\n"));
    MakeObject(button.get(), "TSeButtonObject", "Face",
               "  Bitmap.Name = 'BUTTON.bmp'\r\n  Bitmap.Right = 20\r\n  Bitmap.Bottom = 23\r\n"
               "  TileStyle = tsStretch\r\n  BorderTileStyle = tsStretch\r\n");
    MakeObject(button.get(), "TSeTextObject", "Text");

    std::vector<std::string> lines = SplitLines(WriteNotation(ObjectToNotation(*button)));
    const std::vector<std::string> head = {
        "object Button: TSeSkinObject",
        "  Align = saNone",
        "  Color = clWhite",
        "  DrawIfOwner = False",
        "  Font.Charset = DEFAULT_CHARSET",
        "  Font.Color = clWindowText",
        "  Font.Height = -11",
        "  Font.Name = 'MS Sans Serif'",
        "  Font.Style = []",
        "  Kind = skNone",
        "  Left = 0",
        "  Top = 0",
        "  Height = 100",
        "  Width = 200",
        "  MarginLeft = 0",
        "  MarginRight = 0",
        "  MarginTop = 0",
        "  MarginBottom = 0",
        "  TextAlign = taLeft",
        "  TextEffect = teNone",
        "  TextMarginLeft = 0",
        "  TextMarginRight = 0",
        "  TextMarginTop = 0",
        "  Objects = {",
    };
    ASSERT_GT(lines.size(), head.size() + 3);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + head.size()), head);

    // Child count 2, class name length 15, "TSeButtonObject", the description length, "object Face".
    const std::string& first = lines[head.size()];
    EXPECT_EQ(first.substr(0, 50), "    020000000F000000" + Hex("TSeButtonObject"));
    EXPECT_EQ(first.substr(58), Hex("objec"));
    for (size_t i = head.size(); i + 2 < lines.size(); ++i) {
        EXPECT_EQ(lines[i].size(), 4u + 64u) << i;
        EXPECT_EQ(lines[i].find_first_not_of("0123456789ABCDEF", 4), std::string::npos);
    }
    const std::string& last = lines[lines.size() - 2];
    EXPECT_EQ(last.back(), '}');
    EXPECT_EQ(last.substr(last.size() - 11), Hex("end\r\n") + "}");
    EXPECT_EQ(lines.back(), "end");

    std::string face = WriteNotation(ObjectToNotation(*button->ChildAt(0)));
    for (const char* line : {"\r\n  Bitmap.Name = 'BUTTON.bmp'\r\n  Bitmap.Left = 0\r\n  Bitmap.Top = 0\r\n"
                             "  Bitmap.Right = 20\r\n  Bitmap.Bottom = 23\r\n  TileStyle = tsStretch\r\n"
                             "  BorderTileStyle = tsStretch\r\n",
                             "\r\n  BitmapHot.Left = 0\r\n", "\r\n  Objects = {00000000}\r\nend\r\n"})
        EXPECT_NE(face.find(line), std::string::npos) << line;
    EXPECT_EQ(face.find("BitmapHot.Name"), std::string::npos) << "an unused link has no name line";
}

TEST(ObjectRecord, TagIsWrittenOnlyWhenNotZero)
{
    std::unique_ptr<TSeSkinObject> object(MakeObject(nullptr, "TSeSkinObject", "Marked"));
    EXPECT_EQ(WriteNotation(ObjectToNotation(*object)).find("Tag"), std::string::npos);
    object->SetTag(-3);
    std::string text = WriteNotation(ObjectToNotation(*object));
    EXPECT_NE(text.find("\r\n  Tag = -3\r\n"), std::string::npos);

    std::unique_ptr<TSeSkinObject> copy(MakeObject(nullptr, "TSeSkinObject", "Copy"));
    NotationToObject(ReadNotation(text), *copy);
    EXPECT_EQ(copy->Tag(), -3);
}

TEST(ObjectRecord, ARecordCutShortRaisesAndLeavesNoChildBehindInItsOwner)
{
    std::unique_ptr<TSeSkinObject> parent(MakeObject(nullptr, "TSeSkinObject", "Parent"));
    std::unique_ptr<TSeSkinObject> child(MakeObject(nullptr, "TSeButtonObject", "Child"));
    TMemoryStream stream;
    WriteObjectRecord(stream, *child);
    std::vector<uint8_t> bytes = stream.Bytes();
    for (size_t size : {size_t{0}, size_t{3}, size_t{10}, bytes.size() - 1}) {
        TMemoryStream cut(std::vector<uint8_t>(bytes.begin(), bytes.begin() + size));
        EXPECT_THROW(ReadObjectRecord(cut, parent.get()), ESkinDataError) << size;
        EXPECT_EQ(parent->ChildCount(), 0);
    }
    TMemoryStream whole(bytes);
    EXPECT_NE(ReadObjectRecord(whole, parent.get()), nullptr);
    EXPECT_EQ(parent->ChildCount(), 1);
    TMemoryStream again(bytes);
    EXPECT_THROW(ReadObjectRecord(again, parent.get()), ENotationError) << "duplicate sibling name";
    EXPECT_EQ(parent->ChildCount(), 1);
}

TEST(ObjectRecord, EveryStandardColourNameIsReadAsItsValueAndWrittenBackByName)
{
    std::vector<std::pair<std::string, uint32_t>> colours = {
        {"clBlack", 0x000000},  {"clMaroon", 0x000080},   {"clGreen", 0x008000},      {"clOlive", 0x008080},
        {"clNavy", 0x800000},   {"clPurple", 0x800080},   {"clTeal", 0x808000},       {"clGray", 0x808080},
        {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},      {"clLime", 0x00FF00},       {"clYellow", 0x00FFFF},
        {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF},  {"clAqua", 0xFFFF00},       {"clWhite", 0xFFFFFF},
        {"clCream", 0xF0FBFF},  {"clSkyBlue", 0xF0CAA6},  {"clMoneyGreen", 0xC0DCC0}, {"clMedGray", 0xA4A0A0},
        {"clNone", 0x1FFFFFFF}, {"clDefault", 0x20000000}};
    // A system colour is 0x80000000 plus the platform's colour index; these are indexes 0 to 30, where
    // "-" marks 25, which names no colour.
    std::istringstream systemColours(
        "clScrollBar clBackground clActiveCaption clInactiveCaption clMenu clWindow clWindowFrame clMenuText "
        "clWindowText clCaptionText clActiveBorder clInactiveBorder clAppWorkSpace clHighlight clHighlightText "
        "clBtnFace clBtnShadow clGrayText clBtnText clInactiveCaptionText clBtnHighlight cl3DDkShadow cl3DLight "
        "clInfoText clInfoBk - clHotLight clGradientActiveCaption clGradientInactiveCaption clMenuHighlight clMenuBar");
    uint32_t index = 0;
    for (std::string name; systemColours >> name; ++index)
        if (name != "-") colours.emplace_back(name, 0x80000000u | index);
    ASSERT_EQ(index, 31u);

    for (const auto& [name, value] : colours) {
        const std::string line = "  Font.Color = " + name + "\r\n";
        std::unique_ptr<TSeSkinObject> object(MakeObject(nullptr, "TSeSkinObject", "Tinted", line));
        EXPECT_EQ(static_cast<uint32_t>(object->Font().Color()), value) << name;
        EXPECT_NE(WriteNotation(ObjectToNotation(*object)).find("\r\n" + line), std::string::npos) << name;
    }
}

TEST(ObjectRecord, AnEmptyFontNameHasNoLineWhileTheFontsOtherLinesStay)
{
    std::unique_ptr<TSeSkinObject> object(MakeObject(nullptr, "TSeSkinObject", "Nameless", "  Font.Name = ''\r\n"));
    ASSERT_EQ(object->Font().Name(), L"");
    std::string text = WriteNotation(ObjectToNotation(*object));
    EXPECT_EQ(text.find("Font.Name"), std::string::npos);
    EXPECT_NE(text.find("\r\n  Font.Color = clWindowText\r\n  Font.Height = -11\r\n  Font.Style = []\r\n"),
              std::string::npos);
}
