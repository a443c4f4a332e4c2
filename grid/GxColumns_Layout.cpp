// grid/GxColumns_Layout.cpp: where the columns stand on screen and how the
// auto-size columns share the grid's width.
#include "grid/GxColumns.h"

#include <algorithm>

namespace GxColumns {

void TGxColumns::UpdateFixedWidth()
{
    FFixedWidth = 0;
    const int Fixed = std::min(FFixedCols, int(FPositions.size()));
    for (int P = 0; P < Fixed; ++P)
        if (FPositions[P]->FVisible) FFixedWidth += FPositions[P]->FWidth;
}

void TGxColumns::UpdateColumns(bool UpdatePositions)
{
    UpdateFixedWidth();
    int X = FGrid->GetBodyRect().Left;
    int VisibleIndex = 0;
    for (int P = 0; P < int(FPositions.size()); ++P) {
        TGxCustomColumn* Column = FPositions[P];
        if (Column->FVisible) {
            Column->FLeft = X;
            Column->FVisibleIndex = VisibleIndex++;
            X += Column->FWidth;
        } else {
            Column->FVisibleIndex = -1;
        }
        if (UpdatePositions) Column->FPosition = P;
    }
}

void TGxColumns::UpdatePositionList(TGxCustomColumn* AColumn)
{
    std::erase(FPositions, AColumn);
    auto It = std::find_if(FPositions.begin(), FPositions.end(),
                           [&](const TGxCustomColumn* C) { return C->FPosition > AColumn->FPosition; });
    FPositions.insert(It, AColumn);
}

void TGxColumns::ResizeColumns(TGxCustomColumn* AColumn, bool Inclusive)
{
    if (IsReadingState()) return;
    const int Indicator = FGrid->HasIndicator() ? 12 : 0;
    int Start = 0;
    int Used = 0;
    if (AColumn && Inclusive) {
        Start = AColumn->FPosition;
        Used = AColumn->FLeft - Indicator;
    } else if (AColumn) {
        Start = AColumn->FPosition + 1;
        Used = AColumn->FLeft + (AColumn->FVisible ? AColumn->FWidth : 0) - Indicator;
    }
    Start = std::max(Start, 0);
    const int Rest = FGrid->GetInnerWidth() - Used;

    int FixedSum = 0;
    int AutoSum = 0;
    for (int P = Start; P < int(FPositions.size()); ++P) {
        const TGxCustomColumn* Column = FPositions[P];
        if (!Column->FVisible) continue;
        (Column->FOptions.Contains(coAutoSize) ? AutoSum : FixedSum) += Column->FWidth;
    }
    const int FreeWidth = Rest - FixedSum;
    // Each share comes from the sums before the loop, not from widths it has already changed.
    for (int P = Start; P < int(FPositions.size()); ++P) {
        TGxCustomColumn* Column = FPositions[P];
        if (Column->FVisible && Column->FOptions.Contains(coAutoSize))
            Column->SetSilentWidth(int(Round(FreeWidth * (double(Column->FWidth) / AutoSum))));
    }
}

} // namespace GxColumns
