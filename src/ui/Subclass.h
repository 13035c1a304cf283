// Window-procedure subclassing for every part of the program: the controls of
// the component layer and the skin engine (which also takes over windows it
// did not create, such as message boxes) go through this one helper.
//
// One static window procedure serves every subclassed window; it finds the
// window's record in a map. A window keeps one chain of handlers: the newest
// one sees each message first and passes it on with CallPrevious, the last
// one in the chain passes it to the window's own procedure. Removing a
// handler while one of its calls is still running is deferred until that
// call returns; the window's own procedure is put back only when the window
// procedure still points at ours (another program may have subclassed the
// window on top of us). WM_NCDESTROY detaches everything.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "ui/Messages.h"

class TWindowSubclass {
public:
  using THandler = std::function<void(TMessage&)>;

  TWindowSubclass() = default;
  // Detaches.
  ~TWindowSubclass();
  TWindowSubclass(const TWindowSubclass&) = delete;
  TWindowSubclass& operator=(const TWindowSubclass&) = delete;

  // Puts handler in front of everything that handles wnd's messages now.
  // False when this object is already attached or wnd is not a window.
  bool Attach(HWND wnd, THandler handler);
  // For a window being created by a start-up procedure of its class: takes
  // over the window with previous as the procedure that gets the messages
  // the handler passes on (and that is put back at the end).
  bool AttachCreating(HWND wnd, THandler handler, WNDPROC previous);
  // Takes the handler out of the chain; while one of its calls is running
  // the removal waits until the outermost one returns.
  void Detach();
  // True from Attach to Detach or the window's destruction.
  bool Attached() const;
  HWND Handle() const;

  // Passes msg to what comes after this handler (the next older handler or
  // the window's own procedure) and stores the result in msg.
  void CallPrevious(TMessage& msg);
  // The same with plain arguments; returns the result.
  LRESULT CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam);

  // How many calls of this handler are running now (nesting depth).
  int Depth() const;
  // The number of live handlers in wnd's chain (0 when not subclassed).
  static int HandlerCount(HWND wnd);
  // True when wnd's window procedure is the helper's.
  static bool IsOurProcedure(HWND wnd);

  struct Link;
  struct WindowRecord;

private:
  friend struct SubclassDispatch;
  // Puts a new link with handler at the front of rec's chain.
  void AddLink(const std::shared_ptr<WindowRecord>& rec, THandler handler);

  std::shared_ptr<Link> FLink;
  // Links of this object whose handler calls are running, innermost last.
  std::vector<Link*> FActive;
};
