Form frmNested : Form
  Caption = "a ""quoted"" caption"
  Font = Font("宋体", 9.75, 700, 134, True, False, True)
  Begin Frame1 : YFrame
    Left = 120
    Top = -120
    Width = 3000
    Height = 2000
    BackColor = &H80000005
    Begin Option1(0) : OptionButton
      Left = 60
      Value = True
      Picture = Picture("CheckBox")
    End
    Begin Option1(1) : OptionButton
      Tag = ""
    End
  End
  Begin Timer1 : Timer
    Interval = 50
  End
End
