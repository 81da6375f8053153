#include "WindowTesting.h"

#include <gtest/gtest.h>

namespace {

class ModalForm : public WindowTest {
protected:
    // A second form that runs modally over the visible Form.
    void SetUp() override
    {
        WindowTest::SetUp();
        ShowForm();
        Dialog = new TForm(nullptr);
        Dialog->SetBounds(100, 100, 200, 120);
    }
    void TearDown() override
    {
        delete Dialog;
        WindowTest::TearDown();
    }

    TForm* Dialog = nullptr;
};

// What the program's other window looked like while the modal loop ran.
struct TSeenDuringModal {
    static inline HWND other = nullptr;
    static inline TForm* dialog = nullptr;
    static inline bool otherEnabled = true;
    static inline bool dialogVisible = false;
    static inline int result = 0;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD)
    {
        KillTimer(nullptr, id);
        otherEnabled = IsWindowEnabled(other) != FALSE;
        dialogVisible = IsWindowVisible(dialog->Handle()) != FALSE;
        dialog->SetModalResult(result);
    }
};

TEST_F(ModalForm, RunsUntilAResultIsSetWithTheOtherWindowsDisabledMeanwhile)
{
    TSeenDuringModal::other = Form->Handle();
    TSeenDuringModal::dialog = Dialog;
    TSeenDuringModal::result = mrYes;
    SetTimer(nullptr, 0, 30, TSeenDuringModal::Tick);
    EXPECT_EQ(Dialog->ShowModal(), mrYes);
    EXPECT_FALSE(TSeenDuringModal::otherEnabled);
    EXPECT_TRUE(TSeenDuringModal::dialogVisible);
    EXPECT_TRUE(IsWindowEnabled(Form->Handle()));
    EXPECT_FALSE(IsWindowVisible(Dialog->Handle()));
    EXPECT_FALSE(Dialog->Modal());
}

TEST_F(ModalForm, ClosingAModalFormOnlyAnswersCancel)
{
    bool hidden = false;
    Dialog->OnHide = [&] { hidden = true; };
    PostMessageW(Form->Handle(), WM_NULL, 0, 0);
    struct TClose {
        static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD)
        {
            KillTimer(nullptr, id);
            PostMessageW(TSeenDuringModal::dialog->Handle(), WM_CLOSE, 0, 0);
        }
    };
    TSeenDuringModal::dialog = Dialog;
    SetTimer(nullptr, 0, 30, TClose::Tick);
    EXPECT_EQ(Dialog->ShowModal(), mrCancel);
    EXPECT_TRUE(hidden) << "hidden by the end of the modal run, not by the close";
    EXPECT_TRUE(Dialog->HandleAllocated());
}

TEST_F(ModalForm, AVisibleFormCannotBeShownModally)
{
    Dialog->Show();
    EXPECT_THROW(Dialog->ShowModal(), EInvalidOperation);
}

// The quit request ends the program for good: it runs in a child process of its own.
TEST(ModalFormQuit, AQuitRequestEndsTheModalLoopAndStaysQueuedForTheLoopsOutside)
{
    EXPECT_EXIT(
        {
            Application->Initialize();
            TForm dialog(nullptr);
            dialog.SetBounds(100, 100, 200, 120);
            SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR id, DWORD) {
                KillTimer(nullptr, id);
                PostQuitMessage(3);
            });
            int result = dialog.ShowModal();
            MSG quit;
            bool queued = PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && quit.wParam == 3;
            std::exit(result == mrCancel && Application->Terminated() && queued ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
