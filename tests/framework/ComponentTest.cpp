#include "framework/Component.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace {

// Records its own destruction, its loaded step and the removal notices it receives.
class TRecorder : public TComponent {
public:
    TRecorder(TComponent* owner, std::wstring name, std::vector<std::wstring>& log) : TComponent(owner), log_(log)
    {
        SetName(std::move(name));
    }
    ~TRecorder() override
    {
        Destroying();
        log_.push_back(L"free " + Name());
    }

    TComponent* Reference = nullptr;

    void Refer(TComponent* other)
    {
        Reference = other;
        FreeNotification(other);
    }

protected:
    void Loaded() override { log_.push_back(L"loaded " + Name()); }
    void Notification(TComponent* component, TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation == opRemove && component == Reference) {
            log_.push_back(Name() + L" drops " + component->Name() + (component->IsDestroying() ? L" (going)" : L""));
            Reference = nullptr;
        }
    }

private:
    std::vector<std::wstring>& log_;
};

} // namespace

TEST(ComponentOwnership, OwnerFreesWhatItOwnsInReverseOrderOfCreation)
{
    std::vector<std::wstring> log;
    auto* owner = new TRecorder(nullptr, L"owner", log);
    new TRecorder(owner, L"a", log);
    auto* b = new TRecorder(owner, L"b", log);
    new TRecorder(b, L"b1", log);
    new TRecorder(owner, L"c", log);
    ASSERT_EQ(owner->ComponentCount(), 3);
    EXPECT_EQ(owner->FindComponent(L"B"), b);

    delete owner;
    std::vector<std::wstring> expected{L"free owner", L"free c", L"free b", L"free b1", L"free a"};
    EXPECT_EQ(log, expected);
}

TEST(ComponentOwnership, FreeingAnOwnedComponentTakesItOutOfItsOwner)
{
    std::vector<std::wstring> log;
    TRecorder owner(nullptr, L"owner", log);
    auto* a = new TRecorder(&owner, L"a", log);
    new TRecorder(&owner, L"b", log);
    delete a;
    ASSERT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0)->Name(), L"b");
    EXPECT_EQ(owner.FindComponent(L"a"), nullptr);
}

TEST(ComponentRemovalNotices, AReferenceIsDroppedBeforeTheReferencedComponentGoes)
{
    std::vector<std::wstring> log;
    TRecorder owner(nullptr, L"owner", log);
    auto* engine = new TRecorder(&owner, L"engine", log);
    auto* control = new TRecorder(&owner, L"control", log);
    auto* stranger = new TRecorder(nullptr, L"stranger", log);
    control->Refer(engine);
    stranger->Refer(engine);

    delete engine;
    EXPECT_EQ(control->Reference, nullptr);
    EXPECT_EQ(stranger->Reference, nullptr);
    // Each holder hears of the removal once, while the component is going but still there.
    EXPECT_EQ(std::count(log.begin(), log.end(), L"control drops engine (going)"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), L"stranger drops engine (going)"), 1);
    delete stranger;
    delete control;
    EXPECT_EQ(std::count(log.begin(), log.end(), L"free control"), 1);
}

TEST(ComponentRemovalNotices, TheHolderGoingFirstLeavesNoDanglingNoticeBehind)
{
    std::vector<std::wstring> log;
    auto* engine = new TRecorder(nullptr, L"engine", log);
    auto* control = new TRecorder(nullptr, L"control", log);
    control->Refer(engine);
    delete control;
    // Freeing the engine now must not notify the freed control.
    delete engine;
    EXPECT_EQ(log, (std::vector<std::wstring>{L"free control", L"free engine"}));
}

TEST(ComponentLoading, LoadedRunsOnceForTheOwnerAndThenItsComponentsInOrder)
{
    std::vector<std::wstring> log;
    TRecorder form(nullptr, L"form", log);
    form.BeginLoading();
    new TRecorder(&form, L"edit", log);
    new TRecorder(&form, L"button", log);
    EXPECT_TRUE(form.Components(1)->IsLoading());
    EXPECT_TRUE(log.empty());
    form.EndLoading();
    EXPECT_FALSE(form.Components(1)->IsLoading());
    EXPECT_EQ(log, (std::vector<std::wstring>{L"loaded form", L"loaded edit", L"loaded button"}));
}
