// The HTML-like cell text: what it measures, where it draws and which link
// lies under a point.
#include "grid/shared/GxClasses.h"
#include "grid/shared/GxSharedCommon.h"

#include <gtest/gtest.h>

using namespace GxSharedCommon;

namespace {

class GxHtmlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Bitmap.SetPixelFormat(pf24bit);
        Bitmap.SetSize(400, 200);
        Canvas = Bitmap.GetCanvas();
        Reset();
    }
    void Reset()
    {
        Canvas->GetBrush()->SetColor(clWhite);
        Canvas->FillRect(TRect(0, 0, 400, 200));
        TFont* F = Canvas->GetFont();
        F->SetName("Tahoma");
        F->SetHeight(-11);
        F->SetStyle({});
        F->SetColor(clBlack);
    }
    THtmlInfo Measure(const WideString& Text, TPoint Point = TPoint(-1, -1))
    {
        Reset();
        return ProcessHTML(Canvas, R, Text, Point, false);
    }
    int Width(const WideString& S) { return GxClasses::GetTextWidth(Canvas, S); }
    int Height(const WideString& S) { return GxClasses::GetTextHeight(Canvas, S); }

    TBitmap Bitmap;
    TCanvas* Canvas = nullptr;
    const TRect R{10, 20, 300, 180};
};

TEST_F(GxHtmlTest, ExtentOfPlainTextLinesAndTagsAtTheEnd)
{
    Reset();
    const int W = Width(u"plain"), H = Height(u"plain");
    THtmlInfo I = Measure(u"plain");
    EXPECT_EQ(I.Width, R.Left + 2 + W);
    EXPECT_EQ(I.Height, H + 1);

    EXPECT_EQ(Measure(u"a<br>bb").Height, 2 * H + 1);

    I = Measure(u"");
    EXPECT_EQ(I.Width, R.Left + 2);
    EXPECT_EQ(I.Height, Height(u"") + 1);

    // Text that ends inside a tag: the unclosed tag's name gives the last line its height.
    I = Measure(u"a<b");
    EXPECT_EQ(I.Width, R.Left + 2 + Width(u"a"));
    EXPECT_EQ(I.Height, H + 1);

    // A large run ending the line counts even when a tag in the small base font follows it.
    Canvas->GetFont()->SetSize(30);
    const int Big = Height(u"Big");
    I = Measure(u"<font size=30>Big</font>");
    EXPECT_EQ(I.Height, Big + 1);
}

TEST_F(GxHtmlTest, TagsSetTheFontAndTheCanvasKeepsTheLastOne)
{
    Canvas->GetFont()->SetStyle({fsBold});
    const int BoldX = Width(u"x");
    Reset();
    EXPECT_EQ(Measure(u"<B>x</B>y").Width, R.Left + 2 + BoldX + Width(u"y"));
    EXPECT_EQ(Canvas->GetFont()->GetStyle(), TFontStyles{});
    EXPECT_EQ(Canvas->GetBrush()->GetStyle(), bsSolid);

    Measure(u"<i><u>x");
    EXPECT_EQ(Canvas->GetFont()->GetStyle(), (TFontStyles{fsItalic, fsUnderline}));
    Measure(u"<font color=\"red\" size=\"12\" name=\"Courier New\">x");
    EXPECT_EQ(Canvas->GetFont()->GetColor(), TColor(0x0000FF));
    EXPECT_EQ(Canvas->GetFont()->GetSize(), 12);
    EXPECT_EQ(Canvas->GetFont()->GetName(), "Courier New");
    Measure(u"<font color=#00FF00>x");
    EXPECT_EQ(Canvas->GetFont()->GetColor(), TColor(0x00FF00));

    // Sizes a user typed never raise and never ask for a giant font.
    Measure(u"<font size=big>x");
    EXPECT_EQ(Canvas->GetFont()->GetHeight(), -11);
    Measure(u"<font size=99999>x");
    EXPECT_EQ(Canvas->GetFont()->GetSize(), 400);
    Measure(u"<font size=-3>x");
    EXPECT_EQ(Canvas->GetFont()->GetSize(), 1);

    // Closing restores the font exactly, height and all.
    Measure(u"<font size=20 name=Arial>x</font>");
    EXPECT_EQ(Canvas->GetFont()->GetHeight(), -11);
    EXPECT_EQ(Canvas->GetFont()->GetName(), "Tahoma");
}

TEST_F(GxHtmlTest, LinksAreHitByTheirOpeningHref)
{
    const WideString Text = u"go <a href=\"u?a=1\" title=\"t\">link<font color=red>x</font></a> end";
    Reset();
    const int Start = 2 + Width(u"go ");
    Canvas->GetFont()->SetStyle({fsUnderline});
    const int End = Start + Width(u"link") + Width(u"x");
    EXPECT_EQ(Measure(Text, TPoint(Start, 2)).Link, u"u?a=1");
    EXPECT_EQ(Measure(Text, TPoint(End - 1, 2)).Link, u"u?a=1");
    EXPECT_EQ(Measure(Text, TPoint(End, 2)).Link, u"");
    EXPECT_EQ(Measure(Text, TPoint(Start - 1, 2)).Link, u"");
    Reset();
    EXPECT_EQ(ProcessHTML(Canvas, R, Text, TPoint(Start, 2), true).Link, u"");

    // Across a line break the rectangle runs from the start to the pen at </a>.
    Reset();
    const int H = Height(u"a");
    const WideString Broken = u"<a href=w>abcdef<br>c</a>";
    Canvas->GetFont()->SetStyle({fsUnderline});
    const int C = 2 + Width(u"c");
    EXPECT_EQ(Measure(Broken, TPoint(C - 1, H + 2)).Link, u"w");
    EXPECT_EQ(Measure(Broken, TPoint(2, 1)).Link, u"w");
    EXPECT_EQ(Measure(Broken, TPoint(C + 1, 2)).Link, u""); // beyond the pen on the first line
    // A link without href gives no target, not the last link's.
    EXPECT_EQ(Measure(u"<a href=p>x</a><a>yyyy</a>", TPoint(2 + Width(u"x") + 1, 2)).Link, u"");
}

TEST_F(GxHtmlTest, ASlashInAValueStaysThereAndNestedLinksHitTheInnermost)
{
    // A "/" in a bare value belongs to it; the tag still opens the link.
    const WideString Bare = u"<a href=http://x/y>link</a>";
    EXPECT_EQ(Measure(Bare, TPoint(3, 2)).Link, u"http://x/y");
    Measure(u"<a href=http://x/y>link");
    EXPECT_EQ(Canvas->GetFont()->GetStyle(), TFontStyles{fsUnderline});
    EXPECT_EQ(Canvas->GetFont()->GetColor(), clBlue);
    // A bare value runs to the next blank or ">", "=" and all; "/" in the tag
    // name's place still closes.
    EXPECT_EQ(Measure(u"<a href=p?a=1/b title=t>x</a>", TPoint(3, 2)).Link, u"p?a=1/b");
    const int H = Height(u"a");
    EXPECT_EQ(Measure(u"a<br/>b").Height, 2 * H + 1);
    EXPECT_EQ(Measure(u"a<br />b").Height, 2 * H + 1);
    // A tag is acted on once, however many blanks follow its name.
    EXPECT_EQ(Measure(u"<b  >x</b >y").Width, Measure(u"<b>x</b>y").Width);
    EXPECT_EQ(Canvas->GetFont()->GetStyle(), TFontStyles{});
    EXPECT_EQ(Measure(u"<a href=u >x</a> ", TPoint(3, 2)).Link, u"u");
    EXPECT_EQ(Canvas->GetFont()->GetStyle(), TFontStyles{});

    // Each closing tag tests its own link's rectangle; the innermost under the point wins.
    Reset();
    Canvas->GetFont()->SetStyle({fsUnderline});
    const int A = 2 + Width(u"aa"), B = A + Width(u"bb"), C = B + Width(u"cc");
    const WideString Nested = u"<a href=o>aa<a href=i>bb</a>cc</a>";
    EXPECT_EQ(Measure(Nested, TPoint(3, 2)).Link, u"o");
    EXPECT_EQ(Measure(Nested, TPoint(A + 1, 2)).Link, u"i");
    EXPECT_EQ(Measure(Nested, TPoint(B + 1, 2)).Link, u"o");
    EXPECT_EQ(Measure(Nested, TPoint(C + 1, 2)).Link, u"");
    // An inner anchor without a target leaves the point to the link around it.
    EXPECT_EQ(Measure(u"<a href=o>aa<a>bb</a></a>", TPoint(A + 1, 2)).Link, u"o");
}

TEST_F(GxHtmlTest, InkStaysInsideTheMeasuredExtent)
{
    for (const WideString& Text : {WideString(u"<b>Bold</b> <i>italic</i> <u>under</u>"),
                                   WideString(u"small<font size=24 color=navy>Big</font><br>next <a href=x>line</a>"),
                                   WideString(u"one<br><font size=16>two</font><br>three")}) {
        Reset();
        const THtmlInfo I = ProcessHTML(Canvas, R, Text, TPoint(), true);
        int Left = 400, Top = 200, Right = -1, Bottom = -1;
        for (int Y = 0; Y < 200; ++Y)
            for (int X = 0; X < 400; ++X)
                if (Canvas->GetPixels(X, Y) != clWhite) {
                    Left = std::min(Left, X), Top = std::min(Top, Y);
                    Right = std::max(Right, X + 1), Bottom = std::max(Bottom, Y + 1);
                }
        SCOPED_TRACE(::testing::PrintToString(std::u16string_view(Text).size()));
        ASSERT_GT(Right, 0) << "nothing drawn";
        EXPECT_GE(Left, R.Left + 2);
        EXPECT_GE(Top, R.Top + 1);
        EXPECT_LE(Right, I.Width);
        EXPECT_LE(Bottom, R.Top + I.Height);
        EXPECT_GT(Bottom, R.Top + I.Height - 8); // and the extent is not much taller than the ink
    }
}

} // namespace
