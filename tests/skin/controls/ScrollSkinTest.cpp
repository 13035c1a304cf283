// Scroll bars under the skin: a list box's bars drawn from the skin at every
// position, scrolling through the skinned arrows and the skinner's own thumb
// drag exactly as through the platform's bar, the platform's bars kept when
// the skin has no scroll-bar picture, and scroll-bar controls; the skinner's
// life: a drag that outlives it, a control freed before it.
#include <windows.h>

#include <cstring>
#include <functional>
#include <string>
#include <utility>

#include "ScrollSkinFixture.h"
#include "skin/controls/SkinScControl.h"
#include "skin/controls/SkinScrollBar.h"
#include "ui/ComCtrls.h"
#include "ui/StdCtrls.h"

namespace {

// A list box with both bars.
class TWideListBox : public TListBox {
public:
  using TListBox::TListBox;

protected:
  void CreateParams(TCreateParams& params) override {
    TListBox::CreateParams(params);
    params.Style |= WS_HSCROLL;
  }
};

// The mouse of a drag, played by a timer from inside whichever loop runs:
// one posted move per tick, then the release. The messages carry the
// points; the cursor itself is not moved (Wine would queue moves of its
// own, some of them late).
struct TDragScript {
  HWND Wnd;
  POINT Start;             // client coordinates
  std::vector<int> Steps;  // vertical distances from Start
  size_t Next;
  UINT_PTR Timer;
  std::function<void()> During;  // runs at the first tick, inside the drag
} Script;

void CALLBACK PlayDrag(HWND, UINT, UINT_PTR, DWORD) {
  TDragScript& s = Script;
  if (s.During) std::exchange(s.During, nullptr)();
  const bool moving = s.Next < s.Steps.size();
  const int y = s.Start.y + (moving ? s.Steps[s.Next++] : 0);
  if (!moving) KillTimer(nullptr, s.Timer);
  PostMessageA(s.Wnd, moving ? WM_MOUSEMOVE : WM_LBUTTONUP, moving ? MK_LBUTTON : 0,
               MAKELPARAM(s.Start.x, y));
}

// Presses the vertical bar of Wnd at window point (x, y), then drags along
// Steps (During runs inside the drag); without steps the release is queued
// at once (a click, before any repeat of the platform's arrow timer).
void Press(HWND Wnd, int x, int y, std::vector<int> Steps, std::function<void()> During = nullptr) {
  RECT w;
  GetWindowRect(Wnd, &w);
  const POINT press{w.left + x, w.top + y};
  Script = TDragScript{Wnd, press, std::move(Steps), 0, 0, std::move(During)};
  ScreenToClient(Wnd, &Script.Start);
  if (Script.Steps.empty())
    PostMessageA(Wnd, WM_LBUTTONUP, 0, MAKELPARAM(Script.Start.x, Script.Start.y));
  else
    Script.Timer = SetTimer(nullptr, 0, 1, PlayDrag);
  SendMessageA(Wnd, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(press.x, press.y));
  if (Script.Timer) KillTimer(nullptr, Script.Timer);
  Application->ProcessMessages();
}

// A control whose memory is overwritten when it is freed: a skinner that
// used it afterwards would call through a broken virtual table.
template <class T>
class TPoisoned : public T {
public:
  using T::T;
  static void operator delete(void* p, std::size_t n) {
    std::memset(p, 0xDD, n);
    ::operator delete(p);
  }
};

class ScrollSkinTest : public SkinnedFormTest {
protected:
  template <class T = TListBox>
  T* List(int x, int Count) {
    T* list = Add<T>(x, 20, 150, 200);
    for (int i = 0; i < Count; ++i) list->Items().Add("Item " + std::to_string(i));
    return list;
  }
  TSkinScrollBar* SkinBars(TControl* Control, TSkinData* Data = nullptr) {
    auto* skinner = new TSkinScrollBar(SkinForm);
    skinner->InitScrollBars(Control, Data ? Data : Skin, true, &SkinForm->ControlCanvas());
    Redraw(skinner->Handle());
    return skinner;
  }
  // The vertical bar on the screen against the skin's picture of it.
  int VertMismatches(HWND Wnd, std::string& Report, bool Up = false, bool Down = false) {
    const TRect bar = VertBarOf(Wnd);
    const int length = bar.bottom - bar.top;
    auto expected = ExpectedBar(*Skin, false, length, bar.right - bar.left,
                                ThumbOf(length, ScrollInfoOf(Wnd, SB_VERT)), Up, Down);
    return Mismatches(Capture(Wnd), bar, *expected, &Report);
  }
};

}  // namespace

// Both bars of a list: the vertical one wherever a program scrolls the list
// or items are added, the thumb at the ends at the ends; the horizontal one
// with its own pictures, the corner square in the face colour.
TEST_F(ScrollSkinTest, BarsShowArrowsTrackAndThumbWherever) {
  auto* list = List<TWideListBox>(20, 40);
  HWND wnd = list->Handle();
  SendMessageA(wnd, LB_SETHORIZONTALEXTENT, 600, 0);
  SkinBars(list);
  struct TCase {
    const char* Name;
    std::function<void()> Act;
    int Where;  // -1 top, 1 bottom, 0 anywhere
  } cases[] = {
      {"top", [] {}, -1},
      {"middle", [&] { SendMessageA(wnd, LB_SETTOPINDEX, 13, 0); }, 0},
      {"last selected", [&] { SendMessageA(wnd, LB_SETCURSEL, 39, 0); }, 1},
      {"items added",
       [&] {
         for (int i = 0; i < 60; ++i) list->Items().Add("More");
       },
       0},
  };
  const int arrow = GetSystemMetrics(SM_CXHSCROLL);
  for (const TCase& c : cases) {
    c.Act();
    Application->ProcessMessages();
    const TRect bar = VertBarOf(wnd);
    const TThumb thumb = ThumbOf(bar.bottom - bar.top, ScrollInfoOf(wnd, SB_VERT));
    if (c.Where) {
      EXPECT_EQ(thumb.Offset, c.Where < 0 ? 0 : bar.bottom - bar.top - 2 * arrow - thumb.Size)
          << c.Name;
    }
    std::string report;
    EXPECT_EQ(VertMismatches(wnd, report), 0) << c.Name << report;
  }
  // Both bars sit the same edge (vert.top) inside the window.
  const TRect vert = VertBarOf(wnd);
  const TRect horz = Rect(vert.top, vert.bottom, vert.left, vert.bottom + arrow);
  const TCapture shot = Capture(wnd);
  auto expected = ExpectedBar(*Skin, true, horz.right - horz.left, arrow,
                              ThumbOf(horz.right - horz.left, ScrollInfoOf(wnd, SB_HORZ)));
  std::string report;
  EXPECT_EQ(Mismatches(shot, horz, *expected, &report), 0) << report;
  auto face = Picture(arrow, arrow, [&](int, int) { return Skin->ButtonFaceColour; });
  EXPECT_EQ(Mismatches(shot, Rect(vert.left, vert.bottom, vert.right, vert.bottom + arrow), *face),
            0);
}

// The platform scrolls by the arrows; the skinned arrow shows pressed while
// its line messages come in and normal after the end of the scroll, and
// the list moves exactly as one without the skin.
TEST_F(ScrollSkinTest, SkinnedArrowsScrollAsThePlatformsDo) {
  TListBox* skinned = List(20, 40);
  TListBox* plain = List(200, 40);
  TSkinScrollBar* skinner = SkinBars(skinned);
  HWND wnd = skinned->Handle();
  const TRect bar = VertBarOf(wnd);
  int pressedSeen = 0;
  std::string report;
  auto skinnedProc = skinned->WindowProc;
  skinned->WindowProc = [&](TMessage& m) {
    skinnedProc(m);
    const WPARAM code = LOWORD(m.WParam);
    if (m.Msg == WM_VSCROLL && (code == SB_LINEUP || code == SB_LINEDOWN) &&
        VertMismatches(wnd, report, code == SB_LINEUP, code == SB_LINEDOWN) == 0)
      ++pressedSeen;
  };
  const int x = (bar.left + bar.right) / 2, down = bar.bottom - 4, up = bar.top + 4;
  const int clicks[][2] = {{down, 1}, {down, 2}, {down, 3}, {up, 2}};  // where, position after
  for (int i = 0; i < 4; ++i) {
    Press(wnd, x, clicks[i][0], {});
    Press(plain->Handle(), x, clicks[i][0], {});
    EXPECT_EQ(ScrollInfoOf(wnd, SB_VERT).nPos, clicks[i][1]);
    EXPECT_EQ(ScrollInfoOf(plain->Handle(), SB_VERT).nPos, clicks[i][1]);
    EXPECT_EQ(pressedSeen, i + 1) << report;
    EXPECT_EQ(skinner->PressedPart(), sppNone);
  }
  EXPECT_EQ(VertMismatches(wnd, report), 0) << report;
  skinned->WindowProc = skinnedProc;
}

// The skinner's own drag ends where the platform's drag along the same path
// ends, the thumb under the mouse; past the end it stops at the last page.
// With many items the thumb has its smallest size, which no longer tells
// the page's share of the range.
TEST_F(ScrollSkinTest, SkinnedThumbDragMovesTheListAsThePlatformsDrag) {
  for (int count : {57, 400}) {
    TListBox* skinned = List(20, count);
    TListBox* plain = List(200, count);
    TSkinScrollBar* skinner = SkinBars(skinned);
    HWND wnd = skinned->Handle();
    const TRect bar = VertBarOf(wnd);
    const int x = (bar.left + bar.right) / 2;
    const std::vector<int> drags[] = {{3, 9, 20}, {-40}, {5, 31, 17}, {60, 9999}, {-7}, {0}};
    for (std::vector<int> steps : drags) {
      const SCROLLINFO before = ScrollInfoOf(wnd, SB_VERT);
      ASSERT_EQ(before.nPos, ScrollInfoOf(plain->Handle(), SB_VERT).nPos);
      const TThumb thumb = ThumbOf(bar.bottom - bar.top, before);
      const int y = bar.top + GetSystemMetrics(SM_CXHSCROLL) + thumb.Offset + thumb.Size / 2;
      // Past the end means just below the bar: further away the platform's
      // drag puts the thumb back where it started.
      const bool pastEnd = steps.back() == 9999;
      if (pastEnd) steps.back() = bar.bottom + 12 - y;
      Press(wnd, x, y, steps);
      Press(plain->Handle(), x, y, steps);
      const SCROLLINFO after = ScrollInfoOf(wnd, SB_VERT);
      EXPECT_EQ(after.nPos, ScrollInfoOf(plain->Handle(), SB_VERT).nPos)
          << count << " " << steps.back();
      if (pastEnd) {
        EXPECT_EQ(after.nPos, after.nMax - static_cast<int>(after.nPage) + 1);
      }
      EXPECT_FALSE(skinner->Tracking());
      EXPECT_TRUE(GetWindowLongPtrA(wnd, GWL_STYLE) & WS_VSCROLL);
      std::string report;
      EXPECT_EQ(VertMismatches(wnd, report), 0) << report;
    }
    skinned->SetVisible(false);
    plain->SetVisible(false);
  }
}

// The stored skin has no scroll-bar picture: the skinned list looks exactly
// like one without a skinner.
TEST_F(ScrollSkinTest, WithoutAScrollBarPictureThePlatformsBarsStay) {
  ASSERT_TRUE(StoredSkin().Scrollbar == nullptr || StoredSkin().Scrollbar->Bitmap.Empty());
  TListBox* skinned = List(20, 40);
  TListBox* plain = List(200, 40);
  SkinBars(skinned, &StoredSkin());
  for (TListBox* list : {skinned, plain}) {
    SendMessageA(list->Handle(), LB_SETTOPINDEX, 7, 0);
    Redraw(list->Handle());
  }
  EXPECT_TRUE(Capture(skinned->Handle()).Pixels == Capture(plain->Handle()).Pixels);
}

// A scroll-bar control is one bar: the thumb where a program puts it (the
// platform then draws its own bar at once), the arrow of a scroll message
// pressed until the next one.
TEST_F(ScrollSkinTest, ScrollBarControlsAreOneSkinnedBar) {
  HWND wnd = AddWindow("ScrollBar", SBS_VERT, 400, 20, 17, 240);
  SkinWindow<TSkinScControl>(wnd);
  const TRect all = Rect(0, 0, 17, 240);
  auto mismatches = [&](bool up, bool down, std::string& report) {
    auto expected =
        ExpectedBar(*Skin, false, 240, 17, ThumbOf(240, ScrollInfoOf(wnd, SB_CTL)), up, down);
    return Mismatches(Capture(wnd), all, *expected, &report);
  };
  // Position and page; a page of the whole range fills the track less a pixel.
  const int moves[][2] = {{40, 20}, {80, 20}, {0, 20}, {0, 100}, {33, 10}};
  for (auto [pos, page] : moves) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, UINT(page), pos, 0};
    SetScrollInfo(wnd, SB_CTL, &info, TRUE);
    std::string report;
    EXPECT_EQ(mismatches(false, false, report), 0) << pos << " " << page << report;
  }
  const WPARAM codes[] = {SB_LINEDOWN, SB_LINEUP, SB_PAGEDOWN, SB_LINEDOWN, SB_ENDSCROLL};
  for (WPARAM code : codes) {
    SendMessageA(wnd, CN_BASE + WM_VSCROLL, code, 0);
    std::string report;
    EXPECT_EQ(mismatches(code == SB_LINEUP, code == SB_LINEDOWN, report), 0) << code << report;
  }
}

// The drag loop dispatches timers: the skin may change inside it, or the
// skinner may go (skinning switched off). The bar's style bit, taken off
// for the drag, comes back in every case.
TEST_F(ScrollSkinTest, ADragOutlivedByItsSkinnerGivesTheBarBack) {
  const struct {
    const char* Name;
    std::function<void(TSkinScrollBar*)> During;
  } rows[] = {
      {"skin changed", [&](TSkinScrollBar*) { SkinForm->SkinChanged(); }},
      {"skinner freed", [](TSkinScrollBar* s) { delete s; }},
      {"skinning switched off", [&](TSkinScrollBar*) { SkinForm->Detach(); }},
  };
  int x = 20;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    TListBox* list = List(x, 57);
    x += 170;
    TSkinScrollBar* skinner = SkinBars(list);
    HWND wnd = list->Handle();
    const TRect bar = VertBarOf(wnd);
    const TThumb thumb = ThumbOf(bar.bottom - bar.top, ScrollInfoOf(wnd, SB_VERT));
    const int y = bar.top + GetSystemMetrics(SM_CXHSCROLL) + thumb.Offset + thumb.Size / 2;
    bool ran = false;
    Press(wnd, (bar.left + bar.right) / 2, y, {5, 10, 15}, [&] {
      ran = true;
      row.During(skinner);
    });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(GetWindowLongPtrA(wnd, GWL_STYLE) & WS_VSCROLL);
  }
}

// A drag ended by skinning switched off, and a list freed while skinned,
// many times over, give back every GDI handle taken (USER handles are
// probed where a test program has a prefix of its own).
TEST_F(ScrollSkinTest, DragsAndFreedListsGiveTheirHandlesBack) {
  auto work = [&] {
    for (int i = 0; i < 5; ++i) {
      TListBox* list = List(20, 57);
      SkinBars(list);
      HWND wnd = list->Handle();
      const TRect bar = VertBarOf(wnd);
      const TThumb thumb = ThumbOf(bar.bottom - bar.top, ScrollInfoOf(wnd, SB_VERT));
      const int y = bar.top + GetSystemMetrics(SM_CXHSCROLL) + thumb.Offset + thumb.Size / 2;
      Press(wnd, (bar.left + bar.right) / 2, y, {5, 10}, [&] { SkinForm->Detach(); });
      delete list;
      // Skinned again, a list is freed while skinned, then skinning goes.
      delete SkinForm;
      SkinForm = new TWinSkinForm(nullptr, Form->Handle());
      SkinForm->AttachToForm(Skin, Form.get());
      delete static_cast<TControl*>(SkinBars(List(200, 57))->Control());
      SkinForm->Detach();
      delete SkinForm;
      SkinForm = new TWinSkinForm(nullptr, Form->Handle());
      SkinForm->AttachToForm(Skin, Form.get());
    }
  };
  work();  // first-use allocations settle
  const unsigned gdi = GdiHighWater();
  work();
  EXPECT_LE(GdiHighWater(), gdi + 16);
}

// A scrolling control freed while skinned: its skinner forgets it, and
// switching skinning off afterwards touches nothing of it.
TEST_F(ScrollSkinTest, AScrollingControlFreedWhileSkinnedIsForgotten) {
  const struct {
    const char* Name;
    std::function<TWinControl*()> Make;
    std::function<TSkinControl*(TWinControl*)> Attach;
  } rows[] = {
      {"memo", [&] { return Add<TPoisoned<TMemo>>(20, 20, 150, 100); },
       [&](TWinControl* c) { return SkinBars(c); }},
      {"list box", [&] { return List<TPoisoned<TListBox>>(200, 30); },
       [&](TWinControl* c) { return SkinBars(c); }},
      {"list view", [&] { return Add<TPoisoned<TListView>>(380, 20, 150, 100); },
       [&](TWinControl* c) {
         auto* s = new TSkinListView(SkinForm);
         s->InitControl(c, Skin, false, &SkinForm->ControlCanvas());
         return s;
       }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    TWinControl* control = row.Make();
    TSkinControl* skinner = row.Attach(control);
    ASSERT_EQ(skinner->Control(), control);
    delete control;
    EXPECT_EQ(skinner->Control(), nullptr);
    EXPECT_FALSE(skinner->Hooked());
  }
  SkinForm->Detach();  // switched off: each skinner is let go, its control repainted
  EXPECT_TRUE(SkinForm->Skinners().Items().empty());
}
