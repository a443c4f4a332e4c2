#include "InputGridFixture.h"
#include "platform/graphics/Resources.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/testing/Pointer.h"

#include <set>

namespace {

using namespace InputGridFixture;
using namespace platform::test;

using GxCustomGridTest = TInputGridTest;

TEST_F(GxCustomGridTest, ANewGridIsIdleInTheWindowColourWithItsFlyoutsHiddenAndItsCursorsDrawn)
{
    Form->SetColor(clRed);
    TOwned<TInputGrid> Fresh(New<TInputGrid>(Form));
    Fresh->SetParent(Form);
    EXPECT_EQ(Fresh->GetMouseDownPoint(), TPoint(-1, -1));
    EXPECT_EQ(Fresh->GetDownCell(), TPoint(-1, -1));
    EXPECT_EQ(Fresh->GetPressedRow() + Fresh->GetResizingRow(), -2);
    EXPECT_EQ(Fresh->GetColor(), clWindow);
    for (TWinControl* W :
         std::initializer_list<TWinControl*>{Fresh->GetDragBox(), Fresh->GetUpArrow(), Fresh->GetDownArrow()})
        EXPECT_TRUE(W->GetParent() == Fresh.get() && !W->GetVisible());
    EXPECT_FALSE(Fresh->GetSearchTimer()->GetEnabled());
    EXPECT_EQ(Fresh->GetSearchTimer()->GetInterval(), 500u);
    // Four screen cursors of four different pictures.
    std::set<std::vector<TColor>> Pictures;
    for (const char* Name : {"HORZSPLIT", "COLUMNNODRAG", "VERTSPLIT", "INDICATORSELECT"}) {
        TBitmap Picture;
        TPoint HotSpot;
        ASSERT_TRUE(LoadCursorResource(Name, &Picture, HotSpot));
        std::vector<TColor> Pixels;
        for (int I = 0; I < 32 * 32; ++I)
            Pixels.push_back(Picture.GetCanvas()->GetPixels(I % 32, I / 32));
        Pictures.insert(Pixels);
    }
    EXPECT_EQ(Pictures.size(), 4u);
    for (TCursor Id : {crHorzSplit, crColumnNoDrag, crVertSplit, crIndicatorSelect})
        EXPECT_NE(Screen->GetCursors(Id), Screen->GetCursors(crDefault));
}

TEST_F(GxCustomGridTest, TheWindowSetsTheArrowKindsAndScrollStepsAgainWhenRecreated)
{
    for (TBorderStyle Frame : {bsNone, bsSingle}) {
        EXPECT_EQ(Grid->GetDownArrow()->GetArrowKind(), akDown);
        EXPECT_EQ(Grid->GetUpArrow()->GetArrowKind(), akUp);
        // (The horizontal page step follows the width whenever the bar updates.)
        EXPECT_EQ(Grid->GetHorzScrollBar()->GetSmallChange(), 5);
        EXPECT_EQ(Grid->GetVertScrollBar()->GetLargeChange(), 10);
        Grid->GetUpArrow()->SetArrowKind(akNone);
        Grid->GetHorzScrollBar()->SetSmallChange(1);
        Grid->GetVertScrollBar()->SetLargeChange(1);
        Grid->SetBorderStyle(Frame); // recreates the window
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
    const HWND Box = Grid->GetDragBox()->GetHandle();
    ASSERT_EQ(GetCapture(), Box);
    FreeAndNil(Grid);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(IsWindow(Box));
    MouseUpAtScreen(Form->ClientToScreen(TPoint(40, 8)));
}

} // namespace
