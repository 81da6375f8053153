#include "app/Unit1.h"
#include "framework/Application.h"
#include "framework/Dpi.h"
#include "framework/Text.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// What the main window looks like in numbers: its window and client sizes, the frame's borders,
// and every control's bounds and font height.
struct TWindowFacts {
    SIZE Window{};
    SIZE Client{};
    POINT ClientOrigin{};
    std::map<std::wstring, TRect> Bounds;
    std::map<std::wstring, int> FontHeights;
    SIZE TextExtent{};
};

TWindowFacts Facts(TForm1& form)
{
    TWindowFacts facts;
    RECT window, client;
    GetWindowRect(form.Handle(), &window);
    GetClientRect(form.Handle(), &client);
    facts.Window = {window.right - window.left, window.bottom - window.top};
    facts.Client = {client.right, client.bottom};
    POINT origin{0, 0};
    ClientToScreen(form.Handle(), &origin);
    facts.ClientOrigin = {origin.x - window.left, origin.y - window.top};
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* control = dynamic_cast<TControl*>(form.Components(i))) {
            facts.Bounds[control->Name()] = control->BoundsRect();
            facts.FontHeights[control->Name()] = control->Font().Height();
        }
    // The label's text as the platform measures it in the label's font.
    TWindowDC screen(nullptr);
    TSelectObject font(screen.Get(), form.Label1->Font().Handle());
    const std::wstring text = form.Label1->Caption();
    GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &facts.TextExtent);
    return facts;
}

class MainWindowDpi : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { Application->Initialize(); }
    void TearDown() override
    {
        SetDpiOverride(0);
        delete Form;
        Application->ProcessMessages();
    }

    TWindowFacts Open(int dpi)
    {
        delete Form;
        SetDpiOverride(dpi);
        Form = Application->CreateForm<TForm1>();
        Form->Show();
        Application->ProcessMessages();
        return Facts(*Form);
    }

    TForm1* Form = nullptr;
};

} // namespace

TEST_P(MainWindowDpi, TheWholeWindowIsItsDesignScaledByTheDpiWithFontsMadeAtTheScaledHeight)
{
    const int dpi = GetParam();
    auto s = [dpi](int value) { return ScaleByDpi(value, dpi); };
    const TWindowFacts design = Open(96);
    EXPECT_EQ(design.Client.cx, 363);
    const TWindowFacts scaled = Open(dpi);
    EXPECT_EQ(Form->Dpi(), dpi);

    // The client area and the skinned frame around it: caption and borders scale with the skin.
    EXPECT_EQ(scaled.Client.cx, s(design.Client.cx));
    EXPECT_EQ(scaled.Client.cy, s(design.Client.cy));
    EXPECT_EQ(scaled.ClientOrigin.x, s(design.ClientOrigin.x));
    EXPECT_EQ(scaled.ClientOrigin.y, s(design.ClientOrigin.y));
    EXPECT_NEAR(scaled.Window.cx, s(design.Window.cx), 1);
    EXPECT_NEAR(scaled.Window.cy, s(design.Window.cy), 1);

    // Every control in proportion; the docked progress bar and menu bar as their docking gives.
    for (const auto& [name, bounds] : design.Bounds) {
        const TRect& at = scaled.Bounds.at(name);
        if (name == L"ProgressBar1" || name == L"SeSkinMenuBar1") {
            EXPECT_EQ(at.Width(), scaled.Client.cx) << name;
            EXPECT_EQ(at.Height(), s(bounds.Height())) << name;
            continue;
        }
        EXPECT_EQ(TRect::FromSize(at.Left, at.Top, at.Width(), 0),
                  TRect::FromSize(s(bounds.Left), s(bounds.Top), s(bounds.Width()), 0))
            << name;
        // The boxes size their height to their font's line; the others keep their scaled height.
        auto* box = dynamic_cast<TKsCustomEdit*>(Form->FindComponent(name));
        if (box && box->AutoSize())
            EXPECT_NEAR(at.Height(), s(bounds.Height()), 1) << name;
        else
            EXPECT_EQ(at.Height(), s(bounds.Height())) << name;
        EXPECT_EQ(scaled.FontHeights.at(name), s(design.FontHeights.at(name))) << name;
    }
    EXPECT_EQ(Form->ProgressBar1->Top(), scaled.Client.cy - Form->ProgressBar1->Height());
    // The text is drawn by a font of the scaled height, not stretched from the small one.
    EXPECT_NEAR(scaled.TextExtent.cx, design.TextExtent.cx * dpi / 96, design.TextExtent.cx / 20 + 2);
    EXPECT_NEAR(scaled.TextExtent.cy, design.TextExtent.cy * dpi / 96, 2);
    // The list's columns.
    EXPECT_EQ(Form->ListView1->ColumnWidth(0), s(150));
    EXPECT_EQ(Form->ListView1->ColumnWidth(1), s(50));
}

TEST_P(MainWindowDpi, MovingToAnotherMonitorAndBackLeavesEveryControlAndFontAsItWas)
{
    const int dpi = GetParam();
    const TWindowFacts before = Open(96);
    HWND window = Form->Handle();
    RECT original;
    GetWindowRect(window, &original);
    RECT larger{original.left, original.top, original.left + ScaleByDpi(before.Window.cx, dpi),
                original.top + ScaleByDpi(before.Window.cy, dpi)};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&larger));
    Application->ProcessMessages();
    EXPECT_EQ(Form->Dpi(), dpi);
    EXPECT_EQ(Form->BitBtn1->Width(), ScaleByDpi(75, dpi));
    EXPECT_EQ(Form->SeSkinForm1->SkinCopy()->Width(), Form->SeSkinForm1->FrameSize().cx);

    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&original));
    Application->ProcessMessages();
    const TWindowFacts after = Facts(*Form);
    EXPECT_EQ(after.Bounds, before.Bounds);
    EXPECT_EQ(after.FontHeights, before.FontHeights);
    EXPECT_EQ(after.Client.cx, before.Client.cx);
    EXPECT_EQ(after.Client.cy, before.Client.cy);
    EXPECT_EQ(after.ClientOrigin.y, before.ClientOrigin.y);
}

TEST_P(MainWindowDpi, AWindowMovedToAnotherDpiDrawsEveryControlAsAWindowOpenedThere)
{
    const int dpi = GetParam();
    auto looks = [this] {
        std::map<std::wstring, std::unique_ptr<TKsBitmap>> rendered;
        for (int i = 0; i < Form->ComponentCount(); ++i)
            if (auto* control = dynamic_cast<TKsCustomControl*>(Form->Components(i)); control && control->Render()) {
                const TKsBitmap& buffer = control->PaintBuffer().Bitmap();
                auto copy = std::make_unique<TKsBitmap>();
                copy->SetSize(control->Width(), control->Height());
                buffer.Draw(*copy, 0, 0, TRect(0, 0, control->Width(), control->Height()));
                rendered[control->Name()] = std::move(copy);
            }
        return rendered;
    };
    Open(dpi);
    const auto opened = looks();
    ASSERT_GE(opened.size(), 10u);

    const TWindowFacts before = Open(96);
    RECT moved{0, 0, ScaleByDpi(before.Window.cx, dpi), ScaleByDpi(before.Window.cy, dpi)};
    SendMessageW(Form->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&moved));
    Application->ProcessMessages();
    const auto after = looks();
    for (const auto& [name, look] : opened) {
        const TKsBitmap& drawn = *after.at(name);
        ASSERT_EQ(drawn.Width(), look->Width()) << name;
        ASSERT_EQ(drawn.Height(), look->Height()) << name;
        int differences = 0;
        for (int y = 0; y < look->Height(); ++y)
            for (int x = 0; x < look->Width(); ++x) differences += (drawn.Pixel(x, y) ^ look->Pixel(x, y)) & 0xFFFFFF ? 1 : 0;
        EXPECT_EQ(differences, 0) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(At, MainWindowDpi, ::testing::Values(120, 144, 192));

TEST_F(MainWindowDpi, AtTwiceTheDesignDpiTheSkinDrawsTheArtMadeAt200Percent)
{
    Open(192);
    TSeSkinSource art(nullptr);
    TResourceStream store(GetModuleHandleW(nullptr), L"FOLVANE_SKIN_200", RT_RCDATA);
    art.LoadFromStream(store);
    const TSeSkinSource& drawn = *Form->SeSkinEngine1->SourceForDpi(192);
    ASSERT_EQ(drawn.Bitmaps().Count(), art.Bitmaps().Count());
    for (int i = 0; i < art.Bitmaps().Count(); ++i) {
        const TKsBitmap& expected = *art.Bitmaps().Item(i);
        const TKsBitmap& actual = *drawn.Bitmaps().Item(i);
        ASSERT_EQ(actual.Width(), expected.Width()) << i;
        ASSERT_EQ(actual.Height(), expected.Height()) << i;
        for (int y = 0; y < expected.Height(); ++y)
            for (int x = 0; x < expected.Width(); ++x)
                ASSERT_EQ(actual.Pixel(x, y), expected.Pixel(x, y))
                    << WideToUtf8(expected.Name()) << " " << x << ", " << y;
    }
}
