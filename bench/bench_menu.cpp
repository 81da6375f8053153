// Times opening a drop-down menu: from the click on a skinned menu bar's item until the drop-down
// has painted its last item (show animation off), against creating, showing and painting a plain
// empty tool window of the same size. The skin is the program's own (resources/folvane.skin in the
// build folder).
#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/Streams.h"
#include "framework/Text.h"
#include "skinwin/KsMenuForm.h"
#include "skinwin/KsSkinMenus.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRepeats = 40;

double Now()
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / frequency;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void ReadSkin(TSeSkinEngine& engine)
{
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    TMemoryStream store;
    store.LoadFromFile(IncludeTrailingBackslash(ExtractFilePath(exe)) + L"..\\resources\\folvane.skin");
    TMemoryStream stored;
    stored.WriteByte(2);
    stored.CopyFrom(store, 0);
    stored.SetPosition(0);
    engine.ReadSkinStream(stored);
}

// An entry of the measured drop-down: painting the last one ends the measurement and closes the
// menu.
class TTimedItem : public TSeSkinItem {
public:
    using TSeSkinItem::TSeSkinItem;
    double* PaintedAt = nullptr;
    HWND Form = nullptr;

    void Paint(TKsBitmap& buffer, const TKsItemView& view, bool mouseDriven, bool selected,
               const TRect& rect) override
    {
        TSeSkinItem::Paint(buffer, view, mouseDriven, selected, rect);
        if (!PaintedAt || *PaintedAt != 0) return;
        *PaintedAt = Now();
        // One Escape closes the drop-down, the next ends the bar's tracking.
        PostMessageW(Form, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageW(Form, WM_KEYDOWN, VK_ESCAPE, 0);
    }
};

LRESULT CALLBACK PlainProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, msg, wParam, lParam);
}

} // namespace

int main()
{
    Application->Initialize();
    TForm form(nullptr);
    form.SetBounds(100, 100, 400, 300);
    auto* engine = new TSeSkinEngine(&form);
    try {
        ReadSkin(*engine);
    } catch (const Exception& e) {
        std::printf("the skin store is not built: %s\n", e.what());
        return 1;
    }
    auto* bar = new TSeSkinMenuBar(&form);
    bar->SetParent(&form);
    auto* file = new TSeSkinItem(&form);
    file->SetCaption(L"檔案(&F)");
    bar->Items()->Add(file);
    double paintedAt = 0;
    TTimedItem* last = nullptr;
    for (const wchar_t* caption : {L"載入設定檔(*.CFG)(&L)", L"儲存設定檔(*.CFG)(&S)", L"離開(&X)"}) {
        last = new TTimedItem(&form);
        last->SetCaption(caption);
        file->Add(last);
    }
    last->PaintedAt = &paintedAt;
    bar->SetSkinEngine(engine);
    form.Show();
    last->Form = form.Handle();
    Application->ProcessMessages();

    TRect itemRect = bar->View()->ItemRect(file);
    LPARAM at = MAKELPARAM((itemRect.Left + itemRect.Right) / 2, (itemRect.Top + itemRect.Bottom) / 2);
    SIZE popupSize{0, 0};
    std::vector<double> opening;
    for (int i = 0; i <= kRepeats; ++i) {
        paintedAt = 0;
        double start = Now();
        PostMessageW(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(bar->Handle(), WM_LBUTTONUP, 0, at);
        Application->ProcessMessages();
        if (paintedAt == 0) {
            std::printf("the drop-down did not open\n");
            return 1;
        }
        if (i > 0) opening.push_back(paintedAt - start);
    }
    // The same window opened once more, to learn its size.
    {
        TKsPopupWindow* window = file->CreatePopupWindow(nullptr);
        window->View()->ComputeSize();
        popupSize = {window->Width(), window->Height()};
        delete window;
    }

    WNDCLASSW plainClass{};
    plainClass.lpfnWndProc = PlainProc;
    plainClass.hInstance = GetModuleHandleW(nullptr);
    plainClass.hbrBackground = GetSysColorBrush(COLOR_MENU);
    plainClass.lpszClassName = L"Folvane.BenchPlain";
    RegisterClassW(&plainClass);
    std::vector<double> plain;
    for (int i = 0; i <= kRepeats; ++i) {
        double start = Now();
        HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, plainClass.lpszClassName, L"", WS_POPUP, 100,
                                      121, popupSize.cx, popupSize.cy, nullptr, nullptr, plainClass.hInstance, nullptr);
        ShowWindow(window, SW_SHOWNOACTIVATE);
        UpdateWindow(window);
        double stop = Now();
        DestroyWindow(window);
        Application->ProcessMessages();
        if (i > 0) plain.push_back(stop - start);
    }

    double open = Median(opening), reference = Median(plain);
    std::printf("drop-down of %ld x %ld pixels, median of %d\n", popupSize.cx, popupSize.cy, kRepeats);
    std::printf("click on the bar to drop-down painted:      %.3f ms\n", open);
    std::printf("plain tool window created, shown, painted:  %.3f ms\n", reference);
    std::printf("ratio popup_open_vs_plain_window %.2f\n", open / reference);
    return 0;
}
