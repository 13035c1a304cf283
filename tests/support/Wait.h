// Waiting in tests: for a condition with a generous deadline, never for a
// fixed time. Windows test programs link this.
#pragma once

#include <windows.h>

#include <functional>

// How long a test waits for something that must happen soon. Generous: Wine
// on a loaded machine can be slow, and a passing test never waits this long.
constexpr DWORD kWaitDeadlineMs = 20000;

// Polls done() until it holds or deadlineMs have passed; true when it held.
// On the main thread, the thread's window messages and the calls queued for
// it by other threads run meanwhile; elsewhere the thread only sleeps.
bool WaitUntil(const std::function<bool()>& done, DWORD deadlineMs = kWaitDeadlineMs);

// Runs the thread's waiting window messages, and nothing else.
void PumpMessages();

// For checks that something does not happen: runs the main thread's messages
// and queued calls for ms milliseconds (or sleeps, on another thread) and
// tells whether happened() turned true meanwhile. Only for negative checks.
bool HappensWithin(const std::function<bool()>& happened, DWORD ms);
