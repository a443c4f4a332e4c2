// bench/MainWindowGrid.h
// The main window's extract grid as the benchmarks build it: a TGxGrid on
// Form with the window's options and size, and its five text columns with
// their widths, sort types and options.
#pragma once
#include "grid/GxColumnClasses.h"
#include "grid/GxGrid.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/Codec.h"

// A shown form of the main window's client size, owned by the application.
inline TForm* MakeMainWindowForm()
{
    auto* Form = New<TForm>(Application);
    Form->SetClientWidth(601);
    Form->SetClientHeight(507);
    Form->Show();
    return Form;
}

inline GxGrid::TGxGrid* MakeMainWindowGrid(TForm* Form)
{
    using namespace GxGrid;
    auto* Grid = New<TGxGrid>(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(8, 8, 577, 424);
    Grid->SetOptions({goHeader, goSelectFullRow});
    Grid->SetAppearanceOptions({aoHideFocus, aoHideSelection});
    const struct {
        const char* Caption;
        int Width;
        TSortType Sort;
    } Columns[] = {{"File:", 109, stAlphabetic},
                   {"Line#:", 80, stNumeric},
                   {"Match:", 195, stAlphabetic},
                   {"Found By:", 116, stAlphabetic},
                   {"Rejected By:", 83, stAlphabetic}};
    for (const auto& C : Columns) {
        TGxCustomColumn* Column =
            Grid->GetColumns()->Add(ColumnClass<GxColumnClasses::TGxTextColumn>, Utf8ToWide(C.Caption));
        Column->SetWidth(C.Width);
        Column->SetSortType(C.Sort);
        Column->SetOptions({coAutoSize, coCanClick, coCanInput, coCanSort, coPublicUsing, coShowTextFitHint});
    }
    return Grid;
}
