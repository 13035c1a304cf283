// The main window's icon: a magnifying glass over a hard disk.
#pragma once

#include "BitmapFile.h"

#include <vector>

namespace art {

// The twelve icon images: 48, 32, 24 and 16 pixels square, each in 16
// colours, 256 colours and 32-bit colour with alpha, in that order. The
// palette images already hold only colours of their palettes.
std::vector<IconImage> iconImages();

}  // namespace art
