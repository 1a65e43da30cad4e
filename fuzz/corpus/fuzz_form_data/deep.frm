Form frmDeep : Form
Begin F0 : YFrame
Begin F1 : YFrame
Begin F2 : YFrame
Begin F3 : YFrame
Begin F4 : YFrame
Begin F5 : YFrame
Begin F6 : YFrame
Begin F7 : YFrame
Begin F8 : YFrame
Begin F9 : YFrame
Begin F10 : YFrame
Begin F11 : YFrame
Begin F12 : YFrame
Begin F13 : YFrame
Begin F14 : YFrame
Begin F15 : YFrame
Begin F16 : YFrame
Begin F17 : YFrame
Begin F18 : YFrame
Begin F19 : YFrame
Begin F20 : YFrame
Begin F21 : YFrame
Begin F22 : YFrame
Begin F23 : YFrame
Begin F24 : YFrame
Begin F25 : YFrame
Begin F26 : YFrame
Begin F27 : YFrame
Begin F28 : YFrame
Begin F29 : YFrame
Begin F30 : YFrame
Begin F31 : YFrame
Begin F32 : YFrame
Begin F33 : YFrame
Begin F34 : YFrame
Begin F35 : YFrame
Begin F36 : YFrame
Begin F37 : YFrame
Begin F38 : YFrame
Begin F39 : YFrame
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
End
