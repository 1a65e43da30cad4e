Form frmF : Form
  Begin A : YList
    Font = Font("x", -9, 400, 134)
    Width = 30000000000
  End
End
