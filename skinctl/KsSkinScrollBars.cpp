#include "skinctl/KsSkinScrollBars.h"

TSeSkinScrollBar::TSeSkinScrollBar(TComponent* owner) : TSeSkinned(owner, L"ScrollBar", false) { SetBorderWidth(0); }

TSeSkinObject* TSeSkinScrollBar::TrackPart() const
{
    TSeSkinObject* track = Skin().Part(Kind() == sbVertical ? L"VertFrame" : L"HorzFrame");
    return track ? track : Skin().Part(L"Frame");
}

void TSeSkinScrollBar::DrawPart(TSeSkinObject* part, const TRect& rect, int state)
{
    part->SetState(state);
    part->SetBounds(rect);
    part->Draw(Surface());
}

int TSeSkinScrollBar::StandardThickness() const
{
    if (TSeSkinObject* track = TrackPart()) {
        int thickness = Kind() == sbVertical ? track->Width() : track->Height();
        if (thickness > 0) return thickness;
    }
    return TKsCustomScrollBar::StandardThickness();
}

void TSeSkinScrollBar::SkinCopied(TSeSkinObject&) { SetStandardThickness(); }

int TSeSkinScrollBar::ArrowMetric() const
{
    if (TSeSkinObject* arrow = Skin().Part(Kind() == sbVertical ? L"TopButton" : L"LeftButton")) {
        int length = Kind() == sbVertical ? arrow->Height() : arrow->Width();
        if (length > 0) return length;
    }
    return TKsCustomScrollBar::ArrowMetric();
}

void TSeSkinScrollBar::PaintBarBorder()
{
    if (!Skin().Skinned()) TKsCustomScrollBar::PaintBarBorder();
}

void TSeSkinScrollBar::PaintTrack(const TRect& track)
{
    if (!Skin().Skinned()) {
        TKsCustomScrollBar::PaintTrack(track);
        return;
    }
    if (TSeSkinObject* part = TrackPart()) DrawPart(part, TRect(0, 0, Width(), Height()), Enabled() ? 0 : ssDisabled);
}

void TSeSkinScrollBar::PaintArrow(TKsScrollPart arrow, const TRect& rect)
{
    const wchar_t* name;
    if (Kind() == sbVertical)
        name = arrow == kspArrow1 ? L"TopButton" : L"BottomButton";
    else
        name = arrow == kspArrow1 ? L"LeftButton" : L"RightButton";
    TSeSkinObject* part = Skin().Part(name);
    if (!part) {
        TKsCustomScrollBar::PaintArrow(arrow, rect);
        return;
    }
    DrawPart(part, rect, PartState(arrow));
}

void TSeSkinScrollBar::PaintThumb(const TRect& rect)
{
    if (!Skin().Skinned()) {
        TKsCustomScrollBar::PaintThumb(rect);
        return;
    }
    TSeSkinObject* thumb = Skin().Part(Kind() == sbVertical ? L"VertSlider" : L"HorzSlider");
    if (!thumb) thumb = Skin().Part(L"Slider");
    if (!thumb) {
        TKsCustomScrollBar::PaintThumb(rect);
        return;
    }
    DrawPart(thumb, rect, PartState(kspThumb));
}

void TSeSkinScrollBar::PaintPressedPage(const TRect& rect)
{
    if (!Skin().Skinned()) {
        TKsCustomScrollBar::PaintPressedPage(rect);
        return;
    }
    Surface().FillRect(rect, 0xFF000000);
}
