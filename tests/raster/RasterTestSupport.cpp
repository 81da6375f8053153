#include "RasterTestSupport.h"

#include <winternl.h>

namespace {

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

const TGdiHandleEntry* SharedHandleTable()
{
    using TQueryProcess = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<TQueryProcess>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess"));
    PROCESS_BASIC_INFORMATION info{};
    if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info, nullptr) != 0) return nullptr;
    const auto* peb = reinterpret_cast<const uint8_t*>(info.PebBaseAddress);
    return *reinterpret_cast<const TGdiHandleEntry* const*>(peb + 0xF8);
}

DWORD CountFromSharedTable()
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

} // namespace

DWORD GdiObjectCount()
{
    const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    return count != 0 ? count : CountFromSharedTable();
}
