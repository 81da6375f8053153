#include "framework/ComCtrls.h"
#include "framework/Dpi.h"
#include "framework/StdCtrls.h"
#include "tests/framework/WindowTesting.h"

#include <gtest/gtest.h>

TEST(DpiArithmetic, LengthsScaleToTheNearestPixelWithHalvesToEven)
{
    EXPECT_EQ(ScaleByDpi(363, 144), 544); // 544.5
    EXPECT_EQ(ScaleByDpi(5, 144), 8);     // 7.5
    EXPECT_EQ(ScaleByDpi(-11, 144), -16); // -16.5
    EXPECT_EQ(ScaleByDpi(-11, 120), -14); // -13.75
    EXPECT_EQ(ScaleByDpi(75, 120), 94);   // 93.75
    EXPECT_EQ(ScaleByDpi(21, 192), 42);
    EXPECT_EQ(ScaleByDpi(21, 96), 21);
    EXPECT_EQ(UnscaleByDpi(544, 144), 363);
}

TEST(DpiArithmetic, AScaledLengthGoesBackToItsDesignValueAndOnToAnyOtherDpiExactly)
{
    for (int dpi : {120, 144, 168, 192, 288}) {
        for (int value = -300; value <= 800; ++value) {
            const int scaled = ScaleByDpi(value, dpi);
            ASSERT_EQ(RescaleDpi(scaled, dpi, kDesignDpi), value) << value << " at " << dpi;
            ASSERT_EQ(RescaleDpi(scaled, dpi, 120), ScaleByDpi(value, 120)) << value << " at " << dpi;
        }
    }
}

namespace {

// A form built in design units the way the program builds its windows, with the DPI its monitor
// reports set by the test.
class DpiForm : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Form = new TForm(nullptr);
        TFont font;
        font.SetHeight(-11);
        Form->SetFont(font);
        Form->SetClientSize(363, 408);
        Label = new TLabel(Form);
        Label->SetParent(Form);
        Label->SetBounds(8, 64, 75, 13);
        Edit = new TEdit(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(86, 60, 35, 21);
        TFont own;
        own.SetName(L"Tahoma");
        own.SetHeight(-11);
        Edit->SetFont(own);
        Bar = new TEdit(Form);
        Bar->SetParent(Form);
        Bar->SetBounds(0, 0, 363, 24);
        Bar->SetAlign(alBottom);
    }

    void TearDown() override
    {
        SetDpiOverride(0);
        delete Form;
        Application->ProcessMessages();
    }

    static TRect ClientOf(HWND window)
    {
        RECT r;
        GetClientRect(window, &r);
        return TRect(r);
    }

    TForm* Form = nullptr;
    TLabel* Label = nullptr;
    TEdit* Edit = nullptr;
    TEdit* Bar = nullptr;
};

LOGFONTW FontOf(HWND window)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font;
}

} // namespace

TEST_P(DpiForm, AWindowMadeAtAMonitorsDpiHasItsDesignLayoutAndFontsScaled)
{
    const int dpi = GetParam();
    auto s = [dpi](int value) { return ScaleByDpi(value, dpi); };
    SetDpiOverride(dpi);
    HWND window = Form->Handle();

    EXPECT_EQ(Form->Dpi(), dpi);
    EXPECT_EQ(Label->Dpi(), dpi);
    EXPECT_EQ(ClientOf(window), TRect(0, 0, s(363), s(408)));
    EXPECT_EQ(Label->BoundsRect(), TRect::FromSize(s(8), s(64), s(75), s(13)));
    EXPECT_EQ(Edit->BoundsRect(), TRect::FromSize(s(86), s(60), s(35), s(21)));
    EXPECT_EQ(Bar->BoundsRect(), TRect::FromSize(0, s(408) - s(24), s(363), s(24)));
    // Fonts are made at the scaled height: the parent's for the label, the edit's own for the edit.
    EXPECT_EQ(Form->Font().Height(), s(-11));
    EXPECT_EQ(Label->Font().Height(), s(-11));
    EXPECT_EQ(Edit->Font().Height(), s(-11));
    EXPECT_EQ(FontOf(Edit->Handle()).lfHeight, s(-11));
    EXPECT_EQ(std::wstring(FontOf(Edit->Handle()).lfFaceName), L"Tahoma");
}

TEST_P(DpiForm, MovingToAnotherDpiTakesTheSuggestedRectangleAndComingBackRestoresEveryLength)
{
    const int dpi = GetParam();
    HWND window = Form->Handle();
    Form->Show();
    Application->ProcessMessages();
    RECT original;
    GetWindowRect(window, &original);
    const TRect label = Label->BoundsRect(), edit = Edit->BoundsRect(), bar = Bar->BoundsRect();

    RECT suggested{original.left + 10, original.top + 20,
                   original.left + 10 + ScaleByDpi(original.right - original.left, dpi),
                   original.top + 20 + ScaleByDpi(original.bottom - original.top, dpi)};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    RECT moved;
    GetWindowRect(window, &moved);
    EXPECT_EQ(TRect(moved), TRect(suggested));
    EXPECT_EQ(Form->Dpi(), dpi);
    EXPECT_EQ(Edit->BoundsRect(), TRect::FromSize(ScaleByDpi(edit.Left, dpi), ScaleByDpi(edit.Top, dpi),
                                                  ScaleByDpi(edit.Width(), dpi), ScaleByDpi(edit.Height(), dpi)));
    EXPECT_EQ(Edit->Font().Height(), ScaleByDpi(-11, dpi));

    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&original));
    EXPECT_EQ(Form->Dpi(), 96);
    EXPECT_EQ(Label->BoundsRect(), label);
    EXPECT_EQ(Edit->BoundsRect(), edit);
    EXPECT_EQ(Bar->BoundsRect(), bar);
    EXPECT_EQ(Form->Font().Height(), -11);
    EXPECT_EQ(Edit->Font().Height(), -11);
    RECT back;
    GetWindowRect(window, &back);
    EXPECT_EQ(TRect(back), TRect(original));
}

TEST_P(DpiForm, ListViewColumnsAndAControlOnNoFormFollowTheDpi)
{
    const int dpi = GetParam();
    auto* list = new TListView(Form);
    list->SetParent(Form);
    list->AddColumn({L"目錄", 150, 100, taLeftJustify});
    list->AddColumn({L"深度", 50, 20, taCenterJustify});
    auto* loose = new TEdit(Edit);
    SetDpiOverride(dpi);
    Form->HandleNeeded();
    EXPECT_EQ(list->ColumnWidth(0), ScaleByDpi(150, dpi));
    EXPECT_EQ(list->ColumnWidth(1), ScaleByDpi(50, dpi));
    EXPECT_EQ(list->Column(0).MinWidth, ScaleByDpi(100, dpi));
    // A control with no parent (a drop-down list between showings) draws at its owner's DPI.
    EXPECT_EQ(loose->Dpi(), dpi);
}

INSTANTIATE_TEST_SUITE_P(At, DpiForm, ::testing::Values(120, 144, 192));
