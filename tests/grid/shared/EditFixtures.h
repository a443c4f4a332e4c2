// Pieces the edit tests share.
#pragma once
#include "platform/graphics/Graphics.h"

#include <memory>

// A Size x Size glyph: a square of Color inset by a quarter on a ground of
// Ground, which is also its bottom-left pixel.
inline std::unique_ptr<TBitmap> SquareGlyph(int Size, TColor Ground, TColor Color)
{
    auto B = std::make_unique<TBitmap>();
    B->SetSize(Size, Size);
    B->GetCanvas()->GetBrush()->SetColor(Ground);
    B->GetCanvas()->FillRect(Rect(0, 0, Size, Size));
    B->GetCanvas()->GetBrush()->SetColor(Color);
    B->GetCanvas()->FillRect(Rect(Size / 4, Size / 4, Size - Size / 4, Size - Size / 4));
    return B;
}
