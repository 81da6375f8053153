#include "WindowTesting.h"

#include "framework/ComCtrls.h"
#include "framework/StdCtrls.h"

#include <commctrl.h>

#include <vector>

namespace {

class ListView : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        List = new TListView(Form);
        List->SetParent(Form);
        List->SetBounds(8, 8, 250, 105);
        List->AddColumn({L"目錄", 150, 150, taLeftJustify});
        List->AddColumn({L"深度", 50, 50, taCenterJustify});
    }

    std::wstring ItemText(int row, int column)
    {
        wchar_t buffer[260] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = 260;
        SendMessageW(List->Handle(), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        return buffer;
    }

    // The list's client area as the screen shows it now.
    std::vector<COLORREF> Shown()
    {
        RECT client;
        GetClientRect(List->Handle(), &client);
        HDC dc = GetDC(List->Handle());
        std::vector<COLORREF> pixels;
        for (int y = 0; y < client.bottom; ++y)
            for (int x = 0; x < client.right; ++x) pixels.push_back(GetPixel(dc, x, y));
        ReleaseDC(List->Handle(), dc);
        return pixels;
    }

    TListView* List = nullptr;
};

} // namespace

TEST_F(ListView, RowsKeepTheirOrderWithAndWithoutAWindow)
{
    List->AddRow(L"D:\\甲\\", L"3");
    List->AddRow(L"C:\\b\\", L"1");
    ShowForm();
    List->AddRow(L"A:\\", L"8");
    ASSERT_EQ(List->RowCount(), 3);
    ASSERT_EQ(SendMessageW(List->Handle(), LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(ItemText(0, 0), L"D:\\甲\\");
    EXPECT_EQ(ItemText(0, 1), L"3");
    EXPECT_EQ(ItemText(2, 0), L"A:\\");
    EXPECT_EQ(List->RowSubItem(2), L"8");

    List->SetRowCaption(1, L"C:\\changed\\");
    EXPECT_EQ(ItemText(1, 0), L"C:\\changed\\");
    EXPECT_EQ(ItemText(1, 1), L"1");
    List->DeleteRow(0);
    EXPECT_EQ(List->RowCount(), 2);
    EXPECT_EQ(List->RowCaption(0), L"C:\\changed\\");
    EXPECT_EQ(ItemText(0, 0), L"C:\\changed\\");
    List->ClearRows();
    EXPECT_EQ(List->RowCount(), 0);
    EXPECT_EQ(SendMessageW(List->Handle(), LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(ListView, SelectionComesFromTheWindowAndIsSingle)
{
    for (const wchar_t* path : {L"a", L"b", L"c"}) List->AddRow(path, L"1");
    ShowForm();
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    SendMessageW(List->Handle(), LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));
    EXPECT_TRUE(List->RowSelected(2));
    SendMessageW(List->Handle(), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    EXPECT_TRUE(List->RowSelected(0));
    EXPECT_FALSE(List->RowSelected(2));
    EXPECT_TRUE(GetWindowLongW(List->Handle(), GWL_STYLE) & LVS_SINGLESEL);
    EXPECT_FALSE(GetWindowLongW(List->Handle(), GWL_STYLE) & LVS_SORTASCENDING);
}

TEST_F(ListView, ARowOutsideTheListRaisesTheListIndexError)
{
    List->AddRow(L"a", L"1");
    try {
        List->RowCaption(1);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), L"List index out of bounds (1)");
    }
    EXPECT_THROW(List->DeleteRow(-1), Exception);
    EXPECT_THROW(List->RowSelected(5), Exception);
    EXPECT_THROW(List->RowSubItem(1), Exception);
}

TEST_F(ListView, InPlaceEditingAsksFirstAndTakesTheTypedTextAsItIs)
{
    List->AddRow(L"C:\\old\\", L"2");
    auto* other = new TButton(Form);
    other->SetParent(Form);
    other->SetBounds(270, 8, 75, 25);
    ShowForm();

    bool allow = false;
    int asked = 0;
    List->OnEditing = [&] {
        ++asked;
        return allow;
    };
    List->SetFocus();
    EXPECT_EQ(SendMessageW(List->Handle(), LVM_EDITLABELW, 0, 0), 0);
    EXPECT_EQ(asked, 1);

    allow = true;
    auto editor = reinterpret_cast<HWND>(SendMessageW(List->Handle(), LVM_EDITLABELW, 0, 0));
    ASSERT_NE(editor, nullptr);
    SetWindowTextW(editor, L"  not a path ");
    // Leaving the editor ends the edit and keeps its text.
    other->SetFocus();
    Application->ProcessMessages();
    EXPECT_EQ(List->RowCaption(0), L"  not a path ");
    EXPECT_EQ(ItemText(0, 0), L"  not a path ");
    EXPECT_EQ(List->RowSubItem(0), L"2");

    editor = reinterpret_cast<HWND>(SendMessageW(List->Handle(), LVM_EDITLABELW, 0, 0));
    ASSERT_NE(editor, nullptr);
    SetWindowTextW(editor, L"cancelled");
    SetFocus(editor);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(List->RowCaption(0), L"  not a path ");
}

TEST_F(ListView, ColumnsKeepTheirCaptionsAlignmentAndMinimumWidth)
{
    ShowForm();
    wchar_t caption[64] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    column.pszText = caption;
    column.cchTextMax = 64;
    ASSERT_TRUE(SendMessageW(List->Handle(), LVM_GETCOLUMNW, 1, reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ(caption, L"深度");
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_CENTER);
    EXPECT_EQ(column.cx, 50);
    EXPECT_TRUE(ListView_GetExtendedListViewStyle(List->Handle()) & LVS_EX_GRIDLINES);

    SendMessageW(List->Handle(), LVM_SETCOLUMNWIDTH, 0, 20);
    EXPECT_GE(List->ColumnWidth(0), 150);
    SendMessageW(List->Handle(), LVM_SETCOLUMNWIDTH, 0, 180);
    EXPECT_EQ(List->ColumnWidth(0), 180);
}

TEST_F(ListView, ReplacedRowsComeInOrderAndTheWindowDrawsAgainAfterwards)
{
    List->AddRow(L"old", L"1");
    ShowForm();
    std::vector<TListRow> rows;
    for (int i = 0; i < 300; ++i) rows.push_back({L"C:\\" + std::to_wstring(i) + L"\\", std::to_wstring(i % 8 + 1)});
    List->ReplaceRows(rows);
    ASSERT_EQ(List->RowCount(), 300);
    ASSERT_EQ(SendMessageW(List->Handle(), LVM_GETITEMCOUNT, 0, 0), 300);
    EXPECT_EQ(ItemText(0, 0), L"C:\\0\\");
    EXPECT_EQ(ItemText(299, 0), L"C:\\299\\");
    EXPECT_EQ(ItemText(299, 1), L"4");
    EXPECT_EQ(List->RowSubItem(8), L"1");
    // Drawing is on again and the whole list waits for its repaint.
    EXPECT_TRUE(IsWindowVisible(List->Handle()));
    RECT pending{};
    EXPECT_TRUE(GetUpdateRect(List->Handle(), &pending, FALSE));
    EXPECT_EQ(pending.bottom - pending.top, List->ClientRect().Height());

    List->ReplaceRows({});
    EXPECT_EQ(List->RowCount(), 0);
    EXPECT_EQ(SendMessageW(List->Handle(), LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(ListView, ReplacingTheRowsOfAHiddenListLeavesItHidden)
{
    ShowForm();
    List->SetVisible(false);
    List->ReplaceRows({{L"a", L"1"}, {L"b", L"2"}});
    EXPECT_FALSE(GetWindowLongW(List->Handle(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(SendMessageW(List->Handle(), LVM_GETITEMCOUNT, 0, 0), 2);
    List->SetVisible(true);
    EXPECT_EQ(ItemText(1, 0), L"b");
}

TEST_F(ListView, DeletingTheLastRowOfAScrolledListShowsEveryRowOnce)
{
    for (int i = 0; i < 10; ++i) List->AddRow(L"C:\\row" + std::to_wstring(i) + L"\\", std::to_wstring(i % 8 + 1));
    ShowForm();
    SendMessageW(List->Handle(), LVM_ENSUREVISIBLE, 9, FALSE);
    List->SetRowSelected(9, true);
    Application->ProcessMessages();
    const int top = static_cast<int>(SendMessageW(List->Handle(), LVM_GETTOPINDEX, 0, 0));
    ASSERT_GT(top, 0) << "the list is scrolled";

    List->DeleteRow(9);
    Application->ProcessMessages();
    UpdateWindow(List->Handle());
    const int newTop = static_cast<int>(SendMessageW(List->Handle(), LVM_GETTOPINDEX, 0, 0));
    EXPECT_EQ(newTop, top - 1) << "the rows move down to fill the room the last one left";
    const std::vector<COLORREF> shown = Shown();
    // Drawn again from scratch, the list must look the same: nothing stale stays on the screen.
    RedrawWindow(List->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_TRUE(Shown() == shown);
}

TEST_F(ListView, TheListTakesNewSystemColoursThatOnlyItsFormHears)
{
    ShowForm();
    const COLORREF old = GetSysColor(COLOR_WINDOW);
    const INT index = COLOR_WINDOW;
    const COLORREF scheme = RGB(0, 0, 1);
    // The platform tells the top-level windows.
    SetSysColors(1, &index, &scheme);
    RedrawWindow(List->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(List->Handle());
    const COLORREF empty = GetPixel(dc, List->Width() / 2, List->Height() - 8);
    ReleaseDC(List->Handle(), dc);
    SetSysColors(1, &index, &old);
    EXPECT_EQ(empty, scheme);
}
