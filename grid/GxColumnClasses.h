// grid/GxColumnClasses.h
// The column kinds: the text column (GxTextColumn.h), the kinds that draw
// and take clicks (GxDrawnColumns.h) and those that format and edit values
// (GxValueColumns.h).
#pragma once
#include "grid/GxTextColumn.h"
#include "grid/GxDrawnColumns.h"
#include "grid/GxValueColumns.h"
