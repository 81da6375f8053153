#pragma once

#include <windows.h>

// Every private window message of the program, with its owner and meaning. None of them may reach a
// standard control's window procedure: a standard class could read the number as one of its own
// messages (they lie in its WM_USER range), so a control drops whatever it does not handle itself.

// ---- The framework's notifications between controls (never sent to the platform) ----
constexpr UINT CM_BASE = WM_APP + 0x0E00;
constexpr UINT CM_MOUSEENTER = CM_BASE + 1;      // the mouse came over the control
constexpr UINT CM_MOUSELEAVE = CM_BASE + 2;      // the mouse left the control
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 3;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 4;  // wParam: the new visibility
constexpr UINT CM_TEXTCHANGED = CM_BASE + 5;
constexpr UINT CM_FONTCHANGED = CM_BASE + 6;
constexpr UINT CM_COLORCHANGED = CM_BASE + 7;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 9;    // to the form, which passes it on to all its controls:
                                                 // lParam is the control that got the focus
constexpr UINT CM_DIALOGKEY = CM_BASE + 10;      // to the form: wParam is Tab, an arrow, Enter or Escape;
                                                 // the form offers Enter and Escape to its controls; result 1 = used
constexpr UINT CM_ENTER = CM_BASE + 11;          // the control received the focus
constexpr UINT CM_EXIT = CM_BASE + 12;           // the control lost the focus
constexpr UINT CM_DIALOGCHAR = CM_BASE + 13;     // to every control of the form: wParam a character typed
                                                 // with Alt or outside an edit; result 1 = used (mnemonics)
constexpr UINT CM_CLOSEUP = CM_BASE + 14;       // posted to a combo box: close its drop-down window once
                                                 // the list's input is done; wParam 1 chooses the list's item
constexpr UINT CM_ACCESSIBLEACTION = CM_BASE + 15; // posted by a control's accessible object: run the default
                                                   // action of child wParam of the object with id lParam
constexpr UINT CM_DPICHANGED = CM_BASE + 0x40;     // to a form's window, the form and all its controls once they
                                                   // were scaled to another DPI: wParam the old DPI, lParam the new
constexpr UINT CM_RELEASE = CM_BASE + 0x80;      // posted to a form: free it once its messages are done

// Notifications that the platform sends to a parent, handed back to the child control they concern.
constexpr UINT CN_BASE = CM_BASE + 0x100;
constexpr UINT CN_COMMAND = CN_BASE + 1;
constexpr UINT CN_NOTIFY = CN_BASE + 2;
constexpr UINT CN_CTLCOLOR = CN_BASE + 3;        // wParam: device context; result: background brush
constexpr UINT CN_KEYDOWN = CN_BASE + 4;         // from the message loop before translation; result 1 = used
constexpr UINT CN_DRAWITEM = CN_BASE + 5;        // lParam: DRAWITEMSTRUCT*
constexpr UINT CN_MEASUREITEM = CN_BASE + 6;     // lParam: MEASUREITEMSTRUCT*
constexpr UINT CN_HSCROLL = CN_BASE + 7;         // wParam and lParam as WM_HSCROLL's
constexpr UINT CN_VSCROLL = CN_BASE + 8;         // wParam and lParam as WM_VSCROLL's
constexpr UINT CN_LAST = CN_BASE + 0xFF;

// ---- The skin library's messages ----
// Menus: open the popup of the item in lParam (posted to the menu's window).
constexpr UINT CM_OPENPOPUP = 1135;
// Skinned frame: the notification-area icon's callback, on the frame's utility window.
constexpr UINT CM_TRAYCALLBACK = 1388;
// Skinned frame, posted to its own window: wParam 13 puts the caption style back; always repaints the frame.
constexpr UINT CM_FRAMESTYLE = 1389;
// Skinned frame, posted to its own window: maximize.
constexpr UINT CM_FRAMEMAXIMIZE = 1390;
// Skinned frame, posted to its own window: wParam 1 maximize, 2 minimize, 3 roll up, 4 minimize to tray.
constexpr UINT CM_FRAMESTATE = 1391;
// Asked by every skinned control of its owner form: result 1 when the form is drawn translucent.
constexpr UINT CM_FORMBLENDED = 1591;
// Skin engine, to every form and every control a form owns: before the skin is replaced or re-hued,
// and after. Both parameters carry the engine.
constexpr UINT CM_SKINCHANGED = 1702;
constexpr UINT CM_SKINCHANGING = 1703;
// Skin object to its bound control: repaint (lParam: the skin object).
constexpr UINT CM_SKINOBJECTINVALIDATE = 2121;
// Which skinned form frame draws this window: the frame answers with its TSeFormFrame* as the result.
constexpr UINT CM_GETSKINFORM = 2122;
// Menus: run the click of the item in lParam once the menu windows have closed (posted).
constexpr UINT CM_ITEMCLICK = 2234;
// Hook registry, posted to its utility window (lParam: the control hook): install again after the
// window was re-created; free a control hook that has no hooks left.
constexpr UINT CM_HOOKREINSTALL = 45278;
constexpr UINT CM_HOOKRELEASE = 45279;
// Skinned frame: paint frame and client background into the drawing context in lParam, at the
// signed 16-bit position (low word, high word) of wParam.
constexpr UINT CM_PAINTFRAMETO = 45512;

// The lParam of WM_ERASEBKGND when a control asks its parent to paint the background under it into
// the control's own buffer (wParam). Bit value 4 marks such a request; controls send 12.
constexpr LPARAM kEraseFromControl = 12;
constexpr LPARAM kEraseFromControlBit = 4;

// True for every number above: a control that does not handle one of them drops it.
constexpr bool IsPrivateMessage(UINT msg)
{
    if (msg >= CM_BASE && msg <= CN_LAST) return true;
    switch (msg) {
    case CM_OPENPOPUP:
    case CM_TRAYCALLBACK:
    case CM_FRAMESTYLE:
    case CM_FRAMEMAXIMIZE:
    case CM_FRAMESTATE:
    case CM_FORMBLENDED:
    case CM_SKINCHANGED:
    case CM_SKINCHANGING:
    case CM_SKINOBJECTINVALIDATE:
    case CM_GETSKINFORM:
    case CM_ITEMCLICK:
    case CM_HOOKREINSTALL:
    case CM_HOOKRELEASE:
    case CM_PAINTFRAMETO:
        return true;
    default:
        return false;
    }
}
