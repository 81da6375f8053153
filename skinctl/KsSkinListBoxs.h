#pragma once

#include "skinctl/KsListBoxs.h"
#include "skinctl/KsSkinBinding.h"

// The list box drawn through the skin object named by SkinObject ("ListBox"): "Frame" as border and
// background, "Item" behind every item by its state, "Checked", "Mixed" and "Unchecked" as check
// boxes, and a skinned scroll bar bound to the same engine. Parts the skin lacks are drawn plain.
class TSeSkinListBox : public TSeSkinned<TKsCustomListBox> {
public:
    explicit TSeSkinListBox(TComponent* owner);

    void SetSkinEngine(TSeSkinEngine* engine) override;
    int ItemHeightOf(int index, int columnWidth) override;
    int CheckBoxCellWidth() const override;

protected:
    TRect ContentRect() const override;
    void PaintBorder() override;
    void PaintFrame() override;
    void PaintItem(TKsBitmap& target, int index, const TRect& rect, TOwnerDrawState state) override;
    void PaintCheckBox(int index, const TRect& rect) override;
    // The engine tells the form's own components only: the scroll bar hears of a skin change from here.
    void WndProc(TMessage& message) override;

private:
    // The object state of the frame, border and background alike: 8 disabled, 5 hot, 7 focused, else 0.
    int FrameState() const;
};
