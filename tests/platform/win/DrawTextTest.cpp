#include "platform/win/WinUser.h"
#include "tests/platform/controls/ControlFixtures.h"

namespace {

class DrawTextTest : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        Surface = New<TProbeControl>(Form);
        Surface->SetBounds(0, 0, 300, 200);
        Surface->SetParent(Form);
        platform::test::PaintNow(Surface);
        Canvas()->GetFont()->SetName("Tahoma");
        Canvas()->GetFont()->SetHeight(-11);
        Clear();
    }
    TCanvas* Canvas() { return Surface->GetCanvas(); }
    HDC DC() { return Canvas()->GetHandle(); }
    void Clear()
    {
        Canvas()->GetBrush()->SetColor(clWhite);
        Canvas()->FillRect(Rect(0, 0, 300, 200));
    }
    int Width(const WideString& S)
    {
        TSize Size;
        EXPECT_EQ(GetTextExtentPoint32W(DC(), S.data(), int(S.size()), &Size), 1);
        return Size.cx;
    }
    int LineHeight() { return Canvas()->TextHeight("Wg"); }
    // The rectangle DrawText measures for S in Width.
    TRect Measure(const WideString& S, int W, UINT Flags)
    {
        TRect R = Rect(0, 0, W, 0);
        DrawTextW(DC(), S.data(), int(S.size()), &R, Flags | DT_CALCRECT);
        return R;
    }
    // The width of the longest start of S that fits W followed by Tail.
    int FittedWidth(const WideString& S, const WideString& Tail, int W)
    {
        for (std::size_t N = S.size() + 1; N-- > 0;)
            if (Width(S.substr(0, N) + Tail) <= W) return Width(S.substr(0, N) + Tail);
        return -1;
    }
    TProbeControl* Surface = nullptr;
};

// The pixels of a rectangle of the surface.
std::vector<TColor> Grab(TCanvas* C, const TRect& R)
{
    std::vector<TColor> P;
    for (int Y = R.Top; Y < R.Bottom; ++Y)
        for (int X = R.Left; X < R.Right; ++X)
            P.push_back(C->GetPixels(X, Y));
    return P;
}

TEST_F(DrawTextTest, MeasuredRectangles)
{
    const int H = LineHeight();
    EXPECT_EQ(Measure(u"alpha", 0, DT_SINGLELINE), Rect(0, 0, Width(u"alpha"), H));
    EXPECT_EQ(Measure(u"", 100, DT_SINGLELINE), Rect(0, 0, 0, 0));
    EXPECT_EQ(Measure(u"ab\r\nlonger\rc", 0, 0), Rect(0, 0, Width(u"longer"), 3 * H));
    TRect Two = Rect(0, 0, 0, 0);
    EXPECT_EQ(DrawTextA(DC(), "one\ntwo", -1, &Two, DT_CALCRECT), 2 * H); // the height drawn
    EXPECT_EQ(Measure(u"ab\ncd", 0, DT_SINGLELINE), Rect(0, 0, Width(u"abcd"), H));
    // Word breaks: the lines fit the width; a word wider than it widens the rectangle.
    const TRect Broken = Measure(u"alpha beta alpha beta", Width(u"alpha beta") + 2, DT_WORDBREAK);
    EXPECT_EQ(Broken.Bottom, 2 * H);
    EXPECT_EQ(Broken.Right, Width(u"alpha beta"));
    EXPECT_EQ(Measure(u"a extraordinarily b", 20, DT_WORDBREAK), Rect(0, 0, Width(u"extraordinarily"), 3 * H));
    // Prefixes: "&&" is one '&', a lone '&' goes, unless DT_NOPREFIX.
    EXPECT_EQ(Measure(u"a&&b&c", 0, DT_SINGLELINE).Right, Width(u"a&bc"));
    EXPECT_EQ(Measure(u"a&&b&c", 0, DT_SINGLELINE | DT_NOPREFIX).Right, Width(u"a&&b&c"));
    EXPECT_GE(Measure(u"x", 0, DT_SINGLELINE | DT_EXTERNALLEADING).Bottom, H);
    EXPECT_EQ(DrawTextW(DC(), u"one\ntwo", -1, nullptr, 0), 0);
}

TEST_F(DrawTextTest, EllipsesKeepTheTextInsideTheWidth)
{
    const WideString Text = u"The quick brown fox jumps";
    const int W = Width(Text) / 2;
    EXPECT_EQ(Measure(Text, W, DT_SINGLELINE | DT_END_ELLIPSIS).Right, FittedWidth(Text, u"...", W));
    EXPECT_EQ(Measure(Text, W, DT_SINGLELINE | DT_WORD_ELLIPSIS).Right, FittedWidth(Text, u"...", W));
    EXPECT_EQ(Measure(Text, Width(Text), DT_SINGLELINE | DT_END_ELLIPSIS).Right, Width(Text)); // fits: unchanged

    // A path keeps its last part and loses its middle.
    const WideString Path = u"/usr/share/quillmote/RegexPresets/RegexIncludes.txt";
    const WideString File = u"/RegexIncludes.txt";
    const int PW = Width(u"/usr/sh...") + Width(File);
    EXPECT_EQ(Measure(Path, PW, DT_SINGLELINE | DT_PATH_ELLIPSIS).Right,
              FittedWidth(Path.substr(0, Path.size() - File.size()), u"..." + File, PW));
    EXPECT_LE(Measure(Path, PW, DT_SINGLELINE | DT_PATH_ELLIPSIS).Right, PW);
    // Too narrow even for the last part: that loses its end as well.
    const int Narrow = Width(u"...RegexIn");
    EXPECT_EQ(Measure(Path, Narrow, DT_SINGLELINE | DT_PATH_ELLIPSIS).Right,
              FittedWidth(u"..." + File, u"...", Narrow));
    // Without a path delimiter the middle goes.
    EXPECT_LE(Measure(u"abcdefghijklmnopqrstuvwxyz", 60, DT_SINGLELINE | DT_PATH_ELLIPSIS).Right, 60);

    // A character outside the 16-bit plane is never cut in half.
    WideString Notes;
    for (int I = 0; I < 12; ++I)
        Notes += u"\U0001D11E";
    const int One = Width(u"\U0001D11E");
    const int Cut = Measure(Notes, Width(Notes) / 2, DT_SINGLELINE | DT_END_ELLIPSIS).Right;
    bool Whole = false;
    for (int K = 0; K <= 12; ++K)
        Whole = Whole || Cut == Width(Notes.substr(0, 2 * std::size_t(K)) + u"...");
    EXPECT_TRUE(Whole) << Cut << " " << One;
    // ... and one that fits with the ellipsis stays.
    const int OneAndEllipsis = Width(u"\U0001D11E...");
    EXPECT_EQ(Measure(Notes, OneAndEllipsis, DT_SINGLELINE | DT_END_ELLIPSIS).Right, OneAndEllipsis);
}

TEST_F(DrawTextTest, TheTextDrawnIsTheTextMeasured)
{
    // A shortened line shows what DT_CALCRECT measured: the same pixels as
    // that text drawn whole, right-aligned by the same width.
    Canvas()->GetBrush()->SetStyle(bsClear);
    const WideString Text = u"The quick brown fox jumps";
    const int W = Width(Text) / 2;
    const int Fitted = Measure(Text, W, DT_SINGLELINE | DT_END_ELLIPSIS).Right;
    WideString Shown;
    for (std::size_t N = Text.size(); N > 0 && Shown.empty(); --N)
        if (Width(Text.substr(0, N) + u"...") == Fitted) Shown = Text.substr(0, N) + u"...";
    ASSERT_FALSE(Shown.empty());
    TRect Top = Rect(10, 0, 10 + W, 20), Bottom = Rect(10, 20, 10 + W, 40);
    DrawTextW(DC(), Text.data(), -1, &Top, DT_SINGLELINE | DT_END_ELLIPSIS | DT_RIGHT);
    DrawTextW(DC(), Shown.data(), -1, &Bottom, DT_SINGLELINE | DT_RIGHT);
    const std::vector<TColor> Ellipsized = Grab(Canvas(), Rect(0, 0, 150, 20));
    EXPECT_EQ(Ellipsized, Grab(Canvas(), Rect(0, 20, 150, 40)));
    EXPECT_NE(Ellipsized, std::vector<TColor>(Ellipsized.size(), clWhite));

    // A line separator is a character of the line, not a break in it.
    TRect Tall = Rect(0, 50, 200, 90);
    DrawTextW(DC(), u"one\u2028two", -1, &Tall, DT_SINGLELINE);
    const std::vector<TColor> Below = Grab(Canvas(), Rect(0, 50 + LineHeight(), 200, 90));
    EXPECT_EQ(Below, std::vector<TColor>(Below.size(), clWhite));
}

TEST_F(DrawTextTest, PlacementOnTheBackground)
{
    // Blanks show only the background the text is drawn on.
    Canvas()->GetBrush()->SetColor(clYellow);
    const WideString Blanks = u"      ";
    const int W = Width(Blanks), H = LineHeight();
    TRect R = Rect(0, 0, 100, 40);
    DrawTextW(DC(), Blanks.data(), -1, &R, DT_SINGLELINE | DT_BOTTOM | DT_CENTER);
    const int Left = (100 - W) / 2;
    EXPECT_EQ(Canvas()->GetPixels(Left, 39), clYellow);
    EXPECT_EQ(Canvas()->GetPixels(Left - 1, 39), clWhite);
    EXPECT_EQ(Canvas()->GetPixels(Left + W - 1, 40 - H), clYellow);
    EXPECT_EQ(Canvas()->GetPixels(Left + W, 39), clWhite);
    EXPECT_EQ(Canvas()->GetPixels(Left, 40 - H - 1), clWhite);
    Clear();
    Canvas()->GetBrush()->SetColor(clYellow);
    DrawTextW(DC(), Blanks.data(), -1, &R, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    EXPECT_EQ(Canvas()->GetPixels(99, (40 - H) / 2), clYellow);
    EXPECT_EQ(Canvas()->GetPixels(99, (40 - H) / 2 - 1), clWhite);
    EXPECT_EQ(Canvas()->GetPixels(100 - W - 1, 20), clWhite);

    // Clipped to the rectangle unless DT_NOCLIP.
    Clear();
    Canvas()->GetBrush()->SetColor(clYellow);
    R = Rect(0, 50, 10, 80);
    DrawTextW(DC(), Blanks.data(), -1, &R, DT_SINGLELINE);
    EXPECT_EQ(Canvas()->GetPixels(9, 50), clYellow);
    EXPECT_EQ(Canvas()->GetPixels(10, 50), clWhite);
    DrawTextW(DC(), Blanks.data(), -1, &R, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_EQ(Canvas()->GetPixels(W - 1, 50), clYellow);

    // With a clear brush nothing but the glyphs is drawn.
    Clear();
    Canvas()->GetBrush()->SetStyle(bsClear);
    R = Rect(0, 0, 100, 40);
    DrawTextW(Canvas()->GetHandle(), Blanks.data(), -1, &R, DT_SINGLELINE);
    EXPECT_EQ(Canvas()->GetPixels(1, 1), clWhite);
}

TEST_F(DrawTextTest, RightToLeftReadingMovesNeutralCharactersOnly)
{
    Canvas()->GetBrush()->SetStyle(bsClear);
    auto Draw = [&](const WideString& S, int Top, UINT Flags) {
        TRect R = Rect(0, Top, 120, Top + 20);
        DrawTextW(DC(), S.data(), -1, &R, DT_SINGLELINE | Flags);
        return Grab(Canvas(), Rect(0, Top, 120, Top + 20));
    };
    // Letters alone read the same either way, and stay where the alignment puts them.
    EXPECT_EQ(Draw(u"abc", 0, 0), Draw(u"abc", 20, DT_RTLREADING));
    // A trailing '!' goes to the other end of the line.
    EXPECT_NE(Draw(u"abc!", 40, 0), Draw(u"abc!", 60, DT_RTLREADING));
}

TEST_F(DrawTextTest, TextExtentCountsEveryCharacter)
{
    TSize A, W;
    EXPECT_EQ(GetTextExtentPoint32A(DC(), "a&b", 3, &A), 1);
    EXPECT_EQ(GetTextExtentPoint32W(DC(), u"a&b", 3, &W), 1);
    EXPECT_EQ(A, W);
    EXPECT_EQ(A, Canvas()->TextExtent("a&b"));
    EXPECT_EQ(GetTextExtentPoint32W(DC(), u"a\u00e9", 1, &W), 1);
    EXPECT_EQ(W.cx, Canvas()->TextWidth("a"));
    EXPECT_EQ(GetTextExtentPoint32W(DC(), u"x", -1, &W), 0);
    EXPECT_EQ(GetTextExtentPoint32W(nullptr, u"x", 1, &W), 0);
}

} // namespace
