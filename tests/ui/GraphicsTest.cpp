// Graphics over GDI: colours, handle owners, bitmaps, icons, pictures and
// their stored form, checked pixel by pixel.
#include <gtest/gtest.h>

#include "ui/Filer.h"
#include "ui/Graphics.h"

namespace {

// A 24-bit image filled by a function of (x, y) giving 0x00RRGGBB.
template <class F>
TDibImage Image24(int w, int h, F colour) {
  TDibImage img;
  img.Width = w;
  img.Height = h;
  img.BitCount = 24;
  img.Pixels.assign(DibStride(w, 24) * h, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t c = colour(x, y);
      uint8_t* p = img.Row(y) + 3 * x;
      p[0] = static_cast<uint8_t>(c);
      p[1] = static_cast<uint8_t>(c >> 8);
      p[2] = static_cast<uint8_t>(c >> 16);
    }
  return img;
}

// COLORREF (0x00BBGGRR) of 0x00RRGGBB.
COLORREF Ref(uint32_t rgb) { return RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// A bitmap loaded from a .bmp file image.
void Load(TBitmap& bmp, const std::vector<uint8_t>& file) {
  TMemoryStream s(file);
  bmp.LoadFromStream(s);
}

// One icon image: 32-bit colour of a single value, AND mask all zero.
std::vector<uint8_t> IconImage(int size, uint32_t argb) {
  std::vector<uint8_t> out(40, 0);
  auto put = [&](size_t at, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  put(0, 40, 4);
  put(4, size, 4);
  put(8, size * 2, 4);
  put(12, 1, 2);
  put(14, 32, 2);
  for (int i = 0; i < size * size; ++i)
    for (int b = 0; b < 4; ++b) out.push_back(static_cast<uint8_t>(argb >> (8 * b)));
  out.insert(out.end(), DibStride(size, 1) * size, 0);
  return out;
}

// An .ico file with 16, 32 and 48 pixel images, each of its own colour.
std::vector<uint8_t> ThreeSizeIcon() {
  const int sizes[3] = {16, 32, 48};
  const uint32_t colours[3] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
  std::vector<std::vector<uint8_t>> images;
  for (int i = 0; i < 3; ++i) images.push_back(IconImage(sizes[i], colours[i]));
  std::vector<uint8_t> ico = {0, 0, 1, 0, 3, 0};
  uint32_t offset = 6 + 16 * 3;
  for (int i = 0; i < 3; ++i) {
    const uint32_t n = static_cast<uint32_t>(images[i].size());
    const uint8_t entry[16] = {static_cast<uint8_t>(sizes[i]),
                               static_cast<uint8_t>(sizes[i]),
                               0,
                               0,
                               1,
                               0,
                               32,
                               0,
                               static_cast<uint8_t>(n),
                               static_cast<uint8_t>(n >> 8),
                               static_cast<uint8_t>(n >> 16),
                               0,
                               static_cast<uint8_t>(offset),
                               static_cast<uint8_t>(offset >> 8),
                               static_cast<uint8_t>(offset >> 16),
                               0};
    ico.insert(ico.end(), entry, entry + 16);
    offset += n;
  }
  for (auto& img : images) ico.insert(ico.end(), img.begin(), img.end());
  return ico;
}

// A component with a font, a picture and an icon, for the stored form.
class TPictureHolder : public TComponent {
  QUORVEL_CLASS(TPictureHolder, TComponent)
public:
  explicit TPictureHolder(TComponent* owner) : TComponent(owner) {}
  TFont Font;
  TPicture Picture;
  TIcon Icon;
  TFont* GetFont() { return &Font; }
  TPicture* GetPicture() { return &Picture; }
  TIcon* GetIcon() { return &Icon; }
};

QUORVEL_DEFINE_CLASS(TPictureHolder) {
  p.Object("Font", &TPictureHolder::GetFont);
  p.Object("Picture", &TPictureHolder::GetPicture);
  p.Object("Icon", &TPictureHolder::GetIcon);
}

}  // namespace

TEST(Graphics, SystemColoursResolveWhenDrawnAndPlainColoursStay) {
  EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ColorToRGB(clWindowText), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(ColorToRGB(0x123456), 0x123456u);
  EXPECT_EQ(ColorToRGB(clNone), 0xFFFFFFu);
}

TEST(Graphics, OwnersDeleteAndGuardsPutTheOldObjectBack) {
  TMemoryDC dc;
  const HGDIOBJ original = GetCurrentObject(dc, OBJ_BRUSH);
  HBRUSH raw = CreateSolidBrush(RGB(1, 2, 3));
  {
    TBrushObject brush(raw);
    {
      TSelectObjectGuard guard(dc, brush);
      EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), raw);
      EXPECT_EQ(guard.Previous(), original);
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), original);
    TBrushObject moved = std::move(brush);
    EXPECT_FALSE(brush);
    EXPECT_EQ(moved.Get(), raw);
    EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_BRUSH));
  }
  EXPECT_EQ(GetObjectType(raw), 0u);  // deleted once, by the last owner

  // A borrowing handle never deletes.
  HBRUSH other = CreateSolidBrush(RGB(4, 5, 6));
  { TBrushHandle borrowed(other); }
  EXPECT_EQ(GetObjectType(other), static_cast<DWORD>(OBJ_BRUSH));
  DeleteObject(other);
}

TEST(Graphics, CanvasDrawingLeavesTheDCsOwnObjectsSelected) {
  TBitmap bmp;
  bmp.SetPixelFormat(TPixelFormat::pf24bit);
  bmp.SetSize(20, 10);
  HDC dc = bmp.Canvas().Handle();
  const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN), brush = GetCurrentObject(dc, OBJ_BRUSH);
  const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
  bmp.Canvas().Brush().SetColor(clRed);
  bmp.Canvas().Rectangle(0, 0, 5, 5);
  bmp.Canvas().TextOut(0, 0, "x");
  EXPECT_GT(bmp.Canvas().TextWidth("xxxx"), bmp.Canvas().TextWidth("x"));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
  // The canvas's objects can be changed (and their old handles deleted) freely.
  bmp.Canvas().Brush().SetColor(clLime);
  bmp.Canvas().FillRect(Rect(10, 0, 20, 10));
  EXPECT_EQ(bmp.Canvas().Pixel(15, 5), RGB(0, 255, 0));
}

TEST(Graphics, BitmapsOfFourEightAndTwentyFourBitsLoadAndSaveTheirPixels) {
  const auto colour = [](int x, int y) -> uint32_t { return (x + y) % 2 ? 0xFF0000 : 0x0000FF; };
  // 24 bits.
  TBitmap b24;
  Load(b24, EncodeBmp(Image24(5, 3, colour)));
  ASSERT_EQ(b24.Width(), 5);
  EXPECT_EQ(b24.PixelFormat(), TPixelFormat::pf24bit);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(b24.Canvas().Pixel(x, y), Ref(colour(x, y))) << x << "," << y;

  // 4 and 8 bits: palette indices 1 (red) and 2 (blue).
  for (int bits : {4, 8}) {
    TDibImage img;
    img.Width = 5;
    img.Height = 3;
    img.BitCount = bits;
    img.Palette = {0x000000, 0xFF0000, 0x0000FF};
    img.Pixels.assign(DibStride(5, bits) * 3, 0);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) {
        const int index = colour(x, y) == 0xFF0000 ? 1 : 2;
        if (bits == 8)
          img.Row(y)[x] = static_cast<uint8_t>(index);
        else
          img.Row(y)[x / 2] |= static_cast<uint8_t>((x & 1) ? index : index << 4);
      }
    TBitmap b;
    Load(b, EncodeBmp(img));
    ASSERT_FALSE(b.Empty()) << bits;
    EXPECT_EQ(b.PixelFormat(), bits == 4 ? TPixelFormat::pf4bit : TPixelFormat::pf8bit);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) EXPECT_EQ(b.Canvas().Pixel(x, y), Ref(colour(x, y))) << bits;

    // Saved again: same depth, same indices.
    TMemoryStream out;
    b.SaveToStream(out);
    const auto back = DecodeBmp(out.Memory(), out.Bytes().size());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->BitCount, bits);
    EXPECT_EQ(back->Pixels, img.Pixels);
  }
}

TEST(Graphics, ScanLineZeroIsTheTopRow) {
  TBitmap bmp;
  Load(bmp, EncodeBmp(Image24(4, 3, [](int, int y) -> uint32_t { return y == 0 ? 0x102030 : 0; })));
  const uint8_t* top = bmp.ScanLine(0);
  EXPECT_EQ((std::vector<int>{top[0], top[1], top[2]}), (std::vector<int>{0x30, 0x20, 0x10}));
  EXPECT_EQ(bmp.ScanLine(1) - bmp.ScanLine(0), static_cast<ptrdiff_t>(bmp.ScanLineStride()));

  // Writing through a scan line shows on the canvas, and drawing on the canvas in the row.
  bmp.ScanLine(2)[3 * 3 + 2] = 0xFF;
  EXPECT_EQ(bmp.Canvas().Pixel(3, 2), RGB(255, 0, 0));
  bmp.Canvas().SetPixel(1, 1, clBlue);
  EXPECT_EQ(bmp.ScanLine(1)[3 * 1 + 0], 0xFF);
}

TEST(Graphics, DeviceBitmapsTurnIntoDibsWithTheirPixels) {
  TBitmap bmp;
  bmp.SetSize(6, 4);
  EXPECT_EQ(bmp.PixelFormat(), TPixelFormat::pfDevice);
  bmp.Canvas().Brush().SetColor(0x336699);
  bmp.Canvas().FillRect(Rect(0, 0, 6, 4));
  bmp.SetPixelFormat(TPixelFormat::pf32bit);
  EXPECT_EQ(bmp.ScanLine(3)[0], 0x33);  // blue of 0x336699 (0x00BBGGRR)
  EXPECT_EQ(bmp.ScanLine(3)[2], 0x99);

  // Growing keeps the old part; the canvas keeps its settings across the new image.
  SetStretchBltMode(bmp.Canvas().Handle(), COLORONCOLOR);
  bmp.SetSize(10, 8);
  EXPECT_EQ(bmp.Canvas().Pixel(5, 3), RGB(0x99, 0x66, 0x33));
  EXPECT_EQ(GetStretchBltMode(bmp.Canvas().Handle()), COLORONCOLOR);

  TBitmap copy;
  copy.Assign(&bmp);
  EXPECT_EQ(copy.Width(), 10);
  EXPECT_EQ(copy.PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(copy.Canvas().Pixel(0, 0), RGB(0x99, 0x66, 0x33));
  copy.Assign(nullptr);
  EXPECT_TRUE(copy.Empty());
}

TEST(Graphics, TakenHandlesKeepTheirPixelsAndBottomUpDibsBecomeTopDown) {
  // A bottom-up 24-bit DIB section, 2 x 2, top row red.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 2;
  info.bmiHeader.biHeight = 2;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(dib, nullptr);
  uint8_t* rows = static_cast<uint8_t*>(bits);
  rows[8 + 2] = 0xFF;  // second row in memory = top row; its first pixel's red
  TBitmap bmp;
  bmp.SetHandle(dib);
  EXPECT_EQ(bmp.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(bmp.ScanLine(0)[2], 0xFF);
  EXPECT_EQ(bmp.Canvas().Pixel(0, 0), RGB(255, 0, 0));

  // A device bitmap is taken as it is, and can be handed back.
  HBITMAP ddb;
  {
    TWindowDC screen(nullptr);
    ddb = CreateCompatibleBitmap(screen, 3, 5);
  }
  bmp.SetHandle(ddb);
  EXPECT_EQ(bmp.Handle(), ddb);
  EXPECT_EQ(bmp.PixelFormat(), TPixelFormat::pfDevice);
  EXPECT_EQ(bmp.Height(), 5);
  EXPECT_EQ(bmp.ReleaseHandle(), ddb);
  EXPECT_TRUE(bmp.Empty());
  EXPECT_EQ(GetObjectType(ddb), static_cast<DWORD>(OBJ_BITMAP));
  DeleteObject(ddb);
}

TEST(Graphics, DamagedBitmapFilesLeaveAnEmptyBitmap) {
  TBitmap bmp;
  bmp.SetSize(3, 3);
  std::vector<uint8_t> file =
      EncodeBmp(Image24(8, 8, [](int, int) -> uint32_t { return 0xFFFFFF; }));
  file.resize(file.size() - 10);
  EXPECT_NO_THROW(Load(bmp, file));
  EXPECT_TRUE(bmp.Empty());
  EXPECT_EQ(bmp.Handle(), nullptr);
  EXPECT_NO_THROW(Load(bmp, {'B', 'M', 1, 2, 3}));
  EXPECT_TRUE(bmp.Empty());
  // Drawing an empty bitmap does nothing.
  TBitmap target;
  target.SetSize(2, 2);
  EXPECT_NO_THROW(target.Canvas().Draw(0, 0, bmp));
}

TEST(Graphics, SizesOutsideThePictureLimitsLeaveAnEmptyBitmapWithoutPixels) {
  // 5000 x 5000 is within the sides' limit but over the pixel limit.
  for (TPixelFormat format :
       {TPixelFormat::pfDevice, TPixelFormat::pf8bit, TPixelFormat::pf32bit}) {
    TBitmap bmp;
    bmp.SetPixelFormat(format);
    bmp.SetSize(5000, 5000);
    EXPECT_TRUE(bmp.Empty()) << static_cast<int>(format);
    EXPECT_EQ(bmp.Handle(), nullptr);
    EXPECT_EQ(bmp.ScanLine(0), nullptr);
  }
  // Decoded pixels that claim a size they do not have.
  TDibImage claim = Image24(2, 2, [](int, int) -> uint32_t { return 0; });
  claim.Width = kMaxBitmapSide + 1;
  TBitmap bmp;
  bmp.LoadFromImage(claim);
  EXPECT_TRUE(bmp.Empty());
}

TEST(Graphics, TransparentDrawingSkipsTheKeyColour) {
  TBitmap sprite;
  Load(sprite, EncodeBmp(Image24(
                   4, 1, [](int x, int) -> uint32_t { return x < 2 ? 0xFF00FF : 0x00FF00; })));
  sprite.SetTransparent(true);
  sprite.SetTransparentColor(clFuchsia);
  TBitmap target;
  target.SetPixelFormat(TPixelFormat::pf24bit);
  target.SetSize(4, 1);
  target.Canvas().Brush().SetColor(clWhite);
  target.Canvas().FillRect(Rect(0, 0, 4, 1));
  target.Canvas().Draw(0, 0, sprite);
  EXPECT_EQ(target.Canvas().Pixel(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(target.Canvas().Pixel(1, 0), RGB(255, 255, 255));
  EXPECT_EQ(target.Canvas().Pixel(2, 0), RGB(0, 255, 0));

  // Without a set colour the bottom-left pixel is the key.
  TBitmap plain;
  Load(plain, EncodeBmp(Image24(
                  2, 2, [](int x, int y) -> uint32_t { return x == 0 && y == 1 ? 0x010203 : 0; })));
  EXPECT_EQ(plain.TransparentColor(), static_cast<TColor>(RGB(1, 2, 3)));
}

TEST(Graphics, CopyRectStretchesTheSource) {
  TBitmap src;
  Load(src,
       EncodeBmp(Image24(2, 1, [](int x, int) -> uint32_t { return x ? 0x0000FF : 0xFF0000; })));
  TBitmap dst;
  dst.SetPixelFormat(TPixelFormat::pf24bit);
  dst.SetSize(8, 2);
  dst.Canvas().CopyRect(Rect(0, 0, 8, 2), src.Canvas(), Rect(0, 0, 2, 1));
  EXPECT_EQ(dst.Canvas().Pixel(3, 1), RGB(255, 0, 0));
  EXPECT_EQ(dst.Canvas().Pixel(4, 0), RGB(0, 0, 255));
}

TEST(Graphics, FontMakesItsHandleOnDemandAndAgainAfterAChange) {
  TFont font;
  int changes = 0;
  font.OnChange = [&](TObject*) { ++changes; };
  EXPECT_EQ(font.Size(), 8);  // -11 pixels at 96 dpi
  HFONT first = font.Handle();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(font.Handle(), first);
  font.SetStyle(fsBold);
  font.SetStyle(fsBold);  // no change, no event
  EXPECT_EQ(changes, 1);
  LOGFONTA lf{};
  GetObjectA(font.Handle(), sizeof(lf), &lf);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(lf.lfHeight, -11);
  EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
}

TEST(Graphics, IconPicksTheImageForEachSize) {
  TIcon icon;
  icon.LoadFromBytes(ThreeSizeIcon());
  ASSERT_FALSE(icon.Empty());
  EXPECT_EQ(icon.BestImage(16, 16), 0);
  EXPECT_EQ(icon.BestImage(32, 32), 1);
  EXPECT_EQ(icon.BestImage(48, 48), 2);
  ASSERT_NE(icon.HandleForSize(16, 16), nullptr);
  EXPECT_EQ(icon.HandleForSize(16, 16), icon.HandleForSize(16, 16));
  EXPECT_NE(icon.Handle(), icon.SmallHandle());

  // The 16-pixel image is red, the 32-pixel one green.
  TBitmap target;
  target.SetPixelFormat(TPixelFormat::pf24bit);
  target.SetSize(32, 32);
  target.Canvas().StretchDraw(Rect(0, 0, 16, 16), icon);
  EXPECT_EQ(target.Canvas().Pixel(8, 8), RGB(255, 0, 0));
  target.Canvas().StretchDraw(Rect(0, 0, 32, 32), icon);
  EXPECT_EQ(target.Canvas().Pixel(20, 20), RGB(0, 255, 0));

  std::vector<uint8_t> damaged = ThreeSizeIcon();
  damaged.resize(damaged.size() - 1);
  icon.LoadFromBytes(damaged);
  EXPECT_TRUE(icon.Empty());
  EXPECT_EQ(icon.Handle(), nullptr);
}

TEST(Graphics, PictureDataStoresTheFileBytesAndReadsThemBack) {
  const std::vector<uint8_t> bmpFile =
      EncodeBmp(Image24(3, 2, [](int x, int) -> uint32_t { return x * 0x404040; }));
  TPictureHolder holder(nullptr);
  holder.SetName("Holder");
  holder.Picture.LoadFromBytes(bmpFile);
  ASSERT_NE(dynamic_cast<TBitmap*>(holder.Picture.Graphic()), nullptr);
  holder.Icon.LoadFromBytes(ThreeSizeIcon());
  holder.Font.SetCharset(DEFAULT_CHARSET);

  TMemoryStream stream;
  WriteComponentToStream(stream, &holder);
  stream.SetPosition(0);
  TPictureHolder copy(nullptr);
  ReadComponentFromStream(stream, &copy);

  auto* bmp = dynamic_cast<TBitmap*>(copy.Picture.Graphic());
  ASSERT_NE(bmp, nullptr);
  TMemoryStream saved;
  bmp->SaveToStream(saved);
  EXPECT_EQ(saved.Bytes(), bmpFile);
  EXPECT_EQ(copy.Icon.Data(), ThreeSizeIcon());
  EXPECT_EQ(copy.Font.Charset(), DEFAULT_CHARSET);
  EXPECT_EQ(copy.Font.Height(), -11);
  EXPECT_EQ(copy.Font.Name(), "MS Sans Serif");

  // Unknown bytes empty the picture.
  copy.Picture.LoadFromBytes({1, 2, 3, 4});
  EXPECT_EQ(copy.Picture.Graphic(), nullptr);
  copy.Picture.LoadFromBytes(ThreeSizeIcon());
  EXPECT_NE(dynamic_cast<TIcon*>(copy.Picture.Graphic()), nullptr);
}
