// tests/grid/InputGridFixture.h
// A custom grid without rows on a shown form, with the test columns A, B
// and C, 80 pixels wide.
#pragma once
#include "grid/GxCustomGrid.h"
#include "tests/grid/ColumnFixtures.h"
#include "tests/platform/controls/ControlFixtures.h"

namespace InputGridFixture {

using namespace GxCustomGrid;

class TInputGrid : public TGxCustomGrid {
public:
    QM_CLASS(TInputGrid, TGxCustomGrid)
    using TGxCustomGrid::TGxCustomGrid;
    void GetCellInfo(int, int, TCellInfo&) override {}
    WideString GetCells(int, int) override { return {}; }
    void SetCells(int, int, const WideString&) override {}
    WideString GetDrawText(int, int) override { return {}; }
    int GetRowCount() override { return 0; }
    int GetVisibleRows() override { return 0; }
    int GetFirstVisibleRow() override { return -1; }
    int GetLastVisibleRow() override { return -1; }
    bool GetSelected(int) override { return false; }
    void SetSelected(int, bool) override {}
    void SelectRange(int, int, bool) override {}
    void SwapRows(int, int) override {}
    void AddRow(int) override {}
    void CalculateFooter(bool) override {}
    void SetColumnPlayAttributes(TColumnPlay* Play) override { Play->SetAsString(u"attributes"); }
    void DoColumnPlayChange(TObject*) override { Log.push_back("play change"); }
    void DoColumnPlayExpand(TObject*) override { Log.push_back("play expand"); }
    using TGxCustomGrid::SetSearchText;
    std::vector<std::string> Log;
};

class TInputGridTest : public TFormTest {
protected:
    void SetUp() override;
    void TearDown() override;

    TInputGrid* Grid = nullptr;
};

} // namespace InputGridFixture
