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

TRect TSeSkinComboBox::SkinnedFrameRect(const TSeSkinObject& frame) const
{
    if (BorderStyle() != bsNone) return {0, 0, Width(), Height()};
    return {-frame.MarginLeft(), -frame.MarginTop(), Width() + frame.MarginRight(), Height() + frame.MarginBottom()};
}

void TSeSkinComboBox::PaintBorder()
{
    if (!Skin().Skinned()) {
        TKsCustomComboBox::PaintBorder();
        return;
    }
    TSeSkinObject* frame = Skin().Part(L"Frame");
    if (!frame) return;
    frame->SetState(FrameState());
    frame->SetBounds({0, 0, Width(), Height()});
    frame->Draw(Surface());
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
    frame->SetBounds(SkinnedFrameRect(*frame));
    frame->Draw(target);
    button->SetState(ButtonState());
    button->SetBounds(ButtonRect());
    button->Draw(target);
    PaintListItem(target);
}
