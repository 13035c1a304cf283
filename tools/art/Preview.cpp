#include "Preview.h"

#include "BitmapFile.h"
#include "Draw.h"
#include "IconArt.h"
#include "SkinArt.h"
#include "StrokeFont.h"
#include "TransSkinArt.h"

#include "skin/data/IniFile.h"
#include "skin/data/SkinDescription.h"
#include "skin/draw/SliceGeometry.h"

#include <algorithm>
#include <cassert>
#include <cctype>
#include <map>
#include <memory>

namespace art {

namespace {

// Stretches the rectangle (sx, sy, sw, sh) of src onto (dx, dy, dw, dh) of dst,
// nearest pixel, like StretchBlt in COLORONCOLOR mode.
void stretch(Image& dst, int dx, int dy, int dw, int dh, const Image& src, int sx, int sy, int sw,
             int sh) {
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  for (int y = 0; y < dh; ++y)
    for (int x = 0; x < dw; ++x)
      if (dst.contains(dx + x, dy + y))
        dst.at(dx + x, dy + y) = src.at(sx + x * sw / dw, sy + y * sh / dh);
}

// Repeats the rectangle (sx, sy, sw, sh) of src over (dx, dy, dw, dh) of dst.
void tile(Image& dst, int dx, int dy, int dw, int dh, const Image& src, int sx, int sy, int sw,
          int sh) {
  if (sw <= 0 || sh <= 0) return;
  for (int y = 0; y < dh; ++y)
    for (int x = 0; x < dw; ++x)
      if (dst.contains(dx + x, dy + y)) dst.at(dx + x, dy + y) = src.at(sx + x % sw, sy + y % sh);
}

// Draws the pieces of strip into out, each stretched to its place; the
// centre of a nine-slice is tiled when tileCentre.
void drawPieces(Image& out, const Image& strip, const std::vector<TSlicePiece>& pieces,
                bool tileCentre) {
  for (const TSlicePiece& p : pieces) {
    const int dw = p.Dest.right - p.Dest.left, dh = p.Dest.bottom - p.Dest.top;
    const int sw = p.Source.right - p.Source.left, sh = p.Source.bottom - p.Source.top;
    if (p.Centre && tileCentre)
      tile(out, p.Dest.left, p.Dest.top, dw, dh, strip, p.Source.left, p.Source.top, sw, sh);
    else
      stretch(out, p.Dest.left, p.Dest.top, dw, dh, strip, p.Source.left, p.Source.top, sw, sh);
  }
}

// Frame `frame` of a strip drawn w x h as a left part, a middle repeated
// whole (its last copy cut by the right part) and a right part, each
// stretched to the full height: the painters' three-part drawing.
Image threePart(const Image& strip, int frames, int frame, bool vertical, int left, int right,
                int w, int h) {
  const TFrameBox f = FrameOf(strip.width(), strip.height(), vertical, frames, frame);
  Image out(w, h);
  drawPieces(out, strip, ThreePartPieces(f, w, h, TSkinRect{left, 0, right, 0}), false);
  return out;
}

// Upper-cased copy of a name.
std::string upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return char(std::toupper(c)); });
  return s;
}

// A skin as the painters see it: the description read with the skin
// engine's INI rules, its pictures found by the engine's picture rule.
class SkinView {
public:
  explicit SkinView(const std::vector<SkinEntry>& entries) {
    std::string description;
    bool found = false;
    for (const SkinEntry& entry : entries) {
      if (!found && entry.name.find(".ini") != std::string::npos) {
        description.assign(entry.bytes.begin(), entry.bytes.end());
        found = true;
      }
      Image img;
      if (decodeBitmap(entry.bytes, img)) pictures_[upper(entry.name)] = img;
    }
    ini_ = std::make_unique<TProfileIni>(description);
  }

  std::string text(const std::string& section, const std::string& key) const {
    return ini_->ReadString(section, key, "");
  }
  int number(const std::string& section, const std::string& key, int fallback) const {
    return ini_->ReadInteger(section, key, fallback);
  }
  std::vector<std::string> sections() const { return ini_->SectionNames(); }

  // The picture that a description value names; empty when it names none.
  Image picture(const std::string& value) const {
    std::string name = SkinBitmapEntryName(value);
    auto it = pictures_.find(upper(name));
    return name.empty() || it == pictures_.end() ? Image() : it->second;
  }

  // A colour of the description, or the fallback where it gives none.
  Colour colour(const std::string& section, const std::string& key, const Colour& fallback) const {
    std::string value = text(section, key);
    if (value.empty()) return fallback;
    TSkinColour c = ParseSkinColour(value);
    return rgb8(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  }

private:
  std::unique_ptr<TProfileIni> ini_;
  std::map<std::string, Image> pictures_;
};

// One skin element: its picture strip, frames and how it is drawn.
struct Element {
  Image bitmap;
  int frames = 1;
  int left = 0, top = 0, right = 0, bottom = 0;
  bool trans = false, tile = false;

  bool present() const { return bitmap.width() > 0 && bitmap.height() > 0; }
  int frameWidth() const { return bitmap.width() / frames; }

  // Frame `frame` drawn w x h at (x, y), magenta left out when transparent.
  void draw(Image& img, int frame, int x, int y, int w, int h) const {
    if (!present() || w <= 0 || h <= 0) return;
    Image piece = nineSlice(bitmap, frames, frame, false, left, top, right, bottom, w, h, tile);
    if (trans)
      drawKeyed(img, piece, x, y);
    else
      img.paste(piece, x, y);
  }
  // Frame `frame` stretched whole to w x h at (x, y), magenta left out.
  void drawStretched(Image& img, int frame, int x, int y, int w, int h) const {
    if (!present()) return;
    Image piece(w, h);
    stretch(piece, 0, 0, w, h, bitmap, frameWidth() * (frame - 1), 0, frameWidth(),
            bitmap.height());
    drawKeyed(img, piece, x, y);
  }
};

// An element read like the skin data component reads it, with its fixed frame count.
Element element(const SkinView& s, const std::string& section, int frames,
                const std::string& imageKey = "Image") {
  Element e;
  e.bitmap = s.picture(s.text(section, imageKey));
  e.frames = frames;
  e.left = s.number(section, "LeftWidth", 0);
  e.top = s.number(section, "TopHeight", 0);
  e.right = s.number(section, "RightWidth", 0);
  e.bottom = s.number(section, "BottomHeight", 0);
  e.trans = s.number(section, "Trans", 0) != 0;
  e.tile = s.number(section, "Tile", 0) != 0;
  return e;
}

// One window border piece of [Personality].
struct Border {
  Image bitmap;
  int frames = 1, first = 0, last = 0;
  bool tile = false, trans = false;

  // Frame 1 (active) or 2 drawn w x h; the top and bottom frames lie one above the other.
  Image draw(bool active, bool vertical, int w, int h) const {
    if (bitmap.width() == 0 || w <= 0 || h <= 0) return Image(std::max(w, 0), std::max(h, 0));
    int frame = active || frames == 1 ? 1 : 2;
    return vertical ? nineSlice(bitmap, frames, frame, true, first, 0, last, 0, w, h, tile)
                    : nineSlice(bitmap, frames, frame, false, 0, first, 0, last, w, h, tile);
  }
};

Border border(const SkinView& s, const std::string& name) {
  Border b;
  b.bitmap = s.picture(s.text("Personality", name));
  b.frames = std::max(1, s.number("Personality", name + "Frame", 1));
  b.first = s.number("Personality", name + "TopHeight", 0);
  b.last = s.number("Personality", name + "BotHeight", 0);
  b.tile = s.number("Personality", name + "Stretch", 1) != 1;
  b.trans = s.number("Personality", name + "Trans", 1) == 1;
  return b;
}

// One title-bar button as the skin data component reads it.
struct SysButton {
  int action, align, x, y, visibility, visibility1, frames;
  Image bitmap;
};

// The title-bar buttons of the description, then the three MDI child buttons.
std::vector<SysButton> sysButtons(const SkinView& s) {
  std::vector<SysButton> buttons;
  for (const std::string& section : s.sections()) {
    if (!IsSysButtonSection(section)) continue;
    SysButton b{s.number(section, "Action", 0),     s.number(section, "Align", 0),
                s.number(section, "Xcoord", 0),     s.number(section, "Ycoord", 0),
                s.number(section, "Visibility", 0), s.number(section, "Visibility1", 0),
                s.number(section, "frame", 0),      s.picture(s.text(section, "ButtonImage"))};
    if (b.frames == 0) {
      b.frames = SysButtonFrameCount(b.bitmap.width(), b.bitmap.height(), b.action);
      if (b.action == 3 || b.action == 11) b.bitmap = Image();
    }
    buttons.push_back(b);
  }
  Image mdi = s.picture(s.text("MDICONTROLS", "Image"));
  int w = mdi.width() / 12;
  for (int i = 0; i < 3; ++i) {
    SysButton b{7 + i, 100, 0, 0, 100, 0, 4, Image()};
    if (w > 0) {
      b.bitmap = mdi.crop(4 * w * i, 0, 4 * w, mdi.height());
      b.x = MdiButtonXCoord(w, i);
    }
    buttons.push_back(b);
  }
  return buttons;
}

// Whether a visibility code lets a button show, for a window in its normal
// state with a system menu and minimize and maximize boxes.
bool visibleBy(int code, bool active, bool childMaximized) {
  switch (code) {
    case 0: return true;
    case 1: return false;
    case 2: return true;
    case 3: return active;
    case 4: return !active;
    case 6:
    case 8: return true;
    case 100: return childMaximized;
    default: return code >= 200 && code <= 2000;
  }
}

// The preview's stand-in for the system font.
TextStyle font(double size = 8) {
  TextStyle style;
  style.capHeight = size;
  style.weight = size * 0.075;
  style.tracking = 2.2;
  return style;
}

// Text with its left end at x and its baseline at y.
void caption(Image& img, int x, int baseline, const std::string& text, const Colour& colour,
             double size = 8) {
  drawText(img, x, baseline, text, font(size), solid(colour));
}

// Text centred in a rectangle.
void centredCaption(Image& img, int x, int y, int w, int h, const std::string& text,
                    const Colour& colour) {
  double tw = textWidth(text, font());
  drawText(img, x + (w - tw) / 2, y + (h + 8) / 2, text, font(), solid(colour));
}

// The window icon: the 16-pixel image with alpha.
Image smallIcon() {
  for (const IconImage& icon : iconImages())
    if (icon.image.width() == 16 && icon.bitsPerPixel == 32) return icon.image;
  return Image(16, 16);
}

// A skinned window: frame, caption, title-bar buttons, optional menu bar,
// the client area filled with the button face. Its metrics tell where the
// client area lies and which border pixels the window region cuts away.
class Window {
public:
  Window(const SkinView& skin, int clientWidth, int clientHeight, bool active, bool menu,
         const std::string& title)
      : skin_(skin) {
    left_ = border(skin, "Left");
    right_ = border(skin, "Right");
    top_ = border(skin, "Top");
    bottom_ = border(skin, "Bottom");
    bl_ = left_.bitmap.width() / left_.frames;
    br_ = right_.bitmap.width() / right_.frames;
    bt_ = top_.bitmap.height() / top_.frames;
    bb_ = bottom_.bitmap.height() / bottom_.frames;
    menuHeight_ = menu ? 19 : 0;
    const int w = clientWidth + bl_ + br_, h = clientHeight + bt_ + bb_ + menuHeight_;
    img_ = Image(w, h, skin.colour("Colours", "ButtonFace", kFace));

    img_.paste(left_.draw(active, false, bl_, h), 0, 0);
    img_.paste(right_.draw(active, false, br_, h), w - br_, 0);
    img_.paste(bottom_.draw(active, true, w - bl_ - br_, bb_), bl_, h - bb_);
    img_.paste(top_.draw(active, true, w - bl_ - br_, bt_), bl_, 0);
    paintCaption(title, active);
    if (menu) paintMenuBar(active);
    paintSysButtons(active, menu);
  }

  Image& image() { return img_; }
  int clientX() const { return bl_; }
  int clientY() const { return bt_ + menuHeight_; }

  // The window on a desktop colour; magenta pixels of transparent border
  // pieces are cut away, as the window region does.
  Image onDesktop() const {
    const int margin = 12, w = img_.width(), h = img_.height();
    Image desk(w + 2 * margin, h + 2 * margin, rgb8(58, 110, 165));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        bool middle = x >= bl_ && x < w - br_;
        bool cut = img_.at(x, y).rgb() == kMagenta &&
                   ((x < bl_ && left_.trans) || (x >= w - br_ && right_.trans) ||
                    (middle && y < bt_ && top_.trans) || (middle && y >= h - bb_ && bottom_.trans));
        if (!cut) desk.at(x + margin, y + margin) = img_.at(x, y);
      }
    return desk;
  }

private:
  // The caption on its text back, placed by the title's alignment and margins.
  void paintCaption(const std::string& title, bool active) {
    const SkinView& s = skin_;
    const int backLeft = s.number("Personality", "TXTBackleft", 0);
    const int backRight = s.number("Personality", "TXTBackRight", 0);
    const int shift = s.number("Personality", "TextShift", 0);
    const int shiftVert = s.number("Personality", "TextShiftVert", 0);
    const int rightClip = s.number("Personality", "TextRightClip", 0);
    const int rLeft = bl_, rRight = img_.width() - br_;
    const TextStyle style = font(8.5);
    const std::string text = "  " + title;
    const int textHeight = 16;
    const int width = int(textWidth(text, style)) + 1 + backLeft + backRight;
    const int free = (rRight - rLeft) - width;
    int dx = 0;
    switch (s.number("Personality", "TextAlignment", 0)) {
      case 0: dx = shift; break;
      case 1: dx = free / 2; break;
      case 2: dx = free + rightClip; break;
    }
    int mLeft = rLeft + dx, mRight = std::min(rLeft + dx + width, rRight - rightClip);
    int mTop = (bt_ - textHeight) / 2 + shiftVert / 2;
    captionLeft_ = mLeft;
    captionRight_ = mRight;

    Image back = s.picture(s.text("Personality", "TextBack"));
    if (back.width() > 0 && mRight > mLeft)
      drawKeyed(img_,
                threePart(back, 2, active ? 1 : 2, true, backLeft, backRight, mRight - mLeft, bt_),
                mLeft, 0);

    // The text clipped to what is left, ending in an ellipsis when cut.
    mLeft += backLeft;
    mRight -= backRight;
    std::string shown = text;
    if (textWidth(shown, style) > mRight - mLeft) {
      while (!shown.empty() && textWidth(shown + "...", style) > mRight - mLeft) shown.pop_back();
      shown += "...";
    }
    caption(img_, mLeft, mTop + 13, shown,
            s.colour("Colours", "TitleTextActive", rgb8(255, 255, 255)), 8.5);
  }

  // The menu bar with its items, and the MDI child buttons at its right end.
  void paintMenuBar(bool active) {
    const SkinView& s = skin_;
    const int bw = img_.width() - bl_ - br_;
    Image bar(bw, menuHeight_, s.colour("Colours", "Menubar", kMenuBarFace));
    Image picture = s.picture(s.text("Personality", "menuBar"));
    barLeft_ = 0;
    int x = 6;
    if (picture.width() > 0) {
      barLeft_ = s.number("Personality", "TileLeftMenu", 1);
      int barRight = s.number("Personality", "TileRightMenu", 1);
      int frame = active ? 1 : 2;
      bar =
          s.number("Personality", "TileMenu", 0) == 1
              ? nineSlice(picture, 2, frame, true, barLeft_, 0, barRight, 0, bw, menuHeight_, false)
              : threePart(picture, 2, frame, true, barLeft_, barRight, bw, menuHeight_);
      x = barLeft_ + 4;
    }
    const Colour text = s.colour("Colours", "MenuBarText", rgb8(0, 0, 0));
    for (const char* item : {"File", "Edit", "Window", "Help"}) {
      int cell = int(textWidth(item, font())) + 16;
      centredCaption(bar, x, 0, cell, menuHeight_ - 1, item, text);
      x += cell;
    }
    img_.paste(bar, bl_, bt_);
  }

  // The title-bar buttons that show, at their places; in the menu bar the
  // MDI child buttons, the close one hot.
  void paintSysButtons(bool active, bool childMaximized) {
    const Image icon = smallIcon();
    const int w = img_.width();
    for (const SysButton& b : sysButtons(skin_)) {
      if (!visibleBy(b.visibility, active, childMaximized) ||
          !visibleBy(b.visibility1, active, childMaximized))
        continue;
      const bool isIcon = b.action == 3 || b.action == 11;
      if (!isIcon && b.bitmap.width() == 0) continue;
      const int bw = isIcon ? icon.width() : b.bitmap.width() / b.frames;
      const int bh = isIcon ? icon.height() : b.bitmap.height();
      int x = 0, y = b.y;
      switch (b.align) {
        case 0: x = b.x; break;
        case 1: x = w - b.x; break;
        case 2:
        case 8: x = captionLeft_ - bw - b.x; break;
        case 3:
        case 9: x = b.x + captionRight_; break;
        case 100:
          x = w - b.x - br_ - barLeft_;
          y = bt_ + (menuHeight_ - bh) / 2;
          break;
      }
      if (isIcon) {
        for (int iy = 0; iy < bh; ++iy)
          for (int ix = 0; ix < bw; ++ix) img_.blend(x + ix, y + iy, toColour(icon.at(ix, iy)));
        continue;
      }
      int frame = active || b.frames < 4 ? 1 : 4;
      if (b.visibility == 100) frame = b.action == 9 ? 4 : 1;
      drawKeyed(img_, b.bitmap.crop(bw * (frame - 1), 0, bw, bh), x, y);
    }
  }

  const SkinView& skin_;
  Border left_, right_, top_, bottom_;
  int bl_ = 0, br_ = 0, bt_ = 0, bb_ = 0, menuHeight_ = 0;
  int captionLeft_ = 0, captionRight_ = 0, barLeft_ = 0;
  Image img_;
};

// A skinned push button with its caption: frame 1 normal, 2 pressed, 3 disabled, 4 hot.
void pushButton(Image& img, const SkinView& s, int x, int y, int w, int h, int frame,
                const std::string& text) {
  Element button = element(s, "Buttons", 5, "Bitmap");
  button.tile = false;
  button.draw(img, frame, x, y, w, h);
  const char* keys[] = {"NormalColour2", "PressedColour2", nullptr, "MouseOverColour2"};
  Colour colour = frame == 3 ? s.colour("Colours", "ButtonShadow", rgb8(128, 132, 140))
                             : s.colour("Buttons", keys[frame - 1], rgb8(0, 0, 0));
  centredCaption(img, x, y, w, h, text, colour);
}

// A scroll bar along (x, y) of `length`: arrows, track and a thumb.
void scrollBar(Image& img, const SkinView& s, int x, int y, int length, bool vertical) {
  Element arrows = element(s, "Scrollbar", 23);
  if (!arrows.present()) return;
  Element track = element(s, vertical ? "VertScroll" : "HorzScroll", 4);
  const std::string thumbSection = vertical ? "VertScrollThumb" : "HorzScrollThumb";
  Element thumb = element(s, thumbSection, s.number(thumbSection, "FrameCount", 3));
  thumb.tile = false;
  const int a = 16, inner = length - 2 * a;
  if (vertical) {
    track.draw(img, 1, x, y + a, a, inner);
    arrows.drawStretched(img, 9, x, y, a, a);
    arrows.drawStretched(img, 13, x, y + length - a, a, a);
    thumb.draw(img, 1, x, y + a + inner / 4, a, inner / 3);
  } else {
    track.draw(img, 1, x + a, y, inner, a);
    arrows.drawStretched(img, 1, x, y, a, a);
    arrows.drawStretched(img, 5, x + length - a, y, a, a);
    thumb.draw(img, 1, x + a + inner / 4, y, inner / 3, a);
  }
}

// The main window of the program with its controls, as it would look skinned.
Image mainWindow(const SkinView& s, bool active) {
  const int cw = 630, ch = 394;
  Window window(s, cw, ch, active, false, "Quorvel");
  Image& img = window.image();
  const int ox = window.clientX(), oy = window.clientY();
  const Colour face = s.colour("Colours", "ButtonFace", kFace);
  const Colour shadow = s.colour("Colours", "ButtonShadow", rgb8(128, 132, 140));
  const Colour light = s.colour("Colours", "ButtonHilight", rgb8(255, 255, 255));
  pushButton(img, s, ox + 8, oy + 8, 180, 25, active ? 4 : 1, "Scan for adult material now !");
  pushButton(img, s, ox + 200, oy + 8, 180, 25, 3, "Remove checked adult material");
  // Check list: white with a sunken edge.
  fillRect(img, ox, oy + 41, ox + cw, oy + 365, solid(rgb8(255, 255, 255)));
  bevel(img, ox, oy + 41, ox + cw, oy + 365, shadow, light);
  // Gradient bar and status bar.
  fillRect(img, ox, oy + 365, ox + cw, oy + 375, solid(face));
  fillRect(img, ox, oy + 365, ox + 50, oy + 375,
           horizontalGradient(ox, ox + 50, face, rgb8(0, 0, 255)));
  Element status = element(s, "StatusBarEdges", 3);
  if (status.present())
    status.draw(img, 1, ox, oy + 375, cw, 19);
  else
    bevel(img, ox, oy + 375, ox + cw, oy + 394, shadow, light);
  return window.onDesktop();
}

// A dialog with every kind of skinned control, and a menu bar.
Image controlsWindow(const SkinView& s, bool active) {
  const int cw = 420, ch = 290;
  Window window(s, cw, ch, active, true, "Controls");
  Image& img = window.image();
  const int ox = window.clientX(), oy = window.clientY();
  const Colour text = s.colour("Colours", "ButtonText", rgb8(0, 0, 0));

  pushButton(img, s, ox + 10, oy + 10, 75, 23, 1, "Normal");
  pushButton(img, s, ox + 95, oy + 10, 75, 23, 4, "Hot");
  pushButton(img, s, ox + 180, oy + 10, 75, 23, 2, "Pressed");
  pushButton(img, s, ox + 265, oy + 10, 75, 23, 3, "Disabled");

  // Check boxes and radio buttons, frame counts as the skin data component derives them.
  Image check = s.picture(s.text("Buttons", "CheckButton")),
        radio = s.picture(s.text("Buttons", "RadioButton"));
  int checkFrames = s.number("Buttons", "CheckButtonFrame", 0),
      radioFrames = s.number("Buttons", "RadioButtonFrame", 0);
  if (checkFrames == 0) checkFrames = ToggleFrameCount(check.width(), check.height());
  if (radioFrames == 0) radioFrames = ToggleFrameCount(radio.width(), radio.height());
  for (int f = 1; f <= 4; ++f) {
    int cwid = check.width() / checkFrames, rwid = radio.width() / radioFrames;
    if (cwid > 0)
      drawKeyed(img, check.crop(cwid * (f - 1), 0, cwid, check.height()), ox + 12 + 80 * (f - 1),
                oy + 46);
    if (rwid > 0)
      drawKeyed(img, radio.crop(rwid * (f - 1), 0, rwid, radio.height()), ox + 12 + 80 * (f - 1),
                oy + 66);
    caption(img, ox + 30 + 80 * (f - 1), oy + 56, "Check", text);
    caption(img, ox + 30 + 80 * (f - 1), oy + 76, "Radio", text);
  }

  Element progress = element(s, "Progress", 2, "Bitmap");
  progress.trans = true;
  progress.draw(img, 1, ox + 10, oy + 92, 200, 16);
  progress.draw(img, 2, ox + 10, oy + 92, 120, 16);

  // Tabs on a page border (edges only, fixed margins 4, 5, 4, 4).
  const int tx = ox + 10, ty = oy + 118;
  Element tabs = element(s, "Tabs", 5);
  Image borderPicture = s.picture(s.text("Tabs", "Border"));
  if (borderPicture.width() > 0) {
    Image edge = nineSlice(borderPicture, 1, 1, false, 4, 5, 4, 4, 200, 70, false);
    for (int y = 0; y < 70; ++y)
      for (int x = 0; x < 200; ++x)
        if (x < 4 || y < 5 || x >= 196 || y >= 66) img.at(tx + x, ty + 20 + y) = edge.at(x, y);
  }
  const Colour normalTab = s.colour("Tabs", "NormalColour2", text),
               selectedTab = s.colour("Tabs", "MouseOverColour2", text);
  tabs.draw(img, 1, tx + 2, ty + 1, 60, 21);
  tabs.draw(img, 2, tx + 60, ty, 64, 22);
  tabs.draw(img, 1, tx + 122, ty + 1, 60, 21);
  centredCaption(img, tx + 2, ty + 2, 60, 20, "First", normalTab);
  centredCaption(img, tx + 60, ty, 64, 21, "Second", selectedTab);
  centredCaption(img, tx + 122, ty + 2, 60, 20, "Third", normalTab);

  // Combo box: white field, sunken edge, button and arrow glyph.
  const int cx = ox + 230, cy = oy + 92, cwid = 150, chgt = 21;
  Element sunk = element(s, "SunkEdge", 4), combo = element(s, "ComboButton", 4),
          arrow = element(s, "ExtraImages", 5);
  fillRect(img, cx, cy, cx + cwid, cy + chgt, solid(rgb8(255, 255, 255)));
  sunk.draw(img, 1, cx, cy, cwid, chgt);
  combo.drawStretched(img, 1, cx + cwid - 18, cy, 18, chgt);
  if (arrow.present())
    arrow.drawStretched(img, 1, cx + cwid - 18 + (18 - arrow.frameWidth()) / 2,
                        cy + (chgt - arrow.bitmap.height()) / 2, arrow.frameWidth(),
                        arrow.bitmap.height());
  caption(img, cx + 5, cy + 14, "Choice", text);

  // Header cells.
  Element header = element(s, "Headerbar", 5);
  for (int i = 0; i < 3; ++i) {
    header.draw(img, 1, cx + 50 * i, oy + 122, 50, 20);
    caption(img, cx + 6 + 50 * i, oy + 136, i == 0 ? "Name" : i == 1 ? "Size" : "Type", text);
  }

  // Group box edge around a caption.
  Element group = element(s, "GroupBoxEdge", 2);
  if (group.present()) {
    group.draw(img, 1, cx, oy + 156, cwid, 48);
    caption(img, cx + 10, oy + 184, "Group box", text);
  }

  // Tool-bar cells in their five states.
  Element toolbar = element(s, "Toolbars", 5);
  for (int f = 1; f <= 5 && toolbar.present(); ++f)
    toolbar.draw(img, f, cx + 26 * (f - 1), oy + 212, 26, 24);

  // Scroll bars, when the skin has arrows for them.
  scrollBar(img, s, ox + 10, oy + 212, 200, false);
  scrollBar(img, s, ox + cw - 24, oy + 10, 232, true);

  // Status bar panels: lowered, raised and flat.
  Element status = element(s, "StatusBarEdges", 3);
  const Colour statusText = s.colour("StatusBarEdges", "NormalColour2", text);
  for (int f = 1; f <= 3 && status.present(); ++f) {
    status.draw(img, f, ox + 140 * (f - 1), oy + ch - 20, 140, 20);
    caption(img, ox + 140 * (f - 1) + 6, oy + ch - 6,
            f == 1   ? "Lowered"
            : f == 2 ? "Raised"
                     : "Flat",
            statusText);
  }
  return window.onDesktop();
}

// A popup menu on the skin's menu background, a separator and one item highlighted.
Image popupMenu(const SkinView& s) {
  const char* items[] = {"Restore", "Move", "Size", "-", "Minimize", "Maximize", "Close"};
  const int w = 150, itemHeight = 19, separatorHeight = 8;
  int h = 6;
  for (const char* item : items) h += std::string(item) == "-" ? separatorHeight : itemHeight;
  Element background = element(s, "MenuBackground", 1);
  Image img = background.present()
                  ? nineSlice(background.bitmap, 1, 1, false, background.left, background.top,
                              background.right, background.bottom, w, h, background.tile)
                  : Image(w, h, s.colour("Colours", "Menu", rgb8(244, 245, 246)));
  Element item = element(s, "MenuItem", 5);
  int y = 3;
  for (const char* name : items) {
    const bool separator = std::string(name) == "-", selected = std::string(name) == "Close";
    const int ih = separator ? separatorHeight : itemHeight;
    if (separator) {
      if (item.present()) {
        // The bottom rows of frame 2 when the item is lower than the picture.
        int fw = item.frameWidth(), fromY = std::max(0, item.bitmap.height() - ih);
        Image sep = threePart(item.bitmap.crop(fw, fromY, fw, ih), 1, 1, false, item.left,
                              item.right, w - 6, ih);
        drawKeyed(img, sep, 3, y);
      } else {
        hline(img, 4, w - 4, y + 4, s.colour("Colours", "ButtonShadow", rgb8(128, 132, 140)));
      }
    } else {
      if (item.present())
        item.draw(img, selected ? 4 : 1, 3, y, w - 6, ih);
      else if (selected)
        fillRect(img, 3, y, w - 3, y + ih,
                 solid(s.colour("Colours", "Hilight", rgb8(74, 108, 156))));
      Colour colour = selected ? s.colour("Colours", "HilightText", rgb8(255, 255, 255))
                               : s.colour("Colours", "MenuText", rgb8(0, 0, 0));
      caption(img, 24, y + 13, name, colour);
    }
    y += ih;
  }
  return img;
}

}  // namespace

// The engine's nine pieces of the frame, drawn with the artwork's stretch
// and tile.
Image nineSlice(const Image& strip, int frames, int frame, bool vertical, int left, int top,
                int right, int bottom, int w, int h, bool tileCentre) {
  assert(frames >= 1 && frame >= 1 && frame <= frames);
  const TFrameBox f = FrameOf(strip.width(), strip.height(), vertical, frames, frame);
  Image out(w, h);
  drawPieces(out, strip, NineSlicePieces(f, w, h, TSkinRect{left, top, right, bottom}), tileCentre);
  return out;
}

// Copies src onto dst, leaving out exact magenta pixels.
void drawKeyed(Image& dst, const Image& src, int x, int y) {
  for (int sy = 0; sy < src.height(); ++sy)
    for (int sx = 0; sx < src.width(); ++sx)
      if (src.at(sx, sy).rgb() != kMagenta && dst.contains(x + sx, y + sy))
        dst.at(x + sx, y + sy) = src.at(sx, sy);
}

// Writes the previews of one skin.
void writeSkinPreviews(const std::string& dir, const std::string& prefix,
                       const std::vector<SkinEntry>& entries) {
  const SkinView skin(entries);
  const std::string base = dir + "/" + prefix;
  writeFile(base + "window-active.bmp", encodeBitmap(mainWindow(skin, true), 24));
  writeFile(base + "window-inactive.bmp", encodeBitmap(mainWindow(skin, false), 24));
  writeFile(base + "controls-active.bmp", encodeBitmap(controlsWindow(skin, true), 24));
  writeFile(base + "controls-inactive.bmp", encodeBitmap(controlsWindow(skin, false), 24));
  writeFile(base + "popup.bmp", encodeBitmap(popupMenu(skin), 24));
}

// Writes the previews of both skins and the icon sheet.
void writePreviews(const std::string& dir) {
  writeSkinPreviews(dir, "", skinEntries());
  writeSkinPreviews(dir, "transparent-", transSkinEntries());

  // Every icon image, on a light and on a dark background.
  std::vector<IconImage> icons = iconImages();
  Image sheet(4 * 56 * 2, 3 * 56, rgb8(240, 240, 240));
  fillRect(sheet, 4 * 56, 0, 8 * 56, 3 * 56, solid(rgb8(58, 70, 90)));
  for (int half = 0; half < 2; ++half) {
    int column = 0;
    for (const IconImage& icon : icons) {
      int row = icon.bitsPerPixel == 4 ? 0 : icon.bitsPerPixel == 8 ? 1 : 2;
      int x = half * 224 + (column / 3) * 56 + 4, y = row * 56 + 4;
      for (int iy = 0; iy < icon.image.height(); ++iy)
        for (int ix = 0; ix < icon.image.width(); ++ix) {
          Pixel p = icon.image.at(ix, iy);
          if (icon.bitsPerPixel == 32)
            sheet.blend(x + ix, y + iy, toColour(p));
          else if (p.a >= 128)
            sheet.at(x + ix, y + iy) = Pixel{p.r, p.g, p.b, 255};
        }
      ++column;
    }
  }
  writeFile(dir + "/icon.bmp", encodeBitmap(sheet, 24));
}

}  // namespace art
