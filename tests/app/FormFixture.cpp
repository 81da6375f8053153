#include "FormFixture.h"

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
