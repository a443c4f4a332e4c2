// tests/grid/InputGridFixture.h
// A custom grid without rows, 300 × 200 on a shown form, with the test
// columns A, B and C.
#pragma once
#include "grid/GxCustomGrid.h"
#include "platform/rtl/Codec.h"
#include "tests/grid/ColumnFixtures.h"
#include "tests/platform/controls/ControlFixtures.h"

namespace InputGridFixture {

using namespace GxCustomGrid;

class TInputGrid : public TGxCustomGrid {
public:
    QM_CLASS(TInputGrid, TGxCustomGrid)
    using TGxCustomGrid::SetSearchText;
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
    void SetColumnPlayAttributes(TColumnPlay*) override {}
};

class TInputGridTest : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        Grid = New<TInputGrid>(Form);
        Grid->SetParent(Form);
        Grid->SetBounds(0, 0, 300, 200);
        for (const char* Name : {"A", "B", "C"})
            Grid->GetColumns()->Add(ColumnClass<ColumnFixtures::TTestColumn>, Utf8ToWide(Name));
        Grid->HandleNeeded();
    }
    void TearDown() override
    {
        FreeAndNil(Grid);
        TFormTest::TearDown();
    }
    TInputGrid* Grid = nullptr;
};

} // namespace InputGridFixture
