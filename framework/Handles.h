#pragma once

#include <windows.h>

#include <utility>

// Owns one platform handle and releases it with Traits::Close when it goes out of scope.
template <typename Traits>
class TUniqueHandle {
public:
    using Handle = typename Traits::Handle;

    TUniqueHandle() = default;
    explicit TUniqueHandle(Handle handle) : handle_(handle) {}
    TUniqueHandle(const TUniqueHandle&) = delete;
    TUniqueHandle& operator=(const TUniqueHandle&) = delete;
    TUniqueHandle(TUniqueHandle&& other) noexcept : handle_(other.Release()) {}
    TUniqueHandle& operator=(TUniqueHandle&& other) noexcept
    {
        Reset(other.Release());
        return *this;
    }
    ~TUniqueHandle() { Reset(); }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Invalid(); }

    Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
    void Reset(Handle handle = Traits::Invalid())
    {
        Handle old = std::exchange(handle_, handle);
        if (old != Traits::Invalid()) Traits::Close(old);
    }

private:
    Handle handle_ = Traits::Invalid();
};

// DeleteObject: pens, brushes, fonts, bitmaps, regions.
template <typename T>
struct TGdiObjectTraits {
    using Handle = T;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
using TBitmapHandle = TUniqueHandle<TGdiObjectTraits<HBITMAP>>;
using TFontHandle = TUniqueHandle<TGdiObjectTraits<HFONT>>;
using TBrushHandle = TUniqueHandle<TGdiObjectTraits<HBRUSH>>;
using TPenHandle = TUniqueHandle<TGdiObjectTraits<HPEN>>;
using TRegionHandle = TUniqueHandle<TGdiObjectTraits<HRGN>>;

// DeleteDC: memory drawing contexts made with CreateCompatibleDC.
struct TMemoryDCTraits {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DeleteDC(h); }
};
using TMemoryDC = TUniqueHandle<TMemoryDCTraits>;

// FindClose: directory enumerations.
struct TFindTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};
using TFindHandle = TUniqueHandle<TFindTraits>;

// CloseHandle: files and other kernel objects whose failure value is INVALID_HANDLE_VALUE.
struct TFileTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};
using TFileHandle = TUniqueHandle<TFileTraits>;

// DestroyIcon.
struct TIconTraits {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DestroyIcon(h); }
};
using TIconHandle = TUniqueHandle<TIconTraits>;

// DestroyWindow: windows made outside the control classes, such as hidden utility windows.
struct TWindowTraits {
    using Handle = HWND;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DestroyWindow(h); }
};
using TWindowHandle = TUniqueHandle<TWindowTraits>;

// Release: one reference to a COM object, such as an accessible object.
template <typename T> struct TComReleaseTraits {
    using Handle = T*;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { h->Release(); }
};
template <typename T> using TComRef = TUniqueHandle<TComReleaseTraits<T>>;

// GetDC / ReleaseDC for a window (or the screen when the window is null).
class TWindowDC {
public:
    explicit TWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    ~TWindowDC() { if (dc_) ReleaseDC(window_, dc_); }
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// SelectObject for the lifetime of a scope; the previous object is selected back at its end.
class TSelectObject {
public:
    TSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;
    ~TSelectObject() { if (old_) SelectObject(dc_, old_); }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// SaveDC / RestoreDC around a scope.
class TSavedDC {
public:
    explicit TSavedDC(HDC dc) : dc_(dc), state_(SaveDC(dc)) {}
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;
    ~TSavedDC() { if (state_) RestoreDC(dc_, state_); }

private:
    HDC dc_;
    int state_;
};
