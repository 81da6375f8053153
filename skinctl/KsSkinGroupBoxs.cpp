#include "skinctl/KsSkinGroupBoxs.h"

TSeSkinGroupBox::TSeSkinGroupBox(TComponent* owner) : TSeSkinned(owner, L"GroupBox") { SetTransparent(true); }

void TSeSkinGroupBox::PaintFace()
{
    if (!Skin().Skinned()) {
        TKsCustomGroupBox::PaintFace();
        return;
    }
    TKsBitmap& surface = Surface();
    if (!Transparent()) surface.FillRect(surface.BoundsRect(), ColorToPixel(Color()));
    const TRect frame = FrameRect();
    const TRect text = CaptionRect();
    const TRect caption{text.Left - ScaleValue(3), text.Top, text.Right + ScaleValue(3), text.Bottom};
    if (TSeSkinObject* part = Skin().Part(L"Frame")) {
        part->SetBounds(frame);
        part->Draw(surface);
    }
    if (TSeSkinObject* part = Skin().Part(L"Caption")) {
        PaintFont() = part->Font();
        TextSurface();
        part->SetBounds(caption);
        part->Draw(surface);
    }
    DrawCaption(caption);
}
