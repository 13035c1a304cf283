// Starts the program, waits for its main window, closes it and checks that
// the process ends by itself with exit code 0.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {
struct TSearch {
  DWORD Pid;
  const char* Class;
  HWND Found;
};

// Stops at a visible top-level window of the searched class and process.
BOOL CALLBACK MatchWindow(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<TSearch*>(p);
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  char name[64] = {};
  GetClassNameA(w, name, sizeof name);
  if (owner == s->Pid && IsWindowVisible(w) && std::string(name) == s->Class) {
    s->Found = w;
    return FALSE;
  }
  return TRUE;
}

// The visible top-level window of class cls that belongs to process pid.
HWND FindProcessWindow(DWORD pid, const char* cls) {
  TSearch search{pid, cls, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}
}  // namespace

// usage: app_lifecycle_check PATH\TO\Quorvel.exe
int main(int argc, char** argv) {
  if (argc != 2) return 2;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string command = std::string("\"") + argv[1] + "\"";
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    std::printf("cannot start %s\n", argv[1]);
    return 1;
  }
  HWND main = nullptr;
  for (int i = 0; i < 600 && !main; ++i) {
    Sleep(50);
    main = FindProcessWindow(pi.dwProcessId, "TForm1");
  }
  if (!main) {
    std::printf("no main window\n");
    TerminateProcess(pi.hProcess, 1);
    return 1;
  }
  char title[64] = {};
  GetWindowTextA(main, title, sizeof title);
  const bool sponsorHidden = FindProcessWindow(pi.dwProcessId, "TForm2") == nullptr;
  PostMessageA(main, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 20000) != WAIT_OBJECT_0) {
    std::printf("the process did not end after its main window closed\n");
    TerminateProcess(pi.hProcess, 1);
    return 1;
  }
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  std::printf("main window \"%s\", sponsor window %s, exit code %lu\n", title,
              sponsorHidden ? "hidden" : "shown", code);
  return (code == 0 && sponsorHidden && std::string(title) == "Quorvel") ? 0 : 1;
}
