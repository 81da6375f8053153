#include "app/Unit1.h"
#include "framework/Application.h"

#include <gtest/gtest.h>

namespace {

// The main window made the way the program makes it reads the embedded skin while it is built.
TEST(ProgramSkin, MainWindowEngineHoldsTheEmbeddedSkinAfterStartUp)
{
    Application->Initialize();
    std::unique_ptr<TForm1> form(new TForm1(nullptr));
    ASSERT_NE(form->SeSkinEngine1, nullptr);
    EXPECT_EQ(form->SeSkinEngine1->Name(), L"SeSkinEngine1");
    EXPECT_EQ(form->SeSkinEngine1->Owner(), form.get());
    const TSeSkinSource& skin = *form->SeSkinEngine1->Source();
    EXPECT_EQ(skin.SkinName(), L"Folvane Slate");
    EXPECT_EQ(skin.SkinVersion(), L"2.0.0");
    EXPECT_EQ(skin.Count(), 20);
    EXPECT_NE(skin.FormObject(), nullptr);
    EXPECT_EQ(skin.Bitmaps().Count(), 53);
}

} // namespace
