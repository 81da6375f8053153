#include "ModalDriver.h"

#include "skinwin/KsMessages.h"
#include "tests/support/WindowQueries.h"

#include <chrono>

namespace {

std::wstring ClassName(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// The program's own message dialog on this window, or none.
TKsMessageForm* MessageFormOf(HWND window)
{
    return ClassName(window) == L"Folvane.MessageForm" ? dynamic_cast<TKsMessageForm*>(TWinControl::FindControl(window))
                                                        : nullptr;
}

} // namespace

std::wstring StaticTexts(HWND window)
{
    // The dialog was laid out before it was shown and its text is not changed afterwards.
    if (TKsMessageForm* dialog = MessageFormOf(window)) {
        auto* label = dynamic_cast<TLabel*>(dialog->FindComponent(L"Message"));
        return label ? label->Caption() : std::wstring();
    }
    std::wstring texts;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            auto& out = *reinterpret_cast<std::wstring*>(data);
            std::wstring text = WindowText(child);
            if (_wcsicmp(ClassName(child).c_str(), L"Static") == 0 && !text.empty())
                out += (out.empty() ? L"" : L"\n") + text;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

TModalDriver::~TModalDriver()
{
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}

void TModalDriver::Expect(const std::wstring& caption, TAction action)
{
    std::lock_guard lock(mutex_);
    steps_.push_back({caption, std::move(action)});
    if (!thread_.joinable()) thread_ = std::thread([this] { Work(); });
}

bool TModalDriver::WaitDone(DWORD milliseconds)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (next_ == steps_.size()) return true;
        }
        if (std::chrono::steady_clock::now() > deadline) return false;
        // The windows may belong to this thread: keep its messages flowing while waiting.
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

std::vector<std::wstring> TModalDriver::Texts() const
{
    std::lock_guard lock(mutex_);
    return texts_;
}

void TModalDriver::Work()
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!stop_ && std::chrono::steady_clock::now() < deadline) {
        TStep step;
        {
            std::lock_guard lock(mutex_);
            if (next_ == steps_.size()) return;
            step = steps_[next_];
        }
        HWND window = FindWindowOfThisProcess(step.Caption);
        if (!window) {
            Sleep(20);
            continue;
        }
        // Give the window a moment to finish its initialisation before it is worked.
        Sleep(100);
        std::wstring texts = StaticTexts(window);
        step.Action(window);
        // The next step must not find this same window again before it closes.
        for (int i = 0; i < 200 && IsWindow(window) && IsWindowVisible(window); ++i) Sleep(10);
        std::lock_guard lock(mutex_);
        texts_.push_back(texts);
        ++next_;
    }
}

HWND TModalDriver::FindWindowOfThisProcess(const std::wstring& caption) const
{
    struct TSearch {
        std::wstring caption;
        HWND found = nullptr;
    } search{caption};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<TSearch*>(data);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
                (ClassName(window) == L"#32770" || ClassName(window) == L"Folvane.MessageForm") &&
                WindowText(window) == s.caption) {
                s.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TModalDriver::TAction TModalDriver::Press(int buttonId)
{
    return [buttonId](HWND dialog) {
        if (TKsMessageForm* form = MessageFormOf(dialog)) {
            // The button whose kind answers with this result, clicked with the mouse.
            for (int i = 0; i < form->ControlCount(); ++i) {
                auto* button = dynamic_cast<TKsCustomButton*>(form->Controls(i));
                if (!button || button->ModalResult() != buttonId || !button->HandleAllocated()) continue;
                LPARAM centre = MAKELPARAM(button->Width() / 2, button->Height() / 2);
                PostMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, centre);
                PostMessageW(button->Handle(), WM_LBUTTONUP, 0, centre);
                return;
            }
            return;
        }
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
    };
}

TModalDriver::TAction TModalDriver::SetTextAndPress(int editId, std::wstring text, int buttonId)
{
    return [editId, text, buttonId](HWND dialog) {
        SendMessageW(GetDlgItem(dialog, editId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        Press(buttonId)(dialog);
    };
}
