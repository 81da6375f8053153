#include "skinctl/KsEditText.h"

#include <utility>

namespace {

std::wstring Spliced(const std::wstring& text, int start, int end, std::wstring_view insert)
{
    std::wstring result;
    result.reserve(text.size() - (end - start) + insert.size());
    result.append(text, 0, start);
    result.append(insert);
    result.append(text, end);
    return result;
}

} // namespace

void TKsEditText::SetText(std::wstring_view text)
{
    std::wstring newText(text);
    if (!Accepts(newText)) return;
    history_.Clear();
    Commit(std::move(newText));
}

void TKsEditText::Commit(std::wstring text)
{
    text = ApplyCharCase(text, charCase_);
    bool changed = text != text_;
    text_ = std::move(text);
    caret_ = ClampToChar(text_, caret_);
    anchor_ = changed ? caret_ : ClampToChar(text_, anchor_);
    if (changed && OnChange) OnChange();
}

void TKsEditText::MoveCaret(int pos, bool extend)
{
    caret_ = ClampToChar(text_, pos);
    if (!extend) anchor_ = caret_;
}

void TKsEditText::SetSelStart(int pos)
{
    if (ClampToChar(text_, pos) != caret_) MoveCaret(pos, false);
}

void TKsEditText::SetSelLength(int length) { anchor_ = ClampToChar(text_, caret_ + length); }

void TKsEditText::Select(int anchor, int caret)
{
    caret_ = ClampToChar(text_, caret);
    anchor_ = ClampToChar(text_, anchor);
}

void TKsEditText::SelectWord(int pos)
{
    // The word of the character to the right of the position, so that a double click on the left
    // half of a word's first letter selects that word and not the one before it.
    int start = PreviousWordStart(text_, NextCharPos(text_, ClampToChar(text_, pos)));
    Select(start, NextWordStart(text_, start));
}

bool TKsEditText::MoveByKey(WORD key, bool ctrl, bool shift)
{
    int target;
    switch (key) {
    case VK_HOME:
        target = 0;
        break;
    case VK_END:
        target = Length();
        break;
    case VK_LEFT:
        target = ctrl ? PreviousWordStart(text_, caret_) : PrevCharPos(text_, caret_);
        break;
    case VK_RIGHT:
        target = ctrl ? NextWordStart(text_, caret_) : NextCharPos(text_, caret_);
        break;
    default:
        return false;
    }
    MoveCaret(target, shift);
    return true;
}

void TKsEditText::SetCharCase(TEditCharCase charCase)
{
    if (charCase_ == charCase) return;
    charCase_ = charCase;
    if (charCase == ecNormal || text_.empty()) return;
    std::wstring cased = ApplyCharCase(text_, charCase);
    if (Accepts(cased)) Commit(std::move(cased));
}

void TKsEditText::TypeUnit(wchar_t unit)
{
    wchar_t high = std::exchange(pendingHighSurrogate_, wchar_t{0});
    if (IsHighSurrogate(unit)) {
        pendingHighSurrogate_ = unit;
        return;
    }
    if (IsLowSurrogate(unit)) {
        if (high) TypeChar(std::wstring{high, unit});
        return;
    }
    TypeChar(std::wstring_view(&unit, 1));
}

void TKsEditText::TypeChar(std::wstring_view character)
{
    if (readOnly_ || character.empty() || IsControlUnit(character[0])) return;
    int start = SelStart();
    int end = start + SelLength();
    if (maxLength_ > 0 && AnsiByteLength(Spliced(text_, start, end, character)) > maxLength_) {
        anchor_ = caret_;
        return;
    }
    Replace(start, end, character);
}

void TKsEditText::Paste(std::wstring_view text)
{
    if (readOnly_) return;
    std::wstring typable = TypableText(text);
    if (typable.empty()) return;
    int start = SelStart();
    int end = start + SelLength();
    int remainingBytes = AnsiByteLength(text_) - AnsiByteLength(std::wstring_view(text_).substr(start, end - start));
    Replace(start, end, FitToLimit(typable, remainingBytes));
}

void TKsEditText::DeleteSelection()
{
    if (readOnly_ || !HasSelection()) return;
    Replace(SelStart(), SelStart() + SelLength(), {});
}

void TKsEditText::Backspace()
{
    if (readOnly_) return;
    if (HasSelection()) return DeleteSelection();
    if (caret_ > 0) Replace(PrevCharPos(text_, caret_), caret_, {});
}

void TKsEditText::DeleteForward()
{
    if (readOnly_) return;
    if (HasSelection()) return DeleteSelection();
    if (caret_ < Length()) Replace(caret_, NextCharPos(text_, caret_), {});
}

void TKsEditText::Replace(int start, int end, std::wstring_view insert)
{
    std::wstring newText = Spliced(text_, start, end, insert);
    if (!Accepts(newText)) return;
    history_.RecordDeletion(start + 1, std::wstring_view(text_).substr(start, end - start));
    history_.RecordInsertion(start + 1, static_cast<int>(insert.size()), end > start);
    Commit(std::move(newText));
    MoveCaret(start + static_cast<int>(insert.size()), false);
}

std::wstring_view TKsEditText::FitToLimit(std::wstring_view text, int remainingBytes) const
{
    if (maxLength_ <= 0) return text;
    int allowed = maxLength_ - remainingBytes;
    if (allowed <= 0) return {};
    return text.substr(0, AnsiPrefixLength(text, allowed));
}

void TKsEditText::RestoreDeleted(int position, const std::wstring& text)
{
    int start = ClampToChar(text_, position - 1);
    std::wstring_view insert = FitToLimit(text, AnsiByteLength(text_));
    std::wstring newText = Spliced(text_, start, start, insert);
    if (!Accepts(newText)) return;
    Commit(std::move(newText));
    Select(start, start + static_cast<int>(insert.size()));
}

void TKsEditText::RemoveInserted(int position, int count)
{
    int start = ClampToChar(text_, position - 1);
    int end = ClampToChar(text_, start + count);
    std::wstring newText = Spliced(text_, start, end, {});
    if (!Accepts(newText)) return;
    Commit(std::move(newText));
    MoveCaret(start, false);
}
