#include "app/Unit1.h"
#include "framework/Application.h"
#include "tests/support/HandleCounts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace {

// The program's skin as a skin file that the engine loads again on every assignment.
std::wstring SkinFile()
{
    TResourceStream store(GetModuleHandleW(nullptr), L"FOLVANE_SKIN", RT_RCDATA);
    std::vector<char> bytes(static_cast<size_t>(store.Size()));
    store.ReadBuffer(bytes.data(), bytes.size());
    const auto path = std::filesystem::temp_directory_path() / L"folvane-paint-resources.kskn";
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.wstring();
}

void RepaintEverything(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

} // namespace

TEST(PaintResources, TheProcessHoldsAsManyGdiAndUserObjectsAfterAThousandRepaintsAndAHundredSkinReloads)
{
    Application->Initialize();
    TForm1* form = Application->CreateForm<TForm1>();
    form->Show();
    Application->ProcessMessages();
    const std::wstring skinFile = SkinFile();
    // Whatever is made once and then kept (the first skin copies, the caption fonts) exists first.
    form->SeSkinEngine1->SetSkinFile(skinFile);
    RepaintEverything(form->Handle());
    Application->ProcessMessages();

    const DWORD gdi = GdiObjectCount();
    const DWORD user = UserObjectCount();
    ASSERT_GT(gdi, 0u);
    ASSERT_GT(user, 0u);
    for (int i = 0; i < 1000; ++i) RepaintEverything(form->Handle());
    for (int i = 0; i < 100; ++i) form->SeSkinEngine1->SetSkinFile(skinFile);
    Application->ProcessMessages();
    EXPECT_EQ(GdiObjectCount(), gdi);
    EXPECT_EQ(UserObjectCount(), user);
    EXPECT_TRUE(form->SeSkinEngine1->IsSkinLoaded());

    delete form;
    std::filesystem::remove(skinFile);
}
