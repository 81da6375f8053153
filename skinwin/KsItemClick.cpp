// Item clicks: deferred through a hidden window until the menu windows have closed, and reached
// through shortcut keys.
#include "skinwin/KsItems.h"

#include "framework/Application.h"
#include "framework/Handles.h"
#include "framework/Messages.h"

#include <algorithm>

namespace {

// The hidden window whose posted messages run item clicks. A click runs after every message
// pending before it, so the menu's windows are gone and the form has its focus back. It lives as
// long as the program, apart from every form.
class TKsItemClickHandler {
public:
    TKsItemClickHandler()
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"Folvane.ItemClick";
        RegisterClassW(&windowClass);
        window_.Reset(CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      windowClass.hInstance, nullptr));
        if (!window_) RaiseLastOSError();
    }
    ~TKsItemClickHandler();

    void Post(TKsCustomItem* item)
    {
        pending_.push_back(item);
        PostMessageW(window_.Get(), CM_ITEMCLICK, 0, reinterpret_cast<LPARAM>(item));
    }

    void Forget(TKsCustomItem* item)
    {
        std::erase(pending_, item);
        std::erase(running_, item);
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    // The item may be freed by anything the pending messages do; its destructor takes it out of
    // both lists, so only an item still listed is touched.
    void Run(TKsCustomItem* item)
    {
        if (!TakeOne(pending_, item)) return;
        running_.push_back(item);
        Application->ProcessMessages();
        if (TakeOne(running_, item)) item->RunClick();
    }

    static bool TakeOne(std::vector<TKsCustomItem*>& list, TKsCustomItem* item)
    {
        auto found = std::find(list.begin(), list.end(), item);
        if (found == list.end()) return false;
        list.erase(found);
        return true;
    }

    TWindowHandle window_;
    std::vector<TKsCustomItem*> pending_;
    std::vector<TKsCustomItem*> running_;
};

TKsItemClickHandler* clickHandler = nullptr;

// Forms freed after the program's end free their items after this.
TKsItemClickHandler::~TKsItemClickHandler() { clickHandler = nullptr; }

// Made on the first click.
TKsItemClickHandler& ClickHandler()
{
    static TKsItemClickHandler handler;
    clickHandler = &handler;
    return handler;
}

LRESULT CALLBACK TKsItemClickHandler::Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != CM_ITEMCLICK || !clickHandler) return DefWindowProcW(window, msg, wParam, lParam);
    GuardEntryPoint([&] { clickHandler->Run(reinterpret_cast<TKsCustomItem*>(lParam)); });
    return 0;
}

// How often a shortcut walk starts again because a click changed the tree under it.
constexpr int kShortCutRestarts = 8;

} // namespace

void TKsCustomItem::ForgetPendingClicks(TKsCustomItem* item)
{
    if (clickHandler) clickHandler->Forget(item);
}

void TKsCustomItem::Click()
{
    if (IsSeparator() || Count() > 0 || !enabled_) return;
    ClickHandler().Post(this);
}

void TKsCustomItem::RunClick()
{
    if (OnClick) OnClick(this);
}

TKsCustomItem* TKsCustomItem::FindShortCutPath(TShortCut shortCut, std::vector<int>& path)
{
    for (int i = 0; i < Count(); ++i) {
        path.push_back(i);
        TKsCustomItem* item = items_[i];
        if (item->shortCut_ == shortCut) return item;
        if (TKsCustomItem* found = item->FindShortCutPath(shortCut, path)) return found;
        path.pop_back();
    }
    return nullptr;
}

bool TKsCustomItem::ExecuteShortCut(WPARAM key, LPARAM keyData)
{
    TShortCut shortCut = ShortCutFromKeyMessage(key, keyData);
    if ((shortCut & 0xFF) == 0) return false;
    try {
        for (int attempt = 0; attempt < kShortCutRestarts; ++attempt) {
            std::vector<int> path;
            if (!FindShortCutPath(shortCut, path)) return false;
            std::vector<TKsCustomItem*> chain;
            for (TKsCustomItem* level = this; int index : path) chain.push_back(level = level->Items(index));
            // Each item on the path is clicked from the top down; when a click changed the tree
            // (an item is no longer where the search found it) the search starts again.
            bool changed = false;
            for (size_t depth = 0; depth < chain.size() && !changed; ++depth) {
                TKsCustomItem* holder = depth == 0 ? this : chain[depth - 1];
                TKsCustomItem* item = chain[depth];
                if (holder->IndexOf(item) != path[depth]) {
                    changed = true;
                    break;
                }
                if (!item->Enabled()) return true;
                item->Click();
            }
            if (!changed) return true;
        }
    } catch (const std::exception& error) {
        Application->HandleException(error);
    }
    return true;
}
