#include "app/Unit1.h"
#include "framework/Application.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// The actions of the skin's system buttons that the frame shows.
void CollectShownButtons(TSeSkinObject& object, std::vector<TSeAction>& shown)
{
    if (!object.Visible()) return;
    if (auto* button = dynamic_cast<TSeSystemButton*>(&object)) shown.push_back(button->Action());
    for (int i = 0; i < object.ChildCount(); ++i) CollectShownButtons(*object.ChildAt(i), shown);
}

} // namespace

TEST(MainWindowFrame, TheCaptionShowsOnlyCloseMinimizeAndTheSystemMenuAboveTheMenuBar)
{
    Application->Initialize();
    TForm1* form = Application->CreateForm<TForm1>();
    form->Show();
    Application->ProcessMessages();
    TSeSkinForm* frame = form->SeSkinForm1;
    ASSERT_TRUE(frame->SkinUsable());
    SendMessageW(form->Handle(), WM_NCPAINT, 1, 0);

    std::vector<TSeAction> shown;
    CollectShownButtons(*frame->SkinCopy(), shown);
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, (std::vector<TSeAction>{sbaClose, sbaMinimize, sbaSysMenu}));
    EXPECT_TRUE(frame->CaptionButtonRect(kbiMaximize).IsEmpty());

    // The skin's 30-pixel caption and 5-pixel border, then the client area with the menu bar at its top.
    RECT bounds;
    GetWindowRect(form->Handle(), &bounds);
    POINT origin{0, 0};
    ClientToScreen(form->Handle(), &origin);
    EXPECT_EQ(origin.x - bounds.left, 5);
    EXPECT_EQ(origin.y - bounds.top, 30);
    EXPECT_EQ(form->SeSkinMenuBar1->BoundsRect().Top, 0);
    // Not resizable: the borders answer as client area.
    EXPECT_EQ(SendMessageW(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(bounds.left + 2, bounds.top + 100)), HTCLIENT);
    EXPECT_EQ(SendMessageW(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(bounds.left + 100, bounds.top + 10)), HTCAPTION);
    delete form;
    Application->ProcessMessages();
}
