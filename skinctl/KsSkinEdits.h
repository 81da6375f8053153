#pragma once

#include "skinctl/KsEdits.h"
#include "skinctl/KsSkinBinding.h"
#include "skinwin/KsSkinMenus.h"

// The edit drawn through the skin object named by SkinObject ("Edit"): its part "Frame" (or the
// object itself) behind the text and as the border, in the state of the edit (disabled, hot,
// focused or normal), and the font of its part "Text" (or of the object). Without a usable skin it
// draws the plain look. Its context menu is a skinned popup menu bound to the same engine.
// Shared by the edit and the combo box: the skin's "Frame" over the whole control of width x height;
// without a border it lies outside by its margins, so only its inside shows.
TRect SkinnedEditFrameRect(const TSeSkinObject& frame, bool bordered, int width, int height);
// Draws the skin's part "Frame" in state over the whole control as its border, when the skin has one.
void PaintSkinnedEditBorder(const TSeSkinBinding& skin, TSeState state, TKsBitmap& surface, int width, int height);

class TSeSkinEdit : public TSeSkinned<TKsCustomEdit> {
public:
    explicit TSeSkinEdit(TComponent* owner);

    // Also passes the engine on to the context menu, whether or not its skin is usable.
    void SetSkinEngine(TSeSkinEngine* engine) override;

protected:
    TKsCustomPopupMenu* MakePopupMenu(TComponent* owner) override;
    TKsCustomItem* MakeMenuItem(TComponent* owner) override;
    void SkinCopied(TSeSkinObject& copy) override;
    void PaintBorder() override;
    void PaintTextBackground(const TRect& rect, TKsBitmap& target) override;

private:
    TSeState FrameState() const;
};
