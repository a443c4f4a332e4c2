// Pieces the edit tests share.
#pragma once
#include "grid/shared/GxThemesSupport.h"
#include "platform/controls/Controls.h"
#include "platform/graphics/Graphics.h"
#include "platform/testing/TestDriving.h"
#include "platform/win/UxTheme.h"

#include <gtest/gtest.h>

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

// The sunken client edge beside the middle of the control's left side: the
// theme's edit border while themes are in use, the classic edge otherwise.
inline void ExpectClientEdge(TControl* C)
{
    const int Y = C->GetClientHeight() / 2;
    TColor Expected = ColorToRGB(clBtnShadow);
    if (GxThemesSupport::IsThemed()) {
        TBitmap B;
        B.SetSize(C->GetWidth(), C->GetHeight());
        HTHEME Theme = OpenThemeData(nullptr, u"edit");
        const TRect R(0, 0, C->GetWidth(), C->GetHeight());
        DrawThemeBackground(Theme, B.GetCanvas()->GetHandle(), EP_EDITTEXT, ETS_NORMAL, &R, nullptr);
        CloseThemeData(Theme);
        Expected = B.GetCanvas()->GetPixels(0, Y + 2);
    }
    EXPECT_EQ(platform::test::PixelAt(C, -2, Y), Expected) << C->ClassName();
}
