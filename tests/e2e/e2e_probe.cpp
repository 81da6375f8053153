// Helper of the end-to-end check, run under Wine beside the program:
//   origin TITLE        screen position of the client area of the top-level window TITLE: "x y"
//   frame TITLE         screen rectangle of the whole window TITLE: "width height left top"
//   message TITLE       UTF-8 text of the visible message window TITLE (a platform box, or the
//                       program's own dialog, which puts its text on the clipboard on WM_COPY)
//   dialog TITLE        class and screen rectangle of the visible message window TITLE:
//                       "class width height left top", then the screen's "width height"
//   menu                screen rectangle of the visible menu window of the program's own popup
//                       menu class: "width height left top"
//   close TITLE         asks the top-level window TITLE to close
//   text-at X Y         UTF-8 text of the window at screen point (X, Y), as the window itself answers
//   headers T0 T1       for every second from Unix time T0 to T1, the header line a run started at
//                       that moment writes, as hexadecimal bytes in the ANSI code page, one per line
// The header is built here from the platform's own formats (user's short date, a blank, the user's
// long time; no time at exactly midnight), independently of the program's code.
#include <windows.h>

#include <shellapi.h>

#include <cstdlib>
#include <string>

namespace {

void Write(const std::string& text)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::string Convert(const std::wstring& text, UINT codePage)
{
    if (text.empty()) return {};
    int size =
        WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

// The argument as the shell gave it; the narrow arguments are in the ANSI code page, not in UTF-8.
std::wstring WideArgument(int index)
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring argument = arguments && index < count ? arguments[index] : L"";
    LocalFree(arguments);
    return argument;
}

const wchar_t* const kOwnMessageClass = L"Folvane.MessageForm";
const wchar_t* const kOwnMenuClass = L"Folvane.PopupMenu";

HWND MessageWindow(const std::wstring& title)
{
    for (const wchar_t* name : {L"#32770", kOwnMessageClass})
        for (HWND window = FindWindowW(name, title.c_str()); window;
             window = FindWindowExW(nullptr, window, name, title.c_str()))
            if (IsWindowVisible(window)) return window;
    return nullptr;
}

// The text of the program's own dialog: the block between the second and third rule of what it
// copies ("rule, caption, rule, text, rule, buttons, rule").
std::wstring OwnMessageText(HWND window)
{
    SendMessageW(window, WM_COPY, 0, 0);
    std::wstring copied;
    if (!OpenClipboard(nullptr)) return copied;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
            copied = text;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    const std::wstring rule = L"---------------------------\r\n";
    size_t first = copied.find(rule);
    size_t second = first == std::wstring::npos ? first : copied.find(rule, first + rule.size());
    size_t third = second == std::wstring::npos ? second : copied.find(rule, second + rule.size());
    if (third == std::wstring::npos) return {};
    std::wstring text = copied.substr(second + rule.size(), third - second - rule.size());
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) text.pop_back();
    return text;
}

// The visible top-level window with this title that is not a message window.
HWND MainWindow(const std::wstring& title)
{
    for (HWND window = FindWindowExW(nullptr, nullptr, nullptr, title.c_str()); window;
         window = FindWindowExW(nullptr, window, nullptr, title.c_str())) {
        wchar_t name[32] = {};
        GetClassNameW(window, name, 32);
        if (IsWindowVisible(window) && std::wstring(name) != L"#32770" && std::wstring(name) != kOwnMessageClass)
            return window;
    }
    return nullptr;
}

std::wstring Text(HWND window)
{
    std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
    text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
    return text;
}

std::wstring Header(const SYSTEMTIME& time)
{
    wchar_t date[128] = {};
    wchar_t clock[128] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, 128);
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, 128);
    std::wstring header = L"列舉日期: " + std::wstring(date);
    if (time.wHour || time.wMinute || time.wSecond) header += L" " + std::wstring(clock);
    return header + L"\r\n";
}

SYSTEMTIME LocalTimeOf(long long unixSeconds)
{
    ULARGE_INTEGER ticks;
    ticks.QuadPart = (static_cast<unsigned long long>(unixSeconds) + 11644473600ull) * 10000000ull;
    FILETIME utc{ticks.LowPart, ticks.HighPart};
    FILETIME local;
    FileTimeToLocalFileTime(&utc, &local);
    SYSTEMTIME time;
    FileTimeToSystemTime(&local, &time);
    return time;
}

std::string Hex(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : bytes) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) return 2;
    std::string command = argv[1];
    if (argc < 3 && command != "menu") return 2;
    if (command == "origin") {
        HWND window = MainWindow(WideArgument(2));
        POINT origin{0, 0};
        if (!window || !ClientToScreen(window, &origin)) return 1;
        Write(std::to_string(origin.x) + " " + std::to_string(origin.y) + "\n");
    } else if (command == "frame") {
        HWND window = MainWindow(WideArgument(2));
        RECT r;
        if (!window || !GetWindowRect(window, &r)) return 1;
        Write(std::to_string(r.right - r.left) + " " + std::to_string(r.bottom - r.top) + " " + std::to_string(r.left) +
              " " + std::to_string(r.top) + "\n");
    } else if (command == "message") {
        HWND window = MessageWindow(WideArgument(2));
        if (!window) return 1;
        wchar_t className[32] = {};
        GetClassNameW(window, className, 32);
        if (std::wstring(className) == kOwnMessageClass) {
            Write(Convert(OwnMessageText(window), CP_UTF8) + "\n");
            return 0;
        }
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t name[32] = {};
            GetClassNameW(child, name, 32);
            std::wstring text = Text(child);
            if (_wcsicmp(name, L"Static") == 0 && !text.empty()) Write(Convert(text, CP_UTF8) + "\n");
        }
    } else if (command == "dialog") {
        HWND window = MessageWindow(WideArgument(2));
        RECT r;
        if (!window || !GetWindowRect(window, &r)) return 1;
        wchar_t className[32] = {};
        GetClassNameW(window, className, 32);
        Write(Convert(className, CP_UTF8) + " " + std::to_string(r.right - r.left) + " " +
              std::to_string(r.bottom - r.top) + " " + std::to_string(r.left) + " " + std::to_string(r.top) + " " +
              std::to_string(GetSystemMetrics(SM_CXSCREEN)) + " " + std::to_string(GetSystemMetrics(SM_CYSCREEN)) +
              "\n");
    } else if (command == "menu") {
        // Found by its class: the main window's caption names the loaded .cfg by then.
        for (HWND window = FindWindowW(kOwnMenuClass, nullptr); window;
             window = FindWindowExW(nullptr, window, kOwnMenuClass, nullptr)) {
            RECT r;
            if (!IsWindowVisible(window) || !GetWindowRect(window, &r)) continue;
            Write(std::to_string(r.right - r.left) + " " + std::to_string(r.bottom - r.top) + " " +
                  std::to_string(r.left) + " " + std::to_string(r.top) + "\n");
            return 0;
        }
        return 1;
    } else if (command == "close") {
        HWND window = MainWindow(WideArgument(2));
        if (!window) return 1;
        PostMessageW(window, WM_CLOSE, 0, 0);
    } else if (command == "text-at" && argc == 4) {
        HWND window = WindowFromPoint(POINT{std::atoi(argv[2]), std::atoi(argv[3])});
        if (!window) return 1;
        // The program's own text boxes keep their text themselves: only the window can answer.
        wchar_t text[256] = {};
        SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
        Write(Convert(text, CP_UTF8) + "\n");
    } else if (command == "headers" && argc == 4) {
        for (long long second = std::atoll(argv[2]); second <= std::atoll(argv[3]); ++second)
            Write(Hex(Convert(Header(LocalTimeOf(second)), CP_ACP)) + "\n");
    } else {
        return 2;
    }
    return 0;
}
