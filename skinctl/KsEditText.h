#pragma once

#include "skinctl/KsEditActionStack.h"
#include "skinctl/KsEditChars.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>

// The text of a single-line edit with its caret, selection, limits and undo history: everything the
// edit does to its text, without the window. The selection runs from the anchor to the caret (the
// moving end); both always lie on character boundaries inside the text.
class TKsEditText {
public:
    TKsEditText() : history_(*this) {}
    TKsEditText(const TKsEditText&) = delete;
    TKsEditText& operator=(const TKsEditText&) = delete;

    const std::wstring& Text() const { return text_; }
    int Length() const { return static_cast<int>(text_.size()); }
    // The program replaces the text: it is cased, caret and selection are kept inside it (the
    // selection cleared), and the undo history, which spoke of the old text, is dropped.
    void SetText(std::wstring_view text);

    int Caret() const { return caret_; }
    int Anchor() const { return anchor_; }
    int SelStart() const { return std::min(caret_, anchor_); }
    int SelLength() const { return std::abs(anchor_ - caret_); }
    bool HasSelection() const { return caret_ != anchor_; }
    std::wstring SelectedText() const { return text_.substr(SelStart(), SelLength()); }

    // Moves the caret; the anchor follows unless the selection is being extended.
    void MoveCaret(int pos, bool extend);
    // Moves the caret there without a selection, unless it is there already.
    void SetSelStart(int pos);
    // Puts the anchor length units from the caret (negative: to its left), inside the text.
    void SetSelLength(int length);
    void Select(int anchor, int caret);
    // The whole text selected, the caret at the start.
    void SelectAll() { Select(Length(), 0); }
    // The word of the character at pos and the blanks after it, the caret at its end.
    void SelectWord(int pos);
    // Home, End, Left, Right with Ctrl (by words) and Shift (extending); false for any other key.
    bool MoveByKey(WORD key, bool ctrl, bool shift);

    // Bytes of the ANSI code page that the text may take; 0 is no limit. A longer text stays.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int maxLength) { maxLength_ = maxLength; }
    TEditCharCase CharCase() const { return charCase_; }
    // Re-cases the text at once; the history stays valid because casing keeps every position.
    void SetCharCase(TEditCharCase charCase);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

    // Typing, one UTF-16 unit at a time as the keyboard and input methods deliver them: the two
    // halves of a surrogate pair go in together or not at all; control characters are refused.
    void TypeUnit(wchar_t unit);
    // Inserts one character in place of the selection, unless the limit refuses it.
    void TypeChar(std::wstring_view character);
    // Inserts what the typing rules let through of text in place of the selection, cut to the limit.
    void Paste(std::wstring_view text);
    void DeleteSelection();
    // Without a selection: the character before (Backspace) or after (Delete) the caret.
    void Backspace();
    void DeleteForward();
    bool CanUndo() const { return !history_.Empty(); }
    void Undo() { history_.Undo(); }
    const TEditActionStack& History() const { return history_; }

    // Asked before any new text is stored; false keeps the old text.
    std::function<bool(const std::wstring&)> OnAccept;
    // The stored text changed.
    std::function<void()> OnChange;

private:
    friend class TEditActionStack;
    // The steps of undo: put a deleted text back (selected) or take an insertion out.
    void RestoreDeleted(int position, const std::wstring& text);
    void RemoveInserted(int position, int count);

    // Replaces the units start..end by insert, recording both halves, and puts the caret after it.
    void Replace(int start, int end, std::wstring_view insert);
    bool Accepts(const std::wstring& text) const { return !OnAccept || OnAccept(text); }
    // Stores the text in the edit's case; a changed text clears the selection and is announced.
    void Commit(std::wstring text);
    // The longest leading part of text that fits the limit beside the rest of the text.
    std::wstring_view FitToLimit(std::wstring_view text, int remainingBytes) const;

    std::wstring text_;
    int caret_ = 0;
    int anchor_ = 0;
    int maxLength_ = 0;
    TEditCharCase charCase_ = ecNormal;
    bool readOnly_ = false;
    wchar_t pendingHighSurrogate_ = 0;
    TEditActionStack history_;
};
