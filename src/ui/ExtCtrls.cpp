// Panels and pictures.
#include "ui/ExtCtrls.h"

#include <algorithm>

#include "ui/Published.h"

// ---------------------------------------------------------------------------
// TCustomPanel

QUORVEL_DEFINE_CLASS(TCustomPanel) {
  p.Enum("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner,
         {"bvNone", "bvLowered", "bvRaised", "bvSpace"}, bvNone);
  p.Enum("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter,
         {"bvNone", "bvLowered", "bvRaised", "bvSpace"}, bvRaised);
  p.Integer("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth, 1);
  p.Integer("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth, 0);
  p.Enum("BorderStyle", &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle,
         {"bsNone", "bsSingle"});
  p.Enum("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment,
         {"taLeftJustify", "taRightJustify", "taCenter"}, taCenter);
}

// A 185 by 41 raised panel in the button-face colour.
TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  FControlStyle =
      csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csOpaque | csDoubleClicks;
  FWidth = 185;
  FHeight = 41;
  SetColor(clBtnFace);
}

// The bevel inside the border.
void TCustomPanel::SetBevelInner(TBevelCut value) {
  FBevelInner = value;
  FrameChanged();
}

// The bevel at the edge.
void TCustomPanel::SetBevelOuter(TBevelCut value) {
  FBevelOuter = value;
  FrameChanged();
}

// The width of each bevel (at least 1).
void TCustomPanel::SetBevelWidth(int value) {
  FBevelWidth = std::max(value, 1);
  FrameChanged();
}

// The space between the bevels.
void TCustomPanel::SetBorderWidth(int value) {
  FBorderWidth = std::max(value, 0);
  FrameChanged();
}

// A single border is the window's own (the window is made again).
void TCustomPanel::SetBorderStyle(TBorderStyle value) {
  if (value == FBorderStyle) return;
  FBorderStyle = value;
  RecreateWnd();
}

// Where the caption goes.
void TCustomPanel::SetAlignment(TAlignment value) {
  FAlignment = value;
  Invalidate();
}

// Redraws and lays the children out inside the new frame.
void TCustomPanel::FrameChanged() {
  Realign();
  Invalidate();
}

// Its own window class; a single border is a sunken client edge.
void TCustomPanel::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  if (FBorderStyle == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

// Aligned children stay inside the bevels and the border.
void TCustomPanel::AdjustClientRect(TRect& rect) {
  int inset = FBorderWidth;
  if (FBevelOuter != bvNone) inset += FBevelWidth;
  if (FBevelInner != bvNone) inset += FBevelWidth;
  InflateRect(&rect, -inset, -inset);
}

// Outer bevel, border, inner bevel, then the caption.
void TCustomPanel::Paint() {
  HDC dc = Canvas()->Handle();
  RECT r = ClientRect();
  auto bevel = [&](TBevelCut cut) {
    if (cut == bvNone) return;
    const TColor tl = cut == bvLowered ? clBtnShadow : cut == bvRaised ? clBtnHighlight : Color();
    const TColor br = cut == bvLowered ? clBtnHighlight : cut == bvRaised ? clBtnShadow : Color();
    Frame3D(dc, r, tl, br, FBevelWidth);
  };
  bevel(FBevelOuter);
  Frame3D(dc, r, Color(), Color(), FBorderWidth);
  bevel(FBevelInner);
  const std::string text = Caption();
  if (text.empty()) return;
  TSelectObjectGuard font(dc, Font().Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Enabled() ? Font().Color() : clGrayText));
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
  format |= FAlignment == taCenter ? DT_CENTER : FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT;
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
}

QUORVEL_DEFINE_CLASS(TPanel) {}

// ---------------------------------------------------------------------------
// TImage

QUORVEL_DEFINE_CLASS(TImage) {
  p.Object("Picture", &TImage::PictureObject);
  p.Bool("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize);
  p.Bool("Stretch", &TImage::Stretch, &TImage::SetStretch);
  p.Bool("Center", &TImage::Center, &TImage::SetCenter);
  p.Bool("Transparent", &TImage::Transparent, &TImage::SetTransparent);
}

// An empty picture control of 105 by 105.
TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
  FWidth = 105;
  FHeight = 105;
  FPicture.OnChange = [this](TObject*) { PictureChanged(); };
}

// With AutoSize the control takes the picture's size.
void TImage::SetAutoSize(bool value) {
  FAutoSize = value;
  if (value) PictureChanged();
}

// Stretches the picture over the control.
void TImage::SetStretch(bool value) {
  FStretch = value;
  Invalidate();
}

// Centres the picture in the control.
void TImage::SetCenter(bool value) {
  FCenter = value;
  Invalidate();
}

// Draws the picture's transparent colour as background.
void TImage::SetTransparent(bool value) {
  FTransparent = value;
  if (TGraphic* g = FPicture.Graphic()) g->SetTransparent(value);
  Invalidate();
}

// A new picture: AutoSize takes its size; the control is redrawn.
void TImage::PictureChanged() {
  TGraphic* g = FPicture.Graphic();
  if (g && FTransparent) g->SetTransparent(true);
  if (FAutoSize && g && !g->Empty()) SetBounds(Left(), Top(), g->Width(), g->Height());
  Invalidate();
}

// Stretched over the control, centred, or at the top left.
TRect TImage::DestRect() const {
  const TGraphic* g = FPicture.Graphic();
  if (!g) return Rect(0, 0, 0, 0);
  if (FStretch) return Rect(0, 0, FWidth, FHeight);
  const int w = g->Width(), h = g->Height();
  if (FCenter) return Bounds((FWidth - w) / 2, (FHeight - h) / 2, w, h);
  return Rect(0, 0, w, h);
}

// Draws the picture.
void TImage::Paint() {
  TGraphic* g = FPicture.Graphic();
  if (!g || g->Empty()) return;
  Canvas()->StretchDraw(DestRect(), *g);
}

// ---------------------------------------------------------------------------
// TGroupButton

QUORVEL_DEFINE_CLASS(TGroupButton) {}

// A radio button owned by its group (never stored in definitions).
TGroupButton::TGroupButton(TComponent* owner) : TRadioButton(owner) { SetTabStop(false); }

// Tells the group, then runs OnClick.
void TGroupButton::Click() {
  if (auto* group = dynamic_cast<TCustomRadioGroup*>(Parent())) group->ButtonClicked(this);
  TRadioButton::Click();
}

// ---------------------------------------------------------------------------
// TCustomRadioGroup

QUORVEL_DEFINE_CLASS(TCustomRadioGroup) {
  p.Object("Items", &TCustomRadioGroup::ItemsObject);
  p.Integer("ItemIndex", &TCustomRadioGroup::ItemIndex, &TCustomRadioGroup::SetItemIndex, -1);
  p.Integer("Columns", &TCustomRadioGroup::Columns, &TCustomRadioGroup::SetColumns, 1);
}

// An empty group; the buttons follow Items.
TCustomRadioGroup::TCustomRadioGroup(TComponent* owner) : TCustomGroupBox(owner) {
  FItems.OnChange = [this](TObject*) { UpdateButtons(); };
}

// Checks the button of item value (-1: none).
void TCustomRadioGroup::SetItemIndex(int value) {
  if (!IsLoading() && (value < -1 || value >= static_cast<int>(FButtons.size()))) value = -1;
  FItemIndex = value;
  if (value >= 0 && value < static_cast<int>(FButtons.size()))
    FButtons[static_cast<size_t>(value)]->SetChecked(true);
  else
    for (TGroupButton* b : FButtons) b->SetChecked(false);
}

// The number of columns (1 to 16).
void TCustomRadioGroup::SetColumns(int value) {
  FColumns = std::max(1, std::min(value, 16));
  ArrangeButtons();
}

// One button per item, in item order.
void TCustomRadioGroup::UpdateButtons() {
  for (TGroupButton* b : FButtons) delete b;
  FButtons.clear();
  for (int i = 0; i < FItems.Count(); ++i) {
    auto* b = new TGroupButton(this);
    b->SetCaption(FItems[i]);
    b->SetEnabled(Enabled());
    b->SetParent(this);
    FButtons.push_back(b);
  }
  SetItemIndex(FItemIndex);
  ArrangeButtons();
}

// Columns of equal width below the caption, the rows sharing the height.
void TCustomRadioGroup::ArrangeButtons() {
  if (FButtons.empty()) return;
  TEXTMETRICA metrics{};
  {
    TMemoryDC dc;
    TSelectObjectGuard font(dc, Font().Handle());
    GetTextMetricsA(dc, &metrics);
  }
  const int count = static_cast<int>(FButtons.size());
  const int perColumn = (count + FColumns - 1) / FColumns;
  const int buttonWidth = (FWidth - 10) / FColumns;
  const int free = FHeight - metrics.tmHeight - 5;
  const int buttonHeight = free / perColumn;
  const int top = metrics.tmHeight + 1 + (free % perColumn) / 2;
  for (int i = 0; i < count; ++i)
    FButtons[static_cast<size_t>(i)]->SetBounds((i / perColumn) * buttonWidth + 8,
                                                (i % perColumn) * buttonHeight + top, buttonWidth,
                                                buttonHeight);
}

// A click on a button makes it the chosen item.
void TCustomRadioGroup::ButtonClicked(TGroupButton* button) {
  for (size_t i = 0; i < FButtons.size(); ++i)
    if (FButtons[i] == button) FItemIndex = static_cast<int>(i);
  Click();
}

// The buttons follow the size.
void TCustomRadioGroup::Resize() {
  TCustomGroupBox::Resize();
  ArrangeButtons();
}

// The buttons follow the font's height.
void TCustomRadioGroup::FontChanged() {
  TCustomGroupBox::FontChanged();
  ArrangeButtons();
}

// The buttons are enabled with the group.
void TCustomRadioGroup::EnabledChanged() {
  TCustomGroupBox::EnabledChanged();
  for (TGroupButton* b : FButtons) b->SetEnabled(Enabled());
}

QUORVEL_DEFINE_CLASS(TRadioGroup) {}
