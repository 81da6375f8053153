#include "EditTesting.h"

#include "tests/support/ClipboardHolder.h"

#include <imm.h>

using EditKeys = EditWindowTest;
using EditMouse = EditWindowTest;
using EditClipboard = EditWindowTest;
using EditInputMethod = EditWindowTest;
using EditText = EditWindowTest;

TEST_F(EditKeys, TypingMovingSelectingAndUndoingThroughTheKeyboard)
{
    Type(L"hello world");
    EXPECT_EQ(Edit->Text(), L"hello world");
    Key(VK_LEFT, ssCtrl | ssShift);
    EXPECT_EQ(Edit->SelText(), L"world");
    Key(VK_HOME, ssShift);
    EXPECT_EQ(Edit->SelText(), L"hello world");
    Key(VK_RIGHT, ssCtrl | ssShift);
    EXPECT_EQ(Edit->SelText(), L"world");
    Key(VK_END);
    Key(VK_BACK);
    Key(VK_BACK);
    Key(VK_HOME);
    Key(VK_DELETE);
    EXPECT_EQ(Edit->Text(), L"ello wor");
    Key('Z', ssCtrl);
    EXPECT_EQ(Edit->Text(), L"hello wor");
    Key('Z', ssCtrl);
    EXPECT_EQ(Edit->Text(), L"hello world");
    EXPECT_EQ(Edit->SelText(), L"ld");
    Key('A', ssCtrl);
    EXPECT_EQ(Edit->SelText(), L"hello world");
    // Control characters that the keys produce never get into the text.
    Type(L"\x01\x1B\r\x7F");
    EXPECT_EQ(Edit->Text(), L"hello world");
}

TEST_F(EditKeys, TheCaretSitsExactlyBetweenCharactersAlsoChineseOnes)
{
    std::wstring text = L"Wi中文字 x";
    Type(text);
    Key(VK_HOME);
    HDC dc = GetDC(Edit->Handle());
    HGDIOBJ old = SelectObject(dc, Edit->Font().Handle());
    for (int pos = 0; pos <= static_cast<int>(text.size()); ++pos) {
        SIZE prefix{};
        GetTextExtentPoint32W(dc, text.data(), pos, &prefix);
        EXPECT_EQ(CaretX(), Edit->TextRect().Left + prefix.cx) << pos;
        Key(VK_RIGHT);
    }
    SelectObject(dc, old);
    ReleaseDC(Edit->Handle(), dc);
}

TEST_F(EditMouse, AClickAfterAutoSelectPlacesTheCaretWithoutSelectionSoAPasteGoesThere)
{
    Edit->SetText(L"abcdef");
    ::SetFocus(Form->Handle());
    Edit->SetFocus();
    Application->ProcessMessages();
    EXPECT_EQ(Edit->SelText(), L"abcdef");
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    int x = CaretX();
    Key('A', ssCtrl);
    Click(x + 1);
    EXPECT_EQ(Edit->SelLength(), 0);
    EXPECT_EQ(Edit->SelStart(), 3);
    SetClipboardText(Edit->Handle(), L"-");
    SendMessageW(Edit->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(Edit->Text(), L"abc-def");
}

TEST_F(EditMouse, ShiftClickExtendsAndADoubleClickSelectsTheWordUnderThePointer)
{
    Edit->SetText(L"one two three");
    Key(VK_HOME);
    Key(VK_RIGHT, ssCtrl);
    int twoStart = CaretX();
    Key(VK_RIGHT);
    int insideTwo = CaretX();
    Key(VK_HOME);
    Click(insideTwo, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(Edit->SelText(), L"one t");
    Click(twoStart + 1);
    Click(twoStart + 1, WM_LBUTTONDBLCLK);
    EXPECT_EQ(Edit->SelText(), L"two ");
    Key(VK_HOME, ssShift);
    EXPECT_EQ(Edit->SelText(), L"one ");
}

TEST_F(EditMouse, DraggingPastTheRightEdgeScrollsTheTextAndExtendsTheSelection)
{
    Edit->SetText(std::wstring(60, L'm'));
    Key(VK_HOME);
    int right = Edit->TextRect().Right;
    SendMessageW(Edit->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(6, 8));
    int previousFirst = Edit->FirstVisible();
    for (int i = 0; i < 70; ++i) SendMessageW(Edit->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(right + 5, 8));
    SendMessageW(Edit->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(right + 5, 8));
    EXPECT_GT(Edit->FirstVisible(), previousFirst);
    EXPECT_EQ(Edit->SelLength(), 60);
    EXPECT_EQ(Edit->CaretPos(), 60);
    // Moving without the button held selects nothing more.
    SendMessageW(Edit->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(6, 8));
    EXPECT_EQ(Edit->SelLength(), 60);
}

TEST_F(EditClipboard, CopyCutAndPasteRoundTripThroughTheRealClipboard)
{
    Type(L"alpha beta");
    Key(VK_LEFT, ssCtrl | ssShift);
    Key('C', ssCtrl);
    EXPECT_EQ(ClipboardText(), L"beta");
    Key(VK_HOME);
    Key('V', ssCtrl);
    EXPECT_EQ(Edit->Text(), L"betaalpha beta");
    Key(VK_END, ssShift);
    Key('X', ssCtrl);
    EXPECT_EQ(Edit->Text(), L"beta");
    EXPECT_EQ(ClipboardText(), L"alpha beta");
    Key(VK_INSERT, ssShift);
    EXPECT_EQ(Edit->Text(), L"betaalpha beta");

    SetClipboardText(Edit->Handle(), L"C:\\中文目錄\\\r\nsecond line\r\n");
    Key('A', ssCtrl);
    Key('V', ssCtrl);
    EXPECT_EQ(Edit->Text(), L"C:\\中文目錄\\");
    Key('Z', ssCtrl);
    EXPECT_EQ(Edit->Text(), L"betaalpha beta");
}

TEST_F(EditClipboard, AMaskedTextNeverReachesTheClipboardButCutStillDeletes)
{
    Edit->SetPasswordKind(pkCircle);
    Type(L"secret");
    SetClipboardText(Edit->Handle(), L"before");
    Key('A', ssCtrl);
    Key('C', ssCtrl);
    Key(VK_DELETE, ssShift);
    EXPECT_EQ(ClipboardText(), L"before");
    EXPECT_EQ(Edit->Text(), L"");
}

TEST_F(EditClipboard, AClipboardHeldByAnotherProgramLeavesTheTextAndShowsNothing)
{
    Type(L"alpha beta");
    SetClipboardText(Edit->Handle(), L"before");
    Key('A', ssCtrl);
    {
        TClipboardHolder otherProgram;
        ASSERT_TRUE(otherProgram.Held());
        Key('C', ssCtrl);
        Key('X', ssCtrl);
        Key(VK_DELETE, ssShift);
        Key('V', ssCtrl);
    }
    EXPECT_EQ(Edit->Text(), L"alpha beta");
    EXPECT_EQ(Edit->SelLength(), 10);
    EXPECT_EQ(ClipboardText(), L"before");
    EXPECT_TRUE(Reports.empty());
}

TEST_F(EditClipboard, ALongPasteStaysOneLineAndKeepsTheCaretInView)
{
    std::wstring line(10000, L'x');
    SetClipboardText(Edit->Handle(), line + L"\r\n" + line);
    Key('V', ssCtrl);
    EXPECT_EQ(Edit->Text(), line);
    EXPECT_EQ(Edit->CaretPos(), 10000);
    EXPECT_GT(Edit->FirstVisible(), 9950);
    EXPECT_LE(CaretX(), Edit->TextRect().Right);
}

TEST_F(EditInputMethod, CommittedCharactersArriveWholeAndTheCompositionSitsAtTheCaret)
{
    Type(L"ab");
    for (wchar_t unit : std::wstring(L"中\xD840\xDC00文")) SendMessageW(Edit->Handle(), WM_IME_CHAR, unit, 1);
    // A lone half of a pair is never inserted.
    SendMessageW(Edit->Handle(), WM_IME_CHAR, 0xD840, 1);
    SendMessageW(Edit->Handle(), WM_IME_CHAR, L'c', 1);
    EXPECT_EQ(Edit->Text(), L"ab中\xD840\xDC00文c");

    Key(VK_LEFT);
    Key(VK_LEFT);
    SendMessageW(Edit->Handle(), WM_IME_STARTCOMPOSITION, 0, 0);
    HIMC context = ImmGetContext(Edit->Handle());
    ASSERT_NE(context, nullptr);
    COMPOSITIONFORM composition{};
    ASSERT_TRUE(ImmGetCompositionWindow(context, &composition));
    CANDIDATEFORM candidate{};
    ASSERT_TRUE(ImmGetCandidateWindow(context, 0, &candidate));
    ImmReleaseContext(Edit->Handle(), context);
    POINT caret{};
    GetCaretPos(&caret);
    EXPECT_EQ(composition.ptCurrentPos.x, caret.x);
    EXPECT_EQ(composition.ptCurrentPos.y, caret.y);
    EXPECT_EQ(candidate.ptCurrentPos.x, caret.x);
    EXPECT_GT(candidate.ptCurrentPos.y, caret.y);
}

TEST_F(EditText, TextSetByTheProgramIsReadBackByTheWindowAndClampsTheView)
{
    Edit->SetText(std::wstring(200, L'x'));
    Key(VK_END);
    Key(VK_LEFT, ssShift);
    Edit->SetText(L"short");
    EXPECT_EQ(WindowText(Edit->Handle()), L"short");
    EXPECT_EQ(Edit->FirstVisible(), 0);
    EXPECT_EQ(Edit->CaretPos(), 5);
    EXPECT_EQ(Edit->SelLength(), 0);
    EXPECT_FALSE(Edit->CanUndo());
    SetWindowTextW(Edit->Handle(), L"from outside");
    EXPECT_EQ(Edit->Text(), L"from outside");
}

TEST_F(EditText, AutoSizeFollowsTheFontAndTheBorder)
{
    TFont font = Edit->Font();
    font.SetHeight(-20);
    Edit->SetFont(font);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font.Handle());
    SIZE pq{};
    GetTextExtentPoint32W(dc, L"Pq", 2, &pq);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(Edit->Height(), 8 + pq.cy);
    Edit->SetBorderStyle(bsNone);
    EXPECT_EQ(Edit->Height(), 4 + pq.cy);
}

TEST_F(EditText, SelectionIsFilledWithTheHighlightColourOnlyWhileShown)
{
    Edit->SetText(L"MMMMMMMM");
    Edit->SetSelStart(2);
    Edit->SetSelLength(4);
    Edit->Invalidate();
    Edit->Update();
    auto highlighted = [&] {
        TRect r = Edit->SelectionRect();
        int count = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                count +=
                    (Edit->PaintBuffer().Bitmap().Pixel(x, y) & 0xFFFFFF) == (ColorToPixel(clHighlight) & 0xFFFFFF);
        return count;
    };
    TRect selection = Edit->SelectionRect();
    EXPECT_GT(highlighted(), selection.Width() * selection.Height() / 3);
    auto* other = new TTestEdit(Form);
    other->SetParent(Form);
    other->SetBounds(10, 50, 121, 21);
    other->SetFocus();
    Application->ProcessMessages();
    Edit->Update();
    EXPECT_EQ(highlighted(), 0);
}

TEST_F(EditInputMethod, TextComposedInThePlatformsInputMethodIsInsertedAtTheCaret)
{
    Type(L"C:\\\\");
    Key(VK_LEFT);
    HIMC context = ImmGetContext(Edit->Handle());
    ASSERT_NE(context, nullptr);
    ImmSetOpenStatus(context, TRUE);
    std::wstring composed = L"資料";
    ASSERT_TRUE(ImmSetCompositionStringW(context, SCS_SETSTR, composed.data(),
                                         static_cast<DWORD>(composed.size() * sizeof(wchar_t)), nullptr, 0));
    ASSERT_TRUE(ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0));
    ImmReleaseContext(Edit->Handle(), context);
    Application->ProcessMessages();
    EXPECT_EQ(Edit->Text(), L"C:\\資料\\");
    EXPECT_EQ(Edit->CaretPos(), 5);
}

using EditMenu = EditWindowTest;

TEST_F(EditMenu, EntriesFollowTheSelectionTheHistoryTheClipboardReadOnlyAndMasking)
{
    auto enabled = [&] {
        std::vector<bool> entries;
        for (auto command : {emcUndo, emcCut, emcCopy, emcPaste, emcDelete, emcSelectAll})
            entries.push_back(Edit->CommandEnabled(command));
        return entries;
    };
    OpenClipboard(Edit->Handle());
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(enabled(), (std::vector<bool>{false, false, false, false, false, false}));
    Type(L"ab");
    EXPECT_EQ(enabled(), (std::vector<bool>{true, false, false, false, false, true}));
    Key('A', ssCtrl);
    SetClipboardText(Edit->Handle(), L"x");
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, true, true, true, false}));
    Edit->SetReadOnly(true);
    EXPECT_EQ(enabled(), (std::vector<bool>{false, false, true, false, false, false}));
    Edit->SetReadOnly(false);
    Edit->SetPasswordKind(pkRect);
    EXPECT_EQ(enabled(), (std::vector<bool>{true, false, false, true, true, false}));
    Edit->RunCommand(emcDelete);
    EXPECT_EQ(Edit->Text(), L"");
    Edit->RunCommand(emcUndo);
    EXPECT_EQ(Edit->Text(), L"ab");
}
