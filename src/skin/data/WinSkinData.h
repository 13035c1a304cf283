// The skin model and the component that holds it. TSkinData keeps a skin
// file (its skin store) and, once loaded, the skin's elements: picture strips
// with fixed margins, flags and colours, which every painter of the skin
// engine reads through the public members below.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "skin/data/SkinDescription.h"
#include "ui/Classes.h"
#include "ui/Graphics.h"

class TProfileIni;
class TSkinReader;

// One skin element: a strip of FrameCount equal frames side by side, whose
// fixed edges (Margins) keep their size when the element is drawn larger.
class TDataSkinObject : public TObject {
public:
  explicit TDataSkinObject(const std::string& AName);
  TDataSkinObject(const TDataSkinObject&) = delete;
  TDataSkinObject& operator=(const TDataSkinObject&) = delete;

  TRect Margins{0, 0, 0, 0};  // left and right widths, top and bottom heights
  TBitmap Bitmap;
  int32_t Trans = 0;  // nonzero: magenta pixels are not drawn
  int32_t Tile = 0;   // nonzero: the centre is tiled, else stretched
  std::string Name;
  int32_t FrameCount = 0;
  // Colour numbers of the normal, hot and pressed states (-1: not given).
  int32_t NormalColour = 0;
  int32_t MouseOverColour = 0;
  int32_t PressedColour = 0;
  TColor NormalColour2 = 0;
  TColor MouseOverColour2 = 0;
  TColor PressedColour2 = 0;
};

// A window border or the tab element: a second picture for the edge.
class TDataSkinBorder : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  TBitmap BorderBitmap;
};

// The caption area. Bitmap is the text background; Margins.left and
// Margins.top shift the caption text, Margins.right clips it on the right.
class TDataSkinTitle : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  int32_t TextAlignment = 0;
  int32_t TextBackground = 0;
  int32_t FontHeight = 0;
  int32_t TextBackLeft = 0;
  int32_t TextBackRight = 0;
  TColor ActiveTextColour = 0;    // clNone: not given
  TColor InactiveTextColour = 0;  // clNone: not given
};

// The push-button element, with the check box and radio button strips.
class TDataSkinButton : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  TBitmap CheckBitmap;
  TBitmap RadioBitmap;
  int32_t RadioFrameCount = 0;
  int32_t CheckFrameCount = 0;
};

// One title-bar button; what the numbers mean belongs to the title bar.
class TDataSkinSysButton : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  int32_t Action = 0;
  int32_t Align = 0;
  int32_t XCoord = 0;
  int32_t YCoord = 0;
  int32_t CombineOp = 0;
  int32_t Visibility = 0;
  int32_t Visibility1 = 0;
};

// The kinds of child controls that the form skinner may take over.
enum TSkinControlType {
  xcMainMenu,
  xcPopupMenu,
  xcToolbar,
  xcControlbar,
  xcCombo,
  xcCheckBox,
  xcRadioButton,
  xcProgress,
  xcScrollbar,
  xcEdit,
  xcButton,
  xcBitBtn,
  xcSpeedButton,
  xcPanel,
  xcGroupBox,
  xcStatusBar,
  xcTab
};
// A set of TSkinControlType: bit n stands for the kind of ordinal n.
using TSkinControlTypes = uint32_t;
constexpr TSkinControlTypes AllSkinControlTypes = (1u << (xcTab + 1)) - 1;

// Which windows a TSkinData serves.
enum TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog };

// Asks whether a form of window class aName is skinned; DoSkin enters True.
using TOnFormSkin = TEvent<TObject*, const std::string&, bool&>;

// Hands a progress text of the skin engine to the trace output, which in
// this build writes nothing.
void SkinTrace(const std::string& Text);

// The skin data component.
class TSkinData : public TComponent {
  QUORVEL_CLASS(TSkinData, TComponent)
public:
  explicit TSkinData(TComponent* AOwner);
  ~TSkinData() override;

  // --- published properties ---
  bool Active() const { return FActive; }
  // Switches skinning on or off through the skin manager (main-form kind only).
  void SetActive(bool Value);
  int32_t DisableTag() const { return FDisableTag; }
  void SetDisableTag(int32_t Value) { FDisableTag = Value; }
  TSkinControlTypes SkinControls() const { return FSkinControls; }
  void SetSkinControls(TSkinControlTypes Value) { FSkinControls = Value; }
  const std::string& SkinFile() const { return FSkinFile; }
  // Loads the skin file Value (at run time, when it exists) and re-skins.
  void SetSkinFile(const std::string& Value);
  // "(Good)" in design mode with a stored skin, "(none)" otherwise.
  std::string GetSkinStore() const;
  // Ignores the value: the indicator only reflects the store.
  void SetSkinStore(const std::string& Value);
  TSkinFormType SkinFormtype() const { return FSkinFormtype; }
  void SetSkinFormtype(TSkinFormType Value) { FSkinFormtype = Value; }
  TOnFormSkin OnFormSkin;
  TNotifyEvent OnSkinChanged;

  // --- loading ---
  // Registers "SkinStream", the stored skin file.
  void DefineProperties(TFiler& Filer) override;
  // Starts skinning once the owning form has been read, if a skin is there.
  void Loaded() override;
  // Loads the skin store: unpacks it, takes the archive apart and parses
  // the description. False when the archive could not be loaded.
  bool LoadSkinStore();
  // Hands a changed skin to the manager, which re-skins every skinned window.
  void NotifySkinChanged();
  // Fires OnSkinChanged.
  void DoSkinChanged();
  // Lets the application refuse to skin a form of class ClassName.
  void CheckFormSkin(const std::string& ClassName, bool& DoSkin);
  // ColourList[Index] into Colour; false when Index is outside the list.
  bool GetListColour(int Index, TColor& Colour) const;

  // --- the model, filled by ParseDescription ---
  TMemoryStream SkinStream;  // the skin store: a skin file's bytes
  std::string SkinName;
  bool SkinEmpty = true;
  TBitmap DefaultIcon;
  HBRUSH FaceBrush() const { return FFaceBrush.Get(); }

  TColor WindowTextColour = 0;
  TColor ButtonFaceColour = 0;
  TColor ScrollbarColour = 0;
  TColor HilightTextColour = 0;
  TColor HilightColour = 0;
  TColor MenubarColour = 0;
  TColor MenuColour = 0;
  TColor MenuTextColour = 0;
  TColor ButtonTextColour = 0;
  TColor ButtonHilightColour = 0;
  TColor ButtonLightColour = 0;
  TColor ButtonShadowColour = 0;
  TColor ButtonDkShadowColour = 0;
  TColor MenuBarTextColour = 0;
  TColor TitleTextActiveColour = 0;
  TColor TitleTextInactiveColour = 0;
  std::vector<TColor> ColourList;

  // Never null: made with the component and refilled at every load.
  std::unique_ptr<TDataSkinTitle> Title;
  std::unique_ptr<TDataSkinButton> Button;
  // Borders[1..4]: Left, Right, Top, Bottom; Borders[0] is always null.
  std::array<std::unique_ptr<TDataSkinBorder>, 5> Borders;
  // Remade at every load: the description's title-bar buttons, then the
  // three MDI child buttons.
  std::vector<std::unique_ptr<TDataSkinSysButton>> SysButtons;
  // Remade at every load; null when the description gives no picture.
  std::unique_ptr<TDataSkinBorder> Tabs;
  std::unique_ptr<TDataSkinObject> ComboButton, SunkEdge, ExtraImages, GroupBoxEdge, Toolbars,
      StatusBarEdges, Progress, Headerbar, MenuBar, MenuItem, MenuBackground, Scrollbar, HorzScroll,
      VertScroll, HorzScrollThumb, VertScrollThumb;

  // Parses a description (INI text) into the model; pictures come from Reader.
  void ParseDescription(const std::string& Description, TSkinReader& Reader);

private:
  // "SkinStream": reads the payload and loads it (not in design mode).
  void ReadData(TStream& Stream);
  void WriteData(TStream& Stream);

  void LoadBitmap(TBitmap& Bitmap, const std::string& Value);
  void ReadRGB(const std::string& Section, const std::string& Prefix, TColor& Colour);
  void ReadBorders();
  void ReadSysButtons();
  void ReadMdiControls(size_t FirstIndex);
  void ReadButtons();
  void ReadColours();
  void ReadTitle(TDataSkinTitle& Element, const std::string& Section);
  void ReadBitmapElement(std::unique_ptr<TDataSkinObject>& Element, const std::string& Section);
  void ReadMenuBar(std::unique_ptr<TDataSkinObject>& Element, const std::string& Section);
  void ReadElement(std::unique_ptr<TDataSkinObject>& Element, const std::string& Section);
  void ReadBorderElement(std::unique_ptr<TDataSkinBorder>& Element, const std::string& Section,
                         const std::string& ExtraKey);
  // Reads the margins, Trans and Tile keys shared by the image elements.
  void ReadElementShape(TDataSkinObject& Element, const std::string& Section);
  // Reads the three colour numbers and the three second colours.
  void ReadElementColours(TDataSkinObject& Element, const std::string& Section);
  void SetFrameCounts();

  bool FActive = false;
  int32_t FDisableTag = 99;
  TSkinControlTypes FSkinControls = AllSkinControlTypes;
  std::string FSkinFile;
  TSkinFormType FSkinFormtype = sfMainform;
  TBrushObject FFaceBrush;

  // Only while a description is parsed.
  const TProfileIni* FIni = nullptr;
  TSkinReader* FReader = nullptr;
};
