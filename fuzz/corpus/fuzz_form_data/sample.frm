' A form with one of each kind, loaded from the test program's resources.
Form frmSample : Form
  Caption = "样例"
  ClientWidth = 6000
  ClientHeight = 4500
  BackColor = &H00C0C0C0&
  Begin Swatch1 : Swatch
    Left = 150
    Top = 150
    Width = 900
    Height = 600
    Colour = &H00FF0000&
  End
  Begin Label1 : Label
    Left = 1200
    Top = 150
    Width = 1500
    Height = 300
    Caption = "第一行||second"
    ForeColor = &H000000FF&
  End
  Begin Text1 : TextBox
    Left = 1200
    Top = 600
    Width = 1500
    Height = 315
    Text = "参数"
  End
  Begin List1 : CheckList
    Left = 150
    Top = 900
    Width = 1500
    Height = 1200
    List = "AllCPU||CPU0||CPU1"
  End
  Begin Combo1 : DropDownList
    Left = 1800
    Top = 1050
    Width = 1500
    Height = 315
    List = "隐藏||常规窗口||最小化||最大化"
    ListIndex = 1
  End
  Begin Check1 : CheckBox
    Left = 1800
    Top = 1500
    Width = 1500
    Height = 300
    Caption = "记住所选"
    Value = 1
  End
  Begin Option1(0) : OptionButton
    Left = 150
    Top = 2250
    Width = 1200
    Height = 300
    Caption = "one"
    Value = True
  End
  Begin Option1(1) : OptionButton
    Left = 1500
    Top = 2250
    Width = 1200
    Height = 300
    Caption = "two"
  End
  Begin Image1(0) : PictureBox
    Left = 3000
    Top = 2250
    Width = 150
    Height = 150
    Picture = Picture("REDBMP")
    AutoSize = True
  End
  Begin Line1 : Line
    X1 = 150
    Y1 = 3000
    X2 = 4500
    Y2 = 3000
    BorderColor = &H0000FF00&
  End
  Begin Timer1 : Timer
    Interval = 50
    Enabled = False
  End
End
