#pragma once

#include "framework/StdCtrls.h"
#include "skin/engine/KsSkinEngine.h"
#include "skinctl/KsControls.h"
#include "tests/framework/WindowTesting.h"

#include <memory>
#include <string>

// A visible form with a skin engine that holds the program's own skin (embedded in the test
// program as in folvane.exe), for skinned controls on real windows.
class SkinnedControlTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        Engine = new TSeSkinEngine(Form);
        Engine->ReadSkinResource(GetModuleHandleW(nullptr), L"FOLVANE_SKIN");
    }

    // A control of class T on parent at bounds, bound to the engine when bind is set.
    template <typename T>
    T* Make(TWinControl* parent, const TRect& bounds, const std::wstring& caption = {}, bool bind = true)
    {
        auto* control = new T(Form);
        control->SetParent(parent);
        control->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        control->SetCaption(caption);
        if constexpr (requires { control->SetSkinEngine(Engine); })
            if (bind) control->SetSkinEngine(Engine);
        return control;
    }

    // Repaints through the window system: WM_PAINT renders the buffer and copies it to the screen.
    static void Repaint(TKsCustomControl* control)
    {
        control->Invalidate();
        UpdateWindow(control->Handle());
    }

    static const TKsBitmap& Buffer(const TKsCustomControl* control) { return control->PaintBuffer().Bitmap(); }

    // One part of a skin object to draw: its name (empty: the object itself), state and bounds.
    struct TPart {
        const wchar_t* Name;
        int State;
        TRect Bounds;
    };

    // A bitmap of width x height filled with background, with the parts of a fresh copy of the
    // engine's top-level object drawn into it in order. The reference a control's buffer is
    // compared with.
    std::unique_ptr<TKsBitmap> DrawParts(const wchar_t* object, std::initializer_list<TPart> parts, int width,
                                         int height, TColor background)
    {
        auto target = std::make_unique<TKsBitmap>();
        target->SetSize(width, height);
        target->Fill(ColorToPixel(background));
        std::unique_ptr<TSeSkinObject> copy(Engine->Source()->ObjectByName(object)->Clone(nullptr));
        for (const TPart& part : parts) {
            TSeSkinObject* drawn = *part.Name ? copy->FindObjectByName(part.Name) : copy.get();
            drawn->SetState(part.State);
            drawn->SetBounds(part.Bounds);
            drawn->Draw(*target);
        }
        return target;
    }

    std::unique_ptr<TKsBitmap> DrawPart(const wchar_t* object, const wchar_t* part, int state, const TRect& bounds,
                                        int width, int height, TColor background)
    {
        return DrawParts(object, {{part, state, bounds}}, width, height, background);
    }

    static std::unique_ptr<TKsBitmap> Snapshot(const TKsBitmap& bitmap)
    {
        auto copy = std::make_unique<TKsBitmap>();
        copy->SetSize(bitmap.Width(), bitmap.Height());
        bitmap.Draw(*copy, 0, 0);
        return copy;
    }

    // The pixels of area whose colour (alpha aside) differs between a and b.
    static int Differences(const TKsBitmap& a, const TKsBitmap& b, const TRect& area)
    {
        int count = 0;
        for (int y = area.Top; y < area.Bottom; ++y)
            for (int x = area.Left; x < area.Right; ++x)
                if ((a.Pixel(x, y) & 0xFFFFFF) != (b.Pixel(x, y) & 0xFFFFFF)) ++count;
        return count;
    }

    static uint32_t Rgb(const TKsBitmap& bitmap, int x, int y) { return bitmap.Pixel(x, y) & 0xFFFFFF; }
    static uint32_t Rgb(TColor color) { return ColorToPixel(color) & 0xFFFFFF; }

    // An edit box that takes the focus when the form is shown, so that the controls start unfocused.
    TWinControl* FocusTaker()
    {
        auto* edit = new TEdit(Form);
        edit->SetParent(Form);
        edit->SetBounds(250, 200, 100, 21);
        return edit;
    }

    TSeSkinEngine* Engine = nullptr;
};
