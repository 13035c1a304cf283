// artgen: writes the program's artwork.
//   artgen icon FILE       the main window's icon
//   artgen sponsor FILE    the sponsor picture
//   artgen skin DIR        the stored skin's pictures, description and entries.lst
//   artgen transskin DIR   the same for the transparent test skin
//   artgen preview DIR     preview pictures of both skins and the icon, as .bmp
#include "BitmapFile.h"
#include "IconArt.h"
#include "Preview.h"
#include "SkinArt.h"
#include "SponsorArt.h"
#include "TransSkinArt.h"

#include <cstdio>
#include <exception>
#include <string>

namespace {

// Prints how to call the tool.
int usage() {
  std::fprintf(stderr,
               "usage: artgen icon FILE | sponsor FILE | skin DIR | transskin DIR | preview DIR\n");
  return 2;
}

}  // namespace

// Runs one command.
int main(int argc, char** argv) {
  if (argc != 3) return usage();
  std::string command = argv[1], target = argv[2];
  try {
    if (command == "icon")
      art::writeFile(target, art::encodeIcon(art::iconImages()));
    else if (command == "sponsor")
      art::writeFile(target, art::encodeBitmap(art::sponsorPicture(), 24));
    else if (command == "skin")
      art::writeSkinDirectory(target);
    else if (command == "transskin")
      art::writeTransSkinDirectory(target);
    else if (command == "preview")
      art::writePreviews(target);
    else
      return usage();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "artgen: %s\n", e.what());
    return 1;
  }
  return 0;
}
