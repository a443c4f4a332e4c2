// tests/grid/GxCustomGridCutTest.cpp: a column resize, a column move and a
// row move, each cut short by a focus loss or by the program losing the
// activation, leave a clean grid that takes the next press as ever.
#include "GxGridFixture.h"
#include "platform/testing/Pointer.h"
#include "platform/win/WinUser.h"

namespace {

using namespace GxGridTests;
using namespace platform::test;

// A mouse operation under way: started, shown, then released where it would end.
struct TOperation {
    const char* Name;
    std::function<void()> Start;
    std::function<bool()> Shown;
    std::function<void()> Release;
};

class GxCustomGridCut : public TGxGridTest {
protected:
    void SetUp() override
    {
        TGxGridTest::SetUp();
        Columns = Grid->GetColumns();
        for (int I = 0; I < 3; ++I)
            Columns->GetItem(I)->SetWidth(60);
        AddRows(8);
        Grid->SetOptions(Grid->GetOptions() + TGridOptions{goRowMoving});
        Grid->OnHeaderClick = [&](TObject*, int C) { Log.push_back("click " + IntToStr(C)); };
        Grid->OnSortColumn = [&](TObject*, int C, bool) { Log.push_back("sort " + IntToStr(C)); };
        Grid->OnAfterRowMove = [&](TObject*, int From, int To) {
            Log.push_back("moved " + IntToStr(From) + " " + IntToStr(To));
        };
        Other = New<TProbeControl>(Form);
        Other->SetParent(Form);
        Other->SetLeft(320);
    }
    TPoint HeaderAt(int Pos, int Dx)
    {
        return Grid->ClientToScreen(TPoint(Columns->GetPositionItem(Pos)->GetAbsoluteLeft() + Dx, 8));
    }
    int SplitterOfB() { return Columns->GetItem(1)->GetAbsoluteLeft() + 60; }
    int RowY(int Row, int Dy) { return Grid->GetRowTop(Row) + Dy; }
    // The pixels a resize line or the row marker would cover, where the
    // selection's look, which follows the focus, does not reach: down the
    // resize line below row 2, and across the marker's place over row 5.
    std::vector<TColor> Probes()
    {
        std::vector<TColor> Pixels;
        for (int Y = RowY(3, 0); Y < Grid->GetClientHeight(); ++Y)
            Pixels.push_back(PixelAt(Grid, SplitterOfB() + 19, Y));
        for (int Dy = -5; Dy <= 5; ++Dy)
            for (int X = 0; X < Grid->GetClientWidth(); ++X)
                Pixels.push_back(PixelAt(Grid, X, RowY(5, -1) + Dy));
        return Pixels;
    }
    AnsiString Widths()
    {
        AnsiString S;
        for (int I = 0; I < 3; ++I)
            S += IntToStr(Columns->GetItem(I)->GetWidth()) + " ";
        return S;
    }
    AnsiString Order()
    {
        AnsiString S;
        for (int Pos = 0; Pos < 3; ++Pos)
            S += WideToUtf8(Columns->GetPositionItem(Pos)->GetHeader()->GetCaption());
        return S;
    }
    bool BoxOrArrowShown()
    {
        return IsWindowVisible(Grid->GetDragBox()->GetHandle()) || Grid->GetUpArrow()->GetVisible() ||
               Grid->GetDownArrow()->GetVisible();
    }

    TGxColumns* Columns = nullptr;
    TWinControl* Other = nullptr;
};

TEST_F(GxCustomGridCut, FocusLossAndDeactivationEndEachMouseOperationCleanlyAndTheNextPressWorks)
{
    std::vector<TColor> Before;
    const std::vector<TOperation> Operations = {
        {"column resize",
         [&] {
             MouseDown(Grid, SplitterOfB(), 8);
             MouseMove(Grid, SplitterOfB() + 20, 8);
         },
         [&] { return Grid->GetGridState().Contains(gtColumnResizing) && Probes() != Before; },
         [&] { MouseUp(Grid, SplitterOfB() + 20, 8); }},
        {"column move",
         [&] {
             MouseDownAtScreen(HeaderAt(0, 20));
             MouseMoveAtScreen(HeaderAt(0, 24));
             MouseMoveAtScreen(HeaderAt(2, 40));
         },
         [&] { return Grid->GetGridState().Contains(gtColumnMoving) && BoxOrArrowShown(); },
         [&] { MouseUpAtScreen(HeaderAt(2, 40)); }},
        {"row move",
         [&] {
             MouseDown(Grid, 30, RowY(1, 4));
             MouseMove(Grid, 30, RowY(1, 10));
             MouseMove(Grid, 30, RowY(5, 3));
         },
         [&] { return Grid->GetGridState().Contains(gtRowMoving) && Probes() != Before; },
         [&] { MouseUp(Grid, 30, RowY(5, 3)); }},
    };
    const std::vector<std::pair<const char*, std::function<void()>>> Cuts = {
        {"focus loss", [&] { Other->SetFocus(); }},
        {"deactivation", [] { SetApplicationActive(false); }},
    };
    const TGridState Mouse{gtColumnResizing, gtColumnMoving, gtRowMoving, gtColumnHeaderDown};
    for (const auto& [CutName, Cut] : Cuts)
        for (const TOperation& Op : Operations) {
            SCOPED_TRACE(std::string(Op.Name) + " cut by " + CutName);
            Grid->SetSelectedRow(1);
            Grid->SetFocus();
            Before = Probes();
            const AnsiString Rows = ColumnA(), Sizes = Widths();
            Op.Start();
            ASSERT_TRUE(Op.Shown());
            Screen->SetCursor(crColumnNoDrag);
            Cut();
            EXPECT_TRUE((Grid->GetGridState() * Mouse).Empty());
            EXPECT_EQ(Probes(), Before);
            EXPECT_FALSE(BoxOrArrowShown());
            EXPECT_EQ(GetCapture(), HWND(nullptr));
            EXPECT_EQ(Screen->GetCursor(), crDefault);
            SetApplicationActive(true);

            Op.Release();
            EXPECT_EQ(Widths(), Sizes);
            EXPECT_EQ(Order(), "ABC");
            EXPECT_EQ(ColumnA(), Rows);
            EXPECT_TRUE(Log.empty());
            Click(Grid, Columns->GetItem(2)->GetAbsoluteLeft() + 30, 8);
            EXPECT_EQ(Log, (std::vector<std::string>{"click 2", "sort 2"}));
            Log.clear();
        }
}

} // namespace
