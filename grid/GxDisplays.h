// grid/GxDisplays.h
// How the grid draws: the style displays of its headers, footers and
// indicator (GxStyleDisplay.h) and the text display of cells
// (GxTextColumnDisplay.h).
#pragma once
#include "grid/GxStyleDisplay.h"
#include "grid/GxTextColumnDisplay.h"
#include "grid/GxDrawnDisplays.h"
