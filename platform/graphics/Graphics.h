// The class library's Graphics unit: colours, fonts, pens, brushes, the
// canvas and pictures.
#pragma once
#include "platform/graphics/Bitmaps.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/GraphicsObjects.h"
