' The example's only form: a folder to show, the button that fills the
' tree and the list, and a status line. Positions and sizes are twips
' (15 per pixel); the tree's height is 12 whole rows (12 x 26 + 4 pixels),
' which it would otherwise grow to at its first layout.
Form frmFolders : Form
  Caption = "Folders"
  ClientWidth = 9000
  ClientHeight = 6000
  Font = Font("宋体", 9, 400, 134)
  Icon = Picture("TESSARA")
  Begin Label1 : Label
    Left = 120
    Top = 180
    Width = 900
    Height = 300
    Caption = "Folder:"
  End
  Begin Text1 : TextBox
    Left = 1080
    Top = 120
    Width = 6000
    Height = 330
  End
  Begin cmdFill : YCommand
    Left = 7200
    Top = 90
    Width = 1680
    Height = 390
    Caption = "Fill"
    Font = Font("宋体", 9, 400, 134)
  End
  Begin YTreeView1 : YTreeView
    Left = 120
    Top = 630
    Width = 3300
    Height = 4740
    BackColor = &H00FFFFFF&
    Font = Font("宋体", 9, 400, 134)
  End
  Begin YListView1 : YListView
    Left = 3540
    Top = 630
    Width = 5340
    Height = 4740
    DisMode = 0
    Font = Font("宋体", 9, 400, 134)
  End
  Begin lblStatus : Label
    Left = 120
    Top = 5580
    Width = 8760
    Height = 300
    Caption = "Choose a folder and press Fill."
  End
End
