#pragma once

#include "skinctl/KsControls.h"

#include <cstdint>

// A radio button: a round mark and a caption. Of the buttons with the same parent and GroupIndex at
// most one is selected once one was selected through Checked; the selected one is a tab stop
// (ItemTabStop), the others are not. The focus arriving by keyboard or click selects the button.
class TKsCustomRadioButton : public TKsCustomControl {
public:
    explicit TKsCustomRadioButton(TComponent* owner);

    bool Checked() const { return checked_; }
    // Selecting clears the rest of the group and runs OnClick (not while the form is being read).
    void SetChecked(bool value);
    uint8_t GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(uint8_t value) { groupIndex_ = value; }
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    bool ItemTabStop() const { return itemTabStop_; }
    void SetItemTabStop(bool value) { itemTabStop_ = value; }
    bool Pressed() const { return State().Pressed(); }

protected:
    void ChangeScale(int fromDpi, int toDpi) override;
    // 13 x 13 design pixels in the plain look.
    virtual SIZE MarkSize();
    virtual void PaintMark();
    virtual void PaintCaption();
    void PaintFace() override;
    // The mark's rectangle: at the left edge, centred vertically.
    TRect MarkRect();

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyUp(WORD& key, TShiftState shift) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void DoEnter() override;
    bool DialogChar(wchar_t key) override;

private:
    void ClearGroup();

    bool checked_ = false;
    uint8_t groupIndex_ = 0;
    int spacing_ = 5;
    bool itemTabStop_ = true;
    TKsTextExtent captionExtent_;
};
