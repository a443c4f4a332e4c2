#include "platform/win/UserInteraction.h"
#include "platform/win/Windows.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>

TEST(Windows, FileAttributesFollowTheFileSystem)
{
    TTempDir D;
    const AnsiString Plain = D.WriteFile("plain.txt", "x");
    const AnsiString Locked = D.WriteFile("locked.txt", "x");
    ASSERT_EQ(::chmod(Locked.c_str(), 0444), 0);
    D.WriteFile(".config/a", "");

    EXPECT_EQ(GetFileAttributesA(Plain.c_str()), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(GetFileAttributesA(Locked.c_str()), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(GetFileAttributesA(D.Path().c_str()), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributesA((D.Path() + ".config/").c_str()), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(GetFileAttributesA((D.Path() + "missing").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA(""), INVALID_FILE_ATTRIBUTES);
}

TEST(Windows, CreateDirectoryMakesOneLevelOnly)
{
    TTempDir D;
    EXPECT_TRUE(CreateDirectoryA((D.Path() + "one").c_str(), nullptr));
    EXPECT_TRUE(DirectoryExists(D.Path() + "one"));
    EXPECT_FALSE(CreateDirectoryA((D.Path() + "one").c_str(), nullptr));
    EXPECT_FALSE(CreateDirectoryA((D.Path() + "two/three").c_str(), nullptr));
    EXPECT_FALSE(DirectoryExists(D.Path() + "two"));
}

TEST(Windows, FindFilesListsMatchesInNameOrderWithDotsFirst)
{
    TTempDir D;
    D.WriteFile("Zeta.log", "12");
    D.WriteFile("alpha.LOG", "");
    D.WriteFile("beta.txt", "");
    D.WriteFile("!bang.log", "");

    WIN32_FIND_DATAA Data;
    HANDLE H = FindFirstFileA((D.Path() + "*").c_str(), &Data);
    ASSERT_NE(H, INVALID_HANDLE_VALUE);
    std::vector<AnsiString> All{Data.cFileName};
    while (FindNextFileA(H, &Data))
        All.push_back(Data.cFileName);
    EXPECT_FALSE(FindNextFileA(H, &Data));
    EXPECT_TRUE(FindClose(H));
    EXPECT_EQ(All, (std::vector<AnsiString>{".", "..", "!bang.log", "alpha.LOG", "beta.txt", "Zeta.log"}));

    H = FindFirstFileA((D.Path() + "*.log").c_str(), &Data);
    ASSERT_NE(H, INVALID_HANDLE_VALUE);
    std::vector<AnsiString> Logs{Data.cFileName};
    while (FindNextFileA(H, &Data))
        Logs.push_back(Data.cFileName);
    FindClose(H);
    EXPECT_EQ(Logs, (std::vector<AnsiString>{"!bang.log", "alpha.LOG", "Zeta.log"}));
    EXPECT_EQ(Data.nFileSizeLow, 2u);
    EXPECT_GT(Data.ftLastWriteTime.dwHighDateTime, 0u);

    EXPECT_EQ(FindFirstFileA((D.Path() + "*.none").c_str(), &Data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(FindFirstFileA((D.Path() + "nowhere/*").c_str(), &Data), INVALID_HANDLE_VALUE);
}

TEST(Windows, ModuleFileNameIsTheRunningProgramAndIsCutToTheBuffer)
{
    char Name[4096];
    const DWORD Length = GetModuleFileNameA(nullptr, Name, sizeof Name);
    ASSERT_GT(Length, 0u);
    ASSERT_LT(Length, sizeof Name);
    EXPECT_EQ(Name[0], '/');
    EXPECT_TRUE(EndsStr("/platform_tests", Name));

    char Small[6];
    EXPECT_EQ(GetModuleFileNameA(nullptr, Small, sizeof Small), sizeof Small);
    EXPECT_EQ(AnsiString(Small), AnsiString(Name, 5));
}

TEST(Windows, EnvironmentValuesOfAnyLengthAreReported)
{
    TScopedEnvironment Env;
    const AnsiString Long(5000, 'v');
    Env.Set("QUILLMOTE_TEST_LONG", Long.c_str());
    Env.Set("QUILLMOTE_TEST_UNSET", nullptr);

    EXPECT_EQ(GetEnvironmentVariableA("QUILLMOTE_TEST_LONG", nullptr, 0), 5001u);
    char Short[10] = "untouched";
    EXPECT_EQ(GetEnvironmentVariableA("QUILLMOTE_TEST_LONG", Short, sizeof Short), 5001u);
    EXPECT_STREQ(Short, "untouched");
    AnsiString Buffer(5001, '\0');
    EXPECT_EQ(GetEnvironmentVariableA("QUILLMOTE_TEST_LONG", Buffer.data(), 5001), 5000u);
    EXPECT_EQ(Buffer.c_str(), Long);
    EXPECT_EQ(GetEnvironmentVariableA("QUILLMOTE_TEST_UNSET", Buffer.data(), 5001), 0u);
}

TEST(Windows, MessageBoxAndShellGoThroughTheUserInteraction)
{
    TScriptedInteraction Script;
    Script.MessageBoxAnswers.push_back(IDOK);
    EXPECT_EQ(MessageBoxA(nullptr, "Text", "Caption", MB_OKCANCEL | MB_ICONEXCLAMATION), IDOK);
    ASSERT_EQ(Script.Messages.size(), 1u);
    EXPECT_EQ(Script.Messages[0].Text, "Text");
    EXPECT_EQ(Script.Messages[0].Title, "Caption");
    EXPECT_EQ(Script.Messages[0].Flags, 0x31u);

    const auto Code = [](HINSTANCE H) { return reinterpret_cast<std::uintptr_t>(H); };
    EXPECT_GT(Code(ShellExecuteA(nullptr, "open", "/bin/prog", "-a \"b c\"", "/tmp", SW_SHOWNORMAL)), 32u);
    ASSERT_EQ(Script.ShellCalls.size(), 1u);
    EXPECT_EQ(Script.ShellCalls[0].Verb, "open");
    EXPECT_EQ(Script.ShellCalls[0].File, "/bin/prog");
    EXPECT_EQ(Script.ShellCalls[0].Parameters, "-a \"b c\"");
    EXPECT_EQ(Script.ShellCalls[0].Directory, "/tmp");

    Script.ShellResult = false;
    EXPECT_LE(Code(ShellExecuteA(nullptr, nullptr, "https://example.org/", nullptr, nullptr, SW_SHOWNORMAL)), 32u);
    EXPECT_EQ(Script.ShellCalls[1].Verb, "open");
    EXPECT_EQ(Script.ShellCalls[1].Parameters, "");
}
