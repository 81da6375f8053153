#include "skinwin/KsForms.h"

#include "framework/Application.h"
#include "framework/Messages.h"
#include "skinwin/KsSystemMenu.h"

#include <shellapi.h>

// The frame's hidden utility window, the notification-area icon it receives the callback of, and
// the system menu.

namespace {

const wchar_t* const kUtilityClass = L"Folvane.FrameUtility";

struct TMenuTraits {
    using Handle = HMENU;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DestroyMenu(h); }
};
using TMenuHandle = TUniqueHandle<TMenuTraits>;

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
    WNDCLASSEXW existing{sizeof(existing)};
    if (!GetClassInfoExW(instance, kUtilityClass, &existing)) {
        WNDCLASSEXW wc{sizeof(wc)};
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
        RemoveTrayIcon();
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
    trayTip_ = tip;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = utilityWindow_.Get();
    data.uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(this));
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = CM_TRAYCALLBACK;
    data.hIcon = FormIcon() ? FormIcon() : LoadIconW(nullptr, IDI_APPLICATION);
    tip.copy(data.szTip, std::size(data.szTip) - 1);
    trayIconShown_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
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
    Shell_NotifyIconW(NIM_DELETE, &data);
}

// The system menu, made anew each time from the entries the frame's icons and state offer, at the
// cursor while the window is in the notification area, else at the point of the click that asked
// for it, else at the client area's origin.
void TKsCustomForm::ShowSystemMenu()
{
    HWND window = FormWindow();
    if (!window) return;
    POINT at;
    if (windowState_ == kwsTray) {
        GetCursorPos(&at);
    } else if (popupPoint_) {
        at = {popupPoint_->X, popupPoint_->Y};
    } else {
        at = {0, 0};
        ClientToScreen(window, &at);
    }
    std::vector<TKsSystemMenuEntry> entries = SystemMenuEntries(borderIcons_, windowState_);
    TMenuHandle menu(CreatePopupMenu());
    if (!menu) return;
    for (const TKsSystemMenuEntry& entry : entries) {
        if (entry.Command == scSeparator) {
            AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::wstring text = entry.ShortCut.empty() ? entry.Caption : entry.Caption + L"\t" + entry.ShortCut;
        AppendMenuW(menu.Get(), MF_STRING, entry.Command + 1, text.c_str());
    }
    // The menu's owner must be the foreground window, or the menu does not close on a click elsewhere.
    HWND owner = windowState_ == kwsTray ? utilityWindow_.Get() : window;
    SetForegroundWindow(owner);
    int chosen = TrackPopupMenuEx(menu.Get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x,
                                  at.y, owner, nullptr);
    if (chosen <= 0) return;
    switch (static_cast<TKsSystemCommand>(chosen - 1)) {
    case scRestore:
        Restore();
        break;
    case scMinimize:
        Minimize();
        break;
    case scMaximize:
        Maximize();
        break;
    case scRollup:
        RollUp();
        break;
    case scTray:
        MinimizeToTray();
        break;
    case scClose:
        Close();
        break;
    default:
        break;
    }
}
