' Tessara's gallery form: one instance of every owner-drawn control with
' its stored properties. Positions and sizes are twips (15 per pixel); the
' scroll bars keep no font of their own and show the form's.
Form frmMain : Form
  Caption = "Form1"
  ClientWidth = 10890
  ClientHeight = 7020
  Font = Font("宋体", 9, 400, 134)
  Icon = Picture("TESSARA")
  Begin YOption1 : YOption
    Left = 6600
    Top = 240
    Width = 1095
    Height = 495
    Caption = "YOption1"
    Enabled = True
    BackColor = &H8000000F&
    ForeColor = &H00000000&
    Value = 0
    Font = Font("宋体", 9, 400, 134)
  End
  Begin YCheck1 : YCheck
    Left = 5280
    Top = 240
    Width = 1095
    Height = 495
    Caption = "YCheck1"
    Enabled = True
    BackColor = &H8000000F&
    ForeColor = &H00000000&
    Value = 0
    Font = Font("宋体", 9, 400, 134)
  End
  Begin YVScroll1 : YVScroll
    Left = 120
    Top = 600
    Width = 270
    Height = 1695
    MinV = 0
    MaxV = 20
    Value = 0
    SmallChange = 1
    LargeChange = 10
  End
  Begin YHScroll1 : YHScroll
    Left = 240
    Top = 240
    Width = 1335
    Height = 255
    MinV = 0
    MaxV = 20
    Value = 0
    SmallChange = 1
    LargeChange = 10
  End
  Begin YFrame1 : YFrame
    Left = 600
    Top = 5160
    Width = 1095
    Height = 1335
    Caption = "YFrame1"
    BackColor = &H8000000F&
    ForeColor = &H80000012&
    BorderColor = &H00FFD6B3&
    Font = Font("宋体", 9, 400, 134)
  End
  Begin YProgress1 : YProgress
    Left = 240
    Top = 4200
    Width = 2055
    Height = 135
    MinV = 0
    MaxV = 100
    Value = 0
    BackColor = &H8000000F&
    ForeColor = &H80000012&
    Font = Font("宋体", 9, 400, 134)
  End
  Begin YGroupList1 : YGroupList
    Left = 8640
    Top = 720
    Width = 1935
    Height = 2190
    BackColor = &H00FFFFFF&
    ForeColor = &H00000000&
    ScrollMode = 2
    Font = Font("宋体", 9, 400, 134)
  End
  Begin YCommand1 : YCommand
    Left = 1920
    Top = 5280
    Width = 1335
    Height = 375
    Caption = "查找结点B100"
    Enabled = True
    BackColor = &H8000000F&
    ForeColor = &H80000012&
    Font = Font("宋体", 9, 400, 134)
  End
  Begin YCombo1 : YCombo
    Left = 360
    Top = 4680
    Width = 1695
    Height = 300
    IsReal = True
    BackColor = &H00FFFFFF&
    ForeColor = &H00000000&
    Font = Font("宋体", 9, 400, 134)
  End
  Begin YTreeView1 : YTreeView
    Left = 2280
    Top = 720
    Width = 2100
    Height = 2790
    BackColor = &H00FFFFFF&
    ForeColor = &H80000012&
    Font = Font("宋体", 9, 400, 134)
  End
  Begin YList1 : YList
    Left = 480
    Top = 720
    Width = 1695
    Height = 2490
    BackColor = &H00FFFFFF&
    ForeColor = &H80000012&
    IsReal = True
    ScrollMode = 2
    Font = Font("宋体", 9, 400, 134)
  End
  Begin YCommand2 : YCommand
    Left = 1920
    Top = 6000
    Width = 1215
    Height = 495
    Caption = "YCommand2"
    Enabled = True
    BackColor = &H8000000F&
    ForeColor = &H80000012&
    Font = Font("宋体", 9, 400, 134)
  End
  Begin YTab1 : YTab
    Left = 4560
    Top = 720
    Width = 3855
    Height = 2055
    IsBottom = False
    CntOfLine = 4
    MultilLine = True
    ItemWidth = 60
    ItemHeight = 20
    BackColor = &H8000000F&
    Font = Font("宋体", 9, 400, 134)
  End
  Begin YListView1 : YListView
    Left = 4800
    Top = 3120
    Width = 4695
    Height = 3375
    BackColor = &H8000000F&
    ForeColor = &H80000012&
    IsTextMode = False
    DisMode = 0
    Font = Font("宋体", 9, 400, 134)
  End
  Begin YCommand3 : YCommand
    Left = 2760
    Top = 4440
    Width = 1215
    Height = 495
    Caption = "切换模式"
    Enabled = True
    BackColor = &H8000000F&
    ForeColor = &H80000012&
    Font = Font("宋体", 9, 400, 134)
  End
  Begin YCommand4 : YCommand
    Left = 2760
    Top = 3720
    Width = 1215
    Height = 495
    Caption = "再切换模式"
    Enabled = True
    BackColor = &H8000000F&
    ForeColor = &H80000012&
    Font = Font("宋体", 9, 400, 134)
  End
  Begin YCommand5 : YCommand
    Left = 3360
    Top = 5040
    Width = 1215
    Height = 495
    Caption = "我还换模式"
    Enabled = True
    BackColor = &H8000000F&
    ForeColor = &H80000012&
    Font = Font("宋体", 9, 400, 134)
  End
  Begin Timer1 : Timer
    Interval = 50
    Enabled = True
  End
End
