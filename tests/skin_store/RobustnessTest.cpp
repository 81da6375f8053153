#include "SkinFixtures.h"

#include "framework/Exceptions.h"
#include "skin/objects/KsSkinObjectRegistry.h"
#include "skin/store/KsObjectNotation.h"
#include "skin/store/KsObjectRecords.h"

#include <gtest/gtest.h>

#include <psapi.h>
#include <windows.h>

#include <random>

namespace {

// The process's GDI objects: the platform's count where it keeps one, else the highest slot of the
// GDI handle table that new objects get (it only climbs when objects are leaked), so that a leak of
// thousands of objects shows on both.
int64_t GdiObjectMeasure()
{
    DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (count != 0) return count;
    std::vector<TBrushHandle> probes;
    int64_t highest = 0;
    for (int i = 0; i < 256; ++i) {
        probes.emplace_back(CreateSolidBrush(RGB(i, 0, 0)));
        highest = std::max<int64_t>(highest, reinterpret_cast<uintptr_t>(probes.back().Get()) & 0xFFFF);
    }
    return highest;
}

int64_t CommittedBytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<int64_t>(counters.PagefileUsage);
}

// Loads bytes into a fresh source; a failure must be an Exception that leaves the source empty.
// Answers whether the load succeeded.
bool LoadsCleanlyOrRaises(TSeSkinFilterClass filterClass, const std::vector<uint8_t>& bytes)
{
    TSeSkinSource source(nullptr);
    try {
        LoadWith(filterClass, source, bytes);
    } catch (const Exception&) {
        EXPECT_EQ(source.Count(), 0);
        EXPECT_EQ(source.Bitmaps().Count(), 0);
        EXPECT_FALSE(source.Changing());
        return false;
    }
    // Whatever loaded must be a consistent skin that can be written out again.
    SaveWith(UncompressedFilter(), source);
    return true;
}

void PutInt32(std::vector<uint8_t>& bytes, size_t at, int32_t value)
{
    for (int i = 0; i < 4 && at + i < bytes.size(); ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

std::vector<uint8_t> Corrupt(const std::vector<uint8_t>& valid, std::mt19937& random, size_t protectedPrefix)
{
    std::vector<uint8_t> bytes = valid;
    size_t span = bytes.size() - protectedPrefix;
    size_t at = protectedPrefix + random() % span;
    const int32_t awkward[] = {-1, INT32_MIN, INT32_MAX, 0x7FFFFFF0, 0x10000, 0x01000000, 65537, 16385, 0};
    switch (random() % 5) {
    case 0:
        for (int flips = 1 + random() % 3; flips > 0; --flips)
            bytes[protectedPrefix + random() % span] ^= static_cast<uint8_t>(1u << (random() % 8));
        break;
    case 1:
        PutInt32(bytes, at, awkward[random() % std::size(awkward)]);
        break;
    case 2:
        PutInt32(bytes, at, static_cast<int32_t>(random()));
        break;
    case 3:
        for (size_t i = at; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(random());
        break;
    case 4:
        if (at > protectedPrefix) bytes[protectedPrefix + random() % (at - protectedPrefix)] ^= 0x40;
        bytes.resize(at);
        break;
    }
    return bytes;
}

} // namespace

TEST(StoreRobustness, EveryTruncationOfAContentRaisesAndLeavesTheSourceEmpty)
{
    TSeSkinSource source(nullptr);
    FillSmallSkin(source);
    std::vector<uint8_t> content = SaveWith(UncompressedFilter(), source);
    for (size_t size = 0; size < content.size(); ++size) {
        std::vector<uint8_t> cut(content.begin(), content.begin() + size);
        EXPECT_FALSE(LoadsCleanlyOrRaises(UncompressedFilter(), cut)) << size;
    }
    EXPECT_TRUE(LoadsCleanlyOrRaises(UncompressedFilter(), content));
}

TEST(StoreRobustness, EveryTruncationOfACompressedStoreLoadsTheWholeSkinOrRaises)
{
    TSeSkinSource source(nullptr);
    FillSmallSkin(source);
    std::vector<uint8_t> content = SaveWith(UncompressedFilter(), source);
    std::vector<uint8_t> store = SaveWith(CompressedFilter(), source);
    int loaded = 0;
    for (size_t size = 0; size <= store.size(); ++size) {
        TSeSkinSource target(nullptr);
        try {
            LoadWith(CompressedFilter(), target, std::vector<uint8_t>(store.begin(), store.begin() + size));
        } catch (const Exception&) {
            EXPECT_EQ(target.Count(), 0);
            continue;
        }
        // Only the zlib trailer may be missing from a store that loads.
        EXPECT_GE(size + 8, store.size());
        EXPECT_EQ(SaveWith(UncompressedFilter(), target), content);
        ++loaded;
    }
    EXPECT_GE(loaded, 1);
}

TEST(StoreRobustness, ThousandsOfCorruptStoresLoadOrRaiseWithoutGrowingResources)
{
    TSeSkinSource source(nullptr);
    FillSmallSkin(source);
    const std::vector<uint8_t> content = SaveWith(UncompressedFilter(), source);
    const std::vector<uint8_t> store = SaveWith(CompressedFilter(), source);
    std::mt19937 random(20240611);

    int outcomes[2] = {};
    auto attempt = [&] {
        // Half the attempts corrupt the plain content, so that counts and lengths are hit directly;
        // the rest corrupt the compressed store after its "KSLZ".
        bool plain = random() % 2 == 0;
        const std::vector<uint8_t>& valid = plain ? content : store;
        std::vector<uint8_t> bytes = Corrupt(valid, random, plain ? 0 : 4);
        ++outcomes[LoadsCleanlyOrRaises(plain ? UncompressedFilter() : CompressedFilter(), bytes)];
    };
    for (int i = 0; i < 200; ++i) attempt();
    const int64_t gdiBefore = GdiObjectMeasure();
    const int64_t memoryBefore = CommittedBytes();
    for (int i = 0; i < 3000; ++i) attempt();
    const int64_t gdiAfter = GdiObjectMeasure();
    const int64_t memoryAfter = CommittedBytes();

    EXPECT_GT(outcomes[0], 0);
    EXPECT_GT(outcomes[1], 0);
    EXPECT_LE(gdiAfter - gdiBefore, 16) << "GDI objects " << gdiBefore << " -> " << gdiAfter;
    EXPECT_LT(memoryAfter - memoryBefore, 4 << 20) << "committed bytes " << memoryBefore << " -> " << memoryAfter;
}

TEST(StoreRobustness, RandomMutationsOfDescriptionsRaiseOnlyTheReadersErrors)
{
    TSeSkinSource source(nullptr);
    FillSmallSkin(source);
    std::unique_ptr<TSeSkinObject> form(Part(source, L"Form").Clone(nullptr));
    const std::string valid = WriteNotation(ObjectToNotation(*form));
    std::mt19937 random(99);
    const char alphabet[] = "'{}[],.=:-0123456789ABCDEFaz_ \r\n";
    int applied = 0;
    for (int i = 0; i < 3000; ++i) {
        std::string text = valid;
        for (int edits = 1 + random() % 3; edits > 0; --edits) {
            size_t at = random() % text.size();
            if (random() % 2)
                text[at] = alphabet[random() % (sizeof alphabet - 1)];
            else
                text.erase(at, 1 + random() % 4);
        }
        std::unique_ptr<TSeSkinObject> object(CreateSkinObject(L"TSeSkinObject", nullptr));
        // Anything but the library's own errors escapes and fails the test.
        try {
            NotationToObject(ReadNotation(text), *object);
            ++applied;
        } catch (const Exception&) {
        }
    }
    EXPECT_GT(applied, 0);
    EXPECT_LT(applied, 3000);
}
