// First times a whole-window repaint of the skinned main window against the same window built
// from the platform's own controls (frame, menu bar, every control: the peer a user would otherwise
// get), taken in turns, medians of many.
// Then times painting the main window through its skin against the plainest paint of the same size, in
// the same run. The whole window: the frame asked to paint itself into the window's drawing context,
// then every skinned control marked dirty and painted by the window system (each renders its buffer
// from scratch and copies it to the screen). One button: the same for BitBtn5. The reference for
// each is a window of the same size whose paint is one BitBlt from a memory bitmap, so both sides
// pay the platform's paint cycle. Then counts this process's GDI and USER objects before and after
// 300 full repaints and 100 skin reloads. Then the time from a click on the menu bar's first item
// to its drop-down painted (show animation off), against creating, showing and painting a plain
// empty tool window of the drop-down's size. Then the skinned message dialog against the platform's
// message box: each made, laid out, shown and closed by the key posted to it as soon as it takes the
// focus. Then a skinned list box of 100,000 items scrolled page by page with Page Down in stretches
// spread from its top to its bottom, each page painted, against painting its first page as many
// times: nothing a page costs may grow with the number of items. Last, the edit: typing 1,000 characters one by one into Edit1, which
// scrolls, each keystroke painted, against the plain window of the edit's size repainted once per
// keystroke; a caret placed by a mouse click (button down and up) in a 2,000-character text, and the
// position lookup alone (EM_CHARFROMPOS), against measuring that text once.
#include "PlatformMainWindow.h"
#include "app/Unit1.h"
#include "framework/Application.h"
#include "framework/Messages.h"
#include "skinctl/KsSkinListBoxs.h"
#include "skinwin/KsMenuForm.h"
#include "tests/support/HandleCounts.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <tuple>
#include <vector>

namespace {

constexpr int kRuns = 15;
constexpr int kBatch = 20;

// Best time of kRuns batches of kBatch calls, after one untimed batch, in milliseconds per call.
double BestOf(const std::function<void()>& work)
{
    auto batch = [&] {
        for (int i = 0; i < kBatch; ++i) work();
        GdiFlush();
    };
    batch();
    double best = 1e30;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        batch();
        const auto stop = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double, std::milli>(stop - start).count() / kBatch);
    }
    return best;
}

// A window of its own class whose paint is one BitBlt of its whole size from a memory bitmap: the
// platform's paint cycle around the plainest possible drawing.
class TPlainWindow {
public:
    TPlainWindow(HWND parent, int x, int y, int width, int height) : width_(width), height_(height)
    {
        static const ATOM windowClass = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = Procedure;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"Folvane.PlainBlit";
            return RegisterClassW(&wc);
        }();
        window_ = CreateWindowExW(0, MAKEINTATOM(windowClass), L"", WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                                  nullptr, GetModuleHandleW(nullptr), this);
        TWindowDC screen(window_);
        memory_.Reset(CreateCompatibleDC(screen.Get()));
        bitmap_.Reset(CreateCompatibleBitmap(screen.Get(), width, height));
        SelectObject(memory_.Get(), bitmap_.Get());
        PatBlt(memory_.Get(), 0, 0, width, height, WHITENESS);
    }
    ~TPlainWindow() { DestroyWindow(window_); }
    TPlainWindow(const TPlainWindow&) = delete;
    TPlainWindow& operator=(const TPlainWindow&) = delete;

    void Repaint()
    {
        InvalidateRect(window_, nullptr, FALSE);
        UpdateWindow(window_);
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        if (msg == WM_NCCREATE)
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        auto* self = reinterpret_cast<TPlainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (msg == WM_ERASEBKGND) return 1;
        if (msg == WM_PAINT && self) {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            BitBlt(dc, 0, 0, self->width_, self->height_, self->memory_.Get(), 0, 0, SRCCOPY);
            EndPaint(window, &paint);
            return 0;
        }
        return DefWindowProcW(window, msg, wParam, lParam);
    }

    HWND window_ = nullptr;
    int width_;
    int height_;
    TMemoryDC memory_;
    TBitmapHandle bitmap_;
};

// A text of words and blanks, as a path or a sentence would have.
wchar_t TextUnit(int i) { return i % 7 == 6 ? L' ' : static_cast<wchar_t>(L'a' + i % 26); }

// The edit's figures, each against its reference, printed with their ratios.
void BenchEdit(TSeSkinEdit* edit, HWND form)
{
    constexpr int kKeystrokes = 1000;
    constexpr int kHitTextLength = 2000;
    HWND window = edit->Handle();
    edit->SetFocus();
    Application->ProcessMessages();

    // Three runs of 1,000 keystrokes from an empty edit; the best, per keystroke.
    double typing = 1e30;
    for (int run = 0; run < 3; ++run) {
        edit->SetText(L"");
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kKeystrokes; ++i) {
            SendMessageW(window, WM_CHAR, TextUnit(i), 1);
            UpdateWindow(window);
        }
        const auto stop = std::chrono::steady_clock::now();
        typing = std::min(typing, std::chrono::duration<double, std::milli>(stop - start).count() / kKeystrokes);
    }
    double blit = 0;
    {
        TPlainWindow plain(form, edit->Left(), edit->Top(), edit->Width(), edit->Height());
        blit = BestOf([&] { plain.Repaint(); });
    }

    std::wstring text;
    for (int i = 0; i < kHitTextLength; ++i) text.push_back(TextUnit(i));
    edit->SetText(text);
    edit->SetSelStart(kHitTextLength / 2);
    auto pointAt = [&](int i) { return MAKELPARAM(4 + (i * 37) % (edit->Width() - 8), 8); };
    int clicks = 0;
    const double click = BestOf([&] {
        const LPARAM point = pointAt(clicks++);
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageW(window, WM_LBUTTONUP, 0, point);
    });
    const double lookup = BestOf([&] { SendMessageW(window, EM_CHARFROMPOS, 0, pointAt(clicks++)); });
    TMemoryDC dc(CreateCompatibleDC(nullptr));
    TSelectObject font(dc.Get(), edit->Font().Handle());
    const double measure = BestOf([&] {
        SIZE size;
        GetTextExtentPoint32W(dc.Get(), text.data(), kHitTextLength, &size);
    });
    edit->SetText(L"");

    std::printf("\n%-40s %8.4f ms\n", "a keystroke into Edit1, painted", typing);
    std::printf("%-40s %8.4f ms\n", "paint of one BitBlt of the edit's size", blit);
    std::printf("%-40s %8.4f ms\n", "a click in a 2,000-character text", click);
    std::printf("%-40s %8.4f ms\n", "  its position lookup alone", lookup);
    std::printf("%-40s %8.4f ms\n", "measuring that text once", measure);
    std::printf("ratio edit_keystroke_vs_blit %.3f\n", typing / blit);
    std::printf("ratio edit_hit_vs_measure %.3f\n", click / measure);
    std::printf("ratio edit_lookup_vs_measure %.3f\n", lookup / measure);
}

// The program's skin as a skin file the engine can load again.
std::wstring SkinFile()
{
    TResourceStream store(GetModuleHandleW(nullptr), L"FOLVANE_SKIN", RT_RCDATA);
    std::vector<char> bytes(static_cast<size_t>(store.Size()));
    store.ReadBuffer(bytes.data(), bytes.size());
    const auto path = std::filesystem::temp_directory_path() / L"folvane-bench-paint.kskn";
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.wstring();
}

// Milliseconds per page for scrolling a list of 100,000 items page by page, and for painting its
// first page. The scroll goes in kStretches stretches of 200 pages spread over the whole list, each
// followed by 200 paints of the first page, so that both sides meet the machine's load alike; each
// side's figure is its best stretch.
struct TListScroll {
    int Pages = 0;
    double Scroll = 1e30;
    double Paint = 1e30;
};

TListScroll TimeListScroll(TForm1* form)
{
    constexpr int kItems = 100000;
    constexpr int kStretch = 200;
    constexpr int kStretches = 8;
    auto* list = new TSeSkinListBox(form);
    list->SetParent(form);
    list->SetBounds(8, 8, 200, 300);
    list->SetSkinEngine(form->SeSkinEngine1);
    list->Items().BeginUpdate();
    for (int i = 0; i < kItems; ++i) list->Items().Add(L"Item " + std::to_wstring(i));
    list->Items().EndUpdate();
    HWND window = list->Handle();
    Application->ProcessMessages();

    auto milliseconds = [](const std::function<void()>& work) {
        const auto start = std::chrono::steady_clock::now();
        work();
        GdiFlush();
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    };
    auto showItem = [&](int index) {
        list->SetItemIndex(index);
        UpdateWindow(window);
    };
    TListScroll result;
    for (int stretch = 0; stretch < kStretches; ++stretch) {
        showItem(stretch * (kItems / kStretches));
        int pages = 0;
        // The list paints each page at once, before the key's message returns.
        const double scroll = milliseconds([&] {
            while (pages < kStretch && list->ItemIndex() < kItems - 1) {
                SendMessageW(window, WM_KEYDOWN, VK_NEXT, 0);
                ++pages;
            }
        });
        showItem(0);
        const double paint = milliseconds([&] {
            for (int page = 0; page < pages; ++page) {
                list->Invalidate();
                UpdateWindow(window);
            }
        });
        result.Pages += pages;
        result.Scroll = std::min(result.Scroll, scroll / pages);
        result.Paint = std::min(result.Paint, paint / pages);
    }
    delete list;
    return result;
}

double Milliseconds()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Watches the messages the menu's loop takes: behind the drop-down's paint message it posts a
// marker, which is taken once that paint is done; then the menu is closed with two Escapes.
struct TDropDownWatch {
    static constexpr LPARAM kMarker = 0x4D454E55;
    HWND form = nullptr;
    bool markerPosted = false;
    double paintedAt = 0;
    HHOOK hook = nullptr;
};
TDropDownWatch watch;

LRESULT CALLBACK WatchMessages(int code, WPARAM removal, LPARAM message)
{
    const MSG& msg = *reinterpret_cast<const MSG*>(message);
    if (code == HC_ACTION && removal == PM_REMOVE) {
        wchar_t className[64] = {};
        if (msg.message == WM_PAINT && !watch.markerPosted && GetClassNameW(msg.hwnd, className, 64) &&
            std::wstring(className) == L"Folvane.PopupMenu") {
            watch.markerPosted = true;
            PostMessageW(watch.form, WM_NULL, 0, TDropDownWatch::kMarker);
        } else if (msg.message == WM_NULL && msg.lParam == TDropDownWatch::kMarker && watch.paintedAt == 0) {
            watch.paintedAt = Milliseconds();
            PostMessageW(watch.form, WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessageW(watch.form, WM_KEYDOWN, VK_ESCAPE, 0);
        }
    }
    return CallNextHookEx(watch.hook, code, removal, message);
}

LRESULT CALLBACK PlainToolProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, msg, wParam, lParam);
}

// Median times of opening the bar's first drop-down and of a plain tool window of its size. The two
// are taken in turns, so that both meet the same load of the machine.
std::pair<double, double> MenuOpening(TForm1& form, SIZE& dropDown)
{
    constexpr int kOpenings = 60;
    TSeSkinMenuBar* bar = form.SeSkinMenuBar1;
    bar->SetShowAnimation(kaNone);
    TRect item = bar->View()->ItemRect(form.F1);
    const LPARAM at = MAKELPARAM((item.Left + item.Right) / 2, (item.Top + item.Bottom) / 2);
    {
        TKsPopupWindow* window = form.F1->CreatePopupWindow(nullptr);
        window->View()->ComputeSize();
        dropDown = {window->Width(), window->Height()};
        delete window;
    }
    WNDCLASSW plainClass{};
    plainClass.lpfnWndProc = PlainToolProcedure;
    plainClass.hInstance = GetModuleHandleW(nullptr);
    plainClass.hbrBackground = GetSysColorBrush(COLOR_MENU);
    plainClass.lpszClassName = L"Folvane.PlainTool";
    RegisterClassW(&plainClass);

    watch.form = form.Handle();
    watch.hook = SetWindowsHookExW(WH_GETMESSAGE, WatchMessages, nullptr, GetCurrentThreadId());
    std::vector<double> opening, plain;
    for (int i = 0; i <= kOpenings; ++i) {
        watch.markerPosted = false;
        watch.paintedAt = 0;
        double start = Milliseconds();
        PostMessageW(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(bar->Handle(), WM_LBUTTONUP, 0, at);
        Application->ProcessMessages();
        if (i > 0 && watch.paintedAt > 0) opening.push_back(watch.paintedAt - start);

        start = Milliseconds();
        HWND tool = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, plainClass.lpszClassName, L"", WS_POPUP, 100, 100,
                                    dropDown.cx, dropDown.cy, nullptr, nullptr, plainClass.hInstance, nullptr);
        ShowWindow(tool, SW_SHOWNOACTIVATE);
        UpdateWindow(tool);
        const double stop = Milliseconds();
        DestroyWindow(tool);
        Application->ProcessMessages();
        if (i > 0) plain.push_back(stop - start);
    }
    UnhookWindowsHookEx(watch.hook);
    if (opening.empty()) return {0, 0};
    return {Median(opening), Median(plain)};
}

// Median milliseconds of whole-window repaints (frame, menu bar, background, every control) of the
// skinned main window and of its platform peer, taken in turns so that both meet the same load.
std::pair<double, double> TimeWholeWindows(HWND skinned, HWND platform)
{
    constexpr int kRepaints = 150;
    constexpr UINT kWhole = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;
    auto time = [](HWND window) {
        const double start = Milliseconds();
        RedrawWindow(window, nullptr, nullptr, kWhole);
        GdiFlush();
        return Milliseconds() - start;
    };
    for (int i = 0; i < 10; ++i) {
        time(skinned);
        time(platform);
    }
    std::vector<double> ours, theirs;
    for (int i = 0; i < kRepaints; ++i) {
        ours.push_back(time(skinned));
        theirs.push_back(time(platform));
    }
    return {Median(ours), Median(theirs)};
}

} // namespace

// Posts Enter to the first window of a message dialog (the platform's or ours) that takes the focus.
HWND lastDialog = nullptr;
LRESULT CALLBACK PressEnterInDialogs(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_SETFOCUS) {
        auto focused = reinterpret_cast<HWND>(wParam);
        HWND dialog = GetAncestor(focused, GA_ROOT);
        wchar_t name[32] = {};
        GetClassNameW(dialog, name, 32);
        const std::wstring className = name;
        if (dialog != lastDialog && (className == L"#32770" || className == L"Folvane.MessageForm")) {
            lastDialog = dialog;
            PostMessageW(focused, WM_KEYDOWN, VK_RETURN, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Median of runs of the message dialog and the platform box, alternated, in milliseconds.
std::pair<double, double> TimeMessageDialogs(TForm1& form)
{
    HHOOK hook = SetWindowsHookExW(WH_CBT, PressEnterInDialogs, nullptr, GetCurrentThreadId());
    auto time = [](const std::function<void()>& work) {
        lastDialog = nullptr;
        const auto start = std::chrono::steady_clock::now();
        work();
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    };
    std::vector<double> ours;
    std::vector<double> platform;
    const std::wstring text = L"目錄列舉完畢";
    // At most 41 runs of each, and no more than 20 seconds: in a Wine prefix without our settings each
    // dialog waits two seconds for a window manager when it hides.
    const auto budget = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (int run = 0; run < 41 && (run < 3 || std::chrono::steady_clock::now() < budget); ++run) {
        ours.push_back(time([&] { form.SeSkinMessage1->ShowMessage(text); }));
        platform.push_back(time([&] { MessageBoxW(form.Handle(), text.c_str(), L"Folvane Tool", MB_OK); }));
    }
    if (ours.size() < 41) std::printf("message dialogs: %zu runs in the time allowed\n", ours.size());
    UnhookWindowsHookEx(hook);
    auto median = [](std::vector<double>& values) {
        // The first run of each makes what the process keeps; it is left out.
        values.erase(values.begin());
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    return {median(ours), median(platform)};
}

int main()
{
    Application->Initialize();
    Application->SetTitle(L"Folvane Tool");
    TForm1* form = Application->CreateForm<TForm1>();
    form->Show();
    Application->ProcessMessages();

    double skinnedWindow = 0;
    double platformWindow = 0;
    {
        RECT client;
        GetClientRect(form->Handle(), &client);
        TPlatformMainWindow peer(8, 8, client.right, client.bottom - form->SeSkinMenuBar1->Height(),
                                 form->Edit2->Text());
        Application->ProcessMessages();
        std::tie(skinnedWindow, platformWindow) = TimeWholeWindows(form->Handle(), peer.Handle());
    }
    std::printf("%-40s %8.3f ms\n", "repaint the whole skinned window", skinnedWindow);
    std::printf("%-40s %8.3f ms\n", "repaint the same window of platform controls", platformWindow);
    std::printf("ratio paint_window_vs_platform_window %.3f\n\n", skinnedWindow / platformWindow);

    const std::vector<TKsCustomControl*> skinned{
        form->Edit1,        form->BitBtn1,      form->ComboBox1, form->BitBtn2, form->GroupBox1,
        form->Edit2,        form->RadioButton1, form->RadioButton2, form->Edit3, form->BitBtn4,
        form->BitBtn3,      form->BitBtn5,      form->BitBtn6,    form->ProgressBar1};
    HWND window = form->Handle();
    RECT frame;
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;

    // The frame paints itself into the window's drawing context, then every skinned control renders
    // from scratch and copies its buffer to the screen in its own paint.
    auto paintWindow = [&] {
        HDC windowDC = GetWindowDC(window);
        SendMessageW(window, CM_PAINTFRAMETO, 0, reinterpret_cast<LPARAM>(windowDC));
        ReleaseDC(window, windowDC);
        for (TKsCustomControl* control : skinned) control->Invalidate();
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    };
    const double windowPaint = BestOf(paintWindow);
    TSeSkinButton* button = form->BitBtn5;
    const double buttonPaint = BestOf([&] {
        button->Invalidate();
        UpdateWindow(button->Handle());
    });
    // The plain windows lie on the form, above its controls, while they are timed.
    double windowBlit = 0;
    double buttonBlit = 0;
    {
        TPlainWindow plain(window, 0, 0, width, height);
        windowBlit = BestOf([&] { plain.Repaint(); });
    }
    {
        TPlainWindow plain(window, button->Left(), button->Top(), button->Width(), button->Height());
        buttonBlit = BestOf([&] { plain.Repaint(); });
    }

    std::printf("main window %d x %d, %zu skinned controls\n", width, height, skinned.size());
    std::printf("%-40s %8.3f ms\n", "paint the whole window", windowPaint);
    std::printf("%-40s %8.3f ms\n", "paint of one BitBlt of the window's size", windowBlit);
    std::printf("%-40s %8.3f ms\n", "paint one button (73 x 25)", buttonPaint);
    std::printf("%-40s %8.3f ms\n", "paint of one BitBlt of the button's size", buttonBlit);

    // Warm-up: whatever is made once and kept (fonts, the first skin copies) exists before counting.
    const std::wstring skinFile = SkinFile();
    form->SeSkinEngine1->SetSkinFile(skinFile);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Application->ProcessMessages();
    const DWORD gdiBefore = GdiObjectCount();
    const DWORD userBefore = UserObjectCount();
    for (int i = 0; i < 300; ++i)
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (int i = 0; i < 100; ++i) form->SeSkinEngine1->SetSkinFile(skinFile);
    Application->ProcessMessages();
    const DWORD gdiAfter = GdiObjectCount();
    const DWORD userAfter = UserObjectCount();
    std::filesystem::remove(skinFile);
    std::printf("GDI objects before %lu, after 300 repaints and 100 skin reloads %lu\n", gdiBefore, gdiAfter);
    std::printf("USER objects before %lu, after %lu\n", userBefore, userAfter);

    SIZE dropDown{0, 0};
    const auto [menuOpen, plainOpen] = MenuOpening(*form, dropDown);
    std::printf("%-40s %8.3f ms\n", "click on the bar to drop-down painted", menuOpen);
    std::printf("plain tool window of %ld x %ld made, shown, painted %8.3f ms\n", dropDown.cx, dropDown.cy, plainOpen);
    const auto [messageDialog, platformBox] = TimeMessageDialogs(*form);
    std::printf("%-40s %8.3f ms\n", "skinned message dialog, shown and closed", messageDialog);
    std::printf("%-40s %8.3f ms\n", "platform message box, shown and closed", platformBox);

    std::printf("\nratio paint_window_vs_blit %.3f\n", windowPaint / windowBlit);
    std::printf("ratio paint_button_vs_blit %.3f\n", buttonPaint / buttonBlit);
    std::printf("ratio popup_open_vs_plain_window %.3f\n", menuOpen / plainOpen);
    std::printf("ratio message_dialog_vs_platform_box %.3f\n", messageDialog / platformBox);

    const TListScroll list = TimeListScroll(form);
    std::printf("\nlist box of 100,000 items, %d pages scrolled\n", list.Pages);
    std::printf("%-40s %8.3f ms\n", "scroll one page and paint it", list.Scroll);
    std::printf("%-40s %8.3f ms\n", "paint the first page", list.Paint);
    std::printf("ratio listbox_scroll_vs_page_paint %.3f\n", list.Scroll / list.Paint);
    BenchEdit(form->Edit1, window);
    delete form;
    return 0;
}
