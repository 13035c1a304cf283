#include "SkinArt.h"

#include <stdexcept>

namespace art {

const char* const kDescriptionName = "saffrell.ini";

namespace {

// ---------------------------------------------------------------------------
// Layout of the title bar, shared by the pictures and the description
// ---------------------------------------------------------------------------

constexpr int kButtonWidth = 19;  // one frame of a caption button picture
constexpr int kButtonHeight = 20;
constexpr int kButtonTop = 7;    // Ycoord of the caption buttons
constexpr int kCloseX = 35;      // Xcoord of the close button, from the right edge
constexpr int kButtonStep = 21;  // between the Xcoords of neighbouring buttons
constexpr int kMaximizeX = kCloseX + kButtonStep;
constexpr int kMinimizeX = kCloseX + 2 * kButtonStep;
constexpr int kIconX = 11;  // window icon, from the left edge
constexpr int kIconY = 8;
constexpr int kTextShift = 18;      // caption text, right of the left border
constexpr int kTextRightClip = 70;  // caption text ends this far left of the right border

// The stored skin draws the design in its own colours.
const Theme kSteel{};

// The window frame: square corners, a size grip, and the caption buttons in
// a tray at the right end of the title, one pixel around them and two at the ends.
const FrameStyle kFrame{kSteel,
                        kBorderLeft,
                        kBorderRight,
                        kTitleHeight,
                        kBorderBottom,
                        4,
                        30,
                        -(kMinimizeX + 2),
                        -(kCloseX - kButtonWidth - 2),
                        kButtonTop - 1,
                        kButtonTop + kButtonHeight + 1,
                        true,
                        0};

// A title-bar button picture: normal, pressed and hot frames side by side.
Image titleBarButton(Glyph glyph) {
  return captionButtonStrip(kSteel, ButtonShape{kButtonWidth, kButtonHeight, 3.5, 9}, glyph,
                            {ButtonState::Normal, ButtonState::Pressed, ButtonState::Hot},
                            frameLook(kSteel, true).trayFill);
}

// Appends the section of a caption button in the tray, right-aligned.
void trayButton(std::string& text, int index, int action, int x, int visibility,
                const std::string& image) {
  sysButton(text, SysButtonKeys{index, action, 1, x, kButtonTop, visibility, image});
}

// Appends the keys of a side or bottom border piece (two frames, stretched, opaque).
void sideBorder(std::string& text, const std::string& side, int topHeight, int bottomHeight) {
  borderPiece(text, side, "steel\\" + side + ".bmp", topHeight, bottomHeight, 1, 0);
}

// A picture of the stored theme made by a control routine, one per frame.
template <typename Routine>
Image strip(int count, Routine routine) {
  return frameStrip(count, [routine](int frame) { return routine(kSteel, frame); });
}

}  // namespace

// Every picture of the skin, in archive order (without the description).
std::vector<SkinPicture> skinPictures() {
  // Border pieces are cut from painted windows: the top piece spans the
  // title between the side borders, the sides include the title's height.
  const int wide = kBorderLeft + 179 + kBorderRight;
  std::vector<SkinPicture> pictures;
  pictures.push_back(
      {"top.bmp", framePiece(kFrame, wide, 80, kBorderLeft, 0, 179, kTitleHeight, true), 8});
  pictures.push_back({"bottom.bmp",
                      framePiece(kFrame, kBorderLeft + 57 + kBorderRight, 60, kBorderLeft,
                                 60 - kBorderBottom, 57, kBorderBottom, true),
                      4});
  pictures.push_back({"left.bmp", framePiece(kFrame, wide, 58, 0, 0, kBorderLeft, 58, false), 8});
  pictures.push_back({"right.bmp",
                      framePiece(kFrame, wide, 56, wide - kBorderRight, 0, kBorderRight, 56, false),
                      8});
  pictures.push_back({"menu.bmp", menuBar(kSteel), 8});
  pictures.push_back({"dialog.bmp", menuBackground(kSteel), 8});
  pictures.push_back({"button.bmp", strip(5, pushButtonFrame), 24});
  pictures.push_back(
      {"checkbox.bmp", frameStrip(4, [](int f) { return checkBoxFrame(kSteel, f, false); }), 24});
  pictures.push_back(
      {"radio.bmp", frameStrip(4, [](int f) { return checkBoxFrame(kSteel, f, true); }), 24});
  pictures.push_back({"progress.bmp", progressBar(kSteel), 24});
  pictures.push_back({"tabborder.bmp", tabBorder(kSteel), 24});
  pictures.push_back({"tabs.bmp", strip(5, tabFrame), 24});
  Image horzTrack = strip(4, scrollTrackFrame);
  Image horzThumb = strip(3, scrollThumbFrame);
  pictures.push_back({"scrollhz.bmp", horzTrack, 24});
  pictures.push_back({"scrollvt.bmp", transposeFrames(horzTrack, 4), 24});
  pictures.push_back({"scrollhb.bmp", horzThumb, 24});
  pictures.push_back({"scrollvb.bmp", transposeFrames(horzThumb, 3), 24});
  pictures.push_back({"toolbar.bmp", strip(5, headerFrame), 24});
  pictures.push_back({"min.bmp", titleBarButton(Glyph::Minimize), 8});
  pictures.push_back({"max.bmp", titleBarButton(Glyph::Maximize), 8});
  pictures.push_back({"close.bmp", titleBarButton(Glyph::Close), 8});
  pictures.push_back({"restore.bmp", titleBarButton(Glyph::Restore), 8});
  // The combo-box pictures carry two bytes of padding after their rows.
  pictures.push_back({"ap-combo-arrows.bmp", strip(5, comboArrowFrame), 24, 2});
  pictures.push_back({"ap-combo.bmp", strip(4, comboButtonFrame), 24, 2});
  pictures.push_back({"ap-sunkedge.bmp", strip(4, sunkenEdgeFrame), 24, 2});
  pictures.push_back({"qelto_mdib.bmp", mdiButtons(kSteel, kMenuBarFace), 24});
  return pictures;
}

namespace {

// The sections of the skin description.
std::string descriptionSections() {
  std::string t;
  line(t, "[TitlebarSkin]");
  line(t, "SkinName=Quorvel Steel");
  line(t, "SkinAuthor=Quorvel");
  line(t, "");
  line(t, "[Personality]");
  // Border pieces; the sides include the title's height at the top and the
  // bottom border's height at the bottom.
  line(t, "Top=steel\\Top.bmp");
  line(t, "TopTopHeight=76");
  line(t, "TopBotHeight=84");
  line(t, "TopFrame=2");
  line(t, "TopStretch=0");
  sideBorder(t, "Left", kTitleHeight, kBorderBottom);
  sideBorder(t, "Right", kTitleHeight, kBorderBottom);
  sideBorder(t, "Bottom", 4, 20);
  line(t, "menuBar=menu.bmp");
  line(t, "TextShift=" + std::to_string(kTextShift));
  line(t, "TextShiftVert=0");
  line(t, "TextRightClip=" + std::to_string(kTextRightClip));
  line(t, "TextAlignment=0");
  line(t, "Textbackground=0");
  line(t, "ActiveTextR=255");
  line(t, "ActiveTextG=255");
  line(t, "ActiveTextB=255");
  line(t, "InActiveTextR=236");
  line(t, "InActiveTextG=238");
  line(t, "InActiveTextB=242");
  line(t, "ButtonCount=5");
  line(t, "DialogBmp=dialog.bmp");
  line(t, "");
  line(t, "[Fonts]");
  line(t, "FontHeight=14");
  line(t, "");
  // Caption buttons: right-aligned in the tray, the window icon at the left.
  trayButton(t, 0, 0, kCloseX, 0, "close.bmp");
  trayButton(t, 1, 1, kMaximizeX, 2, "max.bmp");
  trayButton(t, 2, 2, kMinimizeX, 0, "min.bmp");
  trayButton(t, 3, 1, kMaximizeX, 1, "restore.bmp");
  sysButton(t, SysButtonKeys{4, 3, 0, kIconX, kIconY, 0, ""});
  line(t, "[MDICONTROLS]");
  line(t, "Image=qelto_mdib.bmp");
  line(t, "");
  line(t, "[Buttons]");
  line(t, "Bitmap=button.bmp");
  line(t, "CheckButton=checkbox.bmp");
  line(t, "RadioButton=radio.bmp");
  line(t, "LeftWidth=12");
  line(t, "TopHeight=11");
  line(t, "RightWidth=12");
  line(t, "BottomHeight=11");
  line(t, "Trans=1");
  line(t, "NormalColour2=0 0 0");
  line(t, "MouseOverColour2=18 44 92");
  line(t, "PressedColour2=0 0 0");
  line(t, "");
  line(t, "[Colours]");
  line(t, "WindowText=0 0 0");
  line(t, "ButtonFace=207 207 207");
  line(t, "Scrollbar=224 226 230");
  line(t, "HilightText=255 255 255");
  line(t, "Hilight=74 108 156");
  line(t, "Menubar=234 236 239");
  line(t, "Menu=244 245 246");
  line(t, "MenuText=0 0 0");
  line(t, "ButtonText=0 0 0");
  line(t, "ButtonHilight=255 255 255");
  line(t, "Buttonlight=232 232 232");
  line(t, "ButtonShadow=128 132 140");
  line(t, "ButtonDkShadow=64 68 76");
  line(t, "MenuBarText=0 0 0");
  line(t, "TitleTextActive=255 255 255");
  line(t, "");
  line(t, "[Progress]");
  line(t, "Bitmap=progress.bmp");
  edgeWidths(t, 3, 3, 3, 3);
  line(t, "Trans=1");
  line(t, "Tile=0");
  line(t, "");
  line(t, "[Toolbars]");
  line(t, "Image=toolbar.bmp");
  edgeWidths(t, 2, 2, 2, 2);
  line(t, "");
  line(t, "[Tabs]");
  line(t, "Image=tabs.bmp");
  line(t, "Border=tabborder.bmp");
  edgeWidths(t, 5, 5, 5, 3);
  line(t, "Trans=1");
  line(t, "Tile=0");
  line(t, "NormalColour2=40 44 52");
  line(t, "MouseOverColour2=0 0 0");
  line(t, "");
  line(t, "[ComboButton]");
  line(t, "Image=ap-combo.bmp");
  edgeWidths(t, 3, 3, 3, 3);
  line(t, "Trans=1");
  line(t, "");
  line(t, "[SunkEdge]");
  line(t, "Image=ap-sunkedge.bmp");
  edgeWidths(t, 2, 2, 2, 2);
  line(t, "");
  line(t, "[ExtraImages]");
  line(t, "Image=ap-combo-arrows.bmp");
  line(t, "Trans=1");
  line(t, "");
  line(t, "[Headerbar]");
  line(t, "Image=toolbar.bmp");
  edgeWidths(t, 2, 2, 2, 2);
  line(t, "");
  line(t, "[MenuBackground]");
  line(t, "Image=dialog.bmp");
  edgeWidths(t, 3, 3, 3, 3);
  line(t, "Tile=0");
  line(t, "");
  line(t, "[HorzScroll]");
  line(t, "Image=scrollhz.bmp");
  edgeWidths(t, 2, 2, 2, 2);
  line(t, "");
  line(t, "[VertScroll]");
  line(t, "Image=scrollvt.bmp");
  edgeWidths(t, 2, 2, 2, 2);
  line(t, "");
  line(t, "[HorzScrollThumb]");
  line(t, "Image=scrollhb.bmp");
  line(t, "FrameCount=3");
  edgeWidths(t, 4, 4, 4, 4);
  line(t, "Trans=1");
  line(t, "");
  line(t, "[VertScrollThumb]");
  line(t, "Image=scrollvb.bmp");
  line(t, "FrameCount=3");
  edgeWidths(t, 4, 4, 4, 4);
  line(t, "Trans=1");
  return t;
}

}  // namespace

// The skin description: a heading comment, padding comment lines up to the
// size of the archive's description entry, then the sections.
std::string skinDescription() {
  std::string text;
  for (const char* comment :
       {"; Quorvel Steel: a light brushed-steel frame around a dark steel caption plate.", ";",
        "; The side pictures include the title's height at the top and the bottom",
        "; border's height at the bottom. Frame 1 of every border picture is the",
        "; active look, frame 2 the inactive one. Magenta (255 0 255) is transparent.", ";",
        "; The caption buttons lie in a tray at the right end of the title; their",
        "; frames are normal, pressed and hot.", ";",
        "; Push buttons: 5 frames (normal, pressed, disabled, hot or focused,",
        "; default). Check boxes and radio buttons: 4 frames (unchecked, checked,",
        "; disabled, disabled and checked).", ";"})
    text += std::string(comment) + "\r\n";
  std::string sections = descriptionSections();
  if (text.size() + sections.size() > kDescriptionSize)
    throw std::logic_error("the skin description outgrew its entry size");
  size_t missing = kDescriptionSize - text.size() - sections.size();
  // Lines of "; ", dashes and CR LF, at most 64 bytes each, sharing the rest evenly.
  if (missing > 0 && missing < 4)
    throw std::logic_error("the skin description cannot be padded by less than a comment line");
  size_t lines = (missing + 63) / 64;
  for (size_t i = 0; i < lines; ++i) {
    size_t length = missing / lines + (i < missing % lines ? 1 : 0);
    text += "; " + std::string(length - 4, '-') + "\r\n";
  }
  return text + sections;
}

// The complete archive contents in order; the description is entry 22.
std::vector<SkinEntry> skinEntries() {
  std::vector<SkinEntry> entries;
  for (const SkinPicture& picture : skinPictures()) {
    entries.push_back(pictureEntry(picture));
    if (picture.name == "restore.bmp") {
      std::string text = skinDescription();
      entries.push_back({kDescriptionName, std::vector<uint8_t>(text.begin(), text.end())});
    }
  }
  return entries;
}

// Writes every entry as a file into `dir`, plus the list of their order.
void writeSkinDirectory(const std::string& dir) { writeSkinEntries(dir, skinEntries()); }

}  // namespace art
