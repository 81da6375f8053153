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

TRect SkinnedEditFrameRect(const TSeSkinObject& frame, bool bordered, int width, int height)
{
    if (bordered) return {0, 0, width, height};
    return {-frame.MarginLeft(), -frame.MarginTop(), width + frame.MarginRight(), height + frame.MarginBottom()};
}

void PaintSkinnedEditBorder(const TSeSkinBinding& skin, TSeState state, TKsBitmap& surface, int width, int height)
{
    TSeSkinObject* frame = skin.Part(L"Frame");
    if (!frame) return;
    frame->SetState(state);
    frame->SetBounds({0, 0, width, height});
    frame->Draw(surface);
}

void TSeSkinEdit::PaintBorder()
{
    if (Skin().Skinned())
        PaintSkinnedEditBorder(Skin(), FrameState(), Surface(), Width(), Height());
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
    frame->SetState(FrameState());
    frame->SetBounds(SkinnedEditFrameRect(*frame, BorderStyle() != bsNone, Width(), Height()));
    frame->Draw(target);
}
