#include "platform/rtl/XdgFolders.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(XdgFolders, AUserDirsFileThatIsAPipeIsNotWaitedOn)
{
    TTemporaryHome Home;
    ASSERT_TRUE(ForceDirectories(Home.ConfigHome()));
    ASSERT_EQ(::mkfifo((Home.ConfigHome() + "/user-dirs.dirs").c_str(), 0600), 0);
    EXPECT_EQ(platform::XdgUserDirectory("DOCUMENTS", "/Documents"), Home.Home() + "/Documents");
}
