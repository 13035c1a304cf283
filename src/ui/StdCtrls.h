// Standard controls: push buttons and list boxes, each a superclass of the
// system's control (window classes "TButton", "TListBox", ...).
#pragma once

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ui/Controls.h"

// A push button (BUTTON): a click (mouse, BM_CLICK, Enter when default,
// Escape when cancel) runs OnClick and sets the form's ModalResult.
class TButton : public TWinControl {
  QUORVEL_CLASS(TButton, TWinControl)
public:
  explicit TButton(TComponent* owner);

  bool Default() const { return FDefault; }
  void SetDefault(bool value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool value) { FCancel = value; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult value) { FModalResult = value; }

  // Sets the form's ModalResult (when it has one), then runs OnClick.
  void Click() override;
  void WndProc(TMessage& msg) override;

protected:
  void CreateParams(TCreateParams& params) override;

private:
  bool FDefault = false;
  bool FCancel = false;
  TModalResult FModalResult = mrNone;
};

class TCustomListBox;

// The strings of a list box, kept in the window (LB_ messages) or, before
// there is one, in the control. Each item also has a data word; its lowest
// bit is kept for the control's own use (the check of a check list).
class TListBoxStrings : public TStrings {
public:
  explicit TListBoxStrings(TCustomListBox& listBox) : FListBox(listBox) {}
  int Count() const override;
  std::string Get(int index) const override;
  // Replaces an item's text; its data word (object, check) and selection stay.
  void Put(int index, const std::string& s) override;
  TObject* Objects(int index) const override;
  void SetObjects(int index, TObject* object) override;
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;
  int Add(const std::string& s) override;
  // The first item equal to s regardless of letter case (LB_FINDSTRINGEXACT).
  int IndexOf(const std::string& s) const override;

protected:
  // BeginUpdate stops the list box redrawing; EndUpdate redraws it once.
  void SetUpdateState(bool updating) override;

private:
  TCustomListBox& FListBox;
};

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

// A list box (LISTBOX).
class TCustomListBox : public TWinControl {
  QUORVEL_CLASS(TCustomListBox, TWinControl)
public:
  explicit TCustomListBox(TComponent* owner);
  ~TCustomListBox() override;

  TStrings& Items() { return FItems; }
  TStrings* ItemsObject() { return &FItems; }
  int ItemIndex();
  void SetItemIndex(int value);
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int value);
  bool Sorted() const { return FSorted; }
  void SetSorted(bool value);
  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle value);
  // The index of the item equal to s regardless of letter case, or -1.
  int FindExact(const std::string& s);
  // The item at a client point, or -1.
  int ItemAtPos(TPoint point);
  TRect ItemRect(int index);

  // The data word of item index.
  LPARAM ItemData(int index) const;
  void SetItemData(int index, LPARAM data);

  void WndProc(TMessage& msg) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void InitWnd() override;
  void DestroyWnd() override;
  // Draws an item of an owner-drawn list.
  virtual void DrawItem(const DRAWITEMSTRUCT& item);

private:
  friend class TListBoxStrings;
  // True when no item equals s regardless of letter case, known without a search.
  bool KnownAbsent(const std::string& s) const;
  // Counts one more (delta 1) or one less (delta -1) item holding text.
  void CountText(const std::string& text, int delta);
  // The text of item index, straight from the list box.
  std::string ItemText(int index) const;

  TListBoxStrings FItems{*this};
  // How many items hold each text (upper-cased), kept up to date from the
  // messages that add and remove items, so that looking up a text that is
  // not listed costs no search through the list box.
  std::unordered_map<std::string, int> FTextCounts;
  bool FTextCountsValid = true;
  // The items while there is no window: text and data word.
  std::vector<std::pair<std::string, LPARAM>> FSaved;
  int FSavedIndex = -1;
  int FItemHeight = 16;
  bool FSorted = false;
  TListBoxStyle FStyle = lbStandard;
};

// The list box of programs.
class TListBox : public TCustomListBox {
  QUORVEL_CLASS(TListBox, TCustomListBox)
public:
  explicit TListBox(TComponent* owner) : TCustomListBox(owner) {}
};
