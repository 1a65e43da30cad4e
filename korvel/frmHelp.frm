' The tutorial window: three steps, each with its picture. Twips.
Form frmHelp : Form
  Caption = "使用教程"
  ClientWidth = 18630
  ClientHeight = 9675
  BorderStyle = 3
  Font = Font("宋体", 9, 400, 134)
  Begin Image1(0) : PictureBox
    Left = 4995
    Top = 1125
    Width = 7455
    Height = 5115
    Picture = Picture("KORVEL_STEP1")
    AutoSize = True
  End
  Begin Image1(1) : PictureBox
    Left = 0
    Top = 45
    Width = 18630
    Height = 8370
    Picture = Picture("KORVEL_STEP2")
    AutoSize = True
    Visible = False
  End
  Begin Image1(2) : PictureBox
    Left = 4275
    Top = 900
    Width = 9030
    Height = 6840
    Picture = Picture("KORVEL_STEP3")
    AutoSize = True
    Visible = False
  End
  Begin Option1(0) : OptionButton
    Left = 3735
    Top = 8505
    Width = 3690
    Height = 330
    Caption = "第一步，复制本程序到目标程序同目录"
    Value = True
  End
  Begin Option1(1) : OptionButton
    Left = 7425
    Top = 8505
    Width = 4200
    Height = 330
    Caption = "第二步，修改原来程序的快捷方式，指向本程序"
  End
  Begin Option1(2) : OptionButton
    Left = 11700
    Top = 8505
    Width = 6600
    Height = 330
    Caption = "第三步，通过修改后的快捷方式启动，并设置要绑定的CPU。"
  End
  Begin kxButtons_H1 : kxButtons_H
    Left = 12930
    Top = 9000
    Width = 1800
    Height = 450
    Caption = "访问我的网站"
    BackStyle = 2
    CapAlign = 2
    Mode = 0
    Value = False
    cBack = &H8000000F&
    Font = Font("宋体", 9, 400, 134)
  End
  Begin kxButtons_H2 : kxButtons_H
    Left = 14850
    Top = 9000
    Width = 1800
    Height = 450
    Caption = "访问我的网店"
    BackStyle = 2
    CapAlign = 2
    Mode = 0
    Value = False
    cBack = &H8000000F&
    Font = Font("宋体", 9, 400, 134)
  End
  Begin kxButtons_H3 : kxButtons_H
    Left = 16770
    Top = 9000
    Width = 1620
    Height = 450
    Caption = "关闭"
    BackStyle = 2
    CapAlign = 2
    Mode = 0
    Value = False
    cBack = &H8000000F&
    Font = Font("宋体", 9, 400, 134)
  End
End
