// The kinds of child controls that a form skinner may hand to control
// skinners, as the skin data component's SkinControls property lists them.
#pragma once

#include <cstdint>

// The kinds of child controls that the form skinner may take over.
enum TSkinControlType {
  xcMainMenu,
  xcPopupMenu,
  xcToolbar,
  xcControlbar,
  xcCombo,
  xcCheckBox,
  xcRadioButton,
  xcProgress,
  xcScrollbar,
  xcEdit,
  xcButton,
  xcBitBtn,
  xcSpeedButton,
  xcPanel,
  xcGroupBox,
  xcStatusBar,
  xcTab
};
// A set of TSkinControlType: bit n stands for the kind of ordinal n.
using TSkinControlTypes = uint32_t;
constexpr TSkinControlTypes AllSkinControlTypes = (1u << (xcTab + 1)) - 1;

// True when Kinds holds Kind.
constexpr bool HasControlType(TSkinControlTypes Kinds, TSkinControlType Kind) {
  return (Kinds & (1u << Kind)) != 0;
}
