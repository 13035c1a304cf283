// Image lists over the system's image lists (comctl32).
#include "ui/ImgList.h"

#include <algorithm>

#include "ui/Filer.h"
#include "ui/Published.h"

namespace {
// The colour a stored image list's strip uses for transparent pixels.
constexpr COLORREF kStoredMask = RGB(255, 0, 255);
}  // namespace

QUORVEL_DEFINE_CLASS(TCustomImageList) {
  p.Integer("Width", &TCustomImageList::Width, &TCustomImageList::SetWidth, 16);
  p.Integer("Height", &TCustomImageList::Height, &TCustomImageList::SetHeight, 16);
}

// An empty list of 16 by 16 images.
TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) { Recreate(); }

// Destroys the system image list.
TCustomImageList::~TCustomImageList() {
  if (FHandle) ImageList_Destroy(FHandle);
  FHandle = nullptr;
}

// A new, empty system image list of the current size.
void TCustomImageList::Recreate() {
  if (FHandle) ImageList_Destroy(FHandle);
  FHandle = ImageList_Create(FWidth, FHeight, ILC_COLOR24 | ILC_MASK, 4, 4);
}

// New image width: the list starts empty.
void TCustomImageList::SetWidth(int value) {
  if (value <= 0 || value == FWidth) return;
  FWidth = value;
  Recreate();
}

// New image height: the list starts empty.
void TCustomImageList::SetHeight(int value) {
  if (value <= 0 || value == FHeight) return;
  FHeight = value;
  Recreate();
}

// The number of images.
int TCustomImageList::Count() const { return FHandle ? ImageList_GetImageCount(FHandle) : 0; }

// Adds every whole image of the strip; pixels of colour Mask become transparent.
int TCustomImageList::AddMasked(TBitmap& Bitmap, TColor Mask) {
  if (!FHandle || Bitmap.Empty() || Bitmap.Width() < FWidth) return -1;
  // A copy that no DC holds: the image list changes the pixels it masks.
  const int width = Bitmap.Width() / FWidth * FWidth, height = FHeight;
  TWindowDC screen(nullptr);
  TBitmapObject copy(CreateCompatibleBitmap(screen, width, height));
  if (!copy) return -1;
  {
    TMemoryDC mem(screen);
    TSelectObjectGuard select(mem, copy);
    RECT all{0, 0, width, height};
    TBrushObject fill(CreateSolidBrush(ColorToRGB(Mask)));
    FillRect(mem, &all, fill);
    BitBlt(mem, 0, 0, width, std::min(height, Bitmap.Height()), Bitmap.Canvas().Handle(), 0, 0,
           SRCCOPY);
  }
  return ImageList_AddMasked(FHandle, copy, ColorToRGB(Mask));
}

// Removes every image.
void TCustomImageList::Clear() {
  if (FHandle) ImageList_Remove(FHandle, -1);
}

// Draws one image; a disabled one is drawn embossed grey.
void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) const {
  if (!FHandle || !Canvas || Index < 0 || Index >= Count()) return;
  const HDC dc = Canvas->Handle();
  if (Enabled) {
    ImageList_Draw(FHandle, Index, dc, X, Y, ILD_TRANSPARENT);
    return;
  }
  TIconObject icon(ImageList_GetIcon(FHandle, Index, ILD_TRANSPARENT));
  if (icon)
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon.Get()), 0, X, Y, FWidth, FHeight,
               DST_ICON | DSS_DISABLED);
}

// ---------------------------------------------------------------------------

QUORVEL_DEFINE_CLASS(TImageList) {}

// The images as a strip on the transparency colour.
void TImageList::DefineProperties(TFiler& filer) {
  TCustomImageList::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "Bitmap",
      [this](TStream& stream) {
        uint32_t mask = 0;
        stream.ReadBuffer(&mask, 4);
        TBitmap strip;
        strip.LoadFromStream(stream);
        Clear();
        if (!strip.Empty()) AddMasked(strip, static_cast<TColor>(mask & 0xFFFFFF));
      },
      [this](TStream& stream) {
        const uint32_t mask = kStoredMask;
        stream.WriteBuffer(&mask, 4);
        TBitmap strip;
        strip.SetPixelFormat(TPixelFormat::pf24bit);
        strip.SetSize(Width() * Count(), Height());
        RECT all{0, 0, strip.Width(), strip.Height()};
        TBrushObject fill(CreateSolidBrush(kStoredMask));
        FillRect(strip.Canvas().Handle(), &all, fill);
        for (int i = 0; i < Count(); ++i)
          ImageList_Draw(Handle(), i, strip.Canvas().Handle(), i * Width(), 0, ILD_TRANSPARENT);
        strip.SaveToStream(stream);
      },
      Count() > 0);
}
