#pragma once

#include "framework/Graphics.h"
#include "framework/Types.h"

#include <windows.h>

// Places the input method's composition window at the caret (client coordinates of window) and its
// candidate list just below the caret, and lets the composition use the edit's font, so that text
// being composed appears where it will be inserted. Does nothing for a window without input context.
void PlaceImeWindows(HWND window, TPoint caret, int caretHeight, const TFont& font);
