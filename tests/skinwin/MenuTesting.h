#pragma once

#include "skinwin/KsMenuForm.h"
#include "skinwin/KsMenus.h"
#include "tests/framework/WindowTesting.h"

#include <deque>
#include <functional>
#include <string>

// Steps run from inside the menus' modal loops: a timer of a hidden window, which the loops
// dispatch like any other message, runs each step once its condition holds. A step that waits too
// long fails the test and closes every menu, so a test never hangs.
class TMenuScript {
public:
    TMenuScript();
    ~TMenuScript();
    TMenuScript(const TMenuScript&) = delete;
    TMenuScript& operator=(const TMenuScript&) = delete;

    // Runs action once condition is true (checked every 10 milliseconds, for about three seconds).
    TMenuScript& When(const std::string& what, std::function<bool()> condition, std::function<void()> action);
    TMenuScript& Then(std::function<void()> action);
    bool Done() const { return steps_.empty(); }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void Tick();

    struct TStep {
        std::string What;
        std::function<bool()> Condition;
        std::function<void()> Action;
    };
    std::deque<TStep> steps_;
    HWND window_ = nullptr;
    int waited_ = 0;
};

// A shown form with a plain menu bar holding "檔案(&F)" (three entries) and "關於(&A)" (one).
class MenuWindow : public WindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    TKsCustomItem* AddItem(TKsCustomItem* parent, const std::wstring& caption);
    // The view of the popup opened from view, or none.
    static TKsItemView* PopupOf(TKsItemView* view) { return view ? view->ChildView() : nullptr; }
    TKsItemView* FirstPopup() const { return PopupOf(Bar->View()); }
    // The window a view paints on, as the platform knows it.
    static HWND WindowOf(TKsItemView* view) { return view->Control()->Handle(); }
    // Holds Alt down for GetKeyState, as the keyboard would during Alt+letter.
    static void HoldAlt(bool down);
    // Posts a key press to the focused window (or to the form) as the keyboard would.
    void PostKey(WPARAM key);
    // Posts Alt+F to the form as the platform delivers it once the letter is translated: a system character.
    void PostAltF() { PostMessageW(Form->Handle(), WM_SYSCHAR, L'f', 0x20000001); }
    // The screen point at the centre of an item of a view.
    static TPoint ItemCentre(TKsItemView* view, TKsCustomItem* item);

    TKsCustomMenuBar* Bar = nullptr;
    TKsCustomItem* File = nullptr;
    TKsCustomItem* Load = nullptr;
    TKsCustomItem* Save = nullptr;
    TKsCustomItem* Exit = nullptr;
    TKsCustomItem* About = nullptr;
    TKsCustomItem* Product = nullptr;
    std::vector<std::wstring> Clicks;
};
