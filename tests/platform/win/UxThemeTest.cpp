#include "platform/win/UxTheme.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"
#include "tests/platform/controls/ControlFixtures.h"

#include <algorithm>
#include <cstdlib>
#include <sys/resource.h>

namespace {

bool ThemesWanted()
{
    return std::getenv("QUILLMOTE_NO_THEME") == nullptr;
}

const TColor Background = 0xFF00FF;

class UxThemeTest : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        Surface = New<TProbeControl>(Form);
        Surface->SetBounds(0, 0, 300, 200);
        Surface->SetParent(Form);
        platform::test::PaintNow(Surface);
        Canvas()->GetBrush()->SetColor(Background);
        Canvas()->FillRect(Rect(0, 0, 300, 200));
    }
    void TearDown() override
    {
        for (HTHEME T : Themes)
            CloseThemeData(T);
        TFormTest::TearDown();
    }
    TCanvas* Canvas() { return Surface->GetCanvas(); }
    HDC DC() { return Canvas()->GetHandle(); }
    TColor Pixel(int X, int Y) { return Canvas()->GetPixels(X, Y); }
    HTHEME Open(const WideChar* Class)
    {
        HTHEME T = OpenThemeData(Surface->GetHandle(), Class);
        if (T) Themes.push_back(T);
        return T;
    }
    // The pixels of R, row by row.
    std::vector<TColor> Pixels(const TRect& R)
    {
        std::vector<TColor> P;
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X)
                P.push_back(Pixel(X, Y));
        return P;
    }
    bool Untouched(const TRect& R)
    {
        for (TColor C : Pixels(R))
            if (C != Background) return false;
        return true;
    }
    // The picture of a part drawn at the origin of an area at (X, 0).
    std::vector<TColor> Picture(HTHEME T, int Part, int State, int X, int W = 20, int H = 20)
    {
        const TRect R = Bounds(X, 0, W, H);
        Canvas()->GetBrush()->SetColor(Background);
        Canvas()->FillRect(R);
        EXPECT_EQ(DrawThemeBackground(T, DC(), Part, State, &R, nullptr), S_OK);
        return Pixels(R);
    }

    TProbeControl* Surface = nullptr;
    std::vector<HTHEME> Themes;
};

TEST_F(UxThemeTest, ThemesArePresentUnlessSwitchedOff)
{
    const BOOL On = ThemesWanted() ? 1 : 0;
    EXPECT_EQ(IsThemeLibraryPresent(), On);
    EXPECT_EQ(IsThemeActive(), On);
    EXPECT_EQ(IsAppThemed(), On);
    EXPECT_EQ(Open(u"button") != nullptr, ThemesWanted());
    EXPECT_EQ(Open(u"BUTTON") != nullptr, ThemesWanted());
    EXPECT_EQ(Open(u"Status") != nullptr, ThemesWanted());
    EXPECT_EQ(Open(u"window"), nullptr);
    EXPECT_EQ(Open(u""), nullptr);
    EXPECT_EQ(OpenThemeData(nullptr, nullptr), nullptr);

    const TRect R = Rect(0, 0, 10, 10);
    EXPECT_EQ(DrawThemeBackground(nullptr, DC(), BP_PUSHBUTTON, PBS_NORMAL, &R, nullptr), E_HANDLE);
    TSize S;
    EXPECT_EQ(GetThemePartSize(nullptr, DC(), BP_CHECKBOX, 1, nullptr, TS_TRUE, &S), E_HANDLE);
    EXPECT_EQ(DrawThemeText(nullptr, DC(), BP_PUSHBUTTON, 1, u"x", 1, 0, 0, &R), E_HANDLE);
    EXPECT_TRUE(Untouched(Rect(0, 0, 300, 200)));
    // The theme's sizes are the system's, themed or not.
    EXPECT_EQ(GetThemeSysSize(nullptr, SM_CXVSCROLL), GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(GetThemeSysSize(nullptr, SM_CYHSCROLL), 17);
}

// The peak resident memory of the process, in megabytes.
long PeakMegabytes()
{
    rusage Usage{};
    getrusage(RUSAGE_SELF, &Usage);
    return Usage.ru_maxrss / 1024;
}

TEST_F(UxThemeTest, APartFarLargerThanTheScreenPaintsWhatShowsWithoutAPictureOfItAll)
{
    if (!ThemesWanted()) GTEST_SKIP() << "themes are off";
    HTHEME T = Open(u"header");
    ASSERT_NE(T, nullptr);
    const long Before = PeakMegabytes();
    // A header 32,767 pixels wide and tall, of which 300 × 200 show.
    const TRect Huge = Rect(0, 0, 32767, 32767);
    EXPECT_EQ(DrawThemeBackground(T, DC(), HP_HEADERITEM, HIS_NORMAL, &Huge, nullptr), S_OK);
    EXPECT_FALSE(Untouched(Rect(0, 0, 300, 200)));
    // A picture of the whole part would take 4 GB.
    EXPECT_LT(PeakMegabytes() - Before, 512);
}

TEST_F(UxThemeTest, AClassListTakesTheFirstClassKnown)
{
    if (!ThemesWanted()) GTEST_SKIP() << "themes are off";
    HTHEME T = Open(u"nonsense; Header ;button");
    ASSERT_NE(T, nullptr);
    const TRect R = Rect(0, 0, 40, 18);
    EXPECT_EQ(DrawThemeBackground(T, DC(), 5, 1, &R, nullptr), E_INVALIDARG); // no header has a part 5
    EXPECT_TRUE(Untouched(R));
    EXPECT_EQ(DrawThemeBackground(T, DC(), HP_HEADERITEM, HIS_NORMAL, &R, nullptr), S_OK);
    EXPECT_FALSE(Untouched(R));
    EXPECT_EQ(DrawThemeBackground(T, nullptr, HP_HEADERITEM, 1, &R, nullptr), E_INVALIDARG);
    EXPECT_EQ(DrawThemeBackground(T, DC(), HP_HEADERITEM, 1, nullptr, nullptr), E_INVALIDARG);

    // A closed handle is refused, also when closed again and after a new theme is opened.
    std::erase(Themes, T);
    EXPECT_EQ(CloseThemeData(T), S_OK);
    HTHEME Next = Open(u"header");
    EXPECT_NE(Next, T);
    EXPECT_EQ(CloseThemeData(T), E_HANDLE);
    EXPECT_EQ(DrawThemeBackground(T, DC(), HP_HEADERITEM, HIS_NORMAL, &R, nullptr), E_HANDLE);
    EXPECT_EQ(DrawThemeEdge(T, DC(), 0, 0, &R, EDGE_RAISED, BF_RECT, nullptr), E_HANDLE);
}

TEST_F(UxThemeTest, StatesChangeThePictureAndUnknownStatesDrawNormal)
{
    if (!ThemesWanted()) GTEST_SKIP() << "themes are off";
    HTHEME Button = Open(u"button");
    const auto Unchecked = Picture(Button, BP_CHECKBOX, CBS_UNCHECKEDNORMAL, 0, 13, 13);
    const auto Checked = Picture(Button, BP_CHECKBOX, CBS_CHECKEDNORMAL, 20, 13, 13);
    const auto Disabled = Picture(Button, BP_CHECKBOX, CBS_CHECKEDDISABLED, 40, 13, 13);
    EXPECT_NE(Unchecked, Checked);
    EXPECT_NE(Checked, Disabled);
    EXPECT_EQ(Picture(Button, BP_CHECKBOX, 0, 60, 13, 13), Unchecked);
    EXPECT_EQ(Picture(Button, BP_CHECKBOX, 99, 80, 13, 13), Unchecked);

    const auto Normal = Picture(Button, BP_PUSHBUTTON, PBS_NORMAL, 100, 40, 20);
    EXPECT_NE(Picture(Button, BP_PUSHBUTTON, PBS_PRESSED, 150, 40, 20), Normal);
    EXPECT_NE(Picture(Button, BP_PUSHBUTTON, PBS_DISABLED, 200, 40, 20), Normal);

    HTHEME Tree = Open(u"treeview");
    EXPECT_NE(Picture(Tree, TVP_GLYPH, GLPS_CLOSED, 0, 9, 9), Picture(Tree, TVP_GLYPH, GLPS_OPENED, 20, 9, 9));
    // A scroll-bar arrow of each direction.
    HTHEME Bar = Open(u"scrollbar");
    const auto Up = Picture(Bar, SBP_ARROWBTN, ABS_UPNORMAL, 0, 17, 17);
    EXPECT_EQ(std::count(Up.begin(), Up.end(), Background), 0); // it covers its whole rectangle
    EXPECT_NE(Up, Picture(Bar, SBP_ARROWBTN, ABS_DOWNNORMAL, 20, 17, 17));
    EXPECT_NE(Up, Picture(Bar, SBP_ARROWBTN, ABS_LEFTNORMAL, 40, 17, 17));
    EXPECT_NE(Up, Picture(Bar, SBP_ARROWBTN, ABS_UPPRESSED, 60, 17, 17));
}

TEST_F(UxThemeTest, PartsStayInsideTheirRectangleAndTheClip)
{
    if (!ThemesWanted()) GTEST_SKIP() << "themes are off";
    HTHEME Tab = Open(u"tab");
    // A selected tab would join its pane below; it stays in its rectangle.
    const TRect R = Rect(10, 10, 60, 30);
    EXPECT_EQ(DrawThemeBackground(Tab, DC(), TABP_TABITEM, TIS_SELECTED, &R, nullptr), S_OK);
    EXPECT_FALSE(Untouched(R));
    EXPECT_TRUE(Untouched(Rect(0, 30, 100, 60)));

    HTHEME Button = Open(u"button");
    const TRect B = Rect(100, 10, 160, 40);
    const TRect Clip = Rect(100, 10, 130, 25);
    EXPECT_EQ(DrawThemeBackground(Button, DC(), BP_PUSHBUTTON, PBS_NORMAL, &B, &Clip), S_OK);
    EXPECT_FALSE(Untouched(Clip));
    EXPECT_TRUE(Untouched(Rect(130, 10, 160, 40)));
    EXPECT_TRUE(Untouched(Rect(100, 25, 130, 40)));
}

TEST_F(UxThemeTest, PartSizes)
{
    if (!ThemesWanted()) GTEST_SKIP() << "themes are off";
    TSize S;
    EXPECT_EQ(GetThemePartSize(Open(u"button"), DC(), BP_CHECKBOX, 1, nullptr, TS_TRUE, &S), S_OK);
    EXPECT_EQ(S, TSize(13, 13));
    EXPECT_EQ(GetThemePartSize(Open(u"scrollbar"), DC(), SBP_ARROWBTN, 1, nullptr, TS_TRUE, &S), S_OK);
    EXPECT_EQ(S, TSize(17, 17));
    EXPECT_EQ(GetThemePartSize(Open(u"status"), DC(), SP_GRIPPER, 0, nullptr, TS_TRUE, &S), S_OK);
    EXPECT_GT(S.cx, 0);
    EXPECT_LE(S.cx, 17);
    const TRect R = Rect(0, 0, 70, 18);
    EXPECT_EQ(GetThemePartSize(Open(u"header"), DC(), HP_HEADERITEM, 1, &R, TS_DRAW, &S), S_OK);
    EXPECT_EQ(S, TSize(70, 18));
    EXPECT_EQ(GetThemePartSize(Open(u"header"), DC(), 77, 1, &R, TS_DRAW, &S), E_INVALIDARG);
}

// The darkest channel value in R.
int Darkest(const std::vector<TColor>& Pixels)
{
    int Min = 255;
    for (TColor C : Pixels)
        Min = std::min({Min, int(GetRValue(C)), int(GetGValue(C)), int(GetBValue(C))});
    return Min;
}

TEST_F(UxThemeTest, ThemeTextInThePartsColours)
{
    if (!ThemesWanted()) GTEST_SKIP() << "themes are off";
    HTHEME Button = Open(u"button");
    Canvas()->GetFont()->SetHeight(-16);
    Canvas()->GetFont()->SetColor(clRed);
    Canvas()->GetBrush()->SetColor(clWhite);
    Canvas()->FillRect(Rect(0, 0, 300, 60));
    HDC H = DC();
    const COLORREF Before = GetTextColor(H);
    const TRect Normal = Rect(0, 0, 100, 30), Grayed = Rect(0, 30, 100, 60);
    EXPECT_EQ(DrawThemeText(Button, H, BP_PUSHBUTTON, PBS_NORMAL, u"WWW", -1, DT_SINGLELINE, 0, &Normal), S_OK);
    EXPECT_EQ(DrawThemeText(Button, H, BP_PUSHBUTTON, PBS_NORMAL, u"WWW", 3, DT_SINGLELINE, DTT_GRAYED, &Grayed), S_OK);
    EXPECT_EQ(GetTextColor(H), Before);
    EXPECT_LT(Darkest(Pixels(Normal)), 40);  // black text
    EXPECT_GT(Darkest(Pixels(Grayed)), 100); // grey text
    EXPECT_LT(Darkest(Pixels(Grayed)), 200);
    // The part's own colour, not the font's.
    for (TColor C : Pixels(Normal))
        EXPECT_FALSE(GetRValue(C) > 200 && GetGValue(C) < 100) << std::hex << C;
}

TEST_F(UxThemeTest, ThemeEdgesAreTheSystemEdges)
{
    if (!ThemesWanted()) GTEST_SKIP() << "themes are off";
    HTHEME Button = Open(u"button");
    const TRect R = Rect(10, 10, 50, 40);
    TRect Content;
    EXPECT_EQ(DrawThemeEdge(Button, DC(), BP_PUSHBUTTON, 1, &R, EDGE_RAISED, BF_RECT | BF_ADJUST, &Content), S_OK);
    EXPECT_EQ(Content, Rect(12, 12, 48, 38));
    const auto Themed = Pixels(R);
    TRect Classic = Rect(60, 10, 100, 40);
    DrawEdge(DC(), &Classic, EDGE_RAISED, BF_RECT);
    EXPECT_EQ(Pixels(Rect(60, 10, 100, 40)), Themed);
}

} // namespace
