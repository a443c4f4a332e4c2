// tests/grid/SolidBitmap.h
// A pf24bit bitmap of one colour, the glyph or picture the drawn-kind tests paint with.
#pragma once
#include "platform/graphics/Graphics.h"

namespace SolidBitmap {

inline void FillBitmap(TBitmap* Bitmap, int Width, int Height, TColor Color)
{
    Bitmap->SetPixelFormat(pf24bit);
    Bitmap->SetSize(Width, Height);
    Bitmap->GetCanvas()->GetBrush()->SetColor(Color);
    Bitmap->GetCanvas()->FillRect(TRect(0, 0, Width, Height));
}

} // namespace SolidBitmap
