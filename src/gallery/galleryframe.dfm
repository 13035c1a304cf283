object GalleryFrame: TGalleryFrame
  Left = 0
  Top = 0
  Width = 400
  Height = 170
  object FrameBox: TGroupBox
    Left = 8
    Top = 4
    Width = 380
    Height = 156
    Caption = 'A frame inside a scroll box'
    object FrameEdit: TEdit
      Left = 12
      Top = 24
      Width = 250
      Height = 21
      Text = 'The frame brings its own controls'
    end
    object FrameButton: TButton
      Left = 272
      Top = 22
      Width = 96
      Height = 25
      Caption = 'Frame button'
    end
    object FrameCheck: TCheckBox
      Left = 12
      Top = 56
      Width = 200
      Height = 17
      Caption = 'A check box in the frame'
      State = cbChecked
    end
    object FrameProgress: TProgressBar
      Left = 12
      Top = 84
      Width = 356
      Height = 16
      Position = 75
    end
    object FrameRadio: TRadioButton
      Left = 12
      Top = 112
      Width = 200
      Height = 17
      Caption = 'A radio button in the frame'
      Checked = True
    end
  end
end
