#include "skinctl/KsSkinListBoxs.h"

#include "skinctl/KsSkinScrollBars.h"

TSeSkinListBox::TSeSkinListBox(TComponent* owner) : TSeSkinned(owner, L"ListBox")
{
    ReplaceScrollBar(new TSeSkinScrollBar(this));
}

void TSeSkinListBox::SetSkinEngine(TSeSkinEngine* engine)
{
    TSeSkinned::SetSkinEngine(engine);
    static_cast<TSeSkinScrollBar*>(ScrollBar())->SetSkinEngine(engine);
    // The frame's margins and the bar's thickness come from the skin.
    LayoutScrollBar();
}

void TSeSkinListBox::WndProc(TMessage& message)
{
    if (message.Msg == CM_SKINCHANGING) ScrollBar()->Perform(message.Msg, message.WParam, message.LParam);
    TSeSkinned::WndProc(message);
}

int TSeSkinListBox::FrameState() const { return HoverState(); }

TRect TSeSkinListBox::ContentRect() const
{
    TSeSkinObject* frame = Skin().Part(L"Frame");
    if (!frame) return TKsCustomListBox::ContentRect();
    return {frame->MarginLeft(), frame->MarginTop(), Width() - frame->MarginRight(), Height() - frame->MarginBottom()};
}

void TSeSkinListBox::PaintBorder()
{
    TSeSkinObject* frame = Skin().Part(L"Frame");
    if (!frame) {
        TKsCustomListBox::PaintBorder();
        return;
    }
    frame->SetState(FrameState());
    frame->SetBounds({0, 0, Width(), Height()});
    frame->Draw(Surface());
}

void TSeSkinListBox::PaintFrame()
{
    TSeSkinObject* frame = Skin().Part(L"Frame");
    if (!frame) {
        TKsCustomListBox::PaintFrame();
        return;
    }
    // With a border this covers the border just drawn, so it shows the focus as the border does;
    // otherwise a focused list would look like any other.
    frame->SetState(FrameState());
    frame->SetBounds(SkinFrameRect(*frame, BorderStyle() != bsNone, Width(), Height()));
    frame->Draw(Surface());
}

int TSeSkinListBox::CheckBoxCellWidth() const { return Skin().Skinned() ? 21 : TKsCustomListBox::CheckBoxCellWidth(); }

int TSeSkinListBox::ItemHeightOf(int index, int columnWidth)
{
    int height = TKsCustomListBox::ItemHeightOf(index, columnWidth);
    return Skin().Skinned() && ShowCheckBoxes() ? height + 4 : height;
}

void TSeSkinListBox::PaintCheckBox(int index, const TRect& rect)
{
    const wchar_t* name = ItemState(index) == kcsChecked ? L"Checked" : ItemState(index) == kcsGrayed ? L"Mixed" : L"Unchecked";
    TSeSkinObject* box = Skin().Part(name);
    if (!box) {
        TKsCustomListBox::PaintCheckBox(index, rect);
        return;
    }
    int state = ssNormal;
    if (!Enabled() || !ItemEnabled(index))
        state = ssDisabled;
    else if (index == HotCheckBox())
        state = ssHot;
    box->SetState(state);
    box->SetBounds(rect);
    box->Draw(Surface());
}

void TSeSkinListBox::PaintItem(TKsBitmap& target, int index, const TRect& rect, TOwnerDrawState state)
{
    TSeSkinObject* item = Skin().Part(L"Item");
    if (!item) {
        TKsCustomListBox::PaintItem(target, index, rect, state);
        return;
    }
    int look = ssNormal;
    if (!Enabled())
        look = ssDisabled;
    else if (state & odSelected)
        look = state & odFocused ? ssFocused : ssPressed;
    item->SetState(look);
    item->SetBounds(rect);
    item->Draw(target);
    if (OwnerDraws()) {
        CallDrawItem(target, index, rect, state);
        return;
    }
    PaintItemContent(target, index, rect, item->Font(), state, true);
}
