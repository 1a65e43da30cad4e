Form f
  Begin A : B
    Caption = "cut