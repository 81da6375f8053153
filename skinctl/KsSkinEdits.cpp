#include "skinctl/KsSkinEdits.h"

TSeSkinEdit::TSeSkinEdit(TComponent* owner) : TSeSkinned(owner, L"Edit") {}

void TSeSkinEdit::SetSkinEngine(TSeSkinEngine* engine)
{
    TSeSkinned::SetSkinEngine(engine);
    if (auto* menu = dynamic_cast<TSeSkinPopupMenu*>(PopupMenu())) menu->SetSkinEngine(engine);
}

TKsCustomPopupMenu* TSeSkinEdit::MakePopupMenu(TComponent* owner)
{
    auto* menu = new TSeSkinPopupMenu(owner);
    menu->SetSkinEngine(SkinEngine());
    return menu;
}

TKsCustomItem* TSeSkinEdit::MakeMenuItem(TComponent* owner) { return new TSeSkinItem(owner); }

void TSeSkinEdit::SkinCopied(TSeSkinObject& copy)
{
    TSeSkinObject* text = Skin().Part(L"Text");
    SetFont(text ? text->Font() : copy.Font());
}

void TSeSkinEdit::PaintBorder()
{
    if (Skin().Skinned())
        PaintSkinFrameBorder(Skin(), FieldState(), Surface(), Width(), Height());
    else
        TKsCustomEdit::PaintBorder();
}

void TSeSkinEdit::PaintTextBackground(const TRect& rect, TKsBitmap& target)
{
    TSeSkinObject* frame = Skin().PartOrCopy(L"Frame");
    if (!frame) {
        TKsCustomEdit::PaintTextBackground(rect, target);
        return;
    }
    frame->SetState(FieldState());
    frame->SetBounds(SkinFrameRect(*frame, BorderStyle() != bsNone, Width(), Height()));
    frame->Draw(target);
}
