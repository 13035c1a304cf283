// The drawing and description pieces that the program's skins share. Every
// picture routine draws the one design of the skins' controls; a Theme gives
// it the colours of one skin and a FrameStyle the metrics of one window frame,
// so each skin is the same craft in its own scheme and shape.
#pragma once

#include "Draw.h"
#include "Image.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace art {

// One entry of a skin archive: its name and its file contents.
struct SkinEntry {
  std::string name;
  std::vector<uint8_t> bytes;
};

// One picture of a skin before encoding, with its stored colour depth.
struct SkinPicture {
  std::string name;
  Image image;
  int bitsPerPixel;
  int trailingBytes = 0;  // zero bytes after the rows, to keep the archive's entry sizes
};

// ---------------------------------------------------------------------------
// Colours
// ---------------------------------------------------------------------------

// The colour scheme of a skin: every colour of the design passes through its
// tone. Without a tone the colours are drawn as designed (the stored skin).
struct Theme {
  Colour (*tone)(const Colour&) = nullptr;

  Colour operator()(const Colour& c) const { return tone ? tone(c) : c; }
  Colour operator()(int r, int g, int b) const { return (*this)(rgb8(r, g, b)); }
};

// Colours of the design that several pictures (and descriptions) share.
inline const Colour kFace = rgb8(207, 207, 207);         // button face
inline const Colour kMenuBarFace = rgb8(234, 236, 239);  // average of the menu bar
inline const Colour kScrollFace = rgb8(224, 226, 230);   // scroll bar background
inline const Colour kGlyph = rgb8(36, 42, 52);
inline const Colour kAccent = rgb8(64, 104, 164);  // focus and hot outlines
inline const Colour kCheckMark = rgb8(36, 70, 130);

// ---------------------------------------------------------------------------
// General helpers
// ---------------------------------------------------------------------------

// Frames of equal size joined side by side or one above the other.
Image joinFrames(const std::vector<Image>& frames, bool vertical);
// The picture mirrored along its main diagonal (x and y exchanged).
Image transpose(const Image& img);
// The whole picture as a rectangle.
Rect bounds(const Image& img);
// A rounded panel: a one-pixel outline in `edge` around a gradient body.
void roundedPanel(Image& img, const Rect& r, double radius, const Colour& edge, const Paint& body);
// A soft white line just inside the top of a rounded panel.
void topSheen(Image& img, const Rect& r, double radius, double alpha);

// A strip of frames made by one routine for frame numbers 1..count, side by side.
template <typename MakeFrame>
Image frameStrip(int count, MakeFrame make) {
  std::vector<Image> frames;
  for (int i = 1; i <= count; ++i) frames.push_back(make(i));
  return joinFrames(frames, false);
}

// Every frame of a strip transposed, the frames still side by side.
Image transposeFrames(const Image& strip, int count);

// ---------------------------------------------------------------------------
// Window frame
// ---------------------------------------------------------------------------

// Colours of the window frame in one activation state.
struct FrameLook {
  Colour outer, highlight, shadow, inner;
  Colour bodyOuter, bodyInner;
  Colour plateEdge;
  std::vector<std::pair<double, Colour>> plate;
  Colour trayFill, trayEdge, trayLip;
};

// The frame colours of an active or an inactive window.
FrameLook frameLook(const Theme& t, bool active);

// Metrics and scheme of a painted window frame.
struct FrameStyle {
  Theme theme;
  int left, right, title, bottom;  // border widths and title height
  int plateInset, plateBottom;     // caption plate: inset from the edges, lower edge
  // The recessed tray behind the caption buttons; a negative x counts from
  // the window's right edge.
  int trayLeft, trayRight, trayTop, trayBottom;
  bool sizeGrip;        // raised dots left of the right border, in the bottom border
  double cornerRadius;  // 0: square corners; else rounded, magenta outside
};

// Paints the frame of a whole window of the image's size: borders, caption
// plate, the button tray and the client edge. Border pictures are cut from
// windows painted by this one routine, so the pieces always fit together.
void paintWindowFrame(Image& img, const FrameStyle& style, bool active);

// A frame picture cut from a painted window, active frame and inactive frame joined.
Image framePiece(const FrameStyle& style, int windowWidth, int windowHeight, int x, int y,
                 int pieceWidth, int pieceHeight, bool vertical);

// ---------------------------------------------------------------------------
// Caption buttons
// ---------------------------------------------------------------------------

enum class Glyph { Close, Maximize, Minimize, Restore };
// Inactive: the button of an inactive window.
enum class ButtonState { Normal, Pressed, Hot, Inactive };

// Size of a caption button frame, the corner radius of its key and the side of its glyph.
struct ButtonShape {
  int width, height;
  double radius;
  int glyph;
};

// One frame of a caption button: a glossy rounded key with its glyph, on
// magenta; soft edges are blended into the matte colour behind it.
Image captionButton(const Theme& t, const ButtonShape& shape, Glyph glyph, ButtonState state,
                    const Colour& matte);
// A caption button's frames side by side, one per state.
Image captionButtonStrip(const Theme& t, const ButtonShape& shape, Glyph glyph,
                         const std::vector<ButtonState>& states, const Colour& matte);
// The MDI child buttons: four frames (normal, pressed, hot, hot) of 15 x 15
// for minimize, restore and close, in that order.
Image mdiButtons(const Theme& t, const Colour& matte);

// ---------------------------------------------------------------------------
// Controls
// ---------------------------------------------------------------------------

// One push-button frame (72 x 24): 1 normal, 2 pressed, 3 disabled, 4 hot or focused, 5 default.
Image pushButtonFrame(const Theme& t, int frame);
// One check-box or radio frame (12 x 12): 1 unchecked, 2 checked, 3 disabled, 4 disabled and
// checked.
Image checkBoxFrame(const Theme& t, int frame, bool radio);
// Progress bar (91 x 13 frames): frame 1 the empty groove, frame 2 the filled part.
Image progressBar(const Theme& t);
// One tab (55 x 22): 1 normal, 2 selected, 3 hot, 4 disabled, 5 normal.
Image tabFrame(const Theme& t, int frame);
// Border around a tab page (29 x 28).
Image tabBorder(const Theme& t);
// Scroll-bar track of a horizontal bar (16 x 16 frames: normal, hot, pressed, disabled).
Image scrollTrackFrame(const Theme& t, int frame);
// Scroll-bar thumb of a horizontal bar (16 x 16 frames: normal, pressed, hot).
Image scrollThumbFrame(const Theme& t, int frame);
// A header or tool-bar cell (55 x 22): 1 normal, 2 hot, 3 pressed, 4 disabled, 5 checked.
Image headerFrame(const Theme& t, int frame);
// Drop-down arrow glyph of a combo box (16 x 16 frames: normal, pressed, disabled, hot, normal).
Image comboArrowFrame(const Theme& t, int frame);
// Face of the combo box's drop-down button (18 x 21: normal, pressed, disabled, hot).
Image comboButtonFrame(const Theme& t, int frame);
// Sunken edge of an entry field (115 x 22 frames: normal, hot, focused, disabled).
Image sunkenEdgeFrame(const Theme& t, int frame);
// Popup menu background (150 x 150): outlined light metal with a brushed finish.
Image menuBackground(const Theme& t);
// Menu bar (70 x 18 frames): frame 1 for an active window, frame 2 for an inactive one, stacked.
Image menuBar(const Theme& t);

// ---------------------------------------------------------------------------
// Description text and archive entries
// ---------------------------------------------------------------------------

// Appends a line with CR LF.
void line(std::string& text, const std::string& s);
// Appends the widths of the fixed edges of a picture whose middle stretches.
void edgeWidths(std::string& text, int left, int right, int top, int bottom);
// Appends the keys of a window border piece of two frames.
void borderPiece(std::string& text, const std::string& side, const std::string& image,
                 int topHeight, int bottomHeight, int stretch, int trans);
// A colour as the description writes it: "R G B".
std::string colourText(const Colour& c);

// The keys of one title-bar button section.
struct SysButtonKeys {
  int index, action, align, x, y, visibility;
  std::string image;  // none for the window icon
  int frames = 0;     // 0: no "frame" key, the count follows from the picture
};
// Appends the section of a title-bar button and an empty line.
void sysButton(std::string& text, const SysButtonKeys& keys);

// A picture encoded as its archive entry.
SkinEntry pictureEntry(const SkinPicture& picture);
// Writes every entry as a file into `dir`, plus `entries.lst` naming them in
// order, one per line.
void writeSkinEntries(const std::string& dir, const std::vector<SkinEntry>& entries);

}  // namespace art
