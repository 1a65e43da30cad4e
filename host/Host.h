// Everything a form or control needs from the host, in one include.
// See host/README.md for a ten-line tour.
#pragma once
#include "App.h"
#include "Control.h"
#include "DragData.h"
#include "Event.h"
#include "Form.h"
#include "FormData.h"
#include "Input.h"
#include "StdControls.h"
#include "Timer.h"
#include "UserControl.h"
#include "Values.h"
