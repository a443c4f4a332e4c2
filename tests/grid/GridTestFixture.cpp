// tests/grid/GridTestFixture.cpp
#include "GridTestFixture.h"
#include "platform/rtl/Codec.h"

namespace GridStorage {

void TGridTest::SetUp()
{
    TFormTest::SetUp();
    Grid = MakeGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(0, 0, 300, 200);
    Columns = Grid->GetColumns();
    for (const char* Name : {"A", "B", "C"}) {
        TGxCustomColumn* Column = Columns->Add(ColumnClass<ColumnFixtures::TTestColumn>, Utf8ToWide(Name));
        Column->SetName(Name);
    }
    Grid->HandleNeeded();
}

void TGridTest::TearDown()
{
    FreeAndNil(Grid);
    TFormTest::TearDown();
}

void TGridTest::AddRows(int Count)
{
    const int First = Grid->GetRowCount();
    Grid->AddRow(Count);
    for (int Row = First; Row < First + Count; ++Row)
        for (int Col = 0; Col < Columns->GetCount(); ++Col)
            Grid->SetCells(Col, Row, Utf8ToWide(Columns->GetItem(Col)->GetName() + IntToStr(Row)));
}

} // namespace GridStorage
