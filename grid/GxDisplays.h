// grid/GxDisplays.h
// How the grid draws: the style displays of its headers, footers and
// indicator (GxStyleDisplay.h).
#pragma once
#include "grid/GxStyleDisplay.h"
