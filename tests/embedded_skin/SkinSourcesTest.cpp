#include "framework/Streams.h"
#include "framework/Text.h"
#include "skin/engine/KsSkinSource.h"
#include "tools/skinc/BmpFile.h"
#include "tools/skinc/SkinCompiler.h"
#include "tools/skinc/SkinSourceError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>

namespace {

using ::testing::HasSubstr;

// A folder under the temporary folder, removed with everything in it at the end of the test.
class TTempFolder {
public:
    explicit TTempFolder(const wchar_t* name)
    {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        path_ = std::wstring(base) + name + std::to_wstring(GetCurrentProcessId());
        std::filesystem::remove_all(path_);
    }
    ~TTempFolder() { std::filesystem::remove_all(path_); }
    const std::wstring& Path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

std::vector<uint8_t> ReadBytes(const std::wstring& fileName)
{
    TMemoryStream stream;
    stream.LoadFromFile(fileName);
    return stream.Bytes();
}

void WriteText(const std::wstring& fileName, const std::string& text)
{
    TMemoryStream(std::vector<uint8_t>(text.begin(), text.end())).SaveToFile(fileName);
}

// A one-object skin: a 4 x 6 bitmap "PIECE.BMP" and the object description given.
void WriteSmallSkin(const TTempFolder& folder, const std::string& object)
{
    std::filesystem::create_directories(folder / L"bitmaps");
    std::filesystem::create_directories(folder / L"objects");
    WriteText(folder / L"skin.txt", "SkinName = 'Small'\nSkinVersion = '1.0'\nAuthor = 'me'\nAuthorEMail = ''\n"
                                    "AuthorURL = ''\nBitmap = 'PIECE.BMP'\nObject = 'Thing.txt'\n");
    TBgraImage piece{4, 6, std::vector<uint8_t>(4 * 6 * 4, 200)};
    TMemoryStream(EncodeBmp(piece)).SaveToFile(folder / L"bitmaps\\PIECE.BMP");
    WriteText(folder / L"objects\\Thing.txt", object);
}

std::wstring CompileError(const TTempFolder& folder)
{
    try {
        CompileSkinStore(folder.Path());
    } catch (const Exception& error) {
        return error.Message();
    }
    return L"(no error)";
}

TEST(SkinSources, CompileDecompileCompileGivesTheSameStore)
{
    const std::vector<uint8_t> first = CompileSkinStore(FOLVANE_SKIN_SOURCES);
    TTempFolder folder(L"skinc-roundtrip-");
    DecompileSkinStore(first, folder.Path());
    const std::vector<uint8_t> second = CompileSkinStore(folder.Path());
    EXPECT_EQ(StoreContent(first), StoreContent(second));
    EXPECT_EQ(first, second);

    // The bitmaps come back as the very files they were compiled from.
    for (const auto& entry : std::filesystem::directory_iterator(std::wstring(FOLVANE_SKIN_SOURCES) + L"\\bitmaps")) {
        const std::wstring name = entry.path().filename().wstring();
        EXPECT_EQ(ReadBytes(entry.path().wstring()), ReadBytes(folder / (L"bitmaps\\" + name))) << entry.path();
    }
}

TEST(SkinSources, SmallSkinCompilesIntoAStoreTheLibraryReads)
{
    TTempFolder folder(L"skinc-small-");
    WriteSmallSkin(folder, "object Thing: TSeSkinObject\n  Width = 20\n  object Part: TSeBitmapObject\n"
                           "    Bitmap.Name = 'PIECE.BMP'\n    Bitmap.Right = 4\n    Bitmap.Bottom = 6\n  end\nend\n");
    const std::vector<uint8_t> store = CompileSkinStore(folder.Path());
    ASSERT_GE(store.size(), 6u);
    EXPECT_EQ(std::string(store.begin(), store.begin() + 4), "KSLZ");

    TSeSkinSource source(nullptr);
    TMemoryStream stream(store);
    TSeSkinFilterCompressed filter;
    filter.SetSource(&source);
    filter.LoadFromStream(stream);
    EXPECT_EQ(source.SkinName(), L"Small");
    ASSERT_EQ(source.Count(), 1);
    EXPECT_EQ(source.Objects(0)->Width(), 20);
    ASSERT_EQ(source.Objects(0)->ChildCount(), 1);
    EXPECT_EQ(source.Bitmaps().Count(), 1);
}

TEST(SkinSources, MistakesStopTheCompileNamingTheirPlace)
{
    TTempFolder folder(L"skinc-mistakes-");

    WriteSmallSkin(folder, "object Thing: TSeSkinObject\n  Wdth = 20\nend\n");
    EXPECT_THAT(CompileError(folder), HasSubstr(L"Thing.txt"));

    WriteSmallSkin(folder, "object Thing: TSeSkinObject\n  object Part: TSeNoSuchObject\n  end\nend\n");
    EXPECT_THAT(CompileError(folder), HasSubstr(L"Part has the unknown class TSeNoSuchObject"));

    WriteSmallSkin(folder, "object Thing: TSeSkinObject\n  object Part: TSeBitmapObject\n"
                           "    Bitmap.Name = 'PEICE.BMP'\n    Bitmap.Right = 4\n    Bitmap.Bottom = 6\n  end\nend\n");
    EXPECT_THAT(CompileError(folder), HasSubstr(L"Thing.Part.Bitmap names the bitmap PEICE.BMP, which the skin lacks"));

    WriteSmallSkin(folder, "object Thing: TSeSkinObject\n  object Part: TSeBitmapObject\n"
                           "    Bitmap.Name = 'PIECE.BMP'\n    Bitmap.Right = 4\n    Bitmap.Bottom = 7\n  end\nend\n");
    EXPECT_THAT(CompileError(folder), HasSubstr(L"Thing.Part.Bitmap is not a rectangle inside PIECE.BMP"));

    WriteSmallSkin(folder, "object Thing: TSeSkinObject\nend\n");
    std::filesystem::remove(folder / L"bitmaps\\PIECE.BMP");
    EXPECT_THAT(CompileError(folder), HasSubstr(L"PIECE.BMP"));

    WriteSmallSkin(folder, "object Thing: TSeSkinObject\nend\n");
    WriteText(folder / L"skin.txt", "SkinName = 'Small'\nObject = 'Thing.txt'\n");
    EXPECT_THAT(CompileError(folder), HasSubstr(L"SkinVersion missing"));
}

} // namespace
