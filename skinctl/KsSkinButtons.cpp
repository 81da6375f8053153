#include "skinctl/KsSkinButtons.h"

// A button read from a form's description is drawn plain until the reading is complete.
TSeSkinButton::TSeSkinButton(TComponent* owner) : TSeSkinned(owner, L"Button", false) {}

void TSeSkinButton::PaintFrame()
{
    TSeSkinObject* face = Skin().PartOrCopy(L"Face");
    if (!face) {
        TKsCustomButton::PaintFrame();
        return;
    }
    face->SetState(FaceState());
    face->SetBounds({0, 0, Width(), Height()});
    face->Draw(Surface());
}

void TSeSkinButton::PaintCaption()
{
    if (!showCaption_ || !Skin().Skinned()) {
        TKsCustomButton::PaintCaption();
        return;
    }
    TSeSkinObject* text = Skin().Part(L"Text");
    if (text) text->SetState(FaceState());
    PaintFont() = text ? text->Font() : Skin().Copy()->Font();
    TKsBitmap& surface = TextSurface();
    surface.DrawText(Caption(), CaptionTextRect(), DT_CENTER | TextDirectionFlags(*this));
}

void TSeSkinButton::PaintGlyph()
{
    if (!Skin().Skinned()) {
        TKsCustomButton::PaintGlyph();
        return;
    }
    if (showGlyph_) DrawGlyph();
}
