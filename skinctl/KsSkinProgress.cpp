#include "skinctl/KsSkinProgress.h"

TSeSkinProgressBar::TSeSkinProgressBar(TComponent* owner) : TSeSkinned(owner, L"ProgressBar") { SetBorderWidth(0); }

TRect TSeSkinProgressBar::BarArea()
{
    TSeSkinObject* frame = Skin().Part(L"Frame");
    if (!frame) return TKsCustomProgressBar::BarArea();
    return {frame->MarginLeft(), frame->MarginTop(), Width() - frame->MarginRight(), Height() - frame->MarginBottom()};
}

void TSeSkinProgressBar::PaintTrough()
{
    if (!Skin().Skinned()) {
        TKsCustomProgressBar::PaintTrough();
        return;
    }
    if (TSeSkinObject* frame = Skin().Part(L"Frame")) {
        frame->SetBounds({0, 0, Width(), Height()});
        frame->Draw(Surface());
    }
}

void TSeSkinProgressBar::PaintBar()
{
    if (!Skin().Skinned()) {
        TKsCustomProgressBar::PaintBar();
        return;
    }
    TSeSkinObject* bar = Skin().Part(Orientation() == kboVertical ? L"BarVert" : L"BarHorz");
    if (!bar) bar = Skin().Part(L"Bar");
    if (!bar) return;
    bar->SetBounds(FilledRect(BarArea()));
    bar->Draw(Surface());
}
