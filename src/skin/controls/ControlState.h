// The states that control skinners draw, each defined once: the mouse bits
// every skinner keeps, and the frames of the button-like strips (push, bit
// and speed buttons, the combo box's drop-down button).
#pragma once

#include <cstdint>

// Mouse state bits of a skinner (FMouseState).
enum TMouseState : uint8_t {
  msMouseOver = 1,  // the mouse is over the control
  msPressed = 2,    // the left button or the space bar is held
};

// The frames of a button-like strip, counted from 1 (a fifth frame of the
// push-button picture is never shown).
enum class TFaceFrame : int {
  Normal = 1,
  Pressed = 2,  // also a speed button that is down
  Disabled = 3,
  Hot = 4,  // under the mouse, or (push and bit buttons, combo boxes) focused
};

// The frame number of State, for the strip painters.
constexpr int FrameNumber(TFaceFrame State) { return static_cast<int>(State); }
