// grid/GxDisplays.h
// How the grid draws: the style displays of its headers, footers and
// indicator (GxStyleDisplay.h), the text display of cells
// (GxTextColumnDisplay.h), and the displays and plays of the drawn and the
// value kinds (GxDrawnDisplays.h, GxValueDisplays.h).
#pragma once
#include "grid/GxStyleDisplay.h"
#include "grid/GxTextColumnDisplay.h"
#include "grid/GxDrawnDisplays.h"
#include "grid/GxValueDisplays.h"
