#include "skin/raster/KsBitmap.h"

#include "framework/Exceptions.h"
#include "framework/Text.h"
#include "skin/raster/KsHueShift.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

// Bounds for bitmap records read from a stream: far above any skin bitmap, far below what would
// make a damaged record allocate gigabytes.
constexpr int32_t kMaxStoredSide = 16384;
constexpr int64_t kMaxStoredPixels = int64_t{1} << 24;
constexpr int32_t kMaxStoredName = 65536;

// Stored pixels are read in pieces of this many (1 MiB).
constexpr size_t kPixelReadPiece = 256 * 1024;

constexpr uint32_t kRgbMask = 0x00FFFFFFu;

// The format of a top-down device-independent bitmap (rows from the top) without a colour table.
BITMAPINFO TopDownFormat(int width, int height, WORD bitCount)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitCount;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// The pixels of a record, read before anything of the record's size exists: memory grows piece by
// piece with the bytes the stream really delivers, so a damaged size that the data does not back
// fails at the end of the data instead of allocating the full claimed size first. Works on streams
// that cannot tell their size, such as the inflating reader.
std::vector<uint32_t> ReadStoredPixels(TStream& stream, size_t count)
{
    std::vector<uint32_t> pixels;
    while (pixels.size() < count) {
        const size_t start = pixels.size();
        pixels.resize(start + std::min(count - start, kPixelReadPiece));
        stream.ReadBuffer(pixels.data() + start, (pixels.size() - start) * sizeof(uint32_t));
    }
    return pixels;
}

// A DIB section of that format; bits (null on entry) receives its pixels.
TBitmapHandle CreateSection(const BITMAPINFO& info, void*& bits)
{
    TBitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) throw EOutOfResources(L"Can't allocate the DIB handle");
    return bitmap;
}

} // namespace

TKsBitmap::TKsBitmap() : alive_(std::make_shared<int>(0)) {}

TKsBitmap::~TKsBitmap()
{
    if (OnBeforeRelease) OnBeforeRelease();
    Release();
}

void TKsBitmap::Release()
{
    if (dc_ && oldBitmap_) SelectObject(dc_.Get(), oldBitmap_);
    oldBitmap_ = nullptr;
    dc_.Reset();
    bitmap_.Reset();
    bits_ = nullptr;
    width_ = 0;
    height_ = 0;
}

void TKsBitmap::SetSize(int width, int height)
{
    // std::abs(INT_MIN) is undefined; such a size could never be allocated anyway.
    width = width == INT_MIN ? INT_MAX : std::abs(width);
    height = height == INT_MIN ? INT_MAX : std::abs(height);
    if (width == 0 || height == 0 || (width == width_ && height == height_)) return;

    if (OnBeforeRelease) OnBeforeRelease();
    Release();
    try {
        void* bits = nullptr;
        TBitmapHandle bitmap = CreateSection(TopDownFormat(width, height, 32), bits);
        TMemoryDC dc(CreateCompatibleDC(nullptr));
        if (!dc) throw EOutOfResources(L"Can't create compatible DC");
        HGDIOBJ old = SelectObject(dc.Get(), bitmap.Get());
        if (!old || old == HGDI_ERROR) throw EOutOfResources(L"Can't select an object into DC");
        // Shrinking with the default mode would AND the colours of dropped pixels together.
        SetStretchBltMode(dc.Get(), COLORONCOLOR);
        bitmap_ = std::move(bitmap);
        dc_ = std::move(dc);
        oldBitmap_ = old;
        bits_ = static_cast<uint32_t*>(bits);
        width_ = width;
        height_ = height;
    } catch (...) {
        if (OnAfterResize) OnAfterResize();
        throw;
    }
    if (OnAfterResize) OnAfterResize();
}

void TKsBitmap::Fill(uint32_t value) { std::fill_n(bits_, static_cast<size_t>(width_) * height_, value); }

void TKsBitmap::SetAlpha(uint8_t alpha) { SetAlpha(alpha, BoundsRect()); }

void TKsBitmap::SetAlpha(uint8_t alpha, const TRect& rect)
{
    const TRect r = rect.Intersect(BoundsRect());
    if (r.IsEmpty()) return;
    const uint32_t a = uint32_t{alpha} << 24;
    for (int y = r.Top; y < r.Bottom; ++y) {
        uint32_t* row = Row(y);
        for (int x = r.Left; x < r.Right; ++x) row[x] = (row[x] & kRgbMask) | a;
    }
}

uint32_t TKsBitmap::Pixel(int x, int y) const
{
    if (Empty() || x < 0 || y < 0 || x >= width_ || y >= height_) return kOutsidePixel;
    return Row(y)[x];
}

void TKsBitmap::SetPixel(int x, int y, uint32_t value)
{
    if (Empty() || x < 0 || y < 0 || x >= width_ || y >= height_) return;
    Row(y)[x] = value;
}

void TKsBitmap::ReplaceKeyColor(TColor color)
{
    const uint32_t key = ColorToPixel(color, 0) & kRgbMask;
    const size_t count = static_cast<size_t>(width_) * height_;
    for (size_t i = 0; i < count; ++i)
        if ((bits_[i] & kRgbMask) == key) bits_[i] = kTransparentPixel;
}

void TKsBitmap::ShiftHue(int delta)
{
    const size_t count = static_cast<size_t>(width_) * height_;
    for (size_t i = 0; i < count; ++i)
        if (bits_[i] >> 24 != 0) bits_[i] = ShiftPixelHue(bits_[i], delta);
}

void TKsBitmap::CopyToDC(HDC dc, int x, int y) const { CopyToDC(dc, x, y, BoundsRect()); }

void TKsBitmap::CopyToDC(HDC dc, int x, int y, const TRect& source) const
{
    if (Empty() || source.IsEmpty()) return;
    BitBlt(dc, x, y, source.Width(), source.Height(), dc_.Get(), source.Left, source.Top, SRCCOPY);
}

void TKsBitmap::LoadFromStream(TStream& stream)
{
    const int32_t nameLength = stream.ReadInt32();
    if (nameLength < 0 || nameLength > kMaxStoredName)
        throw EReadError(L"Invalid bitmap name length " + std::to_wstring(nameLength));
    std::string name(static_cast<size_t>(nameLength), '\0');
    stream.ReadBuffer(name.data(), name.size());
    const int32_t width = stream.ReadInt32();
    const int32_t height = stream.ReadInt32();
    if (width < 0 || height < 0 || width > kMaxStoredSide || height > kMaxStoredSide ||
        int64_t{width} * height > kMaxStoredPixels)
        throw EReadError(L"Invalid bitmap size " + std::to_wstring(width) + L" x " + std::to_wstring(height));

    if (width == 0 || height == 0) {
        name_ = AnsiToWide(name);
        // A record without pixels leaves an empty bitmap, not the pixels it held before.
        if (!Empty()) {
            if (OnBeforeRelease) OnBeforeRelease();
            Release();
            if (OnAfterResize) OnAfterResize();
        }
        return;
    }
    const std::vector<uint32_t> pixels = ReadStoredPixels(stream, static_cast<size_t>(width) * height);
    SetSize(width, height);
    std::memcpy(bits_, pixels.data(), pixels.size() * sizeof(uint32_t));
    name_ = AnsiToWide(name);
}

void TKsBitmap::SaveToStream(TStream& stream) const
{
    const std::string name = WideToAnsi(name_);
    stream.WriteInt32(static_cast<int32_t>(name.size()));
    stream.WriteBuffer(name.data(), name.size());
    stream.WriteInt32(width_);
    stream.WriteInt32(height_);
    stream.WriteBuffer(bits_, static_cast<size_t>(width_) * height_ * sizeof(uint32_t));
}

void TKsBitmap::AssignFromBitmap(HBITMAP bitmap)
{
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) throw EInvalidOperation(L"Invalid bitmap handle");
    SetSize(info.bmWidth, info.bmHeight);
    if (Empty()) return;
    BITMAPINFO format = TopDownFormat(width_, height_, 32);
    // A bottom-up source (positive height) and a top-down one both arrive as top-down rows.
    TWindowDC screen(nullptr);
    if (!GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(height_), bits_, &format, DIB_RGB_COLORS))
        RaiseLastOSError();
    SetAlpha(255);
}

TBitmapHandle TKsBitmap::ToBitmap() const
{
    if (Empty()) return {};
    void* bits = nullptr;
    TBitmapHandle bitmap = CreateSection(TopDownFormat(width_, height_, 24), bits);
    const size_t stride = (static_cast<size_t>(width_) * 3 + 3) & ~size_t{3};
    for (int y = 0; y < height_; ++y) {
        uint8_t* out = static_cast<uint8_t*>(bits) + stride * y;
        const uint32_t* row = Row(y);
        for (int x = 0; x < width_; ++x) {
            *out++ = static_cast<uint8_t>(row[x]);
            *out++ = static_cast<uint8_t>(row[x] >> 8);
            *out++ = static_cast<uint8_t>(row[x] >> 16);
        }
    }
    return bitmap;
}

TRegionHandle TKsBitmap::BuildRegion(int ox, int oy) const
{
    if (Empty()) return {};
    std::vector<RECT> runs;
    for (int y = 0; y < height_; ++y) {
        const uint32_t* row = Row(y);
        int x = 0;
        while (x < width_) {
            while (x < width_ && (row[x] & kRgbMask) == kTransparentPixel) ++x;
            if (x == width_) break;
            const int start = x;
            while (x < width_ && (row[x] & kRgbMask) != kTransparentPixel) ++x;
            runs.push_back(RECT{start + ox, y + oy, x + ox, y + 1 + oy});
        }
    }
    std::vector<uint8_t> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(runs.size());
    header->nRgnSize = 0;
    // The bound covers the rectangles where they are, offset included.
    header->rcBound = RECT{ox, oy, ox + width_, oy + height_};
    if (!runs.empty()) std::memcpy(data.data() + sizeof(RGNDATAHEADER), runs.data(), runs.size() * sizeof(RECT));
    TRegionHandle region(
        ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data())));
    if (!region) throw EOutOfResources(L"Can't create the region");
    return region;
}
