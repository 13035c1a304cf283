// Sample components with one property of every kind, shared by the tests of
// the binary and text forms of definitions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/Classes.h"

class TSampleItem : public TCollectionItem {
  QUORVEL_CLASS(TSampleItem, TCollectionItem)
public:
  using TCollectionItem::TCollectionItem;
  std::string Label;
  TVariant Value;
  const std::string& GetLabel() const { return Label; }
  void SetLabel(const std::string& s) { Label = s; }
  const TVariant& GetValue() const { return Value; }
  void SetValue(const TVariant& v) { Value = v; }
};

enum class TShade { Light, Dark, Grey };

class TSampleFont : public TPersistent {
  QUORVEL_CLASS(TSampleFont, TPersistent)
public:
  std::string Name = "MS Sans Serif";
  int32_t Height = -11;
  uint32_t Style = 0;
  const std::string& GetName() const { return Name; }
  void SetName(const std::string& s) { Name = s; }
  int32_t GetHeight() const { return Height; }
  void SetHeight(int32_t h) { Height = h; }
  uint32_t GetStyle() const { return Style; }
  void SetStyle(uint32_t s) { Style = s; }
};

class TSampleControl : public TComponent {
  QUORVEL_CLASS(TSampleControl, TComponent)
public:
  explicit TSampleControl(TComponent* owner)
      : TComponent(owner), Items([](TCollection* c) { return new TSampleItem(c); }) {}
  int32_t Width = 0;
  int32_t Color = 0;
  bool Flag = false;
  TShade Shade = TShade::Light;
  int32_t LongOne = 0;
  std::string Caption;
  TSampleFont Font;
  TStringList Lines;
  struct Coll : TCollection {
    explicit Coll(TItemFactory f) : TCollection(TSampleItem::StaticClass(), std::move(f)) {}
  } Items;
  std::vector<uint8_t> Blob;
  TNotifyEvent OnClick;
  std::vector<std::string> loadedOrder;

  int32_t GetWidth() const { return Width; }
  void SetWidth(int32_t w) { Width = w; }
  int32_t GetColor() const { return Color; }
  void SetColor(int32_t c) { Color = c; }
  bool GetFlag() const { return Flag; }
  void SetFlag(bool f) { Flag = f; }
  TShade GetShade() const { return Shade; }
  void SetShade(TShade s) { Shade = s; }
  int32_t GetLongOne() const { return LongOne; }
  void SetLongOne(int32_t v) { LongOne = v; }
  const std::string& GetCaption() const { return Caption; }
  void SetCaption(const std::string& c) { Caption = c; }
  TSampleFont* GetFont() { return &Font; }
  TStringList* GetLines() { return &Lines; }
  TCollection* GetItems() { return &Items; }
  void DefineProperties(TFiler& filer) override {
    TComponent::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "Blob",
        [this](TStream& s) {
          Blob.resize(static_cast<size_t>(s.Size()));
          s.ReadBuffer(Blob.data(), Blob.size());
        },
        [this](TStream& s) { s.WriteBuffer(Blob.data(), Blob.size()); }, !Blob.empty());
  }
};

class TSampleForm : public TComponent {
  QUORVEL_CLASS(TSampleForm, TComponent)
public:
  explicit TSampleForm(TComponent* owner) : TComponent(owner) {}
  TSampleControl* Button1 = nullptr;
  TSampleControl* Button2 = nullptr;
  int clicks = 0;
  void Button1Click(TObject*) { ++clicks; }
};
