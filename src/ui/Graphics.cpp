#include "ui/Graphics.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <cstring>
#include <optional>

#include "ui/Published.h"

// A rectangle from its four edges.
TRect Rect(int left, int top, int right, int bottom) { return TRect{left, top, right, bottom}; }

// A rectangle from its top-left corner and size.
TRect Bounds(int left, int top, int width, int height) {
  return TRect{left, top, left + width, top + height};
}

// System colours are looked up now; other colours keep their RGB bytes.
COLORREF ColorToRGB(TColor color) {
  if (color < 0) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color) & 0xFFFFFF;
}

// ---------------------------------------------------------------------------

// Takes over another owner's icon.
TIconObject& TIconObject::operator=(TIconObject&& other) noexcept {
  if (this != &other) Reset(other.Release());
  return *this;
}

// Gives up the icon without destroying it.
HICON TIconObject::Release() {
  HICON h = FHandle;
  FHandle = nullptr;
  return h;
}

// Destroys the owned icon and takes icon instead.
void TIconObject::Reset(HICON icon) {
  if (FHandle && FHandle != icon) DestroyIcon(FHandle);
  FHandle = icon;
}

// Selects object into dc, remembering the object it replaces.
TSelectObjectGuard::TSelectObjectGuard(HDC dc, HGDIOBJ object) : FDC(dc), FOld(nullptr) {
  assert(dc && object);
  FOld = SelectObject(dc, object);
}

// Takes over the duty of restoring.
TSelectObjectGuard::TSelectObjectGuard(TSelectObjectGuard&& other) noexcept
    : FDC(other.FDC), FOld(other.FOld) {
  other.FOld = nullptr;
}

// Selects the previous object back (once).
void TSelectObjectGuard::Restore() {
  if (FOld && FOld != HGDI_ERROR) SelectObject(FDC, FOld);
  FOld = nullptr;
}

// Saves the DC's state.
TSaveDCGuard::TSaveDCGuard(HDC dc) : FDC(dc), FSaved(SaveDC(dc)) { assert(dc); }

// Restores the saved state.
TSaveDCGuard::~TSaveDCGuard() {
  if (FSaved) RestoreDC(FDC, FSaved);
}

// Starts painting the window.
TPaintDC::TPaintDC(HWND wnd) : FWnd(wnd), FDC(BeginPaint(wnd, &FPaint)) { assert(wnd); }

// Ends painting.
TPaintDC::~TPaintDC() { EndPaint(FWnd, &FPaint); }

// Gets the client or window DC of wnd (the screen when wnd is null).
TWindowDC::TWindowDC(HWND wnd, TArea area)
    : FWnd(wnd), FDC(area == Window ? GetWindowDC(wnd) : GetDC(wnd)) {}

// Gets a DC with GetDCEx.
TWindowDC::TWindowDC(HWND wnd, HRGN clip, DWORD flags)
    : FWnd(wnd), FDC(GetDCEx(wnd, clip, flags)) {}

// Releases the DC.
TWindowDC::~TWindowDC() {
  if (FDC) ReleaseDC(FWnd, FDC);
}

// Takes over another owner's DC.
TWindowDC::TWindowDC(TWindowDC&& other) noexcept : FWnd(other.FWnd), FDC(other.FDC) {
  other.FDC = nullptr;
}

// Creates a memory DC compatible with reference.
TMemoryDC::TMemoryDC(HDC reference) : FDC(CreateCompatibleDC(reference)) {}

// Deletes the memory DC.
TMemoryDC::~TMemoryDC() {
  if (FDC) DeleteDC(FDC);
}

// Takes over another owner's DC.
TMemoryDC::TMemoryDC(TMemoryDC&& other) noexcept : FDC(other.FDC) { other.FDC = nullptr; }

// ---------------------------------------------------------------------------

// The names of the character sets as definitions write them.
const TIdentMap& CharsetIdents() {
  static const TIdentMap map = {
      {ANSI_CHARSET, "ANSI_CHARSET"},
      {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
      {SYMBOL_CHARSET, "SYMBOL_CHARSET"},
      {MAC_CHARSET, "MAC_CHARSET"},
      {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"},
      {HANGEUL_CHARSET, "HANGEUL_CHARSET"},
      {JOHAB_CHARSET, "JOHAB_CHARSET"},
      {GB2312_CHARSET, "GB2312_CHARSET"},
      {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"},
      {GREEK_CHARSET, "GREEK_CHARSET"},
      {TURKISH_CHARSET, "TURKISH_CHARSET"},
      {VIETNAMESE_CHARSET, "VIETNAMESE_CHARSET"},
      {HEBREW_CHARSET, "HEBREW_CHARSET"},
      {ARABIC_CHARSET, "ARABIC_CHARSET"},
      {BALTIC_CHARSET, "BALTIC_CHARSET"},
      {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"},
      {THAI_CHARSET, "THAI_CHARSET"},
      {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
      {OEM_CHARSET, "OEM_CHARSET"},
  };
  return map;
}

// The members a definition stores for a font, always (Size is derived from Height).
QUORVEL_DEFINE_CLASS(TFont) {
  p.Integer("Charset", &TFont::Charset, &TFont::SetCharset, 0, &CharsetIdents()).AlwaysStored();
  p.Color("Color", &TFont::Color, &TFont::SetColor, 0).AlwaysStored();
  p.Integer("Height", &TFont::Height, &TFont::SetHeight).AlwaysStored();
  p.String("Name", &TFont::Name, &TFont::SetName);
  p.Integer("Size", &TFont::Size, &TFont::SetSize).NotStored();
  p.Set("Style", &TFont::Style, &TFont::SetStyle,
        {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"})
      .AlwaysStored();
}

// The character set. Each setter drops the GDI font and tells the owner on a change.
void TFont::SetCharset(uint8_t value) {
  if (value == FCharset) return;
  FCharset = value;
  Changed();
}

// The text colour (not part of the GDI font).
void TFont::SetColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  Changed();
}

// Pixel height; negative values measure the character without its leading.
void TFont::SetHeight(int32_t value) {
  if (value == FHeight) return;
  FHeight = value;
  Changed();
}

// The face name; an empty name is ignored.
void TFont::SetName(const std::string& value) {
  if (value == FName || value.empty()) return;
  FName = value;
  Changed();
}

// Points from the pixel height: -Height * 72 / PixelsPerInch, rounded.
int32_t TFont::Size() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }

// Sets the pixel height for a size in points.
void TFont::SetSize(int32_t points) { SetHeight(-MulDiv(points, FPixelsPerInch, 72)); }

// Bold, italic, underline and strike-out; other bits are dropped.
void TFont::SetStyle(TFontStyles value) {
  value &= fsBold | fsItalic | fsUnderline | fsStrikeOut;
  if (value == FStyle) return;
  FStyle = value;
  Changed();
}

// Creates the GDI font on first use.
HFONT TFont::Handle() {
  if (!FHandle) {
    LOGFONTA lf{};
    lf.lfHeight = FHeight;
    lf.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (FStyle & fsItalic) ? 1 : 0;
    lf.lfUnderline = (FStyle & fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (FStyle & fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = FCharset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    lstrcpynA(lf.lfFaceName, FName.c_str(), LF_FACESIZE);
    FHandle.Reset(CreateFontIndirectA(&lf));
  }
  return FHandle.Get();
}

// Adopts a GDI font made elsewhere (the system's caption font, say).
void TFont::SetHandle(HFONT font) {
  LOGFONTA lf{};
  if (!font || !GetObjectA(font, sizeof lf, &lf)) return;
  FHeight = lf.lfHeight;
  FName = lf.lfFaceName;
  FCharset = lf.lfCharSet;
  FStyle = 0;
  if (lf.lfWeight >= FW_BOLD) FStyle |= fsBold;
  if (lf.lfItalic) FStyle |= fsItalic;
  if (lf.lfUnderline) FStyle |= fsUnderline;
  if (lf.lfStrikeOut) FStyle |= fsStrikeOut;
  Changed();
  FHandle.Reset(font);
}

// Copies another font's description.
void TFont::Assign(TPersistent* source) {
  if (auto* f = dynamic_cast<TFont*>(source)) {
    FCharset = f->FCharset;
    FColor = f->FColor;
    FHeight = f->FHeight;
    FName = f->FName;
    FStyle = f->FStyle;
    FPixelsPerInch = f->FPixelsPerInch;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

// Drops the GDI font and tells the owner. The old font lives until the
// handlers have run, so a window given the old handle never holds a dead one
// before it has been told.
void TFont::Changed() {
  TFontObject old = std::move(FHandle);
  OnChange(this);
}

// ---------------------------------------------------------------------------

// A brush as definitions store it.
QUORVEL_DEFINE_CLASS(TBrush) {
  p.Color("Color", &TBrush::Color, &TBrush::SetColor, clWhite);
  p.Enum("Style", &TBrush::Style, &TBrush::SetStyle,
         {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal",
          "bsCross", "bsDiagCross"});
}

// The fill colour.
void TBrush::SetColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  // A colour given to a clear brush makes it solid.
  if (FStyle == TBrushStyle::bsClear) FStyle = TBrushStyle::bsSolid;
  Changed();
}

// Solid, clear or one of the hatches.
void TBrush::SetStyle(TBrushStyle value) {
  if (value == FStyle) return;
  FStyle = value;
  Changed();
}

// Creates the GDI brush on first use; a clear brush is the stock null brush.
HBRUSH TBrush::Handle() {
  if (FStyle == TBrushStyle::bsClear) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  if (!FHandle) {
    const COLORREF rgb = ColorToRGB(FColor);
    switch (FStyle) {
      case TBrushStyle::bsHorizontal: FHandle.Reset(CreateHatchBrush(HS_HORIZONTAL, rgb)); break;
      case TBrushStyle::bsVertical: FHandle.Reset(CreateHatchBrush(HS_VERTICAL, rgb)); break;
      case TBrushStyle::bsFDiagonal: FHandle.Reset(CreateHatchBrush(HS_FDIAGONAL, rgb)); break;
      case TBrushStyle::bsBDiagonal: FHandle.Reset(CreateHatchBrush(HS_BDIAGONAL, rgb)); break;
      case TBrushStyle::bsCross: FHandle.Reset(CreateHatchBrush(HS_CROSS, rgb)); break;
      case TBrushStyle::bsDiagCross: FHandle.Reset(CreateHatchBrush(HS_DIAGCROSS, rgb)); break;
      default: FHandle.Reset(CreateSolidBrush(rgb)); break;
    }
  }
  return FHandle.Get();
}

// Copies another brush's description.
void TBrush::Assign(TPersistent* source) {
  if (auto* b = dynamic_cast<TBrush*>(source)) {
    FColor = b->FColor;
    FStyle = b->FStyle;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

// Drops the GDI brush (after the handlers have run) and tells the owner.
void TBrush::Changed() {
  TBrushObject old = std::move(FHandle);
  OnChange(this);
}

// ---------------------------------------------------------------------------

// A pen as definitions store it.
QUORVEL_DEFINE_CLASS(TPen) {
  p.Color("Color", &TPen::Color, &TPen::SetColor, clBlack);
  p.Enum("Style", &TPen::Style, &TPen::SetStyle,
         {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"});
  p.Integer("Width", &TPen::Width, &TPen::SetWidth, 1);
}

// The line colour.
void TPen::SetColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  Changed();
}

// The line width in pixels.
void TPen::SetWidth(int32_t value) {
  if (value == FWidth) return;
  FWidth = value;
  Changed();
}

// Solid, dashed, dotted, clear or inside-frame.
void TPen::SetStyle(TPenStyle value) {
  if (value == FStyle) return;
  FStyle = value;
  Changed();
}

// Creates the GDI pen on first use.
HPEN TPen::Handle() {
  if (!FHandle) {
    static const int kStyles[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                  PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    FHandle.Reset(CreatePen(kStyles[static_cast<int>(FStyle)], FWidth, ColorToRGB(FColor)));
  }
  return FHandle.Get();
}

// Copies another pen's description.
void TPen::Assign(TPersistent* source) {
  if (auto* pen = dynamic_cast<TPen*>(source)) {
    FColor = pen->FColor;
    FWidth = pen->FWidth;
    FStyle = pen->FStyle;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

// Drops the GDI pen (after the handlers have run) and tells the owner.
void TPen::Changed() {
  TPenObject old = std::move(FHandle);
  OnChange(this);
}

// ---------------------------------------------------------------------------

QUORVEL_DEFINE_CLASS(TCanvas) {}

TCanvas::TCanvas() = default;
TCanvas::~TCanvas() = default;

// The DC, made by the derived canvas when it has none yet.
HDC TCanvas::Handle() {
  if (!FHandle) CreateHandle();
  return FHandle;
}

// Borrows dc.
void TCanvas::SetHandle(HDC dc) { FHandle = dc; }

// Fills rect with the brush.
void TCanvas::FillRect(const TRect& rect) {
  HDC dc = Handle();
  if (!dc) return;
  ::FillRect(dc, &rect, FBrush.Handle());
  Changed();
}

// Draws a one-pixel border around rect with the brush.
void TCanvas::FrameRect(const TRect& rect) {
  HDC dc = Handle();
  if (!dc) return;
  ::FrameRect(dc, &rect, FBrush.Handle());
  Changed();
}

// Outlines and fills rect.
void TCanvas::Rectangle(const TRect& rect) {
  Rectangle(rect.left, rect.top, rect.right, rect.bottom);
}

// Outlines with the pen and fills with the brush.
void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  HDC dc = Handle();
  if (!dc) return;
  TSelectObjectGuard pen(dc, FPen.Handle());
  TSelectObjectGuard brush(dc, FBrush.Handle());
  ::Rectangle(dc, left, top, right, bottom);
  Changed();
}

// Moves the pen position.
void TCanvas::MoveTo(int x, int y) {
  FPenPos = TPoint{x, y};
  if (HDC dc = Handle()) MoveToEx(dc, x, y, nullptr);
}

// Draws a line with the pen from the pen position to (x, y), which becomes the new position.
void TCanvas::LineTo(int x, int y) {
  HDC dc = Handle();
  if (!dc) return;
  TSelectObjectGuard pen(dc, FPen.Handle());
  MoveToEx(dc, FPenPos.x, FPenPos.y, nullptr);
  ::LineTo(dc, x, y);
  FPenPos = TPoint{x, y};
  Changed();
}

// Draws connected lines with the pen.
void TCanvas::Polyline(const std::vector<TPoint>& points) {
  HDC dc = Handle();
  if (!dc || points.empty()) return;
  TSelectObjectGuard pen(dc, FPen.Handle());
  ::Polyline(dc, points.data(), static_cast<int>(points.size()));
  Changed();
}

// Text colour from the font; opaque background in the brush colour unless the brush is clear.
void TCanvas::PrepareText(HDC dc) {
  SetTextColor(dc, ColorToRGB(FFont.Color()));
  if (FBrush.Style() == TBrushStyle::bsClear) {
    SetBkMode(dc, TRANSPARENT);
  } else {
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ColorToRGB(FBrush.Color()));
  }
}

// Writes text at (x, y).
void TCanvas::TextOut(int x, int y, const std::string& text) {
  HDC dc = Handle();
  if (!dc) return;
  TSelectObjectGuard font(dc, FFont.Handle());
  PrepareText(dc);
  ::TextOutA(dc, x, y, text.data(), static_cast<int>(text.size()));
  SIZE ext{};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &ext);
  FPenPos = TPoint{x + ext.cx, y};
  Changed();
}

// Writes text at (x, y) clipped to rect, filling rect unless the brush is clear.
void TCanvas::TextRect(const TRect& rect, int x, int y, const std::string& text) {
  HDC dc = Handle();
  if (!dc) return;
  TSelectObjectGuard font(dc, FFont.Handle());
  PrepareText(dc);
  UINT options = ETO_CLIPPED;
  if (FBrush.Style() != TBrushStyle::bsClear) options |= ETO_OPAQUE;
  ::ExtTextOutA(dc, x, y, options, &rect, text.data(), static_cast<UINT>(text.size()), nullptr);
  Changed();
}

// The size of text in the font.
TSize TCanvas::TextExtent(const std::string& text) {
  TSize size{0, 0};
  HDC dc = Handle();
  if (!dc) return size;
  TSelectObjectGuard font(dc, FFont.Handle());
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  return size;
}

// The width and height of text in the font.
int TCanvas::TextWidth(const std::string& text) { return TextExtent(text).cx; }
int TCanvas::TextHeight(const std::string& text) { return TextExtent(text).cy; }

// The colour of pixel (x, y).
COLORREF TCanvas::Pixel(int x, int y) {
  HDC dc = Handle();
  return dc ? ::GetPixel(dc, x, y) : CLR_INVALID;
}

// Sets pixel (x, y).
void TCanvas::SetPixel(int x, int y, TColor color) {
  if (HDC dc = Handle()) ::SetPixel(dc, x, y, ColorToRGB(color));
  Changed();
}

// Draws graphic unstretched with its top-left corner at (x, y).
void TCanvas::Draw(int x, int y, TGraphic& graphic) {
  if (graphic.Empty()) return;
  graphic.Draw(*this, Bounds(x, y, graphic.Width(), graphic.Height()));
  Changed();
}

// Draws graphic stretched into rect.
void TCanvas::StretchDraw(const TRect& rect, TGraphic& graphic) {
  if (graphic.Empty()) return;
  graphic.Draw(*this, rect);
  Changed();
}

// Copies srcRect of source to destRect, stretching as needed.
void TCanvas::CopyRect(const TRect& destRect, TCanvas& source, const TRect& srcRect) {
  HDC dc = Handle();
  HDC src = source.Handle();
  if (!dc || !src) return;
  StretchBlt(dc, destRect.left, destRect.top, destRect.right - destRect.left,
             destRect.bottom - destRect.top, src, srcRect.left, srcRect.top,
             srcRect.right - srcRect.left, srcRect.bottom - srcRect.top, FCopyMode);
  Changed();
}

// The DC's clip box.
TRect TCanvas::ClipRect() {
  TRect r{0, 0, 0, 0};
  if (HDC dc = Handle()) GetClipBox(dc, &r);
  return r;
}

// Tells the listener that something was drawn.
void TCanvas::Changed() { OnChange(this); }

// ---------------------------------------------------------------------------

QUORVEL_DEFINE_CLASS(TGraphic) {}

// Whether Draw leaves the transparent colour out.
void TGraphic::SetTransparent(bool value) {
  if (value == FTransparent) return;
  FTransparent = value;
  Changed();
}

// Loads the file's whole contents.
void TGraphic::LoadFromFile(const std::string& fileName) {
  TFileStream stream(fileName, TFileMode::OpenRead);
  LoadFromStream(stream);
}

// Saves to a new file.
void TGraphic::SaveToFile(const std::string& fileName) {
  TFileStream stream(fileName, TFileMode::Create);
  SaveToStream(stream);
}

// Tells the owner (a picture) that the graphic changed.
void TGraphic::Changed() { OnChange(this); }

// ---------------------------------------------------------------------------

// The canvas of a bitmap: a memory DC made on first use and kept for the
// bitmap's lifetime (so settings such as the stretch mode survive resizing),
// with the bitmap's current image selected into it.
class TBitmapCanvas : public TCanvas {
public:
  explicit TBitmapCanvas(TBitmap& owner) : FOwner(owner) {}
  ~TBitmapCanvas() override {
    FSelection.reset();
    FHandle = nullptr;
  }
  // Takes the image out of the DC before the bitmap replaces it.
  void Deselect() { FSelection.reset(); }
  // Selects the bitmap's current image, if the DC exists.
  void Select() {
    FSelection.reset();
    if (FDC && FOwner.Handle()) FSelection.emplace(FDC->Get(), FOwner.Handle());
  }

protected:
  void CreateHandle() override {
    if (!FDC) {
      FDC.emplace(nullptr);
      Select();
    }
    FHandle = FDC->Get();
  }

private:
  TBitmap& FOwner;
  std::optional<TMemoryDC> FDC;
  std::optional<TSelectObjectGuard> FSelection;
};

namespace {

// BITMAPINFO with room for a full colour table.
struct TBitmapInfo256 {
  BITMAPINFOHEADER Header;
  RGBQUAD Colors[256];
};

// The bit count of a DIB pixel format (0 for device bitmaps).
int BitCountOf(TPixelFormat format) {
  switch (format) {
    case TPixelFormat::pf1bit: return 1;
    case TPixelFormat::pf4bit: return 4;
    case TPixelFormat::pf8bit: return 8;
    case TPixelFormat::pf24bit: return 24;
    case TPixelFormat::pf32bit: return 32;
    default: return 0;
  }
}

// The DIB pixel format of a bit count (pfDevice when there is none).
TPixelFormat FormatOf(int bitCount) {
  switch (bitCount) {
    case 1: return TPixelFormat::pf1bit;
    case 4: return TPixelFormat::pf4bit;
    case 8: return TPixelFormat::pf8bit;
    case 24: return TPixelFormat::pf24bit;
    case 32: return TPixelFormat::pf32bit;
    default: return TPixelFormat::pfDevice;
  }
}

// The colour table given to new palette bitmaps: black and white; the 16 VGA
// colours; those 16, a 6x6x6 colour cube and 24 greys.
std::vector<uint32_t> DefaultPalette(int bitCount) {
  static const uint32_t kVga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                    0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                    0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  if (bitCount == 1) return {0x000000, 0xFFFFFF};
  std::vector<uint32_t> pal(kVga, kVga + 16);
  if (bitCount == 4) return pal;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b)
        pal.push_back(uint32_t(r * 51) << 16 | uint32_t(g * 51) << 8 | uint32_t(b * 51));
  for (int i = 0; i < 24; ++i) {
    const uint32_t v = static_cast<uint32_t>(8 + i * 10);
    pal.push_back(v << 16 | v << 8 | v);
  }
  return pal;
}

}  // namespace

QUORVEL_DEFINE_CLASS(TBitmap) {}

TBitmap::TBitmap() = default;

// Frees the canvas first, then the image.
TBitmap::~TBitmap() {
  // The canvas goes first so the image is out of its DC when it is deleted.
  FCanvas.reset();
}

// A new bitmap: a screen-compatible DDB for pfDevice, else a top-down DIB section.
// None for a size outside the picture limits (ImageFiles.h) or when the system
// makes none.
TBitmapObject TBitmap::CreateImage(int width, int height, TPixelFormat format,
                                   const std::vector<uint32_t>* palette, uint8_t** bits) {
  *bits = nullptr;
  if (!BitmapSizeAllowed(width, height)) return TBitmapObject();
  if (format == TPixelFormat::pfDevice) {
    TWindowDC screen(nullptr);
    return TBitmapObject(CreateCompatibleBitmap(screen, width, height));
  }
  const int bitCount = BitCountOf(format);
  TBitmapInfo256 info{};
  info.Header.biSize = sizeof(BITMAPINFOHEADER);
  info.Header.biWidth = width;
  info.Header.biHeight = -height;
  info.Header.biPlanes = 1;
  info.Header.biBitCount = static_cast<WORD>(bitCount);
  info.Header.biCompression = BI_RGB;
  if (bitCount <= 8) {
    std::vector<uint32_t> colours =
        palette && !palette->empty() ? *palette : DefaultPalette(bitCount);
    colours.resize(std::min<size_t>(colours.size(), size_t(1) << bitCount));
    info.Header.biClrUsed = static_cast<DWORD>(colours.size());
    for (size_t i = 0; i < colours.size(); ++i) {
      info.Colors[i].rgbRed = static_cast<BYTE>(colours[i] >> 16);
      info.Colors[i].rgbGreen = static_cast<BYTE>(colours[i] >> 8);
      info.Colors[i].rgbBlue = static_cast<BYTE>(colours[i]);
    }
  }
  void* memory = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                 &memory, nullptr, 0);
  TBitmapObject owned(bmp);
  if (!owned || !memory) return TBitmapObject();
  *bits = static_cast<uint8_t*>(memory);
  return owned;
}

// Replaces the image, moving it into the canvas DC in place of the old one.
void TBitmap::SetImage(TBitmapObject image, int width, int height, TPixelFormat format,
                       uint8_t* bits) {
  if (FCanvas) FCanvas->Deselect();
  FImage = std::move(image);
  const bool ok = static_cast<bool>(FImage);
  FWidth = ok ? width : 0;
  FHeight = ok ? height : 0;
  FBits = ok ? bits : nullptr;
  FPixelFormat = format;
  if (FCanvas) FCanvas->Select();
  Changed();
}

// Copies this bitmap's pixels to the top-left corner of target.
void TBitmap::CopyPixelsTo(HDC target) {
  if (Empty()) return;
  GdiFlush();
  BitBlt(target, 0, 0, FWidth, FHeight, Canvas().Handle(), 0, 0, SRCCOPY);
}

// Width or height alone; see SetSize.
void TBitmap::SetWidth(int value) { SetSize(value, FHeight); }
void TBitmap::SetHeight(int value) { SetSize(FWidth, value); }

// Resizes, keeping the shared part of the picture and the colour table;
// new parts of a device bitmap are white, of a DIB section black.
void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == FWidth && height == FHeight) return;
  const TDibImage old = BitCountOf(FPixelFormat) <= 8 && !Empty() ? ToImage() : TDibImage{};
  uint8_t* bits = nullptr;
  TBitmapObject image =
      CreateImage(width, height, FPixelFormat, old.Palette.empty() ? nullptr : &old.Palette, &bits);
  if (image) {
    TMemoryDC dc;
    TSelectObjectGuard sel(dc, image);
    if (FPixelFormat == TPixelFormat::pfDevice) PatBlt(dc, 0, 0, width, height, WHITENESS);
    if (!Empty())
      BitBlt(dc, 0, 0, std::min(width, FWidth), std::min(height, FHeight), Canvas().Handle(), 0, 0,
             SRCCOPY);
  }
  SetImage(std::move(image), width, height, FPixelFormat, bits);
}

// Converts the pixels to another format.
void TBitmap::SetPixelFormat(TPixelFormat value) {
  if (value == FPixelFormat) return;
  uint8_t* bits = nullptr;
  TBitmapObject image = CreateImage(FWidth, FHeight, value, nullptr, &bits);
  if (image) {
    TMemoryDC dc;
    TSelectObjectGuard sel(dc, image);
    CopyPixelsTo(dc);
  }
  SetImage(std::move(image), FWidth, FHeight, value, bits);
}

// The canvas, made on first use.
TCanvas& TBitmap::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>(*this);
  return *FCanvas;
}

// Takes over an existing bitmap; bottom-up or unusual DIBs are copied into a top-down one.
void TBitmap::SetHandle(HBITMAP bitmap) {
  if (!bitmap) {
    Clear();
    return;
  }
  TBitmapObject owned(bitmap);
  DIBSECTION ds{};
  const int got = GetObject(bitmap, sizeof(ds), &ds);
  if (got == sizeof(DIBSECTION) && ds.dsBm.bmBits) {
    const TPixelFormat format = FormatOf(ds.dsBmih.biBitCount);
    const int height = std::abs(ds.dsBmih.biHeight);
    if (format != TPixelFormat::pfDevice && ds.dsBmih.biHeight < 0) {
      SetImage(std::move(owned), ds.dsBm.bmWidth, height, format,
               static_cast<uint8_t*>(ds.dsBm.bmBits));
      return;
    }
    // Copy into a top-down DIB of a format this class knows.
    const TPixelFormat target = format == TPixelFormat::pfDevice ? TPixelFormat::pf32bit : format;
    uint8_t* bits = nullptr;
    std::vector<uint32_t> palette;
    if (BitCountOf(target) <= 8) {
      TMemoryDC src;
      TSelectObjectGuard sel(src, bitmap);
      RGBQUAD table[256];
      const UINT n = GetDIBColorTable(src, 0, 256, table);
      for (UINT i = 0; i < n; ++i)
        palette.push_back(uint32_t(table[i].rgbRed) << 16 | uint32_t(table[i].rgbGreen) << 8 |
                          table[i].rgbBlue);
    }
    TBitmapObject image = CreateImage(ds.dsBm.bmWidth, height, target, &palette, &bits);
    if (image) {
      TMemoryDC src, dst;
      TSelectObjectGuard s1(src, bitmap);
      TSelectObjectGuard s2(dst, image);
      BitBlt(dst, 0, 0, ds.dsBm.bmWidth, height, src, 0, 0, SRCCOPY);
    }
    SetImage(std::move(image), ds.dsBm.bmWidth, height, target, bits);
    return;
  }
  BITMAP bm{};
  if (!GetObject(bitmap, sizeof(bm), &bm)) {
    Clear();
    return;
  }
  SetImage(std::move(owned), bm.bmWidth, bm.bmHeight, TPixelFormat::pfDevice, nullptr);
}

// Hands the bitmap handle to the caller.
HBITMAP TBitmap::ReleaseHandle() {
  if (FCanvas) FCanvas->Deselect();
  HBITMAP h = FImage.Release();
  FWidth = FHeight = 0;
  FBits = nullptr;
  return h;
}

// Bytes per row of the DIB section.
size_t TBitmap::ScanLineStride() const {
  const int bits = BitCountOf(FPixelFormat);
  return bits ? DibStride(FWidth, bits) : 0;
}

// Row `row` of the DIB section (0 = top).
uint8_t* TBitmap::ScanLine(int row) {
  if (FPixelFormat == TPixelFormat::pfDevice) SetPixelFormat(TPixelFormat::pf24bit);
  assert(Empty() || (row >= 0 && row < FHeight));
  if (!FBits || row < 0 || row >= FHeight) return nullptr;
  GdiFlush();
  return FBits + ScanLineStride() * static_cast<size_t>(row);
}

// The set transparent colour, or the bottom-left pixel's.
TColor TBitmap::TransparentColor() {
  if (FTransparentColor != clDefault || Empty()) return FTransparentColor;
  GdiFlush();
  return static_cast<TColor>(GetPixel(Canvas().Handle(), 0, FHeight - 1) & 0xFFFFFF);
}

// The colour left out when drawn transparent (clDefault: the bottom-left pixel).
void TBitmap::SetTransparentColor(TColor value) {
  if (value == FTransparentColor) return;
  FTransparentColor = value;
  Changed();
}

// A monochrome mask: key-coloured pixels white, the others black.
TBitmapObject TBitmap::CreateMask(COLORREF key) {
  if (Empty()) return TBitmapObject();
  TBitmapObject mask(CreateBitmap(FWidth, FHeight, 1, 1, nullptr));
  if (!mask) return mask;
  TMemoryDC dc;
  TSelectObjectGuard sel(dc, mask);
  HDC src = Canvas().Handle();
  const COLORREF oldBk = SetBkColor(src, key & 0xFFFFFF);
  GdiFlush();
  BitBlt(dc, 0, 0, FWidth, FHeight, src, 0, 0, SRCCOPY);
  SetBkColor(src, oldBk);
  return mask;
}

// Stretches the bitmap into rect; with Transparent, pixels of the transparent
// colour leave the destination as it was.
void TBitmap::Draw(TCanvas& canvas, const TRect& rect) {
  HDC dc = canvas.Handle();
  if (Empty() || !dc) return;
  HDC src = Canvas().Handle();
  GdiFlush();
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (!FTransparent) {
    StretchBlt(dc, rect.left, rect.top, w, h, src, 0, 0, FWidth, FHeight, canvas.CopyMode());
    return;
  }
  TBitmapObject mask = CreateMask(ColorToRGB(TransparentColor()));
  if (!mask) return;
  TMemoryDC maskDC;
  TSelectObjectGuard sel(maskDC, mask);
  const COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  StretchBlt(dc, rect.left, rect.top, w, h, src, 0, 0, FWidth, FHeight, SRCINVERT);
  StretchBlt(dc, rect.left, rect.top, w, h, maskDC, 0, 0, FWidth, FHeight, SRCAND);
  StretchBlt(dc, rect.left, rect.top, w, h, src, 0, 0, FWidth, FHeight, SRCINVERT);
  SetBkColor(dc, oldBk);
  SetTextColor(dc, oldText);
}

// Builds a DIB section from decoded pixels.
void TBitmap::LoadFromImage(const TDibImage& image) {
  const TPixelFormat format = FormatOf(image.BitCount);
  uint8_t* bits = nullptr;
  TBitmapObject bmp;
  if (format != TPixelFormat::pfDevice)
    bmp = CreateImage(image.Width, image.Height, format, &image.Palette, &bits);
  if (bmp && bits) {
    GdiFlush();
    const size_t bytes = DibStride(image.Width, image.BitCount) * static_cast<size_t>(image.Height);
    std::memcpy(bits, image.Pixels.data(), std::min(bytes, image.Pixels.size()));
  }
  const TPixelFormat made = bmp ? format : TPixelFormat::pfDevice;
  SetImage(std::move(bmp), image.Width, image.Height, made, bits);
  FXPelsPerMeter = image.XPelsPerMeter;
  FYPelsPerMeter = image.YPelsPerMeter;
}

// The pixels as a top-down image: a DIB section's own rows and colour table,
// a device bitmap as 24 bits.
TDibImage TBitmap::ToImage() {
  TDibImage img;
  if (Empty()) return img;
  img.Width = FWidth;
  img.Height = FHeight;
  img.XPelsPerMeter = FXPelsPerMeter;
  img.YPelsPerMeter = FYPelsPerMeter;
  const int bitCount = BitCountOf(FPixelFormat);
  GdiFlush();
  if (bitCount && FBits) {
    img.BitCount = bitCount;
    img.Pixels.assign(FBits, FBits + DibStride(FWidth, bitCount) * static_cast<size_t>(FHeight));
    if (bitCount <= 8) {
      RGBQUAD table[256];
      const UINT n = GetDIBColorTable(Canvas().Handle(), 0, 256, table);
      for (UINT i = 0; i < n; ++i)
        img.Palette.push_back(uint32_t(table[i].rgbRed) << 16 | uint32_t(table[i].rgbGreen) << 8 |
                              table[i].rgbBlue);
    }
    return img;
  }
  img.BitCount = 24;
  img.Pixels.assign(DibStride(FWidth, 24) * static_cast<size_t>(FHeight), 0);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = FWidth;
  info.bmiHeader.biHeight = -FHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  if (FCanvas) FCanvas->Deselect();  // GetDIBits wants the bitmap out of every DC
  {
    TWindowDC screen(nullptr);
    GetDIBits(screen, FImage, 0, static_cast<UINT>(FHeight), img.Pixels.data(), &info,
              DIB_RGB_COLORS);
  }
  if (FCanvas) FCanvas->Select();
  return img;
}

// Reads a .bmp file from the stream's position; damaged data empties the bitmap.
// The stream is left after the file's last byte.
void TBitmap::LoadFromStream(TStream& stream) {
  const int64_t start = stream.Position();
  const int64_t remaining = std::max<int64_t>(stream.Remaining(), 0);
  std::vector<uint8_t> bytes(static_cast<size_t>(remaining));
  const size_t got = bytes.empty() ? 0 : stream.Read(bytes.data(), bytes.size());
  size_t fileSize = got;
  const std::optional<TDibImage> image = DecodeBmp(bytes.data(), got, &fileSize);
  if (image) {
    LoadFromImage(*image);
    stream.SetPosition(start + static_cast<int64_t>(fileSize));
  } else {
    Clear();
  }
}

// Stores the bitmap as the binary property "Data": the .bmp file's size
// (4 bytes, least significant first) and the file. A plain .bmp file (as a
// definition includes one with {@file}) is read as well.
void TBitmap::DefineProperties(TFiler& filer) {
  TGraphic::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "Data",
      [this](TStream& s) {
        char magic[2] = {};
        const int64_t start = s.Position();
        const bool plainFile = s.Read(magic, 2) == 2 && magic[0] == 'B' && magic[1] == 'M';
        s.SetPosition(plainFile ? start : start + 4);
        LoadFromStream(s);
      },
      [this](TStream& s) {
        TMemoryStream file;
        SaveToStream(file);
        const uint32_t size = static_cast<uint32_t>(file.Size());
        const uint8_t prefix[4] = {static_cast<uint8_t>(size), static_cast<uint8_t>(size >> 8),
                                   static_cast<uint8_t>(size >> 16),
                                   static_cast<uint8_t>(size >> 24)};
        s.WriteBuffer(prefix, 4);
        s.WriteBuffer(file.Memory(), file.Bytes().size());
      },
      !Empty());
}

// Writes the bitmap as a .bmp file (device bitmaps as 24 bits).
void TBitmap::SaveToStream(TStream& stream) {
  const std::vector<uint8_t> bytes = EncodeBmp(ToImage());
  stream.WriteBuffer(bytes.data(), bytes.size());
}

// Copies another bitmap (pixels, format, transparency); null empties this one.
void TBitmap::Assign(TPersistent* source) {
  if (!source) {
    Clear();
    return;
  }
  auto* other = dynamic_cast<TBitmap*>(source);
  if (!other) {
    TGraphic::Assign(source);
    return;
  }
  if (other == this) return;
  FTransparent = other->FTransparent;
  FTransparentColor = other->FTransparentColor;
  if (other->Empty()) {
    SetImage(TBitmapObject(), 0, 0, other->FPixelFormat, nullptr);
    return;
  }
  if (other->FPixelFormat != TPixelFormat::pfDevice) {
    LoadFromImage(other->ToImage());
    return;
  }
  uint8_t* bits = nullptr;
  TBitmapObject image =
      CreateImage(other->FWidth, other->FHeight, TPixelFormat::pfDevice, nullptr, &bits);
  if (image) {
    TMemoryDC dc;
    TSelectObjectGuard sel(dc, image);
    other->CopyPixelsTo(dc);
  }
  SetImage(std::move(image), other->FWidth, other->FHeight, TPixelFormat::pfDevice, bits);
}

// Drops the picture.
void TBitmap::Clear() { SetImage(TBitmapObject(), 0, 0, FPixelFormat, nullptr); }

// ---------------------------------------------------------------------------

QUORVEL_DEFINE_CLASS(TIcon) {}

TIcon::TIcon() = default;
TIcon::~TIcon() = default;

// The size of the icon Handle() gives: the system's large icon size.
int TIcon::Width() const { return Empty() ? 0 : GetSystemMetrics(SM_CXICON); }
int TIcon::Height() const { return Empty() ? 0 : GetSystemMetrics(SM_CYICON); }

// The icon of the system's large size.
HICON TIcon::Handle() {
  return HandleForSize(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
}

// The icon of the system's small size.
HICON TIcon::SmallHandle() {
  return HandleForSize(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
}

// The image the platform's lookup picks for that size and the display's colours.
int TIcon::BestImage(int width, int height) const {
  if (Empty()) return -1;
  std::vector<uint8_t> dir = IconResourceDirectory(FEntries);
  const int id = LookupIconIdFromDirectoryEx(dir.data(), TRUE, width, height, LR_DEFAULTCOLOR);
  if (id < 1 || id > static_cast<int>(FEntries.size())) return 0;
  return id - 1;
}

// Makes (once) the icon of that size from the best image.
HICON TIcon::HandleForSize(int width, int height) {
  const int index = BestImage(width, height);
  if (index < 0) return nullptr;
  const auto key = std::make_pair(width, height);
  auto it = FHandles.find(key);
  if (it != FHandles.end()) return it->second.Get();
  const TIconEntry& e = FEntries[static_cast<size_t>(index)];
  HICON icon = CreateIconFromResourceEx(FData.data() + e.Offset, e.Size, TRUE, 0x00030000, width,
                                        height, LR_DEFAULTCOLOR);
  return FHandles.emplace(key, TIconObject(icon)).first->second.Get();
}

// Takes the bytes of an .ico file; anything damaged leaves the icon empty.
void TIcon::LoadFromBytes(std::vector<uint8_t> bytes) {
  FHandles.clear();
  std::optional<std::vector<TIconEntry>> entries = ParseIconFile(bytes.data(), bytes.size());
  if (entries) {
    FData = std::move(bytes);
    FEntries = std::move(*entries);
  } else {
    FData.clear();
    FEntries.clear();
  }
  Changed();
}

// Reads the rest of the stream as an .ico file.
void TIcon::LoadFromStream(TStream& stream) {
  std::vector<uint8_t> bytes(static_cast<size_t>(std::max<int64_t>(stream.Remaining(), 0)));
  const size_t got = bytes.empty() ? 0 : stream.Read(bytes.data(), bytes.size());
  bytes.resize(got);
  LoadFromBytes(std::move(bytes));
}

// Writes the .ico file's bytes.
void TIcon::SaveToStream(TStream& stream) {
  if (!FData.empty()) stream.WriteBuffer(FData.data(), FData.size());
}

// Copies another icon.
void TIcon::Assign(TPersistent* source) {
  if (!source) {
    LoadFromBytes({});
    return;
  }
  if (auto* other = dynamic_cast<TIcon*>(source)) {
    if (other != this) LoadFromBytes(other->FData);
    return;
  }
  TGraphic::Assign(source);
}

// "Data": the .ico file's bytes.
void TIcon::DefineProperties(TFiler& filer) {
  TGraphic::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "Data", [this](TStream& s) { LoadFromStream(s); }, [this](TStream& s) { SaveToStream(s); },
      !Empty());
}

// Draws the icon made for rect's size.
void TIcon::Draw(TCanvas& canvas, const TRect& rect) {
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  HDC dc = canvas.Handle();
  if (!dc || w <= 0 || h <= 0) return;
  if (HICON icon = HandleForSize(w, h))
    DrawIconEx(dc, rect.left, rect.top, icon, w, h, 0, nullptr, DI_NORMAL);
}

// ---------------------------------------------------------------------------

QUORVEL_DEFINE_CLASS(TPicture) {}

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

// Takes graphic and forwards its changes.
void TPicture::Replace(std::unique_ptr<TGraphic> graphic) {
  FGraphic = std::move(graphic);
  if (FGraphic) FGraphic->OnChange = [this](TObject*) { Changed(); };
  Changed();
}

// Tells the owner that the picture changed.
void TPicture::Changed() { OnChange(this); }

// A copy of graphic becomes the picture.
void TPicture::SetGraphic(TGraphic* graphic) {
  if (!graphic) {
    Replace(nullptr);
    return;
  }
  std::unique_ptr<TGraphic> copy;
  if (dynamic_cast<TBitmap*>(graphic))
    copy = std::make_unique<TBitmap>();
  else if (dynamic_cast<TIcon*>(graphic))
    copy = std::make_unique<TIcon>();
  else
    throw EConvertError("unsupported graphic");
  copy->Assign(graphic);
  Replace(std::move(copy));
}

// The graphic as a bitmap, replacing any other kind by an empty bitmap.
TBitmap& TPicture::Bitmap() {
  if (!dynamic_cast<TBitmap*>(FGraphic.get())) Replace(std::make_unique<TBitmap>());
  return static_cast<TBitmap&>(*FGraphic);
}

// The graphic as an icon, replacing any other kind by an empty icon.
TIcon& TPicture::Icon() {
  if (!dynamic_cast<TIcon*>(FGraphic.get())) Replace(std::make_unique<TIcon>());
  return static_cast<TIcon&>(*FGraphic);
}

// The graphic's size; 0 when empty.
int TPicture::Width() const { return FGraphic ? FGraphic->Width() : 0; }
int TPicture::Height() const { return FGraphic ? FGraphic->Height() : 0; }

// A .bmp ("BM") or .ico (00 00 01 00) from its bytes; anything else empties the picture.
void TPicture::LoadFromBytes(const std::vector<uint8_t>& bytes) {
  TMemoryStream stream(bytes);
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
    auto bmp = std::make_unique<TBitmap>();
    bmp->LoadFromStream(stream);
    Replace(bmp->Empty() ? nullptr : std::move(bmp));
  } else if (bytes.size() >= 4 && bytes[0] == 0 && bytes[1] == 0 && bytes[2] == 1 &&
             bytes[3] == 0) {
    auto icon = std::make_unique<TIcon>();
    icon->LoadFromStream(stream);
    Replace(icon->Empty() ? nullptr : std::move(icon));
  } else {
    Replace(nullptr);
  }
}

// Loads the rest of the stream.
void TPicture::LoadFromStream(TStream& stream) {
  std::vector<uint8_t> bytes(static_cast<size_t>(std::max<int64_t>(stream.Remaining(), 0)));
  const size_t got = bytes.empty() ? 0 : stream.Read(bytes.data(), bytes.size());
  bytes.resize(got);
  LoadFromBytes(bytes);
}

// Loads a .bmp or .ico file.
void TPicture::LoadFromFile(const std::string& fileName) { LoadFromBytes(ReadFileBytes(fileName)); }

// Saves the graphic in its own file format.
void TPicture::SaveToFile(const std::string& fileName) {
  if (FGraphic) FGraphic->SaveToFile(fileName);
}

// Copies another picture or a graphic.
void TPicture::Assign(TPersistent* source) {
  if (!source) {
    Replace(nullptr);
  } else if (auto* other = dynamic_cast<TPicture*>(source)) {
    if (other != this) SetGraphic(other->FGraphic.get());
  } else if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
    SetGraphic(graphic);
  } else {
    TPersistent::Assign(source);
  }
}

// "Data": the graphic's file bytes.
void TPicture::DefineProperties(TFiler& filer) {
  TPersistent::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "Data", [this](TStream& s) { LoadFromStream(s); },
      [this](TStream& s) {
        if (FGraphic) FGraphic->SaveToStream(s);
      },
      FGraphic && !FGraphic->Empty());
}
