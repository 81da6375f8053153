#include "framework/DialogTemplate.h"

namespace {

// Offset, in words, of the item count within DLGTEMPLATE.
constexpr size_t kItemCountWord = 4;

} // namespace

TDialogTemplate::TDialogTemplate(const std::wstring& caption, DWORD style, short width, short height,
                                 const std::wstring& fontName, WORD pointSize)
{
    AddDword(style | DS_SETFONT);
    AddDword(0);  // extended style
    words_.push_back(0);  // item count, raised by AddItem
    words_.push_back(0);  // x and y: the dialog centres itself or is placed by its owner
    words_.push_back(0);
    words_.push_back(static_cast<WORD>(width));
    words_.push_back(static_cast<WORD>(height));
    words_.push_back(0);  // no menu
    words_.push_back(0);  // the standard dialog class
    AddString(caption);
    words_.push_back(pointSize);
    AddString(fontName);
}

void TDialogTemplate::AddItem(TItemClass itemClass, const std::wstring& text, WORD id, DWORD style, short x, short y,
                              short width, short height)
{
    AlignToDword();
    AddDword(style | WS_CHILD | WS_VISIBLE);
    AddDword(0);  // extended style
    for (short value : {x, y, width, height}) words_.push_back(static_cast<WORD>(value));
    words_.push_back(id);
    words_.push_back(0xFFFF);
    words_.push_back(itemClass);
    AddString(text);
    words_.push_back(0);  // no creation data
    ++words_[kItemCountWord];
}

void TDialogTemplate::AddDword(DWORD value)
{
    words_.push_back(LOWORD(value));
    words_.push_back(HIWORD(value));
}

void TDialogTemplate::AddString(const std::wstring& text)
{
    words_.insert(words_.end(), text.begin(), text.end());
    words_.push_back(0);
}

void TDialogTemplate::AlignToDword()
{
    if (words_.size() % 2) words_.push_back(0);
}
