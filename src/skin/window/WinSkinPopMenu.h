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

class TSkinModel;

class TWinSkinPopMenu : public TObject {
public:
  // A skinner that paints while SkinningOn holds (the manager's switch);
  // once it is off, the menu gets its own look back from its next paint.
  explicit TWinSkinPopMenu(const bool& SkinningOn);
  // The menu's own brush goes back.
  ~TWinSkinPopMenu() override;

  // Subclasses the menu window Handle, drawn from SkinData; MenuHandle is
  // the menu it shows, or 0 to ask the window for it once it has one.
  void Attach(HWND Handle, TSkinModel* SkinData, HMENU MenuHandle);
  // Gives the window its own procedure and the menu its own brush back.
  void Restore();
  // The skin goes away: restores, and reads the skin no more.
  void ForgetSkin();
  // Hands Message to the window's procedure from before the subclass.
  void Default(TMessage& Message);

  HWND Handle() const { return FHandle; }
  // The skin it paints from (null once forgotten).
  TSkinModel* SkinData() const { return FSkinData; }
  // The menu the window shows, asked of the window itself (MN_GETHMENU)
  // until it names one; 0 before that.
  HMENU MenuHandle();
  // The window's whole background as composed last.
  TBitmap& Background() { return FBackground; }

private:
  // The popup's messages: destruction, non-client paint, print and paint.
  void WndProc(TMessage& Message);
  // A skin with a MenuBackground picture is there.
  bool SkinUsable() const;
  // FBackground: the MenuBackground picture drawn at the window's size.
  void ComposeBackground();
  // WM_PRINT: the background, then the platform's items inside the border.
  void PrintBackground(TMessage& Message);
  // WM_NCPAINT: the border from the background.
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

  const bool& FSkinningOn;
  TWindowSubclass FSubclass;
  bool FAttached = false;  // from Attach to Restore or the window's destruction
  HWND FHandle = nullptr;
  TSkinModel* FSkinData = nullptr;
  TBitmap FBackground;
  HMENU FMenuHandle = nullptr;  // once the window named it
  TBitmapObject FBrushBitmap;   // FBackground from the client origin on, for FBrush
  TBrushObject FBrush;
  HMENU FBrushMenu = nullptr;  // the menu whose background brush was replaced
  HBRUSH FSavedMenuBrush = nullptr;
};
