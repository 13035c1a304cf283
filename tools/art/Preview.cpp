#include "Preview.h"

#include "BitmapFile.h"
#include "Draw.h"
#include "IconArt.h"
#include "SkinArt.h"
#include "StrokeFont.h"

#include <cassert>
#include <map>

namespace art {

namespace {

// Stretches the rectangle (sx, sy, sw, sh) of src onto (dx, dy, dw, dh) of dst,
// nearest pixel, like StretchBlt in COLORONCOLOR mode.
void stretch(Image& dst, int dx, int dy, int dw, int dh, const Image& src, int sx, int sy, int sw, int sh)
{
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0)
        return;
    for (int y = 0; y < dh; ++y)
        for (int x = 0; x < dw; ++x)
            if (dst.contains(dx + x, dy + y))
                dst.at(dx + x, dy + y) = src.at(sx + x * sw / dw, sy + y * sh / dh);
}

// Repeats the rectangle (sx, sy, sw, sh) of src over (dx, dy, dw, dh) of dst.
void tile(Image& dst, int dx, int dy, int dw, int dh, const Image& src, int sx, int sy, int sw, int sh)
{
    if (sw <= 0 || sh <= 0)
        return;
    for (int y = 0; y < dh; ++y)
        for (int x = 0; x < dw; ++x)
            if (dst.contains(dx + x, dy + y))
                dst.at(dx + x, dy + y) = src.at(sx + x % sw, sy + y % sh);
}

// The decoded pictures of the encoded skin, by entry name.
std::map<std::string, Image> decodedSkin()
{
    std::map<std::string, Image> pictures;
    for (const SkinEntry& entry : skinEntries()) {
        Image img;
        if (decodeBitmap(entry.bytes, img))
            pictures[entry.name] = img;
    }
    return pictures;
}

// Caption text in the preview's stand-in font.
void caption(Image& img, int x, int baseline, const std::string& text, const Colour& colour, double size = 8)
{
    TextStyle style;
    style.capHeight = size;
    style.weight = size * 0.075;
    style.tracking = 2.2;
    drawText(img, x, baseline, text, style, solid(colour));
}

// Text centred in a rectangle.
void centredCaption(Image& img, int x, int y, int w, int h, const std::string& text, const Colour& colour)
{
    TextStyle style;
    style.capHeight = 8;
    style.weight = 0.6;
    style.tracking = 2.2;
    double tw = textWidth(text, style);
    drawText(img, x + (w - tw) / 2, y + (h + 8) / 2, text, style, solid(colour));
}

// A skinned push button (5 frames, margins 12, 11, 12, 11) with its caption.
void pushButton(Image& img, std::map<std::string, Image>& skin, int x, int y, int w, int h, int frame,
                const std::string& text)
{
    Image face = nineSlice(skin["button.bmp"], 5, frame, false, 12, 11, 12, 11, w, h, false);
    drawKeyed(img, face, x, y);
    centredCaption(img, x, y, w, h, text, frame == 3 ? rgb8(128, 132, 140) : rgb8(0, 0, 0));
}

// Composes a window: frame, caption, buttons, optional menu bar, and a client area.
Image window(std::map<std::string, Image>& skin, int clientWidth, int clientHeight, bool active, bool menu,
             const std::string& title)
{
    const int menuHeight = menu ? 19 : 0;
    const int w = clientWidth + kBorderLeft + kBorderRight;
    const int h = clientHeight + kTitleHeight + kBorderBottom + menuHeight;
    const int frame = active ? 1 : 2;
    Image img(w, h, rgb8(207, 207, 207));

    img.paste(nineSlice(skin["left.bmp"], 2, frame, false, 0, kTitleHeight, 0, kBorderBottom, kBorderLeft, h, false), 0, 0);
    img.paste(nineSlice(skin["right.bmp"], 2, frame, false, 0, kTitleHeight, 0, kBorderBottom, kBorderRight, h, false),
              w - kBorderRight, 0);
    img.paste(nineSlice(skin["bottom.bmp"], 2, frame, true, 4, 0, 20, 0, w - kBorderLeft - kBorderRight, kBorderBottom, false),
              kBorderLeft, h - kBorderBottom);
    img.paste(nineSlice(skin["top.bmp"], 2, frame, true, 76, 0, 84, 0, w - kBorderLeft - kBorderRight, kTitleHeight, true),
              kBorderLeft, 0);

    // Icon, caption text (after two blanks), caption buttons.
    for (const IconImage& icon : iconImages())
        if (icon.image.width() == 16 && icon.bitsPerPixel == 32)
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    img.blend(11 + x, 8 + y, toColour(icon.image.at(x, y)));
    caption(img, kBorderLeft + 18 + 7, 21, title, rgb8(255, 255, 255), 8.5);
    drawKeyed(img, skin["close.bmp"].crop(0, 0, 19, 20), w - 35, 7);
    drawKeyed(img, skin["max.bmp"].crop(active ? 38 : 0, 0, 19, 20), w - 56, 7);
    drawKeyed(img, skin["min.bmp"].crop(0, 0, 19, 20), w - 77, 7);

    if (menu) {
        Image bar = nineSlice(skin["menu.bmp"], 2, frame, true, 1, 0, 1, 0, w - kBorderLeft - kBorderRight, menuHeight, false);
        img.paste(bar, kBorderLeft, kTitleHeight);
        int x = kBorderLeft + 5;
        for (const char* item : {"File", "Edit", "Window", "Help"}) {
            caption(img, x + 5, kTitleHeight + 13, item, rgb8(0, 0, 0));
            x += 44;
        }
        // Child buttons: minimize, restore, close at 57, 38 and 19 from the
        // right end of the bar; the close button shown hot (its fourth frame).
        const Image& mdi = skin["qelto_mdib.bmp"];
        for (int i = 0; i < 3; ++i) {
            int frame = i == 2 ? 3 : 0;
            drawKeyed(img, mdi.crop(60 * i + 15 * frame, 0, 15, 15), w - (15 + 4) * (3 - i) - kBorderRight - 1,
                      kTitleHeight + (menuHeight - 15) / 2);
        }
    }
    return img;
}

// The main window of the program with its controls, as it would look skinned.
Image mainWindow(std::map<std::string, Image>& skin, bool active)
{
    const int cw = 630, ch = 394;
    Image img = window(skin, cw, ch, active, false, "Quorvel");
    const int ox = kBorderLeft, oy = kTitleHeight;
    pushButton(img, skin, ox + 8, oy + 8, 180, 25, active ? 4 : 1, "Scan for adult material now !");
    pushButton(img, skin, ox + 200, oy + 8, 180, 25, 3, "Remove checked adult material");
    // Check list: white with a sunken edge.
    fillRect(img, ox, oy + 41, ox + cw, oy + 365, solid(rgb8(255, 255, 255)));
    bevel(img, ox, oy + 41, ox + cw, oy + 365, rgb8(128, 132, 140), rgb8(255, 255, 255));
    // Gradient bar and status bar.
    fillRect(img, ox, oy + 365, ox + cw, oy + 375, solid(rgb8(207, 207, 207)));
    fillRect(img, ox, oy + 365, ox + 50, oy + 375, horizontalGradient(ox, ox + 50, rgb8(207, 207, 207), rgb8(0, 0, 255)));
    bevel(img, ox, oy + 375, ox + cw, oy + 394, rgb8(128, 132, 140), rgb8(255, 255, 255));
    return img;
}

// A dialog with every kind of skinned control, and a menu bar.
Image controlsWindow(std::map<std::string, Image>& skin, bool active)
{
    Image img = window(skin, 360, 210, active, true, "Controls");
    const int ox = kBorderLeft, oy = kTitleHeight + 19;
    pushButton(img, skin, ox + 10, oy + 10, 75, 23, 1, "Normal");
    pushButton(img, skin, ox + 95, oy + 10, 75, 23, 4, "Hot");
    pushButton(img, skin, ox + 180, oy + 10, 75, 23, 2, "Pressed");
    pushButton(img, skin, ox + 265, oy + 10, 75, 23, 3, "Disabled");
    for (int f = 1; f <= 4; ++f) {
        drawKeyed(img, skin["checkbox.bmp"].crop(12 * (f - 1), 0, 12, 12), ox + 12 + 80 * (f - 1), oy + 46);
        drawKeyed(img, skin["radio.bmp"].crop(12 * (f - 1), 0, 12, 12), ox + 12 + 80 * (f - 1), oy + 66);
        caption(img, ox + 30 + 80 * (f - 1), oy + 56, "Check", rgb8(0, 0, 0));
        caption(img, ox + 30 + 80 * (f - 1), oy + 76, "Radio", rgb8(0, 0, 0));
    }
    drawKeyed(img, nineSlice(skin["progress.bmp"], 2, 1, false, 3, 3, 3, 3, 200, 16, false), ox + 10, oy + 92);
    drawKeyed(img, nineSlice(skin["progress.bmp"], 2, 2, false, 3, 3, 3, 3, 120, 16, false), ox + 10, oy + 92);
    // Tabs on a page border.
    const int ty = oy + 118;
    Image border = nineSlice(skin["tabborder.bmp"], 1, 1, false, 4, 5, 4, 4, 200, 60, false);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 200; ++x)
            if (x < 4 || y < 5 || x >= 196 || y >= 56)
                img.at(ox + 10 + x, ty + 20 + y) = border.at(x, y);
    drawKeyed(img, nineSlice(skin["tabs.bmp"], 5, 1, false, 5, 5, 5, 3, 60, 21, false), ox + 12, ty + 1);
    drawKeyed(img, nineSlice(skin["tabs.bmp"], 5, 2, false, 5, 5, 5, 3, 64, 22, false), ox + 70, ty);
    drawKeyed(img, nineSlice(skin["tabs.bmp"], 5, 3, false, 5, 5, 5, 3, 60, 21, false), ox + 132, ty + 1);
    centredCaption(img, ox + 12, ty + 2, 60, 20, "First", rgb8(40, 44, 52));
    centredCaption(img, ox + 70, ty, 64, 21, "Second", rgb8(0, 0, 0));
    centredCaption(img, ox + 132, ty + 2, 60, 20, "Third", rgb8(40, 44, 52));
    // Combo box: sunken edge, white field, button and arrow.
    const int cx = ox + 230, cy = oy + 130, cwid = 120, chgt = 21;
    fillRect(img, cx, cy, cx + cwid, cy + chgt, solid(rgb8(255, 255, 255)));
    Image edge = nineSlice(skin["ap-sunkedge.bmp"], 4, 1, false, 2, 2, 2, 2, cwid, chgt, false);
    img.paste(edge, cx, cy);
    Image button = nineSlice(skin["ap-combo.bmp"], 4, 1, false, 0, 0, 0, 0, 18, chgt, false);
    drawKeyed(img, button, cx + cwid - 18, cy);
    drawKeyed(img, skin["ap-combo-arrows.bmp"].crop(0, 0, 16, 16), cx + cwid - 17, cy + 2);
    caption(img, cx + 5, cy + 14, "Choice", rgb8(0, 0, 0));
    // Header cells.
    for (int i = 0; i < 3; ++i) {
        img.paste(nineSlice(skin["toolbar.bmp"], 5, 1, false, 2, 2, 2, 2, 60, 20, false), ox + 230 + 60 * i, oy + 170);
        caption(img, ox + 236 + 60 * i, oy + 184, i == 0 ? "Name" : i == 1 ? "Size" : "Type", rgb8(0, 0, 0));
    }
    return img;
}

// A popup menu on the skin's menu background, one item highlighted.
Image popupMenu(std::map<std::string, Image>& skin)
{
    const char* items[] = {"Restore", "Move", "Size", "Minimize", "Maximize", "Close"};
    const int w = 150, itemHeight = 19, h = 6 + itemHeight * 6;
    Image img = nineSlice(skin["dialog.bmp"], 1, 1, false, 3, 3, 3, 3, w, h, false);
    for (int i = 0; i < 6; ++i) {
        int y = 3 + itemHeight * i;
        bool selected = i == 5;
        if (selected)
            fillRect(img, 3, y, w - 3, y + itemHeight, solid(rgb8(74, 108, 156)));
        caption(img, 24, y + 13, items[i], selected ? rgb8(255, 255, 255) : rgb8(0, 0, 0));
    }
    return img;
}

}  // namespace

// Frame `frame` of a strip, stretched to w x h with fixed margins.
Image nineSlice(const Image& strip, int frames, int frame, bool vertical, int left, int top, int right, int bottom,
                int w, int h, bool tileCentre)
{
    assert(frames >= 1 && frame >= 1 && frame <= frames);
    int fw = vertical ? strip.width() : strip.width() / frames;
    int fh = vertical ? strip.height() / frames : strip.height();
    int sx = vertical ? 0 : fw * (frame - 1);
    int sy = vertical ? fh * (frame - 1) : 0;
    if (w < left + right)
        left = right = 0;
    if (h < top + bottom)
        top = bottom = 0;
    Image out(w, h);
    stretch(out, 0, 0, left, top, strip, sx, sy, left, top);
    stretch(out, 0, h - bottom, left, bottom, strip, sx, sy + fh - bottom, left, bottom);
    stretch(out, w - right, 0, right, top, strip, sx + fw - right, sy, right, top);
    stretch(out, 0, top, left, h - top - bottom, strip, sx, sy + top, left, fh - top - bottom);
    stretch(out, left, 0, w - left - right, top, strip, sx + left, sy, fw - left - right, top);
    if (tileCentre)
        tile(out, left, top, w - left - right, h - top - bottom, strip, sx + left, sy + top, fw - left - right,
             fh - top - bottom);
    else
        stretch(out, left, top, w - left - right, h - top - bottom, strip, sx + left, sy + top, fw - left - right,
                fh - top - bottom);
    stretch(out, w - right, h - bottom, right, bottom, strip, sx + fw - right, sy + fh - bottom, right, bottom);
    stretch(out, w - right, top, right, h - top - bottom, strip, sx + fw - right, sy + top, right, fh - top - bottom);
    stretch(out, left, h - bottom, w - left - right, bottom, strip, sx + left, sy + fh - bottom, fw - left - right,
            bottom);
    return out;
}

// Copies src onto dst, leaving out exact magenta pixels.
void drawKeyed(Image& dst, const Image& src, int x, int y)
{
    for (int sy = 0; sy < src.height(); ++sy)
        for (int sx = 0; sx < src.width(); ++sx)
            if (src.at(sx, sy).rgb() != kMagenta && dst.contains(x + sx, y + sy))
                dst.at(x + sx, y + sy) = src.at(sx, sy);
}

// Writes the preview pictures.
void writePreviews(const std::string& dir)
{
    std::map<std::string, Image> skin = decodedSkin();
    writeFile(dir + "/window-active.bmp", encodeBitmap(mainWindow(skin, true), 24));
    writeFile(dir + "/window-inactive.bmp", encodeBitmap(mainWindow(skin, false), 24));
    writeFile(dir + "/controls-active.bmp", encodeBitmap(controlsWindow(skin, true), 24));
    writeFile(dir + "/controls-inactive.bmp", encodeBitmap(controlsWindow(skin, false), 24));
    writeFile(dir + "/popup.bmp", encodeBitmap(popupMenu(skin), 24));

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
