#include "framework/MouseCapture.h"

#include <gtest/gtest.h>

TEST(MouseCapture, NestedCapturesReleaseOnlyAtTheLastRelease)
{
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    CaptureMouse(window);
    CaptureMouse(window);
    EXPECT_EQ(GetCapture(), window);
    ReleaseMouse();
    EXPECT_EQ(GetCapture(), window);
    ReleaseMouse();
    EXPECT_EQ(GetCapture(), nullptr);
    ReleaseMouse();
    DestroyWindow(window);
}
