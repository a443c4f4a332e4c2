#include "platform/win/Windows.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>

TEST(FileIdentity, NamesOfOneFolderOrFileShareItsIdentityOthersDoNot)
{
    TTempDir D;
    const AnsiString A = D.WriteFile("a/file.txt", "x");
    const AnsiString B = D.WriteFile("b/file.txt", "x");
    ASSERT_EQ(::symlink((D.Path() + "a").c_str(), (D.Path() + "b/up").c_str()), 0);
    ASSERT_EQ(::link(A.c_str(), (D.Path() + "hard.txt").c_str()), 0);

    platform::TFileIdentity FolderA, ThroughLink, FolderB, FileA, HardA, FileB, Missing;
    ASSERT_TRUE(platform::GetFileIdentity(D.Path() + "a", FolderA));
    ASSERT_TRUE(platform::GetFileIdentity(D.Path() + "b/up/", ThroughLink));
    ASSERT_TRUE(platform::GetFileIdentity(D.Path() + "b", FolderB));
    ASSERT_TRUE(platform::GetFileIdentity(A, FileA));
    ASSERT_TRUE(platform::GetFileIdentity(D.Path() + "hard.txt", HardA));
    ASSERT_TRUE(platform::GetFileIdentity(B, FileB));

    EXPECT_EQ(FolderA, ThroughLink);
    EXPECT_EQ(FileA, HardA);
    EXPECT_NE(FolderA, FolderB);
    EXPECT_NE(FileA, FileB);
    EXPECT_FALSE(platform::GetFileIdentity(D.Path() + "missing", Missing));
    EXPECT_FALSE(platform::GetFileIdentity("", Missing));
}
