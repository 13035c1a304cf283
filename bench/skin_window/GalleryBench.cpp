// Costs of the control skinners under Wine, on the skin gallery's window:
// a repaint of the whole window, and scrolling a check list of 5,000
// entries, each skinned against the same window with skinning switched off.
//   tools/wine-run build/win/bench/skin_window/bench_gallery.exe [TRANSPARENT.skn]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "BenchLoop.h"
#include "gallery/gallery.h"
#include "skin/window/SkinManager.h"
#include "skin/window/WinSkinForm.h"
#include "ui/CheckLst.h"

namespace {

using bench::Clock;
using bench::MsSince;
using bench::Pump;
using bench::PumpUntil;

bool Skinned() {
  TWinSkinForm* s = SkinManager->FormSkinner(GalleryForm->Handle());
  return s && s->Phase() == TFormPhase::Active;
}

// Milliseconds per full repaint of the gallery window.
double WindowRepaint(int rounds) {
  const auto start = Clock::now();
  for (int i = 0; i < rounds; ++i)
    RedrawWindow(GalleryForm->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  GdiFlush();
  return MsSince(start) / rounds;
}

// Milliseconds per line scrolled in the check list, repainted each time.
double ListScroll(int lines) {
  const HWND list = GalleryForm->CheckListBox1->Handle();
  SendMessageA(list, LB_SETTOPINDEX, 0, 0);
  const auto start = Clock::now();
  for (int i = 0; i < lines; ++i) {
    SendMessageA(list, WM_VSCROLL, SB_LINEDOWN, 0);
    UpdateWindow(list);
  }
  GdiFlush();
  return MsSince(start) / lines;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) GalleryOptions.TransparentSkin = argv[1];
  Application->Initialize();
  Application->CreateForm(GalleryForm);
  GalleryForm->Show();
  if (!PumpUntil(Skinned)) return 1;
  TStrings& items = GalleryForm->CheckListBox1->Items();
  items.BeginUpdate();
  for (int i = 0; i < 5000; ++i) items.Add("Entry " + std::to_string(i) + " of the check list");
  items.EndUpdate();

  for (int pass = 0; pass < 2; ++pass) {
    const bool skinned = pass == 0;
    WindowRepaint(3);
    const double window = WindowRepaint(20);
    const double scroll = ListScroll(300);
    std::printf("%-9s window repaint %.2f ms, check list scroll %.3f ms per line\n",
                skinned ? "skinned" : "platform", window, scroll);
    if (skinned) {
      GalleryForm->SkinData1->SetActive(false);
      PumpUntil([] { return SkinManager->FormSkinner(GalleryForm->Handle()) == nullptr; });
    }
  }
  return 0;
}
