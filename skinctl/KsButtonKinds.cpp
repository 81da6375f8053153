#include "skinctl/KsButtonKinds.h"

#include "framework/Handles.h"

#include <array>
#include <memory>

namespace {

constexpr int kKindCount = bkAll + 1;

const std::array<TKsButtonKindInfo, kKindCount> kKinds{{
    {0, L"", nullptr, false},
    {1, L"OK", L"KSBTN_OK", true},
    {2, L"Cancel", L"KSBTN_CANCEL", false},
    {0, L"&Help", L"KSBTN_HELP", false},
    {6, L"&Yes", L"KSBTN_YES", true},
    {7, L"&No", L"KSBTN_NO", false},
    {0, L"&Close", L"KSBTN_CLOSE", false},
    {3, L"Abort", L"KSBTN_ABORT", false},
    {4, L"&Retry", L"KSBTN_RETRY", false},
    {5, L"&Ignore", L"KSBTN_IGNORE", false},
    {8, L"&All", L"KSBTN_ALL", false},
}};

// One slot per kind; a slot that was tried and found no resource stays empty and is not tried again.
struct TGlyphSlot {
    bool Tried = false;
    std::unique_ptr<TKsBitmap> Glyph;
};

std::unique_ptr<TKsBitmap> LoadGlyph(const wchar_t* resource)
{
    TBitmapHandle bitmap(
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), resource, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bitmap) return nullptr;
    auto glyph = std::make_unique<TKsBitmap>();
    glyph->AssignFromBitmap(bitmap.Get());
    return glyph;
}

} // namespace

const TKsButtonKindInfo& ButtonKindInfo(TKsButtonKind kind) { return kKinds.at(kind); }

const TKsBitmap* ButtonKindGlyph(TKsButtonKind kind)
{
    static std::array<TGlyphSlot, kKindCount> cache;
    if (kind == bkCustom) return nullptr;
    TGlyphSlot& slot = cache.at(kind);
    if (!slot.Tried) {
        slot.Tried = true;
        slot.Glyph = LoadGlyph(kKinds.at(kind).GlyphResource);
    }
    return slot.Glyph.get();
}
