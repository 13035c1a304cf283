// The rules of the skin description that need no bitmaps: colour text,
// which archive entry a picture value names, which sections are title-bar
// buttons or list colours, and the frame counts derived from picture sizes.
#pragma once

#include <cstdint>
#include <string>

#include "skin/data/IniFile.h"

class TMemoryStream;
class TSkinReader;

// A colour number: 0x00BBGGRR, or 0x80000000 + n for the system colour n.
using TSkinColour = uint32_t;

// System colours used as defaults by the description.
namespace SkinSysColour {
constexpr TSkinColour ScrollBar = 0x80000000;
constexpr TSkinColour Menu = 0x80000004;
constexpr TSkinColour MenuText = 0x80000007;
constexpr TSkinColour WindowText = 0x80000008;
constexpr TSkinColour CaptionText = 0x80000009;
constexpr TSkinColour Highlight = 0x8000000D;
constexpr TSkinColour HighlightText = 0x8000000E;
constexpr TSkinColour BtnFace = 0x8000000F;
constexpr TSkinColour BtnShadow = 0x80000010;
constexpr TSkinColour BtnText = 0x80000012;
constexpr TSkinColour InactiveCaptionText = 0x80000013;
constexpr TSkinColour BtnHighlight = 0x80000014;
}  // namespace SkinSysColour

// A caption text colour that the description does not give.
constexpr TSkinColour SkinNoTextColour = 0x1FFFFFFF;

// RGB(R, G, B) with each component taken modulo 256.
TSkinColour SkinRGB(int32_t R, int32_t G, int32_t B);

// Colour text: three decimal numbers R G B, one separator between each.
// Every non-digit ends a number and moves on to the next component, so two
// separators in a row skip one; components not given are 0.
TSkinColour ParseSkinColour(const std::string& Text);
// Default for an empty text, ParseSkinColour otherwise.
TSkinColour ReadColour(const std::string& Text, TSkinColour Default);

// The archive entry that a picture value names: the part after the last "\"
// or ":". Empty (no picture) when that part is empty or its extension is not
// exactly ".bmp"; a "/" is not a folder separator.
std::string SkinBitmapEntryName(const std::string& Value);

// True for the sections that describe title-bar buttons: upper-cased, they
// begin with "BUTTON" and are not BUTTONS, BUTTON.RADIO or BUTTON.CHECKBOX.
bool IsSysButtonSection(const std::string& Section);
// True for the sections of the colour list: upper-cased, they begin with
// "COLOUR" and are not exactly "COLOURS".
bool IsColourListSection(const std::string& Section);

// Frames of a title-bar button picture whose description gives none: 3 for a
// picture at most 3.8 times as wide as high, else 6, and 6 whenever Action < 0.
// Without a picture (Width or Height 0) it is 6 too.
int32_t SysButtonFrameCount(int32_t Width, int32_t Height, int32_t Action);
// Frames of a check box or radio button picture whose description gives none:
// Width div 13 for pictures under 16 pixels high, else Width div 16; at least 4.
int32_t ToggleFrameCount(int32_t Width, int32_t Height);
// Horizontal place of MDI button Index (0, 1, 2) for frames of width FrameWidth.
int32_t MdiButtonXCoord(int32_t FrameWidth, int Index);

// Copies the first archive entry whose name contains ".ini" into Text and its
// name into Name; false, Text empty, when the archive holds none.
bool ExtractSkinDescription(TSkinReader& Reader, std::string& Text, std::string& Name);
