#pragma once

#include "framework/Graphics.h"
#include "framework/Types.h"
#include "skinctl/KsEditMeasure.h"

#include <windows.h>

// How an edit masks its text: one cell per character, showing the password character or a shape.
enum TPasswordKind { pkNone, pkChar, pkRect, pkRoundRect, pkCircle, pkTriangle };

// The width of one cell: the password character's for pkChar, the width of "W" for the shapes, 10
// without masking; never less than 1.
int PasswordCellWidth(TPasswordKind kind, wchar_t passwordChar, TKsEditMeasure& measure);

// Draws one cell into dc, clipped to cell, in color.
void DrawPasswordCell(HDC dc, const TRect& cell, TPasswordKind kind, wchar_t passwordChar, COLORREF color,
                      const TFont& font);
