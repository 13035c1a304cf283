// Combo boxes and edits as the skin paints them: the drop-down button is the
// combo button strip's frame for the state with the arrow glyph centred on
// it; an edit's border is a line of the skin's shadow colour around the
// edit's own background.
#include <gtest/gtest.h>

#include <functional>

#include "SkinControlsKit.h"

#include <commctrl.h>

#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinEdit.h"

namespace {

// The drop-down button of a combo box H pixels high, in frame Frame.
TShot ExpectedComboButton(int Frame, int H) {
  const int bw = GetSystemMetrics(SM_CXHSCROLL) + 2;
  TShot want =
      ExpectedStrip(Skin().ComboButton->Bitmap, Skin().ComboButton->FrameCount, Frame, bw, H);
  TDataSkinObject& arrow = *Skin().ExtraImages;
  const TShot glyph = PixelsOf(arrow.Bitmap);
  const int gw = glyph.Width / arrow.FrameCount, left = (bw - gw) / 2, top = (H - glyph.Height) / 2;
  for (int y = std::max(0, -top); y < glyph.Height && top + y < H; ++y)
    for (int x = std::max(0, -left); x < gw && left + x < bw; ++x)
      if (glyph.At(gw * (Frame - 1) + x, y) != RGB(255, 0, 255))
        want.Pixels[size_t(top + y) * size_t(bw) + size_t(left + x)] =
            glyph.At(gw * (Frame - 1) + x, y);
  return want;
}

TEST(ComboBoxSkin, ButtonIsTheComboButtonFrameOfTheState) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_USEREX_CLASSES};
  InitCommonControlsEx(&icc);
  const struct {
    const char* Name;
    const char* ClassName;
    DWORD Style;
  } kinds[] = {
      {"drop-down list", "combobox", CBS_DROPDOWNLIST | WS_VSCROLL},
      {"editable", "combobox", CBS_DROPDOWN | WS_VSCROLL},
      {"extended (its inner combo box)", WC_COMBOBOXEXA, CBS_DROPDOWNLIST},
  };
  const auto press = [](HWND c) {
    RECT r;
    GetClientRect(c, &r);
    SendMessageA(c, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right - 5, r.bottom / 2));
  };
  // The mouse comes and goes as our controls tell it (CM_MOUSEENTER/LEAVE).
  const auto enter = [](HWND c) { SendMessageA(c, CM_MOUSEENTER, 0, 0); };
  const std::pair<const char*, std::function<void(HWND, HWND)>> rows[] = {
      {"normal", [](HWND, HWND) {}},
      {"focused", [](HWND c, HWND) { SetFocus(c); }},
      {"focus gone again", [](HWND c, HWND form) { SetFocus(c), SetFocus(form); }},
      {"dropped by the button", [&](HWND c, HWND) { press(c); }},
      {"disabled", [](HWND c, HWND) { Disable(c); }},
      {"under the mouse", [&](HWND c, HWND) { enter(c); }},
      {"disabled under the mouse", [&](HWND c, HWND) { enter(c), Disable(c); }},
      {"mouse gone",
       [&](HWND c, HWND) { enter(c), Disable(c), SendMessageA(c, CM_MOUSELEAVE, 0, 0); }},
  };
  const int frames[] = {1, 4, 1, 2, 3, 4, 4, 3};
  THost host;
  for (const auto& kind : kinds) {
    for (size_t i = 0; i < std::size(rows); ++i) {
      host.Activate();
      HWND outer = host.Child(kind.ClassName, kind.Style, 20, 20, 160, 200);
      HWND c = lstrcmpA(kind.ClassName, WC_COMBOBOXEXA) == 0 ? GetTopWindow(outer) : outer;
      host.Skin<TSkinComBox>(c);
      PumpMessages();
      rows[i].second(c, host.FForm->Handle());
      const TShot shot = CaptureWindow(c);
      const int bw = GetSystemMetrics(SM_CXHSCROLL) + 2;
      EXPECT_EQ(Mismatches(shot, TRect{shot.Width - bw, 0, 0, 0},
                           ExpectedComboButton(frames[i], shot.Height)),
                0)
          << kind.Name << ", " << rows[i].first;
      SendMessageA(c, CB_SHOWDROPDOWN, FALSE, 0);
      DestroyWindow(outer);
    }
  }
}

TEST(EditSkin, BorderIsAShadowLineAroundTheEditsOwnBackground) {
  const std::pair<const char*, DWORD> rows[] = {
      {"enabled", 0}, {"disabled", WS_DISABLED}, {"read-only", ES_READONLY}};
  THost host;
  const COLORREF shadow = ColorToRGB(Skin().ButtonShadowColour);
  for (const auto& [name, style] : rows) {
    HWND e = host.Child("edit", ES_AUTOHSCROLL | style, 20, 20, 160, 26, "", WS_EX_CLIENTEDGE);
    host.Skin<TSkinEdit>(e);
    RedrawWindow(e, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
    const TShot shot = CaptureWindow(e);
    const COLORREF inside = shot.At(shot.Width / 2, shot.Height / 2);
    int bad = 0;
    for (int y = 0; y < shot.Height; ++y)
      for (int x = 0; x < shot.Width; ++x) {
        const int ring =
            std::min(std::min(x, y), std::min(shot.Width - 1 - x, shot.Height - 1 - y));
        if (ring <= 2) bad += shot.At(x, y) != (ring == 0 ? shadow : inside);
      }
    EXPECT_EQ(bad, 0) << name;
    DestroyWindow(e);
  }
}

}  // namespace
