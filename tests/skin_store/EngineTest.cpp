#include "SkinFixtures.h"

#include "skin/engine/KsSkinEngine.h"
#include "skin/objects/KsSkinObjects2.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

std::wstring TempPath(const std::wstring& name)
{
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name;
}

// A skin file on disk for the duration of a test.
class TSkinFile {
public:
    TSkinFile(const std::wstring& name, const std::vector<uint8_t>& bytes) : path_(TempPath(name))
    {
        TMemoryStream(bytes).SaveToFile(path_);
    }
    ~TSkinFile() { DeleteFileW(path_.c_str()); }
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

std::vector<uint8_t> SmallSkinBytes(TSeSkinFilterClass filterClass)
{
    TSeSkinSource source(nullptr);
    FillSmallSkin(source);
    return SaveWith(filterClass, source);
}

// Records the engine's events and what lookups answered while they ran.
struct TEventLog {
    explicit TEventLog(TSeSkinEngine& engine)
    {
        engine.OnBeforeChange = [this](TSeSkinEngine* sender) {
            events.push_back("before");
            formFoundDuringChange = formFoundDuringChange || sender->Source()->ObjectByName(L"Form");
        };
        engine.OnAfterChange = [this](TSeSkinEngine* sender) {
            events.push_back(sender->Source()->Changing() ? "after while changing" : "after");
        };
    }
    std::vector<std::string> events;
    bool formFoundDuringChange = false;
};

int Channel(uint32_t pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); }

void ExpectSameColour(uint32_t a, uint32_t b, int tolerance)
{
    for (int shift : {0, 8, 16})
        EXPECT_NEAR(Channel(a, shift), Channel(b, shift), tolerance) << std::hex << a << " " << b;
}

TColor FontHotColor(TSeSkinSource& source)
{
    auto& text = dynamic_cast<TSeTextObject&>(Part(source, L"Button", L"Text"));
    return text.FontHot().Color();
}

} // namespace

TEST(SkinSourceLookup, NamesIgnoreCaseOnlyTopLevelObjectsAreFoundAndNothingWhileChanging)
{
    TSeSkinSource source(nullptr);
    FillSmallSkin(source);
    EXPECT_EQ(source.ObjectByName(L"form"), source.Objects(0));
    EXPECT_EQ(source.ObjectByName(L"BUTTON"), source.Objects(1));
    EXPECT_EQ(source.ObjectByName(L"Face"), nullptr);
    EXPECT_EQ(source.ObjectByName(L"Caption"), nullptr);
    EXPECT_EQ(source.ObjectByKind(skForm), source.Objects(0));
    EXPECT_EQ(source.ObjectByKind(skCaption), nullptr);
    EXPECT_EQ(source.FormObject(), source.Objects(0));
    EXPECT_EQ(source.Objects(3), nullptr);
    EXPECT_EQ(source.Objects(-1), nullptr);

    source.SetChanging(true);
    EXPECT_EQ(source.Objects(0), nullptr);
    EXPECT_EQ(source.ObjectByName(L"Form"), nullptr);
    EXPECT_EQ(source.ObjectByKind(skForm), nullptr);
    EXPECT_EQ(source.FormObject(), nullptr);
    EXPECT_EQ(source.Count(), 3);
    source.SetChanging(false);

    // Without an object called "Form", the first object of kind skForm is the form's object.
    Part(source, L"Form").SetName(L"Window");
    Part(source, L"Edit").SetKind(skForm);
    EXPECT_EQ(source.FormObject(), source.Objects(0));
    source.Objects(0)->SetKind(skNone);
    EXPECT_EQ(source.FormObject(), source.Objects(2));

    source.Clear();
    EXPECT_FALSE(source.IsLoaded());
    EXPECT_EQ(source.SkinName(), L"Small") << "clearing keeps the header";
}

TEST(SkinFilters, AreRegisteredInOrderAndChosenByExtensionIgnoringCase)
{
    const auto& filters = SkinFilters();
    ASSERT_EQ(filters.size(), 3u);
    const wchar_t* expected[][2] = {
        {L"uskn", L"Uncompressed Skin"}, {L"kskn", L"Compressed Skin"}, {L"xskn", L"Ultra Compressed Skin"}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(filters[i]()->FileExtension(), expected[i][0]);
        EXPECT_EQ(filters[i]()->Description(), expected[i][1]);
    }
    EXPECT_EQ(FilterForFile(L"C:\\Skins\\Blue.KSKN"), filters[1]);
    EXPECT_EQ(FilterForFile(L"blue.Xskn"), filters[2]);
    EXPECT_EQ(FilterForFile(L"dir.kskn\\blue.uskn"), filters[0]);
    EXPECT_EQ(DefaultSkinFilter()()->Description(), L"Compressed Skin");
    EXPECT_EQ(FilterForFile(L"blue.kskn.bak"), nullptr);
    EXPECT_EQ(FilterForFile(L"kskn"), nullptr);
    EXPECT_EQ(FilterForFile(L""), nullptr);
}

TEST(SkinFilters, CompressedStoresStartWithTheMagicAndAZlibHeaderOfTheirLevel)
{
    std::vector<uint8_t> fast = SmallSkinBytes(CompressedFilter());
    std::vector<uint8_t> best = SmallSkinBytes(UltraCompressedFilter());
    EXPECT_EQ(std::vector<uint8_t>(fast.begin(), fast.begin() + 6),
              (std::vector<uint8_t>{'K', 'S', 'L', 'Z', 0x78, 0x01}));
    EXPECT_EQ(std::vector<uint8_t>(best.begin(), best.begin() + 6),
              (std::vector<uint8_t>{'K', 'S', 'L', 'Z', 0x78, 0xDA}));

    // Either compressed filter reads either level, and the magic itself is not checked.
    std::vector<uint8_t> content = SmallSkinBytes(UncompressedFilter());
    best[0] = 'X';
    for (TSeSkinFilterClass reader : {CompressedFilter(), UltraCompressedFilter()})
        for (const auto* bytes : {&fast, &best}) {
            TSeSkinSource source(nullptr);
            LoadWith(reader, source, *bytes);
            EXPECT_EQ(SaveWith(UncompressedFilter(), source), content);
        }
}

TEST(SkinFiles, LoadByExtensionFallBackBesideTheExecutableAndIgnoreWhatIsMissing)
{
    TSkinFile ultra(L"folvane-engine-test.XSKN", SmallSkinBytes(UltraCompressedFilter()));
    TSeSkinSource source(nullptr);
    source.LoadFromFile(ultra.Path());
    EXPECT_EQ(source.Count(), 3);

    TSeSkinSource untouched(nullptr);
    untouched.LoadFromFile(TempPath(L"folvane-no-such-skin.kskn"));
    untouched.LoadFromFile(L"");
    EXPECT_FALSE(untouched.IsLoaded());
    TSkinFile unknown(L"folvane-engine-test.skin", SmallSkinBytes(CompressedFilter()));
    untouched.LoadFromFile(unknown.Path());
    EXPECT_FALSE(untouched.IsLoaded());

    // A relative name that is not found from the current directory is looked for beside the program.
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring besideExe = std::wstring(exe).substr(0, std::wstring(exe).find_last_of(L'\\') + 1);
    const std::wstring name = L"folvane-beside-exe.uskn";
    TMemoryStream(SmallSkinBytes(UncompressedFilter())).SaveToFile(besideExe + name);
    wchar_t oldDir[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, oldDir);
    SetCurrentDirectoryW(TempPath(L"").c_str());
    TSeSkinSource relative(nullptr);
    relative.LoadFromFile(name);
    SetCurrentDirectoryW(oldDir);
    DeleteFileW((besideExe + name).c_str());
    EXPECT_EQ(relative.Count(), 3);
}

TEST(SkinFiles, SavingPicksTheFilterByExtensionOrTheCompressedOne)
{
    TSeSkinSource source(nullptr);
    FillSmallSkin(source);
    for (const wchar_t* name : {L"folvane-save.uskn", L"folvane-save.xskn", L"folvane-save.dat"}) {
        std::wstring path = TempPath(name);
        source.SaveToFile(path);
        TMemoryStream saved;
        saved.LoadFromFile(path);
        DeleteFileW(path.c_str());
        TSeSkinFilterClass expected = FilterForFile(path) ? FilterForFile(path) : CompressedFilter();
        EXPECT_EQ(saved.Bytes(), SmallSkinBytes(expected)) << name;
    }
}

TEST(SkinEngine, StoredSkinPropertyMarkerDecidesWhetherASkinFollows)
{
    std::vector<uint8_t> store = SmallSkinBytes(CompressedFilter());
    for (uint8_t marker : {0, 1, 2, 255}) {
        TSeSkinEngine engine(nullptr);
        engine.SetSkinFile(L"missing.kskn");
        std::vector<uint8_t> property = {marker};
        property.insert(property.end(), store.begin(), store.end());
        TMemoryStream stream(property);
        engine.ReadSkinStream(stream);
        EXPECT_EQ(engine.IsSkinLoaded(), marker != 0) << int{marker};
        EXPECT_EQ(engine.SkinFile(), marker ? L"" : L"missing.kskn") << int{marker};
    }
}

TEST(SkinEngine, WritesMarkerTwoAndTheCompressedStoreOrALoneZero)
{
    TSeSkinEngine engine(nullptr);
    TMemoryStream empty;
    engine.WriteSkinStream(empty);
    EXPECT_EQ(empty.Bytes(), std::vector<uint8_t>{0});

    FillSmallSkin(*engine.Source());
    TMemoryStream written;
    engine.WriteSkinStream(written);
    std::vector<uint8_t> expected = {2};
    std::vector<uint8_t> store = SmallSkinBytes(CompressedFilter());
    expected.insert(expected.end(), store.begin(), store.end());
    EXPECT_EQ(written.Bytes(), expected);

    TSeSkinEngine reader(nullptr);
    written.SetPosition(0);
    reader.ReadSkinStream(written);
    EXPECT_EQ(SaveWith(UncompressedFilter(), *reader.Source()), SmallSkinBytes(UncompressedFilter()));
}

TEST(SkinEngine, AfterLoadingFiresAfterChangeOnceOnlyWhenASkinIsLoaded)
{
    for (bool withSkin : {false, true}) {
        TSeSkinEngine engine(nullptr);
        TEventLog log(engine);
        engine.BeginLoading();
        std::vector<uint8_t> property = {static_cast<uint8_t>(withSkin ? 2 : 0)};
        if (withSkin) {
            std::vector<uint8_t> store = SmallSkinBytes(CompressedFilter());
            property.insert(property.end(), store.begin(), store.end());
        }
        TMemoryStream stream(property);
        engine.ReadSkinStream(stream);
        EXPECT_TRUE(log.events.empty()) << "reading the stored skin sends nothing";
        engine.EndLoading();
        EXPECT_EQ(log.events, withSkin ? std::vector<std::string>{"after"} : std::vector<std::string>{});
    }
}

TEST(SkinEngine, SkinFileReplacesTheSkinWithLookupsAnsweringNoneUntilItIsInPlace)
{
    TSkinFile file(L"folvane-engine-replace.kskn", SmallSkinBytes(CompressedFilter()));
    TSeSkinEngine engine(nullptr);
    FillSmallSkin(*engine.Source());
    engine.Source()->SetSkinName(L"Before");
    TEventLog log(engine);
    engine.SetSkinFile(file.Path());
    EXPECT_EQ(log.events, (std::vector<std::string>{"before", "after"}));
    EXPECT_FALSE(log.formFoundDuringChange);
    EXPECT_EQ(engine.Source()->SkinName(), L"Small");
    EXPECT_NE(engine.Source()->ObjectByName(L"Form"), nullptr);

    // With no skin loaded there is nothing to announce beforehand; a missing file loads nothing.
    TSeSkinEngine fresh(nullptr);
    TEventLog freshLog(fresh);
    fresh.SetSkinFile(TempPath(L"folvane-no-such-skin.kskn"));
    EXPECT_EQ(freshLog.events, std::vector<std::string>{"after"});
    EXPECT_FALSE(fresh.IsSkinLoaded());
}

TEST(SkinEngine, TheSkinWrittenWhileItIsBeingReplacedIsTheWholeSkinHeldThen)
{
    TSkinFile file(L"folvane-engine-write-during.kskn", SmallSkinBytes(CompressedFilter()));
    TSeSkinEngine engine(nullptr);
    FillSmallSkin(*engine.Source());
    engine.Source()->SetSkinName(L"Before");
    const std::vector<uint8_t> before = SaveWith(UncompressedFilter(), *engine.Source());
    TMemoryStream written;
    engine.OnBeforeChange = [&written](TSeSkinEngine* sender) {
        ASSERT_TRUE(sender->Source()->Changing());
        sender->WriteSkinStream(written);
    };
    engine.SetSkinFile(file.Path());
    ASSERT_EQ(engine.Source()->SkinName(), L"Small");

    TSeSkinEngine reader(nullptr);
    written.SetPosition(0);
    reader.ReadSkinStream(written);
    EXPECT_EQ(SaveWith(UncompressedFilter(), *reader.Source()), before);
}

TEST(SkinEngine, ABrokenSkinFileRaisesLeavesTheSourceEmptyAndStillAnnouncesTheChange)
{
    std::vector<uint8_t> broken = SmallSkinBytes(CompressedFilter());
    broken.resize(broken.size() / 2);
    TSkinFile file(L"folvane-engine-broken.kskn", broken);
    TSeSkinEngine engine(nullptr);
    FillSmallSkin(*engine.Source());
    TEventLog log(engine);
    EXPECT_THROW(engine.SetSkinFile(file.Path()), Exception);
    EXPECT_EQ(log.events, (std::vector<std::string>{"before", "after"}));
    EXPECT_FALSE(engine.Source()->Changing());
    EXPECT_FALSE(engine.IsSkinLoaded());
    EXPECT_EQ(engine.Source()->Bitmaps().Count(), 0);

    TSkinFile good(L"folvane-engine-good.kskn", SmallSkinBytes(CompressedFilter()));
    engine.SetSkinFile(good.Path());
    EXPECT_NE(engine.Source()->ObjectByName(L"Button"), nullptr);
}

TEST(SkinEngine, DeltaHueWithoutASkinIsOnlyStoredAndALaterSkinFileAppliesIt)
{
    TSkinFile file(L"folvane-engine-hue.kskn", SmallSkinBytes(CompressedFilter()));
    TSeSkinEngine engine(nullptr);
    TEventLog log(engine);
    engine.SetDeltaHue(40);
    EXPECT_EQ(engine.DeltaHue(), 40);
    EXPECT_TRUE(log.events.empty());
    EXPECT_EQ(engine.Source()->RequestedHue(), 0);

    engine.SetSkinFile(file.Path());
    TSeSkinSource reference(nullptr);
    reference.LoadFromFile(file.Path());
    reference.ApplyHue(40);
    EXPECT_EQ(engine.Source()->AppliedHue(), 40);
    EXPECT_EQ(SaveWith(UncompressedFilter(), *engine.Source()), SaveWith(UncompressedFilter(), reference));
    EXPECT_NE(FontHotColor(*engine.Source()), clRed);
}

TEST(SkinEngine, EveryWayOfLoadingAFileGivesTheSameColoursForTheSameDeltaHue)
{
    TSkinFile file(L"folvane-engine-rehue.kskn", SmallSkinBytes(CompressedFilter()));
    TSeSkinEngine engine(nullptr);
    engine.SetSkinFile(file.Path());
    engine.SetDeltaHue(30);
    std::vector<uint8_t> shiftedOnce = SaveWith(UncompressedFilter(), *engine.Source());

    // Loading again with the hue already at 30: the new skin is shifted from its stored colours.
    engine.SetSkinFile(file.Path());
    EXPECT_EQ(SaveWith(UncompressedFilter(), *engine.Source()), shiftedOnce);
    EXPECT_EQ(engine.Source()->AppliedHue(), 30);
}

TEST(SkinEngine, SettingTheSameDeltaHueDoesNothingUnlessTheRequestedHueDiffers)
{
    TSkinFile file(L"folvane-engine-same.kskn", SmallSkinBytes(CompressedFilter()));
    TSeSkinEngine engine(nullptr);
    engine.SetSkinFile(file.Path());
    engine.SetDeltaHue(20);
    TEventLog log(engine);
    engine.SetDeltaHue(20);
    EXPECT_TRUE(log.events.empty());

    engine.Source()->ApplyHue(50);
    engine.SetDeltaHue(20);
    EXPECT_EQ(log.events, (std::vector<std::string>{"before", "after"}));
    EXPECT_EQ(engine.Source()->RequestedHue(), 20);
    EXPECT_EQ(engine.Source()->AppliedHue(), 20);
}

TEST(SkinEngine, ShiftingTheHueAndBackRestoresColoursUpToRounding)
{
    TSkinFile file(L"folvane-engine-back.kskn", SmallSkinBytes(CompressedFilter()));
    TSeSkinEngine engine(nullptr);
    engine.SetSkinFile(file.Path());
    TSeSkinSource original(nullptr);
    original.LoadFromFile(file.Path());

    engine.SetDeltaHue(30);
    EXPECT_NE(FontHotColor(*engine.Source()), clRed);
    EXPECT_NE(engine.Source()->Bitmaps().Item(1)->Pixel(3, 3), original.Bitmaps().Item(1)->Pixel(3, 3));
    engine.SetDeltaHue(0);

    // The hue is kept in 255 steps: half a step moves a channel of a fully saturated colour by 3,
    // once on the way out and once on the way back.
    const int tolerance = 6;
    ExpectSameColour(static_cast<uint32_t>(FontHotColor(*engine.Source())), clRed, tolerance);
    for (int i = 0; i < original.Bitmaps().Count(); ++i) {
        const TKsBitmap& before = *original.Bitmaps().Item(i);
        const TKsBitmap& after = *engine.Source()->Bitmaps().Item(i);
        for (int y = 0; y < before.Height(); ++y)
            for (int x = 0; x < before.Width(); ++x) ExpectSameColour(before.Pixel(x, y), after.Pixel(x, y), tolerance);
    }
}
