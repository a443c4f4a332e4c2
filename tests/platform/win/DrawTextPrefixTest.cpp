// The underline of a prefixed character in DrawText.
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class DrawTextPrefix : public ::testing::Test {
protected:
    void SetUp() override
    {
        Bitmap.SetPixelFormat(pf24bit);
        Bitmap.SetSize(200, 60);
        Canvas()->GetBrush()->SetColor(clWhite);
        Canvas()->FillRect(TRect(0, 0, 200, 60));
        Canvas()->GetFont()->SetColor(clBlack);
        Canvas()->GetBrush()->SetStyle(bsClear);
        GetTextMetrics(DC(), &Metrics);
    }
    TCanvas* Canvas() { return Bitmap.GetCanvas(); }
    HDC DC() { return Canvas()->GetHandle(); }
    int Width(const char* S)
    {
        TSize Size;
        GetTextExtentPoint32A(DC(), S, int(std::strlen(S)), &Size);
        return Size.cx;
    }
    void Draw(const char* S, UINT Flags, int RectWidth = 200)
    {
        TRect R(0, 0, RectWidth, 60);
        DrawTextA(DC(), S, -1, &R, Flags);
    }
    // Where the underline of line Line runs: [Left, Right) of the longest
    // black run below that line's base line; (0, 0) when there is none.
    std::pair<int, int> Underline(int Line)
    {
        std::pair<int, int> Best(0, 0);
        const int Top = Line * Metrics.tmHeight;
        for (int Y = Top + Metrics.tmAscent; Y < Top + Metrics.tmHeight; ++Y) {
            int Start = 0;
            for (int X = 0; X <= 200; ++X) {
                if (X < 200 && Canvas()->GetPixels(X, Y) == clBlack) continue;
                if (X - Start > Best.second - Best.first && X - Start >= 3) Best = {Start, X};
                Start = X + 1;
            }
        }
        return Best;
    }
    TBitmap Bitmap;
    TEXTMETRIC Metrics;
};

TEST_F(DrawTextPrefix, TheCharacterAfterTheLastSingleAmpersandIsUnderlined)
{
    Draw("ab&Mn", DT_SINGLELINE);
    const auto U = Underline(0);
    EXPECT_NEAR(U.first, Width("ab"), 1);
    EXPECT_NEAR(U.second, Width("abM"), 1);

    SetUp();
    Draw("&ab&&c&Wd", DT_SINGLELINE);
    EXPECT_NEAR(Underline(0).first, Width("ab&c"), 1);
    EXPECT_NEAR(Underline(0).second, Width("ab&cW"), 1);
}

TEST_F(DrawTextPrefix, NoUnderlineWithoutAPrefix)
{
    for (const char* S : {"a&&MMb", "MMM&", "a\tMM"}) {
        SetUp();
        Draw(S, DT_SINGLELINE | DT_EXPANDTABS);
        EXPECT_EQ(Underline(0).second, 0) << S;
    }
    for (UINT Flags : {DT_NOPREFIX, DT_HIDEPREFIX}) {
        SetUp();
        Draw("&MMM", DT_SINGLELINE | Flags);
        EXPECT_EQ(Underline(0).second, 0) << Flags;
    }
}

TEST_F(DrawTextPrefix, MarksFollowLinesTabsAndEllipses)
{
    Draw("ab\r\nc&Md", 0);
    EXPECT_EQ(Underline(0).second, 0);
    EXPECT_NEAR(Underline(1).first, Width("c"), 1);

    SetUp();
    Draw("a\t&Mb", DT_SINGLELINE | DT_EXPANDTABS);
    EXPECT_NEAR(Underline(0).first, Width("a       "), 1);

    SetUp();
    Draw("&MMMMMMMMMMMMMMMMMMMMMMMM", DT_SINGLELINE | DT_END_ELLIPSIS, 60);
    EXPECT_NEAR(Underline(0).first, 0, 1); // kept: the start survives the ellipsis
    SetUp();
    Draw("MMMMMMMMMMMMMMMMMMMMMMMM&W", DT_SINGLELINE | DT_END_ELLIPSIS, 60);
    EXPECT_EQ(Underline(0).second, 0); // cut away with the end
}

} // namespace
