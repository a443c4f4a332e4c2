#include "GridTestFixture.h"

#include <algorithm>
#include <array>
#include <climits>
#include <functional>
#include <random>

namespace {

using namespace GridStorage;

using GxGridGeometry = TGridTest;

// ---- Plain walks over every row, as the rules read --------------------------------------------

int WalkRowTop(TStorageGrid* G, int ARow)
{
    int Y = G->GetBodyRect().Top + G->GetGridSpace(lpTop);
    for (int R = G->GetFirstRowInView(); R < ARow; ++R) {
        const int H = R >= G->GetRowCount() ? G->GetRowSize() : G->GetRowVisible(R) ? G->GetRowHeight(R) : 0;
        if (H > 0) Y += H + G->GetGridSpace(lpTopBottom);
    }
    return Y;
}

int WalkVisibleCount(TStorageGrid* G, bool Backward)
{
    const int Height = G->GetBodyRect().Height();
    int Sum = 0, Count = 0, R = G->GetFirstRowInView();
    for (; R < G->GetRowCount(); ++R)
        if (G->GetRowVisible(R)) {
            Sum += G->GetRowHeight(R) + G->GetGridSpace(lpTopBottom);
            if (Sum > Height) return Count;
            ++Count;
        }
    for (R = G->GetFirstRowInView() - 1; Backward && R >= 0; --R)
        if (G->GetRowVisible(R)) {
            Sum += G->GetRowHeight(R) + G->GetGridSpace(lpTopBottom);
            if (Sum > Height) break;
            ++Count;
        }
    return Count;
}

int WalkVisibleBetween(TStorageGrid* G, int From, int To)
{
    int Count = 0;
    for (int R = From; R < std::min(To, G->GetRowCount()); ++R)
        Count += G->GetRowVisible(R);
    return Count;
}

TEST_F(GxGridGeometry, GridSpacePerLinesStyle)
{
    struct TCase {
        TGridLinesStyle Style;
        bool Lines3D;
        std::array<int, 5> Space;
    };
    for (const TCase& C :
         {TCase{lsNormal, false, {0, 0, 1, 1, 1}}, TCase{lsNormal, true, {1, 1, 1, 1, 2}},
          TCase{lsVerticalOnly, true, {1, 0, 1, 0, 0}}, TCase{lsHorizontalOnly, false, {0, 0, 0, 1, 1}},
          TCase{lsActiveHorzOnly, true, {0, 1, 0, 1, 2}}}) {
        Grid->SetGridLinesStyle(C.Style);
        Grid->SetAppearanceOptions(C.Lines3D ? TAppearanceOptions{ao3DGridLines} : TAppearanceOptions{});
        Grid->SetOptions({goGrid});
        for (int P = lpLeft; P <= lpTopBottom; ++P)
            EXPECT_EQ(Grid->GetGridSpace(TGridLinePosition(P)), C.Space[P]) << C.Style << " " << P;
        Grid->SetOptions({});
        EXPECT_EQ(Grid->GetGridSpace(lpTopBottom), 0);
    }
}

TEST_F(GxGridGeometry, AreaRectanglesFollowTheirParts)
{
    const int W = Grid->GetClientWidth(), H = Grid->GetClientHeight();
    Grid->SetOptions({});
    EXPECT_EQ(Grid->GetBodyRect(), TRect(0, 0, 240, H));
    Grid->SetOptions({goHeader, goInput, goFooter, goIndicator, goGrid});
    Grid->SetFixedCols(1);
    EXPECT_EQ(Grid->GetHeaderRect(), TRect(12, 0, 252, 18));
    EXPECT_EQ(Grid->GetInputRect(), TRect(12, 18, 252, 41));
    EXPECT_EQ(Grid->GetBodyRect(), TRect(12, 41, std::min(252, W), H - 23));
    EXPECT_EQ(Grid->GetFooterRect(), TRect(12, H - 23, 252, H));
    EXPECT_EQ(Grid->GetIndicatorRect(), TRect(0, 0, 12, H));
    EXPECT_EQ(Grid->GetScrollRect(), TRect(92, 0, W, H));
    EXPECT_EQ(Grid->GetInnerWidth(), W - 12);
    EXPECT_EQ(Grid->GetInputCellRect(1), TRect(92, 18, 172, 34));
    Grid->SetOptions({goInput});
    EXPECT_EQ(Grid->GetInputRect().Top, 0);
    EXPECT_EQ(Grid->GetBodyRect().Top, 22);
    Grid->SetOptions({goHeader, goFooter, goIndicator});
    Grid->SetGridStyle(gsSlides);
    EXPECT_EQ(Grid->GetBodyRect(), TRect(0, 18, W, H));
    EXPECT_EQ(Grid->GetFooterRect(), TRect());
    EXPECT_EQ(Grid->GetInnerWidth(), W);
}

TEST_F(GxGridGeometry, RowTopsAndCellsWithHiddenRowsHeightsFixedColumnsAndScroll)
{
    AddRows(6);
    Grid->SetOptions({goHeader, goGrid});
    Grid->SetRowHeight(1, 30);
    Grid->SetRowVisible(2, false);
    const std::vector<int> Tops{18, 35, 66, 66, 83, 100, 117, 134};
    for (int Row = 0; Row < 8; ++Row)
        EXPECT_EQ(Grid->GetRowTop(Row), Tops[Row]) << Row;
    EXPECT_EQ(Grid->GetRowRect(1), TRect(0, 35, 240, 66));
    EXPECT_EQ(Grid->GetRowRect(7), TRect(0, 134, 240, 151));
    Columns->GetItem(2)->SetWidth(300);
    Grid->SetFixedCols(1);
    Grid->GetHorzScrollBar()->SetPosition(50);
    EXPECT_EQ(Grid->GetCellRect(0, 1), TRect(0, 35, 80, 65));
    EXPECT_EQ(Grid->GetCellRect(1, 1), TRect(30, 35, 110, 65));
    EXPECT_EQ(Grid->GetCellTop(1, 4), 83);
    Grid->SetGridStyle(gsSlides);
    Columns->GetItem(1)->GetSlideBounds()->SetLeft(5);
    Columns->GetItem(1)->GetSlideBounds()->SetTop(7);
    const TRect Slide = Grid->GetCellRect(1, 3);
    EXPECT_EQ(Slide.Left, 5);
    EXPECT_EQ(Slide.Top, 18 + 2 * 81 + 7); // rows 0 and 1 above it; row 2 is hidden
    EXPECT_EQ(Grid->GetSlideRect(3).Top, 18 + 2 * 81);
}

TEST_F(GxGridGeometry, CountingWholeRowsAndTheBackwardCountAtTheEnd)
{
    EXPECT_EQ(Grid->GetVertMax(), 0);
    Grid->SetRowSize(40);
    AddRows(10);
    const int Body = Grid->GetBodyRect().Height();
    ASSERT_TRUE(Body >= 160 && Body < 200);
    EXPECT_EQ(Grid->GetVisibleCount(false), 4);
    EXPECT_EQ(Grid->GetVertMax(), 6);
    Grid->SetRowHeight(9, Body - 160);
    Grid->GetVertScrollBar()->SetPosition(6);
    EXPECT_EQ(Grid->GetFirstRowInView(), 6);
    EXPECT_EQ(Grid->GetVisibleCount(false), 4);
    EXPECT_EQ(Grid->GetVisibleCount(true), 5);
    Columns->Clear();
    EXPECT_EQ(Grid->GetVertMax(), 0);
}

TEST_F(GxGridGeometry, ScrollingToRowsAndColumns)
{
    AddRows(20);
    Grid->SetRowVisible(3, false);
    ASSERT_EQ(Grid->GetVisibleCount(false), 11);
    // Rows 0 to 11 are in view, row 3 hidden among them.
    Grid->ScrollToRow(11);
    EXPECT_EQ(Grid->GetFirstRowInView(), 0);
    for (auto [Selected, InView] : {std::pair{11, true}, {12, false}, {0, true}, {-1, false}}) {
        Grid->SetSelectedRow(Selected);
        EXPECT_EQ(Grid->IsRowInView(), InView) << Selected;
    }
    Grid->ScrollToRow(16);
    EXPECT_EQ(Grid->GetFirstRowInView(), 6);
    EXPECT_EQ(Grid->GetLastRowInView(11), 16);
    Grid->ScrollToRow(1);
    EXPECT_EQ(Grid->GetFirstRowInView(), 1);
    EXPECT_EQ(Grid->GetVertScrollBar()->GetPosition(), 1);
    Columns->GetItem(2)->SetWidth(200);
    Grid->ScrollToColumn(Columns->GetItem(2));
    EXPECT_EQ(Grid->GetHorzScrollPos(), 360 - Grid->GetClientWidth());
    Grid->ScrollToColumn(Columns->GetItem(0));
    EXPECT_EQ(Grid->GetHorzScrollPos(), 0);
}

TEST_F(GxGridGeometry, ScrollRangesAsRowsComeAndGo)
{
    AddRows(20);
    EXPECT_EQ(Grid->GetVertScrollBar()->GetMax(), 9);
    for (int Row : {2, 4, 6, 8, 10})
        Grid->SetRowVisible(Row, false);
    EXPECT_EQ(Grid->GetVertScrollBar()->GetMax(), 4);
    Grid->DeleteRow(19);
    Grid->InsertRow(0);
    EXPECT_EQ(Grid->GetVertScrollBar()->GetMax(), 4);
    Grid->SetRowCount(9);
    EXPECT_EQ(Grid->GetVertScrollBar()->GetMax(), 0);
    Grid->ClearRows();
    EXPECT_EQ(Grid->GetVertScrollBar()->GetMax(), 0);
}

// Paints each row in a colour of its own and notes what each paint covers.
class TPaintingGrid : public TStorageGrid {
public:
    using TStorageGrid::TStorageGrid;
    static TColor RowColor(int Row) { return TColor(RGB(Byte(Row * 11), Byte(200 - Row * 5), 90)); }
    std::vector<TRect> Clips;

protected:
    void PaintReport() override
    {
        Clips.push_back(GetCanvas()->GetClipRect());
        const int Bottom = GetBodyRect().Bottom;
        for (int Row = GetFirstRowInView(); Row < GetRowCount() && GetRowTop(Row) < Bottom; ++Row) {
            GetCanvas()->GetBrush()->SetColor(RowColor(Row));
            GetCanvas()->FillRect(GetRowRect(Row));
        }
    }
};

TEST_F(GxGridGeometry, ScrollingMovesTheBodyPixelsAndPaintsWhatItUncovers)
{
    auto* G = New<TPaintingGrid>(Form);
    G->SetParent(Form);
    G->GetColumns()->Add(ColumnClass<ColumnFixtures::TTestColumn>, u"A");
    G->AddRow(40);
    platform::test::PaintNow(G);
    const TRect Body = G->GetBodyRect();
    G->Clips.clear();
    G->GetVertScrollBar()->MoveBy(1);
    EXPECT_EQ(platform::test::PixelAt(G, 5, Body.Top + 1), TPaintingGrid::RowColor(1));
    EXPECT_EQ(G->Clips, (std::vector<TRect>{TRect(0, Body.Bottom - 16, G->GetClientWidth(), Body.Bottom)}));
    G->Clips.clear();
    G->GetVertScrollBar()->MoveBy(20); // more than a page: the whole body
    EXPECT_EQ(platform::test::PixelAt(G, 5, Body.Top + 1), TPaintingGrid::RowColor(21));
    EXPECT_EQ(G->Clips, (std::vector<TRect>{TRect(0, Body.Top, G->GetClientWidth(), Body.Bottom)}));
}

TEST_F(GxGridGeometry, FastPathsAgreeWithPlainWalks)
{
    std::mt19937 Random(7);
    const auto Pick = [&](int N) { return int(Random() % unsigned(N)); };
    Grid->SetOptions({goHeader, goGrid});
    Grid->SetAppearanceOptions({ao3DGridLines});
    AddRows(300);
    for (int Step = 0; Step < 400; ++Step) {
        const int Rows = Grid->GetRowCount();
        switch (Pick(5)) {
        case 0:
            Grid->SetRowVisible(Pick(Rows), Pick(3) == 0);
            break;
        case 1:
            Grid->SetRowHeight(Pick(Rows), 5 + Pick(40));
            break;
        case 2:
            Pick(2) ? Grid->InsertRow(Pick(Rows)) : Grid->DeleteRow(Pick(Rows));
            break;
        default: {
            // Scroll to any position; FirstRowInView is the visible row it names.
            std::vector<int> Visible;
            for (int R = 0; R < Rows; ++R)
                if (Grid->GetRowVisible(R)) Visible.push_back(R);
            if (Visible.empty()) break;
            const int First = Grid->GetFirstRowInView(), From = Pick(100), To = Pick(100);
            const int Before = int(std::lower_bound(Visible.begin(), Visible.end(), First) - Visible.begin());
            const int Target = std::clamp(To, 0, int(Visible.size()) - 1);
            int Span = 0;
            for (int K = std::min(Before, Target); K < std::max(Before, Target); ++K)
                Span += Grid->GetRowHeight(Visible[K]) + Grid->GetGridSpace(lpTopBottom);
            const int Limit = Grid->GetBodyRect().Height();
            const int Dy = Grid->GetVertOffset(From, To);
            EXPECT_EQ(std::abs(Dy), std::min(Span, Limit + 1));
            EXPECT_EQ(Dy > 0, Target < Before && Span > 0);
            EXPECT_EQ(Grid->GetFirstRowInView(), Visible[Target]);
        }
        }
        const int Bottom = Grid->GetBodyRect().Bottom;
        for (int Row = 0; Row < Grid->GetRowCount() + 3; Row += 1 + Pick(9)) {
            const int Walked = WalkRowTop(Grid, Row);
            if (Walked < Bottom)
                ASSERT_EQ(Grid->GetRowTop(Row), Walked) << Step << " " << Row;
            else
                ASSERT_GE(Grid->GetRowTop(Row), Bottom) << Step << " " << Row;
            const int Other = Pick(Grid->GetRowCount() + 1);
            ASSERT_EQ(Grid->GetRowsInRange(Row, Other),
                      WalkVisibleBetween(Grid, std::min(Row, Other), std::max(Row, Other)));
        }
        for (bool Backward : {false, true})
            ASSERT_EQ(Grid->GetVisibleCount(Backward), WalkVisibleCount(Grid, Backward)) << Step;
        const int Row = Pick(Grid->GetRowCount());
        int First = Row, Last = Row;
        while (First < Grid->GetRowCount() && !Grid->GetRowVisible(First))
            ++First;
        while (Last >= 0 && !Grid->GetRowVisible(Last))
            --Last;
        ASSERT_EQ(Grid->GetFirstVisible(Row), First < Grid->GetRowCount() ? First : Row);
        ASSERT_EQ(Grid->GetLastVisible(Row), Last >= 0 ? Last : Row);
    }
}

// The bar's last position shows the last row, with no room left above it for one more.
void ExpectEndReachable(TStorageGrid* G, const std::string& What)
{
    G->GetVertScrollBar()->Last();
    const int Count = G->GetVisibleCount(false);
    EXPECT_EQ(G->GetLastRowInView(Count), G->GetRowCount() - 1) << What;
    EXPECT_EQ(G->GetVisibleCount(true), Count) << What;
}

TEST_F(GxGridGeometry, EverySetterThatTakesBodyHeightKeepsTheLastRowReachable)
{
    AddRows(40);
    const std::vector<std::pair<std::string, std::function<void()>>> Steps{
        {"footer", [&] { Grid->SetOptions(Grid->GetOptions() + TGridOptions{goFooter}); }},
        {"input row", [&] { Grid->SetOptions(Grid->GetOptions() + TGridOptions{goInput}); }},
        {"no header", [&] { Grid->SetOptions(Grid->GetOptions() - TGridOptions{goHeader}); }},
        {"header", [&] { Grid->SetOptions(Grid->GetOptions() + TGridOptions{goHeader}); }},
        {"header size", [&] { Grid->SetHeaderSize(45); }},
        {"footer size", [&] { Grid->SetFooterSize(40); }},
        {"input size", [&] { Grid->SetInputSize(30); }},
        {"smaller parts", [&] { Grid->SetHeaderSize(10); }},
        {"grid lines", [&] { Grid->SetOptions(Grid->GetOptions() + TGridOptions{goGrid}); }},
        {"vertical lines only", [&] { Grid->SetGridLinesStyle(lsVerticalOnly); }},
        {"all lines", [&] { Grid->SetGridLinesStyle(lsNormal); }},
        {"3-D lines", [&] { Grid->SetAppearanceOptions({ao3DGridLines}); }},
        {"no border", [&] { Grid->SetBorderStyle(bsNone); }},
        {"border", [&] { Grid->SetBorderStyle(bsSingle); }},
        {"column deleted", [&] { Columns->Delete(2); }},
        {"first column of rows",
         [&] {
             // The store keeps no rows without columns, but rows may be added then.
             Columns->Delete(1);
             Columns->Delete(0);
             AddRows(40);
             EXPECT_EQ(Grid->GetVertScrollBar()->GetMax(), 0);
             Columns->Add(ColumnClass<ColumnFixtures::TTestColumn>, u"A");
         }},
    };
    for (const auto& [What, Step] : Steps) {
        // From the top, so that the bar is not at its end when the body changes.
        Grid->GetVertScrollBar()->First();
        Step();
        ASSERT_EQ(Grid->GetRowCount(), 40) << What;
        ExpectEndReachable(Grid, What);
    }
}

TEST_F(GxGridGeometry, RowsHiddenAboveTheViewLeaveTheEndReachable)
{
    AddRows(100);
    Grid->GetVertScrollBar()->SetPosition(50);
    ASSERT_EQ(Grid->GetFirstRowInView(), 50);
    for (int Row = 0; Row < 20; ++Row)
        Grid->SetRowVisible(Row, false);
    ExpectEndReachable(Grid, "hidden above");
    // Back at the top the first shown row leads; shown again, the rows above come back.
    Grid->GetVertScrollBar()->First();
    EXPECT_EQ(Grid->GetFirstRowInView(), 20);
    for (int Row = 0; Row < 20; ++Row)
        Grid->SetRowVisible(Row, true);
    Grid->GetVertScrollBar()->SetPosition(1);
    EXPECT_EQ(Grid->GetFirstRowInView(), 1);
    ExpectEndReachable(Grid, "shown again");
}

TEST_F(GxGridGeometry, HugeSizesAreHeldToWhatPaintsAndSmallOnesToTheirBounds)
{
    AddRows(3);
    Grid->SetOptions({goHeader, goInput, goFooter, goGrid, goIndicator});
    Grid->SetRowSize(INT_MAX);
    Grid->SetHeaderSize(INT_MAX);
    Grid->SetFooterSize(INT_MAX);
    Grid->SetInputSize(INT_MAX);
    Grid->SetSlideSize(INT_MAX);
    Columns->GetItem(0)->SetWidth(INT_MAX);
    EXPECT_EQ(Grid->GetRowSize(), MaxPaintedSize);
    EXPECT_EQ(Grid->GetHeaderSize(), MaxPaintedSize);
    EXPECT_EQ(Grid->GetFooterSize(), MaxPaintedSize);
    EXPECT_EQ(Grid->GetInputSize(), MaxPaintedSize);
    EXPECT_EQ(Grid->GetSlideSize(), MaxPaintedSize);
    EXPECT_EQ(Columns->GetItem(0)->GetWidth(), MaxPaintedSize);
    EXPECT_EQ(Grid->GetHeaderRect().Right, IndicatorWidth + MaxPaintedSize + 160);
    Grid->GetHorzScrollBar()->Last();
    EXPECT_EQ(Grid->GetHeaderRect().Right, Grid->GetClientWidth());
    platform::test::PaintNow(Grid);

    Grid->SetHeaderSize(-5);
    Grid->SetFooterSize(-5);
    Grid->SetInputSize(-5);
    Grid->SetRowSize(0);
    Grid->SetSlideSize(0);
    Grid->SetSlideSize(-1);
    Columns->GetItem(0)->SetWidth(-100);
    EXPECT_EQ(Grid->GetHeaderSize(), 0);
    EXPECT_EQ(Grid->GetFooterSize(), 0);
    EXPECT_EQ(Grid->GetInputSize(), 0);
    EXPECT_EQ(Grid->GetRowSize(), MaxPaintedSize);
    EXPECT_EQ(Grid->GetSlideSize(), MaxPaintedSize);
    EXPECT_EQ(Columns->GetItem(0)->GetWidth(), 8);
}

// ---- Cost at a million rows -------------------------------------------------------------------------

TEST_F(GxGridGeometry, QuestionsAtTheEndOfAMillionRowsAskAboutTheViewOnly)
{
    const int N = 1000000;
    Grid->AddRow(N);
    GxCells::TCells* Store = Grid->GetStore();
    const std::vector<std::function<bool(int)>> Patterns{[](int) { return true; }, [](int R) { return R % 2 == 0; },
                                                         [N](int R) { return R < 500 || R >= N - 500; }};
    for (const auto& Shown : Patterns) {
        for (int R = 0; R < N; ++R)
            Store->ShowRow(R, Shown(R));
        Grid->UpdateVertScrollBar();
        Grid->GetVertScrollBar()->First();
        Grid->ResetCalls();
        Grid->GetVertScrollBar()->Last();
        const int View = Grid->GetVisibleCount(false);
        ASSERT_GT(View, 3);
        // The jump from the first to the last position looked at one page of rows.
        EXPECT_LE(Grid->Calls.Heights, 3 * View + 6);
        const auto Ask = [&](const char* What, auto Question, std::int64_t Most) {
            Grid->ResetCalls();
            Question();
            EXPECT_LE(Grid->Calls.All(), Most) << What;
            EXPECT_EQ(Grid->Calls.Visibility, 0) << What;
        };
        Ask(
            "row top", [&] { Grid->GetRowTop(N - 1); }, 2 * View + 4);
        Ask(
            "cell rect", [&] { Grid->GetCellRect(2, N - 1); }, 2 * View + 4);
        Ask(
            "count", [&] { Grid->GetVisibleCount(true); }, 4 * View + 8);
        Ask(
            "vert max", [&] { Grid->GetVertMax(); }, 4 * View + 8);
        Ask(
            "last in view", [&] { Grid->GetLastRowInView(View); }, 4);
        Ask(
            "in view", [&] { Grid->IsRowInView(); }, 2 * View + 8);
        Ask(
            "range", [&] { Grid->GetRowsInRange(0, N - 1); }, 2);
        Ask(
            "first visible", [&] { Grid->GetFirstVisible(N / 2 + 1); }, 2);
        Ask(
            "last visible", [&] { Grid->GetLastVisible(N / 2 + 1); }, 2);
        Ask(
            "row top above the view", [&] { Grid->GetRowTop(3); }, 0);
        Ask(
            "scroll to the top row", [&] { Grid->ScrollToRow(0); }, 6 * View + 16);
    }
}

} // namespace
