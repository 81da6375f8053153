#pragma once

#include "skinctl/KsPressableControls.h"

#include <cstdint>

// A radio button: a round mark and a caption. Of the buttons with the same parent and GroupIndex at
// most one is selected once one was selected through Checked; the selected one is a tab stop
// (ItemTabStop), the others are not. The focus arriving by keyboard or click selects the button.
class TKsCustomRadioButton : public TKsPressableControl {
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

protected:
    void ChangeScale(int fromDpi, int toDpi) override;
    // 13 x 13 design pixels in the plain look.
    virtual SIZE MarkSize();
    virtual void PaintMark();
    virtual void PaintCaption();
    void PaintFace() override;
    // The mark's rectangle: at the left edge, centred vertically.
    TRect MarkRect();

    // Selects the button.
    void PressCompleted() override;
    // The right and bottom edges themselves still count as on the button.
    bool PointerOn(int x, int y) const override;
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
