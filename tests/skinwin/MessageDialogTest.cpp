#include "FrameFixture.h"

#include "framework/Screen.h"
#include "skinwin/KsSkinMessages.h"
#include "tests/support/HandleCounts.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

// Works the dialog that the code under test shows modally on this thread: a thread timer looks for
// it, runs an inspection once it is on the screen, then posts one key to its focused control or one
// window command to the dialog.
class TDialogWorker {
public:
    using TInspect = std::function<void(TKsMessageForm&)>;

    TDialogWorker(UINT msg, WPARAM wParam, TInspect inspect = nullptr)
        : msg_(msg), wParam_(wParam), inspect_(std::move(inspect))
    {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 20, Tick);
    }
    ~TDialogWorker()
    {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    TDialogWorker(const TDialogWorker&) = delete;
    TDialogWorker& operator=(const TDialogWorker&) = delete;

    static TDialogWorker Key(WPARAM key, TInspect inspect = nullptr)
    {
        return TDialogWorker(WM_KEYDOWN, key, std::move(inspect));
    }

    int Seen() const { return seen_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        TDialogWorker* self = current_;
        HWND window = FindWindowW(L"Folvane.MessageForm", nullptr);
        if (!self || !window || !IsWindowVisible(window) || self->posted_ == window) return;
        auto* dialog = dynamic_cast<TKsMessageForm*>(TWinControl::FindControl(window));
        if (!dialog) return;
        self->posted_ = window;
        ++self->seen_;
        if (self->inspect_) self->inspect_(*dialog);
        HWND target = self->msg_ == WM_KEYDOWN ? GetFocus() : window;
        PostMessageW(target, self->msg_, self->wParam_, 0);
    }

    static inline TDialogWorker* current_ = nullptr;
    UINT msg_;
    WPARAM wParam_;
    TInspect inspect_;
    UINT_PTR timer_ = 0;
    HWND posted_ = nullptr;
    int seen_ = 0;
};

struct TUnits {
    int cw;
    int ch;
};

// The dialog font's average character width and height, measured here as a person's ruler would.
TUnits DialogUnits(const TFont& font)
{
    TWindowDC dc(nullptr);
    TSelectObject select(dc.Get(), font.Handle());
    SIZE size;
    GetTextExtentPoint32W(dc.Get(), L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &size);
    return {size.cx / 52, size.cy};
}

TRect BoundsOf(TControl* control)
{
    return TRect::FromSize(control->Left(), control->Top(), control->Width(), control->Height());
}

class MessageDialog : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        Application->SetTitle(L"Folvane Tool");
        owner_ = std::make_unique<TComponent>(nullptr);
        Engine = new TSeSkinEngine(owner_.get());
        Engine->ReadSkinResource(GetModuleHandleW(nullptr), L"FOLVANE_SKIN");
        Message = new TSeSkinMessage(owner_.get());
        Message->SetSkinEngine(Engine);
    }

    void TearDown() override
    {
        owner_.reset();
        Engine = nullptr;
        FrameTest::TearDown();
    }

    std::unique_ptr<TKsMessageForm> Create(const std::wstring& text, TKsMessageType type, TKsMessageButtons buttons)
    {
        return std::unique_ptr<TKsMessageForm>(Message->CreateMessageDialog(text, type, buttons));
    }

    static TKsCustomButton* Button(TKsMessageForm& dialog, const wchar_t* name)
    {
        return dynamic_cast<TKsCustomButton*>(dialog.FindComponent(name));
    }
    static TLabel* Text(TKsMessageForm& dialog) { return dynamic_cast<TLabel*>(dialog.FindComponent(L"Message")); }

    TSeSkinMessage* Message = nullptr;

private:
    std::unique_ptr<TComponent> owner_;
};

TEST_F(MessageDialog, AShortMessageIsAsWideAsItsTextOrButtonWithTheMarginsAndTheButtonCentredBelow)
{
    auto dialog = Create(L"目錄列舉完畢", kmtCustom, {kmbOK});
    const TUnits u = DialogUnits(dialog->Font());
    const int horzMargin = MulDiv(30, u.cw, 4);
    const int vertMargin = MulDiv(15, u.ch, 8);
    const int vertSpacing = MulDiv(10, u.ch, 8);
    TLabel* text = Text(*dialog);
    TKsCustomButton* ok = Button(*dialog, L"OK");
    ASSERT_TRUE(text && ok);

    EXPECT_EQ(dialog->Caption(), L"Folvane Tool");
    EXPECT_EQ(dialog->FindComponent(L"Image"), nullptr);
    EXPECT_EQ(BoundsOf(text).Left, horzMargin);
    EXPECT_EQ(BoundsOf(text).Top, vertMargin);
    EXPECT_EQ(ok->Width(), MulDiv(50, u.cw, 4)) << "OK is narrower than the least button width";
    EXPECT_EQ(ok->Height(), MulDiv(14, u.ch, 8));
    const TRect client = dialog->ClientRect();
    EXPECT_EQ(client.Width(), std::max(text->Width(), ok->Width()) + 2 * horzMargin);
    EXPECT_EQ(client.Height(), text->Height() + ok->Height() + vertSpacing + 2 * vertMargin);
    EXPECT_EQ(ok->Left(), (client.Width() - ok->Width()) / 2);
    EXPECT_EQ(ok->Top(), text->Height() + vertMargin + vertSpacing);
    EXPECT_EQ(text->Height(), u.ch) << "one line";
}

TEST_F(MessageDialog, ALongMessageWrapsWithinHalfTheScreenAndGrowsInHeight)
{
    std::wstring text;
    for (int i = 0; i < 60; ++i) text += L"listing " + std::to_wstring(i) + L" ";
    auto dialog = Create(text, kmtWarning, {kmbOK});
    const TUnits u = DialogUnits(dialog->Font());
    const int horzMargin = MulDiv(30, u.cw, 4);
    const int horzSpacing = MulDiv(10, u.cw, 4);
    TLabel* label = Text(*dialog);
    auto* image = dynamic_cast<TImage*>(dialog->FindComponent(L"Image"));
    ASSERT_TRUE(label && image);

    EXPECT_EQ(dialog->Caption(), L"Warning");
    EXPECT_LE(label->Width(), Screen->Width() / 2);
    EXPECT_GT(label->Width(), Screen->Width() / 2 - 60) << "the lines fill the half screen";
    EXPECT_GE(label->Height(), 3 * u.ch);
    EXPECT_EQ(BoundsOf(image), TRect::FromSize(horzMargin, MulDiv(15, u.ch, 8), 32, 32));
    EXPECT_EQ(label->Left(), horzMargin + 32 + horzSpacing) << "the text stands right of the icon";
    EXPECT_EQ(dialog->ClientRect().Width(), label->Width() + horzSpacing + 32 + 2 * horzMargin);
}

TEST_F(MessageDialog, DefaultAndCancelButtonsFollowTheRequestedButtons)
{
    auto yesNoCancel = Create(L"?", kmtConfirmation, {kmbYes, kmbNo, kmbCancel});
    EXPECT_TRUE(Button(*yesNoCancel, L"Yes")->Default());
    EXPECT_FALSE(Button(*yesNoCancel, L"No")->Default());
    EXPECT_EQ(yesNoCancel->CancelButton(), Button(*yesNoCancel, L"Cancel"));
    EXPECT_LT(Button(*yesNoCancel, L"Yes")->Left(), Button(*yesNoCancel, L"No")->Left());
    EXPECT_LT(Button(*yesNoCancel, L"No")->Left(), Button(*yesNoCancel, L"Cancel")->Left());

    auto retry = Create(L"?", kmtError, {kmbAbort, kmbRetry, kmbIgnore});
    EXPECT_TRUE(Button(*retry, L"Retry")->Default());
    EXPECT_EQ(retry->CancelButton(), nullptr);

    auto okCancel = Create(L"?", kmtInformation, {kmbOK, kmbCancel, kmbNoToAll});
    EXPECT_TRUE(Button(*okCancel, L"OK")->Default());
    EXPECT_EQ(Button(*okCancel, L"NoToAll")->Caption(), L"N&o to All");
    EXPECT_EQ(Button(*okCancel, L"NoToAll")->ModalResult(), mrNo);
}

TEST_F(MessageDialog, EscapeAnswersWithTheCancelButtonsOwnResult)
{
    struct TCase {
        TKsMessageButtons Buttons;
        int Result;
    };
    for (const TCase& c :
         {TCase{{kmbOK}, mrOk}, TCase{{kmbYes, kmbNo}, mrNo}, TCase{{kmbYes, kmbNo, kmbCancel}, mrCancel}}) {
        TDialogWorker escape = TDialogWorker::Key(VK_ESCAPE);
        EXPECT_EQ(Message->ShowDialog(L"Escape", kmtConfirmation, c.Buttons, 0, -1, -1), c.Result);
        EXPECT_EQ(escape.Seen(), 1);
    }
}

TEST_F(MessageDialog, ShowMessageIsCentredWithOkFocusedAndEnterClosesIt)
{
    TRect bounds;
    std::wstring focused;
    TDialogWorker enter = TDialogWorker::Key(VK_RETURN, [&](TKsMessageForm& dialog) {
        RECT r;
        GetWindowRect(dialog.Handle(), &r);
        bounds = TRect(r);
        if (TWinControl* control = TWinControl::FindControl(GetFocus())) focused = control->Name();
    });
    Message->ShowMessage(L"目錄列舉完畢");
    EXPECT_EQ(enter.Seen(), 1);
    EXPECT_EQ(focused, L"OK");
    EXPECT_EQ(bounds.Left, (Screen->Width() - bounds.Width()) / 2);
    EXPECT_EQ(bounds.Top, (Screen->Height() - bounds.Height()) / 2);
    EXPECT_EQ(FindWindowW(L"Folvane.MessageForm", nullptr), nullptr) << "the dialog is freed";
}

TEST_F(MessageDialog, ClosingThroughTheFrameAnswersCancelAndAGivenLeftIsKept)
{
    TRect bounds;
    TDialogWorker close(WM_SYSCOMMAND, SC_CLOSE, [&](TKsMessageForm& dialog) {
        RECT r;
        GetWindowRect(dialog.Handle(), &r);
        bounds = TRect(r);
    });
    EXPECT_EQ(Message->ShowDialog(L"x = 100", kmtInformation, {kmbOK}, 0, 100, -1), mrCancel);
    EXPECT_EQ(bounds.Left, 100);
}

TEST_F(MessageDialog, ButtonsLoseTheirGlyphsOnRequest)
{
    auto withGlyph = Create(L"glyph", kmtCustom, {kmbOK});
    EXPECT_NE(Button(*withGlyph, L"OK")->Glyph(), nullptr);
    Message->SetShowButtonGlyph(false);
    auto without = Create(L"no glyph", kmtCustom, {kmbOK});
    EXPECT_EQ(Button(*without, L"OK")->Glyph(), nullptr);
}

TEST_F(MessageDialog, TheDialogCopiesItsTextToTheClipboard)
{
    auto dialog = Create(L"目錄列舉完畢", kmtCustom, {kmbYes, kmbNoToAll});
    EXPECT_EQ(dialog->PlainText(), L"---------------------------\r\nFolvane Tool\r\n---------------------------\r\n"
                                   L"目錄列舉完畢\r\n---------------------------\r\nYes   No to All\r\n"
                                   L"---------------------------\r\n");
}

TEST_F(MessageDialog, TwoHundredDialogsLeaveTheHandleCountsWhereTheyWere)
{
    auto showOne = [&] {
        TDialogWorker enter = TDialogWorker::Key(VK_RETURN);
        Message->ShowDialog(L"目錄列舉完畢", kmtError, {kmbOK, kmbCancel}, 0, -1, -1);
        Application->ProcessMessages();
    };
    // The first dialog makes what the process keeps: window classes, system icons, measured captions.
    showOne();
    const DWORD gdi = GdiObjectCount();
    const DWORD user = UserObjectCount();
    for (int i = 0; i < 200; ++i) showOne();
    EXPECT_EQ(GdiObjectCount(), gdi);
    EXPECT_EQ(UserObjectCount(), user);
}

} // namespace
