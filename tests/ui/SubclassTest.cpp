// The subclassing helper: the order in which handlers see messages, nested
// sends, removal while a message is running, stacking, foreign subclasses
// on top, and detaching when the window is destroyed.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/Subclass.h"

namespace {

constexpr UINT kFirst = WM_APP + 1;
constexpr UINT kSecond = WM_APP + 2;

std::vector<std::string> gLog;

// Logs a message name for the two test messages and WM_NCDESTROY.
std::string Name(const std::string& who, UINT msg) {
  if (msg == kFirst) return who + ":1";
  if (msg == kSecond) return who + ":2";
  if (msg == WM_NCDESTROY) return who + ":ncdestroy";
  return std::string();
}

void Log(const std::string& who, UINT msg) {
  const std::string s = Name(who, msg);
  if (!s.empty()) gLog.push_back(s);
}

// The window's own procedure: logs and answers 100 + the message offset.
LRESULT CALLBACK BaseProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Log("base", msg);
  if (msg == kFirst || msg == kSecond) return 100 + static_cast<LRESULT>(msg - WM_APP);
  return DefWindowProcA(wnd, msg, wParam, lParam);
}

// A procedure installed by "another program" on top of ours.
WNDPROC gForeignNext = nullptr;
LRESULT CALLBACK ForeignProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Log("foreign", msg);
  return CallWindowProcA(gForeignNext, wnd, msg, wParam, lParam);
}

class Subclass : public ::testing::Test {
protected:
  void SetUp() override {
    WNDCLASSA wc{};
    wc.lpfnWndProc = BaseProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QuorvelSubclassTest";
    RegisterClassA(&wc);
    wnd = CreateWindowExA(0, "QuorvelSubclassTest", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                          wc.hInstance, nullptr);
    ASSERT_NE(wnd, nullptr);
    gLog.clear();
  }
  void TearDown() override {
    if (IsWindow(wnd)) DestroyWindow(wnd);
  }
  WNDPROC Proc() const { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(wnd, GWLP_WNDPROC)); }

  // A handler that logs under name and passes everything on.
  static TWindowSubclass::THandler Passing(TWindowSubclass& sub, const std::string& name) {
    return [&sub, name](TMessage& m) {
      Log(name, m.Msg);
      sub.CallPrevious(m);
    };
  }

  HWND wnd = nullptr;
};

}  // namespace

TEST_F(Subclass, HandlerSeesMessagesFirstAndPassesThemOnOnce) {
  TWindowSubclass a;
  ASSERT_TRUE(a.Attach(wnd, Passing(a, "A")));
  EXPECT_FALSE(a.Attach(wnd, Passing(a, "A")));  // attached already
  EXPECT_EQ(SendMessageA(wnd, kFirst, 0, 0), 101);
  EXPECT_EQ(gLog, (std::vector<std::string>{"A:1", "base:1"}));
}

TEST_F(Subclass, WindowsOfOtherThreadsAndNonWindowsAreRefused) {
  TWindowSubclass a;
  EXPECT_FALSE(a.Attach(nullptr, Passing(a, "A")));
  EXPECT_FALSE(a.Attach(GetDesktopWindow(), Passing(a, "A")));
  EXPECT_FALSE(a.Attached());
}

TEST_F(Subclass, HandlerCanAnswerWithoutThePreviousProcedure) {
  TWindowSubclass a;
  a.Attach(wnd, [](TMessage& m) {
    Log("A", m.Msg);
    m.Result = 7;
  });
  EXPECT_EQ(SendMessageA(wnd, kFirst, 0, 0), 7);
  EXPECT_EQ(gLog, (std::vector<std::string>{"A:1"}));
}

TEST_F(Subclass, StackedHandlersRunNewestFirstAndDetachInAnyOrder) {
  const WNDPROC original = Proc();
  TWindowSubclass a, b;
  a.Attach(wnd, Passing(a, "A"));
  b.Attach(wnd, Passing(b, "B"));
  EXPECT_EQ(TWindowSubclass::HandlerCount(wnd), 2);
  SendMessageA(wnd, kFirst, 0, 0);
  EXPECT_EQ(gLog, (std::vector<std::string>{"B:1", "A:1", "base:1"}));

  // Removing the older one leaves the newer in front of the window's own.
  a.Detach();
  gLog.clear();
  SendMessageA(wnd, kFirst, 0, 0);
  EXPECT_EQ(gLog, (std::vector<std::string>{"B:1", "base:1"}));
  EXPECT_TRUE(TWindowSubclass::IsOurProcedure(wnd));

  b.Detach();
  EXPECT_EQ(Proc(), original);
  EXPECT_EQ(TWindowSubclass::HandlerCount(wnd), 0);
  gLog.clear();
  SendMessageA(wnd, kFirst, 0, 0);
  EXPECT_EQ(gLog, (std::vector<std::string>{"base:1"}));
}

TEST_F(Subclass, NestedSendsRunThroughTheWholeChainAgain) {
  TWindowSubclass a;
  int deepest = 0;
  a.Attach(wnd, [&](TMessage& m) {
    Log("A", m.Msg);
    deepest = std::max(deepest, a.Depth());
    if (m.Msg == kFirst) SendMessageA(wnd, kSecond, 0, 0);
    a.CallPrevious(m);
  });
  EXPECT_EQ(SendMessageA(wnd, kFirst, 0, 0), 101);
  EXPECT_EQ(gLog, (std::vector<std::string>{"A:1", "A:2", "base:2", "base:1"}));
  EXPECT_EQ(deepest, 2);
  EXPECT_EQ(a.Depth(), 0);
}

TEST_F(Subclass, RemovalInTheMiddleOfAMessageWaitsForItsEnd) {
  const WNDPROC original = Proc();
  TWindowSubclass a;
  a.Attach(wnd, [&](TMessage& m) {
    Log("A", m.Msg);
    if (m.Msg == kFirst) {
      a.Detach();
      EXPECT_FALSE(a.Attached());
      // Still inside our call: the procedure stays ours, new messages skip us.
      EXPECT_TRUE(TWindowSubclass::IsOurProcedure(wnd));
      SendMessageA(wnd, kSecond, 0, 0);
    }
    a.CallPrevious(m);  // still reaches the window's own procedure
  });
  EXPECT_EQ(SendMessageA(wnd, kFirst, 0, 0), 101);
  EXPECT_EQ(gLog, (std::vector<std::string>{"A:1", "base:2", "base:1"}));
  EXPECT_EQ(Proc(), original);
}

TEST_F(Subclass, RemovingTheOlderHandlerDuringANestedCallOfTheNewer) {
  const WNDPROC original = Proc();
  TWindowSubclass a, b;
  a.Attach(wnd, Passing(a, "A"));
  b.Attach(wnd, [&](TMessage& m) {
    Log("B", m.Msg);
    if (m.Msg == kFirst) a.Detach();
    b.CallPrevious(m);
  });
  SendMessageA(wnd, kFirst, 0, 0);
  EXPECT_EQ(gLog, (std::vector<std::string>{"B:1", "base:1"}));
  b.Detach();
  EXPECT_EQ(Proc(), original);
}

TEST_F(Subclass, HandlerObjectDestroyedByItsOwnHandler) {
  const WNDPROC original = Proc();
  auto sub = std::make_unique<TWindowSubclass>();
  TWindowSubclass* raw = sub.get();
  raw->Attach(wnd, [&](TMessage& m) {
    Log("A", m.Msg);
    if (m.Msg == kFirst) {
      sub->CallPrevious(m);
      sub.reset();
    }
  });
  EXPECT_EQ(SendMessageA(wnd, kFirst, 0, 0), 101);
  EXPECT_EQ(Proc(), original);
  gLog.clear();
  SendMessageA(wnd, kSecond, 0, 0);
  EXPECT_EQ(gLog, (std::vector<std::string>{"base:2"}));
}

TEST_F(Subclass, AForeignProcedureOnTopIsNeverOverwritten) {
  TWindowSubclass a;
  a.Attach(wnd, Passing(a, "A"));
  gForeignNext = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ForeignProc)));
  a.Detach();
  EXPECT_EQ(Proc(), ForeignProc);
  SendMessageA(wnd, kFirst, 0, 0);
  EXPECT_EQ(gLog, (std::vector<std::string>{"foreign:1", "base:1"}));

  // A new handler goes in below the foreign one.
  TWindowSubclass b;
  b.Attach(wnd, Passing(b, "B"));
  gLog.clear();
  SendMessageA(wnd, kFirst, 0, 0);
  EXPECT_EQ(gLog, (std::vector<std::string>{"foreign:1", "B:1", "base:1"}));
  b.Detach();
}

TEST_F(Subclass, DestroyingTheWindowDetachesEveryHandler) {
  TWindowSubclass a, b;
  a.Attach(wnd, Passing(a, "A"));
  b.Attach(wnd, Passing(b, "B"));
  DestroyWindow(wnd);
  EXPECT_EQ(gLog, (std::vector<std::string>{"B:ncdestroy", "A:ncdestroy", "base:ncdestroy"}));
  EXPECT_FALSE(a.Attached());
  EXPECT_FALSE(b.Attached());
  EXPECT_EQ(TWindowSubclass::HandlerCount(wnd), 0);
  a.Detach();  // harmless afterwards
}

TEST_F(Subclass, AHandlerThatThrowsLeavesTheChainAbleToDetach) {
  const WNDPROC original = Proc();
  TWindowSubclass a, b;
  a.Attach(wnd, [&a](TMessage& m) {
    if (m.Msg == kSecond) throw std::runtime_error("handler failed");
    a.CallPrevious(m);
  });
  // The newer handler catches what the older one throws.
  b.Attach(wnd, [&b](TMessage& m) {
    try {
      b.CallPrevious(m);
    } catch (const std::runtime_error&) {
      m.Result = 9;
    }
  });
  EXPECT_EQ(SendMessageA(wnd, kSecond, 0, 0), 9);
  EXPECT_EQ(a.Depth(), 0);
  EXPECT_EQ(SendMessageA(wnd, kFirst, 0, 0), 101);

  a.Detach();
  b.Detach();
  EXPECT_EQ(Proc(), original);
  EXPECT_EQ(TWindowSubclass::HandlerCount(wnd), 0);
}
