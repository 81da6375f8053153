#include "skinwin/KsSkinMenuForm.h"
#include "skinwin/KsSkinMenus.h"
#include "tests/skinwin/MenuTesting.h"

namespace {

class SkinnedMenu : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        Engine = new TSeSkinEngine(Form);
        Bar = new TSeSkinMenuBar(Form);
        Bar->SetParent(Form);
        File = AddItem(Bar->SkinItems(), L"檔案(&F)");
        AddItem(File, L"載入設定檔(*.CFG)(&L)");
        Exit = AddItem(File, L"離開(&X)");
        Exit->SetShortCut(scAlt | VK_F4);
        About = AddItem(Bar->SkinItems(), L"關於(&A)");
        AddItem(About, L"Folvane Tool(&D)");
    }

    TSeSkinItem* AddItem(TKsCustomItem* parent, const std::wstring& caption)
    {
        auto* item = new TSeSkinItem(Form);
        item->SetCaption(caption);
        parent->Add(item);
        return item;
    }

    // The bar's items as they paint, with item selected.
    uint32_t PixelOfItem(TKsCustomItem* item, TKsCustomItem* selected)
    {
        Bar->View()->SetSelected(selected);
        TKsBitmap buffer;
        buffer.SetSize(Bar->Width(), Bar->Height());
        Bar->View()->PaintItems(buffer);
        TRect rect = Bar->View()->ItemRect(item);
        return buffer.Pixel(rect.Left + 2, rect.Top + 2);
    }

    TSeSkinEngine* Engine = nullptr;
    TSeSkinMenuBar* Bar = nullptr;
    TSeSkinItem* File = nullptr;
    TSeSkinItem* Exit = nullptr;
    TSeSkinItem* About = nullptr;
};

TEST_F(SkinnedMenu, TheBarTakesItsSkinsFrameAndItsItemsTheSkinsLooks)
{
    Engine->ReadSkinResource(GetModuleHandleW(nullptr), L"FOLVANE_SKIN");
    Bar->SetSkinEngine(Engine);
    ShowForm();
    EXPECT_EQ(Bar->Height(), 21);
    EXPECT_EQ(Bar->ContentRect(), (TRect{2, 1, Bar->Width() - 2, 20}));
    EXPECT_TRUE(Exit->Skinned());

    auto* item = static_cast<TSeActiveObject*>(SkinChild(Engine->Source()->ObjectByName(L"MenuBar"), L"Item"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(Bar->View()->ItemRect(File).Height(), item->Height());
    EXPECT_EQ(PixelOfItem(File, File), ColorToPixel(item->ActiveColor()));
    EXPECT_EQ(PixelOfItem(File, About), ColorToPixel(item->Color()));

    // The popup frame's margins come from the skin's popup frame.
    TKsPopupWindow* window = File->CreatePopupWindow(nullptr);
    auto* frame = dynamic_cast<TSeSkinPopupForm*>(window->PopupForm());
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->Skinned());
    EXPECT_EQ(frame->ClientMargins(), (TRect{3, 3, 3, 3}));
    delete window;
}

TEST_F(SkinnedMenu, ASkinWithoutTheMenusPartsDrawsThePlainLookWithoutFailing)
{
    // "MenuBar" and "PopupMenu" are there, but none of their parts: no frames, items, separator
    // or window buttons.
    std::vector<std::unique_ptr<TSeSkinObject>> objects;
    for (const wchar_t* name : {L"MenuBar", L"PopupMenu"}) {
        objects.push_back(std::make_unique<TSeSkinObject>(nullptr));
        objects.back()->SetName(name);
    }
    Engine->Source()->Adopt(std::move(objects), TKsBitmapList());
    const int plainHeight = Bar->Height();
    Bar->SetSkinEngine(Engine);
    ShowForm();
    EXPECT_TRUE(File->Skinned());
    EXPECT_EQ(Bar->Height(), plainHeight);
    EXPECT_EQ(Bar->ContentRect(), (TRect{0, 0, Bar->Width(), Bar->Height() - 2}));
    EXPECT_EQ(PixelOfItem(File, About), ColorToPixel(clMenu));

    auto* close = AddItem(Bar->SkinItems(), L"");
    close->SetKind(ikClose);
    TKsBitmap buffer;
    buffer.SetSize(Bar->Width(), Bar->Height());
    buffer.Fill(0);
    Bar->View()->PaintItems(buffer);
    TRect closeRect = Bar->View()->ItemRect(close);
    EXPECT_EQ(closeRect.Right, Bar->ClientWidth());
    EXPECT_NE(buffer.Pixel(closeRect.Left + 1, closeRect.Top + 1), 0u);

    // The drop-down with its separator opens and paints in the plain look too.
    AddItem(File, L"-");
    bool painted = false;
    TMenuScript script;
    script.When(
        "the file menu", [&] { return Bar->View()->ChildView() != nullptr; },
        [&] {
            TKsItemView* popup = Bar->View()->ChildView();
            UpdateWindow(popup->Control()->Handle());
            painted = true;
            auto* window = static_cast<TKsPopupWindow*>(popup->Control());
            EXPECT_EQ(window->PopupForm()->ClientMargins(), (TRect{3, 3, 3, 3}));
            PostMessageW(Form->Handle(), WM_NCMBUTTONDOWN, HTCAPTION, 0);
        });
    PostMessageW(Form->Handle(), WM_CHAR, L'f', 1);
    Bar->EnterTracking();
    EXPECT_TRUE(script.Done());
    EXPECT_TRUE(painted);
    EXPECT_TRUE(Reports.empty());
}

TEST_F(SkinnedMenu, OnlyTheFirstDropDownOfOneTrackingAnimates)
{
    Bar->SetShowAnimation(kaFade);
    Bar->SetShowAnimationTime(300);
    std::vector<TKsAnimation> animations;
    auto record = [&] {
        auto* window = static_cast<TKsPopupWindow*>(Bar->View()->ChildView()->Control());
        animations.push_back(window->PopupForm()->ShowAnimation());
    };
    ShowForm();
    for (int tracking = 0; tracking < 2; ++tracking) {
        TMenuScript script;
        script
            .When(
                "the file menu", [&] { return Bar->View()->ChildView() != nullptr; },
                [&] {
                    record();
                    PostMessageW(Form->Handle(), WM_KEYDOWN, VK_RIGHT, 1);
                })
            .When(
                "the about menu", [&] { return Bar->View()->ChildView() && Bar->View()->ChildView()->Item() == About; },
                [&] {
                    record();
                    PostMessageW(Form->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
                    PostMessageW(Form->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
                });
        PostMessageW(Form->Handle(), WM_CHAR, L'f', 1);
        Bar->EnterTracking();
    }
    EXPECT_EQ(animations, (std::vector<TKsAnimation>{kaFade, kaNone, kaFade, kaNone}));
}

} // namespace
