#include "skinctl/KsSkinComboBoxs.h"

#include "skinctl/KsSkinListBoxs.h"

TSeSkinComboBox::TSeSkinComboBox(TComponent* owner) : TSeSkinned(owner, L"ComboBox")
{
    ReplaceListBox(new TSeSkinListBox(this));
}

void TSeSkinComboBox::SetSkinEngine(TSeSkinEngine* engine)
{
    TSeSkinned::SetSkinEngine(engine);
    static_cast<TSeSkinListBox*>(ListBox())->SetSkinEngine(engine);
}

void TSeSkinComboBox::WndProc(TMessage& message)
{
    if (message.Msg == CM_SKINCHANGING) ListBox()->Perform(message.Msg, message.WParam, message.LParam);
    TSeSkinned::WndProc(message);
}

void TSeSkinComboBox::SkinCopied(TSeSkinObject& copy)
{
    TSeSkinObject* button = Skin().Part(L"Button");
    buttonWidth_ = button ? button->Width() : 15;
}

int TSeSkinComboBox::ButtonWidth() { return Skin().Skinned() ? buttonWidth_ : TKsCustomComboBox::ButtonWidth(); }

void TSeSkinComboBox::PaintBorder()
{
    if (Skin().Skinned())
        PaintSkinFrameBorder(Skin(), FrameState(), Surface(), Width(), Height());
    else
        TKsCustomComboBox::PaintBorder();
}

void TSeSkinComboBox::PaintTextBackground(const TRect& rect, TKsBitmap& target)
{
    TSeSkinObject* frame = Skin().PartOrCopy(L"Frame");
    TSeSkinObject* button = Skin().Part(L"Button");
    if (!frame || !button) {
        TKsCustomComboBox::PaintTextBackground(rect, target);
        return;
    }
    frame->SetState(FrameState());
    frame->SetBounds(SkinFrameRect(*frame, BorderStyle() != bsNone, Width(), Height()));
    frame->Draw(target);
    button->SetState(ButtonState());
    button->SetBounds(ButtonRect());
    button->Draw(target);
    PaintListItem(target);
}
