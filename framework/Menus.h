#pragma once

#include "framework/Component.h"
#include "framework/Handles.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// DestroyMenu: menu bars and sub-menus that are not attached to a window.
struct TMenuTraits {
    using Handle = HMENU;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DestroyMenu(h); }
};
using TMenuHandle = TUniqueHandle<TMenuTraits>;

class TMainMenu;

// One entry of a menu; an entry with sub-items opens a sub-menu. "&" in the caption marks the
// mnemonic letter.
class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(index); }
    TMenuItem* Parent() const { return parent_; }
    void Add(TMenuItem* item);
    void Remove(TMenuItem* item);

    // The command number the platform reports when this entry is chosen.
    UINT Command() const { return command_; }
    // The entry with this command number among this one and its descendants.
    TMenuItem* Find(UINT command);

    virtual void Click();
    std::function<void()> OnClick;

private:
    friend class TMainMenu;
    void Changed();
    void AppendTo(HMENU menu) const;

    std::wstring caption_;
    bool enabled_ = true;
    UINT command_;
    TMenuItem* parent_ = nullptr;
    TMainMenu* menu_ = nullptr;
    std::vector<TMenuItem*> items_;
};

// A menu bar for a form. The platform menu is rebuilt whenever an entry changes.
class TMainMenu : public TComponent {
public:
    explicit TMainMenu(TComponent* owner);
    ~TMainMenu() override;

    // The invisible root entry whose sub-items are the bar's entries.
    TMenuItem* Items() const { return root_; }
    // The platform menu bar, made on first use.
    HMENU Handle();
    // Attaches the menu bar to a window (none detaches it and takes the menu back).
    void AttachTo(HWND window);
    // Chooses the entry with this command number; false when there is none.
    bool DispatchCommand(UINT command);

private:
    friend class TMenuItem;
    void Rebuild();

    TMenuItem* root_;
    TMenuHandle handle_;
    HWND window_ = nullptr;
};
