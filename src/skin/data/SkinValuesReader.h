// Reading a skin's description into TSkinValues: every section and key the
// engine reads, with its default, the pictures fetched from the archive and
// decoded, and the frame counts fixed at the end. Nothing here needs a
// window, so a skin is read and checked the same way by the program and by
// the tools.
#pragma once

#include <cstdint>
#include <string>

#include "skin/data/SkinValidation.h"
#include "skin/data/SkinValues.h"

class TProfileIni;
class TSkinReader;

// Reads Description (INI text); the pictures come from Reader's entries.
// What the reader refuses (too many title-bar buttons, pictures beyond the
// skin's pixel limit, an MDI picture too narrow for its frames) goes to
// Problems; the values are then incomplete and must not be shown.
TSkinValues ReadSkinValues(const std::string& Description, TSkinReader& Reader,
                           TSkinProblems& Problems);
TSkinValues ReadSkinValues(const std::string& Description, TSkinReader& Reader);
// Reads Description into Values and validates them (SkinValidation.h):
// true when the skin may be shown, with every problem in Problems.
bool ReadValidSkinValues(const std::string& Description, TSkinReader& Reader, TSkinValues& Values,
                         TSkinProblems& Problems);

// The steps of ReadSkinValues, in the order it calls them.
class TSkinValuesReader {
public:
  TSkinValuesReader(const TProfileIni& Ini, TSkinReader& Reader, TSkinValues& Values,
                    TSkinProblems& Problems)
      : FIni(Ini), FReader(Reader), FValues(Values), FProblems(Problems) {}

  // Reads every element in the fixed order, then derives the frame counts.
  void ReadAll();

  // The archive entry that Value names, decoded; empty when it names none,
  // the entry is missing or its bytes are no bitmap, and from the picture
  // on that would take the skin beyond its pixel limit: that one is refused
  // from its headers, undecoded (Section and Key name the value in the
  // problem then).
  TDibImage LoadBitmap(const std::string& Value, const std::string& Section = "",
                       const std::string& Key = "");
  // Pixels of all the pictures decoded so far.
  int64_t PixelsDecoded() const { return FPixels; }
  // Prefix+"R", "G", "B" into Colour when all three are given and not negative.
  void ReadRGB(const std::string& Section, const std::string& Prefix, TSkinColourValue& Colour);
  // The four window borders from [Personality].
  void ReadBorders();
  // One title-bar button per button section, then the three MDI child
  // buttons; none at all beyond the skin's limit of buttons.
  void ReadSysButtons();
  // Cuts [MDICONTROLS] "Image" into three strips of four frames each for the
  // MDI buttons from FirstIndex on.
  void ReadMdiControls(size_t FirstIndex);
  // The push button, check box and radio button pictures from [Buttons].
  void ReadButtons();
  // The system colours of [Colours], then the colour list sections.
  void ReadColours();
  // The caption: text background picture, text placement, font height, colours.
  void ReadTitle(TSkinTitleElement& Element, const std::string& Section);
  // An element whose picture key is "Bitmap" and which has no colours.
  void ReadBitmapElement(std::unique_ptr<TSkinElement>& Element, const std::string& Section);
  // The menu bar picture of Section and how its centre is filled.
  void ReadMenuBar(std::unique_ptr<TSkinElement>& Element, const std::string& Section);
  // An element with an "Image" picture, margins, flags and colours.
  void ReadElement(std::unique_ptr<TSkinElement>& Element, const std::string& Section);
  // ReadElement with a border picture named by ExtraKey.
  void ReadBorderElement(std::unique_ptr<TSkinBorderElement>& Element, const std::string& Section,
                         const std::string& ExtraKey);
  // The fixed frame counts of the elements, and the check and radio counts.
  void SetFrameCounts();

private:
  // Margins, "Trans" and "Tile", all 0 unless given.
  void ReadElementShape(TSkinElementValues& Element, const std::string& Section);
  // The three colour numbers (-1 unless given) and the three second colours.
  void ReadElementColours(TSkinElementValues& Element, const std::string& Section);

  // Reads Key of Section as a picture.
  TDibImage ReadPicture(const std::string& Section, const std::string& Key);

  const TProfileIni& FIni;
  TSkinReader& FReader;
  TSkinValues& FValues;
  TSkinProblems& FProblems;
  int64_t FPixels = 0;
  bool FOverBudget = false;
};

// A picture cut from Source: the rectangle (X, Y, Width, Height) as a
// 24-bit image (empty when Width or Height is not positive). Parts outside
// Source read as black.
TDibImage CutPicture(const TDibImage& Source, int X, int Y, int Width, int Height);
