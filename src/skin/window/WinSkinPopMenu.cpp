#include "skin/window/WinSkinPopMenu.h"

TWinSkinPopMenu* PendingPopMenu = nullptr;

TWinSkinPopMenu::TWinSkinPopMenu() = default;

TWinSkinPopMenu::~TWinSkinPopMenu() {
  if (PendingPopMenu == this) PendingPopMenu = nullptr;
}

void TWinSkinPopMenu::Attach(HWND Handle, TSkinData* SkinData, HMENU MenuHandle) {
  FHandle = Handle;
  FSkinData = SkinData;
  FMenuHandle = MenuHandle;
}

void TWinSkinPopMenu::Restore() {}

void TWinSkinPopMenu::Default(TMessage& Message) {
  Message.Result = CallWindowProcA(FOldWndProc, FHandle, Message.Msg, Message.WParam, Message.LParam);
}
