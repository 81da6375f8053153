#include "skin/KsSkinSource.h"
#include "tools/skinc/SkinCompiler.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

std::wstring TempFolder(const wchar_t* name)
{
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    return std::wstring(base) + name + std::to_wstring(GetCurrentProcessId());
}

TEST(SkinSources, CompileDecompileCompileGivesTheSameContent)
{
    const std::vector<uint8_t> first = CompileSkinStore(FOLVANE_SKIN_SOURCES);
    const std::wstring folder = TempFolder(L"skinc-roundtrip-");
    DecompileSkinStore(first, folder);
    const std::vector<uint8_t> second = CompileSkinStore(folder);
    EXPECT_EQ(StoreContent(first), StoreContent(second));
    EXPECT_EQ(first, second);
}

} // namespace
