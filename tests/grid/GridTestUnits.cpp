// The unit start-ups the grid's tests need.
#include "grid/shared/GxClasses.h"
#include "grid/shared/GxThemesSupport.h"

void RegisterTestUnits()
{
    GxThemesSupport::RegisterUnit();
    GxClasses::RegisterUnit();
}
