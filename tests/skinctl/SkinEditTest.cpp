#include "SkinnedControlTesting.h"

#include "skinctl/KsSkinEdits.h"

using SkinEdit = SkinnedControlTest;

TEST_F(SkinEdit, TheFrameShowsTheStateAndTheFontComesFromTheSkin)
{
    auto* outside = FocusTaker();
    auto* edit = Make<TSeSkinEdit>(Form, TRect::FromSize(10, 10, 121, 21));
    ShowForm();
    ASSERT_EQ(GetFocus(), outside->Handle());
    EXPECT_EQ(edit->Font().Name(), Engine->Source()->ObjectByName(L"Edit")->Font().Name());

    auto expectFrame = [&](int state) {
        Repaint(edit);
        auto expected = DrawPart(L"Edit", L"Frame", state, {0, 0, edit->Width(), edit->Height()}, edit->Width(),
                                 edit->Height(), edit->Color());
        EXPECT_EQ(Differences(Buffer(edit), *expected, {0, 0, edit->Width(), edit->Height()}), 0) << state;
    };
    expectFrame(ssNormal);
    edit->Perform(CM_MOUSEENTER, 0, 0);
    expectFrame(ssHot);
    edit->Perform(CM_MOUSELEAVE, 0, 0);
    edit->SetFocus();
    expectFrame(ssFocused);
    edit->SetEnabled(false);
    expectFrame(ssDisabled);
}

TEST_F(SkinEdit, WithoutABorderOnlyTheInsideOfTheFrameShows)
{
    auto* edit = Make<TSeSkinEdit>(Form, TRect::FromSize(10, 10, 121, 21));
    edit->SetBorderStyle(bsNone);
    ShowForm();
    ::SetFocus(nullptr);
    Repaint(edit);
    const TSeSkinObject* frame = Engine->Source()->ObjectByName(L"Edit")->FindObjectByName(L"Frame");
    TRect enlarged{-frame->MarginLeft(), -frame->MarginTop(), edit->Width() + frame->MarginRight(),
                   edit->Height() + frame->MarginBottom()};
    auto expected = DrawPart(L"Edit", L"Frame", ssNormal, enlarged, edit->Width(), edit->Height(), edit->Color());
    EXPECT_EQ(Differences(Buffer(edit), *expected, {0, 0, edit->Width(), edit->Height()}), 0);
}
