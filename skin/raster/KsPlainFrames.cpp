#include "skin/raster/KsPlainFrames.h"

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
