// Controls: TControl, TWinControl, the canvas of a control, TCustomControl,
// TGraphicControl and the mouse, each in a header of its own.
#pragma once
#include "platform/controls/ControlTypes.h"
#include "platform/controls/Control.h"
#include "platform/controls/WinControl.h"
#include "platform/controls/ControlCanvas.h"
#include "platform/controls/CustomControl.h"
#include "platform/controls/GraphicControl.h"
#include "platform/controls/Mouse.h"
