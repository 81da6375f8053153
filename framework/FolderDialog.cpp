#include "framework/FolderDialog.h"

#include "framework/Application.h"
#include "framework/DialogTemplate.h"
#include "framework/Exceptions.h"
#include "framework/Handles.h"
#include "framework/Text.h"

#include <shellapi.h>
#include <winnetwk.h>

#include <algorithm>
#include <vector>

namespace {

enum TControlId : WORD {
    idNameLabel = 100,
    idName,
    idFoldersLabel,
    idFolders,
    idFilesLabel,
    idFiles,
    idDrivesLabel,
    idDrives,
    idNetwork,
};

constexpr int kIndentPixels = 10;

// FreeLibrary: a module loaded for an optional service.
struct TModuleTraits {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { FreeLibrary(h); }
};
using TModuleHandle = TUniqueHandle<TModuleTraits>;

using TConnectionDialog = DWORD(APIENTRY*)(HWND, DWORD);

bool DirectoryExists(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Length of the root part of a full path: "C:\" or "\\server\share\".
size_t RootLength(const std::wstring& path)
{
    if (path.starts_with(L"\\\\")) {
        size_t server = path.find(L'\\', 2);
        if (server == std::wstring::npos) return path.size();
        size_t share = path.find(L'\\', server + 1);
        return share == std::wstring::npos ? path.size() : share + 1;
    }
    return std::min<size_t>(3, path.size());
}

// The path without its trailing backslash, unless it is a root.
std::wstring WithoutTrailingBackslash(std::wstring path)
{
    if (path.size() > RootLength(path) && path.back() == L'\\') path.pop_back();
    return path;
}

std::wstring FullPath(const std::wstring& path)
{
    std::wstring full = ExpandFileName(path);
    return full.empty() ? path : WithoutTrailingBackslash(full);
}

bool IsRelative(const std::wstring& path)
{
    bool drive = path.size() >= 2 && path[1] == L':';
    return !drive && !path.starts_with(L"\\") && !path.starts_with(L"/");
}

// Names of the visible entries of a folder, directories or plain files, in the order of the
// current locale without regard to case.
std::vector<std::wstring> FolderEntries(const std::wstring& folder, bool directories)
{
    std::vector<std::wstring> names;
    std::wstring pattern = IncludeTrailingBackslash(folder) + L"*";
    if (pattern.size() >= MAX_PATH)
        pattern = (pattern.starts_with(L"\\\\") ? L"\\\\?\\UNC\\" + pattern.substr(2) : L"\\\\?\\" + pattern);
    WIN32_FIND_DATAW data;
    TFindHandle find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0));
    if (!find) return names;
    do {
        std::wstring name = data.cFileName;
        bool isDirectory = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        if (isDirectory != directories || name == L"." || name == L"..") continue;
        if (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
        names.push_back(name);
    } while (FindNextFileW(find.Get(), &data));
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_LESS_THAN;
    });
    return names;
}

TIconHandle FolderIcon(bool open)
{
    SHFILEINFOW info{};
    UINT flags = SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES | (open ? SHGFI_OPENICON : 0);
    SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info, flags);
    return TIconHandle(info.hIcon);
}

std::wstring DriveCaption(const std::wstring& root)
{
    std::wstring caption = AsciiLowerCase(root.substr(0, 2));
    UINT type = GetDriveTypeW(root.c_str());
    // Removable and optical drives are not asked for their label: that would wait for the medium.
    if (type == DRIVE_REMOVABLE || type == DRIVE_CDROM) return caption;
    wchar_t label[MAX_PATH + 1] = {};
    if (GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0) && label[0])
        caption += L" [" + std::wstring(label) + L"]";
    return caption;
}

// One row of the folder list: an ancestor of the current folder (open), the current folder
// itself (open) or one of its subfolders (closed).
struct TFolderRow {
    std::wstring Path;
    std::wstring Caption;
    int Level = 0;
    bool Open = false;
};

// The window side of the chooser, alive while the dialog runs.
class TFolderDialogWindow {
public:
    TFolderDialogWindow()
        : network_(LoadLibraryW(L"mpr.dll")),
          connectionDialog_(network_ ? reinterpret_cast<TConnectionDialog>(
                                           GetProcAddress(network_.Get(), "WNetConnectionDialog"))
                                     : nullptr),
          openIcon_(FolderIcon(true)),
          closedIcon_(FolderIcon(false))
    {
    }

    bool Run(HWND owner, std::wstring& chosen)
    {
        TDialogTemplate dialog = Template();
        INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), owner, DialogProc,
                                                 reinterpret_cast<LPARAM>(this));
        if (result != IDOK) return false;
        chosen = chosen_;
        return true;
    }

private:
    TDialogTemplate Template() const
    {
        TDialogTemplate dialog(L"Select Directory", DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 260,
                               178, L"MS Shell Dlg", 8);
        using T = TDialogTemplate;
        dialog.AddItem(T::icStatic, L"Directory &Name:", idNameLabel, SS_LEFT, 6, 6, 248, 9);
        dialog.AddItem(T::icEdit, L"", idName, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 6, 16, 248, 12);
        dialog.AddItem(T::icStatic, L"&Directories:", idFoldersLabel, SS_LEFT, 6, 34, 120, 9);
        dialog.AddItem(T::icListBox, L"", idFolders,
                       WS_BORDER | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                           LBS_NOINTEGRALHEIGHT,
                       6, 44, 120, 98);
        dialog.AddItem(T::icStatic, L"&Files: (*.*)", idFilesLabel, SS_LEFT, 134, 34, 120, 9);
        dialog.AddItem(T::icListBox, L"", idFiles,
                       WS_BORDER | WS_TABSTOP | WS_VSCROLL | LBS_NOSEL | LBS_NOINTEGRALHEIGHT, 134, 44, 120, 98);
        dialog.AddItem(T::icStatic, L"D&rives:", idDrivesLabel, SS_LEFT, 6, 148, 120, 9);
        dialog.AddItem(T::icComboBox, L"", idDrives, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 6, 158, 120, 100);
        dialog.AddItem(T::icButton, L"OK", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, 134, 157, 38, 14);
        dialog.AddItem(T::icButton, L"Cancel", IDCANCEL, WS_TABSTOP | BS_PUSHBUTTON, 175, 157, 38, 14);
        if (connectionDialog_)
            dialog.AddItem(T::icButton, L"Ne&twork...", idNetwork, WS_TABSTOP | BS_PUSHBUTTON, 216, 157, 38, 14);
        return dialog;
    }

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_INITDIALOG) SetWindowLongPtrW(window, DWLP_USER, lParam);
        auto* self = reinterpret_cast<TFolderDialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
        INT_PTR result = FALSE;
        if (self) GuardEntryPoint([&] { result = self->Handle(window, message, wParam, lParam); });
        return result;
    }

    INT_PTR Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_INITDIALOG:
            window_ = window;
            FillDrives();
            OpenFolder(FullPath(L"."));
            SetFocus(Item(idFolders));
            return FALSE;
        case WM_MEASUREITEM:
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = RowHeight(window);
            return TRUE;
        case WM_DRAWITEM:
            DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_COMMAND:
            return Command(LOWORD(wParam), HIWORD(wParam));
        }
        return FALSE;
    }

    INT_PTR Command(WORD id, WORD notification)
    {
        switch (id) {
        case IDOK:
            Accept();
            return TRUE;
        case IDCANCEL:
            EndDialog(window_, IDCANCEL);
            return TRUE;
        case idFolders:
            if (notification == LBN_DBLCLK) OpenSelectedFolder();
            return TRUE;
        case idDrives:
            if (notification == CBN_SELCHANGE) OpenSelectedDrive();
            return TRUE;
        case idNetwork:
            if (notification == BN_CLICKED) ConnectNetworkDrive();
            return TRUE;
        }
        return FALSE;
    }

    HWND Item(int id) const { return GetDlgItem(window_, id); }

    // Takes the path by value: callers pass rows that the refill below replaces.
    void OpenFolder(std::wstring path)
    {
        folder_ = path;
        rows_.clear();
        size_t rootLength = RootLength(path);
        rows_.push_back({path.substr(0, rootLength), path.substr(0, rootLength), 0, true});
        for (size_t start = rootLength; start < path.size();) {
            size_t end = path.find(L'\\', start);
            if (end == std::wstring::npos) end = path.size();
            rows_.push_back(
                {path.substr(0, end), path.substr(start, end - start), static_cast<int>(rows_.size()), true});
            start = end + 1;
        }
        int currentRow = static_cast<int>(rows_.size()) - 1;
        for (const auto& name : FolderEntries(path, true))
            rows_.push_back({IncludeTrailingBackslash(path) + name, name, currentRow + 1, false});

        HWND folders = Item(idFolders);
        SendMessageW(folders, WM_SETREDRAW, FALSE, 0);
        SendMessageW(folders, LB_RESETCONTENT, 0, 0);
        for (const auto& row : rows_)
            SendMessageW(folders, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.Caption.c_str()));
        SendMessageW(folders, LB_SETCURSEL, currentRow, 0);
        SendMessageW(folders, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(folders, nullptr, TRUE);

        HWND files = Item(idFiles);
        SendMessageW(files, LB_RESETCONTENT, 0, 0);
        for (const auto& name : FolderEntries(path, false))
            SendMessageW(files, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));

        SetDlgItemTextW(window_, idName, path.c_str());
        SelectDriveOf(path);
    }

    void OpenSelectedFolder()
    {
        auto row = SendMessageW(Item(idFolders), LB_GETCURSEL, 0, 0);
        if (row >= 0 && row < static_cast<LRESULT>(rows_.size())) OpenFolder(rows_[row].Path);
    }

    void FillDrives()
    {
        drives_.clear();
        HWND combo = Item(idDrives);
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        DWORD size = GetLogicalDriveStringsW(0, nullptr);
        std::wstring buffer(size, L'\0');
        DWORD length = GetLogicalDriveStringsW(size, buffer.data());
        for (size_t start = 0; start < length && start < buffer.size();) {
            size_t end = buffer.find(L'\0', start);
            std::wstring root = buffer.substr(start, end - start);
            if (!root.empty()) {
                drives_.push_back(root);
                SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(DriveCaption(root).c_str()));
            }
            start = end + 1;
        }
    }

    void SelectDriveOf(const std::wstring& path)
    {
        int selected = -1;
        for (size_t i = 0; i < drives_.size(); ++i)
            if (AsciiLowerCase(path.substr(0, 2)) == AsciiLowerCase(drives_[i].substr(0, 2)))
                selected = static_cast<int>(i);
        SendMessageW(Item(idDrives), CB_SETCURSEL, selected, 0);
    }

    // A drive opens at its own current directory (the root when it has none or it is gone).
    void OpenSelectedDrive()
    {
        auto index = SendMessageW(Item(idDrives), CB_GETCURSEL, 0, 0);
        if (index < 0 || index >= static_cast<LRESULT>(drives_.size())) return;
        std::wstring drive = drives_[index].substr(0, 2);
        std::wstring folder = FullPath(drive);
        if (!DirectoryExists(folder)) folder = drive + L"\\";
        if (!DirectoryExists(folder)) {
            SelectDriveOf(folder_);
            return;
        }
        OpenFolder(folder);
    }

    void ConnectNetworkDrive()
    {
        if (connectionDialog_(window_, RESOURCETYPE_DISK) == NO_ERROR) FillDrives();
        SelectDriveOf(folder_);
    }

    // OK: Enter on a folder of the list that is not open yet opens it; otherwise the name in the
    // box is taken, after a question when no such folder exists.
    void Accept()
    {
        HWND folders = Item(idFolders);
        auto row = SendMessageW(folders, LB_GETCURSEL, 0, 0);
        if (GetFocus() == folders && row >= 0 && row < static_cast<LRESULT>(rows_.size()) &&
            rows_[row].Path != folder_) {
            OpenFolder(rows_[row].Path);
            return;
        }
        std::wstring typed = ItemText(idName);
        std::wstring path =
            typed.empty() ? typed : FullPath(IsRelative(typed) ? IncludeTrailingBackslash(folder_) + typed : typed);
        if (path.empty() || !DirectoryExists(path)) {
            int answer = MessageBoxW(window_, L"The specified directory does not exist. Create it?", L"Confirm",
                                     MB_YESNO | MB_ICONQUESTION);
            if (answer != IDYES) return;
        }
        chosen_ = path;
        EndDialog(window_, IDOK);
    }

    std::wstring ItemText(int id) const
    {
        HWND item = Item(id);
        std::wstring text(GetWindowTextLengthW(item) + 1, L'\0');
        text.resize(GetWindowTextW(item, text.data(), static_cast<int>(text.size())));
        return text;
    }

    static UINT RowHeight(HWND window)
    {
        TWindowDC dc(window);
        TSelectObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0)));
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc.Get(), &metrics);
        return static_cast<UINT>(std::max<int>(metrics.tmHeight, GetSystemMetrics(SM_CYSMICON)) + 2);
    }

    void DrawRow(const DRAWITEMSTRUCT& draw) const
    {
        if (draw.itemID >= rows_.size()) return;
        const TFolderRow& row = rows_[draw.itemID];
        bool selected = draw.itemState & ODS_SELECTED;
        RECT bounds = draw.rcItem;
        FillRect(draw.hDC, &bounds, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));

        int x = bounds.left + 2 + row.Level * kIndentPixels;
        int iconSize = GetSystemMetrics(SM_CXSMICON);
        HICON icon = row.Open ? openIcon_.Get() : closedIcon_.Get();
        if (icon)
            DrawIconEx(draw.hDC, x, bounds.top + (bounds.bottom - bounds.top - iconSize) / 2, icon, iconSize, iconSize,
                       0, nullptr, DI_NORMAL);
        RECT text = bounds;
        text.left = x + iconSize + 3;
        SetBkMode(draw.hDC, TRANSPARENT);
        SetTextColor(draw.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        DrawTextW(draw.hDC, row.Caption.c_str(), static_cast<int>(row.Caption.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (draw.itemState & ODS_FOCUS) DrawFocusRect(draw.hDC, &bounds);
    }

    TModuleHandle network_;
    TConnectionDialog connectionDialog_;
    TIconHandle openIcon_;
    TIconHandle closedIcon_;
    HWND window_ = nullptr;
    std::wstring folder_;
    std::vector<TFolderRow> rows_;
    std::vector<std::wstring> drives_;
    std::wstring chosen_;
};

} // namespace

bool TFolderDialog::Execute(HWND owner)
{
    TFolderDialogWindow window;
    folder_.clear();
    return window.Run(owner, folder_);
}

bool ForceDirectories(const std::wstring& path)
{
    std::wstring directory = WithoutTrailingBackslash(path);
    if (directory.empty()) throw EInOutError(L"Unable to create directory");
    if (DirectoryExists(directory)) return true;
    std::wstring parent = WithoutTrailingBackslash(ExtractFilePath(directory));
    if (parent == directory) return false;
    if (!parent.empty() && !ForceDirectories(parent)) return false;
    return CreateDirectoryW(directory.c_str(), nullptr) || DirectoryExists(directory);
}
