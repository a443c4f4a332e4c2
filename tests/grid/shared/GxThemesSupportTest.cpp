#include "grid/shared/GxThemesSupport.h"
#include "platform/rtl/Codec.h"
#include "platform/win/WinUser.h"
#include "tests/platform/controls/ControlFixtures.h"

#include <cstdlib>
#include <functional>
#include <stdexcept>

namespace {

using namespace GxThemesSupport;

bool ThemesWanted()
{
    return std::getenv("QUILLMOTE_NO_THEME") == nullptr;
}

const TColor Background = 0xFF00FF; // a colour no part uses

// A surface to draw parts on and probe: a control whose backing image we
// draw into through its canvas, as painting code outside Paint does.
class TSurface : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Paints = 0;

    void Clear()
    {
        GetCanvas()->GetBrush()->SetColor(Background);
        GetCanvas()->FillRect(GetClientRect());
    }
    TColor Pixel(int X, int Y) { return GetCanvas()->GetPixels(X, Y); }
    HDC DC() { return GetCanvas()->GetHandle(); }
    // Whether anything in R differs from the background.
    bool Touched(const TRect& R)
    {
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X)
                if (Pixel(X, Y) != Background) return true;
        return false;
    }

protected:
    void Paint() override { ++Paints; }
};

class GxThemesSupportTest : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        Form->SetClientWidth(900);
        Form->SetClientHeight(1000);
        Surface = New<TSurface>(Form);
        Surface->SetBounds(0, 0, 900, 1000);
        Surface->SetParent(Form);
        platform::test::PaintNow(Surface);
        Surface->Clear();
    }
    TSurface* Surface = nullptr;
};

// ---- The library ------------------------------------------------------------------------------------

TEST(GxThemesSupport, ThemedWhenTheLibraryIsPresentAndActive)
{
    EXPECT_EQ(IsThemed(), ThemesWanted());
    EXPECT_EQ(ThemeLibrary != nullptr, ThemesWanted());
    EXPECT_EQ(ThemeEntryPoints.OpenThemeData != nullptr, ThemesWanted());

    ReleaseThemes();
    EXPECT_FALSE(IsThemed());
    EXPECT_EQ(ThemeLibrary, nullptr);
    EXPECT_EQ(ThemeEntryPoints.DrawThemeBackground, nullptr);
    InitThemes();
    EXPECT_EQ(IsThemed(), ThemesWanted());
}

// Entry points that count their calls.
int Calls = 0;
BOOL Answer = 1;
BOOL CountingIsAppThemed()
{
    ++Calls;
    return Answer;
}
BOOL CountingIsThemeActive()
{
    ++Calls;
    return 1;
}
BOOL ThrowingIsThemeActive()
{
    throw std::runtime_error("broken");
}

TEST(GxThemesSupport, IsThemedAsksTheEntryPointsInOrderAndOnlyWithALibrary)
{
    void* const SavedLibrary = ThemeLibrary;
    const TThemeEntryPoints SavedEntries = ThemeEntryPoints;
    static char Handle;
    ThemeEntryPoints.IsAppThemed = CountingIsAppThemed;
    ThemeEntryPoints.IsThemeActive = CountingIsThemeActive;

    ThemeLibrary = nullptr; // no library: no entry point is called
    Calls = 0;
    EXPECT_FALSE(IsThemed());
    EXPECT_EQ(Calls, 0);

    ThemeLibrary = &Handle;
    EXPECT_TRUE(IsThemed());
    EXPECT_EQ(Calls, 2);
    Answer = 0; // the application not themed: the theme is not asked
    Calls = 0;
    EXPECT_FALSE(IsThemed());
    EXPECT_EQ(Calls, 1);
    Answer = 1;

    ThemeEntryPoints.IsThemeActive = nullptr; // a missing entry point is a "no"
    EXPECT_FALSE(IsThemed());
    ThemeEntryPoints.IsThemeActive = ThrowingIsThemeActive;
    try {
        IsThemed();
        ADD_FAILURE();
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message, "Error in Themes");
    }

    ThemeLibrary = SavedLibrary;
    ThemeEntryPoints = SavedEntries;
}

// ---- Themed and classic parts ------------------------------------------------------------------------

struct TSample {
    const char16_t* Class;
    int Part;
    int State;
    // The classic picture the grid draws instead.
    std::function<void(HDC DC, TRect R)> Classic;
};

void FrameControl(HDC DC, TRect R, UINT Type, UINT State)
{
    DrawFrameControl(DC, &R, Type, State);
}

// The classic size grip: diagonal lines in the shadow colour.
void ClassicGrip(HDC DC, TRect R)
{
    TCanvas C;
    C.SetHandle(DC);
    C.GetPen()->SetColor(clBtnShadow);
    for (int D = 0; D <= 8; D += 4) {
        C.MoveTo(R.Right - 2 - D, R.Bottom - 1);
        C.LineTo(R.Right, R.Bottom - 3 - D);
    }
    C.SetHandle(nullptr);
}

void Edge(HDC DC, TRect R, UINT Edge)
{
    DrawEdge(DC, &R, Edge, BF_RECT | BF_MIDDLE);
}

const TSample Samples[] = {
    {u"button", BP_CHECKBOX, CBS_CHECKEDNORMAL,
     [](HDC DC, TRect R) { FrameControl(DC, R, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED); }},
    {u"edit", EP_EDITTEXT, 0, [](HDC DC, TRect R) { Edge(DC, R, EDGE_SUNKEN); }},
    {u"spin", SPNP_UP, UPS_PRESSED, [](HDC DC, TRect R) { FrameControl(DC, R, DFC_SCROLL, DFCS_SCROLLUP); }},
    {u"combobox", CP_DROPDOWNBUTTON, CBXS_NORMAL,
     [](HDC DC, TRect R) { FrameControl(DC, R, DFC_SCROLL, DFCS_SCROLLCOMBOBOX); }},
    {u"scrollbar", SBP_ARROWBTN, ABS_DOWNHOT,
     [](HDC DC, TRect R) { FrameControl(DC, R, DFC_SCROLL, DFCS_SCROLLDOWN); }},
    {u"toolbar", TP_BUTTON, TS_HOT, [](HDC DC, TRect R) { Edge(DC, R, EDGE_RAISED); }},
    {u"tab", TABP_PANE, 1, [](HDC DC, TRect R) { Edge(DC, R, EDGE_RAISED); }},
    {u"header", HP_HEADERITEM, HIS_NORMAL, [](HDC DC, TRect R) { Edge(DC, R, EDGE_RAISED); }},
    {u"listview", LVP_LISTITEM, 0, [](HDC DC, TRect R) { Edge(DC, R, EDGE_SUNKEN); }},
    {u"treeview", TVP_GLYPH, GLPS_OPENED, [](HDC DC, TRect R) { Edge(DC, R, BDR_SUNKENOUTER); }},
    {u"status", SP_GRIPPER, 0, [](HDC DC, TRect R) { ClassicGrip(DC, R); }},
};

TEST_F(GxThemesSupportTest, EveryThemeClassDrawsThemedOrClassic)
{
    int X = 10;
    for (const TSample& S : Samples) {
        SCOPED_TRACE(WideToUtf8(S.Class));
        const TRect R = Bounds(X, 10, 30, 30);
        X += 40;
        HTHEME Theme = OpenThemeData(Surface->GetHandle(), S.Class);
        EXPECT_EQ(Theme != nullptr, ThemesWanted());
        CloseThemeData(Theme);
        if (IsThemed()) {
            ThemeRect(Surface->GetHandle(), Surface->DC(), R, S.Class, S.Part, S.State);
            EXPECT_TRUE(Surface->Touched(R));
        } else {
            ThemeRect(Surface->GetHandle(), Surface->DC(), R, S.Class, S.Part, S.State); // draws nothing
            EXPECT_FALSE(Surface->Touched(R));
            S.Classic(Surface->DC(), R);
            EXPECT_TRUE(Surface->Touched(R));
        }
        // Nothing lands outside the rectangle.
        EXPECT_FALSE(Surface->Touched(Rect(R.Left - 2, R.Top - 2, R.Right + 2, R.Top)));
        EXPECT_FALSE(Surface->Touched(Rect(R.Left - 2, R.Bottom, R.Right + 2, R.Bottom + 2)));
        EXPECT_FALSE(Surface->Touched(Rect(R.Left - 2, R.Top, R.Left, R.Bottom)));
        EXPECT_FALSE(Surface->Touched(Rect(R.Right, R.Top, R.Right + 2, R.Bottom)));
    }
}

// ---- Colour schemes -----------------------------------------------------------------------------------------

TEST(GxThemesSupport, SchemeColoursOfEachScheme)
{
    ASSERT_EQ(ColorScheme, csBlue);
    EXPECT_EQ(SchemeColor(seBorder, csDefault), 0xCF9365);
    EXPECT_EQ(SchemeColor(seHighlight, csSilver), 0);
    EXPECT_EQ(SchemeColor(seBackgroundGradientStart, csBlack), 0);
    EXPECT_EQ(SchemeColor(seBackgroundGradientEnd, csBlack), 0x0A0A0A);
    EXPECT_EQ(SchemeColor(seDown, csBlack), 0x3C8CFB);
    EXPECT_EQ(SchemeColor(seDown, csBlue), 0);
    EXPECT_EQ(SchemeColor(seHeaderFont, csSilver), 0x8B4215);
    EXPECT_EQ(SchemeColor(seSplitterGradientEnd, csSilver), 0x977778);
    EXPECT_EQ(SchemeColor(seMenuSelectionBorderDown, csSilver), 0x3E80FE);
    // The header shadow of blue and silver is their border.
    EXPECT_EQ(SchemeColor(seHeaderShadow, csBlack), 0xB6ADA7);
    EXPECT_EQ(SchemeColor(seHeaderShadow, csBlue), 0xCF9365);
    EXPECT_EQ(SchemeColor(seHeaderShadow, csSilver), 0x74706F);
    for (int E = 0; E < ColorSchemeElementCount; ++E)
        EXPECT_EQ(ShemeColors[csDefault][E], 0) << E;
}

// A windowless control that counts its paints.
class TCountingGraphic : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    int Paints = 0;

protected:
    void Paint() override { ++Paints; }
};

TEST_F(GxThemesSupportTest, SwitchingTheSchemeRepaintsTheRegisteredControls)
{
    auto* Graphic = New<TCountingGraphic>(Form);
    Graphic->SetBounds(0, 0, 20, 20);
    Graphic->SetParent(Form);
    auto* Unregistered = New<TSurface>(Form);
    Unregistered->SetBounds(0, 0, 20, 20);
    Unregistered->SetParent(Form);
    SchemeNotification(Surface);
    SchemeNotification(Graphic);

    TOwned<TGxColorScheme> Scheme(New<TGxColorScheme>(nullptr));
    int Changes = 0;
    Scheme->OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, Scheme.get());
        ++Changes;
    };
    EXPECT_EQ(Scheme->GetColorScheme(), csBlue);
    // Which of the controls paint again after Change.
    auto Repainted = [&](const std::function<void()>& Change) {
        for (TControl* C : std::initializer_list<TControl*>{Surface, Graphic, Unregistered})
            platform::test::PaintNow(C);
        const int Before[] = {Surface->Paints, Graphic->Paints, Unregistered->Paints};
        Change();
        for (TControl* C : std::initializer_list<TControl*>{Surface, Graphic, Unregistered})
            platform::test::PaintNow(C);
        return std::string(Surface->Paints > Before[0] ? "S" : "") + (Graphic->Paints > Before[1] ? "G" : "") +
               (Unregistered->Paints > Before[2] ? "U" : "");
    };

    EXPECT_EQ(Repainted([&] { Scheme->SetColorScheme(csSilver); }), "SG");
    EXPECT_EQ(ColorScheme, csSilver);
    EXPECT_EQ(SchemeColor(seBorder, csDefault), 0x74706F);
    EXPECT_EQ(Changes, 1);

    // The scheme already current: no change event, but a repaint all the same.
    EXPECT_EQ(Repainted([&] { Scheme->SetColorScheme(csSilver); }), "SG");
    EXPECT_EQ(Changes, 1);

    RemoveSchemeNotification(Surface);
    RemoveSchemeNotification(Graphic);
    RemoveSchemeNotification(Graphic); // not there any more: nothing
    EXPECT_EQ(Repainted([&] { Scheme->SetColorScheme(csBlue); }), "");
    EXPECT_EQ(Changes, 2);
    EXPECT_EQ(ColorScheme, csBlue);
}

// ---- The sheet of every themed part ----------------------------------------------------------------------

struct TPartRow {
    const char16_t* Class;
    int Part;
    int States; // 1..States; 0 draws state 0 only
    int Width, Height;
    const char* Name;
};

const TPartRow SheetRows[] = {
    {u"button", BP_PUSHBUTTON, 5, 40, 22, "push button"},
    {u"button", BP_RADIOBUTTON, 8, 13, 13, "radio button"},
    {u"button", BP_CHECKBOX, 12, 13, 13, "check box"},
    {u"edit", EP_EDITTEXT, 7, 40, 20, "edit"},
    {u"spin", SPNP_UP, 4, 16, 11, "spin up"},
    {u"spin", SPNP_DOWN, 4, 16, 11, "spin down"},
    {u"spin", SPNP_UPHORZ, 4, 16, 16, "spin right"},
    {u"spin", SPNP_DOWNHORZ, 4, 16, 16, "spin left"},
    {u"combobox", CP_DROPDOWNBUTTON, 4, 17, 20, "combo button"},
    {u"scrollbar", SBP_ARROWBTN, 16, 17, 17, "scroll arrows"},
    {u"scrollbar", SBP_THUMBBTNHORZ, 4, 40, 17, "thumb horz"},
    {u"scrollbar", SBP_THUMBBTNVERT, 4, 17, 40, "thumb vert"},
    {u"scrollbar", SBP_LOWERTRACKHORZ, 4, 40, 17, "lower track horz"},
    {u"scrollbar", SBP_UPPERTRACKHORZ, 4, 40, 17, "upper track horz"},
    {u"scrollbar", SBP_LOWERTRACKVERT, 4, 17, 40, "lower track vert"},
    {u"scrollbar", SBP_UPPERTRACKVERT, 4, 17, 40, "upper track vert"},
    {u"scrollbar", SBP_GRIPPERHORZ, 4, 17, 17, "gripper horz"},
    {u"scrollbar", SBP_GRIPPERVERT, 4, 17, 17, "gripper vert"},
    {u"scrollbar", SBP_SIZEBOX, 2, 17, 17, "size box"},
    {u"toolbar", TP_BUTTON, 6, 24, 22, "tool button"},
    {u"tab", TABP_TABITEM, 5, 40, 20, "tab item"},
    {u"tab", TABP_TABITEMLEFTEDGE, 5, 40, 20, "tab left edge"},
    {u"tab", TABP_TABITEMRIGHTEDGE, 5, 40, 20, "tab right edge"},
    {u"tab", TABP_TABITEMBOTHEDGES, 5, 40, 20, "tab both edges"},
    {u"tab", TABP_PANE, 1, 40, 30, "tab pane"},
    {u"tab", TABP_BODY, 1, 40, 30, "tab body"},
    {u"header", HP_HEADERITEM, 3, 50, 18, "header item"},
    {u"header", HP_HEADERITEMLEFT, 3, 50, 18, "header left"},
    {u"header", HP_HEADERITEMRIGHT, 3, 50, 18, "header right"},
    {u"header", HP_HEADERSORTARROW, 2, 9, 9, "sort arrow"},
    {u"listview", LVP_LISTITEM, 0, 50, 30, "list border"},
    {u"listview", LVP_LISTITEM, 5, 50, 16, "list item"},
    {u"treeview", TVP_TREEITEM, 5, 50, 16, "tree item"},
    {u"treeview", TVP_GLYPH, 2, 9, 9, "tree glyph"},
    {u"status", SP_PANE, 1, 50, 20, "status pane"},
    {u"status", SP_GRIPPERPANE, 1, 50, 20, "gripper pane"},
    {u"status", SP_GRIPPER, 1, 17, 17, "gripper"},
};

TEST_F(GxThemesSupportTest, SheetOfEveryThemedPartInEveryState)
{
    if (!IsThemed()) GTEST_SKIP() << "themes are off";
    TCanvas* C = Surface->GetCanvas();
    C->GetFont()->SetName("Tahoma");
    C->GetFont()->SetHeight(-11);
    int Y = 4;
    for (const TPartRow& Row : SheetRows) {
        SCOPED_TRACE(Row.Name);
        C->GetBrush()->SetStyle(bsClear);
        C->TextOut(4, Y, Row.Name);
        HTHEME Theme = OpenThemeData(Surface->GetHandle(), Row.Class);
        ASSERT_NE(Theme, nullptr);
        int X = 110;
        for (int State = Row.States == 0 ? 0 : 1; State <= Row.States; ++State) {
            const TRect R = Bounds(X, Y, Row.Width, Row.Height);
            EXPECT_EQ(DrawThemeBackground(Theme, Surface->DC(), Row.Part, State, &R, nullptr), S_OK);
            // A tool button is flat until hot, pressed or checked; an item shows only when selected.
            const std::u16string_view Class = Row.Class;
            const bool Flat = (Class == u"toolbar" && (State == TS_NORMAL || State == TS_DISABLED)) ||
                              ((Class == u"listview" || Class == u"treeview") && Row.Part == 1 && State != 0 &&
                               State != LISS_SELECTED && State != LISS_SELECTEDNOTFOCUS);
            if (Flat) {
                EXPECT_FALSE(Surface->Touched(R)) << State;
            } else {
                EXPECT_TRUE(Surface->Touched(R)) << State;
            }
            X += std::max(Row.Width, 24) + 6;
        }
        CloseThemeData(Theme);
        Y += std::max(Row.Height, 13) + 4;
    }
    EXPECT_TRUE(platform::test::SaveWindowImage(Surface, "/tmp/quillmote-theme-sheet.png"));
}

} // namespace
