#include "FrameFixture.h"

#include "framework/Screen.h"
#include "skinwin/KsSkinMessages.h"
#include "framework/Clipboard.h"
#include "tests/support/ClipboardHolder.h"
#include "tests/support/HandleCounts.h"
#include "tests/support/KeyInput.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Works the dialog that the code under test shows modally on this thread: a thread timer looks for
// it and, once it is on the screen, runs the steps one per tick (a message a step posts is handled
// before the next tick comes).
class TDialogWorker {
public:
    using TStep = std::function<void(TKsMessageForm&)>;
    using TInspect = std::function<void(TKsMessageForm&)>;

    explicit TDialogWorker(std::vector<TStep> steps) : steps_(std::move(steps))
    {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 20, Tick);
    }
    // Inspects the dialog, then posts one window command to it.
    TDialogWorker(UINT msg, WPARAM wParam, TInspect inspect = nullptr)
        : TDialogWorker({[=](TKsMessageForm& dialog) {
              if (inspect) inspect(dialog);
              PostMessageW(dialog.Handle(), msg, wParam, 0);
          }})
    {
    }
    ~TDialogWorker()
    {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
        HoldModifiers(0);
    }
    TDialogWorker(const TDialogWorker&) = delete;
    TDialogWorker& operator=(const TDialogWorker&) = delete;

    // Inspects the dialog, then presses one key on its focused control.
    static TDialogWorker Key(WPARAM key, TInspect inspect = nullptr)
    {
        return TDialogWorker({[=](TKsMessageForm& dialog) {
            if (inspect) inspect(dialog);
            PressKey(key);
        }});
    }
    // Posts a key press to the focused control with exactly the modifiers held; they stay held until
    // the next step or the end of the worker's dialog.
    static void PressKey(WPARAM key, TShiftState modifiers = 0)
    {
        HoldModifiers(modifiers);
        PostKeyPress(GetFocus(), key);
    }

    int Seen() const { return seen_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        TDialogWorker* self = current_;
        HWND window = FindWindowW(L"Folvane.MessageForm", nullptr);
        if (!self || !window || !IsWindowVisible(window)) return;
        auto* dialog = dynamic_cast<TKsMessageForm*>(TWinControl::FindControl(window));
        if (!dialog) return;
        if (self->window_ != window) {
            self->window_ = window;
            self->next_ = 0;
            ++self->seen_;
        }
        if (self->next_ >= self->steps_.size()) return;
        HoldModifiers(0);
        self->steps_[self->next_++](*dialog);
    }

    static inline TDialogWorker* current_ = nullptr;
    std::vector<TStep> steps_;
    size_t next_ = 0;
    UINT_PTR timer_ = 0;
    HWND window_ = nullptr;
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
    // The skin's Tahoma at 11 pixels: characters 6 pixels wide on average and 13 high, so the
    // margins are 45 (30 quarter characters) and 24 (15 eighths), the spacing below the text 16 and
    // the least button 75 x 23. Six Chinese characters take 66 pixels.
    auto dialog = Create(L"目錄列舉完畢", kmtCustom, {kmbOK});
    TLabel* text = Text(*dialog);
    TKsCustomButton* ok = Button(*dialog, L"OK");
    ASSERT_TRUE(text && ok);

    EXPECT_EQ(dialog->Caption(), L"Folvane Tool");
    EXPECT_EQ(dialog->FindComponent(L"Image"), nullptr);
    EXPECT_EQ(BoundsOf(text), TRect::FromSize(45, 24, 66, 13)) << "one line at the top-left margins";
    EXPECT_EQ(BoundsOf(ok), TRect::FromSize(46, 53, 75, 23)) << "16 below the text, centred";
    const TRect client = dialog->ClientRect();
    EXPECT_EQ(client.Height(), 53 + 23 + 24);
    EXPECT_EQ(ok->Left() + ok->Width() / 2, client.Width() / 2);
    // The text and its margins need 156 pixels; the caption "Folvane Tool" needs 167.
    EXPECT_EQ(client.Width(), 167);
}

TEST_F(MessageDialog, TheCaptionShowsTheWholeTitleBesideTheIconAndTheButtons)
{
    for (const wchar_t* title : {L"Folvane Tool", L"Folvane Tool: the directory inventory of every file server"}) {
        Application->SetTitle(title);
        auto dialog = Create(L"OK", kmtCustom, {kmbOK});
        auto* frame = dynamic_cast<TSeSkinForm*>(dialog->Frame());
        ASSERT_TRUE(frame && frame->TitleObject());
        // Laid out over the dialog's size, the skin's title keeps its text margins free.
        frame->ClientRect();
        TSeSkinObject* caption = frame->TitleObject();
        const int room = caption->Width() - caption->TextMarginLeft() - caption->TextMarginRight();
        TWindowDC dc(nullptr);
        for (bool active : {false, true}) {
            caption->SetActive(active);
            TSelectObject font(dc.Get(), caption->Font().Handle());
            EXPECT_EQ(ShortenText(dc.Get(), title, room), title) << (active ? "active" : "inactive");
        }
        TKsCustomButton* ok = Button(*dialog, L"OK");
        const int rightGap = dialog->ClientRect().Width() - ok->Left() - ok->Width();
        EXPECT_LE(std::abs(ok->Left() - rightGap), 1) << "the button stays centred";
        EXPECT_EQ(Text(*dialog)->Left(), 45) << "the text stays at the margin";

        // The plain frame of a message without a skin leaves its caption as much room.
        TKsCustomMessage plainMessage(nullptr);
        std::unique_ptr<TKsMessageForm> plain(plainMessage.CreateMessageDialog(L"OK", kmtCustom, {kmbOK}));
        EXPECT_EQ(plain->Frame()->CaptionShortfall(title), 0);
    }
}

TEST_F(MessageDialog, APathWithoutBlanksBreaksBetweenCharactersAndTheDialogStaysOnTheScreen)
{
    std::wstring path = L"C:\\";
    for (int i = 0; i < 30; ++i) path += L"Folder" + std::to_wstring(i) + L"\\";
    path = L"Unable to write to " + path + L"folvane.txt";
    TRect bounds;
    TRect label;
    int inkInLastLine = 0;
    TDialogWorker enter = TDialogWorker::Key(VK_RETURN, [&](TKsMessageForm& dialog) {
        RECT r;
        GetWindowRect(dialog.Handle(), &r);
        bounds = TRect(r);
        TLabel* text = Text(dialog);
        label = BoundsOf(text);
        // The text's last line, as the dialog shows it: the characters of the path's end are there.
        const TRect last = TRect::FromSize(label.Left, label.Bottom - 13, label.Width(), 13);
        TWindowDC dc(dialog.Handle());
        const COLORREF background = GetPixel(dc.Get(), label.Right + 4, label.Top);
        for (int y = last.Top; y < last.Bottom; ++y)
            for (int x = last.Left; x < last.Right; ++x)
                if (GetPixel(dc.Get(), x, y) != background) ++inkInLastLine;
    });
    Message->ShowMessage(path);
    ASSERT_EQ(enter.Seen(), 1);
    EXPECT_LE(label.Width(), Screen->Width() / 2);
    EXPECT_GE(label.Height(), 3 * 13) << "the path takes several lines";
    EXPECT_GE(bounds.Left, 0);
    EXPECT_LE(bounds.Right, Screen->Width());
    EXPECT_GT(inkInLastLine, 20) << "the last line is drawn, not cut off at the right";
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
    // Ctrl+C as a person presses it; with the clipboard held by another program, Ctrl+Insert
    // changes nothing and reports nothing.
    const std::wstring copied = L"---------------------------\r\nFolvane Tool\r\n---------------------------\r\n"
                                L"目錄列舉完畢\r\n---------------------------\r\nYes   No to All\r\n"
                                L"---------------------------\r\n";
    const auto ctrl = [](WPARAM key) { return [=](TKsMessageForm&) { TDialogWorker::PressKey(key, ssCtrl); }; };
    const auto close = [](TKsMessageForm& dialog) { PostMessageW(dialog.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); };
    SetClipboardText(nullptr, L"before");
    {
        TDialogWorker copy({ctrl('C'), close});
        Message->ShowDialog(L"目錄列舉完畢", kmtCustom, {kmbYes, kmbNoToAll}, 0, -1, -1);
    }
    EXPECT_EQ(ClipboardText(), copied);

    SetClipboardText(nullptr, L"before");
    {
        TDialogWorker copy({ctrl(VK_INSERT), close});
        TClipboardHolder otherProgram;
        ASSERT_TRUE(otherProgram.Held());
        Message->ShowDialog(L"目錄列舉完畢", kmtCustom, {kmbYes, kmbNoToAll}, 0, -1, -1);
    }
    EXPECT_EQ(ClipboardText(), L"before");
    EXPECT_TRUE(Reports.empty());
}

TEST_F(MessageDialog, ButtonWidthsAreMeasuredAgainWhenTheSkinsFontChanges)
{
    // "Yes to All" is asked for by no other dialog here, so its first measuring is in the large font.
    TSeSkinObject* form = Engine->Source()->FormObject();
    const TFont normal = form->Font();
    TFont large = normal;
    large.SetHeight(-40);
    form->SetFont(large);
    const int largeWidth = Button(*Create(L"?", kmtCustom, {kmbOK, kmbYesToAll}), L"YesToAll")->Width();
    form->SetFont(normal);
    auto dialog = Create(L"?", kmtCustom, {kmbOK, kmbYesToAll});
    EXPECT_GT(largeWidth, 150);
    EXPECT_EQ(Button(*dialog, L"YesToAll")->Width(), 75) << "the least width in the skin's own font";
    EXPECT_EQ(Button(*dialog, L"OK")->Width(), 75);
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
