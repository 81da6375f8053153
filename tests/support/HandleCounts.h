#pragma once

#include "framework/Handles.h"

#include <windows.h>
#include <winternl.h>

#include <cstdint>

// The platform objects this process owns, counted so that tests and benchmarks can see leaks.

namespace handle_counts_detail {

struct TGdiHandleEntry {
    uint64_t Object;
    uint16_t ProcessId;
    uint16_t Count;
    uint16_t Unique;
    uint8_t Type;
    uint8_t Flags;
    uint64_t UserPointer;
};
static_assert(sizeof(TGdiHandleEntry) == 24);
constexpr size_t kGdiHandleCount = 0x10000;

inline const TGdiHandleEntry* SharedHandleTable()
{
    using TQueryProcess = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
    const auto query =
        reinterpret_cast<TQueryProcess>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess"));
    PROCESS_BASIC_INFORMATION info{};
    if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info, nullptr) != 0) return nullptr;
    const auto* peb = reinterpret_cast<const uint8_t*>(info.PebBaseAddress);
    return *reinterpret_cast<const TGdiHandleEntry* const*>(peb + 0xF8);
}

inline DWORD CountFromSharedTable()
{
    const TGdiHandleEntry* table = SharedHandleTable();
    if (!table) return 0;
    // The owner field is whatever the table stores for this process: read it from an object of ours.
    TBrushHandle probe(CreateSolidBrush(0));
    const uint16_t owner = table[reinterpret_cast<uintptr_t>(probe.Get()) & 0xFFFF].ProcessId;
    DWORD count = 0;
    for (size_t i = 0; i < kGdiHandleCount; ++i)
        if (table[i].Type != 0 && table[i].ProcessId == owner) ++count;
    return count - 1;
}

inline BOOL CALLBACK CountWindow(HWND window, LPARAM counter)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) {
        ++*reinterpret_cast<DWORD*>(counter);
        EnumChildWindows(window, CountWindow, counter);
    }
    return TRUE;
}

} // namespace handle_counts_detail

// The number of GDI objects this process owns. GetGuiResources answers that on Windows; Wine
// answers 0 there, so the count is then taken from the process's shared GDI handle table (the PEB
// field at 0xF8 on x64), whose 24-byte entries carry the owner and the object type.
inline DWORD GdiObjectCount()
{
    const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    return count != 0 ? count : handle_counts_detail::CountFromSharedTable();
}

// The number of USER objects this process owns. Where GetGuiResources does not know (Wine answers
// 0), the windows of the process are counted instead: top-level windows and all their descendants,
// which are the USER objects that painting and skin changes could leave behind.
inline DWORD UserObjectCount()
{
    const DWORD count = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (count != 0) return count;
    DWORD windows = 0;
    EnumWindows(handle_counts_detail::CountWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}
