#include "InputGridFixture.h"
#include "platform/graphics/Resources.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/testing/Pointer.h"

#include <set>

namespace {

using namespace InputGridFixture;
using namespace platform::test;

using GxCustomGridTest = TInputGridTest;

TEST_F(GxCustomGridTest, ANewGridIsIdleWithItsWindowsHiddenAndItsCursorsRegistered)
{
    Form->SetColor(clRed);
    TOwned<TInputGrid> Fresh(New<TInputGrid>(Form));
    Fresh->SetParent(Form);
    EXPECT_EQ(Fresh->GetMouseDownPoint(), TPoint(-1, -1));
    EXPECT_EQ(Fresh->GetDownCell(), TPoint(-1, -1));
    EXPECT_EQ(Fresh->GetPressedRow(), -1);
    EXPECT_EQ(Fresh->GetResizingRow(), -1);
    EXPECT_EQ(Fresh->GetHintWindow(), nullptr);
    EXPECT_FALSE(Fresh->GetParentColor());
    EXPECT_EQ(Fresh->GetColor(), clWindow);
    for (TWinControl* Window :
         {static_cast<TWinControl*>(Fresh->GetDragBox()), static_cast<TWinControl*>(Fresh->GetUpArrow()),
          static_cast<TWinControl*>(Fresh->GetDownArrow())}) {
        EXPECT_EQ(Window->GetOwner(), Fresh.get());
        EXPECT_EQ(Window->GetParent(), Fresh.get());
        EXPECT_FALSE(Window->GetVisible());
    }
    EXPECT_FALSE(Fresh->GetSearchTimer()->GetEnabled());
    EXPECT_EQ(Fresh->GetSearchTimer()->GetInterval(), 500u);

    std::set<HCURSOR> Cursors;
    for (TCursor Id : {crHorzSplit, crColumnNoDrag, crVertSplit, crIndicatorSelect})
        Cursors.insert(Screen->GetCursors(Id));
    EXPECT_EQ(Cursors.size(), 4u);
    EXPECT_FALSE(Cursors.count(Screen->GetCursors(crDefault)));
    // Each is a picture of its own, not a copy of another.
    std::set<std::vector<TColor>> Pictures;
    for (const char* Name : {"HORZSPLIT", "COLUMNNODRAG", "VERTSPLIT", "INDICATORSELECT"}) {
        TBitmap Picture;
        TPoint HotSpot;
        ASSERT_TRUE(LoadCursorResource(Name, &Picture, HotSpot));
        std::vector<TColor> Pixels;
        for (int Y = 0; Y < 32; ++Y)
            for (int X = 0; X < 32; ++X)
                Pixels.push_back(Picture.GetCanvas()->GetPixels(X, Y));
        Pictures.insert(Pixels);
    }
    EXPECT_EQ(Pictures.size(), 4u);
}

TEST_F(GxCustomGridTest, TheWindowSetsTheArrowKindsAndScrollStepsAgainWhenRecreated)
{
    for (int Round = 0; Round < 2; ++Round) {
        EXPECT_EQ(Grid->GetDownArrow()->GetArrowKind(), akDown);
        EXPECT_EQ(Grid->GetUpArrow()->GetArrowKind(), akUp);
        // (The horizontal page step follows the width as soon as the bar updates.)
        EXPECT_EQ(Grid->GetHorzScrollBar()->GetSmallChange(), 5);
        EXPECT_EQ(Grid->GetVertScrollBar()->GetLargeChange(), 10);
        Grid->GetUpArrow()->SetArrowKind(akNone);
        Grid->GetDownArrow()->SetArrowKind(akNone);
        Grid->GetHorzScrollBar()->SetSmallChange(1);
        Grid->GetVertScrollBar()->SetLargeChange(1);
        Grid->SetBorderStyle(Round ? bsSingle : bsNone); // a new frame recreates the window
    }
}

TEST_F(GxCustomGridTest, TheSearchTimerEmptiesTheSearchTextAndStops)
{
    Grid->SetSearchText(u"ab");
    TTimer* Timer = Grid->GetSearchTimer();
    Timer->SetEnabled(true);
    Timer->GetOnTimer()(Timer);
    EXPECT_EQ(Grid->GetSearchText(), u"");
    EXPECT_FALSE(Timer->GetEnabled());
}

TEST_F(GxCustomGridTest, APlayIsReadiedForTheCellItIsCalledFor)
{
    TColumnPlay* Play = Grid->GetColumns()->GetItem(1)->GetPlay();
    ASSERT_TRUE(Grid->UpdateColumnPlay(1, 7, TRect(80, 16, 160, 32)));
    EXPECT_EQ(Play->GetCol(), 1);
    EXPECT_EQ(Play->GetRow(), 7);
    EXPECT_EQ(Play->GetCanvas(), Grid->GetCanvas());
    EXPECT_EQ(Play->GetClientRect(), TRect(80, 16, 160, 32));
    EXPECT_EQ(Play->GetAsString(), u"attributes");
    Play->OnChange(Play);
    Play->OnExpand(Play);
    EXPECT_EQ(Grid->Log, (std::vector<std::string>{"play change", "play expand"}));
}

class TOtherHintWindow : public THintWindow {
public:
    QM_CLASS(TOtherHintWindow, THintWindow)
    using THintWindow::THintWindow;
};

TEST_F(GxCustomGridTest, TheHintWindowIsOfTheProgramsHintClassInItsHintColour)
{
    const TRestore KeepClass(HintWindowClass, HintWindowClass);
    const TScopeExit KeepColor([Color = Application->GetHintColor()] { Application->SetHintColor(Color); });
    Application->SetHintColor(clAqua);
    Grid->RecreateHintWnd();
    THintWindow* First = Grid->GetHintWindow();
    ASSERT_NE(First, nullptr);
    EXPECT_EQ(First->ClassType(), THintWindow::StaticClassType());
    EXPECT_EQ(First->GetOwner(), Grid);
    EXPECT_EQ(First->GetColor(), clAqua);
    Grid->RecreateHintWnd();
    EXPECT_EQ(Grid->GetHintWindow(), First);

    // Another class replaces the window.
    const int Owned = Grid->GetComponentCount();
    HintWindowClass = HintWindowClassOf<TOtherHintWindow>();
    Grid->RecreateHintWnd();
    EXPECT_EQ(Grid->GetHintWindow()->ClassType(), TOtherHintWindow::StaticClassType());
    EXPECT_EQ(Grid->GetComponentCount(), Owned);
}

TEST_F(GxCustomGridTest, FreeingTheGridMidDragFreesItsWindowsAndLetsTheMouseGo)
{
    Grid->RecreateHintWnd();
    MouseDownAtScreen(Grid->ClientToScreen(TPoint(40, 8)));
    Grid->GetDragBox()->Show(0, 0, Grid->GetColumns()->GetItem(0), false);
    ASSERT_EQ(GetCapture(), Grid->GetDragBox()->GetHandle());
    const HWND Box = Grid->GetDragBox()->GetHandle();
    FreeAndNil(Grid);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(IsWindow(Box));
    MouseUpAtScreen(Form->ClientToScreen(TPoint(40, 8)));
}

} // namespace
