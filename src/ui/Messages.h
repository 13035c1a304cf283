// Window messages as the component layer passes them around, and the
// layer's private message numbers (control messages and reflected
// notifications).
#pragma once

#include <windows.h>

// One window message on its way through a control's handler chain.
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// Messages the layer sends to its own controls.
enum : UINT {
  CM_BASE = 0xB000,
  CM_ACTIVATE = CM_BASE + 0,
  CM_DEACTIVATE = CM_BASE + 1,
  CM_DIALOGKEY = CM_BASE + 5,
  CM_DIALOGCHAR = CM_BASE + 6,
  CM_ENABLEDCHANGED = CM_BASE + 12,
  CM_COLORCHANGED = CM_BASE + 13,
  CM_FONTCHANGED = CM_BASE + 14,
  CM_PARENTFONTCHANGED = CM_BASE + 17,
  CM_PARENTCOLORCHANGED = CM_BASE + 18,
  CM_MOUSEENTER = CM_BASE + 19,
  CM_MOUSELEAVE = CM_BASE + 20,
  CM_MENUCHANGED = CM_BASE + 21,
  CM_BUTTONPRESSED = CM_BASE + 24,
  CM_TEXTCHANGED = CM_BASE + 25,
  CM_VISIBLECHANGED = CM_BASE + 27,
};

// Notifications a parent window reflects back to the child control that sent
// them: CN_BASE + the original message number.
enum : UINT {
  CN_BASE = 0xBC00,
  CN_COMMAND = CN_BASE + WM_COMMAND,
  CN_DRAWITEM = CN_BASE + WM_DRAWITEM,
  CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM,
  CN_DELETEITEM = CN_BASE + WM_DELETEITEM,
  CN_NOTIFY = CN_BASE + WM_NOTIFY,
  CN_HSCROLL = CN_BASE + WM_HSCROLL,
  CN_VSCROLL = CN_BASE + WM_VSCROLL,
  CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX,
  CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT,
  CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX,
  CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN,
  CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG,
  CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR,
  CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC,
};
