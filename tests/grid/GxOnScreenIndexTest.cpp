// tests/grid/GxOnScreenIndexTest.cpp
#include "CellsFixture.h"

#include <random>

using namespace CellsFixture;

namespace {

struct GxOnScreenIndex : TCellsFixture {
    // The index's answers against a plain walk over the rows.
    void Check(int Step)
    {
        std::vector<int> On;
        for (int R = 0; R < Cells->GetRowCount(); ++R)
            if (Cells->GetRow(R)->GetVisible() && Cells->GetRow(R)->GetShown()) On.push_back(R);
        ASSERT_EQ(Cells->GetVisibleRowCount(), int(On.size())) << Step;
        for (std::size_t K = 0; K < On.size(); ++K)
            ASSERT_EQ(Cells->GetOnScreenRow(int(K)), On[K]) << Step;
        ASSERT_EQ(Cells->GetOnScreenRow(int(On.size())), -1);
        std::size_t K = 0;
        for (int R = -1; R <= Cells->GetRowCount(); ++R) {
            while (K < On.size() && On[K] < R)
                ++K;
            if (R >= 0) {
                ASSERT_EQ(Cells->GetOnScreenBefore(R), int(K)) << Step;
            }
            const std::size_t After = K < On.size() && On[K] == R ? K + 1 : K;
            ASSERT_EQ(Cells->GetNextOnScreen(R), After < On.size() ? On[After] : -1) << Step << ' ' << R;
            ASSERT_EQ(Cells->GetPriorOnScreen(R), K > 0 ? On[K - 1] : -1) << Step << ' ' << R;
        }
    }
};

TEST_F(GxOnScreenIndex, FollowsEveryRowOperation)
{
    AddTyped(ctInteger);
    std::mt19937 Random(11);
    const auto Pick = [&](int N) { return int(Random() % unsigned(N)); };
    for (int Step = 0; Step < 1500; ++Step) {
        const int N = Cells->GetRowCount();
        switch (N < 2 ? 0 : Pick(11)) {
        case 0:
            Cells->AddRow(1 + Pick(100));
            break;
        case 1:
            Cells->InsertRow(Pick(N + 1));
            break;
        case 2:
            Cells->AddChildRow(Pick(N), Pick(N + 1));
            break;
        case 3:
            Cells->DeleteRow(Pick(N));
            break;
        case 4:
            Cells->MoveRow(Pick(N), Pick(N));
            break;
        case 5:
            Cells->SwapRows(Pick(N), Pick(N));
            break;
        case 6:
        case 7:
            Cells->ShowRow(Pick(N), Pick(2));
            break;
        case 8:
        case 9:
            Cells->ExpandRow(Pick(N), Pick(2));
            break;
        case 10:
            Cells->GetCell(0, Pick(N)).SetAsInteger(Pick(5));
            Cells->SortColumn(0, stNumeric, TSortKind(Pick(2)), false);
            break;
        }
        if (Step % 25 == 0 || Cells->GetRowCount() < 70) Check(Step);
        if (Cells->GetRowCount() > 600) Cells->ClearRows();
    }
}

TEST_F(GxOnScreenIndex, CountsARowOnceWhenBothFlagsDrop)
{
    AddTyped(ctString);
    Cells->AddRow(3);
    Cells->ShowRow(2, false);
    Cells->ExpandRow(2, false);
    EXPECT_EQ(Cells->GetVisibleRowCount(), 2);
    Cells->ShowRow(2, true);
    EXPECT_EQ(Cells->GetVisibleRowCount(), 2);
    Cells->ExpandRow(2, true);
    EXPECT_EQ(Cells->GetVisibleRowCount(), 3);
    EXPECT_EQ(Cells->GetPriorOnScreen(Cells->GetRowCount()), 2);
}

} // namespace
