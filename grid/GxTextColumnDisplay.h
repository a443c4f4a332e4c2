// grid/GxTextColumnDisplay.h
// The cell painter of the text column and of the kinds that show text.
#pragma once
#include "grid/GxColumns.h"

namespace GxDisplays {

using namespace GxColumns;

// Draws a cell as its column's GetDrawText in the text rectangle, placed by
// the column's alignments, wrap kind and reading order.
class TTextColumnDisplay : public TColumnDisplay {
public:
    QM_CLASS(TTextColumnDisplay, TColumnDisplay)
    using TColumnDisplay::TColumnDisplay;

    void Paint() override;
};

} // namespace GxDisplays
