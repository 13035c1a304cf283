// Drives the program's windows from a second thread.
#include "DialogDriver.h"

#include <commctrl.h>

#include <vector>

#include "support/Wait.h"
#include "ui/Dialogs.h"
#include "ui/Threads.h"

namespace {
struct TFindData {
  std::string Class;
  HWND Found = nullptr;
};

// Finds a visible top-level window of this process with the class looked for.
BOOL CALLBACK FindWindowOfClass(HWND window, LPARAM param) {
  auto* data = reinterpret_cast<TFindData*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  char cls[256] = {};
  GetClassNameA(window, cls, sizeof cls);
  if (pid == GetCurrentProcessId() && IsWindowVisible(window) && data->Class == cls) {
    data->Found = window;
    return FALSE;
  }
  return TRUE;
}

struct TChildSearch {
  std::string Caption;
  HWND Found = nullptr;
  std::vector<std::string> Texts;
};

// Collects child texts and finds the child with the caption looked for.
BOOL CALLBACK VisitChild(HWND child, LPARAM param) {
  auto* data = reinterpret_cast<TChildSearch*>(param);
  char text[1024] = {};
  SendMessageTimeoutA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 2000, nullptr);
  if (text[0]) data->Texts.push_back(text);
  if (!data->Found && data->Caption == text) data->Found = child;
  return TRUE;
}
}  // namespace

// The texts of a top-level window's children, joined by "|".
std::string ChildTexts(HWND window) {
  TChildSearch search;
  EnumChildWindows(window, VisitChild, reinterpret_cast<LPARAM>(&search));
  std::string out;
  for (const std::string& t : search.Texts) out += (out.empty() ? "" : "|") + t;
  return out;
}

// Waits for a dialog of the given class, presses a button, gives its texts.
std::future<std::string> AnswerNext(const std::string& windowClass, const std::string& button,
                                    DWORD timeoutMs) {
  return std::async(std::launch::async, [windowClass, button, timeoutMs]() -> std::string {
    HWND dialog = nullptr;
    HWND pressed = nullptr;
    std::vector<std::string> children;
    const bool found = WaitUntil(
        [&] {
          TFindData find{windowClass};
          EnumWindows(FindWindowOfClass, reinterpret_cast<LPARAM>(&find));
          if (!find.Found) return false;
          TChildSearch search{button, nullptr, {}};
          EnumChildWindows(find.Found, VisitChild, reinterpret_cast<LPARAM>(&search));
          dialog = find.Found;
          pressed = search.Found;
          children = search.Texts;
          return pressed != nullptr;
        },
        timeoutMs);
    if (!found) return std::string();
    // The caption first, then a message form's painted text, then the children's texts.
    char caption[256] = {};
    GetWindowTextA(dialog, caption, sizeof caption);
    std::string texts = std::string("[") + caption + "]";
    // The message form's painted text, read on the main thread (its modal loop runs the call).
    std::string message;
    TThread::Synchronize([&] {
      if (auto* form = dynamic_cast<TMessageForm*>(TWinControl::FindControl(dialog)))
        message = form->Message();
    });
    if (!message.empty()) texts += "|" + message;
    for (const std::string& t : children) texts += "|" + t;
    PostMessageA(pressed, BM_CLICK, 0, 0);
    // Wait until the dialog is gone, so the next answer finds the next one.
    WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, timeoutMs);
    return texts;
  });
}

// Text of part 0 of a status bar.
std::string StatusText(HWND statusBar) {
  char text[1024] = {};
  DWORD_PTR result = 0;
  SendMessageTimeoutA(statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      5000, &result);
  return text;
}

// A left click at (x, y) of a window's client area.
void PostClick(HWND parent, int x, int y) {
  PostMessageA(parent, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  PostMessageA(parent, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageA(parent, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}
