#include "skin/data/WinSkinData.h"

#include <cassert>
#include <exception>

#include "skin/data/IniFile.h"
#include "skin/data/SkinManager.h"
#include "skin/data/SkinReader.h"
#include "skin/data/SkinStore.h"
#include "ui/Published.h"

namespace {

// The names of the window borders, in Borders order.
const char* const BorderNames[5] = {nullptr, "Left", "Right", "Top", "Bottom"};

// The reader's message as a modal message box.
void ShowSkinMessageBox(const std::string& Text) {
  MessageBoxA(GetActiveWindow(), Text.c_str(), nullptr, MB_OK | MB_ICONWARNING);
}

// A colour of the description as the graphics layer's colour type.
TColor AsColor(TSkinColour Colour) { return static_cast<TColor>(Colour); }

}  // namespace

// Nothing is written: a build for debugging may route the texts to a debugger.
void SkinTrace(const std::string&) {}

// ---------------------------------------------------------------------------

// An empty element named AName.
TDataSkinObject::TDataSkinObject(const std::string& AName) : Name(AName) {}

// ---------------------------------------------------------------------------

QUORVEL_DEFINE_CLASS(TSkinData) {
  // None of the properties has a default value: each is written to every
  // definition (texts when they are not empty).
  p.Bool("Active", &TSkinData::Active, &TSkinData::SetActive).AlwaysStored();
  p.Integer("DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag).AlwaysStored();
  p.Set("SkinControls", &TSkinData::SkinControls, &TSkinData::SetSkinControls,
        {"xcMainMenu", "xcPopupMenu", "xcToolbar", "xcControlbar", "xcCombo", "xcCheckBox",
         "xcRadioButton", "xcProgress", "xcScrollbar", "xcEdit", "xcButton", "xcBitBtn",
         "xcSpeedButton", "xcPanel", "xcGroupBox", "xcStatusBar", "xcTab"})
      .AlwaysStored();
  p.String("SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile);
  p.String("SkinStore", &TSkinData::GetSkinStore, &TSkinData::SetSkinStore);
  p.Enum("SkinFormtype", &TSkinData::SkinFormtype, &TSkinData::SetSkinFormtype,
         {"sfMainform", "sfOnlyThisForm", "sfDialog"})
      .AlwaysStored();
  p.Event("OnFormSkin", &TSkinData::OnFormSkin);
  p.Event("OnSkinChanged", &TSkinData::OnSkinChanged);
}

// Makes the permanent elements and, at run time, registers with the manager.
TSkinData::TSkinData(TComponent* AOwner) : TComponent(AOwner) {
  Button = std::make_unique<TDataSkinButton>("Buttons");
  for (int i = 1; i <= 4; ++i) Borders[i] = std::make_unique<TDataSkinBorder>(BorderNames[i]);
  Title = std::make_unique<TDataSkinTitle>("Title");
  if (IsDesigning()) return;
  // The first component at run time gives the skin reader its message box.
  static const bool messageBoxInstalled = (SkinMessageProc = ShowSkinMessageBox, true);
  (void)messageBoxInstalled;
  if (!SkinManager) SkinManager = new TSkinManage();
  SkinManager->AddSkinData(this);
}

// Unregisters; the members free the elements, bitmaps and brush.
TSkinData::~TSkinData() {
  Destroying();
  if (SkinManager) SkinManager->RemoveSkinData(this);
}

// "SkinStream" is always written, also for an empty store.
void TSkinData::DefineProperties(TFiler& Filer) {
  inherited::DefineProperties(Filer);
  Filer.DefineBinaryProperty(
      "SkinStream", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); },
      true);
}

// Takes a stored skin file and loads it at once, except in design mode.
void TSkinData::ReadData(TStream& Stream) {
  if (ReadSkinStorePayload(Stream, SkinStream) && !IsDesigning()) LoadSkinStore();
}

// The store's size and bytes.
void TSkinData::WriteData(TStream& Stream) { WriteSkinStorePayload(Stream, SkinStream); }

// Unpacks the store, reads the archive and parses its description. Anything
// that goes wrong on the way leaves the component empty.
bool TSkinData::LoadSkinStore() {
  SkinEmpty = true;
  if (IsDesigning()) return false;
  try {
    TSkinReader reader;
    std::string description;
    switch (OpenSkinFile(SkinStream, reader, description)) {
      case TSkinOpenResult::NotLoaded: return false;
      case TSkinOpenResult::NoDescription:
        return true;  // an archive, but no skin: the component stays empty
      case TSkinOpenResult::Opened: ParseDescription(description, reader); return true;
    }
  } catch (const std::exception&) {
    // A damaged store (or a skin too big for memory) is no skin.
    SkinEmpty = true;
  }
  return false;
}

// Takes a skin file from disk at run time; in design mode only forgets the store.
void TSkinData::SetSkinFile(const std::string& Value) {
  SkinEmpty = true;
  FSkinFile = Value;
  if (IsDesigning()) {
    if (!Value.empty() && SkinStream.Size() > 0) SkinStream.Clear();
    return;
  }
  if (Value.empty() || !FileExists(Value)) return;
  std::vector<uint8_t> bytes;
  try {
    bytes = ReadFileBytes(Value);
  } catch (const EStreamError&) {
    return;  // unreadable: as if it did not exist
  }
  SkinStream.Clear();
  SkinStream.WriteBuffer(bytes.data(), bytes.size());
  LoadSkinStore();
  NotifySkinChanged();
}

// The design-time indicator of the store.
std::string TSkinData::GetSkinStore() const {
  return IsDesigning() && !SkinStream.Bytes().empty() ? "(Good)" : "(none)";
}

// The stored indicator has no effect.
void TSkinData::SetSkinStore(const std::string&) {}

// Stores the value; a main-form component at run time also asks the manager
// to switch skinning on (when there is a skin) or off.
void TSkinData::SetActive(bool Value) {
  if (Value == FActive) return;
  FActive = Value;
  if (IsDesigning() || IsLoading() || FSkinFormtype != sfMainform) return;
  if (Value && SkinEmpty) return;
  assert(SkinManager);
  SkinManager->Request(Value ? TSkinManage::raSwitchOn : TSkinManage::raSwitchOff);
}

// Once the form is read: skinning starts when it is wanted and a skin is there.
void TSkinData::Loaded() {
  inherited::Loaded();
  if (IsDesigning() || !FActive) return;
  if (SkinEmpty) {
    FActive = false;
    return;
  }
  assert(SkinManager);
  SkinManager->Request(TSkinManage::raSwitchOn);
}

// Main-form components at run time tell the manager about their new skin.
void TSkinData::NotifySkinChanged() {
  if (IsDesigning() || IsLoading() || FSkinFormtype != sfMainform || !SkinManager) return;
  SkinManager->ChangedSkinData = this;
  SkinManager->Request(TSkinManage::raSkinChanged);
}

// Fires OnSkinChanged.
void TSkinData::DoSkinChanged() { OnSkinChanged(this); }

// Report previews are never skinned; other classes are up to OnFormSkin.
void TSkinData::CheckFormSkin(const std::string& ClassName, bool& DoSkin) {
  if (ClassName == "TQRStandardPreview" || ClassName == "TfrPreviewForm") {
    DoSkin = false;
    return;
  }
  if (OnFormSkin) OnFormSkin(this, ClassName, DoSkin);
}

// The list colour at Index, if there is one.
bool TSkinData::GetListColour(int Index, TColor& Colour) const {
  if (Index < 0 || static_cast<size_t>(Index) >= ColourList.size()) return false;
  Colour = ColourList[static_cast<size_t>(Index)];
  return true;
}

// ---------------------------------------------------------------------------
// The description

// Reads every element in a fixed order, then derives the frame counts.
void TSkinData::ParseDescription(const std::string& Description, TSkinReader& Reader) {
  // Skinned windows may paint before they hear of the change: they must not
  // hold on to the entries read here over.
  if (SkinManager) SkinManager->SkinDataReloading(this);
  const TProfileIni ini(Description);
  FIni = &ini;
  FReader = &Reader;
  struct TParseScope {
    TSkinData& Owner;
    ~TParseScope() {
      Owner.FIni = nullptr;
      Owner.FReader = nullptr;
    }
  } scope{*this};

  SkinName = ini.ReadString("TitlebarSkin", "SkinName", "");
  ReadBorders();
  ReadSysButtons();
  ReadButtons();
  ReadColours();
  ReadTitle(*Title, "Personality");
  ReadBitmapElement(Progress, "Progress");
  ReadMenuBar(MenuBar, "Personality");
  ReadElement(GroupBoxEdge, "GroupBoxEdge");
  ReadElement(Toolbars, "Toolbars");
  ReadBorderElement(Tabs, "Tabs", "Border");
  ReadElement(StatusBarEdges, "StatusBarEdges");
  ReadElement(ComboButton, "ComboButton");
  ReadElement(SunkEdge, "SunkEdge");
  ReadElement(ExtraImages, "ExtraImages");
  ReadElement(Headerbar, "Headerbar");
  ReadElement(MenuItem, "MenuItem");
  ReadElement(MenuBackground, "MenuBackground");
  ReadElement(Scrollbar, "Scrollbar");
  ReadElement(HorzScroll, "HorzScroll");
  ReadElement(VertScroll, "VertScroll");
  ReadElement(HorzScrollThumb, "HorzScrollThumb");
  ReadElement(VertScrollThumb, "VertScrollThumb");
  SetFrameCounts();

  // The brush needs a plain colour: system colours are looked up now.
  FFaceBrush.Reset(CreateSolidBrush(ColorToRGB(ButtonFaceColour)));
  SkinEmpty = false;
}

// Loads the archive entry that Value names, or empties the bitmap.
void TSkinData::LoadBitmap(TBitmap& Bitmap, const std::string& Value) {
  assert(FReader);
  const std::string entryName = SkinBitmapEntryName(Value);
  TMemoryStream entry;
  if (!entryName.empty()) FReader->GetEntry(entryName, entry);
  if (entry.Size() == 0) {
    Bitmap.Clear();
    return;
  }
  Bitmap.LoadFromStream(entry);
}

// Prefix+"R", "G", "B" into Colour when all three are given and not negative.
void TSkinData::ReadRGB(const std::string& Section, const std::string& Prefix, TColor& Colour) {
  const int32_t r = FIni->ReadInteger(Section, Prefix + "R", -1);
  const int32_t g = FIni->ReadInteger(Section, Prefix + "G", -1);
  const int32_t b = FIni->ReadInteger(Section, Prefix + "B", -1);
  if (r >= 0 && g >= 0 && b >= 0) Colour = AsColor(SkinRGB(r, g, b));
}

// The four window borders from [Personality].
void TSkinData::ReadBorders() {
  const std::string section = "Personality";
  for (int i = 1; i <= 4; ++i) {
    TDataSkinBorder& border = *Borders[i];
    const std::string name = BorderNames[i];
    const int32_t first = FIni->ReadInteger(section, name + "TopHeight", 0);
    const int32_t last = FIni->ReadInteger(section, name + "BotHeight", 0);
    if (i <= 2) {
      border.Margins = Rect(0, first, 0, last);  // side borders: fixed top and bottom
    } else {
      border.Margins = Rect(first, 0, last, 0);  // top and bottom: fixed left and right
    }
    border.FrameCount = FIni->ReadInteger(section, name + "Frame", 1);
    border.Tile = FIni->ReadInteger(section, name + "Stretch", 1);
    border.Trans = FIni->ReadInteger(section, name + "Trans", 1);
    LoadBitmap(border.Bitmap, FIni->ReadString(section, name, ""));
  }
}

// One title-bar button per button section, then the three MDI child buttons.
void TSkinData::ReadSysButtons() {
  SysButtons.clear();
  for (const std::string& section : FIni->SectionNames()) {
    if (!IsSysButtonSection(section)) continue;
    auto button = std::make_unique<TDataSkinSysButton>(AnsiUpperCase(section));
    button->Action = FIni->ReadInteger(section, "Action", 0);
    button->Align = FIni->ReadInteger(section, "Align", 0);
    button->XCoord = FIni->ReadInteger(section, "Xcoord", 0);
    button->YCoord = FIni->ReadInteger(section, "Ycoord", 0);
    button->Visibility = FIni->ReadInteger(section, "Visibility", 0);
    button->Visibility1 = FIni->ReadInteger(section, "Visibility1", 0);
    button->CombineOp = FIni->ReadInteger(section, "CombineOp", -1);
    button->FrameCount = FIni->ReadInteger(section, "frame", 0);
    LoadBitmap(button->Bitmap, FIni->ReadString(section, "ButtonImage", ""));
    if (button->FrameCount == 0) {
      button->FrameCount =
          SysButtonFrameCount(button->Bitmap.Width(), button->Bitmap.Height(), button->Action);
      // These actions draw no picture of their own.
      if (button->Action == 3 || button->Action == 11) button->Bitmap.Clear();
    }
    SysButtons.push_back(std::move(button));
  }

  const size_t first = SysButtons.size();
  for (int32_t action = 7; action <= 9; ++action) {
    auto button = std::make_unique<TDataSkinSysButton>("MDICONTROLS");
    button->Action = action;
    button->Align = 100;
    button->Visibility = 100;
    button->Visibility1 = 0;
    button->FrameCount = 4;
    SysButtons.push_back(std::move(button));
  }
  ReadMdiControls(first);
}

// Cuts [MDICONTROLS] "Image" into three strips of four frames each.
void TSkinData::ReadMdiControls(size_t FirstIndex) {
  assert(FirstIndex + 3 <= SysButtons.size());
  TBitmap source;
  LoadBitmap(source, FIni->ReadString("MDICONTROLS", "Image", ""));
  if (source.Empty()) return;
  const int w = source.Width() / 12;
  const int h = source.Height();
  for (int i = 0; i < 3; ++i) {
    TDataSkinSysButton& button = *SysButtons[FirstIndex + static_cast<size_t>(i)];
    button.Bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    button.Bitmap.SetSize(4 * w, h);
    if (!button.Bitmap.Empty()) {
      button.Bitmap.Canvas().CopyRect(Rect(0, 0, 4 * w, h), source.Canvas(),
                                      Rect(4 * w * i, 0, 4 * w * (i + 1), h));
    }
    button.XCoord = MdiButtonXCoord(w, i);
  }
}

// The push button, check box and radio button pictures from [Buttons].
void TSkinData::ReadButtons() {
  const std::string section = "Buttons";
  TDataSkinButton& button = *Button;
  button.Margins = Rect(
      FIni->ReadInteger(section, "LeftWidth", 0), FIni->ReadInteger(section, "TopHeight", 0),
      FIni->ReadInteger(section, "RightWidth", 0), FIni->ReadInteger(section, "BottomHeight", 0));
  button.Trans = FIni->ReadInteger(section, "Trans", 0);
  LoadBitmap(button.Bitmap, FIni->ReadString(section, "Bitmap", ""));
  LoadBitmap(button.CheckBitmap, FIni->ReadString(section, "CheckButton", ""));
  LoadBitmap(button.RadioBitmap, FIni->ReadString(section, "RadioButton", ""));
  button.RadioFrameCount = FIni->ReadInteger(section, "RadioButtonFrame", 0);
  button.CheckFrameCount = FIni->ReadInteger(section, "CheckButtonFrame", 0);
  ReadElementColours(button, section);
}

// The system colours of [Colours], then the colour list sections.
void TSkinData::ReadColours() {
  const std::string section = "Colours";
  // One colour text of [Colours] through ReadColour.
  auto colour = [&](const char* key, TSkinColour defaultColour) {
    return AsColor(ReadColour(FIni->ReadString(section, key, ""), defaultColour));
  };
  WindowTextColour = colour("WindowText", SkinSysColour::WindowText);
  ButtonFaceColour = colour("ButtonFace", SkinSysColour::BtnFace);
  ScrollbarColour = colour("Scrollbar", SkinSysColour::ScrollBar);
  HilightTextColour = colour("HilightText", SkinSysColour::HighlightText);
  HilightColour = colour("Hilight", SkinSysColour::Highlight);
  MenubarColour = colour("Menubar", static_cast<TSkinColour>(ButtonFaceColour));
  MenuColour = colour("Menu", SkinSysColour::Menu);
  // Without a MenuText key the button face text stands in for it.
  const std::string faceText = FIni->ReadString(section, "ButtonFace", "");
  MenuTextColour =
      AsColor(ReadColour(FIni->ReadString(section, "MenuText", faceText), SkinSysColour::MenuText));
  ButtonTextColour = colour("ButtonText", SkinSysColour::BtnText);
  ButtonHilightColour = colour("ButtonHilight", SkinSysColour::BtnHighlight);
  ButtonLightColour = colour("Buttonlight", SkinSysColour::BtnHighlight);
  ButtonShadowColour = colour("ButtonShadow", SkinSysColour::BtnShadow);
  ButtonDkShadowColour = colour("ButtonDkShadow", SkinSysColour::BtnShadow);
  MenuBarTextColour = colour("MenuBarText", SkinSysColour::Menu);
  TitleTextActiveColour = colour("TitleTextActive", SkinSysColour::CaptionText);
  TitleTextInactiveColour = colour("TitleTextActive", SkinSysColour::InactiveCaptionText);

  ColourList.clear();
  for (const std::string& listSection : FIni->SectionNames()) {
    if (!IsColourListSection(listSection)) continue;
    ColourList.push_back(
        AsColor(ReadColour(FIni->ReadString(listSection, "color", ""), SkinSysColour::WindowText)));
  }
}

// The caption: text background picture, text placement, font height, colours.
void TSkinData::ReadTitle(TDataSkinTitle& Element, const std::string& Section) {
  LoadBitmap(Element.Bitmap, FIni->ReadString(Section, "TextBack", ""));
  Element.Margins = Rect(FIni->ReadInteger(Section, "TextShift", 0),
                         FIni->ReadInteger(Section, "TextShiftVert", 0),
                         FIni->ReadInteger(Section, "TextRightClip", 0), 0);
  Element.TextAlignment = FIni->ReadInteger(Section, "TextAlignment", 0);
  Element.TextBackground = FIni->ReadInteger(Section, "Textbackground", 0);
  Element.FontHeight = FIni->ReadInteger("Fonts", "FontHeight", 14);
  Element.TextBackLeft = FIni->ReadInteger(Section, "TXTBackleft", 0);
  Element.TextBackRight = FIni->ReadInteger(Section, "TXTBackRight", 0);
  Element.ActiveTextColour = clNone;
  Element.InactiveTextColour = clNone;
  ReadRGB(Section, "ActiveText", Element.ActiveTextColour);
  ReadRGB(Section, "InActiveText", Element.InactiveTextColour);
}

// An element whose picture key is "Bitmap" and which has no colours.
void TSkinData::ReadBitmapElement(std::unique_ptr<TDataSkinObject>& Element,
                                  const std::string& Section) {
  Element.reset();
  const std::string image = FIni->ReadString(Section, "Bitmap", "");
  if (image.empty()) return;
  Element = std::make_unique<TDataSkinObject>(Section);
  LoadBitmap(Element->Bitmap, image);
  ReadElementShape(*Element, Section);
}

// The menu bar picture of [Personality] and how its centre is filled.
void TSkinData::ReadMenuBar(std::unique_ptr<TDataSkinObject>& Element, const std::string& Section) {
  Element.reset();
  const std::string image = FIni->ReadString(Section, "menuBar", "");
  if (image.empty()) return;
  Element = std::make_unique<TDataSkinObject>(Section);
  LoadBitmap(Element->Bitmap, image);
  Element->Tile = FIni->ReadInteger(Section, "TileMenu", 0);
  Element->Margins = Rect(FIni->ReadInteger(Section, "TileLeftMenu", 1), 0,
                          FIni->ReadInteger(Section, "TileRightMenu", 1), 0);
}

// An element with an "Image" picture, margins, flags and colours.
void TSkinData::ReadElement(std::unique_ptr<TDataSkinObject>& Element, const std::string& Section) {
  Element.reset();
  const std::string image = FIni->ReadString(Section, "Image", "");
  if (image.empty()) return;
  Element = std::make_unique<TDataSkinObject>(Section);
  LoadBitmap(Element->Bitmap, image);
  ReadElementShape(*Element, Section);
  ReadElementColours(*Element, Section);
}

// ReadElement with a border picture named by ExtraKey.
void TSkinData::ReadBorderElement(std::unique_ptr<TDataSkinBorder>& Element,
                                  const std::string& Section, const std::string& ExtraKey) {
  Element.reset();
  const std::string image = FIni->ReadString(Section, "Image", "");
  if (image.empty()) return;
  Element = std::make_unique<TDataSkinBorder>(Section);
  LoadBitmap(Element->Bitmap, image);
  const std::string border = FIni->ReadString(Section, ExtraKey, "");
  if (!border.empty()) LoadBitmap(Element->BorderBitmap, border);
  ReadElementShape(*Element, Section);
  ReadElementColours(*Element, Section);
}

// Margins, "Trans" and "Tile", all 0 unless given.
void TSkinData::ReadElementShape(TDataSkinObject& Element, const std::string& Section) {
  Element.Margins = Rect(
      FIni->ReadInteger(Section, "LeftWidth", 0), FIni->ReadInteger(Section, "TopHeight", 0),
      FIni->ReadInteger(Section, "RightWidth", 0), FIni->ReadInteger(Section, "BottomHeight", 0));
  Element.Trans = FIni->ReadInteger(Section, "Trans", 0);
  Element.Tile = FIni->ReadInteger(Section, "Tile", 0);
}

// The state colour numbers (-1 unless given) and second colours.
void TSkinData::ReadElementColours(TDataSkinObject& Element, const std::string& Section) {
  Element.NormalColour = FIni->ReadInteger(Section, "NormalColour", -1);
  Element.MouseOverColour = FIni->ReadInteger(Section, "MouseOverColour", -1);
  Element.PressedColour = FIni->ReadInteger(Section, "PressedColour", -1);
  Element.NormalColour2 = AsColor(
      ReadColour(FIni->ReadString(Section, "NormalColour2", ""), SkinSysColour::WindowText));
  Element.MouseOverColour2 = AsColor(
      ReadColour(FIni->ReadString(Section, "MouseOverColour2", ""), SkinSysColour::WindowText));
  Element.PressedColour2 = AsColor(
      ReadColour(FIni->ReadString(Section, "PressedColour2", ""), SkinSysColour::WindowText));
}

// The fixed frame counts of the elements, and the check and radio counts.
void TSkinData::SetFrameCounts() {
  // Sets the count of an element that exists.
  auto set = [](const std::unique_ptr<TDataSkinObject>& element, int32_t count) {
    if (element) element->FrameCount = count;
  };
  Button->FrameCount = 5;
  Title->FrameCount = 2;
  set(Progress, 2);
  set(MenuBar, 2);
  set(GroupBoxEdge, 2);
  set(StatusBarEdges, 3);
  set(ComboButton, 4);
  set(SunkEdge, 4);
  set(HorzScroll, 4);
  set(VertScroll, 4);
  set(Toolbars, 5);
  if (Tabs) Tabs->FrameCount = 5;
  set(ExtraImages, 5);
  set(Headerbar, 5);
  set(MenuItem, 5);
  set(MenuBackground, 1);
  set(Scrollbar, 23);
  set(HorzScrollThumb, FIni->ReadInteger("HorzScrollThumb", "FrameCount", 3));
  set(VertScrollThumb, FIni->ReadInteger("VertScrollThumb", "FrameCount", 3));

  if (Button->RadioFrameCount == 0)
    Button->RadioFrameCount =
        ToggleFrameCount(Button->RadioBitmap.Width(), Button->RadioBitmap.Height());
  if (Button->CheckFrameCount == 0)
    Button->CheckFrameCount =
        ToggleFrameCount(Button->CheckBitmap.Width(), Button->CheckBitmap.Height());
}
