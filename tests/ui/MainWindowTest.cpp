#include "app/Unit1.h"
#include "framework/Application.h"
#include "framework/Screen.h"
#include "framework/Text.h"
#include "skinwin/KsForms.h"
#include "skinwin/KsSkinMessages.h"
#include "tests/support/AccessibleTesting.h"
#include "tests/support/WindowQueries.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <filesystem>
#include <tuple>

namespace {

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Application->OnException = [this](const Exception& e) { Reports.push_back(e.Message()); };
        wchar_t current[MAX_PATH];
        GetCurrentDirectoryW(MAX_PATH, current);
        savedDirectory_ = current;
    }

    void TearDown() override
    {
        delete Form;
        SetCurrentDirectoryW(savedDirectory_.c_str());
        Application->OnException = nullptr;
        Application->ProcessMessages();
    }

    void Open()
    {
        Form = Application->CreateForm<TForm1>();
        Form->Show();
        SetForegroundWindow(Form->Handle());
        Application->ProcessMessages();
    }

    TForm1* Form = nullptr;
    std::vector<std::wstring> Reports;

private:
    std::wstring savedDirectory_;
};

} // namespace

TEST_F(MainWindow, TheStartDirectoryIsTheCurrentDirectoryWithOneTrailingBackslash)
{
    std::filesystem::path dir = std::filesystem::temp_directory_path() / L"folvane 起始";
    std::filesystem::create_directories(dir);
    std::wstring plain = dir.wstring();
    while (!plain.empty() && plain.back() == L'\\') plain.pop_back();
    ASSERT_TRUE(SetCurrentDirectoryW(plain.c_str()));
    Open();
    EXPECT_EQ(Form->StartDir, plain + L"\\");
    ASSERT_NE(Form->DirSectionLines, nullptr);
    EXPECT_TRUE(Form->DirSectionLines->empty());
    EXPECT_FALSE(Form->StopRequested);
    delete Form;
    Form = nullptr;

    ASSERT_TRUE(SetCurrentDirectoryW(L"C:\\"));
    Open();
    EXPECT_EQ(Form->StartDir, L"C:\\");
    std::filesystem::remove(dir);
}

TEST_F(MainWindow, ShowingFillsTheOutputBoxesAndTheDialogsStartFolder)
{
    ASSERT_TRUE(SetCurrentDirectoryW(L"C:\\windows"));
    Open();
    EXPECT_EQ(Form->Edit2->Text(), L"C:\\windows\\");
    EXPECT_EQ(WindowText(Form->Edit2->Handle()), L"C:\\windows\\");
    EXPECT_EQ(Form->Edit3->Text(), L"folvane.txt");
    EXPECT_EQ(Form->OpenDialog1->InitialDir(), L"C:\\windows\\");
    EXPECT_EQ(Form->SaveDialog1->InitialDir(), L"C:\\windows\\");
    EXPECT_EQ(Form->Edit1->Text(), L"");
}

TEST_F(MainWindow, TheWindowIsAFixedFrameCentredOnTheScreenAroundAClientAreaOf363By408BelowItsMenuBar)
{
    Open();
    HWND window = Form->Handle();
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 363);
    EXPECT_EQ(client.bottom, 408 + Form->SeSkinMenuBar1->Height());
    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_NEAR((frame.left + frame.right) / 2, Screen->Width() / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, Screen->Height() / 2, 1);
    EXPECT_EQ(WindowText(window), L"Folvane Tool");
    LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    // The skinned frame gives the form the font and colour of the skin's form object, and the
    // controls that take their parent's font follow.
    const TSeSkinObject* skinForm = Form->SeSkinEngine1->Source()->FormObject();
    ASSERT_NE(skinForm, nullptr);
    EXPECT_EQ(Form->Font().Name(), skinForm->Font().Name());
    EXPECT_EQ(Form->Font().Height(), -11);
    EXPECT_EQ(Form->Color(), skinForm->Color());
    // The skinned edits take the font of the skin's "Edit" object.
    EXPECT_EQ(Form->Edit1->Font().Name(), Form->SeSkinEngine1->Source()->ObjectByName(L"Edit")->Font().Name());
    EXPECT_EQ(Form->ComboBox1->Font().Name(), L"Tahoma");
    EXPECT_EQ(Form->ComboBox1->Font().Color(), clBlack);
}

TEST_F(MainWindow, EveryControlSitsAtItsPlaceWithItsCaption)
{
    Open();
    struct Expected {
        TControl* Control;
        TWinControl* Parent;
        TRect Bounds;
        std::wstring Caption;
    };
    TForm1& f = *Form;
    // The controls of the form sit below the 21-pixel menu bar, those of the group box in it.
    std::vector<Expected> table{
        {f.Label1, &f, TRect::FromSize(8, 29, 150, 13), L"欲加入目錄列舉的目錄列表 :"},
        {f.Label2, &f, TRect::FromSize(8, 85, 75, 13), L"目錄深度到第 "},
        {f.Label3, &f, TRect::FromSize(128, 85, 12, 13), L"層"},
        {f.ListView1, &f, TRect::FromSize(8, 109, 250, 105), L""},
        {f.Edit1, &f, TRect::FromSize(8, 53, 249, 21), L""},
        {f.BitBtn1, &f, TRect::FromSize(272, 50, 75, 25), L"瀏覽目錄"},
        {f.ComboBox1, &f, TRect::FromSize(86, 81, 35, 21), L"1"},
        {f.BitBtn2, &f, TRect::FromSize(272, 78, 75, 25), L"新增目錄"},
        {f.GroupBox1, &f, TRect::FromSize(8, 221, 345, 121), L"輸出檔案設定"},
        {f.Label4, f.GroupBox1, TRect::FromSize(8, 24, 96, 13), L"輸出檔案到此目錄"},
        {f.Edit2, f.GroupBox1, TRect::FromSize(9, 43, 240, 21), f.StartDir},
        {f.RadioButton1, f.GroupBox1, TRect::FromSize(8, 72, 89, 17), L"固定檔名:"},
        {f.RadioButton2, f.GroupBox1, TRect::FromSize(8, 96, 241, 17), L"以 YYYYMMDD.txt 自動命名"},
        {f.Edit3, f.GroupBox1, TRect::FromSize(104, 69, 145, 21), L"folvane.txt"},
        {f.BitBtn4, f.GroupBox1, TRect::FromSize(264, 42, 75, 25), L"瀏覽目錄"},
        {f.BitBtn3, &f, TRect::FromSize(272, 109, 75, 25), L"刪除目錄"},
        {f.BitBtn5, &f, TRect::FromSize(192, 349, 73, 25), L"開始列舉"},
        {f.BitBtn6, &f, TRect::FromSize(280, 349, 73, 25), L"停止列舉"},
        {f.ProgressBar1, &f, TRect::FromSize(0, 405, 363, 24), L""},
    };
    for (const Expected& e : table) {
        SCOPED_TRACE(e.Control->Name());
        EXPECT_EQ(e.Control->Parent(), e.Parent);
        EXPECT_EQ(e.Control->BoundsRect(), e.Bounds);
        EXPECT_EQ(e.Control->Caption(), e.Caption);
        if (auto* windowed = dynamic_cast<TWinControl*>(e.Control)) {
            EXPECT_EQ(ChildRect(windowed->Handle()), e.Bounds);
            EXPECT_EQ(GetParent(windowed->Handle()), e.Parent->Handle());
        }
    }
    EXPECT_EQ(ChildRect(f.ComboBox1->Handle()).Height(), 21);
    EXPECT_TRUE(f.RadioButton1->Checked());
    EXPECT_FALSE(f.RadioButton2->Checked());
    EXPECT_EQ(f.RadioButton1->GroupIndex(), f.RadioButton2->GroupIndex());
    EXPECT_EQ(f.ProgressBar1->Align(), alBottom);
    EXPECT_EQ(f.ProgressBar1->Position(), 0);
    EXPECT_EQ(f.ComboBox1->Items().Texts(),
              (std::vector<std::wstring>{L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8"}));
    EXPECT_EQ(f.ComboBox1->DropDownCount(), 8);
    EXPECT_EQ(f.ComboBox1->ComboStyle(), kcsDropDown);
    EXPECT_EQ(f.ComboBox1->ItemIndex(), -1);
    ASSERT_EQ(f.ListView1->ColumnCount(), 2);
    EXPECT_EQ(f.ListView1->Column(0).Caption, L"目錄");
    EXPECT_EQ(f.ListView1->ColumnWidth(0), 150);
    EXPECT_EQ(f.ListView1->Column(1).Caption, L"深度");
    EXPECT_EQ(f.ListView1->Column(1).Alignment, taCenterJustify);
    EXPECT_EQ(f.ListView1->ColumnWidth(1), 50);
    EXPECT_TRUE(f.ListView1->GridLines());
    EXPECT_EQ(f.OpenDialog1->Title(), L"選擇檔案載入");
    EXPECT_EQ(f.SaveDialog1->Title(), L"選擇檔案儲存");
    EXPECT_EQ(TFileDialog::PlatformFilter(f.OpenDialog1->Filter()), std::wstring(L"設定檔\0*.cfg\0\0", 11));
    EXPECT_EQ(f.SaveDialog1->DefaultExt(), L"cfg");
}

TEST_F(MainWindow, TabVisitsTheControlsInTheirTabOrder)
{
    Open();
    TForm1& f = *Form;
    std::vector<TWinControl*> order;
    f.GetTabOrderList(order);
    std::vector<std::wstring> names;
    for (TWinControl* c : order) names.push_back(c->Name());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Edit1", L"BitBtn1", L"ComboBox1", L"ListView1", L"BitBtn2",
                                                L"GroupBox1", L"Edit2", L"RadioButton1", L"RadioButton2", L"Edit3",
                                                L"BitBtn4", L"BitBtn3", L"BitBtn5", L"BitBtn6", L"ProgressBar1", L"SeSkinMenuBar1"}));

    EXPECT_EQ(GetFocus(), f.Edit1->Handle());
    std::vector<std::wstring> visited;
    for (int i = 0; i < 12; ++i) {
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
        Application->ProcessMessages();
        HWND focus = GetFocus();
        // The combo box's focus is on its inner edit box.
        if (!TWinControl::FindControl(focus)) focus = GetParent(focus);
        TWinControl* control = TWinControl::FindControl(focus);
        visited.push_back(control ? control->Name() : L"?");
    }
    // Only the checked radio button is a tab stop.
    EXPECT_EQ(visited, (std::vector<std::wstring>{L"BitBtn1", L"ComboBox1", L"ListView1", L"BitBtn2", L"Edit2",
                                                  L"RadioButton1", L"Edit3", L"BitBtn4", L"BitBtn3", L"BitBtn5",
                                                  L"BitBtn6", L"Edit1"}));
}

TEST_F(MainWindow, TheMenuBarHoldsTheFileAndAboutMenusWithTheirMnemonics)
{
    Open();
    // The skinned bar replaces the platform's menu, at the top of the client area.
    EXPECT_EQ(GetMenu(Form->Handle()), nullptr);
    TSeSkinMenuBar* bar = Form->SeSkinMenuBar1;
    EXPECT_EQ(bar->Parent(), Form);
    EXPECT_EQ(bar->BoundsRect(), TRect::FromSize(0, 0, 363, 21));
    EXPECT_EQ(bar->ShowAnimation(), kaFade);
    EXPECT_EQ(bar->ShowAnimationTime(), 300);
    TKsCustomItem* items = bar->Items();
    ASSERT_EQ(items->Count(), 2);
    EXPECT_EQ(items->Items(0), Form->F1);
    EXPECT_EQ(items->Items(1), Form->A1);
    EXPECT_EQ(Form->F1->Caption(), L"檔案(&F)");
    EXPECT_EQ(Form->A1->Caption(), L"關於(&A)");
    ASSERT_EQ(Form->F1->Count(), 7);
    EXPECT_EQ(Form->F1->Items(0), Form->CFGL1);
    EXPECT_EQ(Form->F1->Items(1), Form->CFGS1);
    EXPECT_TRUE(Form->F1->Items(2)->IsSeparator());
    EXPECT_EQ(Form->F1->Items(3), Form->ENC1);
    EXPECT_EQ(Form->F1->Items(4), Form->EXCL1);
    EXPECT_TRUE(Form->F1->Items(5)->IsSeparator());
    EXPECT_EQ(Form->F1->Items(6), Form->X1);
    EXPECT_EQ(Form->CFGL1->Caption(), L"載入設定檔(*.CFG)(&L)");
    EXPECT_EQ(Form->CFGS1->Caption(), L"儲存設定檔(*.CFG)(&S)");
    EXPECT_EQ(Form->ENC1->Caption(), L"輸出編碼(&E)");
    EXPECT_EQ(Form->EXCL1->Caption(), L"排除資料夾(&D)...");
    EXPECT_EQ(Form->X1->Caption(), L"離開(&X)");
    // The listing's encoding: two entries, the one in use checked, ANSI at start.
    ASSERT_EQ(Form->ENC1->Count(), 2);
    EXPECT_EQ(Form->ENC1->Items(0), Form->ENCA1);
    EXPECT_EQ(Form->ENC1->Items(1), Form->ENCU1);
    EXPECT_EQ(Form->ENCA1->Caption(), L"ANSI(&A)");
    EXPECT_EQ(Form->ENCU1->Caption(), L"UTF-8(&U)");
    EXPECT_TRUE(Form->ENCA1->Checked());
    EXPECT_FALSE(Form->ENCU1->Checked());
    ASSERT_EQ(Form->A1->Count(), 1);
    EXPECT_EQ(Form->D1->Caption(), L"Folvane Tool(&D)");
    EXPECT_TRUE(Form->F1->Skinned());
    EXPECT_NE(bar->SkinCopy(), nullptr);

    // The about entry does nothing.
    Form->D1->Click();
    Application->ProcessMessages();
    EXPECT_TRUE(IsWindowVisible(Form->Handle()));
    EXPECT_TRUE(Reports.empty());
}

TEST_F(MainWindow, TheExitEntryClosesTheWindowAndEndsTheProgram)
{
    Open();
    MSG quit;
    ASSERT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    Form->X1->RunClick();
    EXPECT_FALSE(IsWindowVisible(Form->Handle()));
    // The quit message ends the application's loop; it is taken here so the other tests go on.
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(MainWindow, TheProgramsMessagesShowTheProgramsIconInTheirCaption)
{
    Open();
    // This test program carries no icon of its own; the window gets one as folvane.exe does.
    Form->SetIcon(TIconHandle(CopyIcon(LoadIconW(nullptr, IDI_INFORMATION))));
    std::unique_ptr<TKsMessageForm> dialog(Form->SeSkinMessage1->CreateMessageDialog(L"目錄列舉完畢", kmtCustom, {kmbOK}));
    TKsCustomForm* frame = FormFrameOf(dialog.get());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->FormIcon(), Form->Icon());
}

TEST_F(MainWindow, TheStopButtonOnlySetsTheStopFlag)
{
    Open();
    Form->ListingText = "partial";
    Form->ProgressBar1->SetMax(4);
    SendMessageW(Form->BitBtn6->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(Form->StopRequested);
    EXPECT_EQ(Form->ListingText, "partial");
    EXPECT_EQ(Form->ProgressBar1->Position(), 0);
    EXPECT_TRUE(Reports.empty());
}

TEST_F(MainWindow, FreeingTheWindowFreesEveryWindowItMade)
{
    int forms = Screen->FormCount();
    Open();
    std::vector<HWND> windows{Form->Handle(),          Form->Edit2->Handle(),       Form->GroupBox1->Handle(),
                              Form->ListView1->Handle(), Form->ProgressBar1->Handle(), Form->SeSkinMenuBar1->Handle()};
    EXPECT_EQ(Screen->FormCount(), forms + 1);
    delete Form;
    Form = nullptr;
    for (HWND window : windows) EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(Screen->FormCount(), forms);
    EXPECT_EQ(Application->ComponentCount(), 0);
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(MainWindow, AssistiveToolsReadEveryControlsRoleAndTheBoxesAreNamedByTheirLabels)
{
    Open();
    const std::vector<std::tuple<TWinControl*, LONG, std::wstring>> expected{
        {Form->Edit1, ROLE_SYSTEM_TEXT, L"欲加入目錄列舉的目錄列表 :"},
        {Form->ComboBox1, ROLE_SYSTEM_COMBOBOX, L"目錄深度到第"},
        {Form->Edit2, ROLE_SYSTEM_TEXT, L"輸出檔案到此目錄"},
        {Form->Edit3, ROLE_SYSTEM_TEXT, L"固定檔名:"},
        {Form->RadioButton2, ROLE_SYSTEM_RADIOBUTTON, L"以 YYYYMMDD.txt 自動命名"},
        {Form->BitBtn5, ROLE_SYSTEM_PUSHBUTTON, L"開始列舉"},
        {Form->GroupBox1, ROLE_SYSTEM_GROUPING, L"輸出檔案設定"},
        {Form->ProgressBar1, ROLE_SYSTEM_PROGRESSBAR, L"<none>"},
        {Form->SeSkinMenuBar1, ROLE_SYSTEM_MENUBAR, L"<none>"},
    };
    for (const auto& [control, role, name] : expected) {
        TAccessible object = AccessibleOf(control->Handle());
        ASSERT_TRUE(object) << WideToUtf8(control->Name());
        EXPECT_EQ(AccRole(object.Get()), role) << WideToUtf8(control->Name());
        EXPECT_EQ(AccName(object.Get()), name) << WideToUtf8(control->Name());
    }
}
