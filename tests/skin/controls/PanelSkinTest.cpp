// Status bars, progress bars, tab controls, list-view headers and size boxes
// under the skin, checked against pictures composed from the skin's own
// bitmaps; and every skinner of these kinds gives its control back exactly.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "ScrollSkinFixture.h"
#include "skin/controls/SkinBox.h"
#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinProgress.h"
#include "skin/controls/SkinScControl.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSizer.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinTab.h"
#include "skin/draw/BitmapUtils.h"
#include "skin/draw/SkinDraw.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Published.h"
#include "ui/StdCtrls.h"

// A list view in report style (the component layer has none yet).
class TTestListView : public TWinControl {
  QUORVEL_CLASS(TTestListView, TWinControl)
public:
  explicit TTestListView(TComponent* owner) : TWinControl(owner) {}
  ~TTestListView() override { DestroyHandle(); }

protected:
  void CreateParams(TCreateParams& params) override {
    TWinControl::CreateParams(params);
    CreateSubClass(params, WC_LISTVIEWA);
    params.Style |= LVS_REPORT;
    params.ExStyle |= WS_EX_CLIENTEDGE;
  }
};
QUORVEL_DEFINE_CLASS(TTestListView) {}

namespace {

TRect WindowBox(HWND Wnd) {
  RECT r;
  GetWindowRect(Wnd, &r);
  return Rect(0, 0, r.right - r.left, r.bottom - r.top);
}

// Frame Frame of Element (FrameCount frames) drawn at R's size onto Target at R.
void PutFrame(TBitmap& Target, const TRect& R, TDataSkinObject& Element, TBitmap& Bitmap,
              int FrameCount, int Frame, bool Transparent) {
  Put(Target, R.left, R.top,
      *DrawNineSlice(R, Bitmap, Element.Margins, false, Element.Tile != 0, FrameCount, Frame),
      Transparent);
}

class PanelSkinTest : public SkinnedFormTest {
protected:
  std::unique_ptr<TBitmap> Face(const TRect& R) {
    return Picture(R.right - R.left, R.bottom - R.top,
                   [&](int, int) { return Skin->ButtonFaceColour; });
  }
};

}  // namespace

// Each panel shows the status-bar edges' frame of its bevel (plain 3-D
// frames without them); simple mode is one lowered panel. Empty texts, so
// the pictures are the frames alone.
TEST_F(PanelSkinTest, StatusBarPanelsAreDrawnFromTheSkin) {
  auto* bar = Add<TStatusBar>(0, 0, 400, 22);
  bar->SetSizeGrip(false);
  for (TStatusPanelBevel bevel : {pbLowered, pbRaised, pbNone}) {
    TStatusPanel* panel = bar->Panels().Add();
    panel->SetWidth(110);
    panel->SetBevel(bevel);
  }
  HWND wnd = bar->Handle();
  SkinControl<TSkinStatusBar>(bar, false);
  std::unique_ptr<TDataSkinObject> edges = std::move(Skin->StatusBarEdges);
  for (bool withEdges : {true, false})
    for (bool simple : {false, true}) {
      if (withEdges) Skin->StatusBarEdges = std::move(edges);
      bar->SetSimplePanel(simple);
      Redraw(wnd);
      const TRect all = WindowBox(wnd);
      auto expected = Face(all);
      for (int i = 0; i < (simple ? 1 : 3); ++i) {
        TRect r = all;
        if (!simple) SendMessageA(wnd, SB_GETRECT, i, reinterpret_cast<LPARAM>(&r));
        if (withEdges) {
          PutFrame(*expected, r, *Skin->StatusBarEdges, Skin->StatusBarEdges->Bitmap, 3, i + 1,
                   false);
        } else if (i < 2) {
          Frame3D(expected->Canvas().Handle(), r, i ? clBtnHighlight : clBtnShadow,
                  i ? clBtnShadow : clBtnHighlight, 1);
        }
      }
      std::string report;
      EXPECT_EQ(Mismatches(Capture(wnd), all, *expected, &report), 0)
          << withEdges << simple << report;
      if (withEdges) edges = std::move(Skin->StatusBarEdges);
    }
  Skin->StatusBarEdges = std::move(edges);
}

// Panel texts sit at the left, in the middle or at the right of their
// panel, in the status-bar edges' text colour.
TEST_F(PanelSkinTest, StatusBarTextsFollowTheirPanelsAlignment) {
  auto* bar = Add<TStatusBar>(0, 0, 400, 22);
  bar->SetSizeGrip(false);
  const TAlignment alignments[] = {taLeftJustify, taCenter, taRightJustify};
  for (TAlignment a : alignments) {
    TStatusPanel* panel = bar->Panels().Add();
    panel->SetWidth(130);
    panel->SetText("Hits");
    panel->SetAlignment(a);
  }
  SkinControl<TSkinStatusBar>(bar, false);
  HWND wnd = bar->Handle();
  Redraw(wnd);
  const TCapture shot = Capture(wnd);
  const COLORREF ink = ColorToRGB(Skin->StatusBarEdges->NormalColour2);
  for (int i = 0; i < 3; ++i) {
    TRect r;
    SendMessageA(wnd, SB_GETRECT, i, reinterpret_cast<LPARAM>(&r));
    int left = r.right, right = r.left;  // of the text's pixels
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (shot.At(x, y) == ink) {
          left = std::min(left, x);
          right = std::max(right, x + 1);
        }
    ASSERT_LT(left, right) << i;
    const int offCentre = (left + right) - (r.left + r.right);
    const int off[] = {left - r.left, offCentre < 0 ? -offCentre : offCentre, r.right - right};
    EXPECT_LE(off[i], 4) << i;
  }
}

// The empty bar, and over it the filled part: Position / Max of the width.
TEST_F(PanelSkinTest, ProgressBarFillsItsShareFromTheLeft) {
  HWND wnd = AddWindow(PROGRESS_CLASSA, 0, 20, 60, 240, 20);
  SendMessageA(wnd, PBM_SETRANGE32, 0, 100);
  SkinWindow<TSkinProgress>(wnd);
  TDataSkinObject& p = *Skin->Progress;
  for (int percent : {0, 50, 100, 33}) {
    SendMessageA(wnd, PBM_SETPOS, percent, 0);
    Redraw(wnd);
    const TRect all = WindowBox(wnd);
    auto expected = Face(all);
    PutFrame(*expected, all, p, p.Bitmap, 2, 1, true);
    const int filled = percent * all.right / 100;
    if (filled > 0) PutFrame(*expected, Rect(0, 0, filled, all.bottom), p, p.Bitmap, 2, 2, true);
    std::string report;
    EXPECT_EQ(Mismatches(Capture(wnd), all, *expected, &report), 0) << percent << report;
  }
}

// Tabs on top and at the bottom: the strip on the face colour, the selected
// tab in frame 2, the others in frame 1, the page border around the display
// area; at the bottom both pictures are flipped.
TEST_F(PanelSkinTest, TabStripShowsTheSelectedTab) {
  TDataSkinBorder& tabs = *Skin->Tabs;
  for (bool bottom : {false, true}) {
    HWND wnd = AddWindow(WC_TABCONTROLA, TCS_FIXEDWIDTH | (bottom ? TCS_BOTTOM : 0), 20,
                         bottom ? 200 : 20, 320, 160);
    SendMessageA(wnd, TCM_SETITEMSIZE, 0, MAKELPARAM(70, 22));
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>("");
    for (int i = 0; i < 3; ++i)
      SendMessageA(wnd, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    SendMessageA(wnd, TCM_SETCURSEL, 1, 0);
    SendMessageA(wnd, TCM_SETCURFOCUS, 1, 0);
    SkinWindow<TSkinTab>(wnd);
    Redraw(wnd);

    TBitmap tab, border;
    tab.Assign(&tabs.Bitmap);
    border.Assign(&tabs.BorderBitmap);
    if (bottom) {
      FlipVertical(tab);
      FlipVertical(border);
    }
    const TRect all = WindowBox(wnd);
    TRect D = all;
    SendMessageA(wnd, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&D));
    InflateRect(&D, 4, 4);
    if (bottom)
      --D.bottom;
    else
      ++D.top;
    const TRect S =
        bottom ? Rect(0, D.bottom, all.right, all.bottom) : Rect(0, 0, all.right, D.top);
    // The strip, with room for the parts of tabs that it cuts off.
    auto strip =
        Picture(S.right, S.bottom - S.top + 40, [&](int, int) { return Skin->ButtonFaceColour; });
    for (int i = 0; i < 3; ++i) {
      TRect T;
      SendMessageA(wnd, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&T));
      OffsetRect(&T, 0, bottom ? -D.bottom - 1 + 20 : 1 + 20);
      PutFrame(*strip, T, tabs, tab, tabs.FrameCount, i == 1 ? 2 : 1, tabs.Trans != 0);
    }
    // Only what the skinner paints is expected: the strip and the page
    // border's edges; the rest (the page itself) stays unchecked.
    const COLORREF unchecked = RGB(1, 2, 3);
    auto expected = Picture(all.right, all.bottom, [&](int, int) { return TColor(unchecked); });
    BitBlt(expected->Canvas().Handle(), S.left, S.top, S.right, S.bottom - S.top,
           strip->Canvas().Handle(), 0, 20, SRCCOPY);
    DrawNineSliceTo(expected->Canvas().Handle(), D, border, false, 1, 1, TSkinRect{4, 5, 4, 4});
    const TCapture shot = Capture(wnd);
    int compared = 0, bad = 0;
    for (int y = 0; y < all.bottom; ++y)
      for (int x = 0; x < all.right; ++x) {
        const COLORREF want = PixelAt(*expected, x, y);
        if (want == unchecked) continue;
        ++compared;
        bad += shot.At(x, y) != want;
      }
    EXPECT_EQ(bad, 0) << bottom;
    // The strip and four edges of the border at least.
    EXPECT_GE(compared, S.right * (S.bottom - S.top) + 2 * (D.right - D.left)) << bottom;
  }
}

// A list view skins its header with a skinner of the same form skinner;
// items narrower than the header leave the rest in the first Headerbar frame.
TEST_F(PanelSkinTest, ListViewHeaderIsSkinned) {
  auto* view = Add<TTestListView>(20, 20, 260, 180);
  HWND wnd = view->Handle();
  LVCOLUMNA column{};
  column.mask = LVCF_WIDTH;
  for (int i = 0; i < 2; ++i) {
    column.cx = 60 + 20 * i;
    SendMessageA(wnd, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
  auto* skinner = SkinControl<TSkinListView>(view, false);
  HWND header = reinterpret_cast<HWND>(SendMessageA(wnd, LVM_GETHEADER, 0, 0));
  ASSERT_NE(skinner->Header(), nullptr);
  EXPECT_EQ(skinner->Header()->Handle(), header);
  EXPECT_FALSE(skinner->TrackThumb());
  EXPECT_EQ(SkinForm->Skinners().Find(header), skinner->Header());
  Redraw(wnd);

  TDataSkinObject& bar = *Skin->Headerbar;
  const TRect all = WindowBox(header);
  auto expected = Face(all);
  TRect r{0, 0, 0, 0};
  for (int i = 0; i < 2; ++i) {
    SendMessageA(header, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
    PutFrame(*expected, r, bar, bar.Bitmap, bar.FrameCount, 1, false);
  }
  ASSERT_LT(r.right, all.right);
  PutFrame(*expected, Rect(r.right, 0, all.right, all.bottom), bar, bar.Bitmap, bar.FrameCount, 1,
           false);
  std::string report;
  EXPECT_EQ(Mismatches(Capture(header), all, *expected, &report), 0) << report;
}

// A size box shows nothing of its own, and its paint request is answered.
TEST_F(PanelSkinTest, SizeBoxesShowNothing) {
  HWND wnd = AddWindow("ScrollBar", SBS_SIZEBOX | SBS_SIZEGRIP, 300, 300, 24, 24);
  SkinWindow<TSkinSizer>(wnd);
  const TColor red = RGB(200, 10, 20);
  {
    const TWindowDC dc(wnd, TWindowDC::Window);
    const TBrushObject brush(CreateSolidBrush(red));
    const RECT r{0, 0, 24, 24};
    FillRect(dc, &r, brush);
  }
  InvalidateRect(wnd, nullptr, TRUE);
  UpdateWindow(wnd);
  EXPECT_FALSE(GetUpdateRect(wnd, nullptr, FALSE));
  EXPECT_EQ(
      Mismatches(Capture(wnd), Rect(0, 0, 24, 24), *Picture(24, 24, [&](int, int) { return red; })),
      0);
}

// Attached, each skinner changes what its control looks like; restored
// (twice), the control has its window procedure, colour and look back.
TEST_F(PanelSkinTest, RestoreLeavesNoTrace) {
  struct TCase {
    const char* Name;
    std::function<TWinControl*()> Make;  // a control of ours, or null
    std::function<HWND()> MakeWindow;    // else a bare window
    std::function<TSkinControl*(TControl*, HWND)> Attach;
  };
  const TCase cases[] = {
      {"list box",
       [&] {
         auto* l = Add<TListBox>(20, 20, 120, 120);
         for (int i = 0; i < 30; ++i) l->Items().Add("x");
         return l;
       },
       nullptr,
       [&](TControl* c, HWND) {
         auto* s = new TSkinScrollBar(SkinForm);
         s->InitScrollBars(c, Skin, true, &SkinForm->ControlCanvas());
         return s;
       }},
      {"status bar", [&] { return Add<TStatusBar>(0, 0, 300, 20); }, nullptr,
       [&](TControl* c, HWND) { return SkinControl<TSkinStatusBar>(c, false); }},
      {"panel", [&] { return Add<TPanel>(160, 20, 100, 60); }, nullptr,
       [&](TControl* c, HWND) { return SkinControl<TSkinBox>(c, true); }},
      {"progress", nullptr, [&] { return AddWindow(PROGRESS_CLASSA, 0, 20, 160, 200, 18); },
       [&](TControl*, HWND w) { return SkinWindow<TSkinProgress>(w); }},
      {"tabs", nullptr, [&] { return AddWindow(WC_TABCONTROLA, 0, 20, 200, 200, 100); },
       [&](TControl*, HWND w) { return SkinWindow<TSkinTab>(w); }},
      {"scroll bar", nullptr, [&] { return AddWindow("ScrollBar", SBS_VERT, 300, 20, 17, 150); },
       [&](TControl*, HWND w) { return SkinWindow<TSkinScControl>(w); }},
  };
  for (const TCase& c : cases) {
    TWinControl* control = c.Make ? c.Make() : nullptr;
    HWND wnd = control ? control->Handle() : c.MakeWindow();
    Redraw(wnd);
    const TColor color = control ? control->Color() : 0;
    const LONG_PTR proc = GetWindowLongPtrA(wnd, GWLP_WNDPROC);
    const int handlers = TWindowSubclass::HandlerCount(wnd);
    const TCapture before = Capture(wnd);

    TSkinControl* skinner = c.Attach(control, wnd);
    Redraw(wnd);
    EXPECT_FALSE(Capture(wnd).Pixels == before.Pixels) << c.Name;

    skinner->Restore();
    skinner->Restore();
    Redraw(wnd);
    EXPECT_EQ(GetWindowLongPtrA(wnd, GWLP_WNDPROC), proc) << c.Name;
    EXPECT_EQ(TWindowSubclass::HandlerCount(wnd), handlers) << c.Name;
    if (control) {
      EXPECT_EQ(control->Color(), color) << c.Name;
    }
    EXPECT_TRUE(Capture(wnd).Pixels == before.Pixels) << c.Name;
  }
}
