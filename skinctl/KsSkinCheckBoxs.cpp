#include "skinctl/KsSkinCheckBoxs.h"

TSeSkinRadioButton::TSeSkinRadioButton(TComponent* owner) : TSeSkinned(owner, L"RadioButton") {}

TSeState TSeSkinRadioButton::MarkState() const
{
    return HoverState();
}

SIZE TSeSkinRadioButton::MarkSize()
{
    if (TSeSkinObject* checked = Skin().Part(L"Checked")) return {checked->Width(), checked->Height()};
    return TKsCustomRadioButton::MarkSize();
}

void TSeSkinRadioButton::PaintMark()
{
    if (!Skin().Skinned()) {
        TKsCustomRadioButton::PaintMark();
        return;
    }
    TSeSkinObject* mark = Skin().Part(Checked() ? L"Checked" : L"Unchecked");
    if (!mark) return;
    mark->SetState(MarkState());
    mark->SetBounds(MarkRect());
    mark->Draw(Surface());
}

void TSeSkinRadioButton::PaintCaption()
{
    if (Skin().Skinned()) {
        TSeSkinObject* text = Skin().Part(L"Text");
        if (text) text->SetState(MarkState());
        PaintFont() = text ? text->Font() : Skin().Copy()->Font();
    }
    TKsCustomRadioButton::PaintCaption();
}
