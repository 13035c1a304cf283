// Push buttons, list boxes, edits, memos, combo boxes, check boxes, radio
// buttons, group boxes and scroll bars.
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
    default: break;
  }
  TWinControl::WndProc(msg);
}

// ---------------------------------------------------------------------------
// TListBoxStrings

namespace {
// Adds a TrueType family (not a vertical one) to the list in list, once.
int CALLBACK AddFallbackFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM list) {
  auto& out = *reinterpret_cast<std::vector<std::wstring>*>(list);
  const std::wstring name = font->lfFaceName;
  if ((type & TRUETYPE_FONTTYPE) && !name.empty() && name[0] != L'@' &&
      std::find(out.begin(), out.end(), name) == out.end())
    out.push_back(name);
  return 1;
}

// The names of the installed TrueType font families, those most likely to
// have the characters of many scripts first (read once).
const std::vector<std::wstring>& FallbackFamilies() {
  static const std::vector<std::wstring> families = [] {
    std::vector<std::wstring> names = {L"Microsoft Sans Serif", L"Tahoma", L"Arial Unicode MS"};
    HDC screen = GetDC(nullptr);
    LOGFONTW any{};
    any.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(screen, &any, AddFallbackFamily, reinterpret_cast<LPARAM>(&names), 0);
    ReleaseDC(nullptr, screen);
    return names;
  }();
  return families;
}

// The characters of text that the font selected in dc has no glyph for.
std::wstring MissingGlyphs(HDC dc, const std::wstring& text) {
  std::vector<WORD> glyphs(text.size());
  if (GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                       GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR)
    return std::wstring();
  std::wstring missing;
  for (size_t i = 0; i < text.size(); ++i)
    if (glyphs[i] == 0xFFFF) missing += text[i];
  return missing;
}

// The text upper-cased by the platform's locale-aware call.
std::wstring UpperText(std::wstring s) {
  if (!s.empty()) CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
  return s;
}
}  // namespace

// The number of items.
int TListBoxStrings::Count() const {
  if (FListBox.FHandle) return static_cast<int>(SendMessageA(FListBox.FHandle, LB_GETCOUNT, 0, 0));
  return static_cast<int>(FListBox.FSaved.size());
}

// The ANSI text of item index.
std::string TListBoxStrings::Get(int index) const {
  if (index < 0 || index >= Count()) Error(Msg::ListIndexError, index);
  if (!FListBox.FHandle) return WideToAcp(FListBox.FSaved[static_cast<size_t>(index)].first);
  return WideToAcp(FListBox.ItemText(index));
}

// Replaces the text of item index; the data word and the selection stay
// (a plain delete and insert would drop the check and the selection).
void TListBoxStrings::Put(int index, const std::string& s) {
  if (index < 0 || index >= Count()) Error(Msg::ListIndexError, index);
  if (!FListBox.FHandle) {
    FListBox.FSaved[static_cast<size_t>(index)].first = AcpToWide(s);
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
  FListBox.InsertWide(index, AcpToWide(s));
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
int TListBoxStrings::Add(const std::string& s) { return FListBox.AddWide(AcpToWide(s)); }

// The first item equal to s regardless of letter case, or -1.
int TListBoxStrings::IndexOf(const std::string& s) const {
  return FListBox.FindExactWide(AcpToWide(s));
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
  p.Integer("ScrollWidth", &TCustomListBox::ScrollWidth, &TCustomListBox::SetScrollWidth);
  p.Bool("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted);
  p.Enum("Style", &TCustomListBox::Style, &TCustomListBox::SetStyle,
         {"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable"});
  // Accepted for stored forms: list boxes here never shrink to whole items.
  p.Bool(
      "IntegralHeight", [](TCustomListBox&) { return false; }, [](TCustomListBox&, bool) {});
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

// A superclass of LISTBOX (a Unicode one on the NT family) with a sunken
// edge and scroll bars that show when the items need them.
void TCustomListBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Unicode = IsWindowsNT();
  CreateSubClass(params, "LISTBOX");
  params.Style |= WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
  if (FSorted) params.Style |= LBS_SORT;
  if (FStyle == lbOwnerDrawFixed) params.Style |= LBS_OWNERDRAWFIXED;
  if (FStyle == lbOwnerDrawVariable) params.Style |= LBS_OWNERDRAWVARIABLE;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

// The window gets the item height and the items kept meanwhile.
void TCustomListBox::InitWnd() {
  FUnicode = IsWindowUnicode(FHandle) != FALSE;
  FTextCounts.clear();  // a new window starts empty
  FTextCountsValid = true;
  if (FStyle != lbStandard) SendMessageA(FHandle, LB_SETITEMHEIGHT, 0, FItemHeight);
  SendMessageA(FHandle, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(FScrollWidth), 0);
  for (const auto& [text, data] : FSaved) {
    const LRESULT i = SendText(LB_ADDSTRING, 0, text);
    if (i >= 0) SendMessageA(FHandle, LB_SETITEMDATA, static_cast<WPARAM>(i), data);
  }
  FSaved.clear();
  if (FSavedIndex >= 0) SendMessageA(FHandle, LB_SETCURSEL, static_cast<WPARAM>(FSavedIndex), 0);
}

// Keeps the items while the window is gone.
void TCustomListBox::DestroyWnd() {
  const int n = FItems.Count();
  std::vector<std::pair<std::wstring, LPARAM>> items;
  items.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) items.emplace_back(ItemText(i), ItemData(i));
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

// The width the items can be scrolled over (the horizontal extent).
void TCustomListBox::SetScrollWidth(int value) {
  FScrollWidth = std::max(value, 0);
  if (FHandle) SendMessageA(FHandle, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(FScrollWidth), 0);
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

// The item under a client point, or -1. LB_ITEMFROMPOINT answers the low 16
// bits of the index; the item shown there lies at most a screenful below
// the top item, which fixes the rest.
int TCustomListBox::ItemAtPos(TPoint point) {
  const LRESULT r = SendMessageA(Handle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
  if (HIWORD(r) != 0) return -1;
  const LRESULT top = SendMessageA(FHandle, LB_GETTOPINDEX, 0, 0);
  const int index = static_cast<int>(top + ((LOWORD(r) - top) & 0xFFFF));
  return index < FItems.Count() ? index : -1;
}

// The rectangle of item index in client coordinates.
TRect TCustomListBox::ItemRect(int index) {
  RECT r{};
  SendMessageA(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  return r;
}

// The data word of an item.
LPARAM TCustomListBox::ItemData(int index) const {
  if (!FHandle)
    return (index >= 0 && static_cast<size_t>(index) < FSaved.size())
               ? FSaved[static_cast<size_t>(index)].second
               : 0;
  const LRESULT r = SendMessageA(FHandle, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  return r == LB_ERR ? 0 : r;
}

// Sets the data word of an item.
void TCustomListBox::SetItemData(int index, LPARAM data) {
  if (!FHandle) {
    if (index >= 0 && static_cast<size_t>(index) < FSaved.size())
      FSaved[static_cast<size_t>(index)].second = data;
    return;
  }
  SendMessageA(FHandle, LB_SETITEMDATA, static_cast<WPARAM>(index), data);
}

// The UTF-16 text of item index.
std::wstring TCustomListBox::WideItem(int index) {
  if (index < 0 || index >= FItems.Count()) throw EListError(Format(Msg::ListIndexError, index));
  if (!FHandle) return FSaved[static_cast<size_t>(index)].first;
  return ItemText(index);
}

// Appends s (a sorted list inserts it in order); returns its index.
int TCustomListBox::AddWide(const std::wstring& s) {
  if (!FHandle) {
    auto at = FSaved.end();
    if (FSorted)
      at = std::find_if(FSaved.begin(), FSaved.end(), [&](const auto& item) {
        return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, item.first.c_str(), -1,
                              s.c_str(), -1) == CSTR_GREATER_THAN;
      });
    return static_cast<int>(FSaved.insert(at, {s, 0}) - FSaved.begin());
  }
  const LRESULT r = SendText(LB_ADDSTRING, 0, s);
  if (r < 0) throw EOutOfResources("Not enough room in the list");
  return static_cast<int>(r);
}

// Inserts s at index (0 to the item count).
void TCustomListBox::InsertWide(int index, const std::wstring& s) {
  if (index < 0 || index > FItems.Count()) throw EListError(Format(Msg::ListIndexError, index));
  if (!FHandle) {
    FSaved.insert(FSaved.begin() + index, {s, 0});
    return;
  }
  if (SendText(LB_INSERTSTRING, static_cast<WPARAM>(index), s) < 0)
    throw EOutOfResources("Not enough room in the list");
}

// The first item equal to s regardless of letter case, or -1.
int TCustomListBox::FindExactWide(const std::wstring& s) {
  if (!FHandle) {
    const std::wstring key = UpperText(s);
    for (size_t i = 0; i < FSaved.size(); ++i)
      if (UpperText(FSaved[i].first) == key) return static_cast<int>(i);
    return -1;
  }
  if (KnownAbsent(s)) return -1;
  const LRESULT r = SendText(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), s);
  return r == LB_ERR ? -1 : static_cast<int>(r);
}

// Draws an item: its text, highlighted when selected, and the focus frame.
void TCustomListBox::DrawItem(const DRAWITEMSTRUCT& item) {
  RECT r = item.rcItem;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  SetBkColor(item.hDC, selected ? GetSysColor(COLOR_HIGHLIGHT) : ColorToRGB(Color()));
  SetTextColor(item.hDC, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : ColorToRGB(Font().Color()));
  const std::wstring text =
      static_cast<int>(item.itemID) >= 0 ? ItemText(static_cast<int>(item.itemID)) : L"";
  DrawItemText(item.hDC, r.left + 2, r.top, r, text);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &r);
}

// Forgets the fallback fonts of the previous font.
void TCustomListBox::FontChanged() {
  FFallbackFont.Reset();
  FUncovered.clear();
  TWinControl::FontChanged();
}

// The list's font, or a font that has every character of the text.
void TCustomListBox::DrawItemText(HDC dc, int x, int y, const RECT& rect,
                                  const std::wstring& text) {
  TSelectObjectGuard font(dc, Font().Handle());
  if (HFONT fallback = FallbackFont(dc, text)) SelectObject(dc, fallback);
  ExtTextOutW(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &rect, text.c_str(),
              static_cast<UINT>(text.size()), nullptr);
}

// Null when the selected (list's) font has every character; else the last
// fallback font if it has them, else the first installed family that does.
HFONT TCustomListBox::FallbackFont(HDC dc, const std::wstring& text) {
  const std::wstring missing = MissingGlyphs(dc, text);
  if (missing.empty()) return nullptr;
  const HGDIOBJ listFont = GetCurrentObject(dc, OBJ_FONT);
  auto hasAll = [&](HFONT candidate) {
    SelectObject(dc, candidate);
    const bool all = MissingGlyphs(dc, missing).empty();
    SelectObject(dc, listFont);
    return all;
  };
  if (FFallbackFont && hasAll(FFallbackFont)) return FFallbackFont;
  if (missing.find_first_not_of(FUncovered) == std::wstring::npos) return nullptr;
  LOGFONTW like{};
  GetObjectW(listFont, sizeof like, &like);
  like.lfCharSet = DEFAULT_CHARSET;
  like.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  for (const std::wstring& family : FallbackFamilies()) {
    if (family.size() >= LF_FACESIZE) continue;
    std::copy(family.begin(), family.end(), like.lfFaceName);
    like.lfFaceName[family.size()] = L'\0';
    TFontObject candidate(CreateFontIndirectW(&like));
    if (candidate && hasAll(candidate)) {
      FFallbackFont = std::move(candidate);
      return FFallbackFont;
    }
  }
  FUncovered += missing;
  return nullptr;
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
      if (static_cast<LRESULT>(msg.Result) >= 0 && msg.LParam) {
        if (HoldsTexts())
          CountText(MessageText(msg.LParam), 1);
        else
          FTextCountsValid = false;  // the items are data words, not texts
      }
      return;
    case LB_DELETESTRING: {
      const bool texts = HoldsTexts();
      const std::wstring text = texts ? ItemText(static_cast<int>(msg.WParam)) : L"";
      TWinControl::WndProc(msg);
      if (static_cast<LRESULT>(msg.Result) == LB_ERR) return;
      if (texts)
        CountText(text, -1);
      else
        FTextCountsValid = false;
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
    default: break;
  }
  TWinControl::WndProc(msg);
}

// True when no item equals s regardless of letter case, known without a search.
bool TCustomListBox::KnownAbsent(const std::wstring& s) const {
  if (!FTextCountsValid) return false;
  return FTextCounts.find(UpperText(s)) == FTextCounts.end();
}

// True when the items are texts (an owner-drawn list may hold data words only).
bool TCustomListBox::HoldsTexts() const {
  return (GetWindowLongPtrA(FHandle, GWL_STYLE) & LBS_HASSTRINGS) || FStyle == lbStandard;
}

// Counts one more or one less item holding text.
void TCustomListBox::CountText(const std::wstring& text, int delta) {
  const std::wstring key = UpperText(text);
  int& count = FTextCounts[key];
  count += delta;
  if (count <= 0) FTextCounts.erase(key);
}

// The text of item index, straight from the list box.
std::wstring TCustomListBox::ItemText(int index) const {
  if (!FUnicode) {
    const LRESULT len = SendMessageA(FHandle, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (len == LB_ERR || len < 0) return std::wstring();
    std::string text(static_cast<size_t>(len) + 1, '\0');
    SendMessageA(FHandle, LB_GETTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::strlen(text.c_str()));
    return AcpToWide(text);
  }
  const LRESULT len = SendMessageW(FHandle, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (len == LB_ERR || len < 0) return std::wstring();
  std::wstring text(static_cast<size_t>(len) + 1, L'\0');
  SendMessageW(FHandle, LB_GETTEXT, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(text.data()));
  text.resize(std::wcslen(text.c_str()));
  return text;
}

// Sends msg with text as its lParam: UTF-16 to a Unicode window, else ANSI.
LRESULT TCustomListBox::SendText(UINT msg, WPARAM wParam, const std::wstring& text) const {
  if (FUnicode) return SendMessageW(FHandle, msg, wParam, reinterpret_cast<LPARAM>(text.c_str()));
  const std::string ansi = WideToAcp(text);
  return SendMessageA(FHandle, msg, wParam, reinterpret_cast<LPARAM>(ansi.c_str()));
}

// The text of an item-adding message (UTF-16 in a Unicode window's messages).
std::wstring TCustomListBox::MessageText(LPARAM text) const {
  if (FUnicode) return reinterpret_cast<const wchar_t*>(text);
  return AcpToWide(reinterpret_cast<const char*>(text));
}

QUORVEL_DEFINE_CLASS(TListBox) {}

namespace {
// The lines of text, split at CR LF, CR or LF; a last line break ends the
// last line and starts no other.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return lines;
}

// Unchecks the radio buttons that share control's parent.
void UncheckSiblings(TRadioButton* control) {
  TWinControl* parent = control->Parent();
  if (!parent) return;
  for (int i = 0; i < parent->ControlCount(); ++i)
    if (auto* radio = dynamic_cast<TRadioButton*>(parent->Controls(i)); radio && radio != control)
      radio->SetChecked(false);
}
}  // namespace

// ---------------------------------------------------------------------------
// TCustomEdit

QUORVEL_DEFINE_CLASS(TCustomEdit) {}

// A 121 by 21 edit in the window colour that is a tab stop.
TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  FControlStyle = csClickEvents | csSetCaption | csDoubleClicks;
  FWidth = 121;
  FHeight = 21;
  SetTabStop(true);
  SetColor(clWindow);
}

TCustomEdit::~TCustomEdit() { DestroyHandle(); }

// A superclass of EDIT with a sunken edge, scrolling its text sideways.
void TCustomEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, "EDIT");
  params.Style |= ES_AUTOHSCROLL;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

// A memo's text is stored as its Lines; an edit's as Text.
QUORVEL_DEFINE_CLASS(TEdit) { p.String("Text", &TEdit::Text, &TEdit::SetText); }

// ---------------------------------------------------------------------------
// TMemoStrings

// The lines as they are now (the pending ones inside an update bracket).
std::vector<std::string> TMemoStrings::Lines() const {
  return FUpdating ? FPending : SplitLines(FMemo.Text());
}

// Gives the memo the lines (at the end of the update bracket, when open).
void TMemoStrings::SetLines(std::vector<std::string> lines) {
  if (FUpdating) {
    FPending = std::move(lines);
    return;
  }
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  FMemo.SetText(text);
}

// The number of lines.
int TMemoStrings::Count() const { return static_cast<int>(Lines().size()); }

// Line index.
std::string TMemoStrings::Get(int index) const {
  const std::vector<std::string> lines = Lines();
  if (index < 0 || index >= static_cast<int>(lines.size())) Error(Msg::ListIndexError, index);
  return lines[static_cast<size_t>(index)];
}

// Replaces line index.
void TMemoStrings::Put(int index, const std::string& s) {
  std::vector<std::string> lines = Lines();
  if (index < 0 || index >= static_cast<int>(lines.size())) Error(Msg::ListIndexError, index);
  lines[static_cast<size_t>(index)] = s;
  SetLines(std::move(lines));
}

// Inserts a line before line index (Count: at the end).
void TMemoStrings::Insert(int index, const std::string& s) {
  std::vector<std::string> lines = Lines();
  if (index < 0 || index > static_cast<int>(lines.size())) Error(Msg::ListIndexError, index);
  lines.insert(lines.begin() + index, s);
  SetLines(std::move(lines));
}

// Removes line index.
void TMemoStrings::Delete(int index) {
  std::vector<std::string> lines = Lines();
  if (index < 0 || index >= static_cast<int>(lines.size())) Error(Msg::ListIndexError, index);
  lines.erase(lines.begin() + index);
  SetLines(std::move(lines));
}

// Empties the memo.
void TMemoStrings::Clear() { SetLines({}); }

// Opening the bracket takes the lines; closing it writes them back once.
void TMemoStrings::SetUpdateState(bool updating) {
  if (updating) {
    FPending = Lines();
    FUpdating = true;
    return;
  }
  FUpdating = false;
  SetLines(std::move(FPending));
  FPending.clear();
}

// ---------------------------------------------------------------------------
// TCustomMemo

QUORVEL_DEFINE_CLASS(TCustomMemo) {
  p.Object("Lines", &TCustomMemo::LinesObject);
  p.Enum("ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars,
         {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"});
  p.Bool("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap, true);
}

// A 185 by 89 memo that wraps its lines.
TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner) {
  FWidth = 185;
  FHeight = 89;
}

// Which scroll bars the memo has (the window is made again).
void TCustomMemo::SetScrollBars(TScrollStyle value) {
  if (value == FScrollBars) return;
  FScrollBars = value;
  RecreateWnd();
}

// Lines wrap at the right edge, or run on (the window is made again).
void TCustomMemo::SetWordWrap(bool value) {
  if (value == FWordWrap) return;
  FWordWrap = value;
  RecreateWnd();
}

// A multi-line EDIT; it scrolls sideways only when lines do not wrap.
void TCustomMemo::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  params.Style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
  if (FWordWrap) params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) params.Style |= WS_HSCROLL;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) params.Style |= WS_VSCROLL;
}

QUORVEL_DEFINE_CLASS(TMemo) {}

// ---------------------------------------------------------------------------
// TComboBoxStrings

// The number of items.
int TComboBoxStrings::Count() const {
  if (FComboBox.FHandle)
    return static_cast<int>(SendMessageA(FComboBox.FHandle, CB_GETCOUNT, 0, 0));
  return static_cast<int>(FComboBox.FSaved.size());
}

// The text of item index.
std::string TComboBoxStrings::Get(int index) const {
  if (index < 0 || index >= Count()) Error(Msg::ListIndexError, index);
  if (!FComboBox.FHandle) return FComboBox.FSaved[static_cast<size_t>(index)];
  const LRESULT len =
      SendMessageA(FComboBox.FHandle, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (len == CB_ERR || len < 0) return std::string();
  std::string text(static_cast<size_t>(len) + 1, '\0');
  SendMessageA(FComboBox.FHandle, CB_GETLBTEXT, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(text.data()));
  text.resize(std::strlen(text.c_str()));
  return text;
}

// Inserts an item at index (0 to Count).
void TComboBoxStrings::Insert(int index, const std::string& s) {
  if (index < 0 || index > Count()) Error(Msg::ListIndexError, index);
  if (!FComboBox.FHandle) {
    FComboBox.FSaved.insert(FComboBox.FSaved.begin() + index, s);
    return;
  }
  const LRESULT r = SendMessageA(FComboBox.FHandle, CB_INSERTSTRING, static_cast<WPARAM>(index),
                                 reinterpret_cast<LPARAM>(s.c_str()));
  if (r < 0) throw EOutOfResources("Not enough room in the list");
}

// Removes item index.
void TComboBoxStrings::Delete(int index) {
  if (index < 0 || index >= Count()) Error(Msg::ListIndexError, index);
  if (!FComboBox.FHandle) {
    FComboBox.FSaved.erase(FComboBox.FSaved.begin() + index);
    return;
  }
  SendMessageA(FComboBox.FHandle, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

// Removes every item.
void TComboBoxStrings::Clear() {
  if (!FComboBox.FHandle) {
    FComboBox.FSaved.clear();
    return;
  }
  SendMessageA(FComboBox.FHandle, CB_RESETCONTENT, 0, 0);
}

// Appends an item; returns its index.
int TComboBoxStrings::Add(const std::string& s) {
  if (!FComboBox.FHandle) {
    FComboBox.FSaved.push_back(s);
    return static_cast<int>(FComboBox.FSaved.size()) - 1;
  }
  const LRESULT r =
      SendMessageA(FComboBox.FHandle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
  if (r < 0) throw EOutOfResources("Not enough room in the list");
  return static_cast<int>(r);
}

// ---------------------------------------------------------------------------
// TCustomComboBox

QUORVEL_DEFINE_CLASS(TCustomComboBox) {
  p.Enum("Style", &TCustomComboBox::Style, &TCustomComboBox::SetStyle,
         {"csDropDown", "csSimple", "csDropDownList"});
  p.Object("Items", &TCustomComboBox::ItemsObject);
  p.Integer("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex, -1);
  p.String("Text", &TCustomComboBox::Text, &TCustomComboBox::SetText);
}

// A 145 by 21 drop-down combo box in the window colour that is a tab stop.
TCustomComboBox::TCustomComboBox(TComponent* owner) : TWinControl(owner) {
  FControlStyle = csSetCaption | csDoubleClicks;
  FWidth = 145;
  FHeight = 21;
  SetTabStop(true);
  SetColor(clWindow);
}

TCustomComboBox::~TCustomComboBox() { DestroyHandle(); }

// Eight items' room below a closed box; none for a simple combo box.
int TCustomComboBox::DropDownExtra() const { return FStyle == csSimple ? 0 : 8 * 16 + 2; }

// A superclass of COMBOBOX of the chosen style.
void TCustomComboBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, "COMBOBOX");
  params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL | CBS_HASSTRINGS | CBS_NOINTEGRALHEIGHT;
  params.Style |= FStyle == csSimple         ? CBS_SIMPLE
                  : FStyle == csDropDownList ? CBS_DROPDOWNLIST
                                             : CBS_DROPDOWN;
  params.Height += DropDownExtra();
}

// The window gets the items, the chosen one and the text kept meanwhile.
void TCustomComboBox::InitWnd() {
  for (const std::string& item : FSaved)
    SendMessageA(FHandle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  FSaved.clear();
  if (FSavedIndex >= 0)
    SendMessageA(FHandle, CB_SETCURSEL, static_cast<WPARAM>(FSavedIndex), 0);
  else if (!FText.empty())
    TextChanged();
}

// Keeps the items and the chosen one while the window is gone.
void TCustomComboBox::DestroyWnd() {
  const int index = ItemIndex();
  std::vector<std::string> items;
  for (int i = 0; i < FItems.Count(); ++i) items.push_back(FItems.Get(i));
  FSaved = std::move(items);
  FSavedIndex = index;
}

// The closed box gets the height; the window's own height adds the list's room.
void TCustomComboBox::SetBounds(int left, int top, int width, int height) {
  if (!FHandle || FStyle == csSimple || IsIconic(FHandle)) {
    TWinControl::SetBounds(left, top, width, height);
    return;
  }
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  SetWindowPos(FHandle, nullptr, left, top, width, height + DropDownExtra(),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// The item shown in the box, or -1.
int TCustomComboBox::ItemIndex() {
  if (!FHandle) return FSavedIndex;
  const LRESULT r = SendMessageA(FHandle, CB_GETCURSEL, 0, 0);
  return r == CB_ERR ? -1 : static_cast<int>(r);
}

// Shows item value in the box (-1: none).
void TCustomComboBox::SetItemIndex(int value) {
  if (!FHandle) {
    FSavedIndex = value;
    return;
  }
  SendMessageA(FHandle, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
}

// A new style needs a new window.
void TCustomComboBox::SetStyle(TComboBoxStyle value) {
  if (value == FStyle) return;
  FStyle = value;
  RecreateWnd();
}

// The edit takes the text; a drop-down list shows the item of that text.
void TCustomComboBox::TextChanged() {
  if (!FHandle) return;
  if (FStyle != csDropDownList) {
    TWinControl::TextChanged();
    return;
  }
  SetItemIndex(FItems.IndexOf(FText));
}

// A new choice in the list runs OnClick.
void TCustomComboBox::WndProc(TMessage& msg) {
  if (msg.Msg == CN_COMMAND) {
    if (HIWORD(msg.WParam) == CBN_SELCHANGE) Click();
    msg.Result = 0;
    return;
  }
  TWinControl::WndProc(msg);
}

QUORVEL_DEFINE_CLASS(TComboBox) {}

// ---------------------------------------------------------------------------
// TCustomCheckBox

QUORVEL_DEFINE_CLASS(TCustomCheckBox) {
  p.Enum("State", &TCustomCheckBox::State, &TCustomCheckBox::SetState,
         {"cbUnchecked", "cbChecked", "cbGrayed"});
  p.Bool("Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked).NotStored();
  p.Bool("AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed);
  p.Enum("Alignment", &TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment,
         {"taLeftJustify", "taRightJustify", "taCenter"}, taRightJustify);
}

// A 97 by 17 check box in its parent's colour that is a tab stop.
TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TWinControl(owner) {
  FControlStyle = csSetCaption | csDoubleClicks;
  FWidth = 97;
  FHeight = 17;
  SetTabStop(true);
  SetColor(clBtnFace);
  SetParentColor(true);
}

// A superclass of BUTTON that checks itself when clicked.
void TCustomCheckBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, "BUTTON");
  params.Style |= FAllowGrayed ? BS_AUTO3STATE : BS_AUTOCHECKBOX;
  if (FAlignment == taLeftJustify) params.Style |= BS_LEFTTEXT;
}

// The window shows the state kept meanwhile.
void TCustomCheckBox::InitWnd() {
  SendMessageA(FHandle, BM_SETCHECK, static_cast<WPARAM>(FState), 0);
}

// Keeps the state while the window is gone.
void TCustomCheckBox::DestroyWnd() { FState = State(); }

// Unchecked, checked or grayed: the window's state when there is one.
TCheckBoxState TCustomCheckBox::State() {
  if (!FHandle) return FState;
  const LRESULT r = SendMessageA(FHandle, BM_GETCHECK, 0, 0);
  return r == BST_CHECKED ? cbChecked : r == BST_INDETERMINATE ? cbGrayed : cbUnchecked;
}

// Shows a state (grayed only with AllowGrayed).
void TCustomCheckBox::SetState(TCheckBoxState value) {
  if (value == cbGrayed && !FAllowGrayed && !IsLoading()) value = cbUnchecked;
  FState = value;
  if (FHandle) SendMessageA(FHandle, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

// Two or three states (the window is made again).
void TCustomCheckBox::SetAllowGrayed(bool value) {
  if (value == FAllowGrayed) return;
  FState = State();
  FAllowGrayed = value;
  if (!value && FState == cbGrayed) FState = cbUnchecked;
  RecreateWnd();
}

// The text on the right of the box, or on the left (the window is made again).
void TCustomCheckBox::SetAlignment(TAlignment value) {
  if (value == FAlignment) return;
  FAlignment = value;
  RecreateWnd();
}

// A click has changed the state already: OnClick runs.
void TCustomCheckBox::WndProc(TMessage& msg) {
  if (msg.Msg == CN_COMMAND) {
    if (HIWORD(msg.WParam) == BN_CLICKED) {
      FState = State();
      Click();
    }
    msg.Result = 0;
    return;
  }
  TWinControl::WndProc(msg);
}

QUORVEL_DEFINE_CLASS(TCheckBox) {}

// ---------------------------------------------------------------------------
// TRadioButton

QUORVEL_DEFINE_CLASS(TRadioButton) {
  p.Bool("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked);
}

// A 113 by 17 radio button in its parent's colour.
TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner) {
  FControlStyle = csSetCaption | csDoubleClicks;
  FWidth = 113;
  FHeight = 17;
  SetColor(clBtnFace);
  SetParentColor(true);
}

// A superclass of BUTTON that checks itself (and unchecks the others) when clicked.
void TRadioButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, "BUTTON");
  params.Style |= BS_AUTORADIOBUTTON;
}

// The window shows the check kept meanwhile.
void TRadioButton::InitWnd() {
  SendMessageA(FHandle, BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// Keeps the check while the window is gone.
void TRadioButton::DestroyWnd() { FChecked = Checked(); }

// The check, the window's when there is one.
bool TRadioButton::Checked() {
  if (!FHandle) return FChecked;
  return SendMessageA(FHandle, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Checks (unchecking the radio buttons beside it) or unchecks.
void TRadioButton::SetChecked(bool value) {
  FChecked = value;
  if (FHandle) SendMessageA(FHandle, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
  if (value) UncheckSiblings(this);
}

// A click has checked the button: OnClick runs.
void TRadioButton::WndProc(TMessage& msg) {
  if (msg.Msg == CN_COMMAND) {
    if (HIWORD(msg.WParam) == BN_CLICKED && Checked()) {
      FChecked = true;
      UncheckSiblings(this);
      Click();
    }
    msg.Result = 0;
    return;
  }
  TWinControl::WndProc(msg);
}

// ---------------------------------------------------------------------------
// TCustomGroupBox

QUORVEL_DEFINE_CLASS(TCustomGroupBox) {}

// A 185 by 105 group box in its parent's colour that holds controls.
TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TWinControl(owner) {
  FControlStyle =
      csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  FWidth = 185;
  FHeight = 105;
  SetColor(clBtnFace);
  SetParentColor(true);
}

// A superclass of BUTTON drawn as a group frame.
void TCustomGroupBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, "BUTTON");
  params.Style |= BS_GROUPBOX;
}

// The standard group box leaves its inside unpainted: it gets Color.
void TCustomGroupBox::WndProc(TMessage& msg) {
  if (msg.Msg == WM_ERASEBKGND) {
    RECT r;
    GetClientRect(FHandle, &r);
    FillRect(reinterpret_cast<HDC>(msg.WParam), &r, FBrush.Handle());
    msg.Result = 1;
    return;
  }
  TWinControl::WndProc(msg);
}

QUORVEL_DEFINE_CLASS(TGroupBox) {}

// ---------------------------------------------------------------------------
// TScrollBar

QUORVEL_DEFINE_CLASS(TScrollBar) {
  p.Enum("Kind", &TScrollBar::Kind, &TScrollBar::SetKind, {"sbHorizontal", "sbVertical"});
  p.Integer("Min", &TScrollBar::Min, &TScrollBar::SetMin);
  p.Integer("Max", &TScrollBar::Max, &TScrollBar::SetMax, 100);
  p.Integer("Position", &TScrollBar::Position, &TScrollBar::SetPosition);
  p.Integer("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize);
  p.Integer("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange, 1);
  p.Integer("LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange, 1);
  p.Event("OnChange", &TScrollBar::OnChange);
}

// A horizontal bar of 121 by 17 from 0 to 100 that is a tab stop.
TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
  FControlStyle = csDoubleClicks;
  FWidth = 121;
  FHeight = 17;
  SetTabStop(true);
  SetColor(clBtnFace);
}

// A superclass of SCROLLBAR of the kind's direction.
void TScrollBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, "SCROLLBAR");
  params.Style |= FKind == sbHorizontal ? SBS_HORZ : SBS_VERT;
}

// The window gets the range, page and position.
void TScrollBar::InitWnd() { UpdateScrollInfo(); }

// Horizontal or vertical; a bar that exists turns its size round with it.
void TScrollBar::SetKind(TScrollBarKind value) {
  if (value == FKind) return;
  FKind = value;
  if (!IsLoading()) SetBounds(FLeft, FTop, FHeight, FWidth);
  RecreateWnd();
}

// The lowest position.
void TScrollBar::SetMin(int value) {
  FMin = value;
  if (!IsLoading()) SetPosition(FPosition);
  UpdateScrollInfo();
}

// The highest position (less the page).
void TScrollBar::SetMax(int value) {
  FMax = value;
  if (!IsLoading()) SetPosition(FPosition);
  UpdateScrollInfo();
}

// The size of the thumb in positions (0: a square thumb).
void TScrollBar::SetPageSize(int value) {
  FPageSize = std::max(value, 0);
  if (!IsLoading()) SetPosition(FPosition);
  UpdateScrollInfo();
}

// Moves the thumb (kept within the range outside loading); OnChange runs on a change.
void TScrollBar::SetPosition(int value) {
  if (!IsLoading()) value = std::max(FMin, std::min(value, FMax - std::max(FPageSize - 1, 0)));
  if (value == FPosition) return;
  FPosition = value;
  UpdateScrollInfo();
  if (!IsLoading()) OnChange(this);
}

// Range, page and position into the window (through its WindowProc).
void TScrollBar::UpdateScrollInfo() {
  if (!FHandle) return;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  si.nMin = FMin;
  si.nMax = FMax;
  si.nPage = static_cast<UINT>(FPageSize);
  si.nPos = FPosition;
  SendMessageA(FHandle, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&si));
}

// Arrows, track and thumb move the position.
void TScrollBar::Scroll(WPARAM code) {
  switch (LOWORD(code)) {
    case SB_LINEUP: SetPosition(FPosition - FSmallChange); break;
    case SB_LINEDOWN: SetPosition(FPosition + FSmallChange); break;
    case SB_PAGEUP: SetPosition(FPosition - FLargeChange); break;
    case SB_PAGEDOWN: SetPosition(FPosition + FLargeChange); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      // The message carries 16 bits: signed for a range below zero.
      SetPosition(FMin < 0 ? static_cast<short>(HIWORD(code)) : static_cast<int>(HIWORD(code)));
      break;
    case SB_TOP: SetPosition(FMin); break;
    case SB_BOTTOM: SetPosition(FMax); break;
    default: break;
  }
}

// The parent's WM_HSCROLL / WM_VSCROLL come back reflected.
void TScrollBar::WndProc(TMessage& msg) {
  if (msg.Msg == CN_HSCROLL || msg.Msg == CN_VSCROLL) {
    Scroll(msg.WParam);
    msg.Result = 0;
    return;
  }
  TWinControl::WndProc(msg);
}
