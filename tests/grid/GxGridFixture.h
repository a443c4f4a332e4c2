// tests/grid/GxGridFixture.h
// A shown form holding a 300 × 200 TGxGrid with the test columns A, B and C.
#pragma once
#include "grid/GxGrid.h"
#include "platform/rtl/Codec.h"
#include "platform/testing/TestDriving.h"
#include "tests/grid/ColumnFixtures.h"
#include "tests/platform/controls/ControlFixtures.h"

#include <string>
#include <vector>

namespace GxGridTests {

using namespace GxGrid;

class TGxGridTest : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        Grid = NewGrid();
        Grid->SetName("Grid");
        Grid->SetParent(Form);
        Grid->SetBounds(0, 0, 300, 200);
        for (const char* Name : {"A", "B", "C"}) {
            TGxCustomColumn* Column =
                Grid->GetColumns()->Add(ColumnClass<ColumnFixtures::TTestColumn>, Utf8ToWide(Name));
            Column->SetName(Name);
        }
        Grid->HandleNeeded();
    }
    void TearDown() override
    {
        FreeAndNil(Grid);
        TFormTest::TearDown();
    }
    // The grid the test works on, owned by the form.
    virtual TGxGrid* NewGrid() { return New<TGxGrid>(Form); }
    // Rows with the texts "<column><row>", e.g. "B3".
    void AddRows(int Count)
    {
        const int First = Grid->GetRowCount();
        Grid->AddRow(Count);
        for (int Row = First; Row < First + Count; ++Row)
            for (int Col = 0; Col < 3; ++Col)
                Grid->SetCells(Col, Row, Utf8ToWide(std::string(1, char('A' + Col)) + IntToStr(Row)));
    }
    AnsiString Text(int Col, int Row) { return WideToUtf8(Grid->GetCells(Col, Row)); }
    // Column A of every row, joined by blanks.
    AnsiString ColumnA()
    {
        AnsiString S;
        for (int R = 0; R < Grid->GetRowCount(); ++R)
            S += (R ? " " : "") + Text(0, R);
        return S;
    }
    // What waits to be painted after Step.
    TRect PendingAfter(const std::function<void()>& Step)
    {
        platform::test::PaintNow(Grid);
        Step();
        TRect Pending;
        GetUpdateRect(Grid->GetHandle(), &Pending, false);
        return Pending;
    }

    TGxGrid* Grid = nullptr;
    std::vector<std::string> Log;
};

} // namespace GxGridTests
