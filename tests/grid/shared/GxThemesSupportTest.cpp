#include "grid/shared/GxThemesSupport.h"
#include "tests/grid/shared/SheetSupport.h"
#include "tests/platform/controls/ControlFixtures.h"

#include <stdexcept>

namespace {

using namespace GxThemesSupport;

bool ThemesWanted()
{
    return std::getenv("QUILLMOTE_NO_THEME") == nullptr;
}

// ---- The library ------------------------------------------------------------------------------------

TEST(GxThemesSupport, ThemedWhenTheLibraryIsPresentAndActive)
{
    EXPECT_EQ(IsThemed(), ThemesWanted());
    EXPECT_EQ(ThemeEntryPoints.OpenThemeData != nullptr, ThemesWanted());
    ReleaseThemes();
    EXPECT_FALSE(IsThemed());
    EXPECT_EQ(ThemeLibrary, nullptr);
    EXPECT_EQ(ThemeEntryPoints.DrawThemeBackground, nullptr);
    InitThemes();
    EXPECT_EQ(IsThemed(), ThemesWanted());
}

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

    ThemeLibrary = nullptr;
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

// ---- Colour schemes -----------------------------------------------------------------------------------------

TEST(GxThemesSupport, SchemeColoursComeFromTheChosenOrTheCurrentScheme)
{
    ASSERT_EQ(ColorScheme, csBlue);
    EXPECT_EQ(SchemeColor(seBorder, csDefault), 0xCF9365);
    EXPECT_EQ(SchemeColor(seDown, csBlack), 0x3C8CFB);
    EXPECT_EQ(SchemeColor(seDown, csBlue), 0);
    // The header shadow of blue and silver is their border.
    EXPECT_EQ(SchemeColor(seHeaderShadow, csBlack), 0xB6ADA7);
    EXPECT_EQ(SchemeColor(seHeaderShadow, csBlue), 0xCF9365);
    EXPECT_EQ(SchemeColor(seHeaderShadow, csSilver), 0x74706F);
}

// A control, windowed or not, that counts its paints.
template <class TBase> class TCounting : public TBase {
public:
    using TBase::TBase;
    int Paints = 0;

protected:
    void Paint() override { ++Paints; }
};

using GxThemesSupportTest = TFormTest;

TEST_F(GxThemesSupportTest, SwitchingTheSchemeRepaintsTheRegisteredControls)
{
    auto* Graphic = New<TCounting<TGraphicControl>>(Form);
    auto* Windowed = New<TCounting<TCustomControl>>(Form);
    auto* Unregistered = New<TCounting<TCustomControl>>(Form);
    for (TControl* C : std::initializer_list<TControl*>{Graphic, Windowed, Unregistered}) {
        C->SetBounds(0, 0, 20, 20);
        C->SetParent(Form);
    }
    SchemeNotification(Graphic);
    SchemeNotification(Windowed);
    TOwned<TGxColorScheme> Scheme(New<TGxColorScheme>(nullptr));
    int Changes = 0;
    Scheme->OnChange = [&](TObject* Sender) { Changes += Sender == Scheme.get(); };
    // Which of the controls paint again after Change.
    auto Repainted = [&](auto Change) {
        for (TControl* C : std::initializer_list<TControl*>{Graphic, Windowed, Unregistered})
            platform::test::PaintNow(C);
        const int Before[] = {Graphic->Paints, Windowed->Paints, Unregistered->Paints};
        Change();
        for (TControl* C : std::initializer_list<TControl*>{Graphic, Windowed, Unregistered})
            platform::test::PaintNow(C);
        return std::string(Graphic->Paints > Before[0] ? "G" : "") + (Windowed->Paints > Before[1] ? "W" : "") +
               (Unregistered->Paints > Before[2] ? "U" : "");
    };

    EXPECT_EQ(Scheme->GetColorScheme(), csBlue);
    EXPECT_EQ(Repainted([&] { Scheme->SetColorScheme(csSilver); }), "GW");
    EXPECT_EQ(SchemeColor(seBorder, csDefault), 0x74706F);
    EXPECT_EQ(Changes, 1);
    // The scheme already current: no change event, but a repaint all the same.
    EXPECT_EQ(Repainted([&] { Scheme->SetColorScheme(csSilver); }), "GW");
    EXPECT_EQ(Changes, 1);
    RemoveSchemeNotification(Graphic);
    RemoveSchemeNotification(Windowed);
    RemoveSchemeNotification(Windowed); // not there any more: nothing
    EXPECT_EQ(Repainted([&] { Scheme->SetColorScheme(csBlue); }), "");
    EXPECT_EQ(Changes, 2);
}

// ---- The sheet of every themed part ----------------------------------------------------------------------

const TColor Face = ColorToRGB(clBtnFace), Window = ColorToRGB(clWindow), Text = ColorToRGB(clWindowText),
             Shade = ColorToRGB(clBtnShadow), Highlight = ColorToRGB(clHighlight);
// A pressed scroll-bar piece: the light caption blue a third of the way to the selection colour.
const TColor ScrollPressed = [] {
    const TColor L = ColorToRGB(clGradientActiveCaption), D = ColorToRGB(clHighlight);
    TColor C = 0;
    for (int Shift : {0, 8, 16})
        C |= ((((L >> Shift) & 0xFF) * 4 + ((D >> Shift) & 0xFF) * 2) / 6) << Shift;
    return C;
}();

// States First..Last of a part, side by side: each shows Color at At (within
// Tolerance), white for a part that is flat in those states, clNone for
// anything but white. A disabled state shows its text-coloured marks (arrows,
// ticks, dots) in the grey of disabled text instead.
struct TPartRow {
    const char16_t* Class;
    int Part, First, Last, Width, Height;
    const char* Name;
    TPoint At;
    TColor Color;
    int Tolerance;
    TColor Pressed = clNone; // the colour at At in the pressed state (3), where it differs
};

const TPartRow Rows[] = {
    {u"button", BP_PUSHBUTTON, 1, 5, 40, 22, "push button", {20, 11}, Face, 0x30},
    {u"button", BP_RADIOBUTTON, 1, 4, 13, 13, "radio button", {6, 6}, Window, 0x30},
    {u"button", BP_RADIOBUTTON, 5, 8, 13, 13, "radio button checked", {6, 6}, Text, 0x60},
    {u"button", BP_CHECKBOX, 1, 4, 13, 13, "check box", {6, 6}, Window, 0x30},
    {u"button", BP_CHECKBOX, 5, 8, 13, 13, "check box checked", {4, 8}, Text, 0x60},
    {u"button", BP_CHECKBOX, 9, 12, 13, 13, "check box mixed", {6, 6}, Shade, 0x40},
    {u"edit", EP_EDITTEXT, 1, 7, 40, 20, "edit", {20, 10}, Window, 0},
    {u"spin", SPNP_UP, 1, 4, 16, 11, "spin up", {8, 5}, Text, 0x60},
    {u"spin", SPNP_DOWN, 1, 4, 16, 11, "spin down", {8, 5}, Text, 0x60},
    {u"spin", SPNP_UPHORZ, 1, 4, 16, 16, "spin right", {8, 8}, Text, 0x60},
    {u"spin", SPNP_DOWNHORZ, 1, 4, 16, 16, "spin left", {8, 8}, Text, 0x60},
    {u"combobox", CP_DROPDOWNBUTTON, 1, 4, 17, 20, "combo button", {8, 10}, Text, 0x60},
    {u"scrollbar", SBP_ARROWBTN, 1, 16, 17, 17, "scroll arrows", {8, 8}, Text, 0x60},
    {u"scrollbar", SBP_THUMBBTNHORZ, 1, 4, 40, 17, "thumb horz", {20, 8}, Face, 0x30, ScrollPressed},
    {u"scrollbar", SBP_THUMBBTNVERT, 1, 4, 17, 40, "thumb vert", {8, 20}, Face, 0x30, ScrollPressed},
    {u"scrollbar", SBP_LOWERTRACKHORZ, 1, 4, 40, 17, "lower track horz", {20, 8}, Face, 0x30, ScrollPressed},
    {u"scrollbar", SBP_UPPERTRACKHORZ, 1, 4, 40, 17, "upper track horz", {20, 8}, Face, 0x30, ScrollPressed},
    {u"scrollbar", SBP_LOWERTRACKVERT, 1, 4, 17, 40, "lower track vert", {8, 20}, Face, 0x30, ScrollPressed},
    {u"scrollbar", SBP_UPPERTRACKVERT, 1, 4, 17, 40, "upper track vert", {8, 20}, Face, 0x30, ScrollPressed},
    {u"scrollbar", SBP_GRIPPERHORZ, 1, 4, 17, 17, "gripper horz", {8, 8}, Shade, 0},
    {u"scrollbar", SBP_GRIPPERVERT, 1, 4, 17, 17, "gripper vert", {8, 8}, Shade, 0},
    {u"scrollbar", SBP_SIZEBOX, 1, 2, 17, 17, "size box", {1, 1}, Face, 0},
    {u"toolbar", TP_BUTTON, 1, 1, 24, 22, "tool button normal", {12, 11}, clWhite, 0},
    {u"toolbar", TP_BUTTON, 2, 3, 24, 22, "tool button hot, pressed", {12, 11}, Face, 0x30},
    {u"toolbar", TP_BUTTON, 4, 4, 24, 22, "tool button disabled", {12, 11}, clWhite, 0},
    {u"toolbar", TP_BUTTON, 5, 6, 24, 22, "tool button checked", {12, 11}, Face, 0x30},
    {u"tab", TABP_TABITEM, 1, 5, 40, 20, "tab item", {20, 12}, Face, 0x30},
    {u"tab", TABP_TABITEMLEFTEDGE, 1, 5, 40, 20, "tab left edge", {20, 12}, Face, 0x30},
    {u"tab", TABP_TABITEMRIGHTEDGE, 1, 5, 40, 20, "tab right edge", {20, 12}, Face, 0x30},
    {u"tab", TABP_TABITEMBOTHEDGES, 1, 5, 40, 20, "tab both edges", {20, 12}, Face, 0x30},
    {u"tab", TABP_PANE, 1, 1, 40, 30, "tab pane", {20, 15}, Face, 0x30},
    {u"tab", TABP_BODY, 1, 1, 40, 30, "tab body", {20, 15}, Face, 0},
    {u"header", HP_HEADERITEM, 1, 1, 50, 18, "header item", {25, 9}, Face, 0x30},
    // Hot a sixth and pressed a third of the way from the caption blue to the selection.
    {u"header", HP_HEADERITEM, 2, 3, 50, 18, "header item hot, pressed", {25, 9}, TColor(0xCEA07F), 0x10},
    {u"header", HP_HEADERITEMLEFT, 1, 1, 50, 18, "header left", {25, 9}, Face, 0x30},
    {u"header", HP_HEADERITEMRIGHT, 1, 1, 50, 18, "header right", {25, 9}, Face, 0x30},
    {u"header", HP_HEADERSORTARROW, 1, 2, 9, 9, "sort arrow", {4, 2}, Text, 0x60},
    {u"listview", LVP_LISTITEM, 0, 0, 50, 30, "list border", {25, 15}, Window, 0},
    {u"listview", LVP_LISTITEM, 1, 2, 50, 16, "list item normal, hot", {25, 8}, clWhite, 0},
    {u"listview", LVP_LISTITEM, 3, 3, 50, 16, "list item selected", {25, 8}, Highlight, 0},
    {u"listview", LVP_LISTITEM, 4, 4, 50, 16, "list item disabled", {25, 8}, clWhite, 0},
    {u"listview", LVP_LISTITEM, 5, 5, 50, 16, "list item unfocused", {25, 8}, Face, 0},
    {u"treeview", TVP_TREEITEM, 1, 2, 50, 16, "tree item normal, hot", {25, 8}, clWhite, 0},
    {u"treeview", TVP_TREEITEM, 3, 3, 50, 16, "tree item selected", {25, 8}, Highlight, 0},
    {u"treeview", TVP_TREEITEM, 4, 4, 50, 16, "tree item disabled", {25, 8}, clWhite, 0},
    {u"treeview", TVP_TREEITEM, 5, 5, 50, 16, "tree item unfocused", {25, 8}, Face, 0},
    {u"treeview", TVP_GLYPH, 1, 2, 9, 9, "tree glyph", {3, 4}, Text, 0x60},
    {u"status", SP_PANE, 1, 1, 50, 20, "status pane", {25, 10}, Face, 0},
    {u"status", SP_GRIPPERPANE, 1, 1, 50, 20, "gripper pane", {25, 10}, Face, 0},
    {u"status", SP_GRIPPER, 1, 1, 17, 17, "gripper", {11, 8}, clNone, 0},
};

// Where state State of Row sits in its cell.
int StateLeft(const TPartRow& Row, int State)
{
    return (State - Row.First) * (Row.Width + 4);
}

// Without themes ThemeRect draws nothing at all.
std::vector<TProbe> PartProbes(const TPartRow& Row)
{
    std::vector<TProbe> P;
    for (int State = Row.First; State <= Row.Last; ++State) {
        const int X = StateLeft(Row, State), W = Row.Width, H = Row.Height;
        for (TPoint Beside : {TPoint(X - 1, H / 2), TPoint(X + W, H / 2), TPoint(X + W / 2, H), TPoint(X + W / 2, -1)})
            P.push_back({Beside.X, Beside.Y, clWhite});
        TProbe Inside{X + Row.At.X, Row.At.Y, Row.Color, Row.Tolerance};
        if (!IsThemed())
            Inside = {X + Row.At.X, Row.At.Y, clWhite};
        else if (State == 3 && Row.Pressed != clNone)
            Inside = {X + Row.At.X, Row.At.Y, Row.Pressed, 0x30};
        else if (State % 4 == 0 && State > 0 && Row.Color == Text)
            Inside = {X + Row.At.X, Row.At.Y, ColorToRGB(clGrayText), 0x30};
        P.push_back(Inside);
    }
    return P;
}

TEST(GxThemesSupportSheet, EveryThemedPartInEveryStateOrNothingWithoutThemes)
{
    std::vector<TSheetCell> Cells;
    for (const TPartRow& Row : Rows)
        Cells.push_back({Row.Name,
                         [&Row](TCanvas* C, const TRect& A) {
                             for (int State = Row.First; State <= Row.Last; ++State)
                                 ThemeRect(nullptr, C->GetHandle(),
                                           Bounds(A.Left + StateLeft(Row, State), A.Top, Row.Width, Row.Height),
                                           Row.Class, Row.Part, State);
                         },
                         PartProbes(Row)});
    CheckSheet(Cells, 420, "GxThemesSupport.png", {}, 2);
}

} // namespace
