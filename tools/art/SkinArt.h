// The program's stored skin: a light brushed-steel theme. Builds every
// picture of the skin archive and its description, in archive order.
#pragma once

#include "SkinParts.h"

#include <cstddef>
#include <string>
#include <vector>

namespace art {

// Window frame metrics that the pictures and the description share.
constexpr int kBorderLeft = 10;
constexpr int kBorderRight = 12;
constexpr int kTitleHeight = 33;
constexpr int kBorderBottom = 13;

// Every picture of the skin, in archive order (without the description).
std::vector<SkinPicture> skinPictures();

// Size in bytes of the description entry: the description is padded to it.
constexpr size_t kDescriptionSize = 4025;

// The skin description (an INI text with CR LF line ends), padded with
// comment lines to kDescriptionSize bytes.
std::string skinDescription();

// Name of the description entry.
extern const char* const kDescriptionName;

// The complete archive contents, pictures encoded, description in its place.
std::vector<SkinEntry> skinEntries();

// Writes every entry as a file into `dir`, plus `entries.lst` naming them in
// archive order, one per line.
void writeSkinDirectory(const std::string& dir);

}  // namespace art
