#include "SkinnedControlTesting.h"

#include "skin/objects/KsSkinObjectRegistry.h"
#include "skinctl/KsSkinButtons.h"
#include "skinctl/KsSkinCheckBoxs.h"
#include "skinctl/KsSkinGroupBoxs.h"
#include "skinctl/KsSkinProgress.h"

#include <filesystem>
#include <fstream>

namespace {

template <typename TSkinned> class TProbe : public TSkinned {
public:
    using TSkinned::Skin;
    using TSkinned::TSkinned;
};
using TProbeButton = TProbe<TSeSkinButton>;

// The program's skin written as a compressed skin file, for loading it again through the engine.
std::wstring SkinFile()
{
    TResourceStream store(GetModuleHandleW(nullptr), L"FOLVANE_SKIN", RT_RCDATA);
    std::vector<char> bytes(static_cast<size_t>(store.Size()));
    store.ReadBuffer(bytes.data(), bytes.size());
    const auto path = std::filesystem::temp_directory_path() / L"folvane-binding-test.kskn";
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.wstring();
}

// A skin whose top-level objects carry the controls' names but none of the parts they draw.
void AdoptBareSkin(TSeSkinEngine& engine, TColor colour)
{
    std::vector<std::unique_ptr<TSeSkinObject>> objects;
    for (const wchar_t* name : {L"Button", L"RadioButton", L"GroupBox", L"ProgressBar"}) {
        std::unique_ptr<TSeSkinObject> object(CreateSkinObject(L"TSeSkinObject", nullptr));
        object->SetName(name);
        object->SetColor(colour);
        objects.push_back(std::move(object));
    }
    engine.Source()->Adopt(std::move(objects), TKsBitmapList());
}

using SkinBinding = SkinnedControlTest;

} // namespace

TEST_F(SkinBinding, TheControlDrawsWithAPrivateCopyThatIsMadeAgainWhenTheSkinIsReplaced)
{
    auto* button = Make<TProbeButton>(Form, TRect::FromSize(10, 10, 75, 25), L"Go");
    ShowForm();
    Repaint(button);
    TSeSkinObject* copy = button->Skin().Copy();
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, Engine->Source()->ObjectByName(L"Button"));
    EXPECT_EQ(copy->BoundControl(), button);

    // The copy's repaint request reaches the control.
    ASSERT_FALSE(button->PaintBuffer().Dirty());
    copy->Invalidate();
    EXPECT_TRUE(button->PaintBuffer().Dirty());

    // Replacing the skin frees the objects the copy came from: the control draws the same with a new copy.
    auto before = Snapshot(Buffer(button));
    Engine->SetSkinFile(SkinFile());
    ASSERT_TRUE(button->Skin().Skinned());
    Repaint(button);
    EXPECT_EQ(Differences(*before, Buffer(button), {0, 0, 75, 25}), 0);

    // A new object name alone changes nothing until the engine is set again.
    button->SetSkinObject(L"GroupBox");
    Repaint(button);
    EXPECT_EQ(Differences(*before, Buffer(button), {0, 0, 75, 25}), 0);
    button->SetSkinEngine(Engine);
    Repaint(button);
    EXPECT_GT(Differences(*before, Buffer(button), {0, 0, 75, 25}), 0);
}

TEST_F(SkinBinding, AFreedEngineLeavesThePlainLookWhoeverOwnedIt)
{
    auto* other = new TSeSkinEngine(nullptr);
    other->ReadSkinResource(GetModuleHandleW(nullptr), L"FOLVANE_SKIN");
    FocusTaker();
    auto* button = Make<TProbeButton>(Form, TRect::FromSize(10, 10, 75, 25), L"Go", false);
    auto* plain = Make<TProbeButton>(Form, TRect::FromSize(10, 40, 75, 25), L"Go", false);
    button->SetSkinEngine(other);
    ShowForm();
    Repaint(button);
    Repaint(plain);
    EXPECT_GT(Differences(Buffer(button), Buffer(plain), {0, 0, 75, 25}), 0);

    delete other;
    EXPECT_EQ(button->SkinEngine(), nullptr);
    EXPECT_EQ(button->Skin().Copy(), nullptr);
    Repaint(button);
    EXPECT_EQ(Differences(Buffer(button), Buffer(plain), {0, 0, 75, 25}), 0);
}

TEST_F(SkinBinding, ASkinWithoutTheExpectedPartsFallsBackPartByPart)
{
    delete Engine;
    Engine = new TSeSkinEngine(Form);
    const TColor colour = RGB(40, 90, 160);
    AdoptBareSkin(*Engine, colour);
    FocusTaker();
    auto* button = Make<TSeSkinButton>(Form, TRect::FromSize(10, 10, 75, 25), L"Go");
    auto* radio = Make<TSeSkinRadioButton>(Form, TRect::FromSize(10, 40, 120, 17), L"Radio");
    auto* box = Make<TSeSkinGroupBox>(Form, TRect::FromSize(10, 60, 150, 60));
    auto* bar = Make<TSeSkinProgressBar>(Form, TRect::FromSize(10, 130, 150, 20));
    radio->SetChecked(true);
    bar->SetPosition(50);
    ShowForm();
    for (TKsCustomControl* control : std::initializer_list<TKsCustomControl*>{button, radio, box, bar})
        Repaint(control);

    // Without a face the button draws the object itself; without marks, frames and bars nothing is
    // drawn in their place.
    EXPECT_EQ(Rgb(Buffer(button), 2, 2), Rgb(colour));
    const TRect mark{0, 2, 13, 15};
    EXPECT_EQ(Differences(Buffer(radio), *DrawParts(L"Button", {}, 20, 20, Form->Color()), mark), 0);
    EXPECT_EQ(Rgb(Buffer(box), 3, 58), Rgb(Form->Color()));
    EXPECT_EQ(Differences(Buffer(bar), *DrawParts(L"Button", {}, 150, 20, Form->Color()), {0, 0, 150, 20}), 0);

    // A skin without the control's object at all leaves the plain look.
    auto* plain = Make<TSeSkinButton>(Form, TRect::FromSize(200, 10, 75, 25), L"Go", false);
    button->SetSkinObject(L"NoSuchObject");
    button->SetSkinEngine(Engine);
    Repaint(button);
    Repaint(plain);
    EXPECT_EQ(Differences(Buffer(button), Buffer(plain), {0, 0, 75, 25}), 0);
}
