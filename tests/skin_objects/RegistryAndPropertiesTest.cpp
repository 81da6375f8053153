#include "skin/objects/KsSkinObjectRegistry.h"
#include "skin/objects/KsSkinObjects2.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::wstring> PropertyNames(const TSeSkinObject& object)
{
    std::vector<std::wstring> names;
    for (const TSeObjectProperty& p : object.Properties()) names.push_back(p.Name);
    return names;
}

std::vector<std::wstring> BaseNamesPlus(std::initializer_list<std::wstring> added)
{
    std::vector<std::wstring> names = {L"Tag", L"Align", L"Color", L"DrawIfOwner", L"Font", L"Kind", L"Left",
                                       L"Top", L"Height", L"Width", L"MarginLeft", L"MarginRight", L"MarginTop",
                                       L"MarginBottom", L"TextAlign", L"TextEffect", L"TextMarginLeft",
                                       L"TextMarginRight", L"TextMarginTop"};
    names.insert(names.end(), added);
    return names;
}

std::unique_ptr<TSeSkinObject> Make(const wchar_t* className)
{
    return std::unique_ptr<TSeSkinObject>(CreateSkinObject(className, nullptr));
}

} // namespace

TEST(SkinObjectRegistry, CreatesEveryLibraryClassByItsExactName)
{
    for (const wchar_t* name :
         {L"TSeSkinObject", L"TSeActiveObject", L"TSeBitmapObject", L"TSeActiveBitmap", L"TSeSystemButton",
          L"TSeButtonObject", L"TSeTextObject", L"TSeLinkSkinObject", L"TSeBitmapSkinObject",
          L"TSeFormBitmapSkinObject", L"TSeSysButtonSkinObject", L"TSeActiveSkinObject", L"TSeColorButtonObject",
          L"TSeBitmapBoxObject", L"TSeActiveBitmapBoxObject", L"TSeButtonBitmapBoxObject", L"TSeRollPanelObject"}) {
        auto object = Make(name);
        ASSERT_NE(object, nullptr) << name;
        EXPECT_EQ(object->ClassName(), name);
    }
}

TEST(SkinObjectRegistry, NameMatchIsCaseSensitiveAndUnknownNamesCreateNothing)
{
    EXPECT_EQ(Make(L"tsebuttonobject"), nullptr);
    EXPECT_EQ(Make(L"TSeNoSuchObject"), nullptr);
    EXPECT_FALSE(IsSkinObjectClassRegistered(L"TSESKINOBJECT"));
}

TEST(SkinObjectRegistry, ChildrenAreOwnedInCreationOrder)
{
    auto parent = Make(L"TSeSkinObject");
    TSeSkinObject* a = CreateSkinObject(L"TSeTextObject", parent.get());
    TSeSkinObject* b = CreateSkinObject(L"TSeButtonObject", parent.get());
    ASSERT_EQ(parent->ChildCount(), 2);
    EXPECT_EQ(parent->ChildAt(0), a);
    EXPECT_EQ(parent->ChildAt(1), b);
    EXPECT_EQ(parent->ChildAt(2), nullptr);
    EXPECT_EQ(parent->ChildAt(-1), nullptr);
    EXPECT_EQ(b->ParentObject(), parent.get());
}

TEST(SkinObjectRegistry, RegisteredClassesAreFoundAfterTheLibraryOnes)
{
    RegisterSkinObjectClass(L"TSeTestOnlyObject", [](TComponent* owner) { return new TSeTextObject(owner); });
    auto object = Make(L"TSeTestOnlyObject");
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->ClassName(), L"TSeTextObject");
}

TEST(SkinObjectProperties, ListsFollowDeclarationOrderBaseClassFirst)
{
    EXPECT_EQ(PropertyNames(*Make(L"TSeSkinObject")), BaseNamesPlus({}));
    EXPECT_EQ(PropertyNames(*Make(L"TSeSystemButton")),
              BaseNamesPlus({L"Bitmap", L"TileStyle", L"BorderTileStyle", L"ActiveBitmap", L"ActiveFont", L"Action",
                             L"BitmapHot", L"BitmapPressed"}));
    EXPECT_EQ(PropertyNames(*Make(L"TSeButtonBitmapBoxObject")),
              BaseNamesPlus({L"Bitmap", L"TileStyle", L"BorderTileStyle", L"HotBitmap", L"FocusedBitmap",
                             L"PressedBitmap", L"DisabledBitmap"}));
    EXPECT_EQ(PropertyNames(*Make(L"TSeSysButtonSkinObject")),
              BaseNamesPlus({L"Bitmap", L"TileStyle", L"Action", L"BitmapHover", L"BitmapDown", L"RollPanel"}));
    EXPECT_EQ(PropertyNames(*Make(L"TSeColorButtonObject")),
              BaseNamesPlus({L"HotColor", L"HotFont", L"PressedColor", L"PressedFont", L"FocusedColor",
                             L"FocusedFont", L"DisabledColor", L"DisabledFont"}));
    EXPECT_EQ(PropertyNames(*Make(L"TSeRollPanelObject")), BaseNamesPlus({L"RollKind", L"RollValue"}));
    EXPECT_EQ(PropertyNames(*Make(L"TSeFormBitmapSkinObject")),
              BaseNamesPlus({L"Bitmap", L"TileStyle", L"InactiveBitmap"}));
}

TEST(SkinObjectProperties, SettersReachTheObjectByName)
{
    auto object = Make(L"TSeSystemButton");
    const TSePropertyList& list = object->Properties();

    FindProperty(list, L"Width")->SetOrdinal(*object, 40);
    FindProperty(list, L"textalign")->SetOrdinal(*object, taBottomRight);
    FindProperty(list, L"Action")->SetOrdinal(*object, sbaTray);
    FindProperty(list, L"DrawIfOwner")->SetOrdinal(*object, 1);
    FindProperty(list, L"Color")->SetOrdinal(*object, clGray);
    FindProperty(list, L"Font")->Font(*object).SetHeight(-20);
    FindProperty(list, L"BitmapPressed")->Link(*object).SetRight(23);

    auto& button = static_cast<TSeSystemButton&>(*object);
    EXPECT_EQ(button.Width(), 40);
    EXPECT_EQ(button.TextAlign(), taBottomRight);
    EXPECT_EQ(button.Action(), sbaTray);
    EXPECT_TRUE(button.DrawIfOwner());
    EXPECT_EQ(button.Color(), clGray);
    EXPECT_EQ(button.Font().Height(), -20);
    EXPECT_EQ(button.BitmapPressed().Right(), 23);
    EXPECT_EQ(FindProperty(list, L"Action")->ValueNames[button.Action()], std::wstring(L"sbaTray"));
    EXPECT_EQ(FindProperty(list, L"Objects"), nullptr);
}

TEST(SkinObjectProperties, DefaultsOfAFreshObject)
{
    auto object = Make(L"TSeSkinObject");
    EXPECT_EQ(object->Color(), clWhite);
    EXPECT_EQ(object->TextAlign(), taLeft);
    EXPECT_EQ(object->Align(), saNone);
    EXPECT_EQ(object->Kind(), skNone);
    EXPECT_FALSE(object->DrawIfOwner());
    EXPECT_TRUE(object->Enabled());
    EXPECT_TRUE(object->Visible());
    EXPECT_EQ(object->Font().Name(), TFont().Name());
    EXPECT_EQ(object->BoundsRect(), TRect(0, 0, 0, 0));
    EXPECT_EQ(Make(L"TSeSystemButton")->Kind(), skSysButton);
}

TEST(SkinObjectProperties, TagIsStoredOnlyWhenNotZero)
{
    auto object = Make(L"TSeSkinObject");
    const TSeObjectProperty* tag = FindProperty(object->Properties(), L"Tag");
    ASSERT_NE(tag, nullptr);
    ASSERT_TRUE(tag->Stored);
    EXPECT_FALSE(tag->Stored(*object));
    tag->SetOrdinal(*object, 7);
    EXPECT_TRUE(tag->Stored(*object));
    EXPECT_EQ(object->Tag(), 7);
}

TEST(SkinObjectProperties, FontAndLinkSubPropertiesInWritingOrder)
{
    std::vector<std::wstring> fontNames, linkNames;
    for (const auto& p : FontProperties()) fontNames.push_back(p.Name);
    for (const auto& p : BitmapLinkProperties()) linkNames.push_back(p.Name);
    EXPECT_EQ(fontNames, (std::vector<std::wstring>{L"Charset", L"Color", L"Height", L"Name", L"Style"}));
    EXPECT_EQ(linkNames, (std::vector<std::wstring>{L"Name", L"Left", L"Top", L"Right", L"Bottom"}));

    TFont font;
    const auto* style = FindProperty(FontProperties(), L"Style");
    style->SetOrdinal(font, (1 << fsBold) | (1 << fsStrikeOut));
    EXPECT_TRUE(font.Style().Contains(fsBold));
    EXPECT_TRUE(font.Style().Contains(fsStrikeOut));
    EXPECT_FALSE(font.Style().Contains(fsItalic));
    EXPECT_EQ(style->ValueNames[fsStrikeOut], std::wstring(L"fsStrikeOut"));

    TKsBitmapLink link;
    const auto* name = FindProperty(BitmapLinkProperties(), L"Name");
    EXPECT_FALSE(name->Stored(link));
    name->SetString(link, L"BUTTON.bmp");
    EXPECT_TRUE(name->Stored(link));
}

TEST(SkinObjectProperties, ColourAndCharsetNamesRoundTrip)
{
    std::wstring ident;
    ASSERT_TRUE(ColorToIdent(clWindowText, ident));
    EXPECT_EQ(ident, L"clWindowText");
    ASSERT_TRUE(ColorToIdent(0xC0C0C0, ident));
    EXPECT_EQ(ident, L"clSilver");
    EXPECT_FALSE(ColorToIdent(0x123456, ident));

    TColor color = 0;
    ASSERT_TRUE(IdentToColor(L"clGray", color));
    EXPECT_EQ(color, 0x808080);
    EXPECT_FALSE(IdentToColor(L"clNoSuchColour", color));

    int charset = 0;
    ASSERT_TRUE(IdentToCharset(L"DEFAULT_CHARSET", charset));
    EXPECT_EQ(charset, 1);
    ASSERT_TRUE(CharsetToIdent(136, ident));
    EXPECT_EQ(ident, L"CHINESEBIG5_CHARSET");
}
