#include "util/yelkutils_winvsbcb.h"
#include "platform/classes/Registry.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace yelkutils_winvsbcb;

TEST(yelkutils_winvsbcb, ReadsStringValuesOfTheMachineRootOnly)
{
    TTemporaryHome Home;
    {
        auto Reg = MakeOwned<TRegistry>();
        Reg->SetRootKey(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(Reg->OpenKey("SOFTWARE\\Maker\\Tool", true));
        Reg->WriteString("InstallLocation", "/opt/tool/");
        Reg->WriteInteger("Build", 12);
        Reg->SetRootKey(HKEY_CURRENT_USER);
        ASSERT_TRUE(Reg->OpenKey("SOFTWARE\\Maker\\Tool", true));
        Reg->WriteString("UserOnly", "x");
    }
    EXPECT_EQ(ReadRegistryStringHklm("software\\maker\\tool", "installlocation"), "/opt/tool/");
    EXPECT_EQ(ReadRegistryStringHklm("SOFTWARE\\Maker\\Tool", "Missing"), "");
    EXPECT_EQ(ReadRegistryStringHklm("SOFTWARE\\Maker\\Other", "InstallLocation"), "");
    EXPECT_EQ(ReadRegistryStringHklm("SOFTWARE\\Maker\\Tool", "Build"), ""); // not a string: nothing, no throw
    EXPECT_EQ(ReadRegistryStringHklm("SOFTWARE\\Maker\\Tool", "UserOnly"), "");
}
