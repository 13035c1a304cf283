// The states of a skinned frame, each defined once: the window's state as
// the frame tracks it, the kind of window, and the caption buttons it had
// when it was attached.
#pragma once

#include <cstdint>

// The window's state as the frame tracks it.
enum class TFrameWindowState : uint8_t { Normal, Maximized, Minimized };

// The kind of skinned window.
enum class TFrameKind : uint8_t { Window, MDIFrame, MDIChild };

// Caption buttons a window had when it was attached (bits).
enum TCaptionButtons : uint8_t { sbMaximize = 1, sbMinimize = 2, sbSystemMenu = 8 };

// The skin engine's private window messages.
enum : unsigned {
  WM_SKINCHANGED = 0x3401,     // in: a skinned form re-reads its changed skin
  WM_SKINPAINTFRAME = 0x3502,  // repaint the non-client area
  WM_SKINACTIVATE = 0x3503,    // finish attaching: size the frame, build the region
  WM_SKINBUTTONACTION =
      0x3504,  // out: a title-bar button with an application action; wParam = action
};
