#include "SkinObjectsTestSupport.h"

#include <gtest/gtest.h>

namespace {

// A caption button bound to a control whose frame is fake: "CAPTIONBUTTON.bmp" holds the normal,
// hot and pressed faces (4 x 4 each, rows 0, 4, 8), "GLYPH.bmp" the glyph's normal, hot, pressed and
// disabled faces (rows 0, 4, 8, 12).
struct TCaptionButton {
    TKsBitmapList bitmaps;
    TRecordingControl control{nullptr};
    TFakeFrame frame;
    std::unique_ptr<TSeSystemButton> button;
    TSeButtonObject* glyph = nullptr;

    explicit TCaptionButton(TSeAction action)
    {
        bitmaps.Add(MarkerBitmap(L"CAPTIONBUTTON.bmp", 4, 12));
        bitmaps.Add(MarkerBitmap(L"GLYPH.bmp", 2, 16));
        button = CreateTop<TSeSystemButton>(L"TSeSystemButton", L"CloseButton");
        button->SetAction(action);
        SetLink(button->Bitmap(), L"CAPTIONBUTTON.bmp", {0, 0, 4, 4});
        SetLink(button->BitmapHot(), L"CAPTIONBUTTON.bmp", {0, 4, 4, 8});
        SetLink(button->BitmapPressed(), L"CAPTIONBUTTON.bmp", {0, 8, 4, 12});
        glyph = Create<TSeButtonObject>(L"TSeButtonObject", button.get(), L"Glyph");
        glyph->SetAlign(saCenter);
        glyph->SetBounds({0, 0, 2, 2});
        SetLink(glyph->Bitmap(), L"GLYPH.bmp", {0, 0, 2, 4});
        SetLink(glyph->BitmapHot(), L"GLYPH.bmp", {0, 4, 2, 8});
        SetLink(glyph->BitmapPressed(), L"GLYPH.bmp", {0, 8, 2, 12});
        SetLink(glyph->BitmapDisabled(), L"GLYPH.bmp", {0, 12, 2, 16});
        button->SetBitmaps(&bitmaps);
        button->AfterLoad();
        button->SetBounds({0, 0, 4, 4});
        control.Frame = &frame;
        frame.Button = button.get();
        button->Bind(&control);
        button->SetActive(true);
    }

    // The source rows drawn at the button's corner and at the glyph's place.
    std::pair<int, int> DrawnRows()
    {
        TKsBitmap target;
        target.SetSize(4, 4);
        button->Draw(target);
        return {static_cast<int>((target.Pixel(0, 0) >> 8) & 0xFF), static_cast<int>((target.Pixel(1, 1) >> 8) & 0xFF)};
    }

    int Invalidations() const
    {
        int count = 0;
        for (auto [msg, lParam] : control.Received) count += msg == CM_SKINOBJECTINVALIDATE;
        return count;
    }
};

} // namespace

TEST(SystemButtonMouse, PressStatesFollowTheMouseAndReleasePerformsTheAction)
{
    TCaptionButton b(sbaMinimize);
    b.button->MouseEnter();
    EXPECT_EQ(b.button->PressState(), 1);
    b.button->MouseDown(mbRight);
    EXPECT_EQ(b.button->PressState(), 1);
    b.button->MouseDown(mbLeft);
    EXPECT_EQ(b.button->PressState(), 2);
    b.button->MouseMove(MK_LBUTTON);
    b.button->MouseLeave();
    EXPECT_EQ(b.button->PressState(), 0);
    b.button->MouseEnter(); // the left button is still down
    EXPECT_EQ(b.button->PressState(), 2);
    EXPECT_EQ(b.Invalidations(), 5);
    EXPECT_TRUE(b.frame.Calls.empty());

    b.button->MouseUp(mbLeft);
    EXPECT_EQ(b.button->PressState(), 1);
    EXPECT_EQ(b.frame.Calls, std::vector<std::wstring>{L"Minimize"});
    // The button was already back to hot when the action ran.
    EXPECT_EQ(b.frame.PressStatesAtCalls, std::vector<int>{1});
    // Released: a second release does nothing, and entering again is only hot.
    b.button->MouseUp(mbLeft);
    b.button->MouseLeave();
    b.button->MouseEnter();
    EXPECT_EQ(b.button->PressState(), 1);
    EXPECT_EQ(b.frame.Calls.size(), 1u);
}

TEST(SystemButtonMouse, EachActionReachesItsFrameOperation)
{
    const std::pair<TSeAction, const wchar_t*> cases[] = {
        {sbaClose, L"Close"},       {sbaHelp, L"ContextHelp"},    {sbaMinimize, L"Minimize"},
        {sbaMaximize, L"Maximize"}, {sbaRestore, L"Restore"},     {sbaRollDown, L"Restore"},
        {sbaRollUp, L"RollUp"},     {sbaTray, L"MinimizeToTray"}, {sbaSysMenu, L"ShowSystemMenu"},
        {sbaCustom, L"CustomAction"}};
    for (auto [action, call] : cases) {
        TCaptionButton b(action);
        b.button->MouseDown(mbLeft);
        b.button->MouseUp(mbLeft);
        EXPECT_EQ(b.frame.Calls, std::vector<std::wstring>{call}) << action;
        if (action == sbaCustom) {
            EXPECT_EQ(b.frame.CustomButton, b.button.get());
        }
    }
    TCaptionButton none(sbaNone);
    none.button->MouseDown(mbLeft);
    none.button->MouseUp(mbLeft);
    EXPECT_TRUE(none.frame.Calls.empty());
}

TEST(SystemButtonMouse, DoubleClickOnTheSystemMenuButtonCloses)
{
    TCaptionButton menu(sbaSysMenu);
    menu.button->DoubleClick(mbLeft);
    EXPECT_EQ(menu.frame.Calls, std::vector<std::wstring>{L"Close"});
    TCaptionButton close(sbaClose);
    close.button->DoubleClick(mbLeft);
    EXPECT_TRUE(close.frame.Calls.empty());
}

TEST(SystemButtonState, ShowsOnlyInTheWindowStatesAndBorderIconsOfItsAction)
{
    struct TCase {
        TSeAction action;
        bool normal, maximized, minimized, rolledUp;
    } cases[] = {
        {sbaClose, true, true, true, true},       {sbaRestore, false, true, true, false},
        {sbaMaximize, true, false, false, true},  {sbaMinimize, true, true, false, true},
        {sbaRollUp, true, true, false, false},    {sbaRollDown, false, false, false, true},
    };
    for (const TCase& c : cases) {
        TCaptionButton b(c.action);
        const std::pair<int, bool> states[] = {
            {ssNormal, c.normal}, {ssMaximized, c.maximized}, {ssMinimized, c.minimized}, {ssRolledUp, c.rolledUp}};
        for (auto [state, shown] : states) {
            b.button->SetState(state);
            EXPECT_EQ(b.button->Visible(), shown) << "action " << c.action << " state " << state;
        }
        // Hot and the like leave the visibility as it is.
        b.button->SetState(ssHot);
        EXPECT_EQ(b.button->Visible(), c.rolledUp);
    }

    TCaptionButton maximize(sbaMaximize);
    maximize.frame.BorderIcons = (1u << kbiClose) | (1u << kbiMinimize);
    maximize.button->SetState(ssNormal);
    EXPECT_FALSE(maximize.button->Visible());

    TCaptionButton unbound(sbaRestore);
    unbound.button->Bind(nullptr);
    unbound.button->SetState(ssNormal);
    EXPECT_TRUE(unbound.button->Visible());
    EXPECT_EQ(unbound.glyph->State(), ssNormal);
}

TEST(SystemButtonDrawing, PressStatesPickTheBitmapAndTheGlyphState)
{
    TCaptionButton b(sbaClose);
    EXPECT_EQ(b.DrawnRows(), std::make_pair(0, 0));
    b.button->MouseEnter();
    EXPECT_EQ(b.DrawnRows(), std::make_pair(4, 4));
    b.button->MouseDown(mbLeft);
    EXPECT_EQ(b.DrawnRows(), std::make_pair(8, 8));
    // The drawing-time changes are undone.
    EXPECT_TRUE(b.button->Active());
    EXPECT_TRUE(b.glyph->Active());
    EXPECT_EQ(b.glyph->State(), ssNormal);

    b.button->SetActive(false);
    EXPECT_EQ(b.DrawnRows(), std::make_pair(0, 12));
    EXPECT_EQ(b.glyph->State(), ssNormal);
}

TEST(SysButtonSkinObject, HoverAndDownBitmapsAndRollingItsPanel)
{
    TKsBitmapList bitmaps;
    bitmaps.Add(MarkerBitmap(L"B", 4, 12));
    auto form = CreateTop(L"TSeSkinObject", L"Form");
    auto* panel = Create<TSeRollPanelObject>(L"TSeRollPanelObject", form.get(), L"Panel");
    auto* container = Create(L"TSeSkinObject", form.get(), L"Caption");
    auto* button = Create<TSeSysButtonSkinObject>(L"TSeSysButtonSkinObject", container, L"Roll");
    SetLink(button->Bitmap(), L"B", {0, 0, 4, 4});
    SetLink(button->BitmapHover(), L"B", {0, 4, 4, 8});
    SetLink(button->BitmapDown(), L"B", {0, 8, 4, 12});
    button->SetAction(sbaRollPanel);
    button->SetRollPanel(L"panel");
    form->SetBitmaps(&bitmaps);
    form->AfterLoad();
    button->SetBounds({0, 0, 4, 4});
    panel->SetBounds({10, 10, 110, 60});
    panel->SetRollKind(rkLeft);
    panel->SetRollValue(20);

    TKsBitmap target;
    target.SetSize(4, 4);
    auto row = [&] {
        button->Draw(target);
        return static_cast<int>((target.Pixel(0, 0) >> 8) & 0xFF);
    };
    button->SetActive(true);
    button->MouseEnter();
    EXPECT_EQ(row(), 4);
    button->MouseDown(mbLeft);
    EXPECT_EQ(row(), 8);
    EXPECT_TRUE(button->Active());
    button->SetActive(false);
    EXPECT_EQ(row(), 0);

    // Rolling to the left keeps the right edge; rolling again gives the width back.
    button->MouseUp(mbLeft);
    EXPECT_EQ(panel->BoundsRect(), TRect(90, 10, 110, 60));
    button->MouseDown(mbLeft);
    button->MouseUp(mbLeft);
    EXPECT_EQ(panel->BoundsRect(), TRect(10, 10, 110, 60));
}

TEST(RollPanel, EachKindKeepsTheOppositeEdge)
{
    const std::pair<TSeRollKind, TRect> cases[] = {
        {rkLeft, {95, 0, 100, 40}}, {rkTop, {0, 35, 100, 40}}, {rkRight, {0, 0, 5, 40}}, {rkBottom, {0, 0, 100, 5}}};
    for (auto [kind, rolled] : cases) {
        auto panel = CreateTop<TSeRollPanelObject>(L"TSeRollPanelObject");
        auto* client = Create(L"TSeSkinObject", panel.get());
        client->SetAlign(saClient);
        panel->SetBounds({0, 0, 100, 40});
        panel->SetRollKind(kind);
        panel->SetRollValue(5);
        panel->Roll();
        EXPECT_EQ(panel->BoundsRect(), rolled) << kind;
        EXPECT_EQ(client->BoundsRect(), rolled) << kind;
        panel->Roll();
        EXPECT_EQ(panel->BoundsRect(), TRect(0, 0, 100, 40)) << kind;
    }
}

TEST(SystemButtonDrawing, SystemMenuButtonShowsTheFormIconOnlyForAFrame)
{
    TCaptionButton b(sbaSysMenu);
    b.button->SetBounds({0, 0, 40, 40});
    TKsBitmap target;
    target.SetSize(40, 40);
    auto changed = [&target](const TRect& area) {
        for (int y = area.Top; y < area.Bottom; ++y)
            for (int x = area.Left; x < area.Right; ++x)
                if (target.Pixel(x, y) != 0xFF102030) return true;
        return false;
    };
    const int size = GetSystemMetrics(SM_CXSMICON);
    target.Fill(0xFF102030);
    b.button->Draw(target);
    EXPECT_TRUE(changed({0, 0, size, size}));
    EXPECT_FALSE(changed({size, 0, 40, 40}));
    EXPECT_FALSE(changed({0, size, size, 40}));

    b.button->Bind(nullptr);
    target.Fill(0xFF102030);
    b.button->Draw(target);
    EXPECT_FALSE(changed({0, 0, 40, 40}));
}
