// Runs the skin gallery as its user would: starts it with a skin file on
// the command line, checks that its window holds a window of every control
// class of the component layer and shows that skin's name, switches to the
// skin stored in the window's definition, opens and answers the
// confirmation and the system message box, closes the window, and checks
// that the process ends by itself with exit code 0.
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>

#include "support/Wait.h"

namespace {
DWORD gPid = 0;

std::string ClassOf(HWND wnd) {
  char name[64] = {};
  GetClassNameA(wnd, name, sizeof name);
  return name;
}

// A window's text (marshalled across processes).
std::string TextOf(HWND wnd) {
  char text[256] = {};
  SendMessageTimeoutA(wnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 5000, nullptr);
  return text;
}

struct TSearch {
  std::string Class;
  HWND Found = nullptr;
};

// Stops at a visible top-level window of the gallery's process and the class.
BOOL CALLBACK MatchTopLevel(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<TSearch*>(p);
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  if (owner == gPid && IsWindowVisible(w) && ClassOf(w) == s->Class) {
    s->Found = w;
    return FALSE;
  }
  return TRUE;
}

// The visible top-level window of the gallery's process of class cls, or null.
HWND TopLevel(const std::string& cls) {
  TSearch search{cls};
  EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

// Every window inside parent, depth first.
BOOL CALLBACK CollectWindow(HWND w, LPARAM p) {
  reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
  return TRUE;
}
std::vector<HWND> Inside(HWND parent) {
  std::vector<HWND> all;
  EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&all));
  return all;
}

// The window inside parent of that class whose text (or whose parent's text) is text.
HWND Find(HWND parent, const std::string& cls, const std::string& text, bool byParent = false) {
  for (HWND w : Inside(parent))
    if (ClassOf(w) == cls && TextOf(byParent ? GetParent(w) : w) == text) return w;
  return nullptr;
}

int Fail(const char* what) {
  std::printf("%s\n", what);
  return 1;
}
}  // namespace

// usage: ui_gallery_lifecycle_check PATH\TO\SkinGallery.exe SKINFILE SKINNAME
int main(int argc, char** argv) {
  if (argc != 4) return 2;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string command = std::string("\"") + argv[1] + "\" \"" + argv[2] + "\"";
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    std::printf("cannot start %s\n", argv[1]);
    return 1;
  }
  gPid = pi.dwProcessId;
  auto end = [&](int code) {
    if (code) TerminateProcess(pi.hProcess, 1);
    return code;
  };
  HWND gallery = nullptr;
  if (!WaitUntil([&] { return (gallery = TopLevel("TGalleryForm")) != nullptr; }))
    return end(Fail("no gallery window"));

  // A window of every control class.
  std::set<std::string> classes;
  for (HWND w : Inside(gallery)) classes.insert(ClassOf(w));
  int missing = 0;
  for (const char* expected :
       {"TToolBar",      "TStatusBar",   "TGroupBox",   "TButton",       "TBitBtn",
        "TCheckBox",     "TRadioButton", "TRadioGroup", "TGroupButton",  "TEdit",
        "TComboBox",     "TProgressBar", "TScrollBar",  "TMemo",         "TListBox",
        "TCheckListBox", "TPanel",       "TScrollBox",  "TGalleryFrame", "TTabControl",
        "TPageControl",  "TTabSheet",    "TListView"}) {
    if (classes.count(expected)) continue;
    std::printf("no window of class %s\n", expected);
    ++missing;
  }
  if (missing) return end(1);

  // The skin of the command line, then the stored one.
  const std::string fileSkin = std::string("Skin Gallery - ") + argv[3];
  if (!WaitUntil([&] { return TextOf(gallery) == fileSkin; }))
    return end(Fail("the command line's skin is not on"));
  HWND choice = Find(gallery, "TComboBox", "Skin", true);
  if (!choice) return end(Fail("no skin choice"));
  PostMessageA(choice, CB_SETCURSEL, 0, 0);
  PostMessageA(GetParent(choice), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(choice));
  if (!WaitUntil([&] { return TextOf(gallery) == "Skin Gallery - Quorvel Steel"; }))
    return end(Fail("the stored skin did not come back"));

  // The confirmation, answered "Non".
  PostMessageA(Find(gallery, "TButton", "Confirmation"), BM_CLICK, 0, 0);
  HWND confirmation = nullptr;
  if (!WaitUntil([&] { return (confirmation = TopLevel("TMessageForm")) != nullptr; }))
    return end(Fail("no confirmation"));
  HWND no = Find(confirmation, "TButton", "&Non");
  if (TextOf(confirmation) != "Confirmation" || !Find(confirmation, "TButton", "&Oui") || !no)
    return end(Fail("the confirmation is not the library's"));
  PostMessageA(no, BM_CLICK, 0, 0);
  if (!WaitUntil([&] { return !TopLevel("TMessageForm"); }))
    return end(Fail("the confirmation stayed"));

  // The system's message box, answered OK.
  PostMessageA(Find(gallery, "TButton", "Message box"), BM_CLICK, 0, 0);
  HWND box = nullptr;
  if (!WaitUntil([&] { return (box = TopLevel("#32770")) != nullptr; }))
    return end(Fail("no message box"));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  if (!WaitUntil([&] { return !TopLevel("#32770"); })) return end(Fail("the message box stayed"));

  PostMessageA(gallery, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, kWaitDeadlineMs) != WAIT_OBJECT_0)
    return end(Fail("the process did not end after its window closed"));
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  std::printf("%zu window classes, exit code %lu\n", classes.size(), code);
  return code == 0 ? 0 : 1;
}
