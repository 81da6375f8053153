#include "FormFixture.h"

#include "app/ListTree.h"
#include "app/TreePrefetcher.h"
#include "framework/Exceptions.h"
#include "framework/Text.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

namespace {

constexpr int kFanOut = 9;
constexpr int kLevels = 4; // below the root: 9 + 81 + 729 + 6,561 folders

size_t LineCount(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

double MillisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// kFanOut folders per level, named so that the sorted order differs from byte order (upper and lower
// case mixed) and the creation order is not the sorted one: "{Sub7,sub4,...}/{Sub7,sub4,...}/...".
std::string FolderName(int i)
{
    int shuffled = (i * 7) % kFanOut;
    return (shuffled % 2 ? "sub" : "Sub") + std::to_string(shuffled);
}

std::string TreePattern()
{
    std::string level;
    for (int i = 0; i < kFanOut; ++i) {
        level += i == 0 ? '{' : ',';
        level += FolderName(i);
    }
    level += '}';
    std::string pattern = level;
    for (int i = 1; i < kLevels; ++i) pattern += "/" + level;
    return pattern;
}

// The folder that the pattern makes last.
std::wstring LastFolder()
{
    std::wstring last = AnsiToWide(FolderName(kFanOut - 1));
    for (int i = 1; i < kLevels; ++i) last += L"\\" + AnsiToWide(FolderName(kFanOut - 1));
    return last;
}

// The same tree with one platform call per folder, where Unix tools are not at hand.
void MakeTree(const std::wstring& directory, int level)
{
    if (level > kLevels) return;
    for (int i = 0; i < kFanOut; ++i) {
        std::wstring child = directory + AnsiToWide(FolderName(i)) + L"\\";
        CreateDirectoryW(child.c_str(), nullptr);
        MakeTree(child, level + 1);
    }
}

// Runs over one tree of several thousand folders, made once for the suite.
class LargeTreeRun : public FormFixture {
protected:
    static void SetUpTestSuite()
    {
        large = new TTempTree(L"large");
        if (!large->UnixDirs(TreePattern(), LastFolder())) MakeTree(large->Root(), 1);
    }
    static void TearDownTestSuite() { delete large; }

    static size_t FullListingLines() { return 1 + 9 + 81 + 729 + 6561; }

    static TTempTree* large;
};

TTempTree* LargeTreeRun::large = nullptr;

TEST_F(LargeTreeRun, PrefetchedWalkGivesThePlainWalksTextAtEveryKindOfDepth)
{
    TPlainWalkHost host;
    TTreePrefetcher pool;
    // 8: every folder at its level in enumeration order; 4: sorted blocks of the deepest folders;
    // 2: a sorted block under each of the first level's folders.
    for (int depth : {8, 4, 2}) {
        SCOPED_TRACE(depth);
        std::string plain;
        ListTree(plain, large->Root(), 1, depth);
        std::string prefetched;
        ASSERT_TRUE(pool.ListTree(prefetched, large->Root(), 1, depth, host));
        EXPECT_TRUE(prefetched == plain);
        EXPECT_EQ(LineCount(plain), depth == 2 ? 1 + 9 + 81u : FullListingLines());
    }
}

TEST_F(LargeTreeRun, StopPostedAHundredMillisecondsIntoTheOnlyRootCancelsTheRun)
{
    AddRows({{large->Root(), L"8"}});
    form->Edit2->SetText(tree.Root());
    double stopToMessageMs = -1;
    std::thread stopper([&] {
        Sleep(100);
        PostClick(form->BitBtn6);
        auto posted = std::chrono::steady_clock::now();
        while (MillisecondsSince(posted) < 10000) {
            HWND message = FindWindowW(L"Folvane.MessageForm", kMessageCaption);
            if (message && IsWindowVisible(message)) {
                stopToMessageMs = MillisecondsSince(posted);
                break;
            }
            Sleep(1);
        }
    });
    driver.Expect(kMessageCaption, TModalDriver::Press(IDOK));
    form->BitBtn5Click();
    stopper.join();

    ASSERT_TRUE(driver.WaitDone(3000));
    EXPECT_EQ(driver.Texts().at(0), L"取消列舉目錄");
    EXPECT_FALSE(FileExists(tree.Root() + L"folvane.txt"));
    EXPECT_EQ(form->ProgressBar1->Position(), 0);
    size_t linesWritten = form->RunReport.Folders;
    EXPECT_LT(linesWritten, FullListingLines()) << "the walk ended before the stop";
    std::printf("stop posted after 100 ms: cancel message %.0f ms later, %zu of %zu lines assembled\n", stopToMessageMs,
                linesWritten, FullListingLines());
}

TEST_F(LargeTreeRun, ADepthThatIsNoIntegerAfterALargeRootEndsTheRunBeforeAnythingIsWalked)
{
    AddRows({{large->Root(), L"8"}, {large->Root(), L"eight"}});
    form->Edit2->SetText(tree.Root());
    try {
        form->BitBtn5Click();
        ADD_FAILURE() << "no error raised";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), L"'eight' is not a valid integer value");
    }
    EXPECT_EQ(form->RunReport.Folders, 0u);
    EXPECT_EQ(form->ProgressBar1->Position(), 0);
    EXPECT_FALSE(FileExists(tree.Root() + L"folvane.txt"));
}

TEST_F(LargeTreeRun, WindowAnswersWithinAHundredMillisecondsThroughoutTheWalk)
{
    AddRows({{large->Root(), L"8"}});
    form->Edit2->SetText(tree.Root());
    HWND window = form->Handle();
    std::atomic<bool> runEnded{false};
    int asked = 0;
    int unanswered = 0;
    double slowestMs = 0;
    std::atomic<bool> askerDone{false};
    std::thread asker([&] {
        while (!runEnded) {
            auto start = std::chrono::steady_clock::now();
            DWORD_PTR result = 0;
            ++asked;
            if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 100, &result)) ++unanswered;
            slowestMs = std::max(slowestMs, MillisecondsSince(start));
            Sleep(5);
        }
        askerDone = true;
    });
    driver.Expect(kMessageCaption, TModalDriver::Press(IDOK));
    form->BitBtn5Click();
    runEnded = true;
    // The last question may still be on its way: it is answered here, not counted against the run.
    while (!askerDone) Pump();
    asker.join();

    ASSERT_TRUE(driver.WaitDone(3000));
    EXPECT_EQ(driver.Texts().at(0), L"目錄列舉完畢");
    EXPECT_EQ(LineCount(FileBytes(tree.Root() + L"folvane.txt")), 1 + 1 + FullListingLines());
    EXPECT_GT(asked, 5);
    EXPECT_EQ(unanswered, 0) << "of " << asked << " questions";
    std::printf("WM_NULL during the run: %d asked, slowest answer %.1f ms\n", asked, slowestMs);
}

} // namespace
