// grid/GxDisplays_Text.cpp: the text display.
#include "grid/GxDisplays.h"

namespace GxDisplays {

void TTextColumnDisplay::Paint()
{
    TCellInfo CellInfo;
    CellInfo.AsString = GetAsString();
    DrawTextRect(GetColumn()->GetDrawText(CellInfo), GetTextRect());
}

} // namespace GxDisplays
