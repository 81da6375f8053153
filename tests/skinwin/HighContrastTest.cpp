#include "FrameFixture.h"

#include "framework/StdCtrls.h"
#include "framework/SystemSettings.h"
#include "skinctl/KsSkinButtons.h"
#include "skinctl/KsSkinCheckBoxs.h"
#include "skinctl/KsSkinComboBoxs.h"
#include "skinctl/KsSkinEdits.h"
#include "skinctl/KsSkinGroupBoxs.h"
#include "skinctl/KsSkinListBoxs.h"
#include "skinctl/KsSkinProgress.h"
#include "skinwin/KsSkinMenus.h"
#include "skinwin/KsSkinMessages.h"
#include "tests/skinwin/MenuTesting.h"

#include <memory>
#include <utility>
#include <vector>

namespace {

bool highContrastOn = false;

// A scheme of system colours that no skin uses, set through the platform (which tells the
// top-level windows with WM_SYSCOLORCHANGE); the old colours come back at the end.
constexpr COLORREF kFace = RGB(1, 2, 3);
constexpr COLORREF kWindow = RGB(4, 5, 6);
constexpr COLORREF kMenu = RGB(7, 8, 9);
constexpr COLORREF kCaption = RGB(10, 11, 12);
constexpr COLORREF kWindowFrame = RGB(13, 14, 15);
constexpr COLORREF kHighlight = RGB(16, 17, 18);
constexpr COLORREF kButtonText = RGB(19, 20, 21);
constexpr COLORREF kWindowText = RGB(22, 23, 24);

class TSystemColors {
public:
    TSystemColors(std::initializer_list<std::pair<int, COLORREF>> colors)
    {
        for (auto [index, color] : colors) {
            indexes_.push_back(index);
            old_.push_back(GetSysColor(index));
            new_.push_back(color);
        }
        Set(new_);
    }
    ~TSystemColors() { Set(old_); }
    TSystemColors(const TSystemColors&) = delete;
    TSystemColors& operator=(const TSystemColors&) = delete;

private:
    void Set(const std::vector<COLORREF>& colors)
    {
        SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), colors.data());
        Application->ProcessMessages();
    }
    std::vector<int> indexes_;
    std::vector<COLORREF> old_;
    std::vector<COLORREF> new_;
};

uint32_t Rgb(COLORREF color) { return ColorToPixel(static_cast<TColor>(color)) & 0xFFFFFF; }
uint32_t RgbAt(const TKsBitmap& bitmap, int x, int y) { return bitmap.Pixel(x, y) & 0xFFFFFF; }

int CountPixels(const TKsBitmap& bitmap, const TRect& area, COLORREF color)
{
    int count = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x) count += RgbAt(bitmap, x, y) == Rgb(color);
    return count;
}

std::unique_ptr<TKsBitmap> Copy(const TKsBitmap& bitmap)
{
    auto copy = std::make_unique<TKsBitmap>();
    copy->SetSize(bitmap.Width(), bitmap.Height());
    bitmap.Draw(*copy, 0, 0);
    return copy;
}

bool SamePixels(const TKsBitmap& a, const TKsBitmap& b)
{
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (RgbAt(a, x, y) != RgbAt(b, x, y)) return false;
    return true;
}

// What a window shows, frame included.
std::unique_ptr<TKsBitmap> WindowPixels(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    auto bitmap = std::make_unique<TKsBitmap>();
    bitmap->SetSize(r.right - r.left, r.bottom - r.top);
    HDC dc = GetWindowDC(window);
    BitBlt(bitmap->DC(), 0, 0, r.right - r.left, r.bottom - r.top, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    GdiFlush();
    return bitmap;
}

// A skinned form whose high-contrast setting the test switches, as the system switches it: the
// setting changes, then the window hears WM_SETTINGCHANGE. Off again at the end.
class HighContrast : public FrameTest {
protected:
    void TearDown() override
    {
        Switch(false);
        SetHighContrastSource(nullptr);
        RefreshHighContrast();
        FrameTest::TearDown();
    }

    void Switch(bool on)
    {
        highContrastOn = on;
        SetHighContrastSource([] { return highContrastOn; });
        if (Form) SendMessageW(Window(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
        Application->ProcessMessages();
    }

    template <typename T> T* Place(TWinControl* parent, const TRect& bounds, const std::wstring& caption = {})
    {
        auto* control = new T(Form);
        control->SetParent(parent);
        control->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        control->SetCaption(caption);
        control->SetSkinEngine(Engine);
        return control;
    }

    TSeSkinMenuBar* PlaceMenuBar()
    {
        auto* bar = new TSeSkinMenuBar(Form);
        bar->SetParent(Form);
        File = new TSeSkinItem(Form);
        File->SetCaption(L"檔案(&F)");
        bar->SkinItems()->Add(File);
        auto* exit = new TSeSkinItem(Form);
        exit->SetCaption(L"離開(&X)");
        File->Add(exit);
        bar->SetSkinEngine(Engine);
        return bar;
    }

    TSeSkinItem* File = nullptr;
};

TEST_F(HighContrast, SwitchedOnTheFrameAndEveryControlDrawPlainInTheSystemColoursAndOffTheSkinComesBack)
{
    Build(WithSetup([](TSeSkinForm& frame) { frame.SetBorderIcons({kbiClose, kbiSystemMenu}); }));
    TSeSkinMenuBar* bar = PlaceMenuBar();
    auto* button = Place<TSeSkinButton>(Form, TRect::FromSize(20, 40, 75, 25), L"開始列舉");
    auto* edit = Place<TSeSkinEdit>(Form, TRect::FromSize(20, 80, 150, 21));
    edit->SetText(L"C:\\");
    auto* box = Place<TSeSkinGroupBox>(Form, TRect::FromSize(20, 110, 130, 60), L"輸出檔案設定");
    auto* list = Place<TSeSkinListBox>(Form, TRect::FromSize(160, 110, 120, 60));
    list->Items().Add(L"C:\\");
    std::vector<TKsCustomControl*> controls{
        bar,
        button,
        edit,
        box,
        list,
        Place<TSeSkinComboBox>(Form, TRect::FromSize(180, 80, 60, 21)),
        Place<TSeSkinRadioButton>(box, TRect::FromSize(8, 20, 100, 17), L"固定檔名:"),
        Place<TSeSkinProgressBar>(Form, TRect::FromSize(20, 175, 260, 20))};
    auto* label = new TLabel(Form);
    label->SetParent(Form);
    label->SetBounds(120, 40, 100, 13);
    label->SetCaption(L"輸出檔案到此目錄");
    Application->ProcessMessages();
    std::vector<std::unique_ptr<TKsBitmap>> skinned;
    for (TKsCustomControl* control : controls) {
        ASSERT_TRUE(control->Render());
        skinned.push_back(Copy(control->PaintBuffer().Bitmap()));
    }
    const TRect close = Frame->CaptionButtonRect(kbiClose);
    const TPoint caption{close.Left - 4, (close.Top + close.Bottom) / 2};
    const uint32_t skinnedCaption = RgbAt(*WindowPixels(Window()), caption.X, caption.Y);

    TSystemColors scheme({{COLOR_BTNFACE, kFace},
                          {COLOR_WINDOW, kWindow},
                          {COLOR_MENU, kMenu},
                          {COLOR_ACTIVECAPTION, kCaption},
                          {COLOR_GRADIENTACTIVECAPTION, kCaption},
                          {COLOR_INACTIVECAPTION, kCaption},
                          {COLOR_GRADIENTINACTIVECAPTION, kCaption},
                          {COLOR_BTNTEXT, kButtonText},
                          {COLOR_WINDOWTEXT, kWindowText}});
    Switch(true);
    for (size_t i = 0; i < controls.size(); ++i) {
        ASSERT_TRUE(controls[i]->Render());
        EXPECT_FALSE(SamePixels(controls[i]->PaintBuffer().Bitmap(), *skinned[i])) << "control " << i;
    }
    // The button's own face is a fixed grey and the skin's font has a colour of its own: high
    // contrast takes the scheme's colours instead.
    const TKsBitmap& face = button->PaintBuffer().Bitmap();
    EXPECT_EQ(RgbAt(face, 3, 3), Rgb(kFace));
    EXPECT_GT(CountPixels(face, TRect{0, 0, button->Width(), button->Height()}.Inflate(-5), kButtonText), 0);
    const TKsBitmap& text = edit->PaintBuffer().Bitmap();
    EXPECT_EQ(RgbAt(text, text.Width() - 20, text.Height() / 2), Rgb(kWindow));
    EXPECT_GT(CountPixels(text, text.BoundsRect(), kWindowText), 0);
    EXPECT_EQ(RgbAt(bar->PaintBuffer().Bitmap(), bar->Width() - 3, 3), Rgb(kMenu));
    const auto window = WindowPixels(Window());
    EXPECT_EQ(RgbAt(*window, caption.X, caption.Y), Rgb(kCaption));
    const TPoint offset = ClientOffset();
    EXPECT_GT(CountPixels(*window, label->BoundsRect().Offset(offset.X, offset.Y), kButtonText), 0);
    // The scheme changes while high contrast is on: the repainted looks follow it.
    {
        TSystemColors darker({{COLOR_BTNFACE, RGB(0, 0, 1)}});
        ASSERT_TRUE(button->Render());
        EXPECT_EQ(RgbAt(button->PaintBuffer().Bitmap(), 3, 3), Rgb(RGB(0, 0, 1)));
    }

    Switch(false);
    for (size_t i = 0; i < controls.size(); ++i) {
        ASSERT_TRUE(controls[i]->Render());
        EXPECT_TRUE(SamePixels(controls[i]->PaintBuffer().Bitmap(), *skinned[i])) << "control " << i;
    }
    EXPECT_EQ(RgbAt(*WindowPixels(Window()), caption.X, caption.Y), skinnedCaption);
}

TEST_F(HighContrast, PopupMenusAndTheMessageDialogDrawPlainInTheSystemColours)
{
    Build();
    TSeSkinMenuBar* bar = PlaceMenuBar();
    TSystemColors scheme({{COLOR_BTNFACE, kFace}, {COLOR_WINDOWFRAME, kWindowFrame}, {COLOR_HIGHLIGHT, kHighlight}});
    Switch(true);

    uint32_t frameLine = 0, selectedItem = 0;
    TMenuScript script;
    script.When(
        "the file menu", [&] { return File->PopupView() != nullptr; },
        [&] {
            TKsItemView* view = File->PopupView();
            HWND window = view->Control()->Handle();
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
            auto pixels = WindowPixels(window);
            frameLine = RgbAt(*pixels, pixels->Width() - 1, pixels->Height() / 2);
            const TRect first = view->ItemRect(view->Selected());
            const TPoint at = view->CoordControl()->ClientToScreen({first.Left + 2, first.Top + 2});
            RECT bounds;
            GetWindowRect(window, &bounds);
            selectedItem = RgbAt(*pixels, at.X - bounds.left, at.Y - bounds.top);
            PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessageW(bar->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
        });
    bar->EnterTracking(File);
    EXPECT_TRUE(script.Done());
    // The popup's outer frame line is black in the plain look: the scheme's frame colour here.
    EXPECT_EQ(frameLine, Rgb(kWindowFrame));
    EXPECT_EQ(selectedItem, Rgb(kHighlight));

    TSeSkinMessage message(Form);
    message.SetSkinEngine(Engine);
    std::unique_ptr<TKsMessageForm> dialog(message.CreateMessageDialog(L"目錄列舉完畢", kmtInformation, {kmbOK}));
    dialog->Show();
    Application->ProcessMessages();
    auto* ok = dynamic_cast<TKsCustomButton*>(dialog->FindComponent(L"OK"));
    ASSERT_NE(ok, nullptr);
    ASSERT_TRUE(ok->Render());
    EXPECT_EQ(RgbAt(ok->PaintBuffer().Bitmap(), 3, 3), Rgb(kFace));
    EXPECT_EQ(dialog->Color(), clBtnFace);
}

} // namespace
