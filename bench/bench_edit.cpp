// Times the single-line edit on a real window:
//  - typing 1,000 characters one by one into an edit that scrolls, each keystroke painted on the
//    screen (WM_CHAR, then UpdateWindow), against one plain BitBlt of the edit's size per keystroke,
//    and against the same typing into the platform's own edit control;
//  - placing the caret by a mouse click (button down and up) in a 2,000-character text, against
//    measuring that text once and against the same click in an empty edit; and the position lookup
//    alone (EM_CHARFROMPOS) against measuring the text once.
// Every figure is the best of several runs after one untimed warm-up run.
#include "framework/Application.h"
#include "framework/Forms.h"
#include "skinctl/KsEdits.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

namespace {

constexpr int kRuns = 5;
constexpr int kKeystrokes = 1000;
constexpr int kClicks = 500;
constexpr int kHitTextLength = 2000;
constexpr int kEditWidth = 121;
constexpr int kEditHeight = 21;

// Best time of kRuns runs after one warm-up run, in milliseconds.
double BestOf(const std::function<void()>& work)
{
    work();
    double best = 1e30;
    for (int i = 0; i < kRuns; ++i) {
        auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

// A text of words and blanks, as a path or a sentence would have.
wchar_t TextUnit(int i) { return i % 7 == 6 ? L' ' : static_cast<wchar_t>(L'a' + i % 26); }

// Types kKeystrokes characters into window, each painted before the next.
double Typing(HWND window, const std::function<void()>& clear)
{
    return BestOf([&] {
        clear();
        for (int i = 0; i < kKeystrokes; ++i) {
            SendMessageW(window, WM_CHAR, TextUnit(i), 1);
            UpdateWindow(window);
        }
    });
}

// Milliseconds per left click at x positions spread over the edit.
double Clicks(HWND window)
{
    return BestOf([&] {
               for (int i = 0; i < kClicks; ++i) {
                   LPARAM point = MAKELPARAM(4 + (i * 37) % (kEditWidth - 8), 8);
                   SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
                   SendMessageW(window, WM_LBUTTONUP, 0, point);
               }
           }) /
           kClicks;
}

} // namespace

int main()
{
    TApplication application;
    application.Initialize();
    auto* form = new TForm(nullptr);
    form->SetBounds(40, 40, 300, 120);
    auto* edit = new TKsCustomEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, kEditWidth, kEditHeight);
    HWND platformEdit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 50,
                                        kEditWidth, kEditHeight, form->Handle(), nullptr, nullptr, nullptr);
    SendMessageW(platformEdit, WM_SETFONT, reinterpret_cast<WPARAM>(edit->Font().Handle()), FALSE);
    form->Show();
    application.ProcessMessages();
    HWND window = edit->Handle();

    SetFocus(platformEdit);
    double platformTyping = Typing(platformEdit, [&] { SetWindowTextW(platformEdit, L""); });
    edit->SetFocus();
    application.ProcessMessages();
    double typing = Typing(window, [&] { edit->SetText(L""); });

    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kEditWidth, kEditHeight);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    double blits = BestOf([&] {
        for (int i = 0; i < kKeystrokes; ++i) BitBlt(screen, 0, 0, kEditWidth, kEditHeight, memory, 0, 0, SRCCOPY);
        GdiFlush();
    });

    edit->SetText(L"");
    double emptyClick = Clicks(window);
    std::wstring longText;
    for (int i = 0; i < kHitTextLength; ++i) longText.push_back(TextUnit(i));
    edit->SetText(longText);
    edit->SetSelStart(kHitTextLength / 2);
    double click = Clicks(window);
    double lookup = BestOf([&] {
                        for (int i = 0; i < kClicks; ++i)
                            SendMessageW(window, EM_CHARFROMPOS, 0, MAKELPARAM(4 + (i * 37) % (kEditWidth - 8), 8));
                    }) /
                    kClicks;
    HGDIOBJ oldFont = SelectObject(memory, edit->Font().Handle());
    double measure = BestOf([&] {
        SIZE size;
        GetTextExtentPoint32W(memory, longText.data(), kHitTextLength, &size);
    });

    SelectObject(memory, oldFont);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    delete form;

    std::printf("typing %d characters, each painted       %10.3f ms\n", kKeystrokes, typing);
    std::printf("  the same into the platform's edit        %10.3f ms\n", platformTyping);
    std::printf("%d blits of %d x %d pixels                %10.3f ms\n", kKeystrokes, kEditWidth, kEditHeight, blits);
    std::printf("one click in a %d-character text         %10.4f ms\n", kHitTextLength, click);
    std::printf("  the same click in an empty edit          %10.4f ms\n", emptyClick);
    std::printf("  the position lookup alone (EM_CHARFROMPOS) %8.4f ms\n", lookup);
    std::printf("measuring that text once                  %10.4f ms\n", measure);
    std::printf("ratio edit_keystroke_vs_blit %.3f\n", typing / blits);
    std::printf("ratio edit_keystroke_vs_platform_edit %.3f\n", typing / platformTyping);
    std::printf("ratio edit_hit_vs_measure %.3f\n", click / measure);
    std::printf("ratio edit_hit_vs_empty_edit_hit %.3f\n", click / emptyClick);
    std::printf("ratio edit_lookup_vs_measure %.3f\n", lookup / measure);
    return 0;
}
