#include "grid/shared/GxConsts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace {

using namespace GxConsts;

// Walks the web table as the colour routines do: name to value and back.
std::string ValueOf(const std::string& Name)
{
    for (int I = 0; I < WebColorNameCount; ++I)
        if (Name == PWebColorNames[I].cnColorName) return PWebColorNames[I].cnColorValue;
    return "";
}

std::string NameOf(const std::string& Value)
{
    for (int I = 0; I < WebColorNameCount; ++I)
        if (Value == PWebColorNames[I].cnColorValue) return PWebColorNames[I].cnColorName;
    return "";
}

TEST(GxConsts, WebColourNamesBothWays)
{
    EXPECT_STREQ(WebColorNames[0].cnColorName, "transparent");
    EXPECT_STREQ(WebColorNames[0].cnColorValue, "#FFFFFF");
    EXPECT_STREQ(WebColorNames[1].cnColorName, "aliceblue");
    EXPECT_STREQ(WebColorNames[WebColorNameCount - 1].cnColorName, "yellowgreen");
    EXPECT_EQ(ValueOf("lightgrey"), "#D3D3D3");
    EXPECT_EQ(ValueOf("lightgray"), ""); // only this one is spelled with "grey"
    EXPECT_EQ(ValueOf("darkgray"), "#A9A9A9");
    EXPECT_EQ(ValueOf("rebeccapurple"), "");
    EXPECT_EQ(NameOf("#FF0000"), "red");
    EXPECT_EQ(NameOf("#00FFFF"), "aqua"); // before "cyan"
    EXPECT_EQ(NameOf("#FFFFFF"), "transparent");
    EXPECT_EQ(NameOf("#9ACD32"), "yellowgreen");

    // Every name once, lower case and sorted after "transparent"; every value "#" and six upper-case digits.
    std::set<std::string> Names;
    for (int I = 0; I < WebColorNameCount; ++I) {
        const std::string Name = WebColorNames[I].cnColorName;
        const std::string Value = WebColorNames[I].cnColorValue;
        EXPECT_TRUE(Names.insert(Name).second) << Name;
        if (I > 1) {
            EXPECT_LT(std::string(WebColorNames[I - 1].cnColorName), Name);
        }
        for (char C : Name)
            EXPECT_TRUE(C >= 'a' && C <= 'z') << Name;
        ASSERT_EQ(Value.size(), 7u) << Name;
        EXPECT_EQ(Value[0], '#');
        for (char C : Value.substr(1))
            EXPECT_TRUE((C >= '0' && C <= '9') || (C >= 'A' && C <= 'F')) << Name;
    }
}

TEST(GxConsts, ClassLibraryColourIdentifiersInOrder)
{
    EXPECT_STREQ(DelphiColorNames[0], "clBlack");
    EXPECT_STREQ(DelphiColorNames[15], "clWhite");
    EXPECT_STREQ(DelphiColorNames[19], "clMedGray");
    EXPECT_STREQ(DelphiColorNames[29], "clDefault");
    EXPECT_STREQ(DelphiColorNames[45], "clNone");
    EXPECT_STREQ(PDelphiColorNames[DelphiColorNameCount - 1], "clWindowText");
    std::set<std::string> Names;
    for (int I = 0; I < DelphiColorNameCount; ++I) {
        EXPECT_EQ(std::strncmp(DelphiColorNames[I], "cl", 2), 0);
        EXPECT_TRUE(Names.insert(DelphiColorNames[I]).second);
    }
}

} // namespace
