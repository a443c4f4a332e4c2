#include "util/yelkutils_win_mini.h"

#include <gtest/gtest.h>
#include <unistd.h>

using namespace yelkutils_win_mini;

namespace {

std::string RunningProgram()
{
    std::string Name(8192, '\0');
    const ssize_t N = ::readlink("/proc/self/exe", Name.data(), Name.size());
    Name.resize(N > 0 ? static_cast<std::size_t>(N) : 0);
    return Name;
}

} // namespace

TEST(yelkutils_win_mini, ApplicationDirectoryIsTheProgramsFolderWithASeparator)
{
    const std::string Exe = RunningProgram();
    const std::string Folder = Exe.substr(0, Exe.rfind('/') + 1);
    ASSERT_FALSE(Folder.empty());
    EXPECT_EQ(GetApplicationDirectory(), Folder);
    EXPECT_EQ(GetApplicationDirectory(""), Folder);
    EXPECT_EQ(GetApplicationDirectory("RegexPresets"), Folder + "RegexPresets/");
    EXPECT_EQ(GetApplicationDirectory("a/b/"), Folder + "a/b/");
}

TEST(yelkutils_win_mini, TrailingSeparatorsAreAddedAndRemovedOnce)
{
    std::string S = "/opt/app/";
    RemoveTrailingSlash(S);
    EXPECT_EQ(S, "/opt/app");
    RemoveTrailingSlash(S);
    EXPECT_EQ(S, "/opt/app");
    S = "/";
    RemoveTrailingSlash(S);
    EXPECT_EQ(S, "/"); // one character stays
    S = "dir//";
    RemoveTrailingSlash(S);
    EXPECT_EQ(S, "dir/");

    S = "/opt/app";
    AddTrailingBackslash(S);
    EXPECT_EQ(S, "/opt/app/");
    AddTrailingBackslash(S);
    EXPECT_EQ(S, "/opt/app/");
    S = "";
    AddTrailingBackslash(S);
    EXPECT_EQ(S, "");
    S = "name\\"; // a backslash is part of a name here
    AddTrailingBackslash(S);
    EXPECT_EQ(S, "name\\/");
}

TEST(yelkutils_win_mini, ParentDirectoryKeepsTheRoot)
{
    EXPECT_EQ(ParentDirectory("/opt/app/"), "/opt");
    EXPECT_EQ(ParentDirectory("/opt/app"), "/opt");
    EXPECT_EQ(ParentDirectory("/opt"), "/");
    EXPECT_EQ(ParentDirectory("/opt/"), "/");
    EXPECT_EQ(ParentDirectory("/"), "/");
    EXPECT_EQ(ParentDirectory("relative/dir"), "relative");
    EXPECT_EQ(ParentDirectory("name/"), "name/"); // no separator before the last one
    EXPECT_EQ(ParentDirectory("name"), "name");
    EXPECT_EQ(ParentDirectory(""), "");
}
