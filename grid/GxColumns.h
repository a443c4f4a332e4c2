// grid/GxColumns.h
// The grid's columns: what every column is (GxColumn.h), its header, footer
// and slide parts (GxColumnParts.h), the collection that holds and lays them
// out (GxColumnCollection.h), and the bases of the cell displays and plays
// (GxColumnDisplay.h), with the kinds they share (GxColumnTypes.h).
#pragma once
#include "grid/GxColumnCollection.h"
#include "grid/GxColumnDisplay.h"
