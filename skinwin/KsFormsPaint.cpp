#include "skinwin/KsForms.h"

#include "framework/FlagScope.h"
#include "skinwin/KsFormResources.h"

#include <algorithm>
#include <array>

// Draws a window's menu bar into a drawing context at a rectangle of the window (user32; the
// headers do not declare it).
extern "C" __declspec(dllimport) DWORD WINAPI DrawMenuBarTemp(HWND window, HDC dc, LPRECT rect, HMENU menu, HFONT font);

namespace {

constexpr uint32_t kShadowPixel = 0x903F3F3F;

// GetWindowDC / ReleaseDC: the drawing context of the whole window, frame included.
class TWholeWindowDC {
public:
    explicit TWholeWindowDC(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
    TWholeWindowDC(const TWholeWindowDC&) = delete;
    TWholeWindowDC& operator=(const TWholeWindowDC&) = delete;
    ~TWholeWindowDC()
    {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// The four strips of the frame around the client rectangle, within size.
std::array<TRect, 4> FrameStrips(const SIZE& size, const TRect& client)
{
    return {TRect(0, 0, size.cx, client.Top), TRect(0, client.Bottom, size.cx, size.cy),
            TRect(0, client.Top, client.Left, client.Bottom), TRect(client.Right, client.Top, size.cx, client.Bottom)};
}

// The client area's offset from the window's top-left corner.
TPoint ClientOriginInWindow(HWND window)
{
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    RECT r;
    GetWindowRect(window, &r);
    return {origin.x - r.left, origin.y - r.top};
}

} // namespace

TKsBitmap* TKsCustomForm::PaintBuffer()
{
    if (blend_) return blendBuffer_ && !blendBuffer_->Empty() ? blendBuffer_.get() : nullptr;
    TKsBitmap& shared = SharedPaintBuffer();
    return shared.Empty() ? nullptr : &shared;
}

void TKsCustomForm::PaintNonClient()
{
    HWND window = FormWindow();
    TKsBitmap* buffer = PaintBuffer();
    if (paintSuspended_ > 0) {
        paintHeldBack_ = true;
        return;
    }
    // A minimized window shows the platform's icon, not the frame; a maximized child has none.
    if (!window || !buffer || outlineMode_ || IsIconic(window) || MaximizedMDIChild() || frameSize_.cx <= 0 ||
        frameSize_.cy <= 0)
        return;
    if (animating_) {
        if (!animationBuffer_) return;
        PaintFrame(*buffer);
        CopyFrameStrips(*buffer, animationBuffer_->DC(), 0, 0);
        return;
    }
    TWholeWindowDC target(window);
    if (dropShadow_ && states_.State() != kwsMaximized) PaintShadow(target.Get());
    PaintFrame(*buffer);
    if (blend_ && background_) {
        for (const TRect& strip : FrameStrips(frameSize_, ClientRect())) {
            buffer->SetAlpha(static_cast<uint8_t>(blendValue_), strip);
            buffer->PutUnder(*background_, strip.Left, strip.Top, strip);
        }
    }
    CopyFrameStrips(*buffer, target.Get(), 0, 0);
}

void TKsCustomForm::CopyFrameStrips(TKsBitmap& buffer, HDC target, int x, int y)
{
    for (const TRect& strip : FrameStrips(frameSize_, ClientRect()))
        if (!strip.IsEmpty()) buffer.CopyToDC(target, x + strip.Left, y + strip.Top, strip);
}

void TKsCustomForm::PaintShadow(HDC target)
{
    TKsBitmap* buffer = PaintBuffer();
    const int sw = ShadowExtent();
    if (!buffer || !background_ || sw <= 0) return;
    const TRect right(frameSize_.cx, sw, fullSize_.cx, fullSize_.cy);
    const TRect bottom(sw, frameSize_.cy, frameSize_.cx, fullSize_.cy);
    for (const TRect& strip : {right, bottom}) {
        if (strip.IsEmpty()) continue;
        buffer->FillRect(strip, kShadowPixel);
        buffer->PutUnder(*background_, strip.Left, strip.Top, strip);
        buffer->CopyToDC(target, strip.Left, strip.Top, strip);
    }
}

void TKsCustomForm::CaptureBackground(const TRect& rect)
{
    if (relayout_ || rect.IsEmpty() || (backgroundRect_ && *backgroundRect_ == rect)) return;
    if (!states_.MayCaptureBackground(blend_)) return;
    auto fresh = std::make_unique<TKsBitmap>();
    fresh->SetSize(rect.Width(), rect.Height());
    {
        TWindowDC screen(nullptr);
        BitBlt(fresh->DC(), 0, 0, rect.Width(), rect.Height(), screen.Get(), rect.Left, rect.Top, SRCCOPY);
    }
    fresh->SetAlpha(255);
    // Where the new place overlaps the old one the screen shows this window: that part comes from
    // the old capture.
    if (background_ && backgroundRect_) {
        TRect overlap = rect.Intersect(*backgroundRect_);
        if (!overlap.IsEmpty())
            background_->Draw(*fresh, overlap.Left - rect.Left, overlap.Top - rect.Top,
                              overlap.Offset(-backgroundRect_->Left, -backgroundRect_->Top));
    }
    background_ = std::move(fresh);
    backgroundRect_ = rect;
}

TRegionHandle TKsCustomForm::CreateRegion() { return {}; }

void TKsCustomForm::RebuildWindowRegion()
{
    HWND window = FormWindow();
    if (!window) return;
    if (TKsBitmap* buffer = PaintBuffer()) buffer->FillRect(TRect(0, 0, fullSize_.cx, fullSize_.cy), kTransparentPixel);
    ++paintSuspended_;
    TRegionHandle region = CreateRegion();
    if (dropShadow_ && states_.State() != kwsMaximized) {
        if (!region) region.Reset(CreateRectRgn(0, 0, frameSize_.cx, frameSize_.cy));
        TRegionHandle shifted(CreateRectRgn(0, 0, 0, 0));
        CombineRgn(shifted.Get(), region.Get(), nullptr, RGN_COPY);
        OffsetRgn(shifted.Get(), ShadowExtent(), ShadowExtent());
        CombineRgn(region.Get(), region.Get(), shifted.Get(), RGN_OR);
    }
    // The window owns the region from here on. A window without one is left alone: setting none
    // again costs the platform a round trip.
    const bool hasRegion = static_cast<bool>(region);
    if (hasRegion || windowRegion_) SetWindowRgn(window, region.Release(), TRUE);
    windowRegion_ = hasRegion;
    --paintSuspended_;
}

void TKsCustomForm::PaintMessage(TMessage& message)
{
    HWND window = FormWindow();
    TCustomForm* form = Form();
    if (!window || !form) return;
    PAINTSTRUCT paint{};
    HDC dc = message.WParam ? reinterpret_cast<HDC>(message.WParam) : BeginPaint(window, &paint);
    form->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    if (!message.WParam) EndPaint(window, &paint);
    message.Result = 0;
}

void TKsCustomForm::EraseMessage(TMessage& message)
{
    message.Result = 1;
    HWND window = FormWindow();
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    TKsBitmap* buffer = PaintBuffer();
    if (!window || !dc || !buffer || paintSuspended_ > 0) return;
    // A multiple-document parent's client area is its client window, which asks for what it shows.
    if (TCustomForm* form = Form(); form && form->FormStyle() == fsMDIForm && !(message.LParam & kEraseFromControlBit))
        return;
    const TPoint origin = ClientOriginInWindow(window);
    RECT client;
    GetClientRect(window, &client);
    // Only the part the context shows is copied; its origin is the client area's.
    RECT clip;
    TRect wanted = TRect(client);
    int clipKind = GetClipBox(dc, &clip);
    if (clipKind == NULLREGION) return;
    if (clipKind != ERROR) wanted = wanted.Intersect(TRect(clip));
    if (wanted.IsEmpty()) return;
    PaintClientBackground(*buffer);
    if (!(message.LParam & kEraseFromControlBit)) {
        const TRect area = TRect(client).Offset(origin.X, origin.Y);
        if (blend_ && background_) {
            buffer->SetAlpha(static_cast<uint8_t>(blendValue_), area);
            buffer->PutUnder(*background_, area.Left, area.Top, area);
        }
        if (OnPaint && !Loading()) {
            TCanvas canvas(buffer->DC());
            OnPaint(this, canvas);
        }
    }
    buffer->CopyToDC(dc, wanted.Left, wanted.Top, wanted.Offset(origin.X, origin.Y));
}

void TKsCustomForm::PaintToMessage(TMessage& message)
{
    HDC dc = reinterpret_cast<HDC>(message.LParam);
    TKsBitmap* buffer = PaintBuffer();
    if (!dc) {
        message.Result = 0;
        return;
    }
    MarkHandled();
    message.Result = 1;
    if (!buffer) return;
    bool wasActive = frameActive_;
    frameActive_ = true;
    PaintFrame(*buffer);
    PaintClientBackground(*buffer);
    frameActive_ = wasActive;
    const int x = static_cast<short>(LOWORD(message.WParam));
    const int y = static_cast<short>(HIWORD(message.WParam));
    buffer->CopyToDC(dc, x, y, TRect(0, 0, frameSize_.cx, frameSize_.cy));
}

// ---- show animation ----

void TKsCustomForm::RunShowAnimation()
{
    HWND window = FormWindow();
    TCustomForm* form = Form();
    if (blend_ || showAnimation_ == kaNone || !PaintBuffer() || !window || !form || !background_) return;
    if (fullSize_.cx <= 0 || fullSize_.cy <= 0) return;
    animationBuffer_ = std::make_unique<TKsBitmap>();
    animationBuffer_->SetSize(fullSize_.cx, fullSize_.cy);
    animationBuffer_->Fill(kTransparentPixel);
    HDC dc = animationBuffer_->DC();
    {
        TFlagScope animating(animating_);
        bool wasActive = frameActive_;
        frameActive_ = true;
        PaintNonClient();
        frameActive_ = wasActive;
        TKsBitmap* buffer = PaintBuffer();
        PaintClientBackground(*buffer);
        const TPoint origin = ClientOriginInWindow(window);
        RECT client;
        GetClientRect(window, &client);
        buffer->CopyToDC(dc, origin.X, origin.Y, TRect(client).Offset(origin.X, origin.Y));

        // Outside the window's region the screen shows through.
        TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
        if (GetWindowRgn(window, region.Get()) != ERROR) {
            TKsBitmap mask;
            mask.SetSize(fullSize_.cx, fullSize_.cy);
            mask.Fill(0);
            FillRgn(mask.DC(), region.Get(), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            GdiFlush();
            for (int y = 0; y < mask.Height(); ++y)
                for (int x = 0; x < mask.Width(); ++x)
                    if ((mask.Row(y)[x] & 0x00FFFFFF) == 0) animationBuffer_->Row(y)[x] = kTransparentPixel;
        }

        POINT previous;
        SetViewportOrgEx(dc, origin.X, origin.Y, &previous);
        form->PaintControls(dc);
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (!(GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE)) continue;
            RECT r;
            GetWindowRect(child, &r);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
            SetViewportOrgEx(dc, origin.X + r.left, origin.Y + r.top, nullptr);
            SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(dc),
                         PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
        }
        SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
        GdiFlush();
    }
    TKsShowEffect effect = TKsShowEffect::Choose(showAnimation_);
    {
        TWindowDC screen(nullptr);
        PlayShowEffect(effect, screen.Get(), *backgroundRect_, *background_, *animationBuffer_, showAnimationTime_);
    }
    animationBuffer_.reset();
}
