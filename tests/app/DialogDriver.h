// Drives the program's windows from a second thread, as a user would:
// waits for a dialog, reads its text and presses one of its buttons.
#pragma once

#include <windows.h>

#include <future>
#include <string>

// The texts of a top-level window's children, joined by "|".
std::string ChildTexts(HWND window);

// Waits (up to timeoutMs) for a visible window of this process with the
// given class, presses the child button whose caption is button, and gives
// "[caption]|message|child texts..."; empty when no such window appeared.
std::future<std::string> AnswerNext(const std::string& windowClass, const std::string& button,
                                    DWORD timeoutMs = 20000);

// Text of part 0 of a status bar, read through SB_GETTEXT.
std::string StatusText(HWND statusBar);

// Presses a graphic control at (x, y) of its windowed parent with a click.
void PostClick(HWND parent, int x, int y);
