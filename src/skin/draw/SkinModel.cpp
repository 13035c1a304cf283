#include "skin/draw/SkinModel.h"

#include <cassert>
#include <utility>

namespace {

// Bitmap takes Image's pixels, or becomes empty with an empty image. The
// image's memory goes at once, so that a skin is never held twice over.
void LoadPicture(TBitmap& Bitmap, TDibImage& Image) {
  if (Image.Width <= 0 || Image.Height <= 0) {
    Bitmap.Clear();
    return;
  }
  Bitmap.LoadFromImage(Image);
  Image = TDibImage{};
}

// Element takes the values and the picture of Source.
void Fill(TDataSkinObject& Element, TSkinElement& Source) {
  static_cast<TSkinElementValues&>(Element) = Source;
  LoadPicture(Element.Bitmap, Source.Bitmap);
  Element.Composed.Clear();
}

// A new element of Source, or null when the description gave none.
std::unique_ptr<TDataSkinObject> Made(const std::unique_ptr<TSkinElement>& Source) {
  if (!Source) return nullptr;
  auto element = std::make_unique<TDataSkinObject>(Source->Name);
  Fill(*element, *Source);
  return element;
}

// A new border element of Source (with its edge picture), or null.
std::unique_ptr<TDataSkinBorder> MadeBorder(const std::unique_ptr<TSkinBorderElement>& Source) {
  if (!Source) return nullptr;
  auto element = std::make_unique<TDataSkinBorder>(Source->Name);
  Fill(*element, *Source);
  LoadPicture(element->BorderBitmap, Source->BorderBitmap);
  return element;
}

}  // namespace

// An empty element named AName.
TDataSkinObject::TDataSkinObject(const std::string& AName) { Name = AName; }

// The caption, the push button and the four borders live as long as the model.
TSkinModel::TSkinModel() {
  Title = std::make_unique<TDataSkinTitle>("Title");
  Button = std::make_unique<TDataSkinButton>("Buttons");
  for (int i = 1; i <= 4; ++i)
    Borders[size_t(i)] = std::make_unique<TDataSkinBorder>(SkinBorderNames[i]);
}

// The members free the elements, bitmaps and brush.
TSkinModel::~TSkinModel() = default;

// Element by element, in the order of the description's reading.
void TSkinModel::Install(TSkinValues&& Values) {
  assert(Title && Button);
  SkinName = std::move(Values.SkinName);
  static_cast<TSkinColours&>(*this) = std::move(Values);

  for (size_t i = 1; i <= 4; ++i) {
    Fill(*Borders[i], Values.Borders[i]);
    LoadPicture(Borders[i]->BorderBitmap, Values.Borders[i].BorderBitmap);
  }
  SysButtons.clear();
  for (TSkinSysButtonElement& source : Values.SysButtons) {
    auto button = std::make_unique<TDataSkinSysButton>(source.Name);
    Fill(*button, source);
    static_cast<TSkinSysButtonValues&>(*button) = source;
    SysButtons.push_back(std::move(button));
  }
  Fill(*Button, Values.Button);
  static_cast<TSkinButtonValues&>(*Button) = Values.Button;
  LoadPicture(Button->CheckBitmap, Values.Button.CheckBitmap);
  LoadPicture(Button->RadioBitmap, Values.Button.RadioBitmap);
  Fill(*Title, Values.Title);
  static_cast<TSkinTitleValues&>(*Title) = Values.Title;

  Progress = Made(Values.Progress);
  MenuBar = Made(Values.MenuBar);
  GroupBoxEdge = Made(Values.GroupBoxEdge);
  Toolbars = Made(Values.Toolbars);
  Tabs = MadeBorder(Values.Tabs);
  StatusBarEdges = Made(Values.StatusBarEdges);
  ComboButton = Made(Values.ComboButton);
  SunkEdge = Made(Values.SunkEdge);
  ExtraImages = Made(Values.ExtraImages);
  Headerbar = Made(Values.Headerbar);
  MenuItem = Made(Values.MenuItem);
  MenuBackground = Made(Values.MenuBackground);
  Scrollbar = Made(Values.Scrollbar);
  HorzScroll = Made(Values.HorzScroll);
  VertScroll = Made(Values.VertScroll);
  HorzScrollThumb = Made(Values.HorzScrollThumb);
  VertScrollThumb = Made(Values.VertScrollThumb);

  // The brush needs a plain colour: system colours are looked up now.
  FFaceBrush.Reset(CreateSolidBrush(ColorToRGB(ButtonFaceColour)));
  SkinEmpty = false;
}
