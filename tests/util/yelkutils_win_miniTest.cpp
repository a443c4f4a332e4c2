#include "util/yelkutils_win_mini.h"
#include "tests/util/Edited.h"

#include <gtest/gtest.h>
#include <unistd.h>

using namespace yelkutils_win_mini;

TEST(yelkutils_win_mini, ApplicationDirectoryIsTheProgramsFolderWithASeparator)
{
    std::string Exe(8192, '\0');
    Exe.resize(static_cast<std::size_t>(std::max<ssize_t>(0, ::readlink("/proc/self/exe", Exe.data(), Exe.size()))));
    const std::string Folder = Exe.substr(0, Exe.rfind('/') + 1);
    ASSERT_FALSE(Folder.empty());
    EXPECT_EQ(GetApplicationDirectory(), Folder);
    EXPECT_EQ(GetApplicationDirectory(""), Folder);
    EXPECT_EQ(GetApplicationDirectory("RegexPresets"), Folder + "RegexPresets/");
    EXPECT_EQ(GetApplicationDirectory("a/b/"), Folder + "a/b/");
}

TEST(yelkutils_win_mini, TrailingSeparatorsAreAddedAndRemovedOnce)
{
    using TCases = std::pair<const char*, const char*>[4];
    const TCases Removed = {{"/opt/app/", "/opt/app"}, {"/opt/app", "/opt/app"}, {"/", "/"}, {"dir//", "dir/"}};
    for (const auto& [Path, Result] : Removed)
        EXPECT_EQ(Edited(Path, RemoveTrailingSlash), Result) << Path;
    // A backslash is part of a name here.
    const TCases Added = {{"/opt/app", "/opt/app/"}, {"/opt/app/", "/opt/app/"}, {"", ""}, {"name\\", "name\\/"}};
    for (const auto& [Path, Result] : Added)
        EXPECT_EQ(Edited(Path, AddTrailingBackslash), Result) << Path;
}

TEST(yelkutils_win_mini, ParentDirectoryKeepsTheRoot)
{
    // "name/" has no separator before its last one.
    const std::pair<const char*, const char*> Cases[] = {
        {"/opt/app/", "/opt"},        {"/opt/app", "/opt"}, {"/opt", "/"},    {"/opt/", "/"}, {"/", "/"},
        {"relative/dir", "relative"}, {"name/", "name/"},   {"name", "name"}, {"", ""}};
    for (const auto& [Path, Parent] : Cases)
        EXPECT_EQ(ParentDirectory(Path), Parent) << Path;
}
