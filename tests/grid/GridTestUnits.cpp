// The unit start-ups the grid library needs in its tests.
#include "grid/shared/GxClasses.h"
#include "grid/shared/GxThemesSupport.h"

void RegisterTestUnits()
{
    GxThemesSupport::RegisterUnit();
    GxClasses::RegisterUnit();
}
