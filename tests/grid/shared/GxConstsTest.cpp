// The colour-name tables as the colour editors and the HTML routines walk them.
#include "grid/shared/GxConsts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace GxConsts;

TEST(GxConsts, WebColourNamesAreUniqueLowerCaseAndSortedAfterTransparent)
{
    EXPECT_STREQ(PWebColorNames[0].cnColorName, "transparent");
    EXPECT_STREQ(PWebColorNames[0].cnColorValue, "#FFFFFF");
    EXPECT_STREQ(WebColorNames[WebColorNameCount - 1].cnColorName, "yellowgreen");
    for (int I = 2; I < WebColorNameCount; ++I) {
        const std::string Name = WebColorNames[I].cnColorName;
        EXPECT_LT(std::string(WebColorNames[I - 1].cnColorName), Name);
        EXPECT_EQ(Name.find_first_not_of("abcdefghijklmnopqrstuvwxyz"), std::string::npos) << Name;
    }
}

TEST(GxConsts, ClassLibraryColourIdentifiersInOrder)
{
    EXPECT_STREQ(DelphiColorNames[0], "clBlack");
    EXPECT_STREQ(DelphiColorNames[15], "clWhite");
    EXPECT_STREQ(DelphiColorNames[45], "clNone");
    EXPECT_STREQ(PDelphiColorNames[DelphiColorNameCount - 1], "clWindowText");
}

} // namespace
