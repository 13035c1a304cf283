// Status bars, progress bars, tab and page controls, list views, tool bars.
#include "ui/ComCtrls.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "ui/Published.h"

namespace {
// Loads the classes of the common controls used here, once.
void InitCommonClasses() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_PROGRESS_CLASS |
                                                               ICC_TAB_CLASSES |
                                                               ICC_LISTVIEW_CLASSES};
    return InitCommonControlsEx(&icc) != FALSE;
  }();
  (void)done;
}
}  // namespace

// ---------------------------------------------------------------------------
// TStatusPanel

QUORVEL_DEFINE_CLASS(TStatusPanel) {
  p.String("Text", &TStatusPanel::Text, &TStatusPanel::SetText);
  p.Integer("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth, 50);
  p.Enum("Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment,
         {"taLeftJustify", "taRightJustify", "taCenter"});
  p.Enum("Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel,
         {"pbNone", "pbLowered", "pbRaised"}, pbLowered);
  p.Enum("Style", &TStatusPanel::Style, &TStatusPanel::SetStyle, {"psText", "psOwnerDraw"});
}

TStatusPanel::TStatusPanel(TCollection* collection) : TCollectionItem(collection) {}

// A new text for the panel.
void TStatusPanel::SetText(const std::string& value) {
  if (value == FText) return;
  FText = value;
  Changed(false);
}

// A new width moves every panel after this one.
void TStatusPanel::SetWidth(int value) {
  if (value == FWidth) return;
  FWidth = value;
  Changed(true);
}

// Left, centred or right text.
void TStatusPanel::SetAlignment(TAlignment value) {
  FAlignment = value;
  Changed(false);
}

// Lowered, raised or no frame.
void TStatusPanel::SetBevel(TStatusPanelBevel value) {
  FBevel = value;
  Changed(false);
}

// Text or owner-drawn.
void TStatusPanel::SetStyle(TStatusPanelStyle value) {
  FStyle = value;
  Changed(false);
}

// ---------------------------------------------------------------------------
// TStatusPanels

// The panels of statusBar.
TStatusPanels::TStatusPanels(TStatusBar& statusBar)
    : TCollection(
          TStatusPanel::StaticClass(), [](TCollection* c) { return new TStatusPanel(c); },
          &statusBar),
      FStatusBar(statusBar) {}

// Appends a panel.
TStatusPanel* TStatusPanels::Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }

// The panel at index.
TStatusPanel* TStatusPanels::Items(int index) const {
  return static_cast<TStatusPanel*>(TCollection::Items(index));
}

// One panel's text, or everything after a change of layout.
void TStatusPanels::Update(TCollectionItem* item) {
  if (item)
    FStatusBar.UpdatePanel(item->Index());
  else
    FStatusBar.UpdatePanels();
}

// ---------------------------------------------------------------------------
// TStatusBar

QUORVEL_DEFINE_CLASS(TStatusBar) {
  p.Object("Panels", &TStatusBar::PanelsObject);
  p.Bool("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel);
  p.String("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
  p.Bool("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip, true);
}

// A bottom-aligned bar, 19 pixels high, in the button-face colour.
TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
  FControlStyle = csCaptureMouse | csClickEvents | csDoubleClicks | csOpaque;
  FWidth = 150;
  FHeight = 19;
  SetColor(clBtnFace);
  SetAlign(alBottom);
}

TStatusBar::~TStatusBar() { DestroyHandle(); }

// A superclass of the common control that leaves its placement to us.
void TStatusBar::CreateParams(TCreateParams& params) {
  InitCommonClasses();
  TWinControl::CreateParams(params);
  CreateSubClass(params, STATUSCLASSNAMEA);
  params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  if (FSizeGrip) params.Style |= SBARS_SIZEGRIP;
}

// The new window gets the panels.
void TStatusBar::InitWnd() { UpdatePanels(); }

// Panels are complete once the definition is read.
void TStatusBar::Loaded() {
  TWinControl::Loaded();
  UpdatePanels();
}

// Simple mode on or off.
void TStatusBar::SetSimplePanel(bool value) {
  if (value == FSimplePanel) return;
  FSimplePanel = value;
  UpdatePanels();
}

// The text of simple mode.
void TStatusBar::SetSimpleText(const std::string& value) {
  FSimpleText = value;
  if (FHandle && FSimplePanel)
    SendMessageA(FHandle, SB_SETTEXTA, SB_SIMPLEID | SBT_NOBORDERS,
                 reinterpret_cast<LPARAM>(FSimpleText.c_str()));
}

// The size grip is a window style: the window is made again.
void TStatusBar::SetSizeGrip(bool value) {
  if (value == FSizeGrip) return;
  FSizeGrip = value;
  RecreateWnd();
}

// Sets the parts (right edges, the last one -1) and every text.
void TStatusBar::UpdatePanels() {
  if (!FHandle || IsLoading()) return;
  SendMessageA(FHandle, SB_SIMPLE, FSimplePanel, 0);
  if (FSimplePanel) {
    SetSimpleText(FSimpleText);
    return;
  }
  const int n = FPanels.Count();
  std::vector<int> rights(static_cast<size_t>(std::max(n, 1)), -1);
  int right = 0;
  for (int i = 0; i + 1 < n; ++i) {
    right += FPanels.Items(i)->Width();
    rights[static_cast<size_t>(i)] = right;
  }
  SendMessageA(FHandle, SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
  for (int i = 0; i < n; ++i) UpdatePanel(i);
}

// Gives the window one panel's text, bevel and alignment.
void TStatusBar::UpdatePanel(int index) {
  if (!FHandle || IsLoading() || FSimplePanel || index < 0 || index >= FPanels.Count()) return;
  const TStatusPanel* panel = FPanels.Items(index);
  WPARAM flags = static_cast<WPARAM>(index);
  if (panel->Bevel() == pbNone) flags |= SBT_NOBORDERS;
  if (panel->Bevel() == pbRaised) flags |= SBT_POPOUT;
  if (panel->Style() == psOwnerDraw) flags |= SBT_OWNERDRAW;
  if (panel->Style() == psOwnerDraw) {
    // The owner draws the part; the text word is its item data (none here).
    SendMessageA(FHandle, SB_SETTEXTA, flags, 0);
    return;
  }
  std::string text = panel->Text();
  if (panel->Alignment() == taCenter) text = "\t" + text;
  if (panel->Alignment() == taRightJustify) text = "\t\t" + text;
  SendMessageA(FHandle, SB_SETTEXTA, flags, reinterpret_cast<LPARAM>(text.c_str()));
}

// ---------------------------------------------------------------------------
// TProgressBar

QUORVEL_DEFINE_CLASS(TProgressBar) {
  p.Integer("Min", &TProgressBar::Min, &TProgressBar::SetMin);
  p.Integer("Max", &TProgressBar::Max, &TProgressBar::SetMax, 100);
  p.Integer("Position", &TProgressBar::Position, &TProgressBar::SetPosition);
}

// An empty 150 by 16 bar from 0 to 100.
TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
  FWidth = 150;
  FHeight = 16;
  SetColor(clBtnFace);
}

// A superclass of the progress bar with a sunken edge.
void TProgressBar::CreateParams(TCreateParams& params) {
  InitCommonClasses();
  TWinControl::CreateParams(params);
  CreateSubClass(params, PROGRESS_CLASSA);
}

// The window gets the range and the position.
void TProgressBar::InitWnd() {
  UpdateRange();
  SendMessageA(FHandle, PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}

// The range into the window.
void TProgressBar::UpdateRange() {
  if (FHandle) SendMessageA(FHandle, PBM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
}

// The position of an empty bar.
void TProgressBar::SetMin(int value) {
  FMin = value;
  UpdateRange();
}

// The position of a full bar.
void TProgressBar::SetMax(int value) {
  FMax = value;
  UpdateRange();
}

// How full the bar is (kept within the range outside loading).
void TProgressBar::SetPosition(int value) {
  if (!IsLoading()) value = std::max(FMin, std::min(value, FMax));
  FPosition = value;
  if (FHandle) SendMessageA(FHandle, PBM_SETPOS, static_cast<WPARAM>(value), 0);
}

// ---------------------------------------------------------------------------
// TCustomTabControl

QUORVEL_DEFINE_CLASS(TCustomTabControl) { p.Event("OnChange", &TCustomTabControl::OnChange); }

// A 289 by 193 tab control that holds controls and is a tab stop.
TCustomTabControl::TCustomTabControl(TComponent* owner) : TWinControl(owner) {
  FControlStyle = csAcceptsControls | csDoubleClicks;
  FWidth = 289;
  FHeight = 193;
  SetTabStop(true);
  SetColor(clBtnFace);
}

TCustomTabControl::~TCustomTabControl() { DestroyHandle(); }

// A superclass of the tab control.
void TCustomTabControl::CreateParams(TCreateParams& params) {
  InitCommonClasses();
  TWinControl::CreateParams(params);
  CreateSubClass(params, WC_TABCONTROLA);
}

// The selected tab, or -1.
int TCustomTabControl::TabIndex() {
  if (!FHandle) return FTabIndex;
  return static_cast<int>(SendMessageA(FHandle, TCM_GETCURSEL, 0, 0));
}

// Selects a tab (-1: none); Change does not run.
void TCustomTabControl::SetTabIndex(int value) {
  FTabIndex = value;
  if (FHandle) SendMessageA(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(value), 0);
}

// The display area as the window computes it (an estimate before there is one).
void TCustomTabControl::AdjustClientRect(TRect& rect) {
  if (FHandle) {
    SendMessageA(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
    return;
  }
  rect.top += 24;
  InflateRect(&rect, -4, -4);
}

// Runs OnChange.
void TCustomTabControl::Change() { OnChange(this); }

// One tab per text; the selection stays where it was; the display area may
// have moved with the rows of tabs.
void TCustomTabControl::SetWindowTabs(const std::vector<std::string>& texts) {
  if (!FHandle) return;
  const int selected = FTabIndex;
  SendMessageA(FHandle, TCM_DELETEALLITEMS, 0, 0);
  for (size_t i = 0; i < texts.size(); ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(texts[i].c_str());
    SendMessageA(FHandle, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageA(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(selected), 0);
  Realign();
}

// A tab chosen by the user (reflected TCN_SELCHANGE) runs Change.
void TCustomTabControl::WndProc(TMessage& msg) {
  if (msg.Msg == CN_NOTIFY &&
      reinterpret_cast<NMHDR*>(msg.LParam)->code == static_cast<UINT>(TCN_SELCHANGE)) {
    FTabIndex = TabIndex();
    Change();
    msg.Result = 0;
    return;
  }
  TWinControl::WndProc(msg);
}

// ---------------------------------------------------------------------------
// TTabControl

QUORVEL_DEFINE_CLASS(TTabControl) {
  p.Object("Tabs", &TTabControl::TabsObject);
  p.Integer("TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex, -1);
}

// A tab control whose window follows Tabs.
TTabControl::TTabControl(TComponent* owner) : TCustomTabControl(owner) {
  FTabs.OnChange = [this](TObject*) { SetWindowTabs(FTabs.ToVector()); };
}

// The window gets the tabs.
void TTabControl::InitWnd() { SetWindowTabs(FTabs.ToVector()); }

// ---------------------------------------------------------------------------
// TTabSheet

QUORVEL_DEFINE_CLASS(TTabSheet) {}

// A hidden page in the button-face colour; its page control shows it.
TTabSheet::TTabSheet(TComponent* owner) : TCustomControl(owner) {
  SetColor(clBtnFace);
  SetVisible(false);
}

// Leaves the page control.
TTabSheet::~TTabSheet() {
  if (FPageControl) FPageControl->RemovePage(this);
}

// Joins the page control it is put on (and leaves the previous one).
void TTabSheet::SetParent(TWinControl* parent) {
  if (parent == Parent()) return;
  if (FPageControl) FPageControl->RemovePage(this);
  TCustomControl::SetParent(parent);
  if (auto* pageControl = dynamic_cast<TPageControl*>(parent)) pageControl->InsertPage(this);
}

// The page's index among its page control's pages, or -1.
int TTabSheet::PageIndex() const {
  if (!FPageControl) return -1;
  const auto& pages = FPageControl->FPages;
  const auto it = std::find(pages.begin(), pages.end(), this);
  return it == pages.end() ? -1 : static_cast<int>(it - pages.begin());
}

// The caption is the tab's text.
void TTabSheet::TextChanged() {
  TCustomControl::TextChanged();
  if (FPageControl) FPageControl->UpdateTabs();
}

// ---------------------------------------------------------------------------
// TPageControl

QUORVEL_DEFINE_CLASS(TPageControl) {}

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}

// The sheets forget the page control.
TPageControl::~TPageControl() {
  for (TTabSheet* page : FPages) page->FPageControl = nullptr;
  FPages.clear();
}

// Adds a sheet (and its tab) at the end.
void TPageControl::InsertPage(TTabSheet* page) {
  FPages.push_back(page);
  page->FPageControl = this;
  UpdateTabs();
}

// Removes a sheet and its tab.
void TPageControl::RemovePage(TTabSheet* page) {
  FPages.erase(std::remove(FPages.begin(), FPages.end(), page), FPages.end());
  page->FPageControl = nullptr;
  if (FActivePage == page) FActivePage = nullptr;
  if (!IsDestroying()) UpdateTabs();
}

// One tab per sheet; the active sheet's tab is selected.
void TPageControl::UpdateTabs() {
  std::vector<std::string> captions;
  for (TTabSheet* page : FPages) captions.push_back(page->Caption());
  FTabIndex = FActivePage ? FActivePage->PageIndex() : -1;
  SetWindowTabs(captions);
}

// Shows page (one of ours, or null for none) and hides the others; its tab is selected.
void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->FPageControl != this) return;
  FActivePage = page;
  for (TTabSheet* p : FPages) p->SetVisible(p == page);
  SetTabIndex(page ? page->PageIndex() : -1);
}

// The sheet of the chosen tab becomes active, then OnChange runs.
void TPageControl::Change() {
  const int index = TabIndex();
  SetActivePage(index >= 0 && index < PageCount() ? FPages[static_cast<size_t>(index)] : nullptr);
  TCustomTabControl::Change();
}

// The window gets the tabs.
void TPageControl::InitWnd() { UpdateTabs(); }

// Every sheet fills the display area.
void TPageControl::AlignControls(TRect rect) {
  for (TTabSheet* page : FPages) page->SetBoundsRect(rect);
  TCustomTabControl::AlignControls(rect);
}

// "ActivePage = TabSheet1": the sheet is found by name once it is read.
void TPageControl::DefineProperties(TFiler& filer) {
  TCustomTabControl::DefineProperties(filer);
  filer.DefineProperty(
      "ActivePage", [this](TReader& r) { FActivePageName = r.ReadIdent(); },
      [this](TWriter& w) { w.WriteIdent(FActivePage->Name()); }, FActivePage != nullptr);
}

// Activates the stored page, or the first one.
void TPageControl::Loaded() {
  TCustomTabControl::Loaded();
  TTabSheet* active = FPages.empty() ? nullptr : FPages.front();
  for (TTabSheet* page : FPages)
    if (!FActivePageName.empty() && SameText(page->Name(), FActivePageName)) active = page;
  FActivePageName.clear();
  SetActivePage(active);
}

// ---------------------------------------------------------------------------
// TListColumn, TListColumns

QUORVEL_DEFINE_CLASS(TListColumn) {
  p.String("Caption", &TListColumn::Caption, &TListColumn::SetCaption);
  p.Integer("Width", &TListColumn::Width, &TListColumn::SetWidth, 50);
  p.Enum("Alignment", &TListColumn::Alignment, &TListColumn::SetAlignment,
         {"taLeftJustify", "taRightJustify", "taCenter"});
}

TListColumn::TListColumn(TCollection* collection) : TCollectionItem(collection) {}

// The header text.
void TListColumn::SetCaption(const std::string& value) {
  FCaption = value;
  Changed(false);
}

// The width in pixels.
void TListColumn::SetWidth(int value) {
  FWidth = value;
  Changed(false);
}

// Where the column's texts stand.
void TListColumn::SetAlignment(TAlignment value) {
  FAlignment = value;
  Changed(false);
}

// The columns of listView.
TListColumns::TListColumns(TCustomListView& listView)
    : TCollection(
          TListColumn::StaticClass(), [](TCollection* c) { return new TListColumn(c); }, &listView),
      FListView(listView) {}

// Any change: the window's columns are made again.
void TListColumns::Update(TCollectionItem*) { FListView.UpdateColumns(); }

// ---------------------------------------------------------------------------
// TListItem, TListItems

QUORVEL_DEFINE_CLASS(TListItem) {
  p.String("Caption", &TListItem::Caption, &TListItem::SetCaption);
  p.Object("SubItems", &TListItem::SubItemsObject);
}

// A row whose texts reach the window when they change.
TListItem::TListItem(TCollection* collection) : TCollectionItem(collection) {
  FSubItems.OnChange = [this](TObject*) { Changed(false); };
}

// The text of the first column.
void TListItem::SetCaption(const std::string& value) {
  FCaption = value;
  Changed(false);
}

// The rows of listView.
TListItems::TListItems(TCustomListView& listView)
    : TCollection(
          TListItem::StaticClass(), [](TCollection* c) { return new TListItem(c); }, &listView),
      FListView(listView) {}

// One row's texts, or every row after rows came or went.
void TListItems::Update(TCollectionItem* item) {
  if (item)
    FListView.UpdateItem(item->Index());
  else
    FListView.UpdateItems();
}

// ---------------------------------------------------------------------------
// TCustomListView

QUORVEL_DEFINE_CLASS(TCustomListView) {
  p.Object("Columns", &TCustomListView::ColumnsObject);
  p.Object("Items", &TCustomListView::ItemsObject);
  p.Enum("ViewStyle", &TCustomListView::ViewStyle, &TCustomListView::SetViewStyle,
         {"vsIcon", "vsSmallIcon", "vsList", "vsReport"});
}

// A 250 by 150 list view in the window colour that is a tab stop.
TCustomListView::TCustomListView(TComponent* owner) : TWinControl(owner) {
  FControlStyle = csClickEvents | csDoubleClicks;
  FWidth = 250;
  FHeight = 150;
  SetTabStop(true);
  SetColor(clWindow);
}

TCustomListView::~TCustomListView() { DestroyHandle(); }

// A superclass of the list view of the view style, with a sunken edge.
void TCustomListView::CreateParams(TCreateParams& params) {
  InitCommonClasses();
  TWinControl::CreateParams(params);
  CreateSubClass(params, WC_LISTVIEWA);
  static const DWORD kStyles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
  params.Style |= kStyles[FViewStyle] | LVS_SHOWSELALWAYS;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

// The window gets the columns and the rows.
void TCustomListView::InitWnd() {
  UpdateColumns();
  UpdateItems();
}

// Icons, small icons, a list or a report (the window is made again).
void TCustomListView::SetViewStyle(TViewStyle value) {
  if (value == FViewStyle) return;
  FViewStyle = value;
  RecreateWnd();
}

// Replaces the window's columns by Columns.
void TCustomListView::UpdateColumns() {
  if (!FHandle) return;
  while (SendMessageA(FHandle, LVM_DELETECOLUMN, 0, 0)) {}
  for (int i = 0; i < FColumns.Count(); ++i) {
    const TListColumn* c = FColumns.Items(i);
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = c->Alignment() == taRightJustify ? LVCFMT_RIGHT
                 : c->Alignment() == taCenter     ? LVCFMT_CENTER
                                                  : LVCFMT_LEFT;
    column.cx = c->Width();
    column.pszText = const_cast<char*>(c->Caption().c_str());
    SendMessageA(FHandle, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(&column));
  }
}

// Replaces the window's rows by Items, drawn once at the end.
void TCustomListView::UpdateItems() {
  if (!FHandle) return;
  SendMessageA(FHandle, WM_SETREDRAW, FALSE, 0);
  SendMessageA(FHandle, LVM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < FItems.Count(); ++i) {
    LVITEMA row{};
    row.mask = LVIF_TEXT;
    row.iItem = i;
    row.pszText = const_cast<char*>(FItems.Items(i)->Caption().c_str());
    SendMessageA(FHandle, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row));
    SetRowTexts(i);
  }
  SendMessageA(FHandle, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(FHandle, nullptr, TRUE);
}

// Gives the window the texts of row index (every row when it has no such row yet).
void TCustomListView::UpdateItem(int index) {
  if (!FHandle) return;
  if (index >= static_cast<int>(SendMessageA(FHandle, LVM_GETITEMCOUNT, 0, 0))) {
    UpdateItems();
    return;
  }
  SetRowTexts(index);
}

// The caption and the texts of the other columns (empty past the sub-items).
void TCustomListView::SetRowTexts(int index) {
  TListItem* item = FItems.Items(index);
  const int columns = std::max(FColumns.Count() - 1, item->SubItems().Count());
  for (int i = 0; i <= columns; ++i) {
    const std::string text = i == 0                             ? item->Caption()
                             : i - 1 < item->SubItems().Count() ? item->SubItems()[i - 1]
                                                                : "";
    LVITEMA cell{};
    cell.iSubItem = i;
    cell.pszText = const_cast<char*>(text.c_str());
    SendMessageA(FHandle, LVM_SETITEMTEXTA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&cell));
  }
}

QUORVEL_DEFINE_CLASS(TListView) {}

// ---------------------------------------------------------------------------
// TToolButton

QUORVEL_DEFINE_CLASS(TToolButton) {
  p.String("Caption", &TToolButton::Caption, &TToolButton::SetCaption);
  p.Bool("Enabled", &TToolButton::Enabled, &TToolButton::SetEnabled, true);
  p.Event("OnClick", &TToolButton::OnClick);
}

TToolButton::TToolButton(TComponent* owner) : TComponent(owner) {}

// Leaves the tool bar.
TToolButton::~TToolButton() {
  Destroying();
  SetToolBar(nullptr);
}

// The text on the button.
void TToolButton::SetCaption(const std::string& value) {
  FCaption = value;
  if (FToolBar) FToolBar->UpdateButtons();
}

// A disabled button is greyed and does not click.
void TToolButton::SetEnabled(bool value) {
  FEnabled = value;
  if (FToolBar) FToolBar->UpdateButtons();
}

// Moves the button to the end of another tool bar.
void TToolButton::SetToolBar(TToolBar* toolBar) {
  if (toolBar == FToolBar) return;
  if (FToolBar) {
    auto& buttons = FToolBar->FButtons;
    buttons.erase(std::remove(buttons.begin(), buttons.end(), this), buttons.end());
    if (!FToolBar->IsDestroying()) FToolBar->UpdateButtons();
  }
  FToolBar = toolBar;
  if (toolBar) {
    toolBar->FButtons.push_back(this);
    toolBar->UpdateButtons();
  }
}

// Runs OnClick.
void TToolButton::Click() { OnClick(this); }

// The tool bar holds the button in definitions.
TComponent* TToolButton::GetParentComponent() const { return FToolBar; }

// Definitions put the button on its tool bar.
void TToolButton::SetParentComponent(TComponent* parent) {
  SetToolBar(dynamic_cast<TToolBar*>(parent));
}

// ---------------------------------------------------------------------------
// TToolBar

QUORVEL_DEFINE_CLASS(TToolBar) { p.Bool("Flat", &TToolBar::Flat, &TToolBar::SetFlat); }

// A top-aligned bar, 29 pixels high, in the button-face colour.
TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
  FControlStyle = csDoubleClicks;
  FWidth = 150;
  FHeight = 29;
  SetColor(clBtnFace);
  SetAlign(alTop);
}

// The buttons forget the tool bar.
TToolBar::~TToolBar() {
  for (TToolButton* b : FButtons) b->FToolBar = nullptr;
  FButtons.clear();
  DestroyHandle();
}

// A superclass of the tool bar that leaves its placement to us; its buttons
// are text only.
void TToolBar::CreateParams(TCreateParams& params) {
  InitCommonClasses();
  TWinControl::CreateParams(params);
  CreateSubClass(params, TOOLBARCLASSNAMEA);
  params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_LIST;
  if (FFlat) params.Style |= TBSTYLE_FLAT;
}

// The window gets the buttons, without room for pictures.
void TToolBar::InitWnd() {
  SendMessageA(FHandle, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(FHandle, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
  UpdateButtons();
}

// The buttons are complete once the definition is read.
void TToolBar::Loaded() {
  TWinControl::Loaded();
  UpdateButtons();
}

// Flat buttons (the tool bar changes its style in place).
void TToolBar::SetFlat(bool value) {
  FFlat = value;
  if (!FHandle) return;
  LRESULT style = SendMessageA(FHandle, TB_GETSTYLE, 0, 0);
  style = value ? (style | TBSTYLE_FLAT) : (style & ~static_cast<LRESULT>(TBSTYLE_FLAT));
  SendMessageA(FHandle, TB_SETSTYLE, 0, style);
  InvalidateRect(FHandle, nullptr, TRUE);
}

// One window button per tool button; the command number is the index + 1.
void TToolBar::UpdateButtons() {
  if (!FHandle || IsLoading()) return;
  while (SendMessageA(FHandle, TB_DELETEBUTTON, 0, 0)) {}
  for (size_t i = 0; i < FButtons.size(); ++i) {
    TBBUTTON button{};
    button.iBitmap = I_IMAGENONE;
    button.idCommand = static_cast<int>(i) + 1;
    button.fsState = FButtons[i]->Enabled() ? TBSTATE_ENABLED : 0;
    button.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE;
    button.iString = reinterpret_cast<INT_PTR>(FButtons[i]->Caption().c_str());
    SendMessageA(FHandle, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
  }
}

// The buttons are stored inside the tool bar.
void TToolBar::GetChildren(const TGetChildProc& proc, TComponent* root) {
  TWinControl::GetChildren(proc, root);
  for (TToolButton* b : FButtons)
    if (b->Owner() == root) proc(b);
}

// A button's click (reflected WM_COMMAND) runs its OnClick.
void TToolBar::WndProc(TMessage& msg) {
  if (msg.Msg == CN_COMMAND) {
    const int index = LOWORD(msg.WParam) - 1;
    if (index >= 0 && index < ButtonCount() && FButtons[static_cast<size_t>(index)]->Enabled())
      FButtons[static_cast<size_t>(index)]->Click();
    msg.Result = 0;
    return;
  }
  TWinControl::WndProc(msg);
}
