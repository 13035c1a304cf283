// Cost of switching MDI children between the platform's frame and the
// skinned one (the manager's SetMdiMax), which the program pays when the
// active child is maximized and when the last maximized child goes: an MDI
// frame of raw windows with 20 skinned children.
//   bench_mdi_max SKINFILE [ROUNDS]
// (for example build/win64/assets/quorvel.skn, or transparent.skn for a skin
// whose children get shaped regions back).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "BenchLoop.h"
#include "skin/window/SkinManager.h"
#include "skin/window/WinSkinForm.h"

namespace {

constexpr int kChildren = 20;

using bench::Clock;
using bench::MsSince;
using bench::Pump;
using bench::PumpUntil;

HWND gClient = nullptr;
LRESULT CALLBACK FrameProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    CLIENTCREATESTRUCT ccs{nullptr, 100};
    gClient = CreateWindowExA(WS_EX_CLIENTEDGE, "MDIClient", nullptr,
                              WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 800, 600, wnd, nullptr,
                              GetModuleHandleA(nullptr), &ccs);
  }
  return DefFrameProcA(wnd, gClient, msg, wParam, lParam);
}

bool AllActive() {
  int active = 0;
  for (auto& f : SkinManager->Forms) active += f->Phase() == TFormPhase::Active;
  return active == kChildren + 1;
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_mdi_max SKINFILE [ROUNDS]\n");
    return 2;
  }
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 50;
  auto* skin = new TSkinData(nullptr);
  skin->SetSkinFile(argv[1]);
  if (skin->SkinEmpty) {
    std::fprintf(stderr, "no skin in %s\n", argv[1]);
    return 1;
  }
  skin->SetActive(true);

  WNDCLASSA wc{};
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpfnWndProc = FrameProc;
  wc.lpszClassName = "MdiBenchFrame";
  RegisterClassA(&wc);
  wc.lpfnWndProc = DefMDIChildProcA;
  wc.lpszClassName = "MdiBenchChild";
  RegisterClassA(&wc);
  HWND frame =
      CreateWindowExA(0, "MdiBenchFrame", "Bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 900,
                      700, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(frame, SW_SHOW);
  SetForegroundWindow(frame);
  for (int i = 0; i < kChildren; ++i) {
    MDICREATESTRUCTA mcs{};
    mcs.szClass = "MdiBenchChild";
    mcs.szTitle = "Child";
    mcs.hOwner = GetModuleHandleA(nullptr);
    mcs.x = mcs.y = CW_USEDEFAULT;
    mcs.cx = 240;
    mcs.cy = 180;
    mcs.style = WS_OVERLAPPEDWINDOW;
    SendMessageA(gClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs));
    SendMessageA(gClient, WM_MDIREFRESHMENU, 0, 0);
  }
  if (!PumpUntil(AllActive)) {
    std::fprintf(stderr, "the frame and its %d children were not all skinned\n", kChildren);
    return 1;
  }

  // Each switch is timed by itself, and again with the messages it leaves
  // (the repaints) run to the end.
  std::vector<double> toPlatform, toSkinned, toPlatformPainted, toSkinnedPainted;
  for (int i = 0; i < rounds; ++i) {
    auto start = Clock::now();
    SkinManager->SetMdiMax(true);
    toPlatform.push_back(MsSince(start));
    Pump();
    toPlatformPainted.push_back(MsSince(start));
    start = Clock::now();
    SkinManager->SetMdiMax(false);
    toSkinned.push_back(MsSince(start));
    Pump();
    toSkinnedPainted.push_back(MsSince(start));
  }
  std::printf("SetMdiMax with %d children, %d rounds\n", kChildren, rounds);
  std::printf("  to the platform's frame (True):  median %8.3f ms\n", Median(toPlatform));
  std::printf("  back to the skinned frame (False): median %8.3f ms\n", Median(toSkinned));
  std::printf("  with the repaints, to the platform's: median %8.3f ms, back: %8.3f ms\n",
              Median(toPlatformPainted), Median(toSkinnedPainted));
  DestroyWindow(frame);
  return 0;
}
