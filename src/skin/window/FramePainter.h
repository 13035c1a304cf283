// The skinned frame's painting and shape: the border pieces (drawn from the
// skin's border pictures, kept until the size, the look or the skin
// changes), the title with its caption and title-bar buttons, the menu bar
// in its band, and the window region cut around the transparent pixels of
// the borders and the title.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/controls/WinSubClass.h"
#include "skin/window/FrameMetrics.h"
#include "skin/window/FrameState.h"
#include "skin/window/TitleButtons.h"
#include "ui/Graphics.h"

class TSkinModel;
class TWinSkinMenu;

// What the painter is told of its frame for a paint or a region.
struct TFrameView {
  TSkinModel* Skin = nullptr;
  TFrameMetrics Metrics;
  bool Active = true;
  bool Frameless = false;
  TFrameKind Kind = TFrameKind::Window;
  TFrameWindowState WindowState = TFrameWindowState::Normal;
  TFormPhase Phase = TFormPhase::Attached;
};

// While one lives, frames that build their regions from the same border
// pictures at the same size share one computation: the first region is
// copied for the others (all MDI children take their skinned frames back at
// once). They may nest; the innermost serves.
class TSharedRegions {
public:
  TSharedRegions();
  ~TSharedRegions();
  TSharedRegions(const TSharedRegions&) = delete;
  TSharedRegions& operator=(const TSharedRegions&) = delete;

  // What a region built from the border pictures depends on.
  struct TKey {
    const TSkinModel* Skin;
    int W, H, L, T, R, B;
    bool Frameless, Active;
    bool operator==(const TKey& o) const;
  };
  // The one that serves now, or null.
  static TSharedRegions* Current() { return FCurrent; }
  // A copy of the region kept under Key into Region; false when none is kept.
  bool Copy(const TKey& Key, TRegionObject& Region) const;
  // Keeps a copy of Region under Key.
  void Keep(const TKey& Key, HRGN Region);

private:
  struct TEntry {
    TKey Key;
    TRegionObject Region;
  };
  std::vector<TEntry> FEntries;
  TSharedRegions* FOuter;
  static TSharedRegions* FCurrent;
};

class TFramePainter {
public:
  // The painter of the window Wnd's frame.
  explicit TFramePainter(HWND Wnd);

  // Paints borders, title (Caption between the skin's text backs, the
  // title-bar buttons laid out for Title) and the menu bar through the
  // window DC DC. BarExtra draws the frame's own additions onto the
  // composed bar before it goes to the window.
  void Paint(HDC DC, const TFrameView& View, const std::string& Caption, TTitleButtons& Buttons,
             TTitleState Title, TWinSkinMenu* Bar, const std::function<void(HDC)>& BarExtra);
  // The font of the caption (the platform's caption font once attached).
  TFont& CaptionFont() { return FCaptionFont; }
  // Where the caption was drawn last, in window coordinates.
  const TRect& CaptionRect() const { return FCaptionRect; }
  // The window's width and height at the last paint.
  int FrameWidth() const { return FFrameWidth; }
  int FrameHeight() const { return FFrameHeight; }

  // Builds the window region anew for the window's present size (only when
  // the size changed, for an MDI child, or while the skin changes). Without
  // Redraw the caller repaints the window and what its parent shows around
  // it. A size message that comes while the region is being set finds the
  // region on its way and builds none.
  void UpdateRegion(const TFrameView& View, bool Redraw = true);
  // Takes the region off without a repaint (the platform's frame comes back).
  void DropRegion();
  // Takes the region off and repaints: the window looks as before attaching.
  void RemoveRegion();
  // The window went: its region went with it.
  void ForgetRegion();
  // The next UpdateRegion builds the region whatever the size.
  void ForgetRegionSize() { FRegionWidth = FRegionHeight = 0; }
  // Whether the window has a region of the skin.
  bool RegionSet() const { return FRegionSet; }
  // The size the region was built for.
  int RegionWidth() const { return FRegionWidth; }

  // Drops the border pictures (the look or the skin changed).
  void ForgetBorderPictures();

private:
  // Border piece Index (1 to 4) drawn at w x h in the window's present look.
  TBitmap& BorderPicture(const TFrameView& View, int Index, int w, int h);
  // Piece Index copied onto DC at Rect (nothing for an empty rectangle).
  void PaintBorderPiece(const TFrameView& View, int Index, const TRect& Rect, HDC DC);
  // The title composed in FTitleBitmap and copied to the window; the strip a
  // short title leaves uncovered is filled with the face colour.
  void PaintTitle(HDC DC, const TFrameView& View, const std::string& Caption,
                  TTitleButtons& Buttons, TTitleState Title);
  // The caption text (and its text back) in R of Canvas, ending before
  // ButtonsLeft at the latest.
  void PaintCaption(TCanvas& Canvas, const TRect& R, const TFrameView& View,
                    const std::string& Caption, int ButtonsLeft);
  // The left edge of the leftmost visible title-bar button in the right half
  // of the title R, or R.right when there is none.
  static int RightButtonsLeft(const TTitleButtons& Buttons, const TRect& R);

  struct TPieceCache {
    int W = -1, H = -1, Frame = 0;
    std::unique_ptr<TBitmap> Picture;
  };

  HWND FHandle;
  TFont FCaptionFont;
  TRect FCaptionRect{0, 0, 0, 0};
  TBitmap FTitleBitmap;  // the title as painted last
  int FFrameWidth = 0, FFrameHeight = 0;
  std::array<TPieceCache, 5> FPieceCache;
  bool FRegionSet = false;
  bool FSettingRegion = false;
  HRGN FRegion = nullptr;  // the window's region: the system's once set
  int FRegionWidth = 0, FRegionHeight = 0;
};
