#pragma once

#include "skinctl/KsEdits.h"
#include "skinctl/KsSkinBinding.h"
#include "skinwin/KsSkinMenus.h"

// The edit drawn through the skin object named by SkinObject ("Edit"): its part "Frame" (or the
// object itself) behind the text and as the border, in the edit's field state, and the font of its
// part "Text" (or of the object). Without a usable skin it draws the plain look. Its context menu
// is a skinned popup menu bound to the same engine.
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
};
