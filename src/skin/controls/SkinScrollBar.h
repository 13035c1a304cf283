// The scroll-bar skinners of scrolling controls: TSkinScrollBar paints the
// standard bars in a control's own non-client area (memos, list boxes,
// ...), TSkinListView does the same for list views and skins their column
// header. The platform keeps doing the scrolling; the skinners paint over
// its bars after every change. When asked to, TSkinScrollBar drags the
// thumb itself instead of leaving that to the platform.
#pragma once

#include <windows.h>

#include <memory>

#include "skin/controls/ScrollGeometry.h"
#include "skin/controls/WinSubClass.h"

class TSkinHeader;

class TSkinScrollBar : public TSkinControl {
  QUORVEL_CLASS(TSkinScrollBar, TSkinControl)
public:
  explicit TSkinScrollBar(TComponent* AOwner);
  // Tells a drag loop that is still running that this object is gone.
  ~TSkinScrollBar() override;

  // Attaches to a scrolling control: its WindowProc is replaced and the
  // owner's list takes this object; colour and double buffering stay.
  // TrackThumb: a press on the thumb starts this skinner's own drag.
  void InitScrollBars(TControl* Control, TSkinModel* SkinData, bool TrackThumb, TCanvas* Canvas);

  // Scroll messages, presses on the bars (when dragging thumbs) and the
  // hot tracking of the platform's bars.
  bool BeforeProc(TMessage& Message) override;
  // The bars again after every non-client paint.
  void AfterProc(TMessage& Message) override;
  // Both bars (as the window style and a running scroll show them) and the
  // corner square between them.
  void PaintControl(HDC DC, const TRect& Rect) override;

  // The part shown pressed.
  TScrollPart PressedPart() const { return FPressedPart; }
  // A thumb drag of this skinner is running.
  bool Tracking() const { return FTracking; }
  // A press on the thumb starts this skinner's own drag.
  bool TrackThumb() const { return FTrackThumb; }

protected:
  TScrollPart FPressedPart = sppNone;
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

private:
  // A press on a bar while this skinner drags thumbs; false when it started
  // a drag (the press is then consumed).
  bool NCLButtonDown(TMessage& Message);
  // The modal thumb drag of one bar, from a press at Start (screen). The
  // mouse positions are those the mouse messages carry.
  void DragThumbLoop(bool Horizontal, POINT Start);
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
  // with a TSkinHeader of the same owner.
  void InitControl(TControl* Control, TSkinModel* SkinData, bool ChangeColor,
                   TCanvas* Canvas) override;

  // The header's skinner (owned by the form skinner, like every skinner), or null.
  TSkinHeader* Header() const { return FHeader; }

private:
  TSkinHeader* FHeader = nullptr;
};
