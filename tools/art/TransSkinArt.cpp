#include "TransSkinArt.h"

#include <algorithm>

namespace art {

const char* const kTransDescriptionName = "copper.ini";

// Every colour turned to its warm side: of red and blue the larger goes to
// red (steel blue turns copper, cool greys warm up, reds stay), saturation
// raised around each colour's lightness, and a faint warm cast.
Colour copperTone(const Colour& c) {
  const double r = std::max(c.r, c.b), g = c.g, b = std::min(c.r, c.b);
  const double mid = (std::max({r, g, b}) + std::min({r, g, b})) / 2;
  auto boost = [mid](double v) { return std::clamp(mid + (v - mid) * 1.6, 0.0, 1.0); };
  return Colour{boost(r), boost(g) * 0.97, boost(b) * 0.9, c.a};
}

namespace {

const Theme kCopper{copperTone};

// ---------------------------------------------------------------------------
// Layout of the title bar, shared by the pictures and the description
// ---------------------------------------------------------------------------

constexpr int kButtonSize = 17;  // round caption buttons, one frame
constexpr int kButtonTop = 8;    // Ycoord of the caption buttons
constexpr int kCloseX = 12;      // Xcoord of the close button, from the left edge
constexpr int kButtonStep = 19;
constexpr int kMaximizeX = kCloseX + kButtonStep;
constexpr int kMinimizeX = kCloseX + 2 * kButtonStep;
constexpr int kIconGap = 4;  // the icon stands this far left of the caption
constexpr int kIconY = 7;

// Caption: right-aligned on a rounded text back, nudged down a little.
constexpr int kTextBackEnd = 14;  // fixed left and right parts of the text back
constexpr int kTextBackMiddle = 16;
constexpr int kTextShiftVert = 4;  // the caption goes down half of it
constexpr int kTextRightClip = 3;

// Fixed parts of the border pieces. The top piece keeps the button tray at
// its left and the rounded corner at its right; the sides keep the title
// and the rounded bottom corners; the bottom keeps both corners.
constexpr int kTopLeftPart = 66;
constexpr int kTopMiddle = 36;
constexpr int kTopRightPart = 24;
constexpr int kSideBottomPart = 16;
constexpr int kSideMiddle = 12;
constexpr int kBottomEndPart = 10;
constexpr int kBottomMiddle = 20;

// The window frame: rounded corners, no size grip (the bottom border is too
// thin for it), the caption buttons in a tray at the left end of the title.
const FrameStyle kFrame{kCopper,
                        kTransBorderLeft,
                        kTransBorderRight,
                        kTransTitleHeight,
                        kTransBorderBottom,
                        4,
                        kTransTitleHeight - 1,
                        kCloseX - 2,
                        kMinimizeX + kButtonSize + 2,
                        kButtonTop - 1,
                        kButtonTop + kButtonSize + 1,
                        false,
                        kTransCornerRadius};

// ---------------------------------------------------------------------------
// Pictures the stored skin has no element for
// ---------------------------------------------------------------------------

// A round caption button: normal, pressed and hot frames, and with
// `inactiveFrame` a fourth frame for an inactive window.
Image roundButton(Glyph glyph, bool inactiveFrame) {
  const ButtonShape shape{kButtonSize, kButtonSize, kButtonSize / 2.0, 7};
  std::vector<ButtonState> states{ButtonState::Normal, ButtonState::Pressed, ButtonState::Hot};
  if (inactiveFrame) states.push_back(ButtonState::Inactive);
  std::vector<Image> frames;
  for (ButtonState state : states)
    frames.push_back(captionButton(kCopper, shape, glyph, state,
                                   frameLook(kCopper, state != ButtonState::Inactive).trayFill));
  return joinFrames(frames, false);
}

// The caption's text back: a dark rounded glass plate under the title text,
// active frame above the inactive one, magenta around it.
Image textBack() {
  const int w = 2 * kTextBackEnd + kTextBackMiddle, h = kTransTitleHeight;
  std::vector<Image> frames;
  for (bool active : {true, false}) {
    const FrameLook look = frameLook(kCopper, active);
    Image img(w, h);
    Rect pill{1, 8, double(w - 1), double(h - 2)};
    Colour top = shade(look.plate[2].second, active ? -0.45 : -0.2);
    Colour bottom = shade(look.plate[3].second, active ? -0.2 : 0.0);
    roundedPanel(img, pill, 10, look.trayEdge, verticalGradient(pill.y0, pill.y1, top, bottom));
    hline(img, int(pill.x0) + 8, int(pill.x1) - 8, int(pill.y1), withAlpha(look.trayLip, 0.8));
    img.keyTransparent(look.plate[2].second);
    frames.push_back(img);
  }
  return joinFrames(frames, true);
}

// The scroll-bar arrows (16 x 16, 23 frames): left, right, up and down
// arrows, each normal, pressed, hot and disabled; the last seven frames are
// plain keys, which the painters never use.
Image scrollArrowFrame(int frame) {
  const int index = frame - 1, direction = index / 4, state = index % 4;
  const bool arrow = index < 16, pressed = arrow && state == 1, hot = arrow && state == 2,
             disabled = arrow && state == 3;
  Image img(16, 16);
  Colour edge = hot ? kCopper(kAccent) : disabled ? kCopper(168, 172, 178) : kCopper(104, 112, 126);
  Paint body = pressed ? verticalGradient(1, 15, kCopper(184, 190, 200), kCopper(226, 229, 234))
                       : verticalStops(1, 15,
                                       {{0.0, kCopper(252, 252, 253)},
                                        {0.48, kCopper(228, 231, 236)},
                                        {0.52, kCopper(212, 216, 223)},
                                        {1.0, kCopper(232, 235, 240)}});
  roundedPanel(img, bounds(img), 3, edge, body);
  if (!pressed && !disabled) topSheen(img, bounds(img), 3, 0.7);
  if (arrow) {
    // A triangle pointing left, turned for the other directions.
    const double d = pressed ? 1 : 0;
    std::vector<std::pair<double, double>> points{{10.0, 4.0}, {10.0, 12.0}, {5.5, 8.0}};
    for (auto& p : points) {
      double x = p.first, y = p.second;
      if (direction == 1) x = 16 - x;
      if (direction >= 2) std::swap(x, y);
      if (direction == 3) y = 16 - y;
      p = {x + d, y + d};
    }
    Colour colour = disabled ? kCopper(158, 162, 170) : hot ? kCopper(kCheckMark) : kCopper(kGlyph);
    fillShape(img, polygon(points), solid(colour), bounds(img));
  }
  img.keyTransparent(kCopper(kScrollFace));
  return img;
}

// A popup menu item (40 x 20): 1 normal and 3 disabled are transparent, so
// the menu background shows; 2 is the separator, an etched line in its
// bottom rows; 4 selected and 5 hot are rounded copper bars.
Image menuItemFrame(int frame) {
  const int w = 40, h = 20;
  Image img(w, h);
  if (frame == 2) {
    hline(img, 4, w - 4, 15, kCopper(150, 156, 166));
    hline(img, 4, w - 4, 16, kCopper(255, 255, 255));
  } else if (frame == 4 || frame == 5) {
    Rect r{1, 1, double(w - 1), double(h - 1)};
    Colour edge = kCopper(frame == 4 ? Colour{kAccent} : rgb8(120, 150, 196));
    Colour top = kCopper(frame == 4 ? rgb8(110, 146, 204) : rgb8(170, 196, 232));
    Colour bottom = kCopper(frame == 4 ? rgb8(66, 104, 166) : rgb8(132, 164, 212));
    roundedPanel(img, r, 4, edge, verticalGradient(r.y0, r.y1, top, bottom));
    topSheen(img, r, 4, 0.35);
  }
  img.keyTransparent(kCopper(244, 245, 246));
  return img;
}

// A status-bar panel (24 x 20): 1 lowered, 2 raised, 3 without bevel.
Image statusEdgeFrame(int frame) {
  Image img(24, 20, kCopper(kFace));
  Colour dark = kCopper(128, 132, 140), light = kCopper(255, 255, 255);
  if (frame == 1)
    bevel(img, 0, 0, 24, 20, dark, light);
  else if (frame == 2)
    bevel(img, 0, 0, 24, 20, light, dark);
  return img;
}

// A group box edge (24 x 24): 1 enabled, 2 disabled; an etched rounded
// frame (a dark line with a light one inside it), transparent inside and
// outside its corners.
Image groupBoxFrame(int frame) {
  Image img(24, 24);
  // The ring between a rounded rectangle and the one a pixel inside it.
  auto ring = [](double x0, double y0, double x1, double y1) {
    return subtract(roundRect(Rect{x0, y0, x1, y1}, 5),
                    roundRect(Rect{x0 + 1, y0 + 1, x1 - 1, y1 - 1}, 4));
  };
  fillShape(img, ring(1, 1, 24, 24), solid(kCopper(255, 255, 255)), bounds(img));
  fillShape(img, ring(0, 0, 23, 23),
            solid(frame == 1 ? kCopper(128, 132, 140) : kCopper(176, 180, 188)), bounds(img));
  img.keyTransparent(kCopper(kFace));
  return img;
}

// A tool-bar cell (24 x 24): 1 normal, 2 hot, 3 pressed, 4 disabled,
// 5 checked; a light band, with a rounded key when hot, pressed or checked.
Image toolbarFrame(int frame) {
  Image img(24, 24);
  fillRect(img, 0, 0, 24, 24,
           verticalGradient(0, 24, kCopper(248, 249, 251), kCopper(222, 225, 230)));
  hline(img, 0, 24, 23, kCopper(168, 174, 184));
  if (frame == 2 || frame == 3 || frame == 5) {
    Rect key{1, 1, 23, 22};
    Paint body = frame == 2
                     ? verticalGradient(1, 22, kCopper(252, 253, 255), kCopper(210, 224, 244))
                     : verticalGradient(1, 22, kCopper(196, 201, 209), kCopper(230, 232, 236));
    roundedPanel(img, key, 3, frame == 2 ? kCopper(kAccent) : kCopper(104, 112, 126), body);
  }
  if (frame == 4) blendRect(img, 0, 0, 24, 23, withAlpha(kCopper(236, 237, 239), 0.5));
  return img;
}

// One element section of the description: the picture line and the keys after it.
struct ElementKeys {
  std::string section, picture;
  std::vector<std::string> keys;
};

// The widths of the fixed edges of a picture whose middle stretches, then more keys.
std::vector<std::string> edges(int left, int right, int top, int bottom,
                               std::vector<std::string> more = {}) {
  std::vector<std::string> keys{
      "LeftWidth=" + std::to_string(left), "RightWidth=" + std::to_string(right),
      "TopHeight=" + std::to_string(top), "BottomHeight=" + std::to_string(bottom)};
  keys.insert(keys.end(), more.begin(), more.end());
  return keys;
}

// A picture of the copper theme made by a control routine, one per frame.
template <typename Routine>
Image strip(int count, Routine routine) {
  return frameStrip(count, [routine](int frame) { return routine(kCopper, frame); });
}

}  // namespace

// Every picture of the skin, all 24 bits per pixel.
std::vector<SkinPicture> transSkinPictures() {
  // Border pieces are cut from painted windows, as for the stored skin.
  const int topWidth = kTopLeftPart + kTopMiddle + kTopRightPart;
  const int wide = kTransBorderLeft + topWidth + kTransBorderRight;
  const int sideHeight = kTransTitleHeight + kSideMiddle + kSideBottomPart;
  const int bottomWidth = 2 * kBottomEndPart + kBottomMiddle;
  const int bottomWindowWidth = kTransBorderLeft + bottomWidth + kTransBorderRight;
  const int bottomWindowHeight = 60;

  std::vector<SkinPicture> pictures;
  auto add = [&pictures](const std::string& name, const Image& image) {
    pictures.push_back({name, image, 24});
  };
  add("top.bmp",
      framePiece(kFrame, wide, 80, kTransBorderLeft, 0, topWidth, kTransTitleHeight, true));
  add("bottom.bmp",
      framePiece(kFrame, bottomWindowWidth, bottomWindowHeight, kTransBorderLeft,
                 bottomWindowHeight - kTransBorderBottom, bottomWidth, kTransBorderBottom, true));
  add("left.bmp", framePiece(kFrame, wide, sideHeight, 0, 0, kTransBorderLeft, sideHeight, false));
  add("right.bmp", framePiece(kFrame, wide, sideHeight, wide - kTransBorderRight, 0,
                              kTransBorderRight, sideHeight, false));
  add("textback.bmp", textBack());
  add("close.bmp", roundButton(Glyph::Close, true));
  add("max.bmp", roundButton(Glyph::Maximize, true));
  add("restore.bmp", roundButton(Glyph::Restore, true));
  add("min.bmp", roundButton(Glyph::Minimize, false));
  add("mdi.bmp", mdiButtons(kCopper, kCopper(kMenuBarFace)));
  add("menubar.bmp", menuBar(kCopper));
  add("menuitem.bmp", frameStrip(5, menuItemFrame));
  add("menuback.bmp", menuBackground(kCopper));
  add("button.bmp", strip(5, pushButtonFrame));
  add("check.bmp", frameStrip(4, [](int f) { return checkBoxFrame(kCopper, f, false); }));
  add("radio.bmp", frameStrip(4, [](int f) { return checkBoxFrame(kCopper, f, true); }));
  add("progress.bmp", progressBar(kCopper));
  add("tabs.bmp", strip(5, tabFrame));
  add("tabborder.bmp", tabBorder(kCopper));
  add("combo.bmp", strip(4, comboButtonFrame));
  add("comboarrows.bmp", strip(5, comboArrowFrame));
  add("sunkedge.bmp", strip(4, sunkenEdgeFrame));
  add("header.bmp", strip(5, headerFrame));
  add("toolbar.bmp", frameStrip(5, toolbarFrame));
  add("statusbar.bmp", frameStrip(3, statusEdgeFrame));
  add("groupbox.bmp", frameStrip(2, groupBoxFrame));
  add("scrollbar.bmp", frameStrip(23, scrollArrowFrame));
  Image horzTrack = strip(4, scrollTrackFrame);
  Image horzThumb = strip(3, scrollThumbFrame);
  add("scrollh.bmp", horzTrack);
  add("scrollv.bmp", transposeFrames(horzTrack, 4));
  add("thumbh.bmp", horzThumb);
  add("thumbv.bmp", transposeFrames(horzThumb, 3));
  return pictures;
}

// The skin description.
std::string transSkinDescription() {
  const Theme& t = kCopper;
  std::string d;
  line(d, "; Quorvel Copper: the transparent test skin. Rounded window corners are");
  line(d, "; magenta (255 0 255) in all four border pieces, which the window region");
  line(d, "; cuts away. Frame 1 of every border picture is the active look, frame 2");
  line(d, "; the inactive one. Close, maximize and restore have a fourth frame for an");
  line(d, "; inactive window; minimize has three.");
  line(d, "");
  line(d, "[TitlebarSkin]");
  line(d, "SkinName=Quorvel Copper");
  line(d, "SkinAuthor=Quorvel");
  line(d, "");
  line(d, "[Personality]");
  borderPiece(d, "Left", "copper\\left.bmp", kTransTitleHeight, kSideBottomPart, 1, 1);
  borderPiece(d, "Right", "copper\\right.bmp", kTransTitleHeight, kSideBottomPart, 1, 1);
  borderPiece(d, "Top", "copper\\top.bmp", kTopLeftPart, kTopRightPart, 0, 1);
  borderPiece(d, "Bottom", "copper\\bottom.bmp", kBottomEndPart, kBottomEndPart, 1, 1);
  line(d, "menuBar=menubar.bmp");
  line(d, "TileMenu=1");
  line(d, "TileLeftMenu=2");
  line(d, "TileRightMenu=2");
  line(d, "TextBack=textback.bmp");
  line(d, "TXTBackleft=" + std::to_string(kTextBackEnd));
  line(d, "TXTBackRight=" + std::to_string(kTextBackEnd));
  line(d, "TextShift=6");
  line(d, "TextShiftVert=" + std::to_string(kTextShiftVert));
  line(d, "TextRightClip=" + std::to_string(kTextRightClip));
  line(d, "TextAlignment=2");
  line(d, "Textbackground=1");
  line(d, "ActiveTextR=255");
  line(d, "ActiveTextG=246");
  line(d, "ActiveTextB=232");
  line(d, "InActiveTextR=238");
  line(d, "InActiveTextG=226");
  line(d, "InActiveTextB=210");
  line(d, "");
  line(d, "[Fonts]");
  line(d, "FontHeight=14");
  line(d, "");
  // Caption buttons: at the left, in the tray; the icon left of the caption.
  sysButton(d, SysButtonKeys{0, 0, 0, kCloseX, kButtonTop, 0, "close.bmp", 4});
  sysButton(d, SysButtonKeys{1, 1, 0, kMaximizeX, kButtonTop, 2, "max.bmp", 4});
  sysButton(d, SysButtonKeys{2, 1, 0, kMaximizeX, kButtonTop, 1, "restore.bmp", 4});
  sysButton(d, SysButtonKeys{3, 2, 0, kMinimizeX, kButtonTop, 0, "min.bmp"});
  sysButton(d, SysButtonKeys{4, 3, 2, kIconGap, kIconY, 0, ""});
  line(d, "[MDICONTROLS]");
  line(d, "Image=mdi.bmp");
  line(d, "");
  line(d, "[Buttons]");
  line(d, "Bitmap=button.bmp");
  line(d, "CheckButton=check.bmp");
  line(d, "RadioButton=radio.bmp");
  line(d, "CheckButtonFrame=4");
  line(d, "RadioButtonFrame=4");
  edgeWidths(d, 12, 12, 11, 11);
  line(d, "Trans=1");
  line(d, "NormalColour=0");
  line(d, "MouseOverColour=1");
  line(d, "PressedColour=0");
  line(d, "NormalColour2=" + colourText(t(kGlyph)));
  line(d, "MouseOverColour2=" + colourText(t(18, 44, 92)));
  line(d, "PressedColour2=0 0 0");
  line(d, "");
  line(d, "[Colours]");
  line(d, "WindowText=" + colourText(t(kGlyph)));
  line(d, "ButtonFace=" + colourText(t(kFace)));
  line(d, "Scrollbar=" + colourText(t(kScrollFace)));
  line(d, "HilightText=255 255 255");
  line(d, "Hilight=" + colourText(t(74, 108, 156)));
  line(d, "Menubar=" + colourText(t(kMenuBarFace)));
  line(d, "Menu=" + colourText(t(244, 245, 246)));
  line(d, "MenuText=" + colourText(t(kGlyph)));
  line(d, "ButtonText=" + colourText(t(kGlyph)));
  line(d, "ButtonHilight=" + colourText(t(255, 255, 255)));
  line(d, "Buttonlight=" + colourText(t(232, 232, 232)));
  line(d, "ButtonShadow=" + colourText(t(128, 132, 140)));
  line(d, "ButtonDkShadow=" + colourText(t(64, 68, 76)));
  line(d, "MenuBarText=" + colourText(t(kGlyph)));
  line(d, "TitleTextActive=255 246 232");
  line(d, "");
  // The list colours that the bit-button colour numbers point into.
  line(d, "[Colour0]");
  line(d, "color=" + colourText(t(kGlyph)));
  line(d, "");
  line(d, "[Colour1]");
  line(d, "color=" + colourText(t(18, 44, 92)));
  line(d, "");
  // The elements: their pictures and the keys that say how they are drawn.
  const ElementKeys elements[] = {
      {"Progress", "Bitmap=progress.bmp", edges(3, 3, 3, 3, {"Trans=1", "Tile=1"})},
      {"GroupBoxEdge", "Image=groupbox.bmp", edges(6, 6, 6, 6, {"Trans=1"})},
      {"Toolbars", "Image=toolbar.bmp", edges(3, 3, 3, 3)},
      {"Tabs", "Image=tabs.bmp",
       edges(5, 5, 5, 3,
             {"Border=tabborder.bmp", "Trans=1", "Tile=0",
              "NormalColour2=" + colourText(t(40, 44, 52)), "MouseOverColour2=0 0 0"})},
      {"StatusBarEdges", "Image=statusbar.bmp",
       edges(2, 2, 2, 2, {"NormalColour2=" + colourText(t(kGlyph))})},
      {"ComboButton", "Image=combo.bmp", edges(3, 3, 3, 3, {"Trans=1"})},
      {"SunkEdge", "Image=sunkedge.bmp", edges(2, 2, 2, 2)},
      {"ExtraImages", "Image=comboarrows.bmp", {"Trans=1"}},
      {"Headerbar", "Image=header.bmp", edges(2, 2, 2, 2)},
      {"MenuItem", "Image=menuitem.bmp", edges(4, 4, 4, 4, {"Trans=1", "Tile=0"})},
      {"MenuBackground", "Image=menuback.bmp", edges(3, 3, 3, 3, {"Tile=0"})},
      // A folder before the picture name must end with a backslash to be found.
      {"Scrollbar", "Image=copper\\scrollbar.bmp", {}},
      {"HorzScroll", "Image=scrollh.bmp", edges(2, 2, 2, 2)},
      {"VertScroll", "Image=scrollv.bmp", edges(2, 2, 2, 2)},
      {"HorzScrollThumb", "Image=thumbh.bmp", edges(4, 4, 4, 4, {"FrameCount=3", "Trans=1"})},
      {"VertScrollThumb", "Image=thumbv.bmp", edges(4, 4, 4, 4, {"FrameCount=3", "Trans=1"})},
  };
  for (const ElementKeys& element : elements) {
    line(d, "[" + element.section + "]");
    line(d, element.picture);
    for (const std::string& key : element.keys) line(d, key);
    line(d, "");
  }
  return d;
}

// The pictures in order, then the description.
std::vector<SkinEntry> transSkinEntries() {
  std::vector<SkinEntry> entries;
  for (const SkinPicture& picture : transSkinPictures()) entries.push_back(pictureEntry(picture));
  std::string text = transSkinDescription();
  entries.push_back({kTransDescriptionName, std::vector<uint8_t>(text.begin(), text.end())});
  return entries;
}

// Writes every entry as a file into `dir`, plus the list of their order.
void writeTransSkinDirectory(const std::string& dir) { writeSkinEntries(dir, transSkinEntries()); }

}  // namespace art
