// Costs of the skinned frame under Wine, on the program's own main window:
//   bench_frame.exe paint SKINFILE   frame repaints skinned against the
//                                    platform's, and UpdateRegion of SKINFILE
//                                    at 630 x 394 and 1600 x 1200
//   bench_frame.exe start skinned|plain
//                                    time from start to the first painted
//                                    frame, with skinning on or off
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "BenchLoop.h"
#include "app/ad.h"
#include "app/scan.h"
#include "skin/window/SkinManager.h"
#include "skin/window/WinSkinForm.h"

namespace {

using bench::Clock;
using bench::MsSince;
using bench::Pump;
using bench::PumpUntil;

TWinSkinForm* MainSkinner() { return SkinManager->FormSkinner(Form1->Handle()); }

void CreateProgramWindows() {
  Application->Initialize();
  Application->SetTitle("Quorvel ");
  Application->CreateForm(Form1);
  Application->CreateForm(Form2);
}

// Milliseconds per frame repaint of the main window, as it is now.
double RepaintTime(int count) {
  const HWND wnd = Form1->Handle();
  const auto start = Clock::now();
  for (int i = 0; i < count; ++i) SendMessageA(wnd, WM_NCPAINT, 1, 0);
  GdiFlush();
  return MsSince(start) / count;
}

int Paint(const char* skinFile) {
  CreateProgramWindows();
  Form1->Show();
  if (!PumpUntil([] { return MainSkinner() && MainSkinner()->Phase() == TFormPhase::Active; }))
    return 1;
  const int count = 500;
  RepaintTime(20);
  const double skinned = RepaintTime(count);
  Form1->SkinData1->SetActive(false);
  PumpUntil([] { return MainSkinner() == nullptr; });
  RepaintTime(20);
  const double plain = RepaintTime(count);
  std::printf("frame repaint: skinned %.3f ms, platform %.3f ms, ratio %.2f\n", skinned, plain,
              skinned / plain);

  Form1->SkinData1->SetActive(true);
  PumpUntil([] { return MainSkinner() && MainSkinner()->Phase() == TFormPhase::Active; });
  Form1->SkinData1->SetSkinFile(skinFile);
  PumpUntil([] { return !SkinManager->Timer->Enabled(); });
  for (const SIZE size : {SIZE{630, 394}, SIZE{1600, 1200}}) {
    SetWindowPos(Form1->Handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    TWinSkinForm& s = *MainSkinner();
    const int rounds = 50;
    const auto start = Clock::now();
    // Every round builds the region, whatever the cached size.
    for (int i = 0; i < rounds; ++i) s.RebuildRegion();
    std::printf("UpdateRegion %ldx%ld (%s): %.3f ms\n", size.cx, size.cy,
                s.SkinData()->SkinName.c_str(), MsSince(start) / rounds);
  }
  return 0;
}

// From the start of main to the main window's first frame paint: skinned,
// the skinner's first PaintNC; plain, the first WM_NCPAINT handled.
int Start(bool skinned, Clock::time_point begin) {
  CreateProgramWindows();
  if (!skinned) Form1->SkinData1->SetActive(false);
  Form1->Show();
  bool painted = false;
  if (skinned) {
    PumpUntil([] {
      return MainSkinner() && MainSkinner()->Phase() == TFormPhase::Active &&
             MainSkinner()->Painter().FrameWidth() > 0;
    });
    painted = MainSkinner() != nullptr;
  } else {
    painted = PumpUntil([] { return IsWindowVisible(Form1->Handle()) != 0; });
    RedrawWindow(Form1->Handle(), nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW);
  }
  std::printf("start to first frame (%s): %.1f ms\n", skinned ? "skinned" : "plain",
              MsSince(begin));
  return painted ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const auto begin = Clock::now();
  if (argc == 3 && std::strcmp(argv[1], "paint") == 0) return Paint(argv[2]);
  if (argc == 3 && std::strcmp(argv[1], "start") == 0)
    return Start(std::strcmp(argv[2], "skinned") == 0, begin);
  std::fprintf(stderr, "usage: bench_frame paint SKINFILE | start skinned|plain\n");
  return 2;
}
