// Panels and group boxes, status bars, progress bars, tab controls, column
// headers and dialog size boxes under the skin.
#include "skin/controls/SkinPanels.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "skin/draw/BitmapUtils.h"
#include "skin/draw/SkinDraw.h"
#include "skin/draw/SkinText.h"
#include "skin/window/WinSkinForm.h"
#include "ui/ComCtrls.h"
#include "ui/Published.h"

QUORVEL_DEFINE_CLASS(TSkinBox) {}
QUORVEL_DEFINE_CLASS(TSkinStatusBar) {}
QUORVEL_DEFINE_CLASS(TSkinProgress) {}
QUORVEL_DEFINE_CLASS(TSkinTab) {}
QUORVEL_DEFINE_CLASS(TSkinHeader) {}
QUORVEL_DEFINE_CLASS(TSkinSizer) {}

namespace {

constexpr int kStatusFrames = 3;
constexpr int kProgressFrames = 2;
constexpr UINT kTabItemMask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;  // 19
constexpr int kTabTextLength = 80;
constexpr int kHeaderTextLength = 201;
// The page border's fixed edges.
const TSkinRect kBorderMargins{4, 5, 4, 4};

bool HasImage(const TDataSkinObject* Element) { return Element && !Element->Bitmap.Empty(); }

// True when the object's class, or one it derives from, is named Name.
bool ClassChainHas(const TObject* Object, const char* Name) {
  if (!Object) return false;
  for (const TClassInfo* info = &Object->ClassType(); info; info = info->Parent)
    if (info->Name == Name) return true;
  return false;
}

// Font takes the window's font (WM_GETFONT), or the GUI font when the
// window has none of its own.
void TakeWindowFont(TFont& Font, HWND Wnd) {
  HFONT source = reinterpret_cast<HFONT>(SendMessageA(Wnd, WM_GETFONT, 0, 0));
  if (!source) source = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTA lf{};
  if (GetObjectA(source, sizeof lf, &lf) == sizeof lf) Font.SetHandle(CreateFontIndirectA(&lf));
}

UINT TextFormatOf(TAlignment Alignment) {
  switch (Alignment) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    default: return DT_LEFT;
  }
}

// One panel of a status bar as the skinner paints it.
struct TStatusPanelLook {
  TRect Rect;
  int Frame;
  UINT Align;
  std::string Text;
};

// The panel frame of a bevel: 1 lowered, 2 raised, 3 none.
int FrameOfBevel(TStatusPanelBevel Bevel) {
  return Bevel == pbRaised ? 2 : Bevel == pbNone ? 3 : 1;
}

// Panel Index of a status bar window that has no component: the bevel is
// in the text's type bits, the alignment in its leading tabs.
TStatusPanelLook ReadWindowPanel(HWND Wnd, int Index) {
  TStatusPanelLook look{{0, 0, 0, 0}, 1, DT_LEFT, {}};
  SendMessageA(Wnd, SB_GETRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&look.Rect));
  const LRESULT length = SendMessageA(Wnd, SB_GETTEXTLENGTHA, static_cast<WPARAM>(Index), 0);
  std::vector<char> text(static_cast<size_t>(LOWORD(length)) + 1, '\0');
  const LRESULT kind = SendMessageA(Wnd, SB_GETTEXTA, static_cast<WPARAM>(Index),
                                    reinterpret_cast<LPARAM>(text.data()));
  const UINT type = HIWORD(kind);
  look.Frame = (type & SBT_NOBORDERS) ? 3 : (type & SBT_POPOUT) ? 2 : 1;
  look.Text = text.data();
  if (look.Text.rfind("\t\t", 0) == 0) {
    look.Align = DT_RIGHT;
    look.Text.erase(0, 2);
  } else if (look.Text.rfind('\t', 0) == 0) {
    look.Align = DT_CENTER;
    look.Text.erase(0, 1);
  }
  return look;
}

// The tab strip's side from a tab control's style: 0 top, 1 bottom, 2 left, 3 right.
uint8_t TabPositionOf(LONG_PTR Style) {
  const bool bottom = (Style & TCS_BOTTOM) != 0, vertical = (Style & TCS_VERTICAL) != 0;
  if (bottom && vertical) return 3;
  if (bottom) return 1;
  if (vertical) return 2;
  return 0;
}

}  // namespace

// ---------------------------------------------------------------------------
// TSkinBox

TSkinBox::TSkinBox(TComponent* AOwner) : TSkinControl(AOwner) {}

bool TSkinBox::BeforeProc(TMessage& Message) {
  if (Message.Msg == WM_PAINT && FControl && FSkinData &&
      (ClassChainHas(FControl, "TCustomGroupBox") || ClassChainHas(FControl, "TGroupBox")))
    FControl->Font().SetColor(FSkinData->ButtonTextColour);
  return true;
}

void TSkinBox::PaintControl(HDC, const TRect&) {}

// ---------------------------------------------------------------------------
// TSkinStatusBar

TSkinStatusBar::TSkinStatusBar(TComponent* AOwner) : TSkinControl(AOwner) {}

bool TSkinStatusBar::BeforeProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT: PaintThroughBeginPaint(*this, Message); return false;
    case WM_ERASEBKGND: Message.Result = 1; return false;
    default: return true;
  }
}

void TSkinStatusBar::PaintControl(HDC DC, const TRect& Rect) {
  TBitmap* scratch = ScratchBitmap();
  if (!scratch || !FSkinData) return;
  const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  if (w <= 0 || h <= 0) return;
  scratch->SetSize(w, h);
  TCanvas& canvas = scratch->Canvas();
  FillFace(canvas.Handle(), TRect{0, 0, w, h});
  auto* bar = dynamic_cast<TStatusBar*>(FControl);
  if (bar)
    canvas.Font().Assign(&bar->Font());
  else
    TakeWindowFont(canvas.Font(), FHandle);
  canvas.Font().SetStyle(0);
  if (FSkinData->StatusBarEdges) canvas.Font().SetColor(FSkinData->StatusBarEdges->NormalColour2);

  std::vector<TStatusPanelLook> panels;
  bool simple;
  std::string simpleText;
  if (bar) {
    simple = bar->SimplePanel() || bar->Panels().Count() == 0;
    simpleText = bar->SimpleText();
    for (int i = 0; !simple && i < bar->Panels().Count(); ++i) {
      const TStatusPanel* panel = bar->Panels().Items(i);
      TStatusPanelLook look{{0, 0, 0, 0},
                            FrameOfBevel(panel->Bevel()),
                            TextFormatOf(panel->Alignment()),
                            panel->Text()};
      SendMessageA(FHandle, SB_GETRECT, static_cast<WPARAM>(i),
                   reinterpret_cast<LPARAM>(&look.Rect));
      panels.push_back(look);
    }
  } else {
    const LRESULT parts = SendMessageA(FHandle, SB_GETPARTS, 0, 0);
    simple = SendMessageA(FHandle, SB_ISSIMPLE, 0, 0) != 0 || parts <= 0;
    if (simple) simpleText = ReadWindowPanel(FHandle, SB_SIMPLEID).Text;
    for (int i = 0; !simple && i < parts; ++i) panels.push_back(ReadWindowPanel(FHandle, i));
  }

  if (simple) {
    DrawPanel(canvas, Rect, 1, DT_LEFT, simpleText);
  } else {
    for (const TStatusPanelLook& panel : panels)
      DrawPanel(canvas, panel.Rect, panel.Frame, panel.Align, panel.Text);
  }
  CopyToWindow(*this, DC, Rect);
}

void TSkinStatusBar::DrawPanel(TCanvas& Canvas, const TRect& Rect, int Frame, UINT Align,
                               const std::string& Text) {
  HDC dc = Canvas.Handle();
  TDataSkinObject* edges = FSkinData->StatusBarEdges.get();
  if (HasImage(edges)) {
    std::unique_ptr<TBitmap> picture = DrawNineSlice(Rect, edges->Bitmap, edges->Margins, false,
                                                     edges->Tile != 0, kStatusFrames, Frame);
    if (!picture->Empty())
      BitBlt(dc, Rect.left, Rect.top, picture->Width(), picture->Height(),
             picture->Canvas().Handle(), 0, 0, SRCCOPY);
  } else {
    RECT frame = Rect;
    if (Frame == 1) Frame3D(dc, frame, clBtnShadow, clBtnHighlight, 1);
    if (Frame == 2) Frame3D(dc, frame, clBtnHighlight, clBtnShadow, 1);
  }
  DrawSkinText(Canvas, Rect, Align, true, Text.empty() ? std::string(" ") : Text);
}

// ---------------------------------------------------------------------------
// TSkinProgress

TSkinProgress::TSkinProgress(TComponent* AOwner) : TSkinControl(AOwner) {}

// Without a Progress picture the bar keeps its own painting.
bool TSkinProgress::BeforeProc(TMessage& Message) {
  if (!FSkinData || !HasImage(FSkinData->Progress.get())) return true;
  switch (Message.Msg) {
    case WM_PAINT: PaintThroughBeginPaint(*this, Message); return false;
    case WM_ERASEBKGND: Message.Result = 1; return false;
    default: return true;
  }
}

void TSkinProgress::PaintControl(HDC DC, const TRect& Rect) {
  TDataSkinObject* progress = FSkinData ? FSkinData->Progress.get() : nullptr;
  TBitmap* scratch = ScratchBitmap();
  if (!HasImage(progress) || !scratch) return;
  const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  if (w <= 0 || h <= 0) return;
  scratch->SetSize(w, h);
  HDC dc = scratch->Canvas().Handle();
  const TRect all{0, 0, w, h};
  FillFace(dc, all);
  std::unique_ptr<TBitmap> empty = DrawNineSlice(Rect, progress->Bitmap, progress->Margins, false,
                                                 progress->Tile != 0, kProgressFrames, 1);
  TransparentBlt(dc, all, *empty, SkinKeyColour);

  // The range and position live in the window, for a control of ours too.
  PBRANGE range{};
  SendMessageA(FHandle, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
  const int max = range.iHigh;
  const int position = static_cast<int>(SendMessageA(FHandle, PBM_GETPOS, 0, 0));
  if (max > 0) {
    const int filled = static_cast<int>(static_cast<int64_t>(position) * w / max);
    if (filled > 0) {
      const TRect part{Rect.left, Rect.top, Rect.left + filled, Rect.bottom};
      std::unique_ptr<TBitmap> bar = DrawNineSlice(part, progress->Bitmap, progress->Margins, false,
                                                   progress->Tile != 0, kProgressFrames, 2);
      TransparentBlt(dc, TRect{0, 0, filled, h}, *bar, SkinKeyColour);
    }
  }
  CopyToWindow(*this, DC, Rect);
}

// ---------------------------------------------------------------------------
// TSkinTab

TSkinTab::TSkinTab(TComponent* AOwner) : TSkinControl(AOwner) {
  FWorkBitmap.SetPixelFormat(TPixelFormat::pf24bit);
}

void TSkinTab::InitWindow(HWND Handle, TSkinData* SkinData, TCanvas* Canvas) {
  TSkinControl::InitWindow(Handle, SkinData, Canvas);
  FFocused = GetFocus() == FHandle;
  FEnabled = (GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_DISABLED) == 0;
  FCaption = ReadCaption();
  PrepareImages();
}

// The tab picture is taken even when the skin has no page border: then only
// the border is left to the control.
void TSkinTab::PrepareImages() {
  FTabPosition = TabPositionOf(GetWindowLongPtrA(FHandle, GWL_STYLE));
  TDataSkinBorder* tabs = FSkinData ? FSkinData->Tabs.get() : nullptr;
  if (!HasImage(tabs)) return;
  FTabImage.Assign(&tabs->Bitmap);
  FTabImage.SetPixelFormat(TPixelFormat::pf24bit);
  if (tabs->BorderBitmap.Empty()) {
    FBorderImage.Clear();
  } else {
    FBorderImage.Assign(&tabs->BorderBitmap);
    FBorderImage.SetPixelFormat(TPixelFormat::pf24bit);
  }
  switch (FTabPosition) {
    case 1:
      FlipVertical(FTabImage);
      FlipVertical(FBorderImage);
      break;
    case 2: RotateLeft(FBorderImage); break;
    case 3: RotateRight(FBorderImage); break;
    default: break;
  }
}

void TSkinTab::PaintControl(HDC DC, const TRect& Rect) {
  TDataSkinBorder* tabs = FSkinData ? FSkinData->Tabs.get() : nullptr;
  const bool hasTabs = HasImage(tabs) && !FTabImage.Empty();

  TRect D = Rect;
  SendMessageA(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&D));
  InflateRect(&D, 4, 4);
  switch (FTabPosition) {
    case 0: D.top += 1; break;
    case 1: D.bottom -= 1; break;
    case 2: D.left += 1; break;
    default: D.right -= 1; break;
  }

  if (hasTabs) {
    TRect S;
    switch (FTabPosition) {
      case 0: S = TRect{Rect.left, Rect.top, Rect.right, D.top}; break;
      case 1: S = TRect{Rect.left, D.bottom, Rect.right, Rect.bottom}; break;
      case 2: S = TRect{Rect.left, Rect.top, D.left, Rect.bottom}; break;
      default: S = TRect{D.right, Rect.top, Rect.right, Rect.bottom}; break;
    }
    PaintStrip(DC, Rect, D, S);
    if (!tabs->BorderBitmap.Empty() && !FBorderImage.Empty())
      DrawNineSliceTo(DC, D, FBorderImage, false, 1, 1, kBorderMargins);
  }
}

void TSkinTab::PaintStrip(HDC DC, const TRect& Rect, const TRect& D, const TRect& S) {
  TDataSkinBorder& tabs = *FSkinData->Tabs;
  const int sw = S.right - S.left, sh = S.bottom - S.top;
  if (sw <= 0 || sh <= 0) return;
  const bool lying = FTabPosition >= 2;
  FWorkBitmap.SetPixelFormat(TPixelFormat::pf24bit);
  FWorkBitmap.SetSize(lying ? sh : sw, lying ? sw : sh);
  TCanvas& canvas = FWorkBitmap.Canvas();
  HDC work = canvas.Handle();
  FillFace(work, TRect{0, 0, FWorkBitmap.Width(), FWorkBitmap.Height()});
  TakeWindowFont(canvas.Font(), FHandle);
  canvas.Font().SetColor(FSkinData->ButtonTextColour);

  const int count = static_cast<int>(SendMessageA(FHandle, TCM_GETITEMCOUNT, 0, 0));
  const int focused = static_cast<int>(SendMessageA(FHandle, TCM_GETCURFOCUS, 0, 0));
  const auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(FHandle, TCM_GETIMAGELIST, 0, 0));
  // Item rectangles come in client coordinates; the picture is in window ones.
  RECT window{};
  GetWindowRect(FHandle, &window);
  POINT origin{0, 0};
  ClientToScreen(FHandle, &origin);
  const int dx = origin.x - window.left, dy = origin.y - window.top;

  for (int i = 0; i < count; ++i) {
    char text[kTabTextLength + 1] = {};
    TCITEMA item{};
    item.mask = kTabItemMask;
    item.pszText = text;
    item.cchTextMax = kTabTextLength;
    SendMessageA(FHandle, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    TRect T{0, 0, 0, 0};
    SendMessageA(FHandle, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&T));
    OffsetRect(&T, dx, dy);
    switch (FTabPosition) {
      case 0: OffsetRect(&T, 0, 1); break;
      case 1: OffsetRect(&T, 0, -D.bottom - 1); break;
      case 2: {
        const int ww = FWorkBitmap.Width();
        T = TRect{ww - T.bottom, T.left, ww - T.top, T.right};
        break;
      }
      default: T = TRect{T.top - 1, Rect.right - T.right, T.bottom - 1, Rect.right - T.left}; break;
    }
    const int frame = i == focused ? 2 : 1;
    DrawNineSliceOn(work, T, FTabImage, false, tabs.Tile != 0, tabs.Trans != 0, tabs.FrameCount,
                    frame, tabs.Margins);
    canvas.Font().SetColor(frame == 1 ? tabs.NormalColour2 : tabs.MouseOverColour2);
    if (images)
      DrawTabCaption(*this, canvas, T, text, item.iImage, images);
    else
      DrawSkinText(canvas, T, DT_CENTER, true, text);
  }

  if (FTabPosition == 3) RotateRight(FWorkBitmap);
  if (FTabPosition == 2) RotateLeft(FWorkBitmap);
  BitBlt(DC, S.left, S.top, sw, sh, FWorkBitmap.Canvas().Handle(), 0, 0, SRCCOPY);
}

void DrawTabCaption(TSkinControl& Skinner, TCanvas& Canvas, const TRect& Rect,
                    const std::string& Text, int ImageIndex, HIMAGELIST ImageList) {
  const int imageSize = ImageIndex == -1 ? 0 : 16;
  const UINT format = DT_CENTER | DT_SINGLELINE | DT_EXPANDTABS;
  HDC dc = Canvas.Handle();
  Canvas.Font().SetStyle(0);
  if (!Skinner.FEnabled) Canvas.Font().SetColor(clBtnShadow);
  const TSelectObjectGuard font(dc, Canvas.Font().Handle());
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = SetTextColor(dc, ColorToRGB(Canvas.Font().Color()));

  RECT text = Rect;
  if (imageSize) text.right += imageSize + 2;
  int tw = 0, th = 0;
  if (!Text.empty()) {
    DrawTextA(dc, Text.c_str(), -1, &text, format | DT_CALCRECT | DT_NOCLIP);
    tw = text.right - text.left;
    th = text.bottom - text.top;
  }
  const int rw = Rect.right - Rect.left, rh = Rect.bottom - Rect.top;
  const int half = (rw - imageSize - tw) / 2;
  if (imageSize)
    ImageList_Draw(ImageList, ImageIndex, dc, Rect.left + half, Rect.top + (rh - 16) / 2,
                   ILD_TRANSPARENT);
  if (!Text.empty()) {
    const int left = Rect.left + imageSize + half + 1, top = Rect.top + (rh - th) / 2;
    RECT at{left, top, left + tw, top + th};
    DrawTextA(dc, Text.c_str(), -1, &at, format);
  }
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
}

// ---------------------------------------------------------------------------
// TSkinHeader

TSkinHeader::TSkinHeader(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinHeader::InitWindow(HWND Handle, TSkinData* SkinData, TCanvas* Canvas) {
  TSkinControl::InitWindow(Handle, SkinData, Canvas);
  if (TWinSkinForm* form = SkinForm()) form->FSkinners.push_back(this);
}

bool TSkinHeader::BeforeProc(TMessage& Message) {
  if (Message.Msg == WM_ERASEBKGND && FSkinData && HasImage(FSkinData->Headerbar.get())) {
    Message.Result = 1;
    return false;
  }
  return true;
}

// A Headerbar element without a picture leaves the header to the platform,
// like a missing one.
void TSkinHeader::PaintControl(HDC DC, const TRect& Rect) {
  TDataSkinObject* bar = FSkinData ? FSkinData->Headerbar.get() : nullptr;
  if (!HasImage(bar)) return;
  const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  if (w <= 0 || h <= 0) return;
  TBitmap picture;
  picture.SetSize(w, h);
  HDC dc = picture.Canvas().Handle();
  const HFONT font = reinterpret_cast<HFONT>(SendMessageA(FHandle, WM_GETFONT, 0, 0));
  const HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
  SetBkMode(dc, TRANSPARENT);

  // A frame-1 picture of R copied there.
  auto background = [&](const TRect& R) {
    std::unique_ptr<TBitmap> piece =
        DrawNineSlice(R, bar->Bitmap, bar->Margins, false, bar->Tile != 0, bar->FrameCount, 1);
    if (!piece->Empty())
      BitBlt(dc, R.left, R.top, piece->Width(), piece->Height(), piece->Canvas().Handle(), 0, 0,
             SRCCOPY);
  };

  const int count = static_cast<int>(SendMessageA(FHandle, HDM_GETITEMCOUNT, 0, 0));
  int right = 0;
  for (int i = 0; i < count; ++i) {
    TRect r{0, 0, 0, 0};
    SendMessageA(FHandle, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    char text[kHeaderTextLength + 1] = {};
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.pszText = text;
    item.cchTextMax = kHeaderTextLength;
    SendMessageA(FHandle, HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    background(r);
    if (text[0]) {
      const int justify = item.fmt & HDF_JUSTIFYMASK;
      const UINT format = justify == HDF_RIGHT    ? DT_RIGHT
                          : justify == HDF_CENTER ? DT_CENTER
                                                  : DT_LEFT;
      RECT m = r;
      DrawTextA(dc, text, -1, &m, format | DT_CALCRECT);
      const int tw = m.right - m.left, th = m.bottom - m.top;
      const int top = r.top + (r.bottom - r.top - th) / 2;
      const int left = format == DT_CENTER  ? r.left + (r.right - r.left - tw) / 2
                       : format == DT_RIGHT ? r.right - 4 - tw
                                            : r.left + 4;
      RECT at{left, top, left + tw, top + th};
      DrawTextA(dc, text, -1, &at, format);
    }
    right = std::max<int>(right, r.right);
  }
  if (right < Rect.right) background(TRect{right, Rect.top, Rect.right, Rect.bottom});

  BitBlt(DC, Rect.left, Rect.top, w, h, dc, 0, 0, SRCCOPY);
  if (oldFont) SelectObject(dc, oldFont);
}

// ---------------------------------------------------------------------------
// TSkinSizer

TSkinSizer::TSkinSizer(TComponent* AOwner) : TSkinControl(AOwner) {}

// The paint request is answered by validating the window: nothing is drawn.
bool TSkinSizer::BeforeProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      SkinTrace("****Size Paint");
      ValidateRect(FHandle, nullptr);
      Message.Result = 0;
      return false;
    case WM_ERASEBKGND: Message.Result = 1; return false;
    default: return true;
  }
}
