// The status bar.
#include "ui/ComCtrls.h"

#include <commctrl.h>

#include <vector>

#include "ui/Published.h"

namespace {
// Loads the bar classes of the common controls once.
void InitBarClasses() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
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
  p.Enum("Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel, {"pbNone", "pbLowered", "pbRaised"}, pbLowered);
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
    : TCollection(TStatusPanel::StaticClass(), [](TCollection* c) { return new TStatusPanel(c); }, &statusBar),
      FStatusBar(statusBar) {}

// Appends a panel.
TStatusPanel* TStatusPanels::Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }

// The panel at index.
TStatusPanel* TStatusPanels::Items(int index) const { return static_cast<TStatusPanel*>(TCollection::Items(index)); }

// One panel's text, or everything after a change of layout.
void TStatusPanels::Update(TCollectionItem* item) {
  if (item) FStatusBar.UpdatePanel(item->Index());
  else FStatusBar.UpdatePanels();
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
  InitBarClasses();
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
  if (FHandle && FSimplePanel) SendMessageA(FHandle, SB_SETTEXTA, SB_SIMPLEID | SBT_NOBORDERS, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
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
