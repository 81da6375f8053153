#include "framework/Application.h"
#include "skinwin/KsItems.h"
#include "skinwin/KsMenus.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

TKsCustomItem* NewItem(TComponent* owner, const std::wstring& caption, TKsCustomItem* parent = nullptr)
{
    auto* item = new TKsCustomItem(owner);
    item->SetCaption(caption);
    if (parent) parent->Add(item);
    return item;
}

class ItemTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Application->OnException = [this](const Exception& e) { Reports.push_back(e.Message()); };
    }
    void TearDown() override
    {
        Application->ProcessMessages();
        Application->OnException = nullptr;
    }

    TComponent Owner{nullptr};
    std::vector<std::wstring> Reports;
};

TEST_F(ItemTree, AnItemWithAParentCannotBeInsertedElsewhere)
{
    TKsCustomItem* root = NewItem(&Owner, L"");
    TKsCustomItem* file = NewItem(&Owner, L"檔案(&F)", root);
    TKsCustomItem* other = NewItem(&Owner, L"關於(&A)", root);
    try {
        other->Add(file);
        FAIL() << "no error";
    } catch (const EKsItemError& error) {
        EXPECT_EQ(error.Message(), L"Toolbar item already inserted");
    }
    EXPECT_EQ(file->Parent(), root);
    EXPECT_EQ(other->Count(), 0);

    root->Remove(file);
    other->Insert(0, file);
    EXPECT_EQ(file->Parent(), other);
    EXPECT_EQ(root->Count(), 1);
    // Freeing an item takes it out of its parent, and its children go with it.
    NewItem(&Owner, L"child", file);
    delete file;
    EXPECT_EQ(other->Count(), 0);
}

TEST_F(ItemTree, TheRootHearsOfRealChangesAnywhereInItsTreeButNotWhileLoading)
{
    std::vector<TKsCustomItem*> heard;
    TComponent owner(nullptr);
    TKsCustomItem* root = NewItem(&owner, L"");
    TKsCustomItem* file = NewItem(&owner, L"檔案(&F)", root);
    TKsCustomItem* save = NewItem(&owner, L"儲存", file);
    root->OnChange = [&](TKsCustomItem* item) { heard.push_back(item); };

    save->SetCaption(L"儲存");
    save->SetHint(L"not announced");
    EXPECT_TRUE(heard.empty());
    save->SetEnabled(false);
    save->SetChecked(true);
    file->SetVisible(false);
    NewItem(&owner, L"new", file);
    EXPECT_EQ(heard, (std::vector<TKsCustomItem*>{save, save, file, file}));

    // Changes made while an item is read are told once, when it has been read.
    heard.clear();
    save->BeginLoading();
    save->SetCaption(L"loading");
    save->SetEnabled(true);
    EXPECT_TRUE(heard.empty());
    save->EndLoading();
    EXPECT_EQ(heard, std::vector<TKsCustomItem*>{save});
}

TEST_F(ItemTree, ItemsReadFromAFormFindTheirMenuThroughTheRegisteredContainers)
{
    TComponent form(nullptr);
    auto* bar = new TKsCustomMenuBar(&form);
    auto* menu = new TKsCustomPopupMenu(&form);
    TKsCustomItem* file = NewItem(&form, L"檔案(&F)");
    TKsCustomItem* open = NewItem(&form, L"開啟");
    TKsCustomItem* copy = NewItem(&form, L"複製");

    file->SetParentComponent(bar);
    open->SetParentComponent(file);
    copy->SetParentComponent(menu);
    EXPECT_EQ(file->Parent(), bar->Items());
    EXPECT_EQ(file->ParentComponent(), bar);
    EXPECT_EQ(open->ParentComponent(), file);
    EXPECT_EQ(copy->Parent(), menu->Items());

    // With no container of its class alive, a component takes no items.
    delete menu;
    TKsCustomItem* lost = NewItem(&form, L"lost");
    TComponent stranger(nullptr);
    lost->SetParentComponent(&stranger);
    EXPECT_EQ(lost->Parent(), nullptr);
}

TEST_F(ItemTree, AClickIsPostedAndRunsWhenTheMessagesAreProcessed)
{
    TKsCustomItem* root = NewItem(&Owner, L"");
    TKsCustomItem* save = NewItem(&Owner, L"儲存(&S)", root);
    std::vector<std::wstring> order;
    save->OnClick = [&](TKsCustomItem*) { order.push_back(L"click"); };
    Application->ProcessMessages();

    save->Click();
    EXPECT_TRUE(order.empty());
    Application->ProcessMessages();
    EXPECT_EQ(order, std::vector<std::wstring>{L"click"});

    // Separators, items with children and disabled items have no click.
    order.clear();
    NewItem(&Owner, L"-", root)->Click();
    root->Click();
    save->SetEnabled(false);
    save->Click();
    Application->ProcessMessages();
    EXPECT_TRUE(order.empty());
}

TEST_F(ItemTree, AnItemFreedBeforeItsPostedClickRunsIsNotTouched)
{
    TKsCustomItem* root = NewItem(&Owner, L"");
    TKsCustomItem* doomed = NewItem(&Owner, L"doomed", root);
    TKsCustomItem* kept = NewItem(&Owner, L"kept", root);
    int clicks = 0;
    doomed->OnClick = [&](TKsCustomItem*) { ++clicks; };
    kept->OnClick = [&](TKsCustomItem*) { ++clicks; };
    doomed->Click();
    kept->Click();
    kept->Click();
    delete doomed;
    Application->ProcessMessages();
    EXPECT_EQ(clicks, 2);
}

TEST_F(ItemTree, AShortcutClicksItsItemAndADisabledItemOnThePathStopsIt)
{
    TKsCustomItem* root = NewItem(&Owner, L"");
    TKsCustomItem* file = NewItem(&Owner, L"檔案(&F)", root);
    TKsCustomItem* save = NewItem(&Owner, L"儲存(&S)", file);
    save->SetShortCut(scCtrl | 'S');
    int saves = 0;
    save->OnClick = [&](TKsCustomItem*) { ++saves; };

    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CONTROL] = 0x80;
    SetKeyboardState(state);
    bool found = root->ExecuteShortCut('S', 0);
    bool other = root->ExecuteShortCut('Q', 0);
    file->SetEnabled(false);
    bool foundDisabled = root->ExecuteShortCut('S', 0);
    state[VK_CONTROL] = 0;
    SetKeyboardState(state);
    bool withoutCtrl = root->ExecuteShortCut('S', 0);
    Application->ProcessMessages();

    EXPECT_TRUE(found);
    EXPECT_FALSE(other);
    EXPECT_TRUE(foundDisabled);
    EXPECT_FALSE(withoutCtrl);
    EXPECT_EQ(saves, 1);
}

TEST_F(ItemTree, AnAcceleratorIsFoundAmongTheVisibleChildrenWithoutRegardToCase)
{
    TKsCustomItem* root = NewItem(&Owner, L"");
    NewItem(&Owner, L"載入設定檔(*.CFG)(&L)", root);
    TKsCustomItem* save = NewItem(&Owner, L"儲存設定檔(*.CFG)(&S)", root);
    TKsCustomItem* hidden = NewItem(&Owner, L"&X hidden", root);
    hidden->SetVisible(false);
    NewItem(&Owner, L"Salt && pepper", root);
    EXPECT_EQ(root->FindByAccelerator(L's'), save);
    EXPECT_EQ(root->FindByAccelerator(L'X'), nullptr);
    EXPECT_EQ(root->FindByAccelerator(L'p'), nullptr);
}

TEST_F(ItemTree, ShortcutTextsAreThePlatformNames)
{
    EXPECT_EQ(ShortCutToText(scAlt | VK_F4), L"Alt+F4");
    EXPECT_EQ(ShortCutToText(scCtrl | scShift | 'S'), L"Shift+Ctrl+S");
    EXPECT_EQ(ShortCutToText(scNone), L"");
}

} // namespace
