#pragma once

#include "skin/raster/KsBitmap.h"

// The standard buttons a button can be made into at once.
enum TKsButtonKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

// What a kind gives its button.
struct TKsButtonKindInfo {
    int ModalResult;
    const wchar_t* Caption;
    // The bitmap resource of the program: 32 x 16, a normal and a disabled cell of 16 x 16.
    const wchar_t* GlyphResource;
    bool Default;
};

const TKsButtonKindInfo& ButtonKindInfo(TKsButtonKind kind);

// The kind's glyph, loaded from the program's resources on first use and kept until the program
// ends; none for bkCustom or when the program carries no such resource.
const TKsBitmap* ButtonKindGlyph(TKsButtonKind kind);
