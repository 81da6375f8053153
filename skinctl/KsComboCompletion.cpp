#include "skinctl/KsComboCompletion.h"

#include "framework/FlagScope.h"
#include "framework/Text.h"

#include <string_view>

int FindCompletion(const TEkListBoxItems& items, const std::wstring& text)
{
    for (int i = 0; i < items.Count(); ++i) {
        const std::wstring& item = items.Strings(i);
        if (item.size() >= text.size() && SameTextAscii(std::wstring_view(item).substr(0, text.size()), text)) return i;
    }
    return -1;
}

void TKsComboCompletion::Run(const std::wstring& text, const TEkListBoxItems& items,
                             const std::function<void(int index, int typedLength)>& complete)
{
    if (text.size() < lastText_.size()) {
        lastText_ = text;
        return;
    }
    // The completed item replaced the typed letters, perhaps in another case: once the completed rest
    // is deleted, the text is what was typed and is not completed again.
    if (SameTextAscii(text, lastText_) || running_) return;
    lastText_ = text;
    TFlagScope running(running_);
    int index = FindCompletion(items, text);
    if (index >= 0) complete(index, static_cast<int>(text.size()));
}
