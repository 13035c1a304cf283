object GalleryForm: TGalleryForm
  Left = 100
  Top = 80
  Caption = 'Skin Gallery'
  ClientHeight = 580
  ClientWidth = 800
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Icon.Data = {@quorvel.ico}
  Menu = MainMenu1
  PopupMenu = PopupMenu1
  Position = poScreenCenter
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 13
  object ToolBar1: TToolBar
    Left = 0
    Top = 0
    Width = 800
    Height = 29
    object ToolButton1: TToolButton
      Caption = 'Message box'
      OnClick = MessageBoxClick
    end
    object ToolButton2: TToolButton
      Caption = 'Confirmation'
      OnClick = ConfirmClick
    end
    object ToolButton3: TToolButton
      Caption = 'Disabled'
      Enabled = False
    end
  end
  object StatusBar1: TStatusBar
    Left = 0
    Top = 561
    Width = 800
    Height = 19
    Panels = <
      item
        Width = 220
      end
      item
        Width = 380
      end
      item
        Text = 'Quorvel skin gallery'
        Width = 50
      end>
  end
  object ButtonsBox: TGroupBox
    Left = 8
    Top = 37
    Width = 240
    Height = 250
    Caption = 'Buttons'
    object Button1: TButton
      Left = 12
      Top = 20
      Width = 100
      Height = 25
      Caption = 'Button'
      TabOrder = 0
    end
    object Button2: TButton
      Left = 124
      Top = 20
      Width = 100
      Height = 25
      Caption = 'Disabled'
      Enabled = False
      TabOrder = 1
    end
    object BitBtn1: TBitBtn
      Left = 12
      Top = 52
      Width = 100
      Height = 44
      Caption = '&Confirm'
      NumGlyphs = 4
      Glyph.Data = {
      76020000424D7602000000000000760000002800000040000000100000000100
      0400000000000002000000000000000000001000000000000000008080000080
      0000808080000040000000008000FFFFFF000000000000000000000000000000
      0000000000000000000000000000000000000000000000000000000000000000
      0000000000000000000000000000000000000000000000000000000000000000
      0000000000000000000000000000000000000000000000000000000000000000
      0000000000055000000000000000000000000000000000000000000000110000
      0000000000220500000000000033000000000000004400000000000001111000
      0000000002222050000000000333300000000000044440000000000011001100
      0000000022002205000000003300330000000000440044000000000110000110
      0000000220000220500000033000033000000004400004400000000100000011
      0000000200000022050000030000003300000004000000440000000000000001
      1000000000000002205000000000000330000000000000044000000000000000
      1100000000000000220500000000000033000000000000004400000000000000
      0110000000000000022000000000000003300000000000000440000000000000
      0010000000000000002000000000000000300000000000000040000000000000
      0000000000000000000000000000000000000000000000000000000000000000
      0000000000000000000000000000000000000000000000000000000000000000
      0000000000000000000000000000000000000000000000000000000000000000
      0000000000000000000000000000000000000000000000000000}
      OnClick = ConfirmClick
    end
    object BitBtn2: TBitBtn
      Left = 124
      Top = 52
      Width = 100
      Height = 44
      Caption = 'Glyph on top'
      Enabled = False
      Layout = blGlyphTop
      NumGlyphs = 4
      Glyph.Data = {
      76020000424D7602000000000000760000002800000040000000100000000100
      0400000000000002000000000000000000001000000000000000008080000080
      0000808080000040000000008000FFFFFF000000000000000000000000000000
      0000000000000000000000000000000000000000000000000000000000000000
      0000000000000000000000000000000000000000000000000000000000000000
      0000000000000000000000000000000000000000000000000000000000000000
      0000000000055000000000000000000000000000000000000000000000110000
      0000000000220500000000000033000000000000004400000000000001111000
      0000000002222050000000000333300000000000044440000000000011001100
      0000000022002205000000003300330000000000440044000000000110000110
      0000000220000220500000033000033000000004400004400000000100000011
      0000000200000022050000030000003300000004000000440000000000000001
      1000000000000002205000000000000330000000000000044000000000000000
      1100000000000000220500000000000033000000000000004400000000000000
      0110000000000000022000000000000003300000000000000440000000000000
      0010000000000000002000000000000000300000000000000040000000000000
      0000000000000000000000000000000000000000000000000000000000000000
      0000000000000000000000000000000000000000000000000000000000000000
      0000000000000000000000000000000000000000000000000000000000000000
      0000000000000000000000000000000000000000000000000000}
    end
    object SpeedButton1: TSpeedButton
      Left = 12
      Top = 104
      Width = 66
      Height = 25
      Caption = 'Speed'
    end
    object SpeedButton2: TSpeedButton
      Left = 84
      Top = 104
      Width = 66
      Height = 25
      AllowAllUp = True
      GroupIndex = 1
      Down = True
      Caption = 'Down'
    end
    object SpeedButton3: TSpeedButton
      Left = 156
      Top = 104
      Width = 68
      Height = 25
      Flat = True
      Caption = 'Flat'
    end
    object CheckBox1: TCheckBox
      Left = 12
      Top = 140
      Width = 100
      Height = 17
      Caption = 'Checked'
      State = cbChecked
    end
    object CheckBox2: TCheckBox
      Left = 124
      Top = 140
      Width = 100
      Height = 17
      Caption = 'Unchecked'
    end
    object CheckBox3: TCheckBox
      Left = 12
      Top = 160
      Width = 100
      Height = 17
      AllowGrayed = True
      Caption = 'Grayed'
      State = cbGrayed
    end
    object CheckBox4: TCheckBox
      Left = 124
      Top = 160
      Width = 100
      Height = 17
      Caption = 'Disabled'
      Enabled = False
      State = cbChecked
    end
    object CheckBox5: TCheckBox
      Left = 12
      Top = 180
      Width = 108
      Height = 17
      Alignment = taLeftJustify
      Caption = 'Text on the left'
    end
    object RadioButton1: TRadioButton
      Left = 12
      Top = 204
      Width = 100
      Height = 17
      Caption = 'Radio on'
      Checked = True
    end
    object RadioButton2: TRadioButton
      Left = 124
      Top = 204
      Width = 100
      Height = 17
      Caption = 'Radio off'
    end
    object RadioButton3: TRadioButton
      Left = 12
      Top = 224
      Width = 100
      Height = 17
      Caption = 'Disabled'
      Enabled = False
    end
  end
  object RadioGroup1: TRadioGroup
    Left = 8
    Top = 295
    Width = 240
    Height = 75
    Caption = 'Radio group'
    Columns = 2
    ItemIndex = 1
    Items.Strings = (
      'One'
      'Two'
      'Three'
      'Four')
  end
  object Edit1: TEdit
    Left = 8
    Top = 378
    Width = 115
    Height = 21
    Text = 'Edit'
  end
  object Edit2: TEdit
    Left = 133
    Top = 378
    Width = 115
    Height = 21
    Enabled = False
    Text = 'Disabled edit'
  end
  object ComboBox1: TComboBox
    Left = 8
    Top = 406
    Width = 115
    Height = 21
    Text = 'Drop-down'
    Items.Strings = (
      'Drop-down'
      'Second item'
      'Third item')
  end
  object ComboBox2: TComboBox
    Left = 133
    Top = 406
    Width = 115
    Height = 21
    Style = csDropDownList
    Enabled = False
    ItemIndex = 0
    Items.Strings = (
      'Disabled list')
  end
  object ComboBox3: TComboBox
    Left = 8
    Top = 434
    Width = 115
    Height = 119
    Style = csSimple
    Text = 'Simple'
    Items.Strings = (
      'Simple'
      'Always open'
      'List')
  end
  object ProgressBar1: TProgressBar
    Left = 133
    Top = 434
    Width = 115
    Height = 16
    Position = 50
  end
  object ScrollBar1: TScrollBar
    Left = 133
    Top = 458
    Width = 115
    Height = 17
    LargeChange = 10
    Position = 50
    OnChange = ScrollBar1Change
  end
  object ScrollBar2: TScrollBar
    Left = 231
    Top = 483
    Width = 17
    Height = 70
    Kind = sbVertical
    PageSize = 20
    Position = 20
  end
  object Memo1: TMemo
    Left = 256
    Top = 37
    Width = 260
    Height = 120
    ScrollBars = ssBoth
    WordWrap = False
    Lines.Strings = (
      'Skin Gallery shows one control of every kind, so that a skin can be judged at a glance.'
      'Lines of this memo do not wrap: the horizontal scroll bar moves them sideways.'
      ''
      'Line 4 of the memo, long enough to need the horizontal scroll bar of the memo.'
      'Line 5 of the memo, long enough to need the horizontal scroll bar of the memo.'
      'Line 6 of the memo, long enough to need the horizontal scroll bar of the memo.'
      'Line 7 of the memo, long enough to need the horizontal scroll bar of the memo.'
      'Line 8 of the memo, long enough to need the horizontal scroll bar of the memo.'
      'Line 9 of the memo, long enough to need the horizontal scroll bar of the memo.'
      'Line 10 of the memo, long enough to need the horizontal scroll bar of the memo.'
      'Line 11 of the memo, long enough to need the horizontal scroll bar of the memo.'
      'Line 12 of the memo, long enough to need the horizontal scroll bar of the memo.'
      'Line 13 of the memo, long enough to need the horizontal scroll bar of the memo.'
      'Line 14 of the memo, long enough to need the horizontal scroll bar of the memo.'
      'Line 15 of the memo, long enough to need the horizontal scroll bar of the memo.'
      'Line 16 of the memo, long enough to need the horizontal scroll bar of the memo.'
      'Line 17 of the memo, long enough to need the horizontal scroll bar of the memo.'
      'Line 18 of the memo, long enough to need the horizontal scroll bar of the memo.'
      'Line 19 of the memo, long enough to need the horizontal scroll bar of the memo.'
      'Line 20 of the memo, long enough to need the horizontal scroll bar of the memo.')
  end
  object ListBox1: TListBox
    Left = 256
    Top = 165
    Width = 125
    Height = 120
    ScrollWidth = 300
    Items.Strings = (
      'First item 1 with a text wider than the list box'
      'Second item 2 with a text wider than the list box'
      'Third item 3 with a text wider than the list box'
      'Fourth item 4 with a text wider than the list box'
      'Fifth item 5 with a text wider than the list box'
      'Sixth item 6 with a text wider than the list box'
      'Seventh item 7 with a text wider than the list box'
      'Eighth item 8 with a text wider than the list box'
      'Ninth item 9 with a text wider than the list box'
      'Tenth item 10 with a text wider than the list box'
      'Eleventh item 11 with a text wider than the list box'
      'Twelfth item 12 with a text wider than the list box')
  end
  object CheckListBox1: TCheckListBox
    Left = 391
    Top = 165
    Width = 125
    Height = 120
    ItemHeight = 13
    Items.Strings = (
      'Checked'
      'Unchecked'
      'Checked too'
      'Fourth'
      'Fifth'
      'Sixth'
      'Seventh'
      'Eighth'
      'Ninth'
      'Tenth')
  end
  object Panel1: TPanel
    Left = 256
    Top = 293
    Width = 260
    Height = 41
    Caption = 'Panel'
  end
  object ScrollBox1: TScrollBox
    Left = 256
    Top = 342
    Width = 260
    Height = 110
    inline GalleryFrame1: TGalleryFrame
      Left = 0
      Top = 0
    end
  end
  object TabControl1: TTabControl
    Left = 256
    Top = 460
    Width = 260
    Height = 93
    Tabs.Strings = (
      'First'
      'Second'
      'Third')
    TabIndex = 0
    object TabEdit: TEdit
      Left = 12
      Top = 40
      Width = 230
      Height = 21
      Text = 'A tab control holds controls too'
    end
  end
  object PageControl1: TPageControl
    Left = 524
    Top = 37
    Width = 268
    Height = 300
    ActivePage = TabSheet1
    object TabSheet1: TTabSheet
      Caption = 'List view'
      object ListView1: TListView
        Left = 0
        Top = 0
        Width = 260
        Height = 272
        Align = alClient
        ViewStyle = vsReport
        Columns = <
          item
            Caption = 'Name'
            Width = 100
          end
          item
            Alignment = taRightJustify
            Caption = 'Size'
            Width = 60
          end
          item
            Caption = 'Kind'
            Width = 80
          end>
        Items = <
      item
        Caption = 'readme.txt'
        SubItems.Strings = (
          '1 KB'
          'Text')
      end
      item
        Caption = 'photo.bmp'
        SubItems.Strings = (
          '230 KB'
          'Bitmap')
      end
      item
        Caption = 'setup.exe'
        SubItems.Strings = (
          '1.2 MB'
          'Program')
      end
      item
        Caption = 'notes.ini'
        SubItems.Strings = (
          '2 KB'
          'Settings')
      end
      item
        Caption = 'skin.skn'
        SubItems.Strings = (
          '96 KB'
          'Skin')
      end
      item
        Caption = 'icon.ico'
        SubItems.Strings = (
          '4 KB'
          'Icon')
      end>
      end
    end
    object TabSheet2: TTabSheet
      Caption = 'Settings'
      object SettingsBox: TGroupBox
        Left = 8
        Top = 8
        Width = 244
        Height = 90
        Caption = 'Settings'
        object SettingCheck: TCheckBox
          Left = 12
          Top = 24
          Width = 200
          Height = 17
          Caption = 'A check box on the second page'
          State = cbChecked
        end
        object SettingEdit: TEdit
          Left = 12
          Top = 52
          Width = 200
          Height = 21
          Text = 'An edit on the second page'
        end
      end
    end
    object TabSheet3: TTabSheet
      Caption = 'Third page'
      object ThirdPanel: TPanel
        Left = 8
        Top = 8
        Width = 244
        Height = 60
        BevelOuter = bvLowered
        Caption = 'The third page'
      end
    end
  end
  object SkinBox: TGroupBox
    Left = 524
    Top = 345
    Width = 268
    Height = 100
    Caption = 'Skin'
    object SkinChoice: TComboBox
      Left = 12
      Top = 22
      Width = 244
      Height = 21
      Style = csDropDownList
      OnClick = SkinChoiceClick
    end
    object MessageButton: TButton
      Left = 12
      Top = 60
      Width = 116
      Height = 25
      Caption = 'Message box'
      OnClick = MessageBoxClick
    end
    object ConfirmButton: TButton
      Left = 140
      Top = 60
      Width = 116
      Height = 25
      Caption = 'Confirmation'
      OnClick = ConfirmClick
    end
  end
  object SkinData1: TSkinData
    Active = True
    DisableTag = 99
    SkinControls = [xcMainMenu, xcPopupMenu, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton, xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcPanel, xcGroupBox, xcStatusBar, xcTab]
    SkinStore = '(Good)'
    SkinFormtype = sfMainform
    SkinStream = {@quorvel.skinstream}
  end
  object ImageList1: TImageList
    Width = 16
    Height = 16
  end
  object MainMenu1: TMainMenu
    Images = ImageList1
    object FileMenu: TMenuItem
      Caption = '&File'
      object NewMDIItem: TMenuItem
        Caption = 'New &MDI window...'
        ImageIndex = 0
        OnClick = NewMDIWindowClick
      end
      object OpenItem: TMenuItem
        Caption = '&Open...'
        ShortCut = 16463
        ImageIndex = 1
        OnClick = OpenClick
      end
      object SaveItem: TMenuItem
        Caption = '&Save'
        ShortCut = 16467
        ImageIndex = 2
        OnClick = SaveClick
      end
      object FileLine: TMenuItem
        Caption = '-'
      end
      object ExitItem: TMenuItem
        Caption = 'E&xit'
        ShortCut = 32883
        OnClick = ExitClick
      end
    end
    object EditMenu: TMenuItem
      Caption = '&Edit'
      Enabled = False
      object UndoItem: TMenuItem
        Caption = '&Undo'
        ShortCut = 16474
        OnClick = EditClick
      end
      object EditLine: TMenuItem
        Caption = '-'
      end
      object CutItem: TMenuItem
        Caption = 'Cu&t'
        ShortCut = 16472
        OnClick = EditClick
      end
      object CopyItem: TMenuItem
        Caption = '&Copy'
        ShortCut = 16451
        OnClick = EditClick
      end
      object PasteItem: TMenuItem
        Caption = '&Paste'
        ShortCut = 16470
        OnClick = EditClick
      end
    end
    object ViewMenu: TMenuItem
      Caption = '&View'
      object ToolbarItem: TMenuItem
        Caption = '&Tool bar'
        Checked = True
        OnClick = ToolbarItemClick
      end
      object StatusItem: TMenuItem
        Caption = '&Status bar'
        Checked = True
        OnClick = StatusItemClick
      end
      object ViewLine: TMenuItem
        Caption = '-'
      end
      object SkinMenu: TMenuItem
        Caption = 'S&kin'
        object StoredSkinItem: TMenuItem
          Caption = 'Stored skin'
          Checked = True
          GroupIndex = 1
          RadioItem = True
          OnClick = StoredSkinClick
        end
        object CopperSkinItem: TMenuItem
          Caption = 'Copper skin'
          GroupIndex = 1
          RadioItem = True
          OnClick = CopperSkinClick
        end
      end
    end
    object WindowMenu: TMenuItem
      Caption = '&Window'
      object CascadeItem: TMenuItem
        Caption = '&Cascade'
        OnClick = CascadeClick
      end
      object TileItem: TMenuItem
        Caption = '&Tile'
        OnClick = TileClick
      end
    end
    object HelpMenu: TMenuItem
      Caption = '&Help'
      object AboutItem: TMenuItem
        Caption = '&About...'
        OnClick = AboutClick
      end
    end
  end
  object PopupMenu1: TPopupMenu
    object PopupSkinItem: TMenuItem
      Caption = 'Skin name'
      Default = True
      OnClick = SkinNameClick
    end
    object PopupStatusItem: TMenuItem
      Caption = 'Status bar'
      Checked = True
      OnClick = StatusItemClick
    end
    object PopupLine: TMenuItem
      Caption = '-'
    end
    object PopupMessageItem: TMenuItem
      Caption = 'Message box'
      OnClick = MessageBoxClick
    end
    object PopupAboutItem: TMenuItem
      Caption = 'About...'
      OnClick = AboutClick
    end
  end
end
