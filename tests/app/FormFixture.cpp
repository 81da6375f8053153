#include "FormFixture.h"

#include <memory>

void FormFixture::SetUp()
{
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    previousDirectory = current;
    SetCurrentDirectoryW(tree.Root().c_str());

    Application->Initialize();
    Application->SetTitle(L"Folvane Tool");
    form = Application->CreateForm<TForm1>();
    form->Show();
    Pump();
}

void FormFixture::TearDown()
{
    delete form;
    Pump();
    SetCurrentDirectoryW(previousDirectory.c_str());
}

void FormFixture::AddRows(std::initializer_list<std::pair<std::wstring, std::wstring>> rows)
{
    for (const auto& [caption, depth] : rows) form->ListView1->AddRow(caption, depth);
}

void FormFixture::Pump()
{
    MSG message;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    }
}

void FormFixture::PostClick(TWinControl* button) { PostMessageW(button->Handle(), BM_CLICK, 0, 0); }

bool FormFixture::FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void FormFixture::PostAction(std::function<void()> action) { postedActions.Post(std::move(action)); }

TPostedActions::TPostedActions()
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"FolvaneTestPostedActions";
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              windowClass.hInstance, nullptr);
}

TPostedActions::~TPostedActions()
{
    MSG message;
    while (PeekMessageW(&message, window_, WM_APP, WM_APP, PM_REMOVE))
        delete reinterpret_cast<std::function<void()>*>(message.lParam);
    DestroyWindow(window_);
}

void TPostedActions::Post(std::function<void()> action)
{
    auto* posted = new std::function<void()>(std::move(action));
    if (!PostMessageW(window_, WM_APP, 0, reinterpret_cast<LPARAM>(posted))) delete posted;
}

LRESULT CALLBACK TPostedActions::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_APP) return DefWindowProcW(window, message, wParam, lParam);
    std::unique_ptr<std::function<void()>> action(reinterpret_cast<std::function<void()>*>(lParam));
    (*action)();
    return 0;
}
