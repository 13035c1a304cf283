object Form1: TForm1
  Left = 258
  Top = 231
  Width = 638
  Height = 428
  Caption = 'Quorvel'
  ClientHeight = 394
  ClientWidth = 630
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Icon.Data = {@quorvel.ico}
  Position = poScreenCenter
  OnClose = FormClose
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 13
  object JvWaitingGradient1: TJvWaitingGradient
    Left = 0
    Top = 365
    Width = 630
    Height = 10
    Align = alBottom
    Color = clBtnFace
    ParentColor = False
    GradientWidth = 50
  end
  object memo1: TCheckListBox
    Left = 0
    Top = 41
    Width = 630
    Height = 324
    Align = alClient
    ItemHeight = 13
    TabOrder = 0
  end
  object StatusBar1: TStatusBar
    Left = 0
    Top = 375
    Width = 630
    Height = 19
    Panels = <
      item
        Width = 50
      end>
    SimplePanel = False
  end
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 630
    Height = 41
    Align = alTop
    TabOrder = 2
    object SpeedButton1: TSpeedButton
      Left = 8
      Top = 8
      Width = 180
      Height = 25
      Cursor = crHandPoint
      AllowAllUp = True
      GroupIndex = 1
      Caption = 'Scan for adult material now !'
      OnClick = zaza
    end
    object Button2: TButton
      Left = 200
      Top = 8
      Width = 180
      Height = 25
      Caption = 'Remove checked adult material'
      Enabled = False
      TabOrder = 0
      OnClick = Button2Click
    end
  end
  object kw: TStrHolder
    Capacity = 95
    InternalVer = 1
    StrData = (
      W''
      '68756d696c69617465'
      '6f726779'
      '736c7574'
      '706f726e'
      '737065726d'
      '65726f746963'
      '6164756c74'
      '626c6f776a6f62'
      '766964656f78'
      '7065657073686f77'
      '67616e6762616e67'
      '6f726779'
      '656a6163'
      '766964656f7378'
      '78766964656f'
      '77656263616d78'
      '787261746564'
      '787878'
      '6469636b'
      '736578'
      '73616c6f7065'
      '736c7574'
      '68617264636f7265'
      '7365786f'
      '77616e6b20'
      '656e63756c6572'
      '6675636b'
      '7669727475616769726c'
      '616e616c'
      '78787820'
      '706f726e6f'
      '6a6f76656e63697461'
      '73657865'
      '6164756c74'
      '7365696e73'
      '63756d20'
      '6f726779'
      '736368616d6861617265'
      '6272fc737465'
      '6772757070656e736578'
      '73747265696368656c6e'
      '776963687362696c646572'
      '7769636873656e'
      '696e74657272616369616c'
      '6c657362656e'
      '766f79657572'
      '63756e6e696c696e677573'
      '70656570'
      '666574697368'
      '6469636b20'
      '67616e67'
      '67616e6762616e67'
      '63756d73686f74'
      '64696c646f'
      '7075737379'
      '66697374696e67'
      '73747269707465617365'
      '636f636b20'
      '66616369616c'
      '66696e6765726564'
      '6f72676965'
      '656a616320'
      '616e616c'
      '686f6c6573'
      '6272616e6c6572'
      '7375636572'
      '6272616e6c65747465'
      '70656e6574726174696f6e'
      '6f72676961'
      '636f6e636861'
      '636ff16f'
      '70656e6520'
      '6d616d616461'
      '63687570616461'
      '736f646f6d'
      '6d61736f'
      '7472616e7373657875616c'
      '766167696e'
      '7465746173'
      '6c65736269616e'
      '66656c6c6174696f6e')
  end
  object jvdir: TJvDirectories
  end
  object SkinData1: TSkinData
    Active = True
    DisableTag = 99
    SkinControls = [xcMainMenu, xcPopupMenu, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton, xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcPanel, xcGroupBox, xcStatusBar, xcTab]
    SkinStore = '(Good)'
    SkinFormtype = sfMainform
    SkinStream = {@quorvel.skinstream}
  end
  object ext: TStrHolder
    Capacity = 28
    InternalVer = 1
    StrData = (
      W''
      '6a7067'
      '676966'
      '6a706567'
      '6d657067'
      '617669'
      '64697678'
      '747874'
      '75726c'
      '68746d'
      '68746d6c'
      '2e6a73'
      '2e6c6e6b'
      '2e776d76')
  end
end
