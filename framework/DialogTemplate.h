#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A dialog box template built in memory, for dialogs made of platform controls without a
// resource. Positions and sizes are in dialog units.
class TDialogTemplate {
public:
    // The predefined control classes an item can name.
    enum TItemClass : WORD {
        icButton = 0x0080,
        icEdit = 0x0081,
        icStatic = 0x0082,
        icListBox = 0x0083,
        icComboBox = 0x0085
    };

    TDialogTemplate(const std::wstring& caption, DWORD style, short width, short height, const std::wstring& fontName,
                    WORD pointSize);

    // Adds a child control; WS_CHILD and WS_VISIBLE are added to style.
    void AddItem(TItemClass itemClass, const std::wstring& text, WORD id, DWORD style, short x, short y, short width,
                 short height);

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void AddDword(DWORD value);
    void AddString(const std::wstring& text);
    void AlignToDword();

    std::vector<WORD> words_;
};
