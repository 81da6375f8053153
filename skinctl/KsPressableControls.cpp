#include "skinctl/KsPressableControls.h"

bool TKsPressableControl::PointerOn(int x, int y) const { return TRect{0, 0, Width(), Height()}.Contains({x, y}); }

void TKsPressableControl::DrawCaption(const std::wstring& caption, const TRect& r, UINT format)
{
    TKsBitmap& surface = TextSurface();
    if (!Enabled()) {
        surface.Font().SetColor(clBtnHighlight);
        surface.DrawText(caption, r.Offset(1, 1), format);
        surface.Font().SetColor(clBtnShadow);
    }
    surface.DrawText(caption, r, format);
}

void TKsPressableControl::WndProc(TMessage& message)
{
    // Capture taken away in the middle of a press (another window, a menu): up without acting.
    if (message.Msg == WM_CAPTURECHANGED && State().Tracking() && reinterpret_cast<HWND>(message.LParam) != Handle()) {
        State().MouseUp(false);
        Invalidate();
    }
    TKsCustomControl::WndProc(message);
}

void TKsPressableControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TKsCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    if (CanFocus()) SetFocus();
    State().MouseDown();
    Invalidate();
    SetCapture(Handle());
}

void TKsPressableControl::MouseMove(TShiftState shift, int x, int y)
{
    TKsCustomControl::MouseMove(shift, x, y);
    if (State().Tracking() && State().MouseMove(PointerOn(x, y))) Invalidate();
}

void TKsPressableControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && State().Tracking()) {
        const bool completed = State().MouseUp(PointerOn(x, y));
        if (GetCapture() == Handle()) ReleaseCapture();
        Invalidate();
        if (completed) PressCompleted();
    }
    TKsCustomControl::MouseUp(button, shift, x, y);
}

void TKsPressableControl::KeyDown(WORD& key, TShiftState shift)
{
    TKsCustomControl::KeyDown(key, shift);
    if (key == VK_SPACE && !(shift & ssAlt) && State().KeyDown()) Invalidate();
}

void TKsPressableControl::KeyUp(WORD& key, TShiftState shift)
{
    TKsCustomControl::KeyUp(key, shift);
    if (key != VK_SPACE) return;
    const bool completed = State().KeyUp();
    Invalidate();
    key = 0;
    if (completed) PressCompleted();
}
