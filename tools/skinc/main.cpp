// skinc: compiles the skin's sources into the skin store that folvane.exe embeds, turns a store
// back into sources, and draws the skin sheet.
#include "framework/Exceptions.h"
#include "framework/Streams.h"
#include "tools/skinc/SkinCompiler.h"
#include "tools/skinc/SkinSheet.h"

#include <cstdio>
#include <string>

namespace {

int Usage()
{
    std::fputws(L"usage: skinc compile <sources folder> <out store> [bitmaps folder inside the sources]\n"
                L"       skinc decompile <store> <out sources folder>\n"
                L"       skinc sheet <store> <out .bmp>\n",
                stderr);
    return 2;
}

std::vector<uint8_t> ReadStore(const std::wstring& fileName)
{
    TMemoryStream stream;
    stream.LoadFromFile(fileName);
    return stream.Bytes();
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (argc != 4 && !(argc == 5 && command == L"compile")) return Usage();
    try {
        if (command == L"compile") {
            TMemoryStream(argc == 5 ? CompileSkinStore(argv[2], argv[4]) : CompileSkinStore(argv[2]))
                .SaveToFile(argv[3]);
        } else if (command == L"decompile") {
            DecompileSkinStore(ReadStore(argv[2]), argv[3]);
        } else if (command == L"sheet") {
            DrawSkinSheet(ReadStore(argv[2]), argv[3]);
        } else {
            return Usage();
        }
    } catch (const Exception& error) {
        std::fputws((L"skinc: " + error.Message() + L"\n").c_str(), stderr);
        return 1;
    }
    return 0;
}
