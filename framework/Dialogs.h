#pragma once

#include "framework/Component.h"

#include <string>

// Shared settings of the file open and save dialogs. Filter is a list of description|pattern
// pairs separated by "|", for example L"設定檔|*.cfg".
class TFileDialog : public TComponent {
public:
    using TComponent::TComponent;

    const std::wstring& Title() const { return title_; }
    void SetTitle(const std::wstring& title) { title_ = title; }
    const std::wstring& Filter() const { return filter_; }
    void SetFilter(const std::wstring& filter) { filter_ = filter; }
    const std::wstring& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const std::wstring& ext) { defaultExt_ = ext; }
    const std::wstring& InitialDir() const { return initialDir_; }
    void SetInitialDir(const std::wstring& dir) { initialDir_ = dir; }
    const std::wstring& FileName() const { return fileName_; }
    void SetFileName(const std::wstring& name) { fileName_ = name; }

    // Shows the dialog modally; true when the user chose a file (then FileName() holds it).
    virtual bool Execute() = 0;

    // The filter in the platform's form: description and pattern each ended by a null, two at the end.
    static std::wstring PlatformFilter(const std::wstring& filter);

protected:
    // Fills the platform's structure, runs the dialog with it and takes the chosen name.
    bool Run(bool save);

private:
    std::wstring title_;
    std::wstring filter_;
    std::wstring defaultExt_;
    std::wstring initialDir_;
    std::wstring fileName_;
};

// The file-open dialog; a typed name of a file that does not exist is accepted.
class TOpenDialog : public TFileDialog {
public:
    using TFileDialog::TFileDialog;
    bool Execute() override { return Run(false); }
};

// The file-save dialog; an existing file is chosen without an overwrite question.
class TSaveDialog : public TFileDialog {
public:
    using TFileDialog::TFileDialog;
    bool Execute() override { return Run(true); }
};
