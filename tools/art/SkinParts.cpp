#include "SkinParts.h"

#include "BitmapFile.h"

#include <algorithm>
#include <cassert>

namespace art {

// ---------------------------------------------------------------------------
// General helpers
// ---------------------------------------------------------------------------

// Frames of equal size joined side by side or one above the other.
Image joinFrames(const std::vector<Image>& frames, bool vertical) {
  assert(!frames.empty());
  int fw = frames[0].width(), fh = frames[0].height();
  Image out(vertical ? fw : fw * int(frames.size()), vertical ? fh * int(frames.size()) : fh);
  for (size_t i = 0; i < frames.size(); ++i) {
    assert(frames[i].width() == fw && frames[i].height() == fh);
    out.paste(frames[i], vertical ? 0 : fw * int(i), vertical ? fh * int(i) : 0);
  }
  return out;
}

// The picture mirrored along its main diagonal (x and y exchanged).
Image transpose(const Image& img) {
  Image out(img.height(), img.width());
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) out.at(y, x) = img.at(x, y);
  return out;
}

// The whole picture as a rectangle.
Rect bounds(const Image& img) { return Rect{0, 0, double(img.width()), double(img.height())}; }

// A rounded panel: a one-pixel outline in `edge` around a gradient body.
void roundedPanel(Image& img, const Rect& r, double radius, const Colour& edge, const Paint& body) {
  fillShape(img, roundRect(r, radius), solid(edge), r);
  Rect inner{r.x0 + 1, r.y0 + 1, r.x1 - 1, r.y1 - 1};
  fillShape(img, roundRect(inner, std::max(0.0, radius - 1)), body, inner);
}

// A soft white line just inside the top of a rounded panel.
void topSheen(Image& img, const Rect& r, double radius, double alpha) {
  int x0 = int(r.x0 + radius), x1 = int(r.x1 - radius);
  hline(img, x0, x1, int(r.y0) + 1, withAlpha(rgb8(255, 255, 255), alpha));
}

// Every frame of a strip transposed, the frames still side by side.
Image transposeFrames(const Image& strip, int count) {
  int fw = strip.width() / count;
  std::vector<Image> frames;
  for (int i = 0; i < count; ++i)
    frames.push_back(transpose(strip.crop(fw * i, 0, fw, strip.height())));
  return joinFrames(frames, false);
}

// ---------------------------------------------------------------------------
// Window frame
// ---------------------------------------------------------------------------

// The frame colours of an active or an inactive window.
FrameLook frameLook(const Theme& t, bool active) {
  if (active) {
    return FrameLook{t(58, 66, 78),
                     t(252, 252, 253),
                     t(150, 156, 166),
                     t(120, 128, 140),
                     t(234, 236, 240),
                     t(198, 201, 207),
                     t(38, 46, 60),
                     {{0.0, t(134, 150, 174)},
                      {0.47, t(90, 105, 130)},
                      {0.53, t(70, 84, 108)},
                      {1.0, t(88, 104, 130)}},
                     t(56, 66, 84),
                     t(32, 38, 50),
                     t(122, 136, 158)};
  }
  return FrameLook{t(112, 118, 128),
                   t(252, 252, 252),
                   t(172, 176, 182),
                   t(152, 156, 164),
                   t(240, 241, 243),
                   t(214, 216, 220),
                   t(96, 102, 112),
                   {{0.0, t(164, 169, 178)},
                    {0.47, t(138, 143, 152)},
                    {0.53, t(124, 129, 138)},
                    {1.0, t(136, 141, 150)}},
                   t(114, 120, 130),
                   t(92, 97, 106),
                   t(158, 163, 172)};
}

namespace {

// Rounds the window's corners: an outline along the curve, the inner bevel
// line following it (light at the top corners, shaded at the bottom ones),
// and exact magenta outside, where the window region cuts the window away.
void roundCorners(Image& img, double radius, const FrameLook& look) {
  const double w = img.width(), h = img.height();
  const Rect whole = bounds(img);
  const Rect inner1{1, 1, w - 1, h - 1}, inner2{2, 2, w - 2, h - 2};
  const Distance outside = roundRect(whole, radius);
  const Distance outline = subtract(outside, roundRect(inner1, radius - 1));
  const Distance bevelLine = subtract(roundRect(inner1, radius - 1), roundRect(inner2, radius - 2));
  const double r = radius;
  const Rect corners[] = {{0, 0, r, r}, {w - r, 0, w, r}, {0, h - r, r, h}, {w - r, h - r, w, h}};
  for (int i = 0; i < 4; ++i) {
    fillShape(img, bevelLine, solid(i < 2 ? look.highlight : look.shadow), corners[i]);
    fillShape(img, outline, solid(look.outer), corners[i]);
  }
  const Pixel magenta = toPixel(rgb(kMagenta));
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (outside(x + 0.5, y + 0.5) > 0) img.at(x, y) = magenta;
}

}  // namespace

// Paints the frame of a whole window of the image's size: metal borders, a
// caption plate, the button tray and the client edge.
void paintWindowFrame(Image& img, const FrameStyle& style, bool active) {
  const FrameLook look = frameLook(style.theme, active);
  const int w = img.width(), h = img.height();

  // Metal body: lighter at the outside, a little darker towards the client.
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      bool inFrame =
          x < style.left || x >= w - style.right || y < style.title || y >= h - style.bottom;
      if (!inFrame) continue;
      int fromOutside = std::min({x, y, w - 1 - x, h - 1 - y});
      double t = std::clamp((fromOutside - 2) / 8.0, 0.0, 1.0);
      img.at(x, y) = toPixel(mix(look.bodyOuter, look.bodyInner, t));
    }
  }

  // Outer edge: dark outline, highlight on the top and left, shade on the bottom and right.
  bevel(img, 0, 0, w, h, look.outer, look.outer);
  bevel(img, 1, 1, w - 1, h - 1, look.highlight, look.shadow);

  // Edge of the client area.
  bevel(img, style.left - 1, style.title - 1, w - style.right + 1, h - style.bottom + 1, look.inner,
        look.inner);

  // Caption plate with a glossy upper half.
  Rect plate{double(style.plateInset), double(style.plateInset), double(w - style.plateInset),
             double(style.plateBottom)};
  roundedPanel(img, plate, 5, look.plateEdge, verticalStops(plate.y0, plate.y1, look.plate));
  hline(img, int(plate.x0) + 4, int(plate.x1) - 4, int(plate.y0) + 1,
        withAlpha(rgb8(255, 255, 255), 0.28));

  // Recessed tray behind the caption buttons.
  auto across = [w](int x) { return double(x < 0 ? w + x : x); };
  Rect tray{across(style.trayLeft), double(style.trayTop), across(style.trayRight),
            double(style.trayBottom)};
  roundedPanel(img, tray, 4, look.trayEdge, solid(look.trayFill));
  hline(img, int(tray.x0) + 3, int(tray.x1) - 3, int(tray.y1), withAlpha(look.trayLip, 0.8));

  // Size grip: a triangle of small raised dots left of the right border.
  if (style.sizeGrip && h > 40 && w > 60) {
    for (int row = 0; row < 3; ++row) {
      for (int col = 0; col < 3; ++col) {
        if (row + col < 2) continue;
        int x = w - style.right - 10 + 3 * col, y = h - 11 + 3 * row;
        img.set(x + 1, y + 1, look.highlight);
        img.set(x, y, shade(look.shadow, -0.25));
      }
    }
  }

  if (style.cornerRadius > 0) roundCorners(img, style.cornerRadius, look);
}

// A frame picture cut from a painted window, active frame and inactive frame joined.
Image framePiece(const FrameStyle& style, int windowWidth, int windowHeight, int x, int y,
                 int pieceWidth, int pieceHeight, bool vertical) {
  std::vector<Image> frames;
  for (bool active : {true, false}) {
    Image window(windowWidth, windowHeight, style.theme(kFace));
    paintWindowFrame(window, style, active);
    frames.push_back(window.crop(x, y, pieceWidth, pieceHeight));
  }
  return joinFrames(frames, vertical);
}

// ---------------------------------------------------------------------------
// Caption buttons and their glyphs
// ---------------------------------------------------------------------------

namespace {

// The body paint and outline of a caption button in a state.
void captionButtonLook(const Theme& t, ButtonState state, bool isClose, double h, Colour& edge,
                       Paint& body, Colour& glyph) {
  switch (state) {
    case ButtonState::Normal:
      edge = t(40, 48, 62);
      body = verticalStops(1, h - 1,
                           {{0.0, t(248, 249, 251)},
                            {0.48, t(220, 224, 230)},
                            {0.52, t(204, 209, 217)},
                            {1.0, t(228, 232, 238)}});
      glyph = t(kGlyph);
      break;
    case ButtonState::Hot:
      if (isClose) {
        edge = t(104, 22, 14);
        body = verticalStops(1, h - 1,
                             {{0.0, t(246, 156, 140)},
                              {0.48, t(214, 82, 64)},
                              {0.52, t(192, 54, 38)},
                              {1.0, t(222, 100, 80)}});
        glyph = t(255, 255, 255);
      } else {
        edge = t(34, 62, 110);
        body = verticalStops(1, h - 1,
                             {{0.0, t(252, 253, 255)},
                              {0.48, t(210, 224, 244)},
                              {0.52, t(186, 206, 236)},
                              {1.0, t(216, 230, 250)}});
        glyph = t(18, 44, 92);
      }
      break;
    case ButtonState::Pressed:
      if (isClose) {
        edge = t(84, 16, 10);
        body = verticalGradient(1, h - 1, t(150, 40, 28), t(206, 84, 64));
        glyph = t(255, 255, 255);
      } else {
        edge = t(28, 34, 46);
        body = verticalGradient(1, h - 1, t(160, 170, 186), t(220, 225, 232));
        glyph = t(16, 20, 28);
      }
      break;
    case ButtonState::Inactive:
      // Flat and faded, so that the active window's buttons stand out.
      edge = t(112, 118, 128);
      body = verticalGradient(1, h - 1, t(236, 237, 239), t(212, 214, 218));
      glyph = t(120, 126, 136);
      break;
  }
}

// Draws a caption glyph in the square box (x0, y0) of side s.
void drawGlyph(Image& img, Glyph glyph, int x0, int y0, int s, const Colour& colour,
               const Paint& body) {
  double stroke = s >= 9 ? 1.05 : 0.8;
  switch (glyph) {
    case Glyph::Close: {
      double a = 0.5, b = s - 0.5;
      Distance cross = unite(capsule(x0 + a, y0 + a, x0 + b, y0 + b, stroke),
                             capsule(x0 + b, y0 + a, x0 + a, y0 + b, stroke));
      fillShape(img, cross, solid(colour),
                Rect{double(x0 - 1), double(y0 - 1), double(x0 + s + 1), double(y0 + s + 1)});
      break;
    }
    case Glyph::Minimize: fillRect(img, x0, y0 + s - 2, x0 + s, y0 + s, solid(colour)); break;
    case Glyph::Maximize:
      fillRect(img, x0, y0, x0 + s, y0 + 2, solid(colour));
      bevel(img, x0, y0, x0 + s, y0 + s, colour, colour);
      break;
    case Glyph::Restore: {
      int o = s >= 9 ? 3 : 2;
      fillRect(img, x0 + o, y0, x0 + s, y0 + 2, solid(colour));
      bevel(img, x0 + o, y0, x0 + s, y0 + s - o, colour, colour);
      fillRect(img, x0 + 1, y0 + o + 1, x0 + s - o - 1, y0 + s - 1, body);
      fillRect(img, x0, y0 + o, x0 + s - o, y0 + o + 2, solid(colour));
      bevel(img, x0, y0 + o, x0 + s - o, y0 + s, colour, colour);
      break;
    }
  }
}

}  // namespace

// One frame of a caption button: a glossy rounded key with its glyph, on magenta.
Image captionButton(const Theme& t, const ButtonShape& shape, Glyph glyph, ButtonState state,
                    const Colour& matte) {
  const int w = shape.width, h = shape.height;
  Image img(w, h);
  Colour edge, glyphColour;
  Paint body;
  captionButtonLook(t, state, glyph == Glyph::Close, h, edge, body, glyphColour);
  Rect r = bounds(img);
  roundedPanel(img, r, shape.radius, edge, body);
  if (state != ButtonState::Pressed && state != ButtonState::Inactive)
    topSheen(img, r, shape.radius, 0.7);

  int s = shape.glyph;
  int gx = (w - s) / 2, gy = (h - s) / 2;
  if (state == ButtonState::Pressed) {
    ++gx;
    ++gy;
  }
  // An etched light line under the glyph on the light faces.
  bool lightFace =
      !(glyph == Glyph::Close && (state == ButtonState::Hot || state == ButtonState::Pressed));
  if (lightFace) drawGlyph(img, glyph, gx, gy + 1, s, withAlpha(t(255, 255, 255), 0.55), body);
  drawGlyph(img, glyph, gx, gy, s, glyphColour, body);
  img.keyTransparent(matte);
  return img;
}

// A caption button's frames side by side, one per state.
Image captionButtonStrip(const Theme& t, const ButtonShape& shape, Glyph glyph,
                         const std::vector<ButtonState>& states, const Colour& matte) {
  std::vector<Image> frames;
  for (ButtonState state : states) frames.push_back(captionButton(t, shape, glyph, state, matte));
  return joinFrames(frames, false);
}

// The MDI child buttons: four frames for minimize, restore and close.
Image mdiButtons(const Theme& t, const Colour& matte) {
  const ButtonShape shape{15, 15, 2.5, 7};
  std::vector<Image> frames;
  for (Glyph glyph : {Glyph::Minimize, Glyph::Restore, Glyph::Close})
    for (ButtonState state :
         {ButtonState::Normal, ButtonState::Pressed, ButtonState::Hot, ButtonState::Hot})
      frames.push_back(captionButton(t, shape, glyph, state, matte));
  return joinFrames(frames, false);
}

// ---------------------------------------------------------------------------
// Push buttons, check boxes and radio buttons
// ---------------------------------------------------------------------------

// One push-button frame: 1 normal, 2 pressed, 3 disabled, 4 hot or focused, 5 default.
Image pushButtonFrame(const Theme& t, int frame) {
  const int w = 72, h = 24;
  const Colour accent = t(kAccent);
  Image img(w, h);
  Rect r = bounds(img);
  Colour edge;
  Paint body;
  switch (frame) {
    case 2:
      edge = t(84, 92, 106);
      body = verticalGradient(1, h - 1, t(188, 194, 203), t(228, 231, 235));
      break;
    case 3:
      edge = t(168, 172, 178);
      body = verticalGradient(1, h - 1, t(238, 239, 241), t(222, 223, 226));
      break;
    case 4:
      edge = accent;
      body = verticalStops(1, h - 1,
                           {{0.0, t(253, 254, 255)},
                            {0.45, t(228, 236, 248)},
                            {0.55, t(208, 222, 242)},
                            {1.0, t(232, 240, 252)}});
      break;
    default:
      edge = frame == 5 ? accent : t(112, 120, 134);
      body = verticalStops(1, h - 1,
                           {{0.0, t(253, 253, 254)},
                            {0.45, t(234, 236, 240)},
                            {0.55, t(217, 220, 226)},
                            {1.0, t(238, 240, 243)}});
      break;
  }
  roundedPanel(img, r, 4, edge, body);
  if (frame != 2 && frame != 3) topSheen(img, r, 4, 0.9);
  if (frame == 5) {
    Rect inner{1, 1, double(w - 1), double(h - 1)};
    fillShape(img,
              subtract(roundRect(inner, 3), roundRect(Rect{2, 2, double(w - 2), double(h - 2)}, 2)),
              solid(withAlpha(accent, 0.45)), inner);
  }
  img.keyTransparent(t(kFace));
  return img;
}

// One check-box frame: 1 unchecked, 2 checked, 3 disabled, 4 disabled and checked.
Image checkBoxFrame(const Theme& t, int frame, bool radio) {
  const int s = 12;
  Image img(s, s);
  bool disabled = frame >= 3;
  bool checked = frame == 2 || frame == 4;
  Colour edge = disabled ? t(168, 172, 178) : t(92, 100, 114);
  Paint body = disabled ? solid(t(234, 235, 237))
                        : verticalGradient(1, s - 1, t(226, 229, 234), t(255, 255, 255));
  Colour mark = disabled ? t(150, 154, 160) : t(kCheckMark);
  Rect r = bounds(img);
  if (radio) {
    fillShape(img, ellipse(r), solid(edge), r);
    Rect inner{1, 1, s - 1.0, s - 1.0};
    fillShape(img, ellipse(inner), body, inner);
    if (checked)
      fillShape(img, ellipse(Rect{3.6, 3.6, 8.4, 8.4}),
                radialGradient(5.4, 5.4, 3.2, shade(mark, 0.35), mark), r);
  } else {
    roundedPanel(img, r, 2, edge, body);
    if (checked) {
      Distance tick = unite(capsule(2.9, 6.0, 5.0, 8.3, 1.0), capsule(5.0, 8.3, 9.2, 3.4, 1.0));
      fillShape(img, tick, solid(mark), r);
    }
  }
  img.keyTransparent(t(kFace));
  return img;
}

// ---------------------------------------------------------------------------
// Bars, tabs, headers and combo boxes
// ---------------------------------------------------------------------------

// Progress bar: frame 1 the empty groove, frame 2 the filled part.
Image progressBar(const Theme& t) {
  Image empty(91, 13), filled(91, 13);
  Rect r = bounds(empty);
  roundedPanel(empty, r, 3, t(128, 134, 144),
               verticalGradient(1, 12, t(194, 198, 205), t(238, 240, 243)));
  roundedPanel(filled, r, 3, t(38, 70, 122),
               verticalStops(1, 12,
                             {{0.0, t(156, 190, 234)},
                              {0.48, t(90, 134, 200)},
                              {0.52, t(68, 112, 182)},
                              {1.0, t(100, 148, 214)}}));
  topSheen(filled, r, 3, 0.5);
  empty.keyTransparent(t(kFace));
  filled.keyTransparent(t(kFace));
  return joinFrames({empty, filled}, false);
}

// One tab: 1 normal, 2 selected, 3 hot, 4 disabled, 5 normal.
Image tabFrame(const Theme& t, int frame) {
  const int w = 55, h = 22;
  Image img(w, h);
  bool selected = frame == 2;
  Colour edge = frame == 4 ? t(170, 174, 180) : t(120, 128, 140);
  Paint body;
  if (selected)
    body = verticalGradient(0, h, t(253, 253, 254), t(236, 237, 240));
  else if (frame == 3)
    body = verticalGradient(0, h, t(246, 249, 255), t(214, 224, 240));
  else if (frame == 4)
    body = solid(t(226, 227, 230));
  else
    body = verticalGradient(0, h, t(238, 240, 243), t(212, 215, 221));
  // Rounded at the top only: the shape runs past the bottom edge.
  Rect shape{0, 0, double(w), double(h + 6)};
  roundedPanel(img, shape, 4, edge, body);
  if (selected)
    fillShape(img, roundRect(Rect{1, 1, double(w - 1), 4}, 2), solid(t(kAccent)),
              Rect{1, 1, double(w - 1), 4});
  else
    hline(img, 0, w, h - 1, edge);
  img.keyTransparent(t(kFace));
  return img;
}

// Border around a tab page: outline with a light inner edge on the face colour.
Image tabBorder(const Theme& t) {
  Image img(29, 28, t(kFace));
  bevel(img, 0, 0, 29, 28, t(120, 128, 140), t(120, 128, 140));
  bevel(img, 1, 1, 28, 27, t(252, 252, 253), t(176, 180, 188));
  return img;
}

// Scroll-bar track of a horizontal bar (16 x 16 frames: normal, hot, pressed, disabled).
Image scrollTrackFrame(const Theme& t, int frame) {
  Image img(16, 16);
  Colour top = frame == 3 ? t(176, 182, 192) : frame == 4 ? t(226, 227, 229) : t(200, 204, 211);
  Colour bottom = frame == 2 ? t(236, 240, 248) : t(236, 238, 241);
  fillRect(img, 0, 0, 16, 16, verticalGradient(0, 16, top, bottom));
  hline(img, 0, 16, 0, t(150, 156, 166));
  hline(img, 0, 16, 15, t(246, 247, 249));
  return img;
}

// Scroll-bar thumb of a horizontal bar (frames: normal, pressed, hot).
Image scrollThumbFrame(const Theme& t, int frame) {
  Image img(16, 16);
  Rect r{0, 1, 16, 15};
  Colour edge = frame == 3 ? t(kAccent) : t(104, 112, 126);
  Paint body = frame == 2 ? verticalGradient(2, 14, t(184, 190, 200), t(226, 229, 234))
                          : verticalStops(2, 14,
                                          {{0.0, t(252, 252, 253)},
                                           {0.48, t(228, 231, 236)},
                                           {0.52, t(212, 216, 223)},
                                           {1.0, t(232, 235, 240)}});
  roundedPanel(img, r, 3, edge, body);
  img.keyTransparent(t(kScrollFace));
  return img;
}

// A header or tool-bar cell: 1 normal, 2 hot, 3 pressed, 4 disabled, 5 checked.
Image headerFrame(const Theme& t, int frame) {
  const int w = 55, h = 22;
  Image img(w, h);
  Paint body;
  switch (frame) {
    case 2: body = verticalGradient(0, h, t(252, 253, 255), t(214, 226, 244)); break;
    case 3: body = verticalGradient(0, h, t(196, 201, 209), t(230, 232, 236)); break;
    case 4: body = solid(t(230, 231, 233)); break;
    case 5: body = verticalGradient(0, h, t(214, 218, 225), t(236, 238, 242)); break;
    default: body = verticalGradient(0, h, t(252, 252, 253), t(222, 225, 230)); break;
  }
  fillRect(img, 0, 0, w, h, body);
  vline(img, 0, 0, h - 1, withAlpha(t(255, 255, 255), 0.9));
  vline(img, w - 1, 2, h - 3, t(168, 174, 184));
  hline(img, 0, w, h - 1, t(150, 156, 166));
  return img;
}

// Drop-down arrow glyph of a combo box (16 x 16 frames: normal, pressed, disabled, hot, normal).
Image comboArrowFrame(const Theme& t, int frame) {
  Image img(16, 16);
  Colour colour = frame == 2   ? t(16, 20, 28)
                  : frame == 3 ? t(158, 162, 170)
                  : frame == 4 ? t(kCheckMark)
                               : t(kGlyph);
  double d = frame == 2 ? 1 : 0;
  Distance arrow = polygon({{4.0 + d, 6.0 + d}, {12.0 + d, 6.0 + d}, {8.0 + d, 10.5 + d}});
  fillShape(img, arrow, solid(colour), bounds(img));
  img.keyTransparent(t(226, 229, 234));
  return img;
}

// Face of the combo box's drop-down button (18 x 21: normal, pressed, disabled, hot).
Image comboButtonFrame(const Theme& t, int frame) {
  const int w = 18, h = 21;
  Image img(w, h);
  Colour edge = frame == 3 ? t(168, 172, 178) : frame == 4 ? t(kAccent) : t(112, 120, 134);
  Paint body;
  if (frame == 2)
    body = verticalGradient(1, h - 1, t(188, 194, 203), t(228, 231, 235));
  else if (frame == 3)
    body = solid(t(232, 233, 235));
  else if (frame == 4)
    body = verticalStops(
        1, h - 1, {{0.0, t(253, 254, 255)}, {0.5, t(222, 232, 246)}, {1.0, t(210, 224, 244)}});
  else
    body = verticalStops(
        1, h - 1, {{0.0, t(253, 253, 254)}, {0.5, t(232, 234, 238)}, {1.0, t(214, 218, 224)}});
  Rect r = bounds(img);
  roundedPanel(img, r, 2.5, edge, body);
  img.keyTransparent(t(kFace));
  return img;
}

// Sunken edge of an entry field (115 x 22 frames: normal, hot, focused, disabled).
Image sunkenEdgeFrame(const Theme& t, int frame) {
  const int w = 115, h = 22;
  Colour field = frame == 4 ? t(236, 237, 239) : t(255, 255, 255);
  Image img(w, h, field);
  Colour outer = frame == 2 || frame == 3 ? t(kAccent) : t(132, 140, 152);
  bevel(img, 0, 0, w, h, outer, t(250, 250, 251));
  bevel(img, 1, 1, w - 1, h - 1, t(196, 200, 207), t(228, 230, 233));
  return img;
}

// Popup menu background: outlined light metal with a brushed finish.
Image menuBackground(const Theme& t) {
  const int s = 150;
  Image img(s, s);
  fillRect(img, 0, 0, s, s, verticalGradient(0, s, t(249, 249, 250), t(236, 238, 241)));
  brush(img, 2, 2, s - 2, s - 2, 0.012, 17, true);
  bevel(img, 0, 0, s, s, t(112, 120, 134), t(112, 120, 134));
  bevel(img, 1, 1, s - 1, s - 1, t(255, 255, 255), t(214, 217, 222));
  return img;
}

// Menu bar: frame 1 for an active window, frame 2 for an inactive one, stacked.
Image menuBar(const Theme& t) {
  std::vector<Image> frames;
  for (bool active : {true, false}) {
    Image img(70, 18);
    Colour top = active ? t(246, 247, 249) : t(247, 247, 248);
    Colour bottom = active ? t(220, 223, 229) : t(232, 233, 235);
    fillRect(img, 0, 0, 70, 18, verticalGradient(0, 18, top, bottom));
    hline(img, 0, 70, 0, t(255, 255, 255));
    hline(img, 0, 70, 17, active ? t(160, 166, 176) : t(180, 184, 190));
    frames.push_back(img);
  }
  return joinFrames(frames, true);
}

// ---------------------------------------------------------------------------
// Description text and archive entries
// ---------------------------------------------------------------------------

// Appends a line with CR LF.
void line(std::string& text, const std::string& s) { text += s + "\r\n"; }

// Appends the widths of the fixed edges of a picture whose middle stretches.
void edgeWidths(std::string& text, int left, int right, int top, int bottom) {
  line(text, "LeftWidth=" + std::to_string(left));
  line(text, "RightWidth=" + std::to_string(right));
  line(text, "TopHeight=" + std::to_string(top));
  line(text, "BottomHeight=" + std::to_string(bottom));
}

// Appends the keys of a window border piece of two frames.
void borderPiece(std::string& text, const std::string& side, const std::string& image,
                 int topHeight, int bottomHeight, int stretch, int trans) {
  line(text, side + "=" + image);
  line(text, side + "TopHeight=" + std::to_string(topHeight));
  line(text, side + "BotHeight=" + std::to_string(bottomHeight));
  line(text, side + "Frame=2");
  line(text, side + "Stretch=" + std::to_string(stretch));
  line(text, side + "Trans=" + std::to_string(trans));
}

// A colour as the description writes it: "R G B".
std::string colourText(const Colour& c) {
  Pixel p = toPixel(c);
  return std::to_string(p.r) + " " + std::to_string(p.g) + " " + std::to_string(p.b);
}

// Appends the section of a title-bar button and an empty line.
void sysButton(std::string& text, const SysButtonKeys& keys) {
  line(text, "[Button" + std::to_string(keys.index) + "]");
  line(text, "Action=" + std::to_string(keys.action));
  line(text, "Align=" + std::to_string(keys.align));
  line(text, "Xcoord=" + std::to_string(keys.x));
  line(text, "Ycoord=" + std::to_string(keys.y));
  line(text, "Visibility=" + std::to_string(keys.visibility));
  if (!keys.image.empty()) line(text, "ButtonImage=" + keys.image);
  if (keys.frames != 0) line(text, "frame=" + std::to_string(keys.frames));
  line(text, "");
}

// A picture encoded as its archive entry.
SkinEntry pictureEntry(const SkinPicture& picture) {
  return {picture.name, encodeBitmap(picture.image, picture.bitsPerPixel, picture.trailingBytes)};
}

// Writes every entry as a file into `dir`, plus the list of their order.
void writeSkinEntries(const std::string& dir, const std::vector<SkinEntry>& entries) {
  std::string list;
  for (const SkinEntry& entry : entries) {
    writeFile(dir + "/" + entry.name, entry.bytes);
    list += entry.name + "\n";
  }
  writeFile(dir + "/entries.lst", std::vector<uint8_t>(list.begin(), list.end()));
}

}  // namespace art
