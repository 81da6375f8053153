// Times the decoding of the program's embedded skin store (inflate, parse the object descriptions,
// build the objects and their bitmaps, resolve the links) against a plain zlib inflate of the same
// store in the same run. The store is the one the build compiles (resources/folvane.skin in the
// build folder, beside this program's folder).
#include "framework/Streams.h"
#include "framework/Text.h"
#include "skin/engine/KsSkinSource.h"

#include <zlib.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRepeats = 25;
constexpr size_t kMagicSize = 4;

std::wstring StorePath()
{
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    return IncludeTrailingBackslash(ExtractFilePath(exe)) + L"..\\resources\\folvane.skin";
}

int CountObjects(const TSeSkinObject& object)
{
    int count = 1;
    for (int i = 0; i < object.ChildCount(); ++i) count += CountObjects(*object.ChildAt(i));
    return count;
}

double Milliseconds(const std::function<void()>& f)
{
    auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main()
{
    TMemoryStream file;
    try {
        file.LoadFromFile(StorePath());
    } catch (const Exception& e) {
        std::printf("the skin store is not built: %s\n", e.what());
        return 1;
    }
    const std::vector<uint8_t>& store = file.Bytes();

    std::vector<uint8_t> inflated(16 << 20);
    uLongf inflatedSize = static_cast<uLongf>(inflated.size());
    if (store.size() <= kMagicSize || uncompress(inflated.data(), &inflatedSize, store.data() + kMagicSize,
                                                 static_cast<uLong>(store.size() - kMagicSize)) != Z_OK) {
        std::printf("the skin store does not inflate\n");
        return 1;
    }

    std::vector<double> loads, inflates;
    int bitmaps = 0, topLevel = 0, objects = 0;
    for (int i = 0; i < kRepeats; ++i) {
        TSeSkinSource source(nullptr);
        loads.push_back(Milliseconds([&] {
            TMemoryStream stream(store);
            source.LoadFromStream(stream);
        }));
        inflates.push_back(Milliseconds([&] {
            uLongf size = static_cast<uLongf>(inflated.size());
            uncompress(inflated.data(), &size, store.data() + kMagicSize,
                       static_cast<uLong>(store.size() - kMagicSize));
        }));
        bitmaps = source.Bitmaps().Count();
        topLevel = source.Count();
        objects = 0;
        for (int j = 0; j < source.Count(); ++j) objects += CountObjects(*source.Objects(j));
    }

    double load = Median(loads), inflate = Median(inflates);
    std::printf("embedded skin store: %zu bytes, %lu inflated, %d bitmaps, %d objects (%d top level)\n", store.size(),
                static_cast<unsigned long>(inflatedSize), bitmaps, objects, topLevel);
    std::printf("skin load (inflate, parse, build, resolve): %.3f ms median of %d\n", load, kRepeats);
    std::printf("plain zlib inflate of the same store:       %.3f ms median of %d\n", inflate, kRepeats);
    std::printf("ratio skin_load_vs_inflate %.2f\n", load / inflate);
    return 0;
}
