#include "PlatformMainWindow.h"

#include <commctrl.h>

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

LRESULT CALLBACK FrameProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, msg, wParam, lParam);
}

ATOM FrameClass()
{
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = FrameProcedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"Folvane.PlatformMainWindow";
        return RegisterClassW(&wc);
    }();
    return atom;
}

HMENU MainMenu()
{
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 1, L"載入設定檔(*.CFG)(&L)");
    AppendMenuW(file, MF_STRING, 2, L"儲存設定檔(*.CFG)(&S)");
    AppendMenuW(file, MF_STRING, 3, L"離開(&X)");
    HMENU about = CreatePopupMenu();
    AppendMenuW(about, MF_STRING, 4, L"Folvane Tool(&D)");
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"檔案(&F)");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(about), L"關於(&A)");
    return bar;
}

} // namespace

TPlatformMainWindow::TPlatformMainWindow(int x, int y, int clientWidth, int clientHeight, const std::wstring& outputDir)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    font_.SetName(L"MS Sans Serif");
    font_.SetHeight(-11);
    comboFont_.SetName(L"Tahoma");
    comboFont_.SetHeight(-11);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    menu_ = MainMenu();
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, style, TRUE, 0);
    window_ = CreateWindowExW(0, MAKEINTATOM(FrameClass()), L"Folvane Tool", style, x, y, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, menu_, GetModuleHandleW(nullptr), nullptr);

    Child(L"STATIC", L"欲加入目錄列舉的目錄列表 :", 0, 8, 8, 150, 13);
    Child(L"STATIC", L"目錄深度到第 ", 0, 8, 64, 75, 13);
    Child(L"STATIC", L"層", 0, 128, 64, 12, 13);
    HWND list =
        Child(WC_LISTVIEWW, L"", LVS_REPORT | LVS_SINGLESEL | LVS_EDITLABELS, 8, 88, 250, 105, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(list, LVS_EX_GRIDLINES);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = LVCFMT_LEFT;
    column.cx = 150;
    column.pszText = const_cast<wchar_t*>(L"目錄");
    ListView_InsertColumn(list, 0, &column);
    column.fmt = LVCFMT_CENTER;
    column.cx = 50;
    column.pszText = const_cast<wchar_t*>(L"深度");
    ListView_InsertColumn(list, 1, &column);

    Child(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, 8, 32, 249, 21, WS_EX_CLIENTEDGE);
    Child(L"BUTTON", L"瀏覽目錄", WS_TABSTOP | BS_PUSHBUTTON, 272, 29, 75, 25);
    HWND combo = Child(L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN, 86, 60, 35, 21 + 8 * 13 + 2);
    SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(comboFont_.Handle()), FALSE);
    for (int depth = 1; depth <= 8; ++depth)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(depth).c_str()));
    SetWindowTextW(combo, L"1");
    Child(L"BUTTON", L"新增目錄", WS_TABSTOP | BS_PUSHBUTTON, 272, 57, 75, 25);

    // The group box's controls are its siblings, placed inside its rectangle.
    const int groupX = 8, groupY = 200;
    Child(L"BUTTON", L"輸出檔案設定", BS_GROUPBOX, groupX, groupY, 345, 121);
    Child(L"STATIC", L"輸出檔案到此目錄", 0, groupX + 8, groupY + 24, 96, 13);
    Child(L"EDIT", outputDir.c_str(), WS_TABSTOP | ES_AUTOHSCROLL, groupX + 9, groupY + 43, 240, 21, WS_EX_CLIENTEDGE);
    HWND fixedName =
        Child(L"BUTTON", L"固定檔名:", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, groupX + 8, groupY + 72, 89, 17);
    SendMessageW(fixedName, BM_SETCHECK, BST_CHECKED, 0);
    Child(L"BUTTON", L"以 YYYYMMDD.txt 自動命名", BS_AUTORADIOBUTTON, groupX + 8, groupY + 96, 241, 17);
    Child(L"EDIT", L"folvane.txt", WS_TABSTOP | ES_AUTOHSCROLL, groupX + 104, groupY + 69, 145, 21, WS_EX_CLIENTEDGE);
    Child(L"BUTTON", L"瀏覽目錄", WS_TABSTOP | BS_PUSHBUTTON, groupX + 264, groupY + 42, 75, 25);

    Child(L"BUTTON", L"刪除目錄", WS_TABSTOP | BS_PUSHBUTTON, 272, 88, 75, 25);
    Child(L"BUTTON", L"開始列舉", WS_TABSTOP | BS_PUSHBUTTON, 192, 328, 73, 25);
    Child(L"BUTTON", L"停止列舉", WS_TABSTOP | BS_PUSHBUTTON, 280, 328, 73, 25);
    Child(PROGRESS_CLASSW, L"", WS_BORDER, 0, clientHeight - 24, clientWidth, 24);

    ShowWindow(window_, SW_SHOWNOACTIVATE);
    UpdateWindow(window_);
}

TPlatformMainWindow::~TPlatformMainWindow()
{
    // The window destroys its menu and its children with it.
    DestroyWindow(window_);
}

HWND TPlatformMainWindow::Child(const wchar_t* className, const wchar_t* text, DWORD style, int x, int y, int width,
                                int height, DWORD exStyle)
{
    HWND child = CreateWindowExW(exStyle, className, text, kChild | style, x, y, width, height, window_, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
    return child;
}
