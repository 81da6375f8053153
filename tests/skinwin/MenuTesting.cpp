#include "tests/skinwin/MenuTesting.h"

#include "framework/Messages.h"

namespace {

constexpr UINT_PTR kScriptTimer = 1;
constexpr int kMaxWaits = 300;

} // namespace

TMenuScript::TMenuScript()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"Folvane.MenuScript";
        RegisterClassW(&wc);
        registered = true;
    }
    window_ = CreateWindowExW(0, L"Folvane.MenuScript", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetTimer(window_, kScriptTimer, 10, nullptr);
}

TMenuScript::~TMenuScript()
{
    if (!steps_.empty()) ADD_FAILURE() << "script ended before: " << steps_.front().What;
    DestroyWindow(window_);
}

TMenuScript& TMenuScript::When(const std::string& what, std::function<bool()> condition, std::function<void()> action)
{
    steps_.push_back({what, std::move(condition), std::move(action)});
    return *this;
}

TMenuScript& TMenuScript::Then(std::function<void()> action)
{
    return When(
        "a step", [] { return true; }, std::move(action));
}

LRESULT CALLBACK TMenuScript::Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_TIMER) {
        if (auto* script = reinterpret_cast<TMenuScript*>(GetWindowLongPtrW(window, GWLP_USERDATA))) script->Tick();
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

void TMenuScript::Tick()
{
    if (steps_.empty()) return;
    TStep& step = steps_.front();
    if (!step.Condition()) {
        if (++waited_ < kMaxWaits) return;
        ADD_FAILURE() << "waited in vain for: " << step.What;
        steps_.clear();
        // A non-client click ends every tracking loop.
        PostMessageW(GetForegroundWindow(), WM_NCMBUTTONDBLCLK, 0, 0);
        return;
    }
    waited_ = 0;
    auto action = std::move(step.Action);
    steps_.pop_front();
    action();
}

void MenuWindow::SetUp()
{
    WindowTest::SetUp();
    Bar = new TKsCustomMenuBar(Form);
    Bar->SetParent(Form);
    File = AddItem(Bar->Items(), L"檔案(&F)");
    Load = AddItem(File, L"載入設定檔(*.CFG)(&L)");
    Save = AddItem(File, L"儲存設定檔(*.CFG)(&S)");
    Exit = AddItem(File, L"離開(&X)");
    About = AddItem(Bar->Items(), L"關於(&A)");
    Product = AddItem(About, L"Folvane Tool(&D)");
    ShowForm();
    SetCursorPos(0, 0);
}

void MenuWindow::TearDown()
{
    HoldAlt(false);
    WindowTest::TearDown();
}

TKsCustomItem* MenuWindow::AddItem(TKsCustomItem* parent, const std::wstring& caption)
{
    auto* item = new TKsCustomItem(Form);
    item->SetCaption(caption);
    item->OnClick = [this](TKsCustomItem* sender) { Clicks.push_back(sender->Caption()); };
    parent->Add(item);
    return item;
}

void MenuWindow::HoldAlt(bool down)
{
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_MENU] = down ? 0x80 : 0;
    SetKeyboardState(state);
}

void MenuWindow::PostKey(WPARAM key)
{
    HWND target = GetFocus() ? GetFocus() : Form->Handle();
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

TPoint MenuWindow::ItemCentre(TKsItemView* view, TKsCustomItem* item)
{
    TRect r = view->ItemRect(item);
    return view->CoordControl()->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
}
