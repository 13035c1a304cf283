// Status bars drawn from the skin's StatusBarEdges element.
#include "skin/controls/SkinStatusBar.h"

#include <commctrl.h>

#include <vector>

#include "skin/controls/ControlDrawing.h"
#include "skin/draw/SkinDraw.h"
#include "skin/draw/SkinText.h"
#include "ui/ComCtrls.h"
#include "ui/Published.h"

QUORVEL_DEFINE_CLASS(TSkinStatusBar) {}

namespace {

constexpr int kStatusFrames = 3;

// Whether the element exists and has a picture.
bool HasImage(const TDataSkinObject* Element) { return Element && !Element->Bitmap.Empty(); }

// The DrawText alignment of a panel's alignment.
UINT TextFormatOf(TAlignment Alignment) {
  switch (Alignment) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    default: return DT_LEFT;
  }
}

// One panel of a status bar as the skinner paints it.
struct TStatusPanelLook {
  TRect Rect;
  TPanelFrame Frame;
  UINT Align;
  std::string Text;
};

// The panel frame of a bevel.
TPanelFrame FrameOfBevel(TStatusPanelBevel Bevel) {
  return Bevel == pbRaised ? TPanelFrame::Raised
         : Bevel == pbNone ? TPanelFrame::Flat
                           : TPanelFrame::Lowered;
}

// Panel Index of a status bar window that has no component: the bevel is
// in the text's type bits, the alignment in its leading tabs.
TStatusPanelLook ReadWindowPanel(HWND Wnd, int Index) {
  TStatusPanelLook look{{0, 0, 0, 0}, TPanelFrame::Lowered, DT_LEFT, {}};
  SendMessageA(Wnd, SB_GETRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&look.Rect));
  const LRESULT length = SendMessageA(Wnd, SB_GETTEXTLENGTHA, static_cast<WPARAM>(Index), 0);
  std::vector<char> text(static_cast<size_t>(LOWORD(length)) + 1, '\0');
  const LRESULT kind = SendMessageA(Wnd, SB_GETTEXTA, static_cast<WPARAM>(Index),
                                    reinterpret_cast<LPARAM>(text.data()));
  const UINT type = HIWORD(kind);
  look.Frame = (type & SBT_NOBORDERS) ? TPanelFrame::Flat
               : (type & SBT_POPOUT)  ? TPanelFrame::Raised
                                      : TPanelFrame::Lowered;
  look.Text = text.data();
  if (look.Text.rfind("\t\t", 0) == 0) {
    look.Align = DT_RIGHT;
    look.Text.erase(0, 2);
  } else if (look.Text.rfind('\t', 0) == 0) {
    look.Align = DT_CENTER;
    look.Text.erase(0, 1);
  }
  return look;
}

}  // namespace

// A skinner for a status bar.
TSkinStatusBar::TSkinStatusBar(TComponent* AOwner) : TSkinControl(AOwner) {}

// Paint and erase are the skin's.
bool TSkinStatusBar::BeforeProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT: PaintThroughBeginPaint(Message); return false;
    case WM_ERASEBKGND: Message.Result = 1; return false;
    default: return true;
  }
}

// The face, then every panel (or the simple text) from the component or the window.
void TSkinStatusBar::PaintControl(HDC DC, const TRect& Rect) {
  TBitmap* scratch = ScratchBitmap();
  if (!scratch || !FSkinData) return;
  const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  if (w <= 0 || h <= 0) return;
  scratch->SetSize(w, h);
  TCanvas& canvas = scratch->Canvas();
  FillFace(canvas.Handle(), TRect{0, 0, w, h});
  auto* bar = dynamic_cast<TStatusBar*>(FControl);
  if (bar)
    canvas.Font().Assign(&bar->Font());
  else
    UseWindowFont(canvas.Font(), FHandle);
  canvas.Font().SetStyle(0);
  if (FSkinData->StatusBarEdges) canvas.Font().SetColor(FSkinData->StatusBarEdges->NormalColour2);

  std::vector<TStatusPanelLook> panels;
  bool simple;
  std::string simpleText;
  if (bar) {
    simple = bar->SimplePanel() || bar->Panels().Count() == 0;
    simpleText = bar->SimpleText();
    for (int i = 0; !simple && i < bar->Panels().Count(); ++i) {
      const TStatusPanel* panel = bar->Panels().Items(i);
      TStatusPanelLook look{{0, 0, 0, 0},
                            FrameOfBevel(panel->Bevel()),
                            TextFormatOf(panel->Alignment()),
                            panel->Text()};
      SendMessageA(FHandle, SB_GETRECT, static_cast<WPARAM>(i),
                   reinterpret_cast<LPARAM>(&look.Rect));
      panels.push_back(look);
    }
  } else {
    const LRESULT parts = SendMessageA(FHandle, SB_GETPARTS, 0, 0);
    simple = SendMessageA(FHandle, SB_ISSIMPLE, 0, 0) != 0 || parts <= 0;
    if (simple) simpleText = ReadWindowPanel(FHandle, SB_SIMPLEID).Text;
    for (int i = 0; !simple && i < parts; ++i) panels.push_back(ReadWindowPanel(FHandle, i));
  }

  if (simple) {
    DrawPanel(canvas, Rect, TPanelFrame::Lowered, DT_LEFT, simpleText);
  } else {
    for (const TStatusPanelLook& panel : panels)
      DrawPanel(canvas, panel.Rect, panel.Frame, panel.Align, panel.Text);
  }
  CopyToWindow(*this, DC, Rect);
}

// The panel's picture (plain 3-D frames without one), then its text.
void TSkinStatusBar::DrawPanel(TCanvas& Canvas, const TRect& Rect, TPanelFrame Frame, UINT Align,
                               const std::string& Text) {
  HDC dc = Canvas.Handle();
  TDataSkinObject* edges = FSkinData->StatusBarEdges.get();
  if (HasImage(edges)) {
    std::unique_ptr<TBitmap> picture =
        DrawNineSlice(Rect, edges->Bitmap, edges->Margins, false, edges->Tile != 0, kStatusFrames,
                      static_cast<int>(Frame));
    if (!picture->Empty())
      BitBlt(dc, Rect.left, Rect.top, picture->Width(), picture->Height(),
             picture->Canvas().Handle(), 0, 0, SRCCOPY);
  } else {
    RECT frame = Rect;
    if (Frame == TPanelFrame::Lowered) Frame3D(dc, frame, clBtnShadow, clBtnHighlight, 1);
    if (Frame == TPanelFrame::Raised) Frame3D(dc, frame, clBtnHighlight, clBtnShadow, 1);
  }
  DrawSkinText(Canvas, Rect, Align, true, Text.empty() ? std::string(" ") : Text);
}
