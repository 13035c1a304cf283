#include "SkinArt.h"

#include "BitmapFile.h"
#include "Draw.h"

#include <algorithm>
#include <cassert>
#include <stdexcept>

namespace art {

const char* const kDescriptionName = "saffrell.ini";

namespace {

// ---------------------------------------------------------------------------
// Layout of the title bar, shared by the pictures and the description
// ---------------------------------------------------------------------------

constexpr int kButtonWidth = 19;   // one frame of a caption button picture
constexpr int kButtonHeight = 20;
constexpr int kButtonTop = 7;      // Ycoord of the caption buttons
constexpr int kCloseX = 35;        // Xcoord of the close button, from the right edge
constexpr int kButtonStep = 21;    // between the Xcoords of neighbouring buttons
constexpr int kMaximizeX = kCloseX + kButtonStep;
constexpr int kMinimizeX = kCloseX + 2 * kButtonStep;
constexpr int kIconX = 11;         // window icon, from the left edge
constexpr int kIconY = 8;
constexpr int kTextShift = 18;     // caption text, right of the left border
constexpr int kTextRightClip = 70; // caption text ends this far left of the right border
constexpr int kPlateInset = 4;     // caption plate from the window's edges
constexpr int kPlateBottom = 30;

// ---------------------------------------------------------------------------
// Palette of the theme
// ---------------------------------------------------------------------------

const Colour kFace = rgb8(207, 207, 207);       // button face of the skin
const Colour kMenuBarFace = rgb8(234, 236, 239);  // average of the menu bar
const Colour kScrollFace = rgb8(224, 226, 230);   // scroll bar background
const Colour kGlyph = rgb8(36, 42, 52);
const Colour kAccent = rgb8(64, 104, 164);         // focus and hot outlines
const Colour kCheckMark = rgb8(36, 70, 130);

// Colours of the window frame in one activation state.
struct FrameLook {
    Colour outer, highlight, shadow, inner;
    Colour bodyOuter, bodyInner;
    Colour plateEdge;
    std::vector<std::pair<double, Colour>> plate;
    Colour trayFill, trayEdge, trayLip;
};

// The frame colours of an active or an inactive window.
FrameLook frameLook(bool active)
{
    if (active) {
        return FrameLook{rgb8(58, 66, 78),
                         rgb8(252, 252, 253),
                         rgb8(150, 156, 166),
                         rgb8(120, 128, 140),
                         rgb8(234, 236, 240),
                         rgb8(198, 201, 207),
                         rgb8(38, 46, 60),
                         {{0.0, rgb8(134, 150, 174)},
                          {0.47, rgb8(90, 105, 130)},
                          {0.53, rgb8(70, 84, 108)},
                          {1.0, rgb8(88, 104, 130)}},
                         rgb8(56, 66, 84),
                         rgb8(32, 38, 50),
                         rgb8(122, 136, 158)};
    }
    return FrameLook{rgb8(112, 118, 128),
                     rgb8(252, 252, 252),
                     rgb8(172, 176, 182),
                     rgb8(152, 156, 164),
                     rgb8(240, 241, 243),
                     rgb8(214, 216, 220),
                     rgb8(96, 102, 112),
                     {{0.0, rgb8(164, 169, 178)},
                      {0.47, rgb8(138, 143, 152)},
                      {0.53, rgb8(124, 129, 138)},
                      {1.0, rgb8(136, 141, 150)}},
                     rgb8(114, 120, 130),
                     rgb8(92, 97, 106),
                     rgb8(158, 163, 172)};
}

// ---------------------------------------------------------------------------
// General helpers
// ---------------------------------------------------------------------------

// Frames of equal size joined side by side or one above the other.
Image joinFrames(const std::vector<Image>& frames, bool vertical)
{
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
Image transpose(const Image& img)
{
    Image out(img.height(), img.width());
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            out.at(y, x) = img.at(x, y);
    return out;
}

// The whole picture as a rectangle.
Rect bounds(const Image& img) { return Rect{0, 0, double(img.width()), double(img.height())}; }

// A rounded panel: a one-pixel outline in `edge` around a gradient body.
void roundedPanel(Image& img, const Rect& r, double radius, const Colour& edge, const Paint& body)
{
    fillShape(img, roundRect(r, radius), solid(edge), r);
    Rect inner{r.x0 + 1, r.y0 + 1, r.x1 - 1, r.y1 - 1};
    fillShape(img, roundRect(inner, std::max(0.0, radius - 1)), body, inner);
}

// A soft white line just inside the top of a rounded panel.
void topSheen(Image& img, const Rect& r, double radius, double alpha)
{
    int x0 = int(r.x0 + radius), x1 = int(r.x1 - radius);
    hline(img, x0, x1, int(r.y0) + 1, withAlpha(rgb8(255, 255, 255), alpha));
}

// ---------------------------------------------------------------------------
// Window frame
// ---------------------------------------------------------------------------

// Paints the skinned frame of a whole window of the image's size: silver
// borders, a dark steel caption plate, the button tray and the client edge.
// The border pictures are cut from windows painted by this one routine, so
// the pieces always fit together.
void paintWindowFrame(Image& img, bool active)
{
    const FrameLook look = frameLook(active);
    const int w = img.width(), h = img.height();

    // Silver body: lighter at the outside, a little darker towards the client.
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            bool inFrame = x < kBorderLeft || x >= w - kBorderRight || y < kTitleHeight || y >= h - kBorderBottom;
            if (!inFrame)
                continue;
            int fromOutside = std::min({x, y, w - 1 - x, h - 1 - y});
            double t = std::clamp((fromOutside - 2) / 8.0, 0.0, 1.0);
            img.at(x, y) = toPixel(mix(look.bodyOuter, look.bodyInner, t));
        }
    }

    // Outer edge: dark outline, highlight on the top and left, shade on the bottom and right.
    bevel(img, 0, 0, w, h, look.outer, look.outer);
    bevel(img, 1, 1, w - 1, h - 1, look.highlight, look.shadow);

    // Edge of the client area.
    bevel(img, kBorderLeft - 1, kTitleHeight - 1, w - kBorderRight + 1, h - kBorderBottom + 1, look.inner,
          look.inner);

    // Caption plate with a glossy upper half.
    Rect plate{kPlateInset, kPlateInset, double(w - kPlateInset), kPlateBottom};
    roundedPanel(img, plate, 5, look.plateEdge, verticalStops(plate.y0, plate.y1, look.plate));
    hline(img, int(plate.x0) + 4, int(plate.x1) - 4, int(plate.y0) + 1, withAlpha(rgb8(255, 255, 255), 0.28));

    // Recessed tray behind the caption buttons, one pixel around them and two at the ends.
    Rect tray{double(w - kMinimizeX - 2), kButtonTop - 1, double(w - kCloseX + kButtonWidth + 2),
              kButtonTop + kButtonHeight + 1};
    roundedPanel(img, tray, 4, look.trayEdge, solid(look.trayFill));
    hline(img, int(tray.x0) + 3, int(tray.x1) - 3, int(tray.y1), withAlpha(look.trayLip, 0.8));

    // Size grip: a triangle of small raised dots left of the right border.
    if (h > 40 && w > 60) {
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col < 3; ++col) {
                if (row + col < 2)
                    continue;
                int x = w - kBorderRight - 10 + 3 * col, y = h - 11 + 3 * row;
                img.set(x + 1, y + 1, look.highlight);
                img.set(x, y, shade(look.shadow, -0.25));
            }
        }
    }
}

// A frame picture cut from a painted window, active frame and inactive frame joined.
Image framePiece(int windowWidth, int windowHeight, int x, int y, int pieceWidth, int pieceHeight, bool vertical)
{
    std::vector<Image> frames;
    for (bool active : {true, false}) {
        Image window(windowWidth, windowHeight, kFace);
        paintWindowFrame(window, active);
        frames.push_back(window.crop(x, y, pieceWidth, pieceHeight));
    }
    return joinFrames(frames, vertical);
}

// ---------------------------------------------------------------------------
// Caption buttons and their glyphs
// ---------------------------------------------------------------------------

enum class Glyph { Close, Maximize, Minimize, Restore };
enum class ButtonState { Normal, Pressed, Hot };

// The body paint and outline of a caption button in a state.
void captionButtonLook(ButtonState state, bool isClose, double h, Colour& edge, Paint& body, Colour& glyph)
{
    switch (state) {
    case ButtonState::Normal:
        edge = rgb8(40, 48, 62);
        body = verticalStops(1, h - 1,
                             {{0.0, rgb8(248, 249, 251)}, {0.48, rgb8(220, 224, 230)},
                              {0.52, rgb8(204, 209, 217)}, {1.0, rgb8(228, 232, 238)}});
        glyph = kGlyph;
        break;
    case ButtonState::Hot:
        if (isClose) {
            edge = rgb8(104, 22, 14);
            body = verticalStops(1, h - 1,
                                 {{0.0, rgb8(246, 156, 140)}, {0.48, rgb8(214, 82, 64)},
                                  {0.52, rgb8(192, 54, 38)}, {1.0, rgb8(222, 100, 80)}});
            glyph = rgb8(255, 255, 255);
        } else {
            edge = rgb8(34, 62, 110);
            body = verticalStops(1, h - 1,
                                 {{0.0, rgb8(252, 253, 255)}, {0.48, rgb8(210, 224, 244)},
                                  {0.52, rgb8(186, 206, 236)}, {1.0, rgb8(216, 230, 250)}});
            glyph = rgb8(18, 44, 92);
        }
        break;
    case ButtonState::Pressed:
        if (isClose) {
            edge = rgb8(84, 16, 10);
            body = verticalGradient(1, h - 1, rgb8(150, 40, 28), rgb8(206, 84, 64));
            glyph = rgb8(255, 255, 255);
        } else {
            edge = rgb8(28, 34, 46);
            body = verticalGradient(1, h - 1, rgb8(160, 170, 186), rgb8(220, 225, 232));
            glyph = rgb8(16, 20, 28);
        }
        break;
    }
}

// Draws a caption glyph in the square box (x0, y0) of side s.
void drawGlyph(Image& img, Glyph glyph, int x0, int y0, int s, const Colour& colour, const Paint& body)
{
    double stroke = s >= 9 ? 1.05 : 0.8;
    switch (glyph) {
    case Glyph::Close: {
        double a = 0.5, b = s - 0.5;
        Distance cross = unite(capsule(x0 + a, y0 + a, x0 + b, y0 + b, stroke),
                               capsule(x0 + b, y0 + a, x0 + a, y0 + b, stroke));
        fillShape(img, cross, solid(colour), Rect{double(x0 - 1), double(y0 - 1), double(x0 + s + 1),
                                                  double(y0 + s + 1)});
        break;
    }
    case Glyph::Minimize:
        fillRect(img, x0, y0 + s - 2, x0 + s, y0 + s, solid(colour));
        break;
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

// One frame of a caption button: a glossy rounded key with its glyph, on
// magenta; soft edges are blended into the matte colour behind it.
Image captionButton(int w, int h, Glyph glyph, ButtonState state, const Colour& matte)
{
    Image img(w, h);
    Colour edge, glyphColour;
    Paint body;
    captionButtonLook(state, glyph == Glyph::Close, h, edge, body, glyphColour);
    Rect r = bounds(img);
    double radius = w >= 19 ? 3.5 : 2.5;
    roundedPanel(img, r, radius, edge, body);
    if (state != ButtonState::Pressed)
        topSheen(img, r, radius, 0.7);

    int s = w >= 19 ? 9 : 7;
    int gx = (w - s) / 2, gy = (h - s) / 2;
    if (state == ButtonState::Pressed) {
        ++gx;
        ++gy;
    }
    // An etched light line under the glyph on the light faces.
    bool lightFace = !(glyph == Glyph::Close && state != ButtonState::Normal);
    if (lightFace)
        drawGlyph(img, glyph, gx, gy + 1, s, withAlpha(rgb8(255, 255, 255), 0.55), body);
    drawGlyph(img, glyph, gx, gy, s, glyphColour, body);
    img.keyTransparent(matte);
    return img;
}

// A title-bar button picture: normal, pressed and hot frames side by side.
Image titleBarButton(Glyph glyph)
{
    const Colour tray = frameLook(true).trayFill;
    return joinFrames({captionButton(kButtonWidth, kButtonHeight, glyph, ButtonState::Normal, tray),
                       captionButton(kButtonWidth, kButtonHeight, glyph, ButtonState::Pressed, tray),
                       captionButton(kButtonWidth, kButtonHeight, glyph, ButtonState::Hot, tray)},
                      false);
}

// The MDI child buttons: four frames (normal, pressed, hot, hot) for
// minimize, restore and close, in that order.
Image mdiButtons()
{
    std::vector<Image> frames;
    for (Glyph glyph : {Glyph::Minimize, Glyph::Restore, Glyph::Close})
        for (ButtonState state : {ButtonState::Normal, ButtonState::Pressed, ButtonState::Hot, ButtonState::Hot})
            frames.push_back(captionButton(15, 15, glyph, state, kMenuBarFace));
    return joinFrames(frames, false);
}

// ---------------------------------------------------------------------------
// Push buttons, check boxes and radio buttons
// ---------------------------------------------------------------------------

// One push-button frame: 1 normal, 2 pressed, 3 disabled, 4 hot or focused, 5 default.
Image pushButtonFrame(int frame)
{
    const int w = 72, h = 24;
    Image img(w, h);
    Rect r = bounds(img);
    Colour edge;
    Paint body;
    switch (frame) {
    case 2:
        edge = rgb8(84, 92, 106);
        body = verticalGradient(1, h - 1, rgb8(188, 194, 203), rgb8(228, 231, 235));
        break;
    case 3:
        edge = rgb8(168, 172, 178);
        body = verticalGradient(1, h - 1, rgb8(238, 239, 241), rgb8(222, 223, 226));
        break;
    case 4:
        edge = kAccent;
        body = verticalStops(1, h - 1,
                             {{0.0, rgb8(253, 254, 255)}, {0.45, rgb8(228, 236, 248)},
                              {0.55, rgb8(208, 222, 242)}, {1.0, rgb8(232, 240, 252)}});
        break;
    default:
        edge = frame == 5 ? kAccent : rgb8(112, 120, 134);
        body = verticalStops(1, h - 1,
                             {{0.0, rgb8(253, 253, 254)}, {0.45, rgb8(234, 236, 240)},
                              {0.55, rgb8(217, 220, 226)}, {1.0, rgb8(238, 240, 243)}});
        break;
    }
    roundedPanel(img, r, 4, edge, body);
    if (frame != 2 && frame != 3)
        topSheen(img, r, 4, 0.9);
    if (frame == 5) {
        Rect inner{1, 1, double(w - 1), double(h - 1)};
        fillShape(img, subtract(roundRect(inner, 3), roundRect(Rect{2, 2, double(w - 2), double(h - 2)}, 2)),
                  solid(withAlpha(kAccent, 0.45)), inner);
    }
    img.keyTransparent(kFace);
    return img;
}

// One check-box frame: 1 unchecked, 2 checked, 3 disabled, 4 disabled and checked.
Image checkBoxFrame(int frame, bool radio)
{
    const int s = 12;
    Image img(s, s);
    bool disabled = frame >= 3;
    bool checked = frame == 2 || frame == 4;
    Colour edge = disabled ? rgb8(168, 172, 178) : rgb8(92, 100, 114);
    Paint body = disabled ? solid(rgb8(234, 235, 237)) : verticalGradient(1, s - 1, rgb8(226, 229, 234), rgb8(255, 255, 255));
    Colour mark = disabled ? rgb8(150, 154, 160) : kCheckMark;
    Rect r = bounds(img);
    if (radio) {
        fillShape(img, ellipse(r), solid(edge), r);
        Rect inner{1, 1, s - 1.0, s - 1.0};
        fillShape(img, ellipse(inner), body, inner);
        if (checked)
            fillShape(img, ellipse(Rect{3.6, 3.6, 8.4, 8.4}), radialGradient(5.4, 5.4, 3.2, shade(mark, 0.35), mark), r);
    } else {
        roundedPanel(img, r, 2, edge, body);
        if (checked) {
            Distance tick = unite(capsule(2.9, 6.0, 5.0, 8.3, 1.0), capsule(5.0, 8.3, 9.2, 3.4, 1.0));
            fillShape(img, tick, solid(mark), r);
        }
    }
    img.keyTransparent(kFace);
    return img;
}

// ---------------------------------------------------------------------------
// Bars, tabs, headers and combo boxes
// ---------------------------------------------------------------------------

// Progress bar: frame 1 the empty groove, frame 2 the filled part.
Image progressBar()
{
    Image empty(91, 13), filled(91, 13);
    Rect r = bounds(empty);
    roundedPanel(empty, r, 3, rgb8(128, 134, 144), verticalGradient(1, 12, rgb8(194, 198, 205), rgb8(238, 240, 243)));
    roundedPanel(filled, r, 3, rgb8(38, 70, 122),
                 verticalStops(1, 12, {{0.0, rgb8(156, 190, 234)}, {0.48, rgb8(90, 134, 200)},
                                       {0.52, rgb8(68, 112, 182)}, {1.0, rgb8(100, 148, 214)}}));
    topSheen(filled, r, 3, 0.5);
    empty.keyTransparent(kFace);
    filled.keyTransparent(kFace);
    return joinFrames({empty, filled}, false);
}

// One tab: 1 normal, 2 selected, 3 hot, 4 disabled, 5 normal.
Image tabFrame(int frame)
{
    const int w = 55, h = 22;
    Image img(w, h);
    bool selected = frame == 2;
    Colour edge = frame == 4 ? rgb8(170, 174, 180) : rgb8(120, 128, 140);
    Paint body;
    if (selected)
        body = verticalGradient(0, h, rgb8(253, 253, 254), rgb8(236, 237, 240));
    else if (frame == 3)
        body = verticalGradient(0, h, rgb8(246, 249, 255), rgb8(214, 224, 240));
    else if (frame == 4)
        body = solid(rgb8(226, 227, 230));
    else
        body = verticalGradient(0, h, rgb8(238, 240, 243), rgb8(212, 215, 221));
    // Rounded at the top only: the shape runs past the bottom edge.
    Rect shape{0, 0, double(w), double(h + 6)};
    roundedPanel(img, shape, 4, edge, body);
    if (selected)
        fillShape(img, roundRect(Rect{1, 1, double(w - 1), 4}, 2), solid(kAccent), Rect{1, 1, double(w - 1), 4});
    else
        hline(img, 0, w, h - 1, edge);
    img.keyTransparent(kFace);
    return img;
}

// Border around a tab page: outline with a light inner edge on the face colour.
Image tabBorder()
{
    Image img(29, 28, kFace);
    bevel(img, 0, 0, 29, 28, rgb8(120, 128, 140), rgb8(120, 128, 140));
    bevel(img, 1, 1, 28, 27, rgb8(252, 252, 253), rgb8(176, 180, 188));
    return img;
}

// Scroll-bar track of a horizontal bar (16 x 16 frames: normal, hot, pressed, disabled).
Image scrollTrackFrame(int frame)
{
    Image img(16, 16);
    Colour top = frame == 3 ? rgb8(176, 182, 192) : frame == 4 ? rgb8(226, 227, 229) : rgb8(200, 204, 211);
    Colour bottom = frame == 2 ? rgb8(236, 240, 248) : rgb8(236, 238, 241);
    fillRect(img, 0, 0, 16, 16, verticalGradient(0, 16, top, bottom));
    hline(img, 0, 16, 0, rgb8(150, 156, 166));
    hline(img, 0, 16, 15, rgb8(246, 247, 249));
    return img;
}

// Scroll-bar thumb of a horizontal bar (frames: normal, pressed, hot).
Image scrollThumbFrame(int frame)
{
    Image img(16, 16);
    Rect r{0, 1, 16, 15};
    Colour edge = frame == 3 ? kAccent : rgb8(104, 112, 126);
    Paint body = frame == 2 ? verticalGradient(2, 14, rgb8(184, 190, 200), rgb8(226, 229, 234))
                            : verticalStops(2, 14, {{0.0, rgb8(252, 252, 253)}, {0.48, rgb8(228, 231, 236)},
                                                    {0.52, rgb8(212, 216, 223)}, {1.0, rgb8(232, 235, 240)}});
    roundedPanel(img, r, 3, edge, body);
    img.keyTransparent(kScrollFace);
    return img;
}

// A header or tool-bar cell: 1 normal, 2 hot, 3 pressed, 4 disabled, 5 checked.
Image headerFrame(int frame)
{
    const int w = 55, h = 22;
    Image img(w, h);
    Paint body;
    switch (frame) {
    case 2: body = verticalGradient(0, h, rgb8(252, 253, 255), rgb8(214, 226, 244)); break;
    case 3: body = verticalGradient(0, h, rgb8(196, 201, 209), rgb8(230, 232, 236)); break;
    case 4: body = solid(rgb8(230, 231, 233)); break;
    case 5: body = verticalGradient(0, h, rgb8(214, 218, 225), rgb8(236, 238, 242)); break;
    default: body = verticalGradient(0, h, rgb8(252, 252, 253), rgb8(222, 225, 230)); break;
    }
    fillRect(img, 0, 0, w, h, body);
    vline(img, 0, 0, h - 1, withAlpha(rgb8(255, 255, 255), 0.9));
    vline(img, w - 1, 2, h - 3, rgb8(168, 174, 184));
    hline(img, 0, w, h - 1, rgb8(150, 156, 166));
    return img;
}

// Drop-down arrow glyph of a combo box (16 x 16 frames: normal, pressed, disabled, hot, normal).
Image comboArrowFrame(int frame)
{
    Image img(16, 16);
    Colour colour = frame == 2 ? rgb8(16, 20, 28) : frame == 3 ? rgb8(158, 162, 170) : frame == 4 ? kCheckMark : kGlyph;
    double d = frame == 2 ? 1 : 0;
    Distance arrow = polygon({{4.0 + d, 6.0 + d}, {12.0 + d, 6.0 + d}, {8.0 + d, 10.5 + d}});
    fillShape(img, arrow, solid(colour), bounds(img));
    img.keyTransparent(rgb8(226, 229, 234));
    return img;
}

// Face of the combo box's drop-down button (18 x 21: normal, pressed, disabled, hot).
Image comboButtonFrame(int frame)
{
    const int w = 18, h = 21;
    Image img(w, h);
    Colour edge = frame == 3 ? rgb8(168, 172, 178) : frame == 4 ? kAccent : rgb8(112, 120, 134);
    Paint body;
    if (frame == 2)
        body = verticalGradient(1, h - 1, rgb8(188, 194, 203), rgb8(228, 231, 235));
    else if (frame == 3)
        body = solid(rgb8(232, 233, 235));
    else if (frame == 4)
        body = verticalStops(1, h - 1, {{0.0, rgb8(253, 254, 255)}, {0.5, rgb8(222, 232, 246)}, {1.0, rgb8(210, 224, 244)}});
    else
        body = verticalStops(1, h - 1, {{0.0, rgb8(253, 253, 254)}, {0.5, rgb8(232, 234, 238)}, {1.0, rgb8(214, 218, 224)}});
    Rect r = bounds(img);
    roundedPanel(img, r, 2.5, edge, body);
    img.keyTransparent(kFace);
    return img;
}

// Sunken edge of an entry field (115 x 22 frames: normal, hot, focused, disabled).
Image sunkenEdgeFrame(int frame)
{
    const int w = 115, h = 22;
    Colour field = frame == 4 ? rgb8(236, 237, 239) : rgb8(255, 255, 255);
    Image img(w, h, field);
    Colour outer = frame == 2 || frame == 3 ? kAccent : rgb8(132, 140, 152);
    bevel(img, 0, 0, w, h, outer, rgb8(250, 250, 251));
    bevel(img, 1, 1, w - 1, h - 1, rgb8(196, 200, 207), rgb8(228, 230, 233));
    return img;
}

// Popup menu background: outlined light steel with a brushed finish.
Image menuBackground()
{
    const int s = 150;
    Image img(s, s);
    fillRect(img, 0, 0, s, s, verticalGradient(0, s, rgb8(249, 249, 250), rgb8(236, 238, 241)));
    brush(img, 2, 2, s - 2, s - 2, 0.012, 17, true);
    bevel(img, 0, 0, s, s, rgb8(112, 120, 134), rgb8(112, 120, 134));
    bevel(img, 1, 1, s - 1, s - 1, rgb8(255, 255, 255), rgb8(214, 217, 222));
    return img;
}

// Menu bar: frame 1 for an active window, frame 2 for an inactive one, stacked.
Image menuBar()
{
    std::vector<Image> frames;
    for (bool active : {true, false}) {
        Image img(70, 18);
        Colour top = active ? rgb8(246, 247, 249) : rgb8(247, 247, 248);
        Colour bottom = active ? rgb8(220, 223, 229) : rgb8(232, 233, 235);
        fillRect(img, 0, 0, 70, 18, verticalGradient(0, 18, top, bottom));
        hline(img, 0, 70, 0, rgb8(255, 255, 255));
        hline(img, 0, 70, 17, active ? rgb8(160, 166, 176) : rgb8(180, 184, 190));
        frames.push_back(img);
    }
    return joinFrames(frames, true);
}

// A strip of frames made by one routine for frame numbers 1..count.
template <typename MakeFrame>
Image frameStrip(int count, MakeFrame make)
{
    std::vector<Image> frames;
    for (int i = 1; i <= count; ++i)
        frames.push_back(make(i));
    return joinFrames(frames, false);
}

// Every frame of a strip transposed, the frames still side by side.
Image transposeFrames(const Image& strip, int count)
{
    int fw = strip.width() / count;
    std::vector<Image> frames;
    for (int i = 0; i < count; ++i)
        frames.push_back(transpose(strip.crop(fw * i, 0, fw, strip.height())));
    return joinFrames(frames, false);
}

// Appends a line with CR LF.
void line(std::string& text, const std::string& s) { text += s + "\r\n"; }

// Appends the widths of the fixed edges of a picture whose middle stretches.
void edgeWidths(std::string& text, int left, int right, int top, int bottom)
{
    line(text, "LeftWidth=" + std::to_string(left));
    line(text, "RightWidth=" + std::to_string(right));
    line(text, "TopHeight=" + std::to_string(top));
    line(text, "BottomHeight=" + std::to_string(bottom));
}

// Appends the keys of a side or bottom border piece (two frames, stretched, opaque).
void borderPiece(std::string& text, const std::string& side, int topHeight, int bottomHeight)
{
    line(text, side + "=steel\\" + side + ".bmp");
    line(text, side + "TopHeight=" + std::to_string(topHeight));
    line(text, side + "BotHeight=" + std::to_string(bottomHeight));
    line(text, side + "Frame=2");
    line(text, side + "Stretch=1");
    line(text, side + "Trans=0");
}

// Appends the section of a caption button in the tray, right-aligned, and an empty line.
void trayButton(std::string& text, int index, int action, int x, int visibility, const std::string& image)
{
    line(text, "[Button" + std::to_string(index) + "]");
    line(text, "Action=" + std::to_string(action));
    line(text, "Align=1");
    line(text, "Xcoord=" + std::to_string(x));
    line(text, "Ycoord=" + std::to_string(kButtonTop));
    line(text, "Visibility=" + std::to_string(visibility));
    line(text, "ButtonImage=" + image);
    line(text, "");
}

}  // namespace

// Every picture of the skin, in archive order (without the description).
std::vector<SkinPicture> skinPictures()
{
    // Border pieces are cut from painted windows: the top piece spans the
    // title between the side borders, the sides include the title's height.
    const int wide = kBorderLeft + 179 + kBorderRight;
    std::vector<SkinPicture> pictures;
    pictures.push_back({"top.bmp", framePiece(wide, 80, kBorderLeft, 0, 179, kTitleHeight, true), 8});
    pictures.push_back(
        {"bottom.bmp", framePiece(kBorderLeft + 57 + kBorderRight, 60, kBorderLeft, 60 - kBorderBottom, 57, kBorderBottom, true), 4});
    pictures.push_back({"left.bmp", framePiece(wide, 58, 0, 0, kBorderLeft, 58, false), 8});
    pictures.push_back({"right.bmp", framePiece(wide, 56, wide - kBorderRight, 0, kBorderRight, 56, false), 8});
    pictures.push_back({"menu.bmp", menuBar(), 8});
    pictures.push_back({"dialog.bmp", menuBackground(), 8});
    pictures.push_back({"button.bmp", frameStrip(5, pushButtonFrame), 24});
    pictures.push_back({"checkbox.bmp", frameStrip(4, [](int f) { return checkBoxFrame(f, false); }), 24});
    pictures.push_back({"radio.bmp", frameStrip(4, [](int f) { return checkBoxFrame(f, true); }), 24});
    pictures.push_back({"progress.bmp", progressBar(), 24});
    pictures.push_back({"tabborder.bmp", tabBorder(), 24});
    pictures.push_back({"tabs.bmp", frameStrip(5, tabFrame), 24});
    Image horzTrack = frameStrip(4, scrollTrackFrame);
    Image horzThumb = frameStrip(3, scrollThumbFrame);
    pictures.push_back({"scrollhz.bmp", horzTrack, 24});
    pictures.push_back({"scrollvt.bmp", transposeFrames(horzTrack, 4), 24});
    pictures.push_back({"scrollhb.bmp", horzThumb, 24});
    pictures.push_back({"scrollvb.bmp", transposeFrames(horzThumb, 3), 24});
    pictures.push_back({"toolbar.bmp", frameStrip(5, headerFrame), 24});
    pictures.push_back({"min.bmp", titleBarButton(Glyph::Minimize), 8});
    pictures.push_back({"max.bmp", titleBarButton(Glyph::Maximize), 8});
    pictures.push_back({"close.bmp", titleBarButton(Glyph::Close), 8});
    pictures.push_back({"restore.bmp", titleBarButton(Glyph::Restore), 8});
    // The combo-box pictures carry two bytes of padding after their rows.
    pictures.push_back({"ap-combo-arrows.bmp", frameStrip(5, comboArrowFrame), 24, 2});
    pictures.push_back({"ap-combo.bmp", frameStrip(4, comboButtonFrame), 24, 2});
    pictures.push_back({"ap-sunkedge.bmp", frameStrip(4, sunkenEdgeFrame), 24, 2});
    pictures.push_back({"qelto_mdib.bmp", mdiButtons(), 24});
    return pictures;
}

namespace {

// The sections of the skin description.
std::string descriptionSections()
{
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
    borderPiece(t, "Left", kTitleHeight, kBorderBottom);
    borderPiece(t, "Right", kTitleHeight, kBorderBottom);
    borderPiece(t, "Bottom", 4, 20);
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
    line(t, "[Button4]");
    line(t, "Action=3");
    line(t, "Align=0");
    line(t, "Xcoord=" + std::to_string(kIconX));
    line(t, "Ycoord=" + std::to_string(kIconY));
    line(t, "Visibility=0");
    line(t, "");
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
    line(t, "[Scrollbar]");
    line(t, "Image=steel/scrollbar.bmp");
    line(t, "MouseOver=1");
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
std::string skinDescription()
{
    std::string text;
    for (const char* comment : {
             "; Quorvel Steel: a light brushed-steel frame around a dark steel caption plate.",
             ";",
             "; The side pictures include the title's height at the top and the bottom",
             "; border's height at the bottom. Frame 1 of every border picture is the",
             "; active look, frame 2 the inactive one. Magenta (255 0 255) is transparent.",
             ";",
             "; The caption buttons lie in a tray at the right end of the title; their",
             "; frames are normal, pressed and hot.",
             ";",
             "; Push buttons: 5 frames (normal, pressed, disabled, hot or focused,",
             "; default). Check boxes and radio buttons: 4 frames (unchecked, checked,",
             "; disabled, disabled and checked).",
             ";"})
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
std::vector<SkinEntry> skinEntries()
{
    std::vector<SkinEntry> entries;
    for (const SkinPicture& picture : skinPictures()) {
        entries.push_back({picture.name, encodeBitmap(picture.image, picture.bitsPerPixel, picture.trailingBytes)});
        if (picture.name == "restore.bmp") {
            std::string text = skinDescription();
            entries.push_back({kDescriptionName, std::vector<uint8_t>(text.begin(), text.end())});
        }
    }
    return entries;
}

// Writes every entry as a file into `dir`, plus the list of their order.
void writeSkinDirectory(const std::string& dir)
{
    std::string list;
    for (const SkinEntry& entry : skinEntries()) {
        writeFile(dir + "/" + entry.name, entry.bytes);
        list += entry.name + "\n";
    }
    writeFile(dir + "/entries.lst", std::vector<uint8_t>(list.begin(), list.end()));
}

}  // namespace art
