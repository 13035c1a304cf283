object GalleryMDIForm: TGalleryMDIForm
  Left = 160
  Top = 120
  Caption = 'Skin Gallery - MDI window'
  ClientHeight = 400
  ClientWidth = 600
  Color = clAppWorkSpace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  FormStyle = fsMDIForm
  Menu = MDIMenu
  WindowMenu = WindowMenu
  OnClose = FormClose
  PixelsPerInch = 96
  TextHeight = 13
  object MDIMenu: TMainMenu
    object MDIFileMenu: TMenuItem
      Caption = '&File'
      object NewChildItem: TMenuItem
        Caption = '&New child'
        ShortCut = 16462
        OnClick = NewChildClick
      end
      object CloseChildItem: TMenuItem
        Caption = 'Close c&hild'
        OnClick = CloseChildClick
      end
      object MDIFileLine: TMenuItem
        Caption = '-'
      end
      object CloseWindowItem: TMenuItem
        Caption = '&Close window'
        OnClick = CloseWindowClick
      end
    end
    object WindowMenu: TMenuItem
      Caption = '&Window'
      object MDICascadeItem: TMenuItem
        Caption = '&Cascade'
        OnClick = CascadeClick
      end
      object MDITileItem: TMenuItem
        Caption = '&Tile'
        OnClick = TileClick
      end
      object MDIArrangeItem: TMenuItem
        Caption = '&Arrange icons'
        OnClick = ArrangeClick
      end
      object MDINextItem: TMenuItem
        Caption = '&Next'
        OnClick = NextClick
      end
      object MDIPreviousItem: TMenuItem
        Caption = '&Previous'
        OnClick = PreviousClick
      end
    end
  end
end
