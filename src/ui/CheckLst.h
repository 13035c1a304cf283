// The check list: an owner-drawn list box ("TCheckListBox", a LISTBOX
// superclass) with a check box in front of every item.
#pragma once

#include "ui/StdCtrls.h"

// A list box whose items each carry a check, toggled by a click on the box
// or the space bar. The check is kept in the item's data word, so items
// added with LB_ADDSTRING directly start unchecked.
class TCheckListBox : public TCustomListBox {
  QUORVEL_CLASS(TCheckListBox, TCustomListBox)
public:
  explicit TCheckListBox(TComponent* owner);

  // The check of item index; raises EListError when index is out of range.
  bool Checked(int index) const;
  void SetChecked(int index, bool value);
  // Check boxes drawn flat (true) or three-dimensional.
  bool Flat() const { return FFlat; }
  void SetFlat(bool value);

  void WndProc(TMessage& msg) override;

  // Runs after the user toggled a check.
  TNotifyEvent OnClickCheck;

protected:
  void DrawItem(const DRAWITEMSTRUCT& item) override;
  // Runs OnClickCheck.
  virtual void ClickCheck();

private:
  // The width of the box area at the left of each item.
  static int CheckAreaWidth();
  void ToggleCheck(int index);
  void CheckIndex(int index) const;
  bool FFlat = true;
};
