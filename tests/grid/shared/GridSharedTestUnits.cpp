// The unit start-ups the grid library's shared layer needs in its tests.
#include "grid/shared/GxClasses.h"
#include "grid/shared/GxPopupControl.h"
#include "grid/shared/GxThemesSupport.h"

void RegisterTestUnits()
{
    GxThemesSupport::RegisterUnit();
    GxClasses::RegisterUnit();
    GxPopupControl::RegisterUnit();
}
