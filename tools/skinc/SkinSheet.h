#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Draws every top-level object of the store's skin at a typical control size, in the states
// normal, hot, pressed, focused and disabled side by side, with labels, and writes the picture as a
// 32-bit .bmp.
void DrawSkinSheet(const std::vector<uint8_t>& store, const std::wstring& bmpFileName);
