#include "framework/ShortCuts.h"

namespace {

// The key's name as the keyboard layout spells it; navigation keys live on the extended pad.
std::wstring KeyName(WORD key)
{
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::wstring(1, static_cast<wchar_t>(key));
    if (key >= VK_F1 && key <= VK_F24) return L"F" + std::to_wstring(key - VK_F1 + 1);
    UINT scanCode = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    if (scanCode == 0) return {};
    bool extended = (key >= VK_PRIOR && key <= VK_DOWN) || key == VK_INSERT || key == VK_DELETE;
    LONG keyData = static_cast<LONG>(scanCode << 16) | (extended ? 1L << 24 : 0);
    wchar_t name[64] = {};
    int length = GetKeyNameTextW(keyData, name, 64);
    return std::wstring(name, static_cast<size_t>(length > 0 ? length : 0));
}

} // namespace

TShortCut ShortCut(WORD key, TShiftState shift)
{
    TShortCut value = key & 0xFF;
    if (shift & ssShift) value |= scShift;
    if (shift & ssCtrl) value |= scCtrl;
    if (shift & ssAlt) value |= scAlt;
    return value;
}

TShortCut ShortCutFromKeyMessage(WPARAM key, LPARAM keyData)
{
    TShiftState shift = KeyboardShiftState() & (ssShift | ssCtrl);
    if (keyData & (1L << 29)) shift |= ssAlt;
    return ShortCut(static_cast<WORD>(key), shift);
}

std::wstring ShortCutToText(TShortCut shortCut)
{
    std::wstring name = KeyName(shortCut & 0xFF);
    if (name.empty()) return {};
    std::wstring text;
    if (shortCut & scShift) text += L"Shift+";
    if (shortCut & scCtrl) text += L"Ctrl+";
    if (shortCut & scAlt) text += L"Alt+";
    return text + name;
}
