// tests/grid/InputGridFixture.cpp
#include "InputGridFixture.h"
#include "platform/rtl/Codec.h"

namespace InputGridFixture {

void TInputGridTest::SetUp()
{
    TFormTest::SetUp();
    Grid = New<TInputGrid>(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(0, 0, 300, 200);
    for (const char* Name : {"A", "B", "C"})
        Grid->GetColumns()->Add(ColumnClass<ColumnFixtures::TTestColumn>, Utf8ToWide(Name))->SetName(Name);
    Grid->HandleNeeded();
}

void TInputGridTest::TearDown()
{
    FreeAndNil(Grid);
    TFormTest::TearDown();
}

} // namespace InputGridFixture
