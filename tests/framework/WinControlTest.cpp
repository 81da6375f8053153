#include "WindowTesting.h"

#include "framework/ComCtrls.h"
#include "framework/StdCtrls.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>

namespace {

template <typename T>
T* Make(TWinControl* parent, int left, int top, int width, int height, const std::wstring& text = {})
{
    auto* control = new T(parent);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    if (!text.empty()) control->SetText(text);
    return control;
}

} // namespace

using HandleLifetime = WindowTest;

TEST_F(HandleLifetime, WindowsAreMadeOnFirstUseTogetherWithTheirParentsAndChildren)
{
    auto* box = Make<TCustomControl>(Form, 10, 10, 200, 100, L"box");
    auto* edit = Make<TEdit>(box, 5, 30, 120, 21, L"text");
    EXPECT_FALSE(Form->HandleAllocated());
    EXPECT_FALSE(edit->HandleAllocated());

    HWND window = edit->Handle();
    EXPECT_TRUE(Form->HandleAllocated());
    EXPECT_TRUE(box->HandleAllocated());
    EXPECT_EQ(GetParent(window), box->Handle());
    EXPECT_EQ(GetParent(box->Handle()), Form->Handle());
    EXPECT_EQ(ChildRect(window), TRect::FromSize(5, 30, 120, 21));
    EXPECT_EQ(WindowText(window), L"text");
    EXPECT_EQ(TWinControl::FindControl(window), edit);
}

TEST_F(HandleLifetime, RecreatingTheWindowKeepsWhatTheUserAndTheProgramGaveTheControls)
{
    auto* edit = Make<TEdit>(Form, 10, 10, 120, 21);
    auto* combo = Make<TComboBox>(Form, 10, 90, 60, 21);
    auto* list = Make<TListView>(Form, 150, 10, 200, 100);
    for (const wchar_t* item : {L"1", L"2", L"3"}) combo->Items().Add(item);
    list->AddColumn({L"目錄", 120, 0, taLeftJustify});
    list->AddColumn({L"深度", 50, 0, taCenterJustify});
    list->AddRow(L"C:\\a\\", L"1");
    list->AddRow(L"C:\\b\\", L"2");
    ShowForm();

    // What the user did lives in the windows only.
    SetWindowTextW(edit->Handle(), L"typed 文字");
    SetWindowTextW(combo->Handle(), L"7");
    list->SetRowSelected(1, true);
    HWND oldForm = Form->Handle();
    HWND oldEdit = edit->Handle();

    Form->RecreateWnd();
    EXPECT_FALSE(IsWindow(oldForm));
    EXPECT_FALSE(IsWindow(oldEdit));
    EXPECT_NE(edit->Handle(), oldEdit);
    EXPECT_TRUE(IsWindowVisible(Form->Handle()));

    EXPECT_EQ(edit->Text(), L"typed 文字");
    EXPECT_EQ(WindowText(edit->Handle()), L"typed 文字");
    EXPECT_EQ(combo->Text(), L"7");
    EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0), 3);
    ASSERT_EQ(SendMessageW(list->Handle(), LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(list->RowCaption(1), L"C:\\b\\");
    EXPECT_EQ(list->RowSubItem(1), L"2");
    EXPECT_FALSE(list->RowSelected(0));
    EXPECT_TRUE(list->RowSelected(1));
}

TEST_F(HandleLifetime, AStyleChangeMakesTheWindowAgainWithTheNewStyle)
{
    auto* edit = Make<TEdit>(Form, 10, 10, 120, 21);
    ShowForm();
    SetWindowTextW(edit->Handle(), L"kept");
    ASSERT_TRUE(GetWindowLongW(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

    edit->SetBorderStyle(bsNone);
    EXPECT_FALSE(GetWindowLongW(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(WindowText(edit->Handle()), L"kept");
    EXPECT_EQ(ChildRect(edit->Handle()), TRect::FromSize(10, 10, 120, 21));
}

TEST_F(HandleLifetime, FreeingAParentFreesItsChildrenAndTheirWindows)
{
    auto* box = Make<TCustomControl>(Form, 10, 10, 200, 100);
    auto* edit = Make<TEdit>(box, 5, 30, 120, 21);
    Make<TLabel>(box, 5, 10, 50, 13, L"label");
    HWND editWindow = edit->Handle();
    ASSERT_EQ(Form->ControlCount(), 1);

    delete box;
    EXPECT_FALSE(IsWindow(editWindow));
    EXPECT_EQ(Form->ControlCount(), 0);
    std::vector<TWinControl*> order;
    Form->GetTabOrderList(order);
    EXPECT_TRUE(order.empty());
}

using TabOrder = WindowTest;

TEST_F(TabOrder, TabAndShiftTabFollowTheTabOrderIntoGroupsAndWrapAround)
{
    auto* a = Make<TEdit>(Form, 10, 10, 100, 21);
    auto* b = Make<TButton>(Form, 10, 40, 75, 25, L"b");
    auto* box = Make<TCustomControl>(Form, 10, 70, 200, 100, L"box");
    auto* inner1 = Make<TEdit>(box, 10, 20, 100, 21);
    auto* inner2 = Make<TButton>(box, 10, 50, 75, 25, L"inner");
    auto* c = Make<TButton>(Form, 250, 10, 75, 25, L"c");
    auto* bar = Make<TCustomControl>(Form, 0, 200, 360, 24);
    Make<TLabel>(Form, 250, 50, 50, 13, L"label");
    c->SetTabOrder(0);
    a->SetTabOrder(1);
    b->SetTabOrder(2);
    inner2->SetTabOrder(0);

    std::vector<TWinControl*> order;
    Form->GetTabOrderList(order);
    EXPECT_EQ(order, (std::vector<TWinControl*>{c, a, b, box, inner2, inner1, bar}));
    EXPECT_EQ(inner1->TabOrder(), 1);

    ShowForm();
    c->SetFocus();
    std::vector<TWinControl*> visited;
    for (int i = 0; i < 6; ++i) {
        PressKey(VK_TAB);
        visited.push_back(TWinControl::FindControl(GetFocus()));
    }
    // The box itself and the bar are no tab stops; after the last comes the first.
    EXPECT_EQ(visited, (std::vector<TWinControl*>{a, b, inner2, inner1, c, a}));
    EXPECT_EQ(Form->ActiveControl(), a);

    PressKey(VK_TAB, true);
    EXPECT_EQ(GetFocus(), c->Handle());
    PressKey(VK_TAB, true);
    EXPECT_EQ(GetFocus(), inner1->Handle());
}

TEST_F(TabOrder, HiddenAndDisabledControlsAreSkipped)
{
    auto* a = Make<TButton>(Form, 10, 10, 75, 25, L"a");
    auto* b = Make<TButton>(Form, 10, 40, 75, 25, L"b");
    auto* c = Make<TButton>(Form, 10, 70, 75, 25, L"c");
    auto* d = Make<TButton>(Form, 10, 100, 75, 25, L"d");
    b->SetEnabled(false);
    c->Hide();
    ShowForm();
    a->SetFocus();
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), d->Handle());
    EXPECT_FALSE(IsWindowVisible(c->Handle()));
    EXPECT_FALSE(IsWindowEnabled(b->Handle()));
}

TEST_F(TabOrder, ArrowKeysMoveBetweenButtonsButStayInsideAnEditBox)
{
    auto* edit = Make<TEdit>(Form, 10, 10, 100, 21, L"abc");
    auto* b1 = Make<TButton>(Form, 10, 40, 75, 25, L"1");
    auto* b2 = Make<TButton>(Form, 10, 70, 75, 25, L"2");
    ShowForm();
    b1->SetFocus();
    PressKey(VK_DOWN);
    EXPECT_EQ(GetFocus(), b2->Handle());
    PressKey(VK_UP);
    EXPECT_EQ(GetFocus(), b1->Handle());
    edit->SetFocus();
    PressKey(VK_RIGHT);
    EXPECT_EQ(GetFocus(), edit->Handle());
}

namespace {

// Records the framework's focus notifications it receives.
class TFocusRecorder : public TEdit {
public:
    using TEdit::TEdit;
    std::vector<std::wstring> Log;

protected:
    void WndProc(TMessage& message) override
    {
        if (message.Msg == CM_ENTER) Log.push_back(Name() + L" enter");
        if (message.Msg == CM_EXIT) Log.push_back(Name() + L" exit");
        TEdit::WndProc(message);
    }
};

} // namespace

TEST_F(TabOrder, FocusChangesArriveAsEnterAndExitNoticesAndTheFormRemembersTheControl)
{
    auto* first = Make<TFocusRecorder>(Form, 10, 10, 100, 21);
    auto* second = Make<TFocusRecorder>(Form, 10, 40, 100, 21);
    first->SetName(L"first");
    second->SetName(L"second");
    ShowForm();
    first->SetFocus();
    first->Log.clear();
    PressKey(VK_TAB);
    EXPECT_EQ(first->Log, std::vector<std::wstring>{L"first exit"});
    EXPECT_EQ(second->Log, std::vector<std::wstring>{L"second enter"});
    EXPECT_EQ(Form->ActiveControl(), second);

    // Coming back to the form puts the focus back where it was.
    SetFocus(Form->Handle());
    EXPECT_EQ(GetFocus(), second->Handle());
    delete second;
    EXPECT_EQ(Form->ActiveControl(), nullptr);
}

using ErrorReport = WindowTest;

namespace {

class TThrowingControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    static constexpr UINT WM_FAIL = WM_APP + 1;
    static constexpr UINT WM_FAIL_STD = WM_APP + 2;

protected:
    void WndProc(TMessage& message) override
    {
        if (message.Msg == WM_FAIL) throw EConvertError(L"'x' is not a valid integer value");
        if (message.Msg == WM_FAIL_STD) throw std::runtime_error("plain failure");
        TCustomControl::WndProc(message);
    }
};

} // namespace

TEST_F(ErrorReport, AnErrorInAWindowProcedureIsReportedWithoutCrossingThePlatform)
{
    auto* control = Make<TThrowingControl>(Form, 10, 10, 50, 50);
    ShowForm();
    SendMessageW(control->Handle(), TThrowingControl::WM_FAIL, 0, 0);
    PostMessageW(control->Handle(), TThrowingControl::WM_FAIL_STD, 0, 0);
    Application->ProcessMessages();
    EXPECT_EQ(Reports, (std::vector<std::wstring>{L"'x' is not a valid integer value", L"plain failure"}));
    // The window goes on working.
    EXPECT_TRUE(IsWindow(control->Handle()));
}

TEST_F(ErrorReport, AnErrorInAClickHandlerEndsTheHandlerAndIsReported)
{
    auto* button = Make<TButton>(Form, 10, 10, 75, 25, L"go");
    int clicks = 0;
    button->OnClick = [&] {
        ++clicks;
        throw EInOutError(L"Invalid filename " + std::to_wstring(clicks));
    };
    ShowForm();
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    // The error ended only that click: the next one runs the handler again and is reported too.
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(Reports, (std::vector<std::wstring>{L"Invalid filename 1", L"Invalid filename 2"}));
}

using GraphicControls = WindowTest;

namespace {

// A white off-screen surface to paint into and read back.
class TPixels {
public:
    TPixels(int width, int height) : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<uint32_t*>(bits);
        select_.emplace(dc_.Get(), bitmap_.Get());
        std::fill(bits_, bits_ + width * height, 0xFFFFFFu);
    }
    HDC DC() const { return dc_.Get(); }
    uint32_t At(int x, int y) const
    {
        GdiFlush();
        return bits_[y * width_ + x] & 0xFFFFFF;
    }
    // The smallest rectangle holding every pixel that is not white.
    TRect Inked() const
    {
        GdiFlush();
        TRect r(width_, height_, 0, 0);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if ((bits_[y * width_ + x] & 0xFFFFFF) != 0xFFFFFF) {
                    r.Left = std::min(r.Left, x);
                    r.Top = std::min(r.Top, y);
                    r.Right = std::max(r.Right, x + 1);
                    r.Bottom = std::max(r.Bottom, y + 1);
                }
        return r;
    }

private:
    int width_, height_;
    TMemoryDC dc_;
    TBitmapHandle bitmap_;
    uint32_t* bits_ = nullptr;
    std::optional<TSelectObject> select_;
};

} // namespace

TEST_F(GraphicControls, ALabelIsPaintedByItsParentIntoAContextTheParentChooses)
{
    auto* label = Make<TLabel>(Form, 30, 20, 80, 13, L"WWWWWWWWWWWWWWWWWW");
    TPixels buffer(200, 100);
    Form->PaintControls(buffer.DC());
    TRect inked = buffer.Inked();
    ASSERT_FALSE(inked.IsEmpty());
    // Transparent: only the text is drawn, and nothing outside the label's bounds.
    EXPECT_GE(inked.Left, 30);
    EXPECT_GE(inked.Top, 20);
    EXPECT_LE(inked.Right, 110);
    EXPECT_LE(inked.Bottom, 33);
    EXPECT_EQ(buffer.At(30, 20), 0xFFFFFFu);

    // A parent that paints into a buffer of its own may move the origin; the label follows it.
    TPixels shifted(200, 100);
    SetViewportOrgEx(shifted.DC(), -25, -15, nullptr);
    Form->PaintControls(shifted.DC());
    EXPECT_EQ(shifted.Inked(), inked.Offset(-25, -15));

    label->Hide();
    TPixels hidden(200, 100);
    Form->PaintControls(hidden.DC());
    EXPECT_TRUE(hidden.Inked().IsEmpty());
}

TEST_F(GraphicControls, TheParentHandsMouseInputAndEnterLeaveNoticesToTheLabel)
{
    auto* label = Make<TLabel>(Form, 30, 20, 80, 13, L"click me");
    int clicks = 0;
    label->OnClick = [&] { ++clicks; };
    ShowForm();
    HWND window = Form->Handle();

    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(40, 25));
    EXPECT_TRUE(label->MouseInControl());
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 25));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(41, 26));
    EXPECT_EQ(clicks, 1);

    // Released outside: no click.
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 25));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(200, 200));
    EXPECT_EQ(clicks, 1);

    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(200, 200));
    EXPECT_FALSE(label->MouseInControl());
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(40, 25));
    EXPECT_TRUE(label->MouseInControl());
    SendMessageW(window, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(label->MouseInControl());
    EXPECT_FALSE(Form->MouseInControl());
}

using Layout = WindowTest;

TEST_F(Layout, ABottomAlignedControlFollowsTheClientArea)
{
    auto* bar = Make<TCustomControl>(Form, 0, 0, 50, 24);
    auto* top = Make<TButton>(Form, 0, 0, 50, 25, L"top");
    bar->SetAlign(alBottom);
    top->SetAlign(alTop);
    EXPECT_EQ(bar->BoundsRect(), TRect::FromSize(0, 216, 360, 24));
    ShowForm();
    EXPECT_EQ(ChildRect(bar->Handle()), TRect::FromSize(0, 216, 360, 24));
    EXPECT_EQ(ChildRect(top->Handle()), TRect::FromSize(0, 0, 360, 25));

    Form->SetClientSize(300, 200);
    EXPECT_EQ(ChildRect(bar->Handle()), TRect::FromSize(0, 176, 300, 24));
}

TEST_F(Layout, ClientToScreenAddsTheOriginsOfEveryParent)
{
    auto* box = Make<TCustomControl>(Form, 10, 20, 200, 100);
    auto* edit = Make<TEdit>(box, 5, 30, 120, 21);
    auto* label = Make<TLabel>(box, 7, 9, 50, 13, L"x");
    ShowForm();
    POINT expected{3, 4};
    ::ClientToScreen(edit->Handle(), &expected);
    TPoint p = edit->ClientToScreen({3, 4});
    EXPECT_EQ(p, (TPoint{expected.x, expected.y}));
    POINT boxOrigin{7 + 1, 9 + 2};
    ::ClientToScreen(box->Handle(), &boxOrigin);
    EXPECT_EQ(label->ClientToScreen({1, 2}), (TPoint{boxOrigin.x, boxOrigin.y}));
    EXPECT_EQ(label->ScreenToClient(label->ClientToScreen({4, 5})), (TPoint{4, 5}));
}
