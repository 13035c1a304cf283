// Panels and group boxes under the skin: recoloured, never drawn.
#include "skin/controls/SkinBox.h"

#include "ui/Published.h"

QUORVEL_DEFINE_CLASS(TSkinBox) {}

namespace {

// True when the object's class, or one it derives from, is named Name.
bool ClassChainHas(const TObject* Object, const char* Name) {
  if (!Object) return false;
  for (const TClassInfo* info = &Object->ClassType(); info; info = info->Parent)
    if (info->Name == Name) return true;
  return false;
}

}  // namespace

// A skinner for a panel or group box.
TSkinBox::TSkinBox(TComponent* AOwner) : TSkinControl(AOwner) {}

// The group box's font colour is set before the control paints its caption.
bool TSkinBox::BeforeProc(TMessage& Message) {
  if (Message.Msg == WM_PAINT && FControl && FSkinData &&
      (ClassChainHas(FControl, "TCustomGroupBox") || ClassChainHas(FControl, "TGroupBox")))
    FControl->Font().SetColor(FSkinData->ButtonTextColour);
  return true;
}

// The control paints itself.
void TSkinBox::PaintControl(HDC, const TRect&) {}
