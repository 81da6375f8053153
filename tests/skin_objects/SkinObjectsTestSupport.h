#pragma once

#include "framework/Controls.h"
#include "framework/Forms.h"
#include "skin/objects/KsSkinObjectRegistry.h"
#include "skin/objects/KsSkinObjects2.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

// An opaque pixel that tells where it came from in its source bitmap.
inline uint32_t Marker(int x, int y)
{
    return 0xFF000000u | (static_cast<uint32_t>(y) << 8) | static_cast<uint32_t>(x);
}

inline std::unique_ptr<TKsBitmap> MarkerBitmap(const std::wstring& name, int width, int height)
{
    auto bitmap = std::make_unique<TKsBitmap>();
    bitmap->SetName(name);
    bitmap->SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) bitmap->SetPixel(x, y, Marker(x, y));
    return bitmap;
}

inline std::unique_ptr<TKsBitmap> FilledBitmap(int width, int height, uint32_t value)
{
    auto bitmap = std::make_unique<TKsBitmap>();
    bitmap->SetSize(width, height);
    bitmap->Fill(value);
    return bitmap;
}

// A new object of a registered class, as the content reader makes it.
template <typename T = TSeSkinObject>
T* Create(const wchar_t* className, TComponent* owner, const std::wstring& name = L"")
{
    auto* object = dynamic_cast<T*>(CreateSkinObject(className, owner));
    if (object) object->SetName(name);
    return object;
}

template <typename T = TSeSkinObject>
std::unique_ptr<T> CreateTop(const wchar_t* className, const std::wstring& name = L"")
{
    return std::unique_ptr<T>(Create<T>(className, nullptr, name));
}

inline void SetLink(TKsBitmapLink& link, const std::wstring& name, const TRect& rect)
{
    link.SetName(name);
    link.SetRect(rect);
}

// The "Button" object of a skin: a face of five 20 x 23 states stacked in "BUTTON.bmp" (normal, hot,
// pressed, disabled, focused) drawn nine-sliced with 5-pixel margins, and a text part.
struct TButtonSkin {
    TKsBitmapList bitmaps;
    std::unique_ptr<TSeSkinObject> button;

    TButtonSkin()
    {
        bitmaps.Add(MarkerBitmap(L"BUTTON.bmp", 20, 115));
        button = CreateTop(L"TSeSkinObject", L"Button");
        button->SetBounds({0, 0, 200, 100});
        auto* face = Create<TSeButtonObject>(L"TSeButtonObject", button.get(), L"Face");
        face->SetAlign(saClient);
        face->SetTileStyle(tsStretch);
        face->SetBorderTileStyle(tsStretch);
        for (auto set : {&TSeSkinObject::SetMarginLeft, &TSeSkinObject::SetMarginTop, &TSeSkinObject::SetMarginRight,
                         &TSeSkinObject::SetMarginBottom})
            (face->*set)(5);
        SetLink(face->Bitmap(), L"BUTTON.bmp", {0, 0, 20, 23});
        SetLink(face->BitmapHot(), L"BUTTON.bmp", {0, 23, 20, 46});
        SetLink(face->BitmapPressed(), L"BUTTON.bmp", {0, 46, 20, 69});
        SetLink(face->BitmapDisabled(), L"BUTTON.bmp", {0, 69, 20, 92});
        SetLink(face->BitmapFocused(), L"BUTTON.bmp", {0, 92, 20, 115});
        Create(L"TSeTextObject", button.get(), L"Text");
        button->SetBitmaps(&bitmaps);
        button->AfterLoad();
    }
};

// A control that records what skin objects send it and answers the owning-form question.
class TRecordingControl : public TControl {
public:
    using TControl::TControl;
    std::vector<std::pair<UINT, LPARAM>> Received;
    TSeFormFrame* Frame = nullptr;

protected:
    void WndProc(TMessage& message) override
    {
        Received.emplace_back(message.Msg, message.LParam);
        if (message.Msg == CM_GETSKINFORM) message.Result = reinterpret_cast<LRESULT>(Frame);
    }
};

// A form frame that records the operations the system buttons ask for and, when Button is set,
// that button's press state at the moment of each operation.
class TFakeFrame : public TSeFormFrame {
public:
    unsigned BorderIcons = 0x7F;
    std::vector<std::wstring> Calls;
    TSeSkinObject* CustomButton = nullptr;
    const TSeSystemButton* Button = nullptr;
    std::vector<int> PressStatesAtCalls;

    bool HasBorderIcon(TKsBorderIcon icon) const override { return (BorderIcons >> icon) & 1; }
    HICON FormIcon() const override { return nullptr; }
    void Close() override { Record(L"Close"); }
    void ContextHelp() override { Record(L"ContextHelp"); }
    void Minimize() override { Record(L"Minimize"); }
    void Maximize() override { Record(L"Maximize"); }
    void Restore() override { Record(L"Restore"); }
    void RollUp() override { Record(L"RollUp"); }
    void MinimizeToTray() override { Record(L"MinimizeToTray"); }
    void ShowSystemMenu() override { Record(L"ShowSystemMenu"); }
    void CustomAction(TSeSkinObject& button) override
    {
        Record(L"CustomAction");
        CustomButton = &button;
    }

private:
    void Record(const wchar_t* call)
    {
        Calls.push_back(call);
        if (Button) PressStatesAtCalls.push_back(Button->PressState());
    }
};
