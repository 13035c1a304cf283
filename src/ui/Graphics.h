// Graphics over GDI: colours, owners of GDI handles, fonts, brushes, pens,
// canvases, bitmaps, icons and pictures.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/Classes.h"
#include "ui/ImageFiles.h"
#include "ui/Published.h"

using TRect = RECT;
using TPoint = POINT;
using TSize = SIZE;

// A rectangle from its four edges.
TRect Rect(int left, int top, int right, int bottom);
// A rectangle from its top-left corner and size.
TRect Bounds(int left, int top, int width, int height);

// ---------------------------------------------------------------------------
// Colours: 0x00BBGGRR is an RGB colour, 0x80000000 + n the system colour n.

using TColor = int32_t;

constexpr TColor kSysColorBase = static_cast<TColor>(0x80000000u);
constexpr TColor clScrollBar = kSysColorBase | COLOR_SCROLLBAR;
constexpr TColor clBackground = kSysColorBase | COLOR_BACKGROUND;
constexpr TColor clActiveCaption = kSysColorBase | COLOR_ACTIVECAPTION;
constexpr TColor clInactiveCaption = kSysColorBase | COLOR_INACTIVECAPTION;
constexpr TColor clMenu = kSysColorBase | COLOR_MENU;
constexpr TColor clWindow = kSysColorBase | COLOR_WINDOW;
constexpr TColor clWindowFrame = kSysColorBase | COLOR_WINDOWFRAME;
constexpr TColor clMenuText = kSysColorBase | COLOR_MENUTEXT;
constexpr TColor clWindowText = kSysColorBase | COLOR_WINDOWTEXT;
constexpr TColor clCaptionText = kSysColorBase | COLOR_CAPTIONTEXT;
constexpr TColor clActiveBorder = kSysColorBase | COLOR_ACTIVEBORDER;
constexpr TColor clInactiveBorder = kSysColorBase | COLOR_INACTIVEBORDER;
constexpr TColor clAppWorkSpace = kSysColorBase | COLOR_APPWORKSPACE;
constexpr TColor clHighlight = kSysColorBase | COLOR_HIGHLIGHT;
constexpr TColor clHighlightText = kSysColorBase | COLOR_HIGHLIGHTTEXT;
constexpr TColor clBtnFace = kSysColorBase | COLOR_BTNFACE;
constexpr TColor clBtnShadow = kSysColorBase | COLOR_BTNSHADOW;
constexpr TColor clGrayText = kSysColorBase | COLOR_GRAYTEXT;
constexpr TColor clBtnText = kSysColorBase | COLOR_BTNTEXT;
constexpr TColor clInactiveCaptionText = kSysColorBase | COLOR_INACTIVECAPTIONTEXT;
constexpr TColor clBtnHighlight = kSysColorBase | COLOR_BTNHIGHLIGHT;
constexpr TColor cl3DDkShadow = kSysColorBase | COLOR_3DDKSHADOW;
constexpr TColor cl3DLight = kSysColorBase | COLOR_3DLIGHT;
constexpr TColor clInfoText = kSysColorBase | COLOR_INFOTEXT;
constexpr TColor clInfoBk = kSysColorBase | COLOR_INFOBK;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// The plain RGB value of a colour: system colours are looked up now, other
// values keep their low 24 bits.
COLORREF ColorToRGB(TColor color);

// ---------------------------------------------------------------------------
// Owners of GDI handles. An owner (TBitmapObject, ...) deletes its handle; a
// handle (TBitmapHandle, ...) only borrows one. Owners move, never copy.

// Borrows a GDI object of type H; never deletes it.
template <class H>
class TGdiHandle {
public:
  TGdiHandle(H handle = nullptr) : FHandle(handle) {}  // NOLINT: implicit by design
  H Get() const { return FHandle; }
  operator H() const { return FHandle; }  // NOLINT
  explicit operator bool() const { return FHandle != nullptr; }

protected:
  H FHandle;
};

// Owns a GDI object of type H and deletes it with DeleteObject.
template <class H>
class TGdiObject {
public:
  TGdiObject() = default;
  explicit TGdiObject(H handle) : FHandle(handle) {}
  ~TGdiObject() { Reset(); }
  TGdiObject(TGdiObject&& other) noexcept : FHandle(other.Release()) {}
  TGdiObject& operator=(TGdiObject&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;

  H Get() const { return FHandle; }
  operator H() const { return FHandle; }  // NOLINT
  explicit operator bool() const { return FHandle != nullptr; }
  // Gives up ownership without deleting.
  H Release() {
    H h = FHandle;
    FHandle = nullptr;
    return h;
  }
  // Deletes the owned object and takes handle instead.
  void Reset(H handle = nullptr) {
    if (FHandle && FHandle != handle) DeleteObject(FHandle);
    FHandle = handle;
  }

private:
  H FHandle = nullptr;
};

using TBitmapObject = TGdiObject<HBITMAP>;
using TBrushObject = TGdiObject<HBRUSH>;
using TPenObject = TGdiObject<HPEN>;
using TFontObject = TGdiObject<HFONT>;
using TRegionObject = TGdiObject<HRGN>;
using TPaletteObject = TGdiObject<HPALETTE>;
using TBitmapHandle = TGdiHandle<HBITMAP>;
using TBrushHandle = TGdiHandle<HBRUSH>;
using TPenHandle = TGdiHandle<HPEN>;
using TFontHandle = TGdiHandle<HFONT>;
using TRegionHandle = TGdiHandle<HRGN>;

// Owns an icon or cursor and destroys it with DestroyIcon.
class TIconObject {
public:
  TIconObject() = default;
  explicit TIconObject(HICON icon) : FHandle(icon) {}
  ~TIconObject() { Reset(); }
  TIconObject(TIconObject&& other) noexcept : FHandle(other.Release()) {}
  TIconObject& operator=(TIconObject&& other) noexcept;
  TIconObject(const TIconObject&) = delete;
  TIconObject& operator=(const TIconObject&) = delete;
  HICON Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != nullptr; }
  HICON Release();
  void Reset(HICON icon = nullptr);

private:
  HICON FHandle = nullptr;
};

// Selects an object into a DC and selects the previous one back on destruction.
class TSelectObjectGuard {
public:
  TSelectObjectGuard(HDC dc, HGDIOBJ object);
  ~TSelectObjectGuard() { Restore(); }
  TSelectObjectGuard(TSelectObjectGuard&& other) noexcept;
  TSelectObjectGuard& operator=(TSelectObjectGuard&&) = delete;
  TSelectObjectGuard(const TSelectObjectGuard&) = delete;
  TSelectObjectGuard& operator=(const TSelectObjectGuard&) = delete;
  // The object that was selected before.
  HGDIOBJ Previous() const { return FOld; }
  // Puts the previous object back now.
  void Restore();

private:
  HDC FDC;
  HGDIOBJ FOld;
};

// Saves the DC's state (SaveDC) and restores it (RestoreDC) on destruction.
class TSaveDCGuard {
public:
  explicit TSaveDCGuard(HDC dc);
  ~TSaveDCGuard();
  TSaveDCGuard(const TSaveDCGuard&) = delete;
  TSaveDCGuard& operator=(const TSaveDCGuard&) = delete;

private:
  HDC FDC;
  int FSaved;
};

// A DC from BeginPaint, ended with EndPaint.
class TPaintDC {
public:
  explicit TPaintDC(HWND wnd);
  ~TPaintDC();
  TPaintDC(const TPaintDC&) = delete;
  TPaintDC& operator=(const TPaintDC&) = delete;
  HDC Get() const { return FDC; }
  operator HDC() const { return FDC; }  // NOLINT
  const PAINTSTRUCT& PaintStruct() const { return FPaint; }

private:
  HWND FWnd;
  PAINTSTRUCT FPaint{};
  HDC FDC;
};

// A DC from GetDC (client area) or GetWindowDC (whole window), released with ReleaseDC.
class TWindowDC {
public:
  enum TArea { Client, Window };
  explicit TWindowDC(HWND wnd, TArea area = Client);
  // A DC from GetDCEx with the given clip region and flags.
  TWindowDC(HWND wnd, HRGN clip, DWORD flags);
  ~TWindowDC();
  TWindowDC(TWindowDC&& other) noexcept;
  TWindowDC& operator=(TWindowDC&&) = delete;
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return FDC; }
  operator HDC() const { return FDC; }  // NOLINT

private:
  HWND FWnd;
  HDC FDC;
};

// A memory DC from CreateCompatibleDC, deleted with DeleteDC.
class TMemoryDC {
public:
  // A DC compatible with reference (the screen when null).
  explicit TMemoryDC(HDC reference = nullptr);
  ~TMemoryDC();
  TMemoryDC(TMemoryDC&& other) noexcept;
  TMemoryDC& operator=(TMemoryDC&&) = delete;
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  HDC Get() const { return FDC; }
  operator HDC() const { return FDC; }  // NOLINT

private:
  HDC FDC;
};

// ---------------------------------------------------------------------------
// Fonts, brushes and pens: descriptions whose GDI object is made on demand.

enum TFontStyle : uint32_t {
  fsBold = 1u << 0,
  fsItalic = 1u << 1,
  fsUnderline = 1u << 2,
  fsStrikeOut = 1u << 3
};
using TFontStyles = uint32_t;

// The names of the character sets (DEFAULT_CHARSET, ...) for definitions.
const TIdentMap& CharsetIdents();

// A font description and its GDI font.
class TFont : public TPersistent {
  QUORVEL_CLASS(TFont, TPersistent)
public:
  TFont() = default;
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;

  uint8_t Charset() const { return FCharset; }
  void SetCharset(uint8_t value);
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  int32_t Height() const { return FHeight; }
  void SetHeight(int32_t value);
  const std::string& Name() const { return FName; }
  void SetName(const std::string& value);
  // The size in points, from Height and PixelsPerInch.
  int32_t Size() const;
  void SetSize(int32_t points);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles value);
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int value) { FPixelsPerInch = value; }

  // The GDI font, created on first use and owned by this object.
  HFONT Handle();
  // Takes ownership of font and takes its description (name, height, style,
  // character set) from it.
  void SetHandle(HFONT font);
  void Assign(TPersistent* source) override;

  TNotifyEvent OnChange;

private:
  void Changed();
  uint8_t FCharset = DEFAULT_CHARSET;
  TColor FColor = clWindowText;
  int32_t FHeight = -11;
  std::string FName = "MS Sans Serif";
  TFontStyles FStyle = 0;
  int FPixelsPerInch = 96;
  TFontObject FHandle;
};

enum class TBrushStyle {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};

// A brush description and its GDI brush (the stock null brush for bsClear).
class TBrush : public TPersistent {
  QUORVEL_CLASS(TBrush, TPersistent)
public:
  TBrush() = default;
  TBrush(const TBrush&) = delete;
  TBrush& operator=(const TBrush&) = delete;

  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle value);
  // The GDI brush, created on first use; owned by this object.
  HBRUSH Handle();
  void Assign(TPersistent* source) override;

  TNotifyEvent OnChange;

private:
  void Changed();
  TColor FColor = clWhite;
  TBrushStyle FStyle = TBrushStyle::bsSolid;
  TBrushObject FHandle;
};

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// A pen description and its GDI pen.
class TPen : public TPersistent {
  QUORVEL_CLASS(TPen, TPersistent)
public:
  TPen() = default;
  TPen(const TPen&) = delete;
  TPen& operator=(const TPen&) = delete;

  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  int32_t Width() const { return FWidth; }
  void SetWidth(int32_t value);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle value);
  // The GDI pen, created on first use; owned by this object.
  HPEN Handle();
  void Assign(TPersistent* source) override;

  TNotifyEvent OnChange;

private:
  void Changed();
  TColor FColor = clBlack;
  int32_t FWidth = 1;
  TPenStyle FStyle = TPenStyle::psSolid;
  TPenObject FHandle;
};

// ---------------------------------------------------------------------------

class TGraphic;

// Drawing on a DC with a brush, a pen and a font. The canvas borrows its DC
// (SetHandle) or makes one on demand (CreateHandle in derived canvases). The
// brush, pen and font are selected into the DC only for the duration of each
// drawing call; the DC's own objects are always back afterwards.
class TCanvas : public TPersistent {
  QUORVEL_CLASS(TCanvas, TPersistent)
public:
  TCanvas();
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // The DC; derived canvases create theirs here on first use.
  HDC Handle();
  // Borrows dc (null detaches); the canvas never releases a borrowed DC.
  void SetHandle(HDC dc);
  bool HandleAllocated() const { return FHandle != nullptr; }

  TBrush& Brush() { return FBrush; }
  TPen& Pen() { return FPen; }
  TFont& Font() { return FFont; }
  // The raster operation of CopyRect (SRCCOPY by default).
  DWORD CopyMode() const { return FCopyMode; }
  void SetCopyMode(DWORD rop) { FCopyMode = rop; }
  TPoint PenPos() const { return FPenPos; }

  void FillRect(const TRect& rect);
  void FrameRect(const TRect& rect);
  void Rectangle(const TRect& rect);
  void Rectangle(int left, int top, int right, int bottom);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Polyline(const std::vector<TPoint>& points);
  // Text at (x, y); the background is the brush colour unless the brush is clear.
  void TextOut(int x, int y, const std::string& text);
  // Text at (x, y) clipped to rect (filled with the brush unless it is clear).
  void TextRect(const TRect& rect, int x, int y, const std::string& text);
  TSize TextExtent(const std::string& text);
  int TextWidth(const std::string& text);
  int TextHeight(const std::string& text);
  // The colour of one pixel (as GetPixel gives it) / sets one pixel.
  COLORREF Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);
  void Draw(int x, int y, TGraphic& graphic);
  void StretchDraw(const TRect& rect, TGraphic& graphic);
  // Copies srcRect of source's DC to destRect of this one (StretchBlt with CopyMode).
  void CopyRect(const TRect& destRect, TCanvas& source, const TRect& srcRect);
  // The part of the DC that can be drawn on, in logical coordinates.
  TRect ClipRect();

  TNotifyEvent OnChange;

protected:
  // Makes FHandle for canvases that own their DC; the default has none to make.
  virtual void CreateHandle() {}
  // Calls OnChange after a drawing call.
  void Changed();
  HDC FHandle = nullptr;

private:
  // Sets text colour and background mode from the font and brush.
  void PrepareText(HDC dc);
  TBrush FBrush;
  TPen FPen;
  TFont FFont;
  DWORD FCopyMode = SRCCOPY;
  TPoint FPenPos{0, 0};
};

// ---------------------------------------------------------------------------

// A picture that can be drawn on a canvas and stored in a stream.
class TGraphic : public TPersistent {
  QUORVEL_CLASS(TGraphic, TPersistent)
public:
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int value) = 0;
  virtual void SetHeight(int value) = 0;
  virtual bool Empty() const = 0;
  bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool value);
  // Replaces the picture with a file's contents read from the stream's position;
  // damaged data leaves the graphic empty.
  virtual void LoadFromStream(TStream& stream) = 0;
  virtual void SaveToStream(TStream& stream) = 0;
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName);

  TNotifyEvent OnChange;

protected:
  friend class TCanvas;
  // Draws the picture stretched into rect.
  virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;
  void Changed();
  bool FTransparent = false;
};

enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };

class TBitmapCanvas;

// A bitmap: a device-dependent bitmap (pfDevice) or a DIB section of 1, 4, 8,
// 24 or 32 bits. DIB sections are top-down: ScanLine(0) is the top row and
// row y + 1 follows row y in memory; 24-bit rows hold blue, green, red per
// pixel, 32-bit rows a fourth byte after them. A bitmap of width or height 0
// is empty and has no handle.
class TBitmap : public TGraphic {
  QUORVEL_CLASS(TBitmap, TGraphic)
public:
  TBitmap();
  ~TBitmap() override;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  void SetWidth(int value) override;
  void SetHeight(int value) override;
  // Resizes; the pixels that both sizes share are kept. A size outside the
  // picture limits (ImageFiles.h), or one the system cannot make, empties it.
  void SetSize(int width, int height);
  bool Empty() const override { return FWidth == 0 || FHeight == 0; }
  TPixelFormat PixelFormat() const { return FPixelFormat; }
  // Changes the format, converting the pixels.
  void SetPixelFormat(TPixelFormat value);

  // The canvas drawing into this bitmap (a memory DC kept for its lifetime).
  TCanvas& Canvas();
  HBITMAP Handle() const { return FImage.Get(); }
  // Takes ownership of bitmap (a DDB or DIB section); its format is taken over.
  void SetHandle(HBITMAP bitmap);
  // Gives up the bitmap handle to the caller; the bitmap becomes empty.
  HBITMAP ReleaseHandle();

  // The first byte of row (0 = top). A device bitmap becomes a 24-bit DIB first.
  // Null when the bitmap is empty, e.g. when a size outside the picture limits
  // (ImageFiles.h) or a failed allocation left it without pixels.
  uint8_t* ScanLine(int row);
  // Bytes from one row to the next.
  size_t ScanLineStride() const;

  // The colour drawn transparent when Transparent is set: the bottom-left
  // pixel's colour unless one was set.
  TColor TransparentColor();
  void SetTransparentColor(TColor value);

  // A monochrome mask of this bitmap: pixels of colour key white, the rest black.
  TBitmapObject CreateMask(COLORREF key);

  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;
  // Loads from decoded pixels / returns the pixels as a 24-bit (or own-depth) image.
  void LoadFromImage(const TDibImage& image);
  TDibImage ToImage();
  void Assign(TPersistent* source) override;
  // Stored as the binary property "Data" (the size of the .bmp file, then the file).
  void DefineProperties(TFiler& filer) override;
  // Drops the picture (width and height 0).
  void Clear();

protected:
  void Draw(TCanvas& canvas, const TRect& rect) override;

private:
  // Replaces the image (selected into the canvas DC if there is one).
  void SetImage(TBitmapObject image, int width, int height, TPixelFormat format, uint8_t* bits);
  // A new bitmap of the given size and format; bits receives DIB memory.
  static TBitmapObject CreateImage(int width, int height, TPixelFormat format,
                                   const std::vector<uint32_t>* palette, uint8_t** bits);
  // Copies the pixels of this bitmap into target (a DC with a bitmap selected).
  void CopyPixelsTo(HDC target);

  TBitmapObject FImage;
  int FWidth = 0;
  int FHeight = 0;
  TPixelFormat FPixelFormat = TPixelFormat::pfDevice;
  uint8_t* FBits = nullptr;
  TColor FTransparentColor = clDefault;
  int32_t FXPelsPerMeter = 0;  // resolution of the file it was loaded from
  int32_t FYPelsPerMeter = 0;
  std::unique_ptr<TBitmapCanvas> FCanvas;
};

// An icon read from an .ico file that holds one or more images. The file's
// bytes are kept; icons of a given size are made from the best image on demand.
class TIcon : public TGraphic {
  QUORVEL_CLASS(TIcon, TGraphic)
public:
  TIcon();
  ~TIcon() override;
  TIcon(const TIcon&) = delete;
  TIcon& operator=(const TIcon&) = delete;

  // The system's large icon size (the size Handle() gives).
  int Width() const override;
  int Height() const override;
  // Icons have the sizes of their images; these do nothing.
  void SetWidth(int) override {}
  void SetHeight(int) override {}
  bool Empty() const override { return FEntries.empty(); }
  // The icon of the system's large size.
  HICON Handle();
  // The icon of the system's small size (title bars, WM_SETICON ICON_SMALL).
  HICON SmallHandle();
  // The icon made from the image that suits width x height best; owned by this object.
  HICON HandleForSize(int width, int height);
  // The index of the image that the platform picks for that size, or -1.
  int BestImage(int width, int height) const;
  const std::vector<TIconEntry>& Images() const { return FEntries; }
  const std::vector<uint8_t>& Data() const { return FData; }
  // Replaces the icon with the bytes of an .ico file (damaged → empty).
  void LoadFromBytes(std::vector<uint8_t> bytes);

  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;
  void Assign(TPersistent* source) override;
  // Stores the icon file's bytes as the binary property "Data".
  void DefineProperties(TFiler& filer) override;

protected:
  void Draw(TCanvas& canvas, const TRect& rect) override;

private:
  std::vector<uint8_t> FData;
  std::vector<TIconEntry> FEntries;
  std::map<std::pair<int, int>, TIconObject> FHandles;
};

// Holds one graphic of any kind; stored as the binary property "Data" holding
// the graphic's file bytes (a .bmp starting with "BM" or an .ico).
class TPicture : public TPersistent {
  QUORVEL_CLASS(TPicture, TPersistent)
public:
  TPicture();
  ~TPicture() override;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  // The graphic, or null when the picture is empty.
  TGraphic* Graphic() const { return FGraphic.get(); }
  // Replaces the graphic by a copy of graphic (null empties the picture).
  void SetGraphic(TGraphic* graphic);
  // The graphic as a bitmap; an empty bitmap replaces any other kind.
  TBitmap& Bitmap();
  // The graphic as an icon; an empty icon replaces any other kind.
  TIcon& Icon();
  int Width() const;
  int Height() const;
  // Loads a .bmp or .ico from the bytes (the kind is told by the first bytes).
  void LoadFromBytes(const std::vector<uint8_t>& bytes);
  void LoadFromStream(TStream& stream);
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName);

  void Assign(TPersistent* source) override;
  void DefineProperties(TFiler& filer) override;

  TNotifyEvent OnChange;

private:
  // Takes graphic as the new one and hooks its change event.
  void Replace(std::unique_ptr<TGraphic> graphic);
  void Changed();
  std::unique_ptr<TGraphic> FGraphic;
};
