// The popup-menu skinner: one per open menu window ("#32768") while a skin
// is active. It paints the menu window's background and 3-pixel border from
// the skin's menu background and keeps that background, so that the items
// (drawn by their owner) can be drawn over the matching part of it.
#pragma once

#include <windows.h>

#include <memory>

#include "ui/Classes.h"
#include "ui/Graphics.h"
#include "ui/Messages.h"
#include "ui/Subclass.h"

class TSkinData;

class TWinSkinPopMenu : public TObject {
public:
  TWinSkinPopMenu();
  ~TWinSkinPopMenu() override;

  void Attach(HWND Handle, TSkinData* SkinData, HMENU MenuHandle);
  void Restore();
  void Default(TMessage& Message);

  std::unique_ptr<TWindowSubclass> FObjectInstance;  // set exactly while attached
  WNDPROC FOldWndProc = nullptr;
  HWND FHandle = nullptr;
  TSkinData* FSkinData = nullptr;
  TBitmap FBackground;          // the window's whole background as composed last
  HMENU FMenuHandle = nullptr;  // 0 until the item drawing reports it

private:
  void WndProc(TMessage& Message);
  bool SkinUsable() const;
  void ComposeBackground();
  void PrintBackground(TMessage& Message);
  void PaintBorder();
  // The client-area paint: the platform draws the items over the skinned
  // background, then the border is drawn again over whatever it drew there.
  void Paint(TMessage& Message);
  // The outer 3 pixels of FBackground copied onto DC (window coordinates).
  void DrawBorderFrame(HDC DC);
  // Has the platform fill the menu with FBackground (as a pattern brush
  // aligned on the client area) instead of its own menu colour, and puts
  // the menu's own brush back.
  void SetMenuBrush();
  void PutMenuBrushBack();

  TBitmapObject FBrushBitmap;  // FBackground from the client origin on, for FBrush
  TBrushObject FBrush;
  HMENU FBrushMenu = nullptr;  // the menu whose background brush was replaced
  HBRUSH FSavedMenuBrush = nullptr;
};

// The popup skinner that has painted its background but does not know its
// menu handle yet; the item drawing hands the handle over and clears it.
extern TWinSkinPopMenu* PendingPopMenu;
