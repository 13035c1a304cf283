// Window-procedure subclassing: the shared window procedure, the per-window
// handler chains and their deferred removal.
#include "ui/Subclass.h"

#include <algorithm>
#include <cassert>
#include <map>
#include <utility>

// One handler in a window's chain.
struct TWindowSubclass::Link {
  TWindowSubclass* Owner = nullptr;  // null once the owning object is gone
  THandler Handler;
  HWND Wnd = nullptr;
  std::weak_ptr<WindowRecord> Record;
  int Running = 0;       // calls of Handler now running
  bool Removed = false;  // taken out; erased when Running drops to 0
};

// A subclassed window: its own procedure and the chain, oldest first.
struct TWindowSubclass::WindowRecord {
  HWND Wnd = nullptr;
  WNDPROC Original = nullptr;
  std::vector<std::shared_ptr<Link>> Chain;
  int Running = 0;         // messages now running through the record
  bool Destroyed = false;  // WM_NCDESTROY has been seen
  bool Unicode = false;    // a Unicode window: the chain runs its UTF-16 messages
};

using Link = TWindowSubclass::Link;
using WindowRecord = TWindowSubclass::WindowRecord;

namespace {

LRESULT CALLBACK SubclassProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Every subclassed window of the GUI thread. Never freed: windows may still
// be destroyed by static destructors at exit.
std::map<HWND, std::shared_ptr<WindowRecord>>& Windows() {
  static auto* windows = new std::map<HWND, std::shared_ptr<WindowRecord>>;
  return *windows;
}

// The record of wnd, or null.
std::shared_ptr<WindowRecord> FindRecord(HWND wnd) {
  auto it = Windows().find(wnd);
  return it == Windows().end() ? nullptr : it->second;
}

// The window's current procedure, read as the window's kind (ANSI or
// Unicode) gives it back unwrapped.
WNDPROC CurrentProc(HWND wnd) {
  if (IsWindowUnicode(wnd)) return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC));
  return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(wnd, GWLP_WNDPROC));
}

// Sets the window procedure; a Unicode one stays Unicode (the ANSI call
// would make the window an ANSI one). Gives the previous procedure.
LONG_PTR SetProc(HWND wnd, bool unicode, WNDPROC proc) {
  if (unicode) return SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
  return SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
}

// Calls a window procedure as the window's kind does.
LRESULT CallProc(bool unicode, WNDPROC proc, HWND wnd, const TMessage& msg) {
  if (unicode) return CallWindowProcW(proc, wnd, msg.Msg, msg.WParam, msg.LParam);
  return CallWindowProcA(proc, wnd, msg.Msg, msg.WParam, msg.LParam);
}

// The default handling of a window no chain holds any more.
LRESULT DefaultProc(HWND wnd, const TMessage& msg) {
  if (IsWindowUnicode(wnd)) return DefWindowProcW(wnd, msg.Msg, msg.WParam, msg.LParam);
  return DefWindowProcA(wnd, msg.Msg, msg.WParam, msg.LParam);
}

}  // namespace

// Message dispatch along a record's chain (a friend of TWindowSubclass).
struct SubclassDispatch {
  // Counts a message as running through a record until it returns (also by
  // an exception, so the record can still be cleaned up afterwards).
  struct RunningMessage {
    explicit RunningMessage(WindowRecord& rec) : FRecord(rec) { ++FRecord.Running; }
    ~RunningMessage() { --FRecord.Running; }
    RunningMessage(const RunningMessage&) = delete;
    RunningMessage& operator=(const RunningMessage&) = delete;
    WindowRecord& FRecord;
  };

  // One running call of a link's handler: counted, and on its owner's list
  // of active links, until it returns or throws.
  struct ActiveCall {
    explicit ActiveCall(std::shared_ptr<Link> link) : FLink(std::move(link)) {
      ++FLink->Running;
      if (FLink->Owner) FLink->Owner->FActive.push_back(FLink.get());
    }
    ~ActiveCall() {
      // The owner may have been destroyed by its own handler.
      if (FLink->Owner) {
        auto& active = FLink->Owner->FActive;
        auto it = std::find(active.rbegin(), active.rend(), FLink.get());
        if (it != active.rend()) active.erase(std::next(it).base());
      }
      --FLink->Running;
    }
    ActiveCall(const ActiveCall&) = delete;
    ActiveCall& operator=(const ActiveCall&) = delete;
    std::shared_ptr<Link> FLink;
  };

  // Calls the newest live handler below position end (or the window's own
  // procedure when there is none) with msg.
  static void CallBelow(WindowRecord& rec, size_t end, TMessage& msg) {
    size_t i = end;
    while (i > 0 && rec.Chain[i - 1]->Removed) --i;
    if (i == 0) {
      msg.Result = CallProc(rec.Unicode, rec.Original, rec.Wnd, msg);
      return;
    }
    const std::shared_ptr<Link> link = rec.Chain[i - 1];
    const ActiveCall call(link);
    link->Handler(msg);
  }

  // Erases finished removals and, when nothing is left, gives the window its
  // own procedure back (only when ours is still the current one).
  static void Cleanup(const std::shared_ptr<WindowRecord>& rec) {
    if (rec->Running > 0) return;
    auto& chain = rec->Chain;
    chain.erase(std::remove_if(
                    chain.begin(), chain.end(),
                    [](const std::shared_ptr<Link>& l) { return l->Removed && l->Running == 0; }),
                chain.end());
    if (rec->Destroyed) {
      if (CurrentProc(rec->Wnd) == SubclassProc) SetProc(rec->Wnd, rec->Unicode, rec->Original);
      for (auto& l : chain) l->Removed = true;
      chain.clear();
      Windows().erase(rec->Wnd);
      return;
    }
    if (chain.empty() && CurrentProc(rec->Wnd) == SubclassProc) {
      SetProc(rec->Wnd, rec->Unicode, rec->Original);
      Windows().erase(rec->Wnd);
    }
  }

  // The shared window procedure: runs the message through the chain.
  static LRESULT Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    std::shared_ptr<WindowRecord> rec = FindRecord(wnd);
    TMessage m{msg, wParam, lParam, 0};
    if (!rec) return DefaultProc(wnd, m);
    {
      const RunningMessage running(*rec);
      CallBelow(*rec, rec->Chain.size(), m);
    }
    if (msg == WM_NCDESTROY) rec->Destroyed = true;
    Cleanup(rec);
    return m.Result;
  }

  // Passes msg on from link's position in its chain.
  static void CallPrevious(Link& link, TMessage& msg) {
    std::shared_ptr<WindowRecord> rec = link.Record.lock();
    if (!rec) {
      // The window is gone or was never ours: nothing more to call.
      msg.Result = IsWindow(link.Wnd) ? DefaultProc(link.Wnd, msg) : 0;
      return;
    }
    auto& chain = rec->Chain;
    auto it = std::find_if(chain.begin(), chain.end(),
                           [&](const std::shared_ptr<Link>& l) { return l.get() == &link; });
    if (it == chain.end()) {
      msg.Result = CallProc(rec->Unicode, rec->Original, rec->Wnd, msg);
      return;
    }
    {
      const RunningMessage running(*rec);
      CallBelow(*rec, static_cast<size_t>(it - chain.begin()), msg);
    }
    Cleanup(rec);
  }
};

namespace {
// The window procedure of every subclassed window.
LRESULT CALLBACK SubclassProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return SubclassDispatch::Proc(wnd, msg, wParam, lParam);
}
}  // namespace

// Detaches and forgets the link, which may outlive this object while running.
TWindowSubclass::~TWindowSubclass() {
  Detach();
  if (FLink) FLink->Owner = nullptr;
  for (Link* l : FActive) l->Owner = nullptr;
}

// Puts handler in front of the window's current handling.
bool TWindowSubclass::Attach(HWND wnd, THandler handler) {
  assert(handler);
  // Only windows of this thread: the tables belong to the GUI thread.
  if (Attached() || !IsWindow(wnd) ||
      GetWindowThreadProcessId(wnd, nullptr) != GetCurrentThreadId())
    return false;
  std::shared_ptr<WindowRecord> rec = FindRecord(wnd);
  if (!rec) {
    // A window taken over here (a system dialog, a menu) becomes an ANSI
    // one: its chain runs ANSI messages, as every handler of it expects.
    SetLastError(0);
    const LONG_PTR old = SetProc(wnd, false, SubclassProc);
    if (!old) return false;  // the procedure could not be replaced
    rec = std::make_shared<WindowRecord>();
    rec->Wnd = wnd;
    rec->Original = reinterpret_cast<WNDPROC>(old);
    Windows()[wnd] = rec;
  }
  AddLink(rec, std::move(handler));
  return true;
}

// Takes over a window under creation whose messages go on to previous (a
// Unicode window's Unicode procedure, which it keeps being).
bool TWindowSubclass::AttachCreating(HWND wnd, THandler handler, WNDPROC previous) {
  assert(handler && previous);
  if (Attached() || !IsWindow(wnd) || FindRecord(wnd)) return false;
  auto rec = std::make_shared<WindowRecord>();
  rec->Wnd = wnd;
  rec->Original = previous;
  rec->Unicode = IsWindowUnicode(wnd) != FALSE;
  SetProc(wnd, rec->Unicode, SubclassProc);
  Windows()[wnd] = rec;
  AddLink(rec, std::move(handler));
  return true;
}

// Puts a new link with handler at the front of rec's chain; an earlier link
// of this object (detached, perhaps still running) is no longer ours.
void TWindowSubclass::AddLink(const std::shared_ptr<WindowRecord>& rec, THandler handler) {
  if (FLink) FLink->Owner = nullptr;
  FLink = std::make_shared<Link>();
  FLink->Owner = this;
  FLink->Handler = std::move(handler);
  FLink->Wnd = rec->Wnd;
  FLink->Record = rec;
  rec->Chain.push_back(FLink);
}

// Marks the link removed; the record drops it when no call of it is running.
void TWindowSubclass::Detach() {
  if (!FLink || FLink->Removed) return;
  FLink->Removed = true;
  if (std::shared_ptr<WindowRecord> rec = FLink->Record.lock()) SubclassDispatch::Cleanup(rec);
}

// True while the handler is in a live window's chain.
bool TWindowSubclass::Attached() const {
  return FLink && !FLink->Removed && !FLink->Record.expired();
}

// The subclassed window (also after detaching), or null.
HWND TWindowSubclass::Handle() const { return FLink ? FLink->Wnd : nullptr; }

// Passes msg on from the innermost running call of this handler.
void TWindowSubclass::CallPrevious(TMessage& msg) {
  Link* link = !FActive.empty() ? FActive.back() : FLink.get();
  if (!link) {
    msg.Result = 0;
    return;
  }
  SubclassDispatch::CallPrevious(*link, msg);
}

// Passes a message on; returns the result.
LRESULT TWindowSubclass::CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  CallPrevious(m);
  return m.Result;
}

// How many calls of this handler are running.
int TWindowSubclass::Depth() const { return FLink ? FLink->Running : 0; }

// The live handlers of wnd.
int TWindowSubclass::HandlerCount(HWND wnd) {
  std::shared_ptr<WindowRecord> rec = FindRecord(wnd);
  if (!rec) return 0;
  return static_cast<int>(
      std::count_if(rec->Chain.begin(), rec->Chain.end(),
                    [](const std::shared_ptr<Link>& l) { return !l->Removed; }));
}

// True when wnd's procedure is the helper's.
bool TWindowSubclass::IsOurProcedure(HWND wnd) { return CurrentProc(wnd) == SubclassProc; }
