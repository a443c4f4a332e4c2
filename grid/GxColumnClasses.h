// grid/GxColumnClasses.h
// The column kinds: the text column (GxTextColumn.h).
#pragma once
#include "grid/GxTextColumn.h"
#include "grid/GxDrawnColumns.h"
