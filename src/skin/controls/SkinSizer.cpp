// A dialog's size box under the skin: nothing is drawn.
#include "skin/controls/SkinSizer.h"

#include "ui/Published.h"

QUORVEL_DEFINE_CLASS(TSkinSizer) {}

// A skinner for a size box.
TSkinSizer::TSkinSizer(TComponent* AOwner) : TSkinControl(AOwner) {}

// The paint request is answered by validating the window.
bool TSkinSizer::BeforeProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      SkinTrace("****Size Paint");
      ValidateRect(FHandle, nullptr);
      Message.Result = 0;
      return false;
    case WM_ERASEBKGND: Message.Result = 1; return false;
    default: return true;
  }
}
