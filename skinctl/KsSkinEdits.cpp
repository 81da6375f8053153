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

TSeState TSeSkinEdit::FrameState() const
{
    if (!Enabled()) return ssDisabled;
    if (Hot()) return ssHot;
    if (HasFocus()) return ssFocused;
    return ssNormal;
}

TRect TSeSkinEdit::SkinnedFrameRect(const TSeSkinObject& frame) const
{
    if (BorderStyle() != bsNone) return {0, 0, Width(), Height()};
    return {-frame.MarginLeft(), -frame.MarginTop(), Width() + frame.MarginRight(), Height() + frame.MarginBottom()};
}

void TSeSkinEdit::PaintBorder()
{
    if (!Skin().Skinned()) {
        TKsCustomEdit::PaintBorder();
        return;
    }
    TSeSkinObject* frame = Skin().Part(L"Frame");
    if (!frame) return;
    frame->SetState(FrameState());
    frame->SetBounds({0, 0, Width(), Height()});
    frame->Draw(Surface());
}

void TSeSkinEdit::PaintTextBackground(const TRect& rect, TKsBitmap& target)
{
    TSeSkinObject* frame = Skin().PartOrCopy(L"Frame");
    if (!frame) {
        TKsCustomEdit::PaintTextBackground(rect, target);
        return;
    }
    frame->SetState(FrameState());
    frame->SetBounds(SkinnedFrameRect(*frame));
    frame->Draw(target);
}
