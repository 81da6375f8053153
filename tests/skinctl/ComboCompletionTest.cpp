#include "skinctl/KsComboCompletion.h"

#include <gtest/gtest.h>

namespace {

TEkListBoxItems Fruit()
{
    TEkListBoxItems items;
    items.Assign({L"Banana", L"apple", L"Apricot", L"Äpfel", L"1", L"12"});
    return items;
}

} // namespace

TEST(ComboCompletion, TheFirstItemBeginningWithTheTextInAnyAsciiCaseMatches)
{
    TEkListBoxItems items = Fruit();
    EXPECT_EQ(FindCompletion(items, L"A"), 1);
    EXPECT_EQ(FindCompletion(items, L"APR"), 2);
    EXPECT_EQ(FindCompletion(items, L"äp"), -1);
    EXPECT_EQ(FindCompletion(items, L"Bananas"), -1);
    EXPECT_EQ(FindCompletion(items, L"12"), 5);
    EXPECT_EQ(FindCompletion(items, L""), 0);
}

TEST(ComboCompletion, CompletesGrownTextOnceAndNotAfterTheCompletedRestWasDeleted)
{
    TEkListBoxItems items = Fruit();
    TKsComboCompletion completion;
    std::wstring text = L"b";
    int calls = 0;
    auto complete = [&](int index, int typed) {
        ++calls;
        EXPECT_TRUE(completion.Running());
        EXPECT_EQ(typed, 1);
        text = items.Strings(index);
    };
    completion.Run(text, items, complete);
    EXPECT_EQ(text, L"Banana");
    EXPECT_FALSE(completion.Running());
    // Backspace removed the selected "anana": the text is the item's first letter, in the item's
    // case, and stays so; so does the letter as it was typed.
    text = L"B";
    completion.Run(text, items, complete);
    EXPECT_EQ(text, L"B");
    text = L"b";
    completion.Run(text, items, complete);
    EXPECT_EQ(text, L"b");
    text = L"";
    completion.Run(text, items, complete);
    EXPECT_EQ(calls, 1);
    // Typing again completes again.
    text = L"a";
    completion.Run(text, items, [&](int index, int) { text = items.Strings(index); });
    EXPECT_EQ(text, L"apple");
}
