// tests/grid/CellsFixture.h
// A store on the small test grid of ColumnFixtures, following its columns
// as the grid control does, with a log of the changes it reports.
#pragma once
#include "ColumnFixtures.h"
#include "grid/GxCellClasses.h"
#include "grid/GxCells.h"
#include "platform/rtl/Codec.h"

#include <utility>
#include <vector>

namespace CellsFixture {

using namespace ColumnFixtures;
using namespace GxCellClasses;

struct TCellsFixture : TGridFixture {
    TCellsFixture()
    {
        FormatSettings = DefaultFormatSettings();
        auto Logger = Columns->OnChange;
        Columns->OnChange = [this, Logger](TObject* Sender, TColumnsOperation Operation, int Value1, int Value2) {
            Logger(Sender, Operation, Value1, Value2);
            Cells->ColumnsChange(Operation, Value1, Value2);
        };
        Cells->OnCellChange = [this](TObject*, int ACol, int ARow) { Changes.emplace_back(ACol, ARow); };
    }
    ~TCellsFixture() override
    {
        Columns->OnChange = nullptr; // the store goes first
        FormatSettings = Saved;
    }

    // A column of that type, named C<index>.
    TTestColumn* AddTyped(TColumnType Type)
    {
        TTestColumn* Column = AddColumn(("C" + std::to_string(Columns->GetCount())).c_str());
        Column->SetColumnType(Type);
        return Column;
    }
    // Rows of one text column, in order.
    void FillTexts(std::initializer_list<const char16_t*> Texts, int ACol = 0)
    {
        for (const char16_t* Text : Texts) {
            Cells->AddRow(1);
            Cells->GetCell(ACol, Cells->GetRowCount() - 1).SetAsString(Text);
        }
        Changes.clear();
    }
    std::vector<WideString> Texts(int ACol = 0)
    {
        std::vector<WideString> Out;
        for (int R = 0; R < Cells->GetRowCount(); ++R)
            Out.push_back(Cells->GetCell(ACol, R).GetAsString());
        return Out;
    }

    TFormatSettings Saved = FormatSettings;
    TOwned<GxCells::TCells> Cells{New<GxCells::TCells>(Grid, Columns)};
    std::vector<std::pair<int, int>> Changes;
};

} // namespace CellsFixture
