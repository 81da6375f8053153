#include "skinwin/KsForms.h"

#include "framework/Application.h"
#include "framework/Messages.h"

// The frame's hidden utility window and the notification-area icon it receives the callback of.

namespace {

const wchar_t* const kUtilityClass = L"Folvane.FrameUtility";

} // namespace

std::wstring CutTrayTip(const std::wstring& text)
{
    constexpr size_t kTipLength = 63;
    if (text.size() <= kTipLength) return text;
    size_t length = kTipLength;
    if (IS_HIGH_SURROGATE(text[length - 1])) --length;
    return text.substr(0, length);
}

void TKsCustomForm::CreateUtilityWindow()
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (!GetClassInfoExW(instance, kUtilityClass, &existing)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = UtilityProc;
        wc.hInstance = instance;
        wc.lpszClassName = kUtilityClass;
        if (!RegisterClassExW(&wc)) RaiseLastOSError();
    }
    // A hidden top-level window rather than a message-only one: the session's end is announced to
    // top-level windows only.
    utilityWindow_.Reset(CreateWindowExW(WS_EX_TOOLWINDOW, kUtilityClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                         instance, nullptr));
    if (!utilityWindow_) RaiseLastOSError();
    SetWindowLongPtrW(utilityWindow_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

LRESULT CALLBACK TKsCustomForm::UtilityProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* frame = reinterpret_cast<TKsCustomForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!frame || (msg != CM_TRAYCALLBACK && msg != WM_QUERYENDSESSION && msg != WM_ENDSESSION))
        return DefWindowProcW(window, msg, wParam, lParam);
    TMessage message{msg, wParam, lParam, 0};
    GuardEntryPoint([&] { frame->UtilityMessage(message); });
    return message.Result;
}

void TKsCustomForm::UtilityMessage(TMessage& message)
{
    switch (message.Msg) {
    case WM_QUERYENDSESSION:
        message.Result = 1;
        return;
    case WM_ENDSESSION:
        // A shutdown that was cancelled leaves the window in the tray, which it can only leave
        // through its icon.
        if (message.WParam) RemoveTrayIcon();
        return;
    case CM_TRAYCALLBACK:
        if (message.LParam == WM_LBUTTONDBLCLK)
            Restore();
        else if (message.LParam == WM_RBUTTONUP)
            ShowSystemMenu();
        return;
    default:
        return;
    }
}

bool TKsCustomForm::AddTrayIcon(const std::wstring& tip)
{
    RemoveTrayIcon();
    // Made with the first icon: most frames (popup menus, dialogs) never go to the tray.
    if (!utilityWindow_) CreateUtilityWindow();
    trayTip_ = tip;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = utilityWindow_.Get();
    data.uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(this));
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = CM_TRAYCALLBACK;
    data.hIcon = FormIcon();
    tip.copy(data.szTip, std::size(data.szTip) - 1);
    trayIconShown_ = NotifyIcon(NIM_ADD, data);
    return trayIconShown_;
}

void TKsCustomForm::RemoveTrayIcon()
{
    if (!trayIconShown_) return;
    trayIconShown_ = false;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = utilityWindow_.Get();
    data.uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(this));
    NotifyIcon(NIM_DELETE, data);
}

bool TKsCustomForm::NotifyIcon(DWORD message, NOTIFYICONDATAW& data) { return Shell_NotifyIconW(message, &data); }
