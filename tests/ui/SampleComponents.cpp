// Published members of the sample components.
#include "SampleComponents.h"

#include "ui/Published.h"

QUORVEL_DEFINE_CLASS(TSampleItem) {
  p.String("Label", &TSampleItem::GetLabel, &TSampleItem::SetLabel);
  p.Variant("Value", &TSampleItem::GetValue, &TSampleItem::SetValue);
}

QUORVEL_DEFINE_CLASS(TSampleFont) {
  p.String("Name", &TSampleFont::GetName, &TSampleFont::SetName);
  p.Integer("Height", &TSampleFont::GetHeight, &TSampleFont::SetHeight, -11);
  p.Set("Style", &TSampleFont::GetStyle, &TSampleFont::SetStyle,
        {"fsBold", "fsItalic", "fsUnderline"});
}

QUORVEL_DEFINE_CLASS(TSampleControl) {
  p.Integer("Width", &TSampleControl::GetWidth, &TSampleControl::SetWidth, 0);
  p.Color("Color", &TSampleControl::GetColor, &TSampleControl::SetColor, 0);
  p.Bool("Flag", &TSampleControl::GetFlag, &TSampleControl::SetFlag);
  p.Enum("Shade", &TSampleControl::GetShade, &TSampleControl::SetShade,
         {"shLight", "shDark", "shGrey"});
  p.String("Caption", &TSampleControl::GetCaption, &TSampleControl::SetCaption);
  p.Integer("AnUnusuallyLongPropertyName", &TSampleControl::GetLongOne, &TSampleControl::SetLongOne,
            0);
  p.Object("Font", &TSampleControl::GetFont);
  p.Object("Lines", &TSampleControl::GetLines);
  p.Object("Items", &TSampleControl::GetItems);
  p.Event("OnClick", &TSampleControl::OnClick);
}

QUORVEL_DEFINE_CLASS(TSampleForm) {
  p.Field("Button1", &TSampleForm::Button1);
  p.Field("Button2", &TSampleForm::Button2);
  p.Method("Button1Click", &TSampleForm::Button1Click);
}
