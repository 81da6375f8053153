#include "framework/Dialogs.h"

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Forms.h"
#include "framework/Screen.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

namespace {

// The window that owns a modal dialog: the active form, else the main form, when it is on the screen.
HWND DialogOwner()
{
    TCustomForm* form = Screen ? Screen->ActiveForm() : nullptr;
    if (!form && Application) form = Application->MainForm();
    if (form && form->HandleAllocated() && IsWindowVisible(form->Handle())) return form->Handle();
    return nullptr;
}

} // namespace

std::wstring TFileDialog::PlatformFilter(const std::wstring& filter)
{
    if (filter.empty()) return {};
    std::wstring result = filter;
    for (wchar_t& c : result)
        if (c == L'|') c = L'\0';
    result.push_back(L'\0');
    result.push_back(L'\0');
    return result;
}

bool TFileDialog::Run(bool save)
{
    std::wstring filter = PlatformFilter(filter_);
    std::vector<wchar_t> file(32768, L'\0');
    fileName_.copy(file.data(), std::min(fileName_.size(), file.size() - 1));

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = DialogOwner();
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = initialDir_.empty() ? nullptr : initialDir_.c_str();
    ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
    ofn.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;

    BOOL chosen = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (chosen) {
        fileName_ = file.data();
        return true;
    }
    // Zero means the user cancelled; anything else is a failure of the dialog itself.
    if (DWORD error = CommDlgExtendedError())
        throw EOSError(FormatMessageText(L"The file dialog failed (error %s)", {std::to_wstring(error)}));
    return false;
}
