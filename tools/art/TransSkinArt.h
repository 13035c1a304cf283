// The transparent test skin, "Quorvel Copper": the skins' design in warm
// copper colours, with everything the stored skin leaves out. Its window has
// rounded corners cut away through magenta (all four border pieces keep
// transparent parts), its caption is right-aligned on a text back picture,
// its caption buttons sit at the left and three of them have an inactive
// frame, and it fills every element that the menu and control painters read.
#pragma once

#include "SkinParts.h"

#include <string>
#include <vector>

namespace art {

// Window frame metrics of the transparent skin.
constexpr int kTransBorderLeft = 8;
constexpr int kTransBorderRight = 8;
constexpr int kTransTitleHeight = 30;
constexpr int kTransBorderBottom = 8;
constexpr int kTransCornerRadius = 14;

// Name of the description entry.
extern const char* const kTransDescriptionName;

// The copper colour scheme: the design's colours warmed (steel blue turns copper).
Colour copperTone(const Colour& c);

// Every picture of the skin (without the description).
std::vector<SkinPicture> transSkinPictures();

// The skin description (an INI text with CR LF line ends).
std::string transSkinDescription();

// The complete archive contents: the pictures encoded, then the description.
std::vector<SkinEntry> transSkinEntries();

// Writes every entry as a file into `dir`, plus `entries.lst` naming them in
// archive order, one per line.
void writeTransSkinDirectory(const std::string& dir);

}  // namespace art
