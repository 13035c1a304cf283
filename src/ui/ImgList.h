// Image lists: equal-sized images (with a transparency colour) kept in one
// system image list, drawn by index.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "ui/Classes.h"
#include "ui/Graphics.h"

class TCustomImageList : public TComponent {
  QUORVEL_CLASS(TCustomImageList, TComponent)
public:
  explicit TCustomImageList(TComponent* owner);
  ~TCustomImageList() override;

  int Width() const { return FWidth; }
  void SetWidth(int value);  // clears the list
  int Height() const { return FHeight; }
  void SetHeight(int value);  // clears the list
  int Count() const;
  HIMAGELIST Handle() const { return FHandle; }

  // Adds the images of a strip (Bitmap.Width / Width images side by side);
  // pixels of colour Mask are transparent. Returns the first new index, -1 on failure.
  int AddMasked(TBitmap& Bitmap, TColor Mask);
  void Clear();
  // Draws image Index at (X, Y) of Canvas; Enabled false draws it grayed.
  void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true) const;

private:
  void Recreate();
  int FWidth = 16, FHeight = 16;
  HIMAGELIST FHandle = nullptr;
};

// The image list of definitions: its images are stored in the definition
// ("Bitmap" binary property: a bitmap strip with its transparency colour).
class TImageList : public TCustomImageList {
  QUORVEL_CLASS(TImageList, TCustomImageList)
public:
  explicit TImageList(TComponent* owner) : TCustomImageList(owner) {}
  // "Bitmap": the transparency colour (4 bytes), then a .bmp file of the
  // images side by side on that colour.
  void DefineProperties(TFiler& filer) override;
};
