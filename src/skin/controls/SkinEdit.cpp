// Edits: a flat border drawn over the platform's painting.
#include "skin/controls/SkinEdit.h"

#include "skin/controls/ControlDrawing.h"
#include "ui/Published.h"

QUORVEL_DEFINE_CLASS(TSkinEdit) {}

// Two rings of the background, then the shadow line.
void TSkinEdit::PaintControl(HDC DC, const TRect& Rect) {
  if (!FSkinData || !FHandle) return;
  if (FCanvas) FCanvas->SetHandle(DC);
  HBRUSH background = ControlBackgroundBrush(FHandle, DC, true);
  for (int inset = 1; inset <= 2; ++inset) {
    TRect ring = Rect;
    InflateRect(&ring, -inset, -inset);
    FrameRect(DC, &ring, background);
  }
  const TBrushObject shadow(CreateSolidBrush(ColorToRGB(FSkinData->ButtonShadowColour)));
  FrameRect(DC, &Rect, shadow);
}
