// Time from a click on a menu-bar item to its popup fully painted, with the
// bar skinned (drawn by the frame, items drawn from the skin) and with the
// platform's own bar, on a form with a menu of its own:
//   bench_menu.exe SKINFILE [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchLoop.h"
#include "skin/window/SkinManager.h"
#include "skin/window/WinSkinForm.h"
#include "skin/window/WinSkinMenu.h"
#include "ui/Forms.h"

namespace {

using bench::Clock;
using bench::MsSince;
using bench::Pump;
using bench::PumpUntil;

TForm* Form = nullptr;
HMENU FileMenu = nullptr;

HMENU BuildMenu() {
  HMENU bar = CreateMenu();
  FileMenu = CreatePopupMenu();
  const char* items[] = {"&New",   "&Open",          "&Save", "Save &As", "-",
                         "&Print", "Print Pre&view", "-",     "E&xit"};
  UINT id = 100;
  for (const char* item : items)
    AppendMenuA(FileMenu, std::string(item) == "-" ? MF_SEPARATOR : MF_STRING, id++, item);
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(FileMenu), "&File");
  HMENU edit = CreatePopupMenu();
  AppendMenuA(edit, MF_STRING, 200, "&Undo");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "&Edit");
  return bar;
}

TWinSkinForm* Skinner() { return SkinManager->FormSkinner(Form->Handle()); }

BOOL CALLBACK FindPaintedFileMenu(HWND w, LPARAM found) {
  char name[16] = {};
  GetClassNameA(w, name, sizeof name);
  if (IsWindowVisible(w) && std::string(name) == "#32768" &&
      reinterpret_cast<HMENU>(SendMessageA(w, 0x01E1, 0, 0)) == FileMenu &&
      !GetUpdateRect(w, nullptr, FALSE))
    *reinterpret_cast<HWND*>(found) = w;
  return TRUE;
}

// The File popup once shown and with nothing left to paint.
HWND PaintedPopup() {
  HWND found = nullptr;
  EnumWindows(FindPaintedFileMenu, reinterpret_cast<LPARAM>(&found));
  return found;
}

Clock::time_point Start;
double Elapsed = -1;

// Notes the time when a paint of the File popup returns with nothing left
// to paint (timers inside the menu loop are too coarse to measure with).
LRESULT CALLBACK AfterMessage(int code, WPARAM wParam, LPARAM lParam) {
  const auto* m = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && Elapsed < 0 && m->message == WM_PAINT && m->hwnd == PaintedPopup())
    Elapsed = MsSince(Start);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Closes the popup from inside the menu loop once it has been painted.
void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD) {
  if (Elapsed >= 0) EndMenu();  // Escape would leave the platform's bar in menu mode
}

// One click on File at screen point p: milliseconds until the popup is painted.
double OpenOnce(POINT p) {
  Elapsed = -1;
  const HHOOK hook =
      SetWindowsHookExA(WH_CALLWNDPROCRET, AfterMessage, nullptr, GetCurrentThreadId());
  const UINT_PTR timer = SetTimer(nullptr, 0, 1, Poll);
  Start = Clock::now();
  PostMessageA(Form->Handle(), WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(p.x, p.y));
  PumpUntil([] { return Elapsed >= 0; });
  PumpUntil([] { return !PaintedPopup(); });
  KillTimer(nullptr, timer);
  UnhookWindowsHookEx(hook);
  return Elapsed;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

TSkinData* Skin = nullptr;

// Switches skinning on or off and waits until the form has its skinned bar
// back, or its own menu; false when that does not happen.
bool SetSkinned(bool on) {
  Skin->SetActive(on);
  const bool done = on ? PumpUntil([] {
    return Skinner() && Skinner()->Phase() == TFormPhase::Active && Skinner()->MenuBar();
  })
                       : PumpUntil([] { return Skinner() == nullptr && GetMenu(Form->Handle()); });
  RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  Pump();
  return done;
}

// Where a click opens the File popup: the skinned bar's first button, or
// the platform's first menu-bar item.
POINT FileItemPoint(bool skinned) {
  RECT w;
  GetWindowRect(Form->Handle(), &w);
  if (skinned) {
    const RECT& b = Skinner()->MenuBar()->Buttons()[0]->Bounds();
    return POINT{w.left + (b.left + b.right) / 2, w.top + (b.top + b.bottom) / 2};
  }
  RECT item;
  GetMenuItemRect(Form->Handle(), GetMenu(Form->Handle()), 0, &item);
  return POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
}

}  // namespace

// The rounds alternate: skinning on, a click (after one to warm up), then
// skinning off and the same with the platform's bar; what other programs on
// the machine do then weighs on both alike.
int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_menu SKINFILE [ROUNDS]\n");
    return 2;
  }
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 50;
  Application->Initialize();
  Skin = new TSkinData(nullptr);
  Skin->SetSkinFile(argv[1]);
  Form = new TForm(nullptr);
  Form->SetBounds(40, 40, 500, 300);
  SetMenu(Form->Handle(), BuildMenu());
  Skin->SetActive(true);
  Form->Show();
  SetForegroundWindow(Form->Handle());

  std::vector<double> skinned, plain, ratios;
  for (int i = 0; i < rounds; ++i) {
    if (!SetSkinned(true)) return 1;
    OpenOnce(FileItemPoint(true));  // warm up
    skinned.push_back(OpenOnce(FileItemPoint(true)));
    if (!SetSkinned(false)) return 1;
    OpenOnce(FileItemPoint(false));
    plain.push_back(OpenOnce(FileItemPoint(false)));
    ratios.push_back(plain.back() > 0 ? skinned.back() / plain.back() : 0.0);
  }
  const double s = Median(skinned), p = Median(plain);
  std::printf(
      "click to painted popup (median of %d): skinned %.2f ms, platform %.2f ms, ratio %.2f "
      "(median of the rounds' ratios %.2f)\n",
      rounds, s, p, p > 0 ? s / p : 0.0, Median(ratios));
  return 0;
}
