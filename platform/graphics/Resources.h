// The program's named resources. A unit registers each of its pictures
// (bitmaps such as "NONECOLOR", cursor pictures such as "ROLL") at its
// start-up as a procedure that draws it into a bitmap; the resource calls
// (TBitmap::LoadFromResourceName, cursor loading) find them by name, case
// ignored as Windows ignores it. Registering a name again replaces it.
// The platform draws one cursor picture of its own: "REVERSEDARROW", the
// arrow pointing up and to the right, hot spot at its tip.
#pragma once
#include "platform/graphics/Bitmaps.h"

#include <functional>

// Sets the bitmap's size, pixel format and pixels.
using TResourceDrawProc = std::function<void(TBitmap* Bitmap)>;

void RegisterBitmapResource(const AnsiString& Name, TResourceDrawProc Draw);
// Draws the bitmap resource Name into Bitmap; false when there is none.
bool LoadBitmapResource(const AnsiString& Name, TBitmap* Bitmap);

// A cursor picture: pf32bit with alpha (or a bitmap with Transparent set),
// and the point of the picture that is the mouse position.
void RegisterCursorResource(const AnsiString& Name, TResourceDrawProc Draw, TPoint HotSpot);
bool LoadCursorResource(const AnsiString& Name, TBitmap* Bitmap, TPoint& HotSpot);
// A 32 × 32 cursor picture: the pixels where Shape holds in black, ringed by
// one pixel of white so that it shows on any background, the rest clear.
void DrawOutlinedCursor(TBitmap* Bitmap, const std::function<bool(int X, int Y)>& Shape);
