#pragma once

#include <windows.h>

#include <string>

// The folder chooser: a modal dialog with the folder name box, the folder list (the current
// folder's ancestors, then its subfolders; a double click or Enter opens one), the plain files of
// the current folder, the drive list, a network connection button where the platform offers that
// service, OK and Cancel. It opens at the process's current directory. OK with a name of a folder
// that does not exist asks whether to create it; No keeps the dialog open. The dialog itself
// creates nothing.
class TFolderDialog {
public:
    // Runs the dialog; true when it was closed with OK, and Folder() then holds the full path of
    // the folder named in the box (empty when the box was empty).
    bool Execute(HWND owner);
    const std::wstring& Folder() const { return folder_; }

private:
    std::wstring folder_;
};

// Creates the directory and every missing parent. Raises EInOutError "Unable to create directory"
// for an empty path; returns false when the directory does not exist afterwards.
bool ForceDirectories(const std::wstring& path);
