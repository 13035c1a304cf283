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

// The skinned handlers' types, as the items' events hold them.
using TDrawHandler = void (*)(TObject*, TCanvas*, TRect, bool);
using TMeasureHandler = void (*)(TObject*, TCanvas*, int&, int&);

// Whether Item's drawing handler is the skinned one.
bool HasSkinnedDrawing(const TMenuItem& Item) {
  const TDrawHandler* target = Item.OnDrawItem.Handler.target<TDrawHandler>();
  return target && *target == &DrawMenuItem;
}

// Whether Item's measuring handler is one of the skinned ones.
bool HasSkinnedMeasuring(const TMenuItem& Item) {
  const TMeasureHandler* target = Item.OnMeasureItem.Handler.target<TMeasureHandler>();
  return target && (*target == &MeasureMenuItem || *target == &MeasureTopMenuItem);
}

}  // namespace

// Skinners publish nothing: they are made by the engine, never read from
// a definition.
QUORVEL_DEFINE_CLASS(TComponentMenuDrawing) {}

// Owned by its form skinner.
TComponentMenuDrawing::TComponentMenuDrawing() : TComponent(nullptr) {}

// Whatever is still held goes back.
TComponentMenuDrawing::~TComponentMenuDrawing() { Restore(); }

// Only when the skin skins popup menus; the skinned drawing of inner items
// also needs the main menu skinned.
void TComponentMenuDrawing::Apply(TComponent* Form) {
  TSkinData* skin = SkinOfForm(Form);
  if (!skin) return;
  const TSkinControlTypes kinds = skin->SkinControls();
  if (!(kinds & (1u << xcPopupMenu))) return;
  const bool mainMenu = (kinds & (1u << xcMainMenu)) != 0;
  for (int i = 0; i < Form->ComponentCount(); ++i) {
    auto* popup = dynamic_cast<TPopupMenu*>(Form->Components(i));
    if (!popup || popup->Tag() % 100 == skin->DisableTag()) continue;
    if (FOwnerDraw.emplace(popup, popup->OwnerDraw()).second) popup->FreeNotification(this);
    popup->SetOwnerDraw(true);
    TMenuItem* root = popup->Items();
    for (int j = 0; j < root->Count(); ++j) ApplyItem(*root->Items(j), true, mainMenu);
  }
}

// An item of its own drawing is left alone (or given its own back);
// another gets the skinned handlers, its own OnMeasureItem noted.
void TComponentMenuDrawing::ApplyItem(TMenuItem& Item, bool Top, bool MainMenuSkinned) {
  const bool own = Item.Tag() == kKeepDrawing || (Item.OnDrawItem && !HasSkinnedDrawing(Item));
  if (own) {
    RestoreItem(Item);
  } else {
    if (FItems.find(&Item) == FItems.end()) {
      FItems.emplace(&Item,
                     HasSkinnedMeasuring(Item) ? TMenuMeasureItemEvent{} : Item.OnMeasureItem);
      Item.FreeNotification(this);
    }
    if (Top || MainMenuSkinned) Item.OnDrawItem = DrawMenuItem;
    Item.OnMeasureItem = Top ? MeasureTopMenuItem : MeasureMenuItem;
  }
  for (int i = 0; i < Item.Count(); ++i) ApplyItem(*Item.Items(i), false, MainMenuSkinned);
}

// The skinned handlers that are still on the item come off; its own
// OnMeasureItem comes back.
void TComponentMenuDrawing::RestoreItem(TMenuItem& Item) {
  auto it = FItems.find(&Item);
  if (it == FItems.end()) return;
  if (HasSkinnedDrawing(Item)) Item.OnDrawItem.Clear();
  if (HasSkinnedMeasuring(Item)) Item.OnMeasureItem = it->second;
  FItems.erase(it);
  Item.RemoveFreeNotification(this);
}

// Items first, then each menu's own OwnerDraw.
void TComponentMenuDrawing::Restore() {
  while (!FItems.empty()) RestoreItem(*FItems.begin()->first);
  for (auto& [popup, ownerDraw] : FOwnerDraw) {
    popup->RemoveFreeNotification(this);
    popup->SetOwnerDraw(ownerDraw);
  }
  FOwnerDraw.clear();
}

// The freed component leaves the record.
void TComponentMenuDrawing::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  // By address: a component being freed is no longer of its own class.
  for (auto it = FItems.begin(); it != FItems.end(); ++it)
    if (static_cast<TComponent*>(it->first) == AComponent) {
      FItems.erase(it);
      break;
    }
  for (auto it = FOwnerDraw.begin(); it != FOwnerDraw.end(); ++it)
    if (static_cast<TComponent*>(it->first) == AComponent) {
      FOwnerDraw.erase(it);
      break;
    }
}

namespace {

// An item of a form's popup-menu component, known by its command and the
// item data of its entry: the component library draws it, through the
// skinned handlers TComponentMenuDrawing gave it or, for a Tag 999 item or
// one with handlers of its own, as the application wants.
bool IsComponentPopupItem(UINT ItemID, ULONG_PTR ItemData) {
  TMenuItem* item = FindMenuItem(ItemID, ItemData);
  return item && dynamic_cast<TPopupMenu*>(item->GetParentMenu()) != nullptr;
}

// The item of the bar's component menu that the entry stands for, or null.
TMenuItem* BarItem(const TFrameMenus& Frame, UINT ItemID, ULONG_PTR ItemData) {
  if (!Frame.IsForm || !Frame.BarMenu) return nullptr;
  TMenuItem* item = FindMenuItem(ItemID, ItemData);
  return item && item->GetParentMenu() == Frame.BarMenu ? item : nullptr;
}

}  // namespace

// The bar's own items by their component, component popup items left to
// the component layer, any other item by its text in the tracked menu.
bool MeasureFrameMenuItem(MEASUREITEMSTRUCT& Item, const TFrameMenus& Frame) {
  if (Item.CtlType != ODT_MENU || !Frame.HasWindowMenu || !Frame.Skin) return false;
  TMenuItem* barItem = BarItem(Frame, Item.itemID, Item.itemData);
  if (!barItem && IsComponentPopupItem(Item.itemID, Item.itemData)) return false;
  TCanvas canvas;
  const TWindowDC dc(Frame.Handle);
  canvas.SetHandle(dc);
  UseMenuFont(canvas);
  if (barItem) {
    int w = int(Item.itemWidth), h = int(Item.itemHeight);
    MeasureMenuItemFacts(FactsOf(*barItem), canvas, IsWin9x(), w, h);
    Item.itemWidth = UINT(w);
    Item.itemHeight = UINT(h);
  } else {
    const std::string text = MenuString(Frame.TrackedMenu, Item.itemID);
    Item.itemWidth = UINT(canvas.TextWidth(text) + 26);
    Item.itemHeight = text.empty() ? 8 : Item.itemHeight + 4;
    if (IsWin9x()) Item.itemHeight += 4;
  }
  canvas.SetHandle(nullptr);
  return true;
}

// Component popup items not on the bar are left to the component layer; the
// bar's items from their component, others from the menu handle.
bool DrawFrameMenuItem(DRAWITEMSTRUCT& Item, const TFrameMenus& Frame) {
  if (Item.CtlType != ODT_MENU || !Frame.HasWindowMenu || !Frame.Skin) return false;
  const auto menu = reinterpret_cast<HMENU>(Item.hwndItem);
  TMenuItem* barItem = BarItem(Frame, Item.itemID, Item.itemData);
  if (!barItem && IsComponentPopupItem(Item.itemID, Item.itemData)) return false;
  TCanvas canvas;
  canvas.SetHandle(Item.hDC);
  UseMenuFont(canvas);
  const bool selected = (Item.itemState & ODS_SELECTED) != 0;
  const TRect rect = Item.rcItem;
  const TMenuItemFacts facts = barItem ? FactsOf(*barItem) : MenuItemFromHandle(menu, Item.itemID);
  if (!barItem || Frame.Skin->MenuItem)
    DrawMenuItemFacts(*Frame.Skin, facts, canvas, selected, rect,
                      PopupBackground(facts.ParentMenu));
  else
    DrawMenuItemFlat(*Frame.Skin, facts, canvas, selected, rect);
  canvas.SetHandle(nullptr);
  return true;
}
