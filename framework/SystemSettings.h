#pragma once

// The user's settings that controls follow, read from the platform each time they are asked for.

// The keyboard's repeat timing in milliseconds: the delay before the first repeat and the interval after it.
int KeyboardRepeatDelay();
int KeyboardRepeatInterval();

// True when the visual-style service is present and the application is themed.
bool ThemesActive();
