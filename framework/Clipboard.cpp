#include "framework/Clipboard.h"

#include "framework/Exceptions.h"

#include <cstring>

namespace {

// OpenClipboard / CloseClipboard around a scope.
class TOpenClipboard {
public:
    explicit TOpenClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    TOpenClipboard(const TOpenClipboard&) = delete;
    TOpenClipboard& operator=(const TOpenClipboard&) = delete;
    ~TOpenClipboard()
    {
        if (open_) CloseClipboard();
    }
    bool Open() const { return open_; }

private:
    bool open_;
};

// GlobalLock / GlobalUnlock around a scope.
class TGlobalLock {
public:
    explicit TGlobalLock(HGLOBAL memory) : memory_(memory), data_(memory ? GlobalLock(memory) : nullptr) {}
    TGlobalLock(const TGlobalLock&) = delete;
    TGlobalLock& operator=(const TGlobalLock&) = delete;
    ~TGlobalLock()
    {
        if (data_) GlobalUnlock(memory_);
    }
    void* Data() const { return data_; }

private:
    HGLOBAL memory_;
    void* data_;
};

} // namespace

bool ClipboardHasText() { return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE; }

std::wstring ClipboardText()
{
    TOpenClipboard clipboard(nullptr);
    if (!clipboard.Open()) return {};
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) return {};
    TGlobalLock lock(data);
    if (!lock.Data()) return {};
    // The text ends at its terminator or at the end of the block, whichever comes first.
    size_t capacity = GlobalSize(data) / sizeof(wchar_t);
    const auto* text = static_cast<const wchar_t*>(lock.Data());
    return std::wstring(text, wcsnlen(text, capacity));
}

void SetClipboardText(HWND owner, std::wstring_view text)
{
    TOpenClipboard clipboard(owner);
    if (!clipboard.Open()) RaiseLastOSError();
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (!memory) RaiseLastOSError();
    {
        TGlobalLock lock(memory);
        auto* target = static_cast<wchar_t*>(lock.Data());
        std::memcpy(target, text.data(), text.size() * sizeof(wchar_t));
        target[text.size()] = L'\0';
    }
    // Once the clipboard takes the block it owns it; until then it is ours to free.
    if (!SetClipboardData(CF_UNICODETEXT, memory)) {
        DWORD error = GetLastError();
        GlobalFree(memory);
        SetLastError(error);
        RaiseLastOSError();
    }
}

bool TrySetClipboardText(HWND owner, std::wstring_view text)
{
    try {
        SetClipboardText(owner, text);
        return true;
    } catch (const EOSError&) {
        return false;
    }
}
