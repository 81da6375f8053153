#include "framework/Menus.h"

namespace {

// Command numbers of menu entries: below the system commands (0xF000 on) and above the dialog ones.
UINT NextCommand()
{
    static UINT command = 0x0100;
    if (++command >= 0xF000) command = 0x0101;
    return command;
}

} // namespace

// ---- TMenuItem ----

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NextCommand()) {}

TMenuItem::~TMenuItem()
{
    Destroying();
    for (TMenuItem* item : items_) item->parent_ = nullptr;
    items_.clear();
    if (parent_) parent_->Remove(this);
}

void TMenuItem::SetCaption(const std::wstring& caption)
{
    if (caption_ == caption) return;
    caption_ = caption;
    Changed();
}

void TMenuItem::SetEnabled(bool enabled)
{
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Changed();
}

void TMenuItem::Add(TMenuItem* item)
{
    if (item->parent_) item->parent_->Remove(item);
    items_.push_back(item);
    item->parent_ = this;
    Changed();
}

void TMenuItem::Remove(TMenuItem* item)
{
    if (std::erase(items_, item) == 0) return;
    item->parent_ = nullptr;
    Changed();
}

TMenuItem* TMenuItem::Find(UINT command)
{
    if (command_ == command) return this;
    for (TMenuItem* item : items_)
        if (TMenuItem* found = item->Find(command)) return found;
    return nullptr;
}

void TMenuItem::Click()
{
    if (OnClick) OnClick();
}

void TMenuItem::Changed()
{
    TMenuItem* root = this;
    while (root->parent_) root = root->parent_;
    if (root->menu_) root->menu_->Rebuild();
}

void TMenuItem::AppendTo(HMENU menu) const
{
    UINT flags = enabled_ ? MF_ENABLED : MF_GRAYED;
    if (caption_ == L"-") {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else if (items_.empty()) {
        AppendMenuW(menu, MF_STRING | flags, command_, caption_.c_str());
    } else {
        // The sub-menu belongs to menu from here on and goes with it.
        HMENU sub = CreatePopupMenu();
        for (TMenuItem* item : items_) item->AppendTo(sub);
        AppendMenuW(menu, MF_POPUP | MF_STRING | flags, reinterpret_cast<UINT_PTR>(sub), caption_.c_str());
    }
}

// ---- TMainMenu ----

TMainMenu::TMainMenu(TComponent* owner) : TComponent(owner), root_(new TMenuItem(this)) { root_->menu_ = this; }

TMainMenu::~TMainMenu()
{
    Destroying();
    AttachTo(nullptr);
    root_->menu_ = nullptr;
}

HMENU TMainMenu::Handle()
{
    if (!handle_) {
        handle_.Reset(CreateMenu());
        for (TMenuItem* item : root_->items_) item->AppendTo(handle_.Get());
    }
    return handle_.Get();
}

void TMainMenu::AttachTo(HWND window)
{
    // A window destroys the menu it holds, so the menu is always taken back before the window goes.
    if (window_ && window_ != window && IsWindow(window_) && GetMenu(window_) == handle_.Get())
        ::SetMenu(window_, nullptr);
    window_ = window;
    if (window_) ::SetMenu(window_, Handle());
}

bool TMainMenu::DispatchCommand(UINT command)
{
    TMenuItem* item = root_->Find(command);
    if (!item || item == root_ || item->Count() > 0) return false;
    item->Click();
    return true;
}

void TMainMenu::Rebuild()
{
    if (!handle_) return;
    HWND window = window_;
    if (window && IsWindow(window)) ::SetMenu(window, nullptr);
    handle_.Reset();
    if (window && IsWindow(window)) {
        ::SetMenu(window, Handle());
        DrawMenuBar(window);
    }
}
