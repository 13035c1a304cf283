object Form2: TForm2
  Tag = 99
  Left = 328
  Top = 145
  BorderStyle = bsNone
  Caption = 'Quorvel'
  ClientHeight = 452
  ClientWidth = 599
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  object Image1: TImage
    Left = 0
    Top = 0
    Width = 600
    Height = 450
    Hint = 'visit www.fernhollow.example'
    AutoSize = True
    Picture.Data = {@sponsor.bmp}
    OnClick = Image1Click
  end
  object Button1: TButton
    Left = 504
    Top = 424
    Width = 89
    Height = 25
    Caption = '&Close'
    TabOrder = 0
    OnClick = Button1Click
  end
end
