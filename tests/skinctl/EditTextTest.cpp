#include "skinctl/KsEditText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void Type(TKsEditText& edit, std::wstring_view text)
{
    for (wchar_t unit : text) edit.TypeUnit(unit);
}

struct Selection {
    int Start;
    int Length;
    friend bool operator==(const Selection&, const Selection&) = default;
};

Selection SelectionOf(const TKsEditText& edit) { return {edit.SelStart(), edit.SelLength()}; }

// U+20000, one character in two UTF-16 units.
const std::wstring kPair = L"\xD840\xDC00";

} // namespace

TEST(EditUndo, BackspacesMergeIntoOneEntryThatComesBackSelectedThenTypingGoesInOneStep)
{
    TKsEditText edit;
    Type(edit, L"abc");
    edit.Backspace();
    edit.Backspace();
    EXPECT_EQ(edit.History().Count(), 2);
    edit.Undo();
    EXPECT_EQ(edit.Text(), L"abc");
    EXPECT_EQ(SelectionOf(edit), (Selection{1, 2}));
    EXPECT_EQ(edit.Caret(), 3);
    edit.Undo();
    EXPECT_EQ(edit.Text(), L"");
    EXPECT_FALSE(edit.CanUndo());
}

TEST(EditUndo, TypingOverASelectionIsUndoneTogetherWithTheReplacedText)
{
    TKsEditText edit;
    Type(edit, L"abcd");
    edit.Select(1, 3);
    Type(edit, L"x");
    EXPECT_EQ(edit.Text(), L"axd");
    edit.Undo();
    EXPECT_EQ(edit.Text(), L"abcd");
    EXPECT_EQ(SelectionOf(edit), (Selection{1, 2}));
    edit.Undo();
    EXPECT_EQ(edit.Text(), L"");
}

TEST(EditUndo, DeletionsWithAGapBetweenThemStaySeparate)
{
    TKsEditText edit;
    Type(edit, L"abcd");
    edit.Backspace();
    edit.MoveByKey(VK_LEFT, false, false);
    edit.Backspace();
    EXPECT_EQ(edit.Text(), L"ac");
    edit.Undo();
    EXPECT_EQ(edit.Text(), L"abc");
    EXPECT_EQ(SelectionOf(edit), (Selection{1, 1}));
    edit.Undo();
    EXPECT_EQ(edit.Text(), L"abcd");
}

TEST(EditUndo, ForwardDeletesAtOnePlaceComeBackInOrder)
{
    TKsEditText edit;
    Type(edit, L"abcd");
    edit.MoveByKey(VK_HOME, false, false);
    edit.MoveByKey(VK_RIGHT, false, false);
    edit.DeleteForward();
    edit.DeleteForward();
    edit.Backspace();
    EXPECT_EQ(edit.Text(), L"d");
    edit.Undo();
    EXPECT_EQ(edit.Text(), L"abcd");
    EXPECT_EQ(SelectionOf(edit), (Selection{0, 3}));
}

TEST(EditUndo, PastedTextGoesInOneStepAndADeletedPairComesBackWhole)
{
    TKsEditText edit;
    edit.Paste(L"x" + kPair + L"y");
    edit.MoveByKey(VK_LEFT, false, false);
    edit.Backspace();
    EXPECT_EQ(edit.Text(), L"xy");
    edit.Undo();
    EXPECT_EQ(edit.Text(), L"x" + kPair + L"y");
    EXPECT_EQ(SelectionOf(edit), (Selection{1, 2}));
    edit.Undo();
    EXPECT_EQ(edit.Text(), L"");
}

TEST(EditMaxLength, TypingAtTheLimitIsRefusedAndPastingFillsOnlyWhatIsLeft)
{
    TKsEditText edit;
    edit.SetMaxLength(3);
    Type(edit, L"abc");
    edit.Select(1, 1);
    Type(edit, L"d");
    EXPECT_EQ(edit.Text(), L"abc");
    EXPECT_EQ(edit.History().Count(), 1);

    edit.Select(1, 2);
    edit.Paste(L"xyz");
    EXPECT_EQ(edit.Text(), L"axc");
    edit.Undo();
    EXPECT_EQ(edit.Text(), L"abc");
    EXPECT_EQ(SelectionOf(edit), (Selection{1, 1}));
    EXPECT_EQ(edit.History().Count(), 1);
}

TEST(EditMaxLength, CountsAnsiBytesAndNeverCutsADoubleByteCharacter)
{
    ASSERT_EQ(GetACP(), 950u);
    TKsEditText edit;
    edit.SetMaxLength(5);
    Type(edit, L"中a");
    Type(edit, L"文");
    EXPECT_EQ(edit.Text(), L"中a文");
    Type(edit, L"字");
    EXPECT_EQ(edit.Text(), L"中a文");
    Type(edit, L"b");
    EXPECT_EQ(edit.Text(), L"中a文");

    edit.SetText(L"a");
    edit.MoveByKey(VK_END, false, false);
    edit.Paste(L"目錄名");
    EXPECT_EQ(edit.Text(), L"a目錄");

    // Undo puts back only the whole characters that fit.
    edit.Select(1, 3);
    edit.DeleteSelection();
    edit.SetMaxLength(4);
    edit.Undo();
    EXPECT_EQ(edit.Text(), L"a目");
}

TEST(EditCharacters, CaretStepsDeletionAndTypingTreatEachCharacterAsOneUnit)
{
    TKsEditText edit;
    Type(edit, L"中文" + kPair + L"x");
    EXPECT_EQ(edit.Text(), L"中文" + kPair + L"x");
    edit.MoveByKey(VK_LEFT, false, false);
    edit.MoveByKey(VK_LEFT, false, true);
    EXPECT_EQ(edit.SelectedText(), kPair);
    edit.MoveByKey(VK_LEFT, false, true);
    EXPECT_EQ(edit.SelectedText(), L"文" + kPair);
    edit.MoveByKey(VK_END, false, false);
    edit.MoveByKey(VK_LEFT, false, false);
    edit.Backspace();
    EXPECT_EQ(edit.Text(), L"中文x");
    edit.DeleteForward();
    edit.Backspace();
    EXPECT_EQ(edit.Text(), L"中");

    // Positions given from outside never split a pair.
    edit.SetText(kPair + kPair);
    edit.Select(1, 3);
    EXPECT_EQ(SelectionOf(edit), (Selection{0, 2}));
}

TEST(EditCharacters, HalvesOfAPairGoInTogetherOrNotAtAll)
{
    TKsEditText edit;
    edit.TypeUnit(kPair[0]);
    EXPECT_EQ(edit.Text(), L"");
    edit.TypeUnit(kPair[1]);
    EXPECT_EQ(edit.Text(), kPair);
    edit.TypeUnit(kPair[0]);
    edit.TypeUnit(L'a');
    edit.TypeUnit(kPair[1]);
    EXPECT_EQ(edit.Text(), kPair + L"a");
    edit.TypeUnit(L'\t');
    edit.TypeUnit(0x7F);
    EXPECT_EQ(edit.Text(), kPair + L"a");
}

TEST(EditPaste, KeepsTheFirstLineWithoutControlCharacters)
{
    TKsEditText edit;
    edit.Paste(L"C:\\Tools\tOld\r\nD:\\Other\r\n");
    EXPECT_EQ(edit.Text(), L"C:\\ToolsOld");
    edit.Paste(L"\r\nnothing before the break");
    EXPECT_EQ(edit.Text(), L"C:\\ToolsOld");
    edit.Paste(L"\xDC00"
               L"z"
               L"\xD840");
    EXPECT_EQ(edit.Text(), L"C:\\ToolsOldz");

    std::wstring longText(10000, L'x');
    edit.SelectAll();
    edit.Paste(longText);
    EXPECT_EQ(edit.Text(), longText);
    EXPECT_EQ(edit.Caret(), 10000);
}

TEST(EditSelection, TextSetByTheProgramClampsCaretAndSelectionAndDropsTheHistory)
{
    TKsEditText edit;
    Type(edit, L"hello world");
    edit.Select(2, 11);
    edit.SetText(L"hi");
    EXPECT_EQ(edit.Caret(), 2);
    EXPECT_FALSE(edit.HasSelection());
    EXPECT_FALSE(edit.CanUndo());
    edit.Undo();
    EXPECT_EQ(edit.Text(), L"hi");
}

TEST(EditSelection, AfterADoubleClickTheMovingEndIsTheCaret)
{
    TKsEditText edit;
    edit.SetText(L"ab cd");
    edit.SelectWord(3);
    EXPECT_EQ(edit.SelectedText(), L"cd");
    EXPECT_EQ(edit.Caret(), 5);
    edit.MoveByKey(VK_HOME, false, true);
    EXPECT_EQ(SelectionOf(edit), (Selection{0, 3}));

    edit.SelectWord(1);
    EXPECT_EQ(edit.SelectedText(), L"ab ");
    edit.SelectWord(5);
    EXPECT_EQ(edit.SelectedText(), L"cd");
}

TEST(EditSelection, SelectAllPutsTheCaretAtTheStartAndSelStartOnlyMovesACaretElsewhere)
{
    TKsEditText edit;
    edit.SetText(L"abcd");
    edit.SelectAll();
    EXPECT_EQ(edit.Caret(), 0);
    EXPECT_EQ(edit.SelectedText(), L"abcd");
    edit.SetSelStart(0);
    EXPECT_EQ(edit.SelectedText(), L"abcd");
    edit.SetSelStart(2);
    EXPECT_FALSE(edit.HasSelection());
    edit.SetSelLength(10);
    EXPECT_EQ(edit.SelectedText(), L"cd");
    edit.MoveByKey(VK_LEFT, false, true);
    Type(edit, L"x");
    EXPECT_EQ(edit.Text(), L"ax");
    EXPECT_FALSE(edit.HasSelection());
}

TEST(EditWords, CtrlArrowsStopAtWordStarts)
{
    TKsEditText edit;
    edit.SetText(L"ab cd");
    edit.MoveCaret(4, false);
    edit.MoveByKey(VK_LEFT, true, false);
    EXPECT_EQ(edit.Caret(), 3);
    edit.MoveByKey(VK_LEFT, true, false);
    EXPECT_EQ(edit.Caret(), 0);
    edit.MoveByKey(VK_RIGHT, true, true);
    EXPECT_EQ(edit.Caret(), 3);
    EXPECT_EQ(edit.SelectedText(), L"ab ");
    edit.MoveByKey(VK_RIGHT, true, false);
    EXPECT_EQ(edit.Caret(), 5);

    EXPECT_EQ(NextWordStart(L"  ab  cd", 0), 6);
    EXPECT_EQ(PreviousWordStart(L"ab  cd  ", 8), 4);
}

TEST(EditCase, TypedAndExistingTextFollowsCharCase)
{
    TKsEditText edit;
    Type(edit, L"ab");
    edit.SetCharCase(ecUpperCase);
    EXPECT_EQ(edit.Text(), L"AB");
    Type(edit, L"c中");
    EXPECT_EQ(edit.Text(), L"ABC中");
    edit.SetCharCase(ecNormal);
    Type(edit, L"d");
    EXPECT_EQ(edit.Text(), L"ABC中d");
}

TEST(EditNotifications, ChangeOnlyWhenTheTextDiffersAndARefusedTextChangesNothing)
{
    TKsEditText edit;
    int changes = 0;
    edit.OnChange = [&] { ++changes; };
    edit.SetText(L"ab");
    edit.SetText(L"ab");
    edit.MoveByKey(VK_END, false, false);
    edit.DeleteForward();
    EXPECT_EQ(changes, 1);

    edit.OnAccept = [](const std::wstring& text) { return text.find(L'!') == std::wstring::npos; };
    Type(edit, L"c!");
    EXPECT_EQ(edit.Text(), L"abc");
    edit.Undo();
    EXPECT_EQ(edit.Text(), L"ab");
}

TEST(EditReadOnly, CommandsLeaveTextAndHistoryAlone)
{
    TKsEditText edit;
    Type(edit, L"ab");
    edit.SetReadOnly(true);
    edit.SelectAll();
    Type(edit, L"x");
    edit.Paste(L"y");
    edit.Backspace();
    edit.DeleteForward();
    edit.DeleteSelection();
    EXPECT_EQ(edit.Text(), L"ab");
    EXPECT_EQ(edit.History().Count(), 1);
}
