// Skinned menu items: what the painters need to know of one item, whether
// it comes from a component menu or straight from a menu handle, and how
// an item is measured and drawn from the skin (the MenuItem element over
// the popup's background, or the flat look without it).
#pragma once

#include <windows.h>

#include <string>

#include "ui/Graphics.h"

class TCustomImageList;
class TMenuItem;
class TSkinModel;

// What the item painters need to know of one menu item.
struct TMenuItemFacts {
  std::string Caption;  // "-" for a separator
  bool Enabled = true;
  bool Checked = false;
  bool Default = false;
  std::string ShortCut;  // the shortcut's text, empty when none
  TCustomImageList* Images = nullptr;
  int ImageIndex = -1;
  bool RightToLeft = false;
  UINT Alignment = DT_LEFT;    // a popup menu's alignment
  HMENU ParentMenu = nullptr;  // the menu the item is shown in
  // Whether the item is a separator.
  bool IsLine() const { return Caption == "-"; }
};

// The item ItemID (by command) of Menu as the painters see it: its text
// ("-" when it has none), enabled and checked state.
TMenuItemFacts MenuItemFromHandle(HMENU Menu, UINT ItemID);
// A component menu item as the painters see it.
TMenuItemFacts FactsOf(TMenuItem& Item);
// The text of Menu's item ItemID (by command), up to 80 characters.
std::string MenuString(HMENU Menu, UINT ItemID);

// Measuring: Width and Height enter as the platform measured them; the
// Windows 9x family draws menus 4 pixels higher.
void MeasureMenuItemFacts(const TMenuItemFacts& Item, TCanvas& Canvas, bool Win9x, int& Width,
                          int& Height);
// The skinned item: MenuItem frame 1 (4 when Selected) over Background
// (the open popup's background, null: the menu colour), or the flat look
// when the skin has no MenuItem element.
void DrawMenuItemFacts(TSkinModel& Skin, const TMenuItemFacts& Item, TCanvas& Canvas, bool Selected,
                       const TRect& Rect, TBitmap* Background);
// The flat item: highlight or face colour, then the content.
void DrawMenuItemFlat(TSkinModel& Skin, const TMenuItemFacts& Item, TCanvas& Canvas, bool Selected,
                      const TRect& Rect);
// A separator from the MenuItem picture's second frame.
void DrawMenuSeparator(TSkinModel& Skin, TCanvas& Canvas, const TRect& Rect);
// Image or check mark, caption and shortcut in R.
void DrawMenuItemContent(TSkinModel& Skin, const TMenuItemFacts& Item, TCanvas& Canvas,
                         bool Selected, const TRect& R);
// One text of an item (its caption or shortcut), or a separator line.
void DrawMenuItemText(TSkinModel& Skin, const TMenuItemFacts& Item, TCanvas& Canvas, UINT Format,
                      bool Selected, TRect& Rect, const std::string& Text);
