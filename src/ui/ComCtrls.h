// Common controls, each a superclass of the common control it stands for:
// the status bar and its panels, the progress bar, tab controls and page
// controls with their tab sheets, the list view with its columns and items,
// and the tool bar with its buttons.
#pragma once

#include <string>
#include <vector>

#include "ui/Controls.h"

class TStatusBar;

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
enum TStatusPanelStyle { psText, psOwnerDraw };

// One part of a status bar: its width and text.
class TStatusPanel : public TCollectionItem {
  QUORVEL_CLASS(TStatusPanel, TCollectionItem)
public:
  explicit TStatusPanel(TCollection* collection);

  const std::string& Text() const { return FText; }
  void SetText(const std::string& value);
  int Width() const { return FWidth; }
  void SetWidth(int value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  TStatusPanelBevel Bevel() const { return FBevel; }
  void SetBevel(TStatusPanelBevel value);
  TStatusPanelStyle Style() const { return FStyle; }
  void SetStyle(TStatusPanelStyle value);

private:
  std::string FText;
  int FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
  TStatusPanelBevel FBevel = pbLowered;
  TStatusPanelStyle FStyle = psText;
};

// The panels of a status bar; changes go to the window at once.
class TStatusPanels : public TCollection {
public:
  explicit TStatusPanels(TStatusBar& statusBar);
  TStatusPanel* Add();
  TStatusPanel* Items(int index) const;

protected:
  void Update(TCollectionItem* item) override;

private:
  TStatusBar& FStatusBar;
};

// A status bar, bottom-aligned by default. Panels are laid out from the
// left with their widths; the last one runs to the right edge. In simple
// mode the bar shows SimpleText across its whole width instead.
class TStatusBar : public TWinControl {
  QUORVEL_CLASS(TStatusBar, TWinControl)
public:
  explicit TStatusBar(TComponent* owner);
  ~TStatusBar() override;

  TStatusPanels& Panels() { return FPanels; }
  TCollection* PanelsObject() { return &FPanels; }
  bool SimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool value);
  const std::string& SimpleText() const { return FSimpleText; }
  void SetSimpleText(const std::string& value);
  // A size grip at the right end (the window is made again on a change).
  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool value);

  // Gives the window the panels' widths and texts (all, or one panel).
  void UpdatePanels();
  void UpdatePanel(int index);
  void Loaded() override;

protected:
  void CreateParams(TCreateParams& params) override;
  void InitWnd() override;

private:
  TStatusPanels FPanels{*this};
  bool FSimplePanel = false;
  std::string FSimpleText;
  bool FSizeGrip = true;
};

// ---------------------------------------------------------------------------

// A progress bar (msctls_progress32) showing Position between Min and Max.
class TProgressBar : public TWinControl {
  QUORVEL_CLASS(TProgressBar, TWinControl)
public:
  explicit TProgressBar(TComponent* owner);

  int Min() const { return FMin; }
  void SetMin(int value);
  int Max() const { return FMax; }
  void SetMax(int value);
  int Position() const { return FPosition; }
  void SetPosition(int value);

protected:
  void CreateParams(TCreateParams& params) override;
  void InitWnd() override;

private:
  void UpdateRange();
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
};

// ---------------------------------------------------------------------------

// A tab control (SysTabControl32): a row of tabs over a display area. The
// selected tab is TabIndex (-1: none); choosing a tab runs Change (OnChange).
// Tab rectangles are the window's own (TCM_GETITEMRECT).
class TCustomTabControl : public TWinControl {
  QUORVEL_CLASS(TCustomTabControl, TWinControl)
public:
  explicit TCustomTabControl(TComponent* owner);
  ~TCustomTabControl() override;

  int TabIndex();
  void SetTabIndex(int value);

  void WndProc(TMessage& msg) override;

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  // The display area below the tabs.
  void AdjustClientRect(TRect& rect) override;
  // The user chose another tab.
  virtual void Change();
  // Replaces the window's tabs by these texts.
  void SetWindowTabs(const std::vector<std::string>& texts);

  int FTabIndex = -1;  // while there is no window
};

// A tab control whose tabs are the lines of Tabs.
class TTabControl : public TCustomTabControl {
  QUORVEL_CLASS(TTabControl, TCustomTabControl)
public:
  explicit TTabControl(TComponent* owner);

  TStrings& Tabs() { return FTabs; }
  TStrings* TabsObject() { return &FTabs; }

protected:
  void InitWnd() override;

private:
  TStringList FTabs;
};

class TPageControl;

// One page of a page control: a container shown while its tab is selected;
// its Caption is the tab's text.
class TTabSheet : public TCustomControl {
  QUORVEL_CLASS(TTabSheet, TCustomControl)
public:
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;

  TPageControl* PageControl() const { return FPageControl; }
  // The page's position among its page control's pages, or -1.
  int PageIndex() const;
  void SetParent(TWinControl* parent) override;

protected:
  void TextChanged() override;

private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
};

// A tab control with one tab per tab sheet (its children, in the order
// they joined); the sheet of the selected tab (ActivePage) fills the
// display area, the others are hidden.
class TPageControl : public TCustomTabControl {
  QUORVEL_CLASS(TPageControl, TCustomTabControl)
public:
  explicit TPageControl(TComponent* owner);
  ~TPageControl() override;

  int PageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* Pages(int index) const { return FPages.at(static_cast<size_t>(index)); }
  TTabSheet* ActivePage() const { return FActivePage; }
  void SetActivePage(TTabSheet* page);

  // "ActivePage" is stored as the name of the sheet.
  void DefineProperties(TFiler& filer) override;
  void Loaded() override;

protected:
  void InitWnd() override;
  void AlignControls(TRect rect) override;
  void Change() override;

private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  // Gives the window one tab per sheet.
  void UpdateTabs();
  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  std::string FActivePageName;  // read from a definition, found in Loaded
};

// ---------------------------------------------------------------------------

class TCustomListView;

// A column of a list view in report style.
class TListColumn : public TCollectionItem {
  QUORVEL_CLASS(TListColumn, TCollectionItem)
public:
  explicit TListColumn(TCollection* collection);

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);
  int Width() const { return FWidth; }
  void SetWidth(int value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);

private:
  std::string FCaption;
  int FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
};

// The columns of a list view; changes go to the window at once.
class TListColumns : public TCollection {
public:
  explicit TListColumns(TCustomListView& listView);
  TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
  TListColumn* Items(int index) const {
    return static_cast<TListColumn*>(TCollection::Items(index));
  }

protected:
  void Update(TCollectionItem* item) override;

private:
  TCustomListView& FListView;
};

// A row of a list view: its Caption (first column) and the texts of the
// other columns (SubItems).
class TListItem : public TCollectionItem {
  QUORVEL_CLASS(TListItem, TCollectionItem)
public:
  explicit TListItem(TCollection* collection);

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);
  TStrings& SubItems() { return FSubItems; }
  TStrings* SubItemsObject() { return &FSubItems; }

private:
  std::string FCaption;
  TStringList FSubItems;
};

// The rows of a list view; changes go to the window at once (inside an
// update bracket, once when it closes).
class TListItems : public TCollection {
public:
  explicit TListItems(TCustomListView& listView);
  TListItem* Add() { return static_cast<TListItem*>(TCollection::Add()); }
  TListItem* Items(int index) const { return static_cast<TListItem*>(TCollection::Items(index)); }

protected:
  void Update(TCollectionItem* item) override;

private:
  TCustomListView& FListView;
};

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

// A list view (SysListView32) with a sunken edge; in report style it shows
// Columns under a header and one row per item.
class TCustomListView : public TWinControl {
  QUORVEL_CLASS(TCustomListView, TWinControl)
public:
  explicit TCustomListView(TComponent* owner);
  ~TCustomListView() override;

  TListColumns& Columns() { return FColumns; }
  TCollection* ColumnsObject() { return &FColumns; }
  TListItems& Items() { return FItems; }
  TCollection* ItemsObject() { return &FItems; }
  TViewStyle ViewStyle() const { return FViewStyle; }
  void SetViewStyle(TViewStyle value);

  // Gives the window the columns / every item / one item.
  void UpdateColumns();
  void UpdateItems();
  void UpdateItem(int index);

protected:
  void CreateParams(TCreateParams& params) override;
  void InitWnd() override;

private:
  // Sets the texts of window row index from the item.
  void SetRowTexts(int index);
  TListColumns FColumns{*this};
  TListItems FItems{*this};
  TViewStyle FViewStyle = vsIcon;
};

// The list view of programs.
class TListView : public TCustomListView {
  QUORVEL_CLASS(TListView, TCustomListView)
public:
  explicit TListView(TComponent* owner) : TCustomListView(owner) {}
};

// ---------------------------------------------------------------------------

class TToolBar;

// A button of a tool bar: its Caption, whether it is Enabled, and what a
// click runs (OnClick). It has no window: the tool bar draws it.
class TToolButton : public TComponent {
  QUORVEL_CLASS(TToolButton, TComponent)
public:
  explicit TToolButton(TComponent* owner);
  ~TToolButton() override;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  TToolBar* ToolBar() const { return FToolBar; }
  // Joins a tool bar (null: none).
  void SetToolBar(TToolBar* toolBar);
  // Runs OnClick.
  virtual void Click();

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;

  TNotifyEvent OnClick;

private:
  friend class TToolBar;
  std::string FCaption;
  bool FEnabled = true;
  TToolBar* FToolBar = nullptr;
};

// A tool bar (ToolbarWindow32), top-aligned, with its buttons' captions as
// their faces; Flat buttons show a frame only under the mouse.
class TToolBar : public TWinControl {
  QUORVEL_CLASS(TToolBar, TWinControl)
public:
  explicit TToolBar(TComponent* owner);
  ~TToolBar() override;

  int ButtonCount() const { return static_cast<int>(FButtons.size()); }
  TToolButton* Buttons(int index) const { return FButtons.at(static_cast<size_t>(index)); }
  bool Flat() const { return FFlat; }
  void SetFlat(bool value);

  // Gives the window one button per tool button.
  void UpdateButtons();
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  void WndProc(TMessage& msg) override;
  void Loaded() override;

protected:
  void CreateParams(TCreateParams& params) override;
  void InitWnd() override;

private:
  friend class TToolButton;
  std::vector<TToolButton*> FButtons;
  bool FFlat = false;
};
