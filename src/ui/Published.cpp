// Names that stand for numbers in definitions, and method binding.
#include "ui/Published.h"

namespace {
constexpr int32_t kSys = static_cast<int32_t>(0x80000000u);
}

// The colour names of the platform (clBlack, clBtnFace, ...).
const TIdentMap& ColorIdents() {
  static const TIdentMap map = {
      {0x000000, "clBlack"},          {0x000080, "clMaroon"},
      {0x008000, "clGreen"},          {0x008080, "clOlive"},
      {0x800000, "clNavy"},           {0x800080, "clPurple"},
      {0x808000, "clTeal"},           {0x808080, "clGray"},
      {0xC0C0C0, "clSilver"},         {0x0000FF, "clRed"},
      {0x00FF00, "clLime"},           {0x00FFFF, "clYellow"},
      {0xFF0000, "clBlue"},           {0xFF00FF, "clFuchsia"},
      {0xFFFF00, "clAqua"},           {0xFFFFFF, "clWhite"},
      {0x1FFFFFFF, "clNone"},         {0x20000000, "clDefault"},
      {kSys | 0, "clScrollBar"},      {kSys | 1, "clBackground"},
      {kSys | 2, "clActiveCaption"},  {kSys | 3, "clInactiveCaption"},
      {kSys | 4, "clMenu"},           {kSys | 5, "clWindow"},
      {kSys | 6, "clWindowFrame"},    {kSys | 7, "clMenuText"},
      {kSys | 8, "clWindowText"},     {kSys | 9, "clCaptionText"},
      {kSys | 10, "clActiveBorder"},  {kSys | 11, "clInactiveBorder"},
      {kSys | 12, "clAppWorkSpace"},  {kSys | 13, "clHighlight"},
      {kSys | 14, "clHighlightText"}, {kSys | 15, "clBtnFace"},
      {kSys | 16, "clBtnShadow"},     {kSys | 17, "clGrayText"},
      {kSys | 18, "clBtnText"},       {kSys | 19, "clInactiveCaptionText"},
      {kSys | 20, "clBtnHighlight"},  {kSys | 21, "cl3DDkShadow"},
      {kSys | 22, "cl3DLight"},       {kSys | 23, "clInfoText"},
      {kSys | 24, "clInfoBk"},
  };
  return map;
}

// The cursor names of the platform (crDefault, crHandPoint, ...).
const TIdentMap& CursorIdents() {
  static const TIdentMap map = {
      {0, "crDefault"},     {-1, "crNone"},     {-2, "crArrow"},      {-3, "crCross"},
      {-4, "crIBeam"},      {-5, "crSizeNESW"}, {-6, "crSizeNS"},     {-7, "crSizeNWSE"},
      {-8, "crSizeWE"},     {-9, "crUpArrow"},  {-11, "crHourGlass"}, {-12, "crDrag"},
      {-13, "crNoDrop"},    {-14, "crHSplit"},  {-15, "crVSplit"},    {-16, "crMultiDrag"},
      {-17, "crSQLWait"},   {-18, "crNo"},      {-19, "crAppStart"},  {-20, "crHelp"},
      {-21, "crHandPoint"}, {-22, "crSizeAll"},
  };
  return map;
}

// Reads an integer value or one of the map's names.
int32_t ReadIntegerOrIdent(TReader& reader, const TIdentMap* idents) {
  if (idents && reader.NextValue() == TValueType::vaIdent) {
    const std::string name = reader.ReadIdent();
    for (const auto& e : *idents)
      if (SameText(e.Name, name)) return e.Value;
    throw EReadError(Msg::InvalidPropertyValue);
  }
  return reader.ReadInteger();
}

// Writes a map's name when the value has one, else the integer.
void WriteIntegerOrIdent(TWriter& writer, int32_t value, const TIdentMap* idents) {
  if (idents)
    for (const auto& e : *idents)
      if (e.Value == value) {
        writer.WriteIdent(e.Name);
        return;
      }
  writer.WriteInteger(value);
}

// The method of the reader's root named by the next value, bound to the root.
std::any BindMethod(TReader& reader, std::string& methodName) {
  methodName = reader.ReadIdent();
  TComponent* root = reader.Root();
  const TMethodInfo* method = root ? root->ClassType().FindMethod(methodName) : nullptr;
  if (!method) throw EReadError(Msg::InvalidPropertyValue);
  return method->Bind(*root);
}
