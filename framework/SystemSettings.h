#pragma once

#include "framework/Graphics.h"

// The user's settings that controls follow, read from the platform each time they are asked for.

// The keyboard's repeat timing in milliseconds: the delay before the first repeat and the interval after it.
int KeyboardRepeatDelay();
int KeyboardRepeatInterval();

// True when the visual-style service is present and the application is themed.
bool ThemesActive();

// The system's high-contrast setting as last read; RefreshHighContrast reads it again. While it is
// on, the skinned windows draw their plain looks, whose fixed colours give way to the system's.
bool HighContrastActive();
// Reads the setting again; true when it changed since the last reading.
bool RefreshHighContrast();
// Where the setting is read from: the platform (SPI_GETHIGHCONTRAST) unless another source is set,
// as tests do; none puts the platform back. Takes effect at the next RefreshHighContrast.
using THighContrastSource = bool (*)();
void SetHighContrastSource(THighContrastSource source);

// The colour a plain look draws with in place of color: color itself while high contrast is off or
// when it names a system colour already, else systemColor, the system colour of its role there
// (face, text, frame line), so the user's scheme decides every pixel.
TColor ContrastColor(TColor color, TColor systemColor);
