// Standard controls: push buttons, check boxes, radio buttons, group boxes,
// edits, memos, list boxes, combo boxes and scroll bars, each a superclass
// of the system's control (window classes "TButton", "TEdit", "TMemo", ...).
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
// bit is kept for the control's own use (the check of a check list). These
// are the items' ANSI texts; the list box's wide calls give the UTF-16 ones.
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

// A list box (LISTBOX). On the NT family its window is a Unicode one, so
// that items hold any text; ANSI callers of LB_GETTEXT and the others get
// the ANSI text, translated by the system.
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
  // How far the items can be scrolled sideways, in pixels (0: no horizontal
  // scrolling).
  int ScrollWidth() const { return FScrollWidth; }
  void SetScrollWidth(int value);
  bool Sorted() const { return FSorted; }
  void SetSorted(bool value);
  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle value);
  // The index of the item equal to s regardless of letter case, or -1.
  int FindExact(const std::string& s);
  // The item at a client point, or -1 (at any item count, beyond the 16
  // bits of index that LB_ITEMFROMPOINT answers).
  int ItemAtPos(TPoint point);
  TRect ItemRect(int index);

  // The items as UTF-16 text (the ANSI text widened where the window is
  // not a Unicode one).
  std::wstring WideItem(int index);
  // Appends (a sorted list inserts in order); returns the index.
  int AddWide(const std::wstring& s);
  void InsertWide(int index, const std::wstring& s);
  // The first item equal to s regardless of letter case, or -1.
  int FindExactWide(const std::wstring& s);

  // The data word of item index.
  LPARAM ItemData(int index) const;
  void SetItemData(int index, LPARAM data);

  void WndProc(TMessage& msg) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void InitWnd() override;
  void DestroyWnd() override;
  // A new font: fallback fonts are looked for again, at its height.
  void FontChanged() override;
  // Draws an item of an owner-drawn list.
  virtual void DrawItem(const DRAWITEMSTRUCT& item);
  // Draws an item's text at (x, y), opaque over rect and clipped to it, in
  // the DC's colours: with the list's font, or, for a text with characters
  // that font lacks, with an installed font that has them all.
  void DrawItemText(HDC dc, int x, int y, const RECT& rect, const std::wstring& text);

private:
  friend class TListBoxStrings;
  // A font of the list's height with every character of text (text is
  // drawn with the list's font, selected in dc, when it gives null).
  HFONT FallbackFont(HDC dc, const std::wstring& text);
  // True when no item equals s regardless of letter case, known without a search.
  bool KnownAbsent(const std::wstring& s) const;
  // True when the items are texts (an owner-drawn list may hold data words only).
  bool HoldsTexts() const;
  // Counts one more (delta 1) or one less (delta -1) item holding text.
  void CountText(const std::wstring& text, int delta);
  // The text of item index, straight from the list box.
  std::wstring ItemText(int index) const;
  // Sends a message whose lParam is a text, as the window's kind takes it.
  LRESULT SendText(UINT msg, WPARAM wParam, const std::wstring& text) const;
  // The text an item-adding message carries, as its window's kind sent it.
  std::wstring MessageText(LPARAM text) const;

  TListBoxStrings FItems{*this};
  // How many items hold each text (upper-cased by the platform's
  // locale-aware call), kept up to date from the messages that add and
  // remove items, so that looking up a text that is not listed costs no
  // search through the list box.
  std::unordered_map<std::wstring, int> FTextCounts;
  bool FTextCountsValid = true;
  // The items while there is no window: text and data word.
  std::vector<std::pair<std::wstring, LPARAM>> FSaved;
  // The window is a Unicode one.
  bool FUnicode = false;
  // The last font found for characters the list's font lacks, and the
  // characters that no installed font has.
  TFontObject FFallbackFont;
  std::wstring FUncovered;
  int FSavedIndex = -1;
  int FItemHeight = 16;
  int FScrollWidth = 0;
  bool FSorted = false;
  TListBoxStyle FStyle = lbStandard;
};

// The list box of programs.
class TListBox : public TCustomListBox {
  QUORVEL_CLASS(TListBox, TCustomListBox)
public:
  explicit TListBox(TComponent* owner) : TCustomListBox(owner) {}
};

// ---------------------------------------------------------------------------

// An edit (EDIT) with a sunken edge, one line unless a memo.
class TCustomEdit : public TWinControl {
  QUORVEL_CLASS(TCustomEdit, TWinControl)
public:
  explicit TCustomEdit(TComponent* owner);
  ~TCustomEdit() override;

protected:
  void CreateParams(TCreateParams& params) override;
};

// The one-line edit of programs; its text is Text.
class TEdit : public TCustomEdit {
  QUORVEL_CLASS(TEdit, TCustomEdit)
public:
  explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomMemo;

// The lines of a memo: its text split at line breaks. Changes inside an
// update bracket reach the window once, when the bracket closes.
class TMemoStrings : public TStrings {
public:
  explicit TMemoStrings(TCustomMemo& memo) : FMemo(memo) {}
  int Count() const override;
  std::string Get(int index) const override;
  void Put(int index, const std::string& s) override;
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;

protected:
  void SetUpdateState(bool updating) override;

private:
  std::vector<std::string> Lines() const;
  void SetLines(std::vector<std::string> lines);
  TCustomMemo& FMemo;
  bool FUpdating = false;
  std::vector<std::string> FPending;
};

// A multi-line edit: scroll bars as ScrollBars says; without WordWrap the
// lines run on to the right (and the horizontal bar scrolls them).
class TCustomMemo : public TCustomEdit {
  QUORVEL_CLASS(TCustomMemo, TCustomEdit)
public:
  explicit TCustomMemo(TComponent* owner);

  TStrings& Lines() { return FLines; }
  TStrings* LinesObject() { return &FLines; }
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);

protected:
  void CreateParams(TCreateParams& params) override;

private:
  TMemoStrings FLines{*this};
  TScrollStyle FScrollBars = ssNone;
  bool FWordWrap = true;
};

// The memo of programs.
class TMemo : public TCustomMemo {
  QUORVEL_CLASS(TMemo, TCustomMemo)
public:
  explicit TMemo(TComponent* owner) : TCustomMemo(owner) {}
};

class TCustomComboBox;

// The items of a combo box, kept in the window (CB_ messages) or, before
// there is one, in the control.
class TComboBoxStrings : public TStrings {
public:
  explicit TComboBoxStrings(TCustomComboBox& comboBox) : FComboBox(comboBox) {}
  int Count() const override;
  std::string Get(int index) const override;
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;
  int Add(const std::string& s) override;

private:
  TCustomComboBox& FComboBox;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

// A combo box (COMBOBOX): an edit with a drop-down list (csDropDown), an edit
// over a list that is always shown (csSimple), or a drop-down list alone
// (csDropDownList). Height is the height of the closed box; the drop-down
// list gets room for eight items below it. Choosing an item runs OnClick.
class TCustomComboBox : public TWinControl {
  QUORVEL_CLASS(TCustomComboBox, TWinControl)
public:
  explicit TCustomComboBox(TComponent* owner);
  ~TCustomComboBox() override;

  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle value);
  TStrings& Items() { return FItems; }
  TStrings* ItemsObject() { return &FItems; }
  // The chosen item, or -1.
  int ItemIndex();
  void SetItemIndex(int value);

  void SetBounds(int left, int top, int width, int height) override;
  void WndProc(TMessage& msg) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void InitWnd() override;
  void DestroyWnd() override;
  // A drop-down list has no text of its own: the text chooses the item.
  void TextChanged() override;

private:
  friend class TComboBoxStrings;
  // What the window's height adds to Height for the drop-down list.
  int DropDownExtra() const;
  TComboBoxStrings FItems{*this};
  std::vector<std::string> FSaved;  // the items while there is no window
  int FSavedIndex = -1;
  TComboBoxStyle FStyle = csDropDown;
};

// The combo box of programs.
class TComboBox : public TCustomComboBox {
  QUORVEL_CLASS(TComboBox, TCustomComboBox)
public:
  explicit TComboBox(TComponent* owner) : TCustomComboBox(owner) {}
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// A check box (BUTTON, BS_AUTOCHECKBOX, or BS_AUTO3STATE with AllowGrayed):
// a click changes State, then runs OnClick. Alignment taLeftJustify puts the
// text on the left of the box.
class TCustomCheckBox : public TWinControl {
  QUORVEL_CLASS(TCustomCheckBox, TWinControl)
public:
  explicit TCustomCheckBox(TComponent* owner);

  TCheckBoxState State();
  void SetState(TCheckBoxState value);
  bool Checked() { return State() == cbChecked; }
  void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);

  void WndProc(TMessage& msg) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void InitWnd() override;
  void DestroyWnd() override;

private:
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  TAlignment FAlignment = taRightJustify;
};

// The check box of programs.
class TCheckBox : public TCustomCheckBox {
  QUORVEL_CLASS(TCheckBox, TCustomCheckBox)
public:
  explicit TCheckBox(TComponent* owner) : TCustomCheckBox(owner) {}
};

// A radio button (BUTTON, BS_AUTORADIOBUTTON). Checking one, by a click or
// by Checked, unchecks the radio buttons beside it (same parent); a click
// runs OnClick.
class TRadioButton : public TWinControl {
  QUORVEL_CLASS(TRadioButton, TWinControl)
public:
  explicit TRadioButton(TComponent* owner);

  bool Checked();
  void SetChecked(bool value);

  void WndProc(TMessage& msg) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void InitWnd() override;
  void DestroyWnd() override;

private:
  bool FChecked = false;
};

// A group box (BUTTON, BS_GROUPBOX): a captioned frame that holds controls;
// its inside is filled with Color.
class TCustomGroupBox : public TWinControl {
  QUORVEL_CLASS(TCustomGroupBox, TWinControl)
public:
  explicit TCustomGroupBox(TComponent* owner);
  void WndProc(TMessage& msg) override;

protected:
  void CreateParams(TCreateParams& params) override;
};

// The group box of programs.
class TGroupBox : public TCustomGroupBox {
  QUORVEL_CLASS(TGroupBox, TCustomGroupBox)
public:
  explicit TGroupBox(TComponent* owner) : TCustomGroupBox(owner) {}
};

enum TScrollBarKind { sbHorizontal, sbVertical };

// A scroll bar control (SCROLLBAR). Its arrows, track and thumb move
// Position by SmallChange, LargeChange or to the thumb, within Min to
// Max - PageSize + 1; every change of Position runs OnChange.
class TScrollBar : public TWinControl {
  QUORVEL_CLASS(TScrollBar, TWinControl)
public:
  explicit TScrollBar(TComponent* owner);

  TScrollBarKind Kind() const { return FKind; }
  void SetKind(TScrollBarKind value);
  int Min() const { return FMin; }
  void SetMin(int value);
  int Max() const { return FMax; }
  void SetMax(int value);
  int Position() const { return FPosition; }
  void SetPosition(int value);
  int PageSize() const { return FPageSize; }
  void SetPageSize(int value);
  int SmallChange() const { return FSmallChange; }
  void SetSmallChange(int value) { FSmallChange = value; }
  int LargeChange() const { return FLargeChange; }
  void SetLargeChange(int value) { FLargeChange = value; }

  void WndProc(TMessage& msg) override;

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void InitWnd() override;

private:
  // Gives the window the range, page and position.
  void UpdateScrollInfo();
  // A reflected scroll message moves the position.
  void Scroll(WPARAM code);
  TScrollBarKind FKind = sbHorizontal;
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  int FPageSize = 0;
  int FSmallChange = 1;
  int FLargeChange = 1;
};
