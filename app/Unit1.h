#pragma once

#include "app/Listing.h"
#include "app/ListingEncoding.h"
#include "framework/ComCtrls.h"
#include "framework/Dialogs.h"
#include "framework/Exceptions.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "skin/engine/KsSkinEngine.h"
#include "skinctl/KsSkinButtons.h"
#include "skinctl/KsSkinCheckBoxs.h"
#include "skinctl/KsSkinComboBoxs.h"
#include "skinctl/KsSkinEdits.h"
#include "skinctl/KsSkinGroupBoxs.h"
#include "skinctl/KsSkinProgress.h"
#include "skinwin/KsSkinForms.h"
#include "skinwin/KsSkinMenus.h"
#include "skinwin/KsSkinMessages.h"

#include <memory>
#include <string>
#include <vector>

// The main window: the directory list, the output settings and the commands of the program.
class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);

    // Controls, in the order in which the window creates them.
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TListView* ListView1 = nullptr;
    TSeSkinEdit* Edit1 = nullptr;
    TSeSkinButton* BitBtn1 = nullptr;
    TSeSkinComboBox* ComboBox1 = nullptr;
    TSeSkinButton* BitBtn2 = nullptr;
    TSeSkinGroupBox* GroupBox1 = nullptr;
    TLabel* Label4 = nullptr;
    TSeSkinEdit* Edit2 = nullptr;
    TSeSkinRadioButton* RadioButton1 = nullptr;
    TSeSkinRadioButton* RadioButton2 = nullptr;
    TSeSkinEdit* Edit3 = nullptr;
    TSeSkinButton* BitBtn4 = nullptr;
    TSeSkinButton* BitBtn3 = nullptr;
    TSeSkinButton* BitBtn5 = nullptr;
    TSeSkinButton* BitBtn6 = nullptr;
    TSeSkinProgressBar* ProgressBar1 = nullptr;
    TSeSkinMenuBar* SeSkinMenuBar1 = nullptr;
    TSeSkinItem* F1 = nullptr;
    TSeSkinItem* CFGL1 = nullptr;
    TSeSkinItem* CFGS1 = nullptr;
    TSeSkinItem* N1 = nullptr;
    TSeSkinItem* ENC1 = nullptr;
    TSeSkinItem* ENCA1 = nullptr;
    TSeSkinItem* ENCU1 = nullptr;
    TSeSkinItem* EXCL1 = nullptr;
    TSeSkinItem* N2 = nullptr;
    TSeSkinItem* X1 = nullptr;
    TSeSkinItem* A1 = nullptr;
    TSeSkinItem* D1 = nullptr;
    TOpenDialog* OpenDialog1 = nullptr;
    TSaveDialog* SaveDialog1 = nullptr;
    TSeSkinEngine* SeSkinEngine1 = nullptr;
    TSeSkinForm* SeSkinForm1 = nullptr;
    TSeSkinMessage* SeSkinMessage1 = nullptr;

    // Application state that lives as long as the window.
    std::wstring StartDir;
    // What the last run found besides its text (which goes to the file as it is produced): the folders
    // listed, the names that lost characters and the folders that could not be read.
    TListingReport RunReport;
    bool StopRequested = false;
    std::wstring OutputDir;
    std::wstring OutputType;
    std::wstring OutputFile;
    std::unique_ptr<std::vector<std::wstring>> DirSectionLines;
    // Output settings beyond the boxes: the listing's encoding and the folder-name patterns
    // (wildcards * and ?, case ignored) whose folders are neither listed nor walked.
    TListingEncoding OutputEncoding = leAnsi;
    std::vector<std::wstring> ExcludePatterns;

    // Event handlers.
    void FormCreate();
    void FormShow();
    void X1Click();
    void BitBtn6Click();
    void BitBtn5Click();
    void BitBtn1Click();
    void BitBtn4Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void CFGS1Click();
    void CFGL1Click();
    void ENCA1Click();
    void ENCU1Click();
    void EXCL1Click();

    // Sets OutputEncoding and checks its entry of the menu.
    void SetOutputEncoding(TListingEncoding encoding);

    // The program's error report: the error's text in the skinned dialog, with the error icon.
    void ReportError(const Exception& error);

    // True while a listing run is in progress: the other commands are then ignored.
    bool RunInProgress() const { return runInProgress_; }

    // The listing run of BitBtn5Click without its closing message and progress reset: fills in the
    // missing output settings, checks every row's depth, walks every row and writes the file. The
    // window keeps handling its messages meanwhile and shows the number of folders listed so far in
    // its caption. Returns false, without writing, when StopRequested was set during the run.
    bool RunListing();
    // The load of CFGL1Click once the file is chosen: caption, rows, output settings and exclusions.
    // A file that cannot be read or is no .cfg raises EFOpenError and changes nothing.
    void LoadConfigFile(const std::wstring& fileName);

private:
    // Shared by BitBtn1Click and BitBtn4Click: the folder chooser writing into a box.
    void ChooseFolderInto(TSeSkinEdit* target);
    // The commands that do nothing during a run look disabled then, and the stop button the rest of the
    // time; the focus leaves a control that is disabled for the stop button and comes back after.
    void EnableCommandsForRun(bool running);
    void ShowRunOutcome(bool completed);

    bool runInProgress_ = false;
    bool closeRequestedDuringRun_ = false;
    TWinControl* focusBeforeRun_ = nullptr;
};
