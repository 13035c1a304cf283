#include "skin/window/ComponentMenus.h"

#include "skin/draw/SkinText.h"
#include "skin/window/MenuItems.h"
#include "skin/window/SkinManager.h"
#include "skin/window/WinSkinData.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

namespace {

// The 95/98/Me family draws its menus 4 pixels higher.
bool IsWin9x() { return (WinVersion & 0x80000000u) != 0; }

// The background of the open popup menu showing Menu, or null.
TBitmap* PopupBackground(HMENU Menu) {
  return SkinManager ? SkinManager->PopupMenuBitmap(Menu) : nullptr;
}

// The skin data component that serves Form's window, or null.
TSkinData* SkinOfForm(TComponent* Form) {
  auto* form = dynamic_cast<TCustomForm*>(Form);
  if (!SkinManager || !form || !form->HandleAllocated()) return nullptr;
  TSkinData* skin = nullptr;
  SkinManager->FindSkinData(skin, form->Handle());
  return skin;
}

// The skin in force for the form that owns Item's menu.
TSkinData* SkinOf(TMenuItem& Item) {
  TMenu* menu = Item.GetParentMenu();
  return menu ? SkinOfForm(menu->Owner()) : nullptr;
}

// The OnDrawItem handler of skinned menu items: the flat look without a
// MenuItem element; else the item is drawn over the popup's background.
void DrawMenuItem(TObject* Sender, TCanvas* Canvas, TRect Rect, bool Selected) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  TSkinData* skin = item ? SkinOf(*item) : nullptr;
  if (!item || !skin || !Canvas) return;
  const TMenuItemFacts facts = FactsOf(*item);
  if (!skin->MenuItem) {
    DrawMenuItemFlat(*skin, facts, *Canvas, Selected, Rect);
    return;
  }
  DrawMenuItemFacts(*skin, facts, *Canvas, Selected, Rect, PopupBackground(facts.ParentMenu));
}

// The OnMeasureItem handler of skinned inner menu items.
void MeasureMenuItem(TObject* Sender, TCanvas* Canvas, int& Width, int& Height) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (item && Canvas) MeasureMenuItemFacts(FactsOf(*item), *Canvas, IsWin9x(), Width, Height);
}

// The OnMeasureItem handler of skinned top-level popup-menu items.
void MeasureTopMenuItem(TObject* Sender, TCanvas*, int& Width, int& Height) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  Width += 28;
  if (IsWin9x() && item && !item->IsLine()) Height += 4;
}

// A menu item with this Tag keeps its own drawing.
constexpr int kKeepDrawing = 999;

// Gives Item and its sub-items the skinned handlers (or takes them off);
// an item with handlers of its own keeps them.
void SetItemOwnerDraw(TMenuItem& Item, bool On, bool Top, bool MainMenuSkinned) {
  const bool skin = On && Item.Tag() != kKeepDrawing;
  if (!skin) {
    Item.OnDrawItem.Clear();
  } else if (Top) {
    if (!Item.OnDrawItem) {
      Item.OnDrawItem = DrawMenuItem;
      Item.OnMeasureItem = MeasureTopMenuItem;
    }
  } else if (!Item.OnDrawItem) {
    if (MainMenuSkinned) Item.OnDrawItem = DrawMenuItem;
    Item.OnMeasureItem = MeasureMenuItem;
  }
  for (int i = 0; i < Item.Count(); ++i)
    SetItemOwnerDraw(*Item.Items(i), On, false, MainMenuSkinned);
}

}  // namespace

// Only when the skin skins popup menus; the skinned drawing of inner items
// also needs the main menu skinned.
void SetMenusOwnerDraw(TComponent* Form, bool On) {
  TSkinData* skin = SkinOfForm(Form);
  if (!skin) return;
  const TSkinControlTypes kinds = skin->SkinControls();
  if (!(kinds & (1u << xcPopupMenu))) return;
  const bool mainMenu = (kinds & (1u << xcMainMenu)) != 0;
  for (int i = 0; i < Form->ComponentCount(); ++i) {
    auto* popup = dynamic_cast<TPopupMenu*>(Form->Components(i));
    if (!popup || popup->Tag() % 100 == skin->DisableTag()) continue;
    popup->SetOwnerDraw(On);
    TMenuItem* root = popup->Items();
    for (int j = 0; j < root->Count(); ++j) SetItemOwnerDraw(*root->Items(j), On, true, mainMenu);
  }
}

namespace {

// An item of a form's popup-menu component: the component library draws it,
// through the skinned handlers SetMenusOwnerDraw gave it or, for a Tag 999
// item or one with handlers of its own, as the application wants.
bool IsComponentPopupItem(UINT ItemID) {
  TMenuItem* item = ItemID <= 0xFFFF ? FindMenuItemByCommand(WORD(ItemID)) : nullptr;
  return item && dynamic_cast<TPopupMenu*>(item->GetParentMenu()) != nullptr;
}

}  // namespace

// The bar's own items by their component, component popup items left to
// the component layer, any other item by its text in the tracked menu.
bool MeasureFrameMenuItem(MEASUREITEMSTRUCT& Item, const TFrameMenus& Frame) {
  if (Item.CtlType != ODT_MENU || !Frame.HasWindowMenu || !Frame.Skin) return false;
  TCanvas canvas;
  const TWindowDC dc(Frame.Handle);
  canvas.SetHandle(dc);
  UseMenuFont(canvas);
  if (Frame.IsForm && Frame.BarMenu)
    if (TMenuItem* item = Frame.BarMenu->FindItem(Item.itemID, TFindItemKind::fkCommand)) {
      int w = int(Item.itemWidth), h = int(Item.itemHeight);
      MeasureMenuItemFacts(FactsOf(*item), canvas, IsWin9x(), w, h);
      Item.itemWidth = UINT(w);
      Item.itemHeight = UINT(h);
      canvas.SetHandle(nullptr);
      return true;
    }
  if (IsComponentPopupItem(Item.itemID)) {
    canvas.SetHandle(nullptr);
    return false;
  }
  const std::string text = MenuString(Frame.TrackedMenu, Item.itemID);
  Item.itemWidth = UINT(canvas.TextWidth(text) + 26);
  Item.itemHeight = text.empty() ? 8 : Item.itemHeight + 4;
  if (IsWin9x()) Item.itemHeight += 4;
  canvas.SetHandle(nullptr);
  return true;
}

// Component popup items not on the bar are left to the component layer; the
// bar's items from their component, others from the menu handle.
bool DrawFrameMenuItem(DRAWITEMSTRUCT& Item, const TFrameMenus& Frame) {
  if (Item.CtlType != ODT_MENU || !Frame.HasWindowMenu || !Frame.Skin) return false;
  const auto menu = reinterpret_cast<HMENU>(Item.hwndItem);
  if (IsComponentPopupItem(Item.itemID) &&
      !(Frame.BarMenu && Frame.BarMenu->FindItem(Item.itemID, TFindItemKind::fkCommand)))
    return false;
  TCanvas canvas;
  canvas.SetHandle(Item.hDC);
  UseMenuFont(canvas);
  const bool selected = (Item.itemState & ODS_SELECTED) != 0;
  const TRect rect = Item.rcItem;
  TMenuItemFacts facts;
  bool found = false;
  if (Frame.IsForm && Frame.BarMenu)
    if (TMenuItem* item = Frame.BarMenu->FindItem(Item.itemID, TFindItemKind::fkCommand)) {
      facts = FactsOf(*item);
      found = true;
    }
  if (!found) facts = MenuItemFromHandle(menu, Item.itemID);
  if (!found || Frame.Skin->MenuItem)
    DrawMenuItemFacts(*Frame.Skin, facts, canvas, selected, rect,
                      PopupBackground(facts.ParentMenu));
  else
    DrawMenuItemFlat(*Frame.Skin, facts, canvas, selected, rect);
  canvas.SetHandle(nullptr);
  return true;
}
