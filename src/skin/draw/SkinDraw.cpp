#include "skin/draw/SkinDraw.h"

#include <algorithm>
#include <vector>

#include "skin/draw/SliceGeometry.h"

namespace {

// An inverted rectangle (an empty one still draws nothing).
bool IsEmpty(const TRect& R) { return R.right < R.left || R.bottom < R.top; }

// The frame box of Bitmap's strip.
TFrameBox FrameOf(const TBitmap& Bitmap, bool Vertical, int FrameCount, int Frame) {
  return ::FrameOf(Bitmap.Width(), Bitmap.Height(), Vertical, FrameCount, Frame);
}

// Source rectangle S of Source stretched onto D of Dest.
void Stretch(HDC Dest, const TSkinRect& D, HDC Source, const TSkinRect& S) {
  StretchBlt(Dest, D.left, D.top, D.right - D.left, D.bottom - D.top, Source, S.left, S.top,
             S.right - S.left, S.bottom - S.top, SRCCOPY);
}

// Rect of DC filled with Tile repeated from Rect's top-left corner: one
// pattern-brush fill, whose cost does not depend on the tile's size.
void FillWithPattern(HDC DC, const TRect& Rect, TBitmap& Tile) {
  TBrushObject brush(CreatePatternBrush(Tile.Handle()));
  if (!brush) return;
  POINT oldOrigin{};
  SetBrushOrgEx(DC, Rect.left, Rect.top, &oldOrigin);
  const RECT r = Rect;
  FillRect(DC, &r, brush);
  SetBrushOrgEx(DC, oldOrigin.x, oldOrigin.y, nullptr);
}

}  // namespace

void PutPicture(HDC DC, int X, int Y, TBitmap& Picture, bool Transparent) {
  if (Transparent) {
    TransparentBlt(DC, Bounds(X, Y, Picture.Width(), Picture.Height()), Picture, SkinKeyColour);
  } else {
    BitBlt(DC, X, Y, Picture.Width(), Picture.Height(), Picture.Canvas().Handle(), 0, 0, SRCCOPY);
  }
}

// A 32-bit DIB section with COLORONCOLOR stretching.
std::unique_ptr<TBitmap> WorkBitmap(int w, int h) {
  auto bitmap = std::make_unique<TBitmap>();
  // A bitmap compatible with the screen costs many times more to make and
  // to select (under Wine), and work bitmaps are made for every paint.
  bitmap->SetPixelFormat(TPixelFormat::pf32bit);
  bitmap->SetSize(w, h);
  SetStretchBltMode(bitmap->Canvas().Handle(), COLORONCOLOR);
  return bitmap;
}

// The pieces copied, the centre stretched or tiled, into a work bitmap.
std::unique_ptr<TBitmap> DrawNineSlice(const TRect& Size, TBitmap& Bitmap, const TSkinRect& Margins,
                                       bool Vertical, bool Tile, int FrameCount, int Frame) {
  const int w = Size.right - Size.left, h = Size.bottom - Size.top;
  std::unique_ptr<TBitmap> result = WorkBitmap(w, h);
  if (result->Empty() || Bitmap.Empty()) return result;
  const TFrameBox frame = FrameOf(Bitmap, Vertical, FrameCount, Frame);
  TCanvas& canvas = result->Canvas();
  for (const TSlicePiece& piece : NineSlicePieces(frame, w, h, Margins)) {
    if (piece.Centre && Tile) {
      TileBitmap(canvas, ToRect(piece.Dest), Bitmap, ToRect(piece.Source));
    } else if (piece.Centre) {
      Stretch(canvas.Handle(), piece.Dest, Bitmap.Canvas().Handle(), piece.Source);
    } else {
      canvas.CopyRect(ToRect(piece.Dest), Bitmap.Canvas(), ToRect(piece.Source));
    }
  }
  return result;
}

TBitmap& TNineSliceCache::Get(TBitmap& Bitmap, const TSkinRect& Margins, int W, int H,
                              bool Vertical, bool Tile, int FrameCount, int Frame) {
  constexpr size_t kKept = 4;
  auto same = [&](const TEntry& e) {
    return e.W == W && e.H == H && e.FrameCount == FrameCount && e.Frame == Frame &&
           e.Vertical == Vertical && e.Tile == Tile;
  };
  auto it = std::find_if(FEntries.begin(), FEntries.end(), same);
  if (it != FEntries.end()) {
    std::rotate(it, it + 1, FEntries.end());
  } else {
    if (FEntries.size() == kKept) FEntries.erase(FEntries.begin());
    FEntries.push_back(TEntry{
        W, H, FrameCount, Frame, Vertical, Tile,
        DrawNineSlice(TRect{0, 0, W, H}, Bitmap, Margins, Vertical, Tile, FrameCount, Frame)});
  }
  return *FEntries.back().Picture;
}

// DrawNineSlice, then one copy (through the key colour when Transparent).
void DrawNineSliceOn(HDC DC, const TRect& Rect, TBitmap& Bitmap, bool Vertical, bool Tile,
                     bool Transparent, int FrameCount, int Frame, const TSkinRect& Margins) {
  if (IsEmpty(Rect)) return;
  std::unique_ptr<TBitmap> work =
      DrawNineSlice(Rect, Bitmap, Margins, Vertical, Tile, FrameCount, Frame);
  if (work->Empty()) return;
  PutPicture(DC, Rect.left, Rect.top, *work, Transparent);
}

// Every piece but the centre stretched straight onto DC.
void DrawNineSliceTo(HDC DC, const TRect& Rect, TBitmap& Bitmap, bool Vertical, int FrameCount,
                     int Frame, const TSkinRect& Margins) {
  if (IsEmpty(Rect) || Bitmap.Empty()) return;
  const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  const TFrameBox frame = FrameOf(Bitmap, Vertical, FrameCount, Frame);
  HDC source = Bitmap.Canvas().Handle();
  const int oldMode = SetStretchBltMode(DC, COLORONCOLOR);
  for (TSlicePiece piece : NineSlicePieces(frame, w, h, Margins)) {
    if (piece.Centre) continue;
    piece.Dest = TSkinRect{piece.Dest.left + Rect.left, piece.Dest.top + Rect.top,
                           piece.Dest.right + Rect.left, piece.Dest.bottom + Rect.top};
    Stretch(DC, piece.Dest, source, piece.Source);
  }
  if (oldMode) SetStretchBltMode(DC, oldMode);
}

// The parts composed in a work bitmap, then drawn (transparently when asked).
void DrawHorzThreePart(TCanvas& Canvas, const TRect& Rect, TBitmap& Bitmap, bool Vertical,
                       bool Transparent, int FrameCount, int Frame, const TSkinRect& Margins) {
  if (IsEmpty(Rect) || Bitmap.Empty()) return;
  const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  std::unique_ptr<TBitmap> work = WorkBitmap(w, h);
  if (work->Empty()) return;
  const TFrameBox f = FrameOf(Bitmap, Vertical, FrameCount, Frame);
  TCanvas& canvas = work->Canvas();
  TCanvas& source = Bitmap.Canvas();
  const std::vector<TSlicePiece> pieces = ThreePartPieces(f, w, h, Margins);
  // The copies of the middle are one fill of the first copy, stretched to
  // the height, through a pattern brush: however narrow the middle, the
  // cost is that of one copy.
  const auto first = std::find_if(pieces.begin(), pieces.end(), [](auto& p) { return p.Centre; });
  if (first != pieces.end()) {
    const auto last =
        std::find_if(pieces.rbegin(), pieces.rend(), [](auto& p) { return p.Centre; });
    const TSkinRect& d = first->Dest;
    const TSkinRect& from = first->Source;
    // Past the work bitmap nothing shows: a wide middle is cut to it.
    const int tw = std::min(d.right - d.left, w - d.left), th = d.bottom - d.top;
    std::unique_ptr<TBitmap> tile = WorkBitmap(tw, th);
    if (!tile->Empty()) {
      tile->Canvas().CopyRect(TRect{0, 0, tw, th}, source,
                              TRect{from.left, from.top, from.left + tw, from.bottom});
      FillWithPattern(canvas.Handle(),
                      TRect{d.left, d.top, std::min<LONG>(last->Dest.right, w), d.bottom}, *tile);
    }
  }
  for (const TSlicePiece& piece : pieces)
    if (!piece.Centre) canvas.CopyRect(ToRect(piece.Dest), source, ToRect(piece.Source));
  if (Transparent) {
    work->SetTransparentColor(SkinKeyColour);
    work->SetTransparent(true);
    Canvas.Draw(Rect.left, Rect.top, *work);
  } else {
    BitBlt(Canvas.Handle(), Rect.left, Rect.top, w, h, canvas.Handle(), 0, 0, SRCCOPY);
  }
}

// The frame stretched into a work bitmap, then copied.
void DrawFrame(HDC DC, const TRect& Rect, TBitmap& Bitmap, bool Transparent, int Frame) {
  if (IsEmpty(Rect) || Bitmap.Empty()) return;
  const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  std::unique_ptr<TBitmap> work = WorkBitmap(w, h);
  if (work->Empty()) return;
  Stretch(work->Canvas().Handle(), {0, 0, w, h}, Bitmap.Canvas().Handle(),
          {w * (Frame - 1), 0, w * Frame, Bitmap.Height()});
  PutPicture(DC, Rect.left, Rect.top, *work, Transparent);
}

// Three raster operations through a monochrome mask of the key colour.
void TransparentBlt(HDC DC, const TRect& Rect, TBitmap& Bitmap, TColor KeyColour) {
  if (IsEmpty(Rect) || Bitmap.Empty()) return;
  TBitmapObject mask = Bitmap.CreateMask(ColorToRGB(KeyColour));
  if (!mask) return;
  TMemoryDC maskDC;
  TSelectObjectGuard selected(maskDC, mask);
  HDC source = Bitmap.Canvas().Handle();
  const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  const int bw = Bitmap.Width(), bh = Bitmap.Height();
  // (D xor S) and M xor S: where the mask is white (key) the destination
  // comes back unchanged, where it is black the source replaces it. The
  // monochrome mask takes the DC's colours: white for 1, black for 0.
  const COLORREF oldBk = SetBkColor(DC, RGB(255, 255, 255));
  const COLORREF oldText = SetTextColor(DC, RGB(0, 0, 0));
  StretchBlt(DC, Rect.left, Rect.top, w, h, source, 0, 0, bw, bh, SRCINVERT);
  StretchBlt(DC, Rect.left, Rect.top, w, h, maskDC, 0, 0, bw, bh, SRCAND);
  StretchBlt(DC, Rect.left, Rect.top, w, h, source, 0, 0, bw, bh, SRCINVERT);
  SetBkColor(DC, oldBk);
  SetTextColor(DC, oldText);
}

// The tile cut once, no larger than the destination, then one fill through
// a pattern brush of it that starts at DestRect's top-left corner.
void TileBitmap(TCanvas& Canvas, const TRect& DestRect, TBitmap& Bitmap, const TRect& SourceRect) {
  const int sw = SourceRect.right - SourceRect.left, sh = SourceRect.bottom - SourceRect.top;
  const int dw = RectWidth(DestRect), dh = RectHeight(DestRect);
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
  // What a paint costs depends on the destination, not on the picture.
  const int tw = std::min(sw, dw), th = std::min(sh, dh);
  std::unique_ptr<TBitmap> tile = WorkBitmap(tw, th);
  if (tile->Empty()) return;
  tile->Canvas().CopyRect(
      {0, 0, tw, th}, Bitmap.Canvas(),
      {SourceRect.left, SourceRect.top, SourceRect.left + tw, SourceRect.top + th});
  // A repeated tile is drawn whole: its last row and column run over.
  const int64_t across = dw > sw ? (int64_t(dw) + sw - 1) / sw * sw : dw;
  const int64_t down = dh > sh ? (int64_t(dh) + sh - 1) / sh * sh : dh;
  FillWithPattern(
      Canvas.Handle(),
      TRect{DestRect.left, DestRect.top, LONG(std::min<int64_t>(DestRect.left + across, MAXLONG)),
            LONG(std::min<int64_t>(DestRect.top + down, MAXLONG))},
      *tile);
}

// Runs of opaque pixels per row, handed to GDI in batches.
TRegionObject BitmapToRegion(TBitmap& Bitmap, int X, int Y, int BlueTolerance, int GreenTolerance,
                             int RedTolerance, TColor KeyColour) {
  TRegionObject result(CreateRectRgn(0, 0, 0, 0));
  if (Bitmap.Empty() || !result) return result;

  const COLORREF key = ColorToRGB(KeyColour);
  const int r = GetRValue(key), g = GetGValue(key), b = GetBValue(key);
  const int r2 = std::min(255, r + RedTolerance);
  const int g2 = std::min(255, g + GreenTolerance);
  const int b2 = std::min(255, b + BlueTolerance);

  Bitmap.SetPixelFormat(TPixelFormat::pf32bit);

  // Region data: the header, then the rectangles, made room for 500 at a
  // time and handed to GDI every 2000.
  constexpr DWORD kGrowBy = 500;
  constexpr DWORD kBatch = 2000;
  std::vector<unsigned char> buffer(sizeof(RGNDATAHEADER) + kGrowBy * sizeof(RECT));
  DWORD capacity = kGrowBy;
  auto header = [&] { return reinterpret_cast<RGNDATAHEADER*>(buffer.data()); };
  auto rects = [&] { return reinterpret_cast<RECT*>(buffer.data() + sizeof(RGNDATAHEADER)); };
  *header() = RGNDATAHEADER{};
  header()->dwSize = sizeof(RGNDATAHEADER);
  header()->iType = RDH_RECTANGLES;
  // The bounds gather every run, in the bitmap's own coordinates.
  SetRect(&header()->rcBound, MAXLONG, MAXLONG, 0, 0);

  auto flush = [&] {
    const DWORD count = header()->nCount;
    if (count == 0) return;
    TRegionObject part(
        ExtCreateRegion(nullptr, static_cast<DWORD>(sizeof(RGNDATAHEADER) + count * sizeof(RECT)),
                        reinterpret_cast<const RGNDATA*>(buffer.data())));
    if (part) CombineRgn(result, result, part, RGN_OR);
    header()->nCount = 0;
  };
  auto add = [&](int x0, int x1, int y) {
    if (header()->nCount >= capacity) {
      capacity += kGrowBy;
      buffer.resize(sizeof(RGNDATAHEADER) + capacity * sizeof(RECT));
    }
    RECT& bound = header()->rcBound;
    bound.left = std::min<LONG>(bound.left, x0);
    bound.top = std::min<LONG>(bound.top, y);
    bound.right = std::max<LONG>(bound.right, x1);
    bound.bottom = std::max<LONG>(bound.bottom, y + 1);
    SetRect(&rects()[header()->nCount++], x0 + X, y + Y, x1 + X, y + Y + 1);
    if (header()->nCount == kBatch) flush();
  };

  const int width = Bitmap.Width();
  for (int y = 0; y < Bitmap.Height(); ++y) {
    const unsigned char* p = Bitmap.ScanLine(y);  // blue, green, red, unused
    int x = 0;
    while (x < width) {
      const int x0 = x;
      while (x < width) {
        const unsigned char* px = p + 4 * x;
        const bool transparent =
            px[2] >= r && px[2] <= r2 && px[1] >= g && px[1] <= g2 && px[0] >= b && px[0] <= b2;
        if (transparent) break;
        ++x;
      }
      if (x > x0) add(x0, x, y);
      ++x;  // the transparent pixel that ended the run
    }
  }
  flush();
  return result;
}

namespace {

// The scratch bitmap lives behind a plain pointer and flag, which stay
// readable during program exit; the owner below frees it then.
TBitmap* GScratch = nullptr;
bool GScratchFreed = false;

struct TScratchOwner {
  TScratchOwner() {
    GScratch = new TBitmap;
    SetStretchBltMode(GScratch->Canvas().Handle(), COLORONCOLOR);
  }
  ~TScratchOwner() {
    delete GScratch;
    GScratch = nullptr;
    GScratchFreed = true;
  }
  TScratchOwner(const TScratchOwner&) = delete;
  TScratchOwner& operator=(const TScratchOwner&) = delete;
};

}  // namespace

// Made at the first call; null once freed at program end.
TBitmap* ScratchBitmap() {
  if (GScratchFreed) return nullptr;
  static TScratchOwner owner;
  return GScratch;
}
