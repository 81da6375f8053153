#include "skinwin/KsHooks.h"
#include "tests/framework/WindowTesting.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr UINT kProbe = WM_USER + 77;

std::vector<std::wstring> journal;

// A form that notes every probe its own procedure sees.
class TJournalForm : public TForm {
public:
    using TForm::TForm;

protected:
    void WndProc(TMessage& message) override
    {
        if (message.Msg == kProbe || message.Msg == WM_DESTROY || message.Msg == WM_QUIT) journal.push_back(L"window");
        TForm::WndProc(message);
    }
};

// A hook that notes the passes it sees and runs an optional action in its before pass.
class TJournalHook : public TKsHook {
public:
    TJournalHook(const std::wstring& name, bool consume = false) : TKsHook(nullptr), name_(name), consume_(consume) {}

    std::function<void(TJournalHook&)> DuringBefore;
    int Recreations = 0;

protected:
    void BeforeMessage(TMessage& message) override
    {
        if (!Watched(message.Msg)) return;
        journal.push_back(name_ + L" before");
        if (consume_) MarkHandled();
        if (DuringBefore) DuringBefore(*this);
    }
    void AfterMessage(TMessage& message) override
    {
        if (Watched(message.Msg)) journal.push_back(name_ + L" after");
    }
    void WindowRecreated() override { ++Recreations; }

private:
    static bool Watched(UINT msg) { return msg == kProbe || msg == WM_DESTROY || msg == WM_QUIT; }

    std::wstring name_;
    bool consume_;
};

class HookTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        delete Form;
        Form = new TJournalForm(nullptr);
        Form->SetBounds(60, 60, 300, 200);
        ShowForm();
        journal.clear();
    }

    LRESULT Probe() { return SendMessageW(Form->Handle(), kProbe, 0, 0); }

    static WNDPROC Procedure(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)); }
    static WNDPROC ClassProcedure(HWND window)
    {
        return reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC));
    }
};

using Journal = std::vector<std::wstring>;

} // namespace

TEST_F(HookTest, TheNewestHookSeesEveryMessageFirstAndCanKeepItFromTheOthersAndTheWindow)
{
    TJournalHook first(L"first");
    TJournalHook second(L"second");
    first.SetControl(Form);
    second.SetControl(Form);
    Probe();
    EXPECT_EQ(journal, (Journal{L"second before", L"first before", L"window", L"second after", L"first after"}));

    journal.clear();
    TJournalHook consuming(L"third", true);
    consuming.SetControl(Form);
    Probe();
    EXPECT_EQ(journal, Journal{L"third before"});
}

TEST_F(HookTest, AMessageSentToTheWindowWhileOneIsConsumedDoesNotUndoTheConsumption)
{
    TJournalHook hook(L"hook", true);
    hook.SetControl(Form);
    // After consuming the probe the hook sends the window a message it lets through.
    hook.DuringBefore = [this](TJournalHook&) { SendMessageW(Form->Handle(), WM_NULL, 0, 0); };
    Probe();
    EXPECT_EQ(journal, Journal{L"hook before"});
}

TEST_F(HookTest, AConsumedDestroyStillReachesTheWindowAndOnlyTheNewestAfterPass)
{
    TJournalHook first(L"first");
    TJournalHook second(L"second", true);
    first.SetControl(Form);
    second.SetControl(Form);
    DestroyWindow(Form->Handle());
    EXPECT_EQ(journal, (Journal{L"second before", L"window", L"second after"}));
}

TEST_F(HookTest, QuitIsNeverOfferedToTheBeforePass)
{
    TJournalHook hook(L"hook", true);
    hook.SetControl(Form);
    SendMessageW(Form->Handle(), WM_QUIT, 0, 0);
    EXPECT_EQ(journal, (Journal{L"window", L"hook after"}));
}

TEST_F(HookTest, AStyleChangeMakesTheWindowAgainAndTheHooksWatchItOnceTheReinstallRan)
{
    TJournalHook hook(L"hook");
    hook.SetControl(Form);
    HWND before = Form->Handle();
    Form->SetBorderStyle(fbsDialog);
    HWND after = Form->Handle();
    ASSERT_NE(before, after);
    Application->ProcessMessages();
    EXPECT_EQ(hook.Recreations, 1);
    journal.clear();
    Probe();
    EXPECT_EQ(journal, (Journal{L"hook before", L"window", L"hook after"}));
    EXPECT_NE(Procedure(after), ClassProcedure(after));
}

TEST_F(HookTest, AReinstallQueuedForAnEmptiedListInstallsNothing)
{
    TJournalHook hook(L"hook");
    hook.SetControl(Form);
    Form->SetBorderStyle(fbsDialog);
    // The hook goes before the queued re-install runs.
    hook.SetActive(false);
    MSG reinstall;
    ASSERT_TRUE(PeekMessageW(&reinstall, THookList::Get().Window(), CM_HOOKREINSTALL, CM_HOOKREINSTALL, PM_REMOVE));
    DispatchMessageW(&reinstall);
    HWND window = Form->Handle();
    EXPECT_EQ(Procedure(window), ClassProcedure(window));
    Application->ProcessMessages();
    journal.clear();
    Probe();
    EXPECT_EQ(journal, Journal{L"window"});
}

TEST_F(HookTest, AHookLeavingInsideItsOwnDeliveryKeepsItsControlHookUntilTheQueuedRelease)
{
    THookList& registry = THookList::Get();
    int before = registry.Count();
    auto* hook = new TJournalHook(L"hook");
    hook->SetControl(Form);
    EXPECT_EQ(registry.Count(), before + 1);
    hook->DuringBefore = [](TJournalHook& self) { delete &self; };
    Probe();
    // The message still reached the window; the procedure that delivered it was not freed.
    EXPECT_EQ(journal, (Journal{L"hook before", L"window"}));
    EXPECT_EQ(registry.Count(), before + 1);
    Application->ProcessMessages();
    EXPECT_EQ(registry.Count(), before);
    EXPECT_EQ(Procedure(Form->Handle()), ClassProcedure(Form->Handle()));
}

TEST_F(HookTest, TheQueuedReleaseSparesAControlHookThatGotANewHookMeanwhile)
{
    THookList& registry = THookList::Get();
    int before = registry.Count();
    TJournalHook first(L"first");
    first.SetControl(Form);
    TJournalHook second(L"second");
    first.DuringBefore = [this, &second](TJournalHook& self) {
        self.SetControl(nullptr);
        second.SetControl(Form);
    };
    Probe();
    Application->ProcessMessages();
    EXPECT_EQ(registry.Count(), before + 1);
    journal.clear();
    first.DuringBefore = nullptr;
    Probe();
    EXPECT_EQ(journal, (Journal{L"second before", L"window", L"second after"}));
}

namespace {

WNDPROC foreignPrevious = nullptr;
int foreignCalls = 0;

LRESULT CALLBACK ForeignProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == kProbe) ++foreignCalls;
    return CallWindowProcW(foreignPrevious, window, msg, wParam, lParam);
}

} // namespace

TEST_F(HookTest, AProcedureInstalledAfterTheHookStaysAndOursForwardsUnderIt)
{
    HWND window = Form->Handle();
    auto* hook = new TJournalHook(L"hook");
    hook->SetControl(Form);
    foreignCalls = 0;
    foreignPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ForeignProcedure)));
    delete hook;
    Application->ProcessMessages();
    EXPECT_EQ(Procedure(window), ForeignProcedure);
    Probe();
    EXPECT_EQ(foreignCalls, 1);
    EXPECT_EQ(journal, Journal{L"window"});

    // A new hook goes on top of the other party's procedure; each message is still seen once.
    journal.clear();
    TJournalHook again(L"again");
    again.SetControl(Form);
    Probe();
    EXPECT_EQ(foreignCalls, 2);
    EXPECT_EQ(journal, (Journal{L"again before", L"window", L"again after"}));
}

namespace {

WNDPROC raisingPrevious = nullptr;

// A procedure set into the window before the hook, which fails on the probe.
LRESULT CALLBACK RaisingProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == kProbe) {
        journal.push_back(L"window");
        throw EInvalidOperation(L"window failed");
    }
    return CallWindowProcW(raisingPrevious, window, msg, wParam, lParam);
}

} // namespace

TEST_F(HookTest, TheAfterPassRunsAlsoWhenTheWindowsOwnProcedureRaisesAndTheErrorIsReported)
{
    HWND window = Form->Handle();
    raisingPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RaisingProcedure)));
    TJournalHook hook(L"hook");
    hook.SetControl(Form);
    Probe();
    EXPECT_EQ(journal, (Journal{L"hook before", L"window", L"hook after"}));
    EXPECT_EQ(Reports, std::vector<std::wstring>{L"window failed"});
    hook.SetControl(nullptr);
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(raisingPrevious));
}

TEST_F(HookTest, AnErrorInOneHookIsReportedAndTheOthersStillSeeTheMessage)
{
    TJournalHook first(L"first");
    TJournalHook second(L"second");
    first.SetControl(Form);
    second.SetControl(Form);
    second.DuringBefore = [](TJournalHook&) { throw EInvalidOperation(L"hook failed"); };
    Probe();
    EXPECT_EQ(Reports, std::vector<std::wstring>{L"hook failed"});
    EXPECT_EQ(journal, (Journal{L"second before", L"first before", L"window", L"second after", L"first after"}));
}

TEST_F(HookTest, FreeingTheControlLeavesTheHookWithoutOneAndReleasesItsControlHook)
{
    THookList& registry = THookList::Get();
    int before = registry.Count();
    TJournalHook hook(L"hook");
    hook.SetControl(Form);
    delete Form;
    Form = new TForm(nullptr);
    EXPECT_EQ(hook.Control(), nullptr);
    Application->ProcessMessages();
    EXPECT_EQ(registry.Count(), before);
}
