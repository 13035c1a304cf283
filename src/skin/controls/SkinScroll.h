// Scroll bars drawn from the skin. TSkinScrollBar paints the standard bars
// in a scrolling control's own non-client area (memos, list boxes, ...),
// TSkinListView does the same for list views and skins their column header,
// and TSkinScControl paints a scroll-bar control whose whole window is one
// bar. The platform keeps doing the scrolling; the skinners paint over its
// bars after every change. When asked to, TSkinScrollBar drags the thumb
// itself instead of leaving that to the platform.
//
// Skin elements: Scrollbar (23 arrow frames: 1/2 left, 5/6 right, 9/10 up,
// 13/14 down, normal/pressed), HorzScroll and VertScroll (the track, frame 1
// of 4), HorzScrollThumb and VertScrollThumb (frame 1 normal, 2 pressed),
// ScrollbarColour behind the bar and ButtonFaceColour in the corner square.
// Without a Scrollbar picture every bar is left to the platform.
#pragma once

#include <windows.h>

#include <memory>

#include "skin/controls/WinSubClass.h"

class TSkinHeader;

// The pressed part of a bar (FPressedPart).
enum : int {
  sppNone = 0,
  sppLeftArrow = 1,
  sppRightArrow = 2,
  sppUpArrow = 3,
  sppDownArrow = 4,
  sppHorzThumb = 5,
  sppVertThumb = 6
};

// The layout of one bar along its length, as last drawn: the arrow buttons'
// length, the length between them, the thumb's length and its offset from
// the end of the first arrow, and the window style bit that shows the bar.
struct TScrollBarMetrics {
  int FArrowSize = 0;
  int FTrackLength = 0;
  int FThumbSize = 0;
  int FThumbPos = 0;
  LONG_PTR FStyleBit = 0;
};

// Whether the skin draws scroll bars at all (a Scrollbar picture exists).
bool SkinHasScrollBars(const TSkinData* SkinData);

// Thumb size and offset of a bar Length pixels long (arrows included) for
// the range, page and position in Info, into Metrics. A range with
// nMax < nMin keeps the previous thumb.
void ComputeThumbMetrics(int Length, const SCROLLINFO& Info, TScrollBarMetrics& Metrics);

// One bar drawn from the skin onto DC at R (window coordinates): arrows,
// track and, when it fits, the thumb at Metrics' offset. PressedPart tells
// which arrow or thumb shows pressed.
void DrawSkinScrollBar(TSkinControl& Skinner, HDC DC, const TRect& R, bool Horizontal,
                       int PressedPart, const TScrollBarMetrics& Metrics);

class TSkinScrollBar : public TSkinControl {
  QUORVEL_CLASS(TSkinScrollBar, TSkinControl)
public:
  explicit TSkinScrollBar(TComponent* AOwner);
  ~TSkinScrollBar() override;

  // Attaches to a scrolling control: its WindowProc is replaced and the form
  // skinner's list takes this object; colour and double buffering stay.
  // TrackThumb: a press on the thumb starts this skinner's own drag.
  void InitScrollBars(TControl* Control, TSkinData* SkinData, bool TrackThumb, TCanvas* Canvas);

  bool BeforeProc(TMessage& Message) override;
  void AfterProc(TMessage& Message) override;
  void PaintControl(HDC DC, const TRect& Rect) override;

  int FPressedPart = sppNone;
  LONG_PTR FStyle = 0;
  TRect FCornerRect{0, 0, 0, 0};
  bool FTracking = false;
  bool FTrackThumb = false;
  bool FForceVert = false;
  bool FForceHorz = false;
  SCROLLINFO FHorzInfo{};
  SCROLLINFO FVertInfo{};
  TRect FHorzBar{0, 0, 0, 0};
  TRect FVertBar{0, 0, 0, 0};
  TScrollBarMetrics FHorz;
  TScrollBarMetrics FVert;

  // Which part of a bar lies Pos pixels from its start: SB_LINEUP (0),
  // SB_PAGEUP (2), SB_THUMBTRACK (5), SB_PAGEDOWN (3), SB_LINEDOWN (1) or -1.
  static int HitTest(const TScrollBarMetrics& Metrics, int Pos);

private:
  // A press on a bar while this skinner drags thumbs; false when it started
  // a drag (the press is then consumed).
  bool NCLButtonDown(TMessage& Message);
  // The modal thumb drag of one bar, from a press at Start (screen). The
  // mouse positions are those the mouse messages carry.
  void TrackThumb(bool Horizontal, POINT Start);
  // A scroll message from the platform or the drag: the pressed part, then
  // the control's own handling, then the bar repainted.
  void ScrollMessage(TMessage& Message, bool Horizontal);
  // Reads a bar's scroll info and works out its thumb (not while dragging:
  // the drag's values stay).
  void UpdateMetrics(bool Horizontal, const TRect& Bar);

  // Cleared when this object goes away, so that a drag loop that is still
  // running (it dispatches messages) notices.
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

class TSkinListView : public TSkinScrollBar {
  QUORVEL_CLASS(TSkinListView, TSkinScrollBar)
public:
  explicit TSkinListView(TComponent* AOwner);

  // The bars with TrackThumb = ChangeColor (the form skinner passes false:
  // list views keep the platform's thumb dragging), and the column header
  // with a TSkinHeader of the same form skinner.
  void InitControl(TControl* Control, TSkinData* SkinData, bool ChangeColor,
                   TCanvas* Canvas) override;

  TSkinHeader* FHeader = nullptr;  // owned by the form skinner, like every skinner
};

class TSkinScControl : public TSkinControl {
  QUORVEL_CLASS(TSkinScControl, TSkinControl)
public:
  explicit TSkinScControl(TComponent* AOwner);

  bool BeforeProc(TMessage& Message) override;
  void AfterProc(TMessage& Message) override;
  void PaintControl(HDC DC, const TRect& Rect) override;

  int FPressedPart = sppNone;
  int FTrackLength = 0;
  int FThumbSize = 0;
  int FThumbPos = 0;
};
