object Form9: TResourceForm
  Tag = 99
  Left = 328
  Top = 145
  BorderStyle = bsNone
  Caption = 'Quorvel'
  ClientHeight = 452
  ClientWidth = 599
  Color = clBtnFace
  Position = poScreenCenter
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 13
  object Button1: TButton
    Left = 504
    Top = 424
    Width = 89
    Height = 25
    Caption = '&Close'
    TabOrder = 0
  end
end
