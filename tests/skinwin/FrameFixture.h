#pragma once

#include "framework/Application.h"
#include "framework/Forms.h"
#include "skinwin/KsSkinForms.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// A frame whose notification-area icon calls succeed, as with a notification area (the test
// display has none), or fail; the calls are noted (NIM_ADD, NIM_DELETE).
class TTrayTestForm : public TSeSkinForm {
public:
    TTrayTestForm(TComponent* owner, bool works) : TSeSkinForm(owner), works_(works) {}
    std::vector<DWORD> IconCalls;

protected:
    bool NotifyIcon(DWORD message, NOTIFYICONDATAW&) override
    {
        IconCalls.push_back(message);
        return works_;
    }

private:
    bool works_;
};

// A form with a skinned frame on the test display, built the way the main window is: engine and
// frame are made while the form loads, and the frame takes over when loading ends.
class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Application->OnException = [this](const Exception& e) { Reports.push_back(e.Message()); };
    }

    void TearDown() override
    {
        delete Form;
        Application->OnException = nullptr;
        Application->ProcessMessages();
    }

    struct TOptions {
        bool Skin = true;
        int ClientWidth = 300;
        int ClientHeight = 200;
        TPoint Position{200, 150};
        // Runs on the loaded engine before the frame binds to it.
        std::function<void(TSeSkinEngine&)> PrepareSkin;
        // Sets the frame's properties while the form loads.
        std::function<void(TSeSkinForm&)> Setup;
        // Makes the frame for the form; a plain TSeSkinForm when not set.
        std::function<TSeSkinForm*(TForm*)> MakeFrame;
    };

    void Build(const TOptions& options)
    {
        Form = new TForm(nullptr);
        Form->BeginLoading();
        Form->SetCaption(L"框架測試 Frame");
        Form->SetBounds(options.Position.X, options.Position.Y, 320, 240);
        Form->SetClientSize(options.ClientWidth, options.ClientHeight);
        Frame = options.MakeFrame ? options.MakeFrame(Form) : new TSeSkinForm(Form);
        if (options.Skin) {
            Engine = new TSeSkinEngine(Form);
            Engine->ReadSkinResource(GetModuleHandleW(nullptr), L"FOLVANE_SKIN");
            if (options.PrepareSkin) options.PrepareSkin(*Engine);
            Frame->SetSkinEngine(Engine);
        }
        if (options.Setup) options.Setup(*Frame);
        Form->EndLoading();
        Form->Show();
        SetForegroundWindow(Form->Handle());
        Application->ProcessMessages();
    }

    void Build() { Build(TOptions{}); }
    static TOptions WithSetup(std::function<void(TSeSkinForm&)> setup)
    {
        TOptions options;
        options.Setup = std::move(setup);
        return options;
    }
    static TOptions WithSkinPrepared(std::function<void(TSeSkinEngine&)> prepare)
    {
        TOptions options;
        options.PrepareSkin = std::move(prepare);
        return options;
    }
    static TOptions WithoutSkin()
    {
        TOptions options;
        options.Skin = false;
        return options;
    }
    // The frame is a TTrayTestForm whose icon calls succeed.
    static TOptions WithTray(std::function<void(TSeSkinForm&)> setup)
    {
        TOptions options = WithSetup(std::move(setup));
        options.MakeFrame = [](TForm* form) { return new TTrayTestForm(form, true); };
        return options;
    }
    static TOptions At(int left, int top)
    {
        TOptions options;
        options.Position = {left, top};
        return options;
    }

    HWND Window() { return Form->Handle(); }

    TRect WindowRect()
    {
        RECT r;
        GetWindowRect(Window(), &r);
        return TRect(r);
    }

    // Where the client area starts, from the window's top-left corner.
    TPoint ClientOffset()
    {
        POINT origin{0, 0};
        ClientToScreen(Window(), &origin);
        return {origin.x - WindowRect().Left, origin.y - WindowRect().Top};
    }

    static LPARAM PointParam(int x, int y) { return MAKELPARAM(static_cast<short>(x), static_cast<short>(y)); }

    // The platform's question "what is at this point" for a point in window coordinates.
    LRESULT HitTestAt(int x, int y)
    {
        TRect bounds = WindowRect();
        return SendMessageW(Window(), WM_NCHITTEST, 0, PointParam(bounds.Left + x, bounds.Top + y));
    }

    // A press at a window point, one move by (dx, dy) and the release there, as the mouse sends them:
    // the press over the frame, the rest to the window that holds the mouse.
    void Press(TPoint at)
    {
        TRect bounds = WindowRect();
        POINT screen{bounds.Left + at.X, bounds.Top + at.Y};
        LRESULT hit = SendMessageW(Window(), WM_NCHITTEST, 0, PointParam(screen.x, screen.y));
        SendMessageW(Window(), WM_NCLBUTTONDOWN, hit, PointParam(screen.x, screen.y));
        pressedAt_ = screen;
    }
    void MoveBy(int dx, int dy)
    {
        POINT client{pressedAt_.x + dx, pressedAt_.y + dy};
        ScreenToClient(Window(), &client);
        SendMessageW(Window(), WM_MOUSEMOVE, MK_LBUTTON, PointParam(client.x, client.y));
    }
    void ReleaseBy(int dx, int dy)
    {
        POINT client{pressedAt_.x + dx, pressedAt_.y + dy};
        ScreenToClient(Window(), &client);
        SendMessageW(Window(), WM_LBUTTONUP, 0, PointParam(client.x, client.y));
    }
    void Drag(TPoint at, int dx, int dy)
    {
        Press(at);
        MoveBy(dx, dy);
        ReleaseBy(dx, dy);
    }
    void Click(TPoint at) { Drag(at, 0, 0); }

    static TPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

    TForm* Form = nullptr;
    TSeSkinEngine* Engine = nullptr;
    TSeSkinForm* Frame = nullptr;
    std::vector<std::wstring> Reports;

private:
    POINT pressedAt_{};
};
