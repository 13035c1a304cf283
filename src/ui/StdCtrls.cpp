// Push buttons and list boxes.
#include "ui/StdCtrls.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

#include "ui/Forms.h"
#include "ui/Published.h"

namespace {
// The form that holds control, or null.
TCustomForm* ParentForm(TControl* control) {
  for (TWinControl* p = control->Parent(); p; p = p->Parent())
    if (auto* form = dynamic_cast<TCustomForm*>(p)) return form;
  return nullptr;
}
}  // namespace

// ---------------------------------------------------------------------------
// TButton

QUORVEL_DEFINE_CLASS(TButton) {
  p.Bool("Default", &TButton::Default, &TButton::SetDefault);
  p.Bool("Cancel", &TButton::Cancel, &TButton::SetCancel);
  p.Integer("ModalResult", &TButton::ModalResult, &TButton::SetModalResult);
}

// A 75 by 25 push button that is a tab stop.
TButton::TButton(TComponent* owner) : TWinControl(owner) {
  FControlStyle = csSetCaption | csDoubleClicks;
  FWidth = 75;
  FHeight = 25;
  SetTabStop(true);
  SetColor(clBtnFace);
}

// A superclass of BUTTON; the default button has the default frame.
void TButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, "BUTTON");
  params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

// Changes the default frame.
void TButton::SetDefault(bool value) {
  FDefault = value;
  if (FHandle) SendMessageA(FHandle, BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

// Answers for the form, then runs OnClick.
void TButton::Click() {
  if (FModalResult != mrNone)
    if (TCustomForm* form = ParentForm(this)) form->SetModalResult(FModalResult);
  TWinControl::Click();
}

// BN_CLICKED from the parent, Enter and Escape from the form.
void TButton::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case CN_COMMAND:
      // A disabled button can still be sent BM_CLICK; it does not click.
      if (HIWORD(msg.WParam) == BN_CLICKED && Enabled()) Click();
      msg.Result = 0;
      return;
    case CM_DIALOGCHAR:
      if (IsAccel(msg.WParam, Caption()) && CanFocus()) {
        Click();
        msg.Result = 1;
        return;
      }
      break;
    case CM_DIALOGKEY: {
      // lParam: the window that has the keyboard focus (it is asked first).
      const bool focused = FHandle && reinterpret_cast<HWND>(msg.LParam) == FHandle;
      const bool enter = msg.WParam == VK_RETURN && (focused || FDefault);
      const bool escape = msg.WParam == VK_ESCAPE && FCancel;
      if ((enter || escape) && CanFocus()) {
        Click();
        msg.Result = 1;
        return;
      }
      break;
    }
    default:
      break;
  }
  TWinControl::WndProc(msg);
}

// ---------------------------------------------------------------------------
// TListBoxStrings

// The number of items.
int TListBoxStrings::Count() const {
  if (FListBox.FHandle) return static_cast<int>(SendMessageA(FListBox.FHandle, LB_GETCOUNT, 0, 0));
  return static_cast<int>(FListBox.FSaved.size());
}

// The text of item index.
std::string TListBoxStrings::Get(int index) const {
  if (index < 0 || index >= Count()) Error(Msg::ListIndexError, index);
  if (!FListBox.FHandle) return FListBox.FSaved[static_cast<size_t>(index)].first;
  return FListBox.ItemText(index);
}

// Replaces the text of item index; the data word and the selection stay
// (a plain delete and insert would drop the check and the selection).
void TListBoxStrings::Put(int index, const std::string& s) {
  if (index < 0 || index >= Count()) Error(Msg::ListIndexError, index);
  if (!FListBox.FHandle) {
    FListBox.FSaved[static_cast<size_t>(index)].first = s;
    return;
  }
  const LPARAM data = FListBox.ItemData(index);
  const bool selected = FListBox.ItemIndex() == index;
  Delete(index);
  Insert(index, s);
  FListBox.SetItemData(index, data);
  if (selected) FListBox.SetItemIndex(index);
}

// The object kept with item index (the data word without its lowest bit).
TObject* TListBoxStrings::Objects(int index) const {
  if (index < 0 || index >= Count()) Error(Msg::ListIndexError, index);
  return reinterpret_cast<TObject*>(FListBox.ItemData(index) & ~static_cast<LPARAM>(1));
}

// Keeps object with item index (the lowest bit of the data word stays).
void TListBoxStrings::SetObjects(int index, TObject* object) {
  if (index < 0 || index >= Count()) Error(Msg::ListIndexError, index);
  const LPARAM flag = FListBox.ItemData(index) & 1;
  FListBox.SetItemData(index, reinterpret_cast<LPARAM>(object) | flag);
}

// Inserts an item at index (0 to Count).
void TListBoxStrings::Insert(int index, const std::string& s) {
  if (index < 0 || index > Count()) Error(Msg::ListIndexError, index);
  if (!FListBox.FHandle) {
    FListBox.FSaved.insert(FListBox.FSaved.begin() + index, {s, 0});
    return;
  }
  const LRESULT r = SendMessageA(FListBox.FHandle, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.c_str()));
  if (r < 0) throw EOutOfResources("Not enough room in the list");
}

// Removes item index.
void TListBoxStrings::Delete(int index) {
  if (index < 0 || index >= Count()) Error(Msg::ListIndexError, index);
  if (!FListBox.FHandle) {
    FListBox.FSaved.erase(FListBox.FSaved.begin() + index);
    return;
  }
  SendMessageA(FListBox.FHandle, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

// Removes every item.
void TListBoxStrings::Clear() {
  if (!FListBox.FHandle) {
    FListBox.FSaved.clear();
    return;
  }
  SendMessageA(FListBox.FHandle, LB_RESETCONTENT, 0, 0);
}

// Appends (or, in a sorted list, inserts in order); returns the index.
int TListBoxStrings::Add(const std::string& s) {
  if (!FListBox.FHandle) {
    auto& saved = FListBox.FSaved;
    auto at = saved.end();
    if (FListBox.FSorted)
      at = std::find_if(saved.begin(), saved.end(), [&](const auto& item) { return AnsiCompareText(item.first, s) > 0; });
    return static_cast<int>(saved.insert(at, {s, 0}) - saved.begin());
  }
  const LRESULT r = SendMessageA(FListBox.FHandle, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
  if (r < 0) throw EOutOfResources("Not enough room in the list");
  return static_cast<int>(r);
}

// The first item equal to s regardless of letter case, or -1.
int TListBoxStrings::IndexOf(const std::string& s) const {
  if (!FListBox.FHandle) {
    const auto& saved = FListBox.FSaved;
    for (size_t i = 0; i < saved.size(); ++i)
      if (SameText(saved[i].first, s)) return static_cast<int>(i);
    return -1;
  }
  if (FListBox.KnownAbsent(s)) return -1;
  const LRESULT r = SendMessageA(FListBox.FHandle, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(s.c_str()));
  return r == LB_ERR ? -1 : static_cast<int>(r);
}

// Redrawing off while updating; one redraw at the end.
void TListBoxStrings::SetUpdateState(bool updating) {
  HWND wnd = FListBox.FHandle;
  if (!wnd) return;
  SendMessageA(wnd, WM_SETREDRAW, updating ? FALSE : TRUE, 0);
  if (!updating) RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

// ---------------------------------------------------------------------------
// TCustomListBox

QUORVEL_DEFINE_CLASS(TCustomListBox) {
  p.Object("Items", &TCustomListBox::ItemsObject);
  p.Integer("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight, 16);
  p.Bool("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted);
  p.Enum("Style", &TCustomListBox::Style, &TCustomListBox::SetStyle,
         {"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable"});
  // Accepted for stored forms: list boxes here never shrink to whole items.
  p.Bool("IntegralHeight", [](TCustomListBox&) { return false; }, [](TCustomListBox&, bool) {});
}

// A list box of 121 by 97 in the window colour.
TCustomListBox::TCustomListBox(TComponent* owner) : TWinControl(owner) {
  FControlStyle = csSetCaption | csDoubleClicks;
  FWidth = 121;
  FHeight = 97;
  SetTabStop(true);
  SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() { DestroyHandle(); }

// A superclass of LISTBOX with a sunken edge and a vertical scroll bar.
void TCustomListBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, "LISTBOX");
  params.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
  if (FSorted) params.Style |= LBS_SORT;
  if (FStyle == lbOwnerDrawFixed) params.Style |= LBS_OWNERDRAWFIXED;
  if (FStyle == lbOwnerDrawVariable) params.Style |= LBS_OWNERDRAWVARIABLE;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

// The window gets the item height and the items kept meanwhile.
void TCustomListBox::InitWnd() {
  FTextCounts.clear();  // a new window starts empty
  FTextCountsValid = true;
  if (FStyle != lbStandard) SendMessageA(FHandle, LB_SETITEMHEIGHT, 0, FItemHeight);
  for (const auto& [text, data] : FSaved) {
    const LRESULT i = SendMessageA(FHandle, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (i >= 0) SendMessageA(FHandle, LB_SETITEMDATA, static_cast<WPARAM>(i), data);
  }
  FSaved.clear();
  if (FSavedIndex >= 0) SendMessageA(FHandle, LB_SETCURSEL, static_cast<WPARAM>(FSavedIndex), 0);
}

// Keeps the items while the window is gone.
void TCustomListBox::DestroyWnd() {
  const int n = FItems.Count();
  std::vector<std::pair<std::string, LPARAM>> items;
  items.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) items.emplace_back(FItems.Get(i), ItemData(i));
  FSavedIndex = ItemIndex();
  FSaved = std::move(items);
}

// The selected item, or -1.
int TCustomListBox::ItemIndex() {
  if (!FHandle) return FSavedIndex;
  const LRESULT r = SendMessageA(FHandle, LB_GETCURSEL, 0, 0);
  return r == LB_ERR ? -1 : static_cast<int>(r);
}

// Selects an item (-1: none).
void TCustomListBox::SetItemIndex(int value) {
  if (!FHandle) {
    FSavedIndex = value;
    return;
  }
  SendMessageA(FHandle, LB_SETCURSEL, static_cast<WPARAM>(value), 0);
}

// The height of the items of an owner-drawn list.
void TCustomListBox::SetItemHeight(int value) {
  if (value <= 0) return;
  FItemHeight = value;
  if (FHandle && FStyle != lbStandard) {
    SendMessageA(FHandle, LB_SETITEMHEIGHT, 0, value);
    Invalidate();
  }
}

// Sorted lists keep their items in order (the window is made again).
void TCustomListBox::SetSorted(bool value) {
  if (value == FSorted) return;
  FSorted = value;
  RecreateWnd();
}

// Standard or owner-drawn items (the window is made again).
void TCustomListBox::SetStyle(TListBoxStyle value) {
  if (value == FStyle) return;
  FStyle = value;
  RecreateWnd();
}

// The item equal to s regardless of letter case, or -1.
int TCustomListBox::FindExact(const std::string& s) { return FItems.IndexOf(s); }

// The item under a client point, or -1.
int TCustomListBox::ItemAtPos(TPoint point) {
  const LRESULT r = SendMessageA(Handle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
  if (HIWORD(r) != 0) return -1;
  return static_cast<int>(LOWORD(r));
}

// The rectangle of item index in client coordinates.
TRect TCustomListBox::ItemRect(int index) {
  RECT r{};
  SendMessageA(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  return r;
}

// The data word of an item.
LPARAM TCustomListBox::ItemData(int index) const {
  if (!FHandle) return (index >= 0 && static_cast<size_t>(index) < FSaved.size()) ? FSaved[static_cast<size_t>(index)].second : 0;
  const LRESULT r = SendMessageA(FHandle, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  return r == LB_ERR ? 0 : r;
}

// Sets the data word of an item.
void TCustomListBox::SetItemData(int index, LPARAM data) {
  if (!FHandle) {
    if (index >= 0 && static_cast<size_t>(index) < FSaved.size()) FSaved[static_cast<size_t>(index)].second = data;
    return;
  }
  SendMessageA(FHandle, LB_SETITEMDATA, static_cast<WPARAM>(index), data);
}

// Draws an item: its text, highlighted when selected, and the focus frame.
void TCustomListBox::DrawItem(const DRAWITEMSTRUCT& item) {
  RECT r = item.rcItem;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  SetBkColor(item.hDC, selected ? GetSysColor(COLOR_HIGHLIGHT) : ColorToRGB(Color()));
  SetTextColor(item.hDC, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : ColorToRGB(Font().Color()));
  TSelectObjectGuard font(item.hDC, Font().Handle());
  const std::string text = static_cast<int>(item.itemID) >= 0 ? FItems.Get(static_cast<int>(item.itemID)) : std::string();
  ExtTextOutA(item.hDC, r.left + 2, r.top, ETO_OPAQUE | ETO_CLIPPED, &r, text.c_str(), static_cast<UINT>(text.size()), nullptr);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &r);
}

// Owner drawing and selection notifications reflected from the parent.
void TCustomListBox::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case CN_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(msg.LParam);
      if (static_cast<int>(item.itemID) < 0) {
        if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
      } else {
        DrawItem(item);
      }
      msg.Result = TRUE;
      return;
    }
    case CN_COMMAND:
      if (HIWORD(msg.WParam) == LBN_SELCHANGE) Click();
      msg.Result = 0;
      return;
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
      TWinControl::WndProc(msg);
      if (static_cast<LRESULT>(msg.Result) >= 0 && msg.LParam)
        CountText(reinterpret_cast<const char*>(msg.LParam), 1);
      return;
    case LB_DELETESTRING: {
      const std::string text = ItemText(static_cast<int>(msg.WParam));
      TWinControl::WndProc(msg);
      if (static_cast<LRESULT>(msg.Result) != LB_ERR) CountText(text, -1);
      return;
    }
    case LB_RESETCONTENT:
      TWinControl::WndProc(msg);
      FTextCounts.clear();
      FTextCountsValid = true;
      return;
    case LB_DIR:
    case LB_ADDFILE:
      FTextCountsValid = false;  // items whose texts this list never sees
      break;
    default:
      break;
  }
  TWinControl::WndProc(msg);
}

// True when no item equals s regardless of letter case, known without a search.
bool TCustomListBox::KnownAbsent(const std::string& s) const {
  if (!FTextCountsValid) return false;
  auto it = FTextCounts.find(AnsiUpperCase(s));
  return it == FTextCounts.end();
}

// Counts one more or one less item holding text.
void TCustomListBox::CountText(const std::string& text, int delta) {
  if (!(GetWindowLongPtrA(FHandle, GWL_STYLE) & LBS_HASSTRINGS) && FStyle != lbStandard) {
    FTextCountsValid = false;  // the items are data words, not texts
    return;
  }
  const std::string key = AnsiUpperCase(text);
  int& count = FTextCounts[key];
  count += delta;
  if (count <= 0) FTextCounts.erase(key);
}

// The text of item index, straight from the list box.
std::string TCustomListBox::ItemText(int index) const {
  const LRESULT len = SendMessageA(FHandle, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (len == LB_ERR || len < 0) return std::string();
  std::string text(static_cast<size_t>(len) + 1, '\0');
  SendMessageA(FHandle, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(std::strlen(text.c_str()));
  return text;
}

QUORVEL_DEFINE_CLASS(TListBox) {}
