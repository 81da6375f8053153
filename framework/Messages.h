#pragma once

#include <windows.h>

// The framework's own notifications between controls. They live in a private range below the
// numbers that the skin components use (1135 to 2234 and 45278 to 45512) and never reach the platform.
constexpr UINT CM_BASE = WM_APP + 0x0E00;
constexpr UINT CM_MOUSEENTER = CM_BASE + 1;      // the mouse came over the control
constexpr UINT CM_MOUSELEAVE = CM_BASE + 2;      // the mouse left the control
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 3;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 4;  // wParam: the new visibility
constexpr UINT CM_TEXTCHANGED = CM_BASE + 5;
constexpr UINT CM_FONTCHANGED = CM_BASE + 6;
constexpr UINT CM_COLORCHANGED = CM_BASE + 7;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 9;    // to the form: lParam is the control that got the focus
constexpr UINT CM_DIALOGKEY = CM_BASE + 10;      // to the form: wParam is a navigation key; result 1 = used
constexpr UINT CM_ENTER = CM_BASE + 11;          // the control received the focus
constexpr UINT CM_EXIT = CM_BASE + 12;           // the control lost the focus

// Notifications that the platform sends to a parent, handed back to the child control they concern.
constexpr UINT CN_BASE = CM_BASE + 0x100;
constexpr UINT CN_COMMAND = CN_BASE + 1;
constexpr UINT CN_NOTIFY = CN_BASE + 2;
constexpr UINT CN_CTLCOLOR = CN_BASE + 3;        // wParam: device context; result: background brush
constexpr UINT CN_KEYDOWN = CN_BASE + 4;         // from the message loop before translation; result 1 = used
constexpr UINT CN_LAST = CN_BASE + 0xFF;
