' The launcher's main dialog. Positions and sizes in twips (15 per pixel).
Form frmKorvel : Form
  Caption = "请选择要启动的进程及它所绑定的CPU:"
  ClientWidth = 8400
  ClientHeight = 5070
  BorderStyle = 3
  Font = Font("宋体", 9, 400, 134)
  Begin Label1 : Label
    Left = 180
    Top = 180
    Width = 3000
    Height = 240
    Caption = "要启动的进程:"
    ForeColor = &H00000000&
  End
  Begin lstEXE : CheckList
    Left = 180
    Top = 450
    Width = 3000
    Height = 2850
    Font = Font("宋体", 9, 400, 134)
  End
  Begin Label2 : Label
    Left = 3360
    Top = 180
    Width = 1800
    Height = 240
    Caption = "要绑定的CPU:"
    ForeColor = &H00000000&
  End
  Begin lstCPU : CheckList
    Left = 3360
    Top = 450
    Width = 1800
    Height = 2850
    Font = Font("宋体", 9, 400, 134)
  End
  Begin Label3 : Label
    Left = 5340
    Top = 180
    Width = 2880
    Height = 240
    Caption = "CPU优先级:"
    ForeColor = &H00000000&
  End
  Begin lstCPUPriority : CheckList
    Left = 5340
    Top = 450
    Width = 2880
    Height = 1260
    Font = Font("宋体", 9, 400, 134)
  End
  Begin Label4 : Label
    Left = 5340
    Top = 1830
    Width = 2880
    Height = 240
    Caption = "IO优先级:"
    ForeColor = &H00000000&
  End
  Begin lstIOPriority : CheckList
    Left = 5340
    Top = 2100
    Width = 2880
    Height = 1200
    Font = Font("宋体", 9, 400, 134)
  End
  Begin Label6 : Label
    Left = 180
    Top = 3510
    Width = 600
    Height = 240
    Caption = "参数:"
    ForeColor = &H00000000&
  End
  Begin txtParam : TextBox
    Left = 780
    Top = 3450
    Width = 4380
    Height = 330
  End
  Begin cbStyle : DropDownList
    Left = 5340
    Top = 3450
    Width = 1500
    Height = 330
  End
  Begin chkRemember : CheckBox
    Left = 7020
    Top = 3450
    Width = 1200
    Height = 330
    Caption = "记住所选"
  End
  Begin Line1 : Line
    X1 = 180
    Y1 = 3930
    X2 = 8220
    Y2 = 3930
    BorderColor = &H80000010&
  End
  Begin Label5 : Label
    Left = 180
    Top = 4050
    Width = 4980
    Height = 810
    Caption = "绑定CPU，让程序跑得更稳！||点击查看使用教程！||一次设置，每次启动都省心。"
    ForeColor = &H00000000&
    MousePointer = 99
    MouseIcon = Picture("KORVEL_LINK")
  End
  Begin cmdOK : kxButtons_H
    Left = 5340
    Top = 4080
    Width = 1350
    Height = 420
    Caption = "确定"
    BackStyle = 2
    CapAlign = 2
    Gradient = 0
    cGradient = &H00000000&
    Mode = 0
    Value = False
    cBack = &H8000000F&
    Font = Font("MS Sans Serif", 9, 400, 134)
  End
  Begin cmdCancel : kxButtons_H
    Left = 6870
    Top = 4080
    Width = 1350
    Height = 420
    Caption = "取消"
    BackStyle = 2
    CapAlign = 2
    Gradient = 0
    cGradient = &H00000000&
    Mode = 0
    Value = False
    cBack = &H8000000F&
    Font = Font("MS Sans Serif", 9, 400, 134)
  End
  Begin labVer : Label
    Left = 5340
    Top = 4650
    Width = 2880
    Height = 240
    Caption = "Vexilo [SoftVer] By Marrowick"
    ForeColor = &H00000000&
    Alignment = 1
    MousePointer = 99
    MouseIcon = Picture("KORVEL_LINK")
  End
End
