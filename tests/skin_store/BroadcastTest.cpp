#include "SkinFixtures.h"

#include "framework/Application.h"
#include "framework/Forms.h"
#include "skin/engine/KsSkinEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

constexpr UINT WM_PROBE = WM_USER + 77;

// What the clients saw, in order: "<name> changing", "<name> changed", "<name> probe", events.
struct TBroadcastLog {
    TSeSkinEngine* Engine = nullptr;
    std::vector<std::string> Entries;
    bool FormFoundWhileChanging = false;
    bool WrongParameters = false;
    std::function<void(const std::string&)> OnEntry;

    std::function<void()> OnProbe;

    bool Record(const std::string& name, const TMessage& message)
    {
        if (message.Msg == WM_PROBE) {
            Entries.push_back(name + " probe");
            if (OnProbe) OnProbe();
            return true;
        }
        if (message.Msg != CM_SKINCHANGING && message.Msg != CM_SKINCHANGED) return false;
        Entries.push_back(name + (message.Msg == CM_SKINCHANGING ? " changing" : " changed"));
        if (OnEntry) OnEntry(Entries.back());
        auto engine = reinterpret_cast<WPARAM>(Engine);
        WrongParameters |= message.WParam != engine || static_cast<WPARAM>(message.LParam) != engine;
        if (message.Msg == CM_SKINCHANGING)
            FormFoundWhileChanging |= Engine->Source()->ObjectByName(L"Form") != nullptr;
        return true;
    }
};

template <typename Base> class TRecorder : public Base {
public:
    TRecorder(TComponent* owner, TBroadcastLog& log, const std::string& name) : Base(owner), log_(log), name_(name) {}

protected:
    void WndProc(TMessage& message) override
    {
        if (!log_.Record(name_, message)) Base::WndProc(message);
    }

private:
    TBroadcastLog& log_;
    std::string name_;
};

class TBroadcastTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        formA_ = new TRecorder<TForm>(nullptr, log_, "FormA");
        new TRecorder<TWinControl>(formA_, log_, "EditA");
        new TRecorder<TGraphicControl>(formA_, log_, "LabelA");
        engine_ = new TSeSkinEngine(formA_);
        formB_ = new TRecorder<TForm>(nullptr, log_, "FormB");
        auto* panel = new TRecorder<TWinControl>(formB_, log_, "PanelB");
        panel->SetParent(formB_);
        // Owned by form A but placed on form B: ownership, not placement, decides who is told.
        auto* button = new TRecorder<TWinControl>(formA_, log_, "ButtonA");
        button->SetParent(formB_);

        log_.Engine = engine_;
        engine_->OnBeforeChange = [this](TSeSkinEngine*) {
            log_.Entries.push_back("OnBeforeChange");
            PostMessageW(formA_->Handle(), WM_PROBE, 0, 0);
        };
        engine_->OnAfterChange = [this](TSeSkinEngine*) { log_.Entries.push_back("OnAfterChange"); };
    }

    void TearDown() override
    {
        delete formB_;
        delete formA_;
    }

    // The engine's skin saved as a skin file in the temporary folder; the caller deletes it.
    std::wstring SaveSkinFile(const std::wstring& name)
    {
        std::vector<uint8_t> bytes = SaveWith(CompressedFilter(), *engine_->Source());
        wchar_t dir[MAX_PATH];
        GetTempPathW(MAX_PATH, dir);
        std::wstring path = std::wstring(dir) + name;
        TMemoryStream(bytes).SaveToFile(path);
        return path;
    }

    TBroadcastLog log_;
    TForm* formA_ = nullptr;
    TForm* formB_ = nullptr;
    TSeSkinEngine* engine_ = nullptr;
};

} // namespace

TEST_F(TBroadcastTest, EveryFormAndTheControlsItOwnsHearBeforeAndAfterTheEventsInScreenOrder)
{
    FillSmallSkin(*engine_->Source());
    engine_->SetDeltaHue(10);
    const std::vector<std::string> expected = {
        "OnBeforeChange", "FormA changing",  "EditA changing", "LabelA changing", "ButtonA changing",
        "FormB changing", "PanelB changing", "FormA probe",    "FormA changed",   "EditA changed",
        "LabelA changed", "ButtonA changed", "FormB changed",  "PanelB changed",  "OnAfterChange",
    };
    EXPECT_EQ(log_.Entries, expected);
    EXPECT_FALSE(log_.WrongParameters);
    EXPECT_TRUE(formA_->HandleAllocated());
    EXPECT_TRUE(formB_->HandleAllocated());
}

TEST_F(TBroadcastTest, PendingMessagesAreHandledAfterEachFormIsToldOfTheNewSkin)
{
    FillSmallSkin(*engine_->Source());
    engine_->OnBeforeChange = nullptr;
    log_.OnEntry = [this](const std::string& entry) {
        if (entry == "FormA changed") PostMessageW(formA_->Handle(), WM_PROBE, 0, 0);
    };
    engine_->SetDeltaHue(10);
    const std::vector<std::string> expected = {
        "FormA changing",  "EditA changing", "LabelA changing", "ButtonA changing", "FormB changing",
        "PanelB changing", "FormA changed",  "EditA changed",   "LabelA changed",   "ButtonA changed",
        "FormA probe",     "FormB changed",  "PanelB changed",  "OnAfterChange",
    };
    EXPECT_EQ(log_.Entries, expected);
}

TEST_F(TBroadcastTest, ALoadThroughTheSkinFileAnnouncesWhileLookupsAnswerNone)
{
    FillSmallSkin(*engine_->Source());
    std::wstring path = SaveSkinFile(L"folvane-broadcast.kskn");
    engine_->SetSkinFile(path);
    DeleteFileW(path.c_str());

    EXPECT_FALSE(log_.FormFoundWhileChanging);
    EXPECT_EQ(log_.Entries.front(), "OnBeforeChange");
    EXPECT_EQ(log_.Entries.back(), "OnAfterChange");
    EXPECT_EQ(std::count(log_.Entries.begin(), log_.Entries.end(), "PanelB changed"), 1);
    EXPECT_NE(engine_->Source()->ObjectByName(L"Form"), nullptr);
}

TEST_F(TBroadcastTest, AChangeMadeByAMessageThePumpHandlesLeavesTheNextMessagesToThatPump)
{
    FillSmallSkin(*engine_->Source());
    std::wstring path = SaveSkinFile(L"folvane-pump.kskn");
    engine_->OnBeforeChange = nullptr;
    // Each probe posts the next and changes the hue, whose announcements would pump again.
    int probes = 0, depth = 0, deepest = 0;
    log_.OnProbe = [&] {
        deepest = std::max(deepest, ++depth);
        if (++probes < 4) {
            PostMessageW(formA_->Handle(), WM_PROBE, 0, 0);
            engine_->SetDeltaHue(10 * probes);
        }
        --depth;
    };
    PostMessageW(formA_->Handle(), WM_PROBE, 0, 0);
    engine_->SetSkinFile(path);
    DeleteFileW(path.c_str());
    EXPECT_EQ(probes, 4);
    EXPECT_EQ(deepest, 1) << "a probe was handled inside another";
    EXPECT_EQ(engine_->DeltaHue(), 30);
}
