// Progress bars drawn from the skin's Progress element.
#include "skin/controls/SkinProgress.h"

#include <commctrl.h>

#include <cstdint>

#include "skin/draw/SkinDraw.h"
#include "skin/controls/ControlDrawing.h"
#include "ui/Published.h"

QUORVEL_DEFINE_CLASS(TSkinProgress) {}

namespace {

constexpr int kProgressFrames = 2;

// Whether the element exists and has a picture.
bool HasImage(const TDataSkinObject* Element) { return Element && !Element->Bitmap.Empty(); }

}  // namespace

// A skinner for a progress bar.
TSkinProgress::TSkinProgress(TComponent* AOwner) : TSkinControl(AOwner) {}

// Without a Progress picture the bar keeps its own painting.
bool TSkinProgress::BeforeProc(TMessage& Message) {
  if (!FSkinData || !HasImage(FSkinData->Progress.get())) return true;
  switch (Message.Msg) {
    case WM_PAINT: PaintThroughBeginPaint(Message); return false;
    case WM_ERASEBKGND: Message.Result = 1; return false;
    default: return true;
  }
}

// The empty bar, then Position / Max of the width filled from the left.
void TSkinProgress::PaintControl(HDC DC, const TRect& Rect) {
  TDataSkinObject* progress = FSkinData ? FSkinData->Progress.get() : nullptr;
  TBitmap* scratch = ScratchBitmap();
  if (!HasImage(progress) || !scratch) return;
  const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  if (w <= 0 || h <= 0) return;
  scratch->SetSize(w, h);
  HDC dc = scratch->Canvas().Handle();
  const TRect all{0, 0, w, h};
  FillFace(dc, all);
  std::unique_ptr<TBitmap> empty = DrawNineSlice(Rect, progress->Bitmap, progress->Margins, false,
                                                 progress->Tile != 0, kProgressFrames, 1);
  TransparentBlt(dc, all, *empty, SkinKeyColour);

  // The range and position live in the window, for a control of ours too.
  PBRANGE range{};
  SendMessageA(FHandle, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
  const int max = range.iHigh;
  const int position = static_cast<int>(SendMessageA(FHandle, PBM_GETPOS, 0, 0));
  if (max > 0) {
    const int filled = static_cast<int>(static_cast<int64_t>(position) * w / max);
    if (filled > 0) {
      const TRect part{Rect.left, Rect.top, Rect.left + filled, Rect.bottom};
      std::unique_ptr<TBitmap> bar = DrawNineSlice(part, progress->Bitmap, progress->Margins, false,
                                                   progress->Tile != 0, kProgressFrames, 2);
      TransparentBlt(dc, TRect{0, 0, filled, h}, *bar, SkinKeyColour);
    }
  }
  CopyToWindow(*this, DC, Rect);
}
