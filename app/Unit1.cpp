#include "app/Unit1.h"

#include "app/ControlPlacing.h"
#include "framework/Text.h"

namespace {

// A menu item of the window, placed under its parent (the menu bar or another item) as the window
// description places it.
TSeSkinItem* AddMenuItem(TComponent* owner, TComponent* parent, const wchar_t* name, const wchar_t* caption)
{
    auto* item = new TSeSkinItem(owner);
    item->SetName(name);
    item->SetCaption(caption);
    item->SetParentComponent(parent);
    return item;
}

// The menu bar is a control of the client area: the other controls keep their places below it and
// the client area grows by its height, so they keep the room they had below the platform's menu.
void MoveControlsBelow(TCustomForm& form, TControl& bar)
{
    for (int i = 0; i < form.ControlCount(); ++i) {
        TControl* control = form.Controls(i);
        if (control->Align() == alNone)
            control->SetBounds(control->Left(), control->Top() + bar.Height(), control->Width(), control->Height());
    }
}

TIconHandle LoadProgramIcon()
{
    return TIconHandle(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, 32, 32, 0)));
}

const wchar_t* const kConfigFilter = L"設定檔|*.cfg";

// An open or save dialog for the configuration files.
template <typename TDialog>
TDialog* ConfigFileDialog(TComponent* owner, const wchar_t* name, const wchar_t* title)
{
    auto* dialog = new TDialog(owner);
    dialog->SetName(name);
    dialog->SetTitle(title);
    dialog->SetFilter(kConfigFilter);
    dialog->SetDefaultExt(L"cfg");
    return dialog;
}

} // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner)
{
    // The window is built in the order of its description, then every component finishes loading.
    BeginLoading();
    SetName(L"Form1");
    SetCaption(L"Folvane Tool");
    SetBorderStyle(fbsSingle);
    SetBorderIcons({biSystemMenu, biMinimize});
    SetPosition(poScreenCenter);
    TFont font;
    font.SetName(L"MS Sans Serif");
    font.SetHeight(-11);
    SetFont(font);
    SetColor(clBtnFace);
    SetIcon(LoadProgramIcon());

    Label1 = Captioned(Place<TLabel>(this, this, L"Label1", 8, 8, 150, 13), L"欲加入目錄列舉的目錄列表 :");
    Label2 = Captioned(Place<TLabel>(this, this, L"Label2", 8, 64, 75, 13), L"目錄深度到第 ");
    Label3 = Captioned(Place<TLabel>(this, this, L"Label3", 128, 64, 12, 13), L"層");

    ListView1 = Place<TListView>(this, this, L"ListView1", 8, 88, 250, 105);
    ListView1->AddColumn({L"目錄", 150, 150, taLeftJustify});
    ListView1->AddColumn({L"深度", 50, 50, taCenterJustify});
    ListView1->SetGridLines(true);

    Edit1 = Place<TSeSkinEdit>(this, this, L"Edit1", 8, 32, 249, 21);
    BitBtn1 = Captioned(Place<TSeSkinButton>(this, this, L"BitBtn1", 272, 29, 75, 25), L"瀏覽目錄");

    ComboBox1 = Place<TSeSkinComboBox>(this, this, L"ComboBox1", 86, 60, 35, 21);
    TFont comboFont;
    comboFont.SetName(L"Tahoma");
    comboFont.SetHeight(-11);
    comboFont.SetColor(clBlack);
    ComboBox1->SetFont(comboFont);
    ComboBox1->SetComboStyle(kcsDropDown);
    ComboBox1->SetDropDownCount(8);
    ComboBox1->SetItemHeight(13);
    ComboBox1->SetAutoComplete(true);
    ComboBox1->SetFlat(true);
    for (int depth = 1; depth <= 8; ++depth) ComboBox1->Items().Add(std::to_wstring(depth));
    ComboBox1->SetText(L"1");
    ComboBox1->SetItemIndex(-1);

    BitBtn2 = Captioned(Place<TSeSkinButton>(this, this, L"BitBtn2", 272, 57, 75, 25), L"新增目錄");

    GroupBox1 = Captioned(Place<TSeSkinGroupBox>(this, this, L"GroupBox1", 8, 200, 345, 121), L"輸出檔案設定");
    Label4 = Captioned(Place<TLabel>(this, GroupBox1, L"Label4", 8, 24, 96, 13), L"輸出檔案到此目錄");
    Edit2 = Place<TSeSkinEdit>(this, GroupBox1, L"Edit2", 9, 43, 240, 21);
    RadioButton1 = Captioned(Place<TSeSkinRadioButton>(this, GroupBox1, L"RadioButton1", 8, 72, 89, 17), L"固定檔名:");
    RadioButton1->SetGroupIndex(0);
    RadioButton1->SetChecked(true);
    RadioButton2 = Captioned(Place<TSeSkinRadioButton>(this, GroupBox1, L"RadioButton2", 8, 96, 241, 17),
                             L"以 YYYYMMDD.txt 自動命名");
    RadioButton2->SetGroupIndex(0);
    Edit3 = Place<TSeSkinEdit>(this, GroupBox1, L"Edit3", 104, 69, 145, 21);
    Edit3->SetText(L"folvane.txt");
    BitBtn4 = Captioned(Place<TSeSkinButton>(this, GroupBox1, L"BitBtn4", 264, 42, 75, 25), L"瀏覽目錄");

    BitBtn3 = Captioned(Place<TSeSkinButton>(this, this, L"BitBtn3", 272, 88, 75, 25), L"刪除目錄");
    BitBtn5 = Captioned(Place<TSeSkinButton>(this, this, L"BitBtn5", 192, 328, 73, 25), L"開始列舉");
    BitBtn6 = Captioned(Place<TSeSkinButton>(this, this, L"BitBtn6", 280, 328, 73, 25), L"停止列舉");

    ProgressBar1 = Place<TSeSkinProgressBar>(this, this, L"ProgressBar1", 0, 384, 363, 24);
    ProgressBar1->SetAlign(alBottom);
    ProgressBar1->SetShowBorder(true);
    ProgressBar1->SetPosition(0);

    SeSkinMenuBar1 = new TSeSkinMenuBar(this);
    SeSkinMenuBar1->SetName(L"SeSkinMenuBar1");
    SeSkinMenuBar1->SetParent(this);
    SeSkinMenuBar1->SetShowAnimation(kaFade);
    SeSkinMenuBar1->SetShowAnimationTime(300);
    F1 = AddMenuItem(this, SeSkinMenuBar1, L"F1", L"檔案(&F)");
    CFGL1 = AddMenuItem(this, F1, L"CFGL1", L"載入設定檔(*.CFG)(&L)");
    CFGS1 = AddMenuItem(this, F1, L"CFGS1", L"儲存設定檔(*.CFG)(&S)");
    N1 = AddMenuItem(this, F1, L"N1", L"-");
    ENC1 = AddMenuItem(this, F1, L"ENC1", L"輸出編碼(&E)");
    ENCA1 = AddMenuItem(this, ENC1, L"ENCA1", L"ANSI(&A)");
    ENCU1 = AddMenuItem(this, ENC1, L"ENCU1", L"UTF-8(&U)");
    EXCL1 = AddMenuItem(this, F1, L"EXCL1", L"排除資料夾(&D)...");
    N2 = AddMenuItem(this, F1, L"N2", L"-");
    X1 = AddMenuItem(this, F1, L"X1", L"離開(&X)");
    A1 = AddMenuItem(this, SeSkinMenuBar1, L"A1", L"關於(&A)");
    D1 = AddMenuItem(this, A1, L"D1", L"Folvane Tool(&D)");

    OpenDialog1 = ConfigFileDialog<TOpenDialog>(this, L"OpenDialog1", L"選擇檔案載入");
    SaveDialog1 = ConfigFileDialog<TSaveDialog>(this, L"SaveDialog1", L"選擇檔案儲存");
    SeSkinEngine1 = new TSeSkinEngine(this);
    SeSkinEngine1->SetName(L"SeSkinEngine1");
    SeSkinEngine1->ReadSkinResource(GetModuleHandleW(nullptr), L"FOLVANE_SKIN");
    SeSkinEngine1->SetArt200Resource(GetModuleHandleW(nullptr), L"FOLVANE_SKIN_200");
    // The skinned frame; its other properties keep the frame's defaults.
    SeSkinForm1 = new TSeSkinForm(this);
    SeSkinForm1->SetName(L"SeSkinForm1");
    SeSkinForm1->SetBorderIcons({kbiClose, kbiSystemMenu, kbiMinimize});
    SeSkinForm1->SetCanResize(false);
    SeSkinForm1->SetMenuBar(SeSkinMenuBar1);
    SeSkinForm1->SetSkinEngine(SeSkinEngine1);
    SeSkinMessage1 = new TSeSkinMessage(this);
    SeSkinMessage1->SetName(L"SeSkinMessage1");
    SeSkinMessage1->SetBlendValue(200);
    SeSkinMessage1->SetBorderIcons({kbiClose, kbiSystemMenu});
    SeSkinMessage1->SetPosition(poScreenCenter);
    SeSkinMessage1->SetSkinEngine(SeSkinEngine1);

    SetOutputEncoding(leAnsi);
    SetTabOrders({Edit1, BitBtn1, ComboBox1, ListView1, BitBtn2, GroupBox1, BitBtn3, BitBtn5, BitBtn6});
    SetTabOrders({Edit2, RadioButton1, RadioButton2, Edit3, BitBtn4});

    BitBtn1->OnClick = [this] { BitBtn1Click(); };
    BitBtn2->OnClick = [this] { BitBtn2Click(); };
    BitBtn3->OnClick = [this] { BitBtn3Click(); };
    BitBtn4->OnClick = [this] { BitBtn4Click(); };
    BitBtn5->OnClick = [this] { BitBtn5Click(); };
    BitBtn6->OnClick = [this] { BitBtn6Click(); };
    CFGL1->OnClick = [this](TKsCustomItem*) { CFGL1Click(); };
    CFGS1->OnClick = [this](TKsCustomItem*) { CFGS1Click(); };
    ENCA1->OnClick = [this](TKsCustomItem*) { ENCA1Click(); };
    ENCU1->OnClick = [this](TKsCustomItem*) { ENCU1Click(); };
    EXCL1->OnClick = [this](TKsCustomItem*) { EXCL1Click(); };
    X1->OnClick = [this](TKsCustomItem*) { X1Click(); };
    OnCreate = [this] { FormCreate(); };
    OnShow = [this] { FormShow(); };

    // With the whole window read, the skinned controls' references to the engine are resolved (each
    // takes its copy of the skin), then every component finishes loading.
    BindToEngine(SeSkinEngine1, Edit1, BitBtn1, ComboBox1, BitBtn2, GroupBox1, Edit2, RadioButton1, RadioButton2, Edit3, BitBtn4,
                 BitBtn3, BitBtn5, BitBtn6, ProgressBar1, SeSkinMenuBar1);
    MoveControlsBelow(*this, *SeSkinMenuBar1);
    SetClientSize(363, 408 + SeSkinMenuBar1->Height());
    EndLoading();
    EnableCommandsForRun(false);
}

void TForm1::FormCreate()
{
    DWORD length = GetCurrentDirectoryW(0, nullptr);
    std::wstring current(length, L'\0');
    length = GetCurrentDirectoryW(length, current.data());
    current.resize(length);
    StartDir = IncludeTrailingBackslash(current);
    DirSectionLines = std::make_unique<std::vector<std::wstring>>();
    StopRequested = false;
}

void TForm1::FormShow()
{
    Edit2->SetText(StartDir);
    Edit3->SetText(L"folvane.txt");
    OpenDialog1->SetInitialDir(StartDir);
    SaveDialog1->SetInitialDir(StartDir);
}

void TForm1::X1Click() { Close(); }

void TForm1::ReportError(const Exception& error)
{
    SeSkinMessage1->ShowDialog(error.Message(), kmtError, {kmbOK}, 0, -1, -1);
}

void TForm1::BitBtn6Click() { StopRequested = true; }
