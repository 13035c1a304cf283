// The check list.
#include "ui/CheckLst.h"

#include <windowsx.h>

#include "ui/Published.h"

namespace {
constexpr int kCheckSize = 13;
constexpr int kCheckMargin = 2;
}  // namespace

QUORVEL_DEFINE_CLASS(TCheckListBox) {
  p.Bool("Flat", &TCheckListBox::Flat, &TCheckListBox::SetFlat, true);
  p.Event("OnClickCheck", &TCheckListBox::OnClickCheck);
}

// An owner-drawn list box with fixed item heights.
TCheckListBox::TCheckListBox(TComponent* owner) : TCustomListBox(owner) {
  SetStyle(lbOwnerDrawFixed);
}

// The box area: a margin, the box, a margin.
int TCheckListBox::CheckAreaWidth() { return kCheckMargin + kCheckSize + kCheckMargin; }

// Raises EListError for an index that names no item.
void TCheckListBox::CheckIndex(int index) const {
  if (index < 0 || index >= const_cast<TCheckListBox*>(this)->Items().Count())
    throw EListError(Format(Msg::ListIndexError, index));
}

// The check of item index.
bool TCheckListBox::Checked(int index) const {
  CheckIndex(index);
  return (ItemData(index) & 1) != 0;
}

// Sets the check of item index and redraws the item.
void TCheckListBox::SetChecked(int index, bool value) {
  CheckIndex(index);
  const LPARAM data = ItemData(index);
  const LPARAM changed = value ? (data | 1) : (data & ~static_cast<LPARAM>(1));
  if (changed == data) return;
  SetItemData(index, changed);
  if (FHandle) {
    const RECT r = ItemRect(index);
    InvalidateRect(FHandle, &r, FALSE);
  }
}

// Flat or three-dimensional boxes.
void TCheckListBox::SetFlat(bool value) {
  FFlat = value;
  Invalidate();
}

// Runs OnClickCheck.
void TCheckListBox::ClickCheck() { OnClickCheck(this); }

// The user toggles the check of an item.
void TCheckListBox::ToggleCheck(int index) {
  SetChecked(index, !Checked(index));
  ClickCheck();
}

// Clicks on a box and the space bar toggle checks.
void TCheckListBox::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const TPoint pt{GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)};
      const int index = ItemAtPos(pt);
      if (index >= 0 && Enabled()) {
        const RECT r = ItemRect(index);
        if (pt.x - r.left < CheckAreaWidth()) ToggleCheck(index);
      }
      break;
    }
    case WM_CHAR:
      if (msg.WParam == ' ') {
        const int index = ItemIndex();
        if (index >= 0 && Enabled()) ToggleCheck(index);
        msg.Result = 0;
        return;
      }
      break;
    default: break;
  }
  TCustomListBox::WndProc(msg);
}

// Draws the check box, then the text (highlighted when selected).
void TCheckListBox::DrawItem(const DRAWITEMSTRUCT& item) {
  const int index = static_cast<int>(item.itemID);
  RECT box = item.rcItem;
  box.right = box.left + CheckAreaWidth();
  FillRect(item.hDC, &box, FBrush.Handle());
  const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - kCheckSize) / 2;
  RECT check{box.left + kCheckMargin, top, box.left + kCheckMargin + kCheckSize, top + kCheckSize};
  UINT state = DFCS_BUTTONCHECK;
  if (ItemData(index) & 1) state |= DFCS_CHECKED;
  if (FFlat) state |= DFCS_FLAT;
  if (!Enabled()) state |= DFCS_INACTIVE;
  DrawFrameControl(item.hDC, &check, DFC_BUTTON, state);

  RECT text = item.rcItem;
  text.left = box.right;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  SetBkColor(item.hDC, selected ? GetSysColor(COLOR_HIGHLIGHT) : ColorToRGB(Color()));
  SetTextColor(item.hDC, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                  : ColorToRGB(Enabled() ? Font().Color() : clGrayText));
  DrawItemText(item.hDC, text.left + 2, text.top, text, WideItem(index));
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &text);
}
