#include "skin/raster/KsPlainFrames.h"

#include "framework/Dpi.h"

void DrawRaisedFrame(TKsBitmap& bitmap, const TRect& rect)
{
    bitmap.FillRect(rect, ColorToPixel(clBtnFace));
    bitmap.FrameRect(rect, ColorToPixel(cl3DLight), ColorToPixel(cl3DDkShadow));
    bitmap.FrameRect(rect.Inflate(-1), ColorToPixel(clBtnHighlight), ColorToPixel(clBtnShadow));
}

void DrawFlatFrame(TKsBitmap& bitmap, const TRect& rect)
{
    bitmap.FillRect(rect, ColorToPixel(clBtnFace));
    bitmap.FrameRect(rect, ColorToPixel(clBtnShadow));
}

void FrameRing(TKsBitmap& bitmap, const TRect& rect, int ring, int dpi, uint32_t topLeft, uint32_t bottomRight)
{
    for (int inset = ScaleByDpi(ring, dpi); inset < ScaleByDpi(ring + 1, dpi); ++inset)
        bitmap.FrameRect(rect.Inflate(-inset), topLeft, bottomRight);
}
