// tests/grid/GridTestFixture.h
// A storage grid on a shown form, with three test columns.
#pragma once
#include "GridStorage.h"
#include "tests/grid/ColumnFixtures.h"
#include "tests/platform/controls/ControlFixtures.h"

namespace GridStorage {

// A shown form holding a 300 × 200 storage grid with the test
// columns A, B and C, 80 pixels wide.
class TGridTest : public TFormTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // Rows with the texts "<column><row>", e.g. "B3".
    void AddRows(int Count);
    // The grid the test works on.
    virtual TStorageGrid* MakeGrid(TComponent* AOwner) { return New<TStorageGrid>(AOwner); }

    TStorageGrid* Grid = nullptr;
    TGxColumns* Columns = nullptr;
    // Lines the events write.
    std::vector<std::string> Log;
};

} // namespace GridStorage
