Form f : Form
  X = &H
