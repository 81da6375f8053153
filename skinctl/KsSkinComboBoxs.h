#pragma once

#include "skinctl/KsComboBoxs.h"
#include "skinctl/KsSkinBinding.h"

// The combo box drawn through the skin object named by SkinObject ("ComboBox"): its part "Frame"
// (or the object itself) as border and text background by the box's state, its part "Button" as
// the drop-down button (whose width it takes), and a skinned list bound to the same engine.
// Without a usable skin it draws the plain look. It keeps its own font.
class TSeSkinComboBox : public TSeSkinned<TKsCustomComboBox> {
public:
    explicit TSeSkinComboBox(TComponent* owner);

    // Also binds the drop-down list to the engine.
    void SetSkinEngine(TSeSkinEngine* engine) override;

protected:
    int ButtonWidth() override;
    void SkinCopied(TSeSkinObject& copy) override;
    void PaintBorder() override;
    void PaintTextBackground(const TRect& rect, TKsBitmap& target) override;
    // The engine tells the form's own components only: the list hears of a skin change from here.
    void WndProc(TMessage& message) override;

private:
    int buttonWidth_ = 15;
};
