#include "platform/classes/IniFiles.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

TEST(IniFiles, ReadsEveryLineEndingAndIgnoresCase)
{
    TTempDir D;
    const AnsiString Name = D.WriteFile("a.ini", "\xEF\xBB\xBF[One]\r\nA = 1\r\n;B=commented\r[two]\nb=\"  quoted  \"\n"
                                                 "c='single'\nd=0x1F\ne=word\n[ONE]\nA=second\n");
    auto Ini = MakeOwned<TIniFile>(Name);
    EXPECT_EQ(Ini->ReadString("one", "a", "?"), "1");
    EXPECT_EQ(Ini->ReadString("One", "B", "?"), "?");
    EXPECT_EQ(Ini->ReadString("TWO", "B", "?"), "  quoted  ");
    EXPECT_EQ(Ini->ReadString("two", "c", "?"), "single");
    EXPECT_EQ(Ini->ReadInteger("two", "d", 0), 31);
    EXPECT_EQ(Ini->ReadInteger("two", "e", -4), -4);
    EXPECT_EQ(Ini->ReadInteger("two", "missing", 7), 7);
    EXPECT_TRUE(Ini->ReadBool("one", "a", false));
    EXPECT_TRUE(Ini->ReadBool("none", "x", true));
    EXPECT_TRUE(Ini->SectionExists("TWO"));
    EXPECT_FALSE(Ini->SectionExists("three"));
    EXPECT_TRUE(Ini->ValueExists("two", "E"));
    EXPECT_FALSE(Ini->ValueExists("two", "f"));

    auto S = MakeOwned<TStringList>();
    Ini->ReadSections(S.get());
    EXPECT_EQ(S->GetText(), "One\ntwo\n");
    Ini->ReadSection("two", S.get());
    EXPECT_EQ(S->GetText(), "b\nc\nd\ne\n");
    Ini->ReadSectionValues("one", S.get());
    EXPECT_EQ(S->GetText(), "A=1\n");
}

TEST(IniFiles, ChangesKeepTheRestOfTheFileAndEndLinesWithLineFeeds)
{
    TTempDir D;
    const AnsiString Name =
        D.WriteFile("a.ini", "; settings\r\n[Grid]\r\nWidth=10\r\n; note\r\n\r\n[Other]\r\nX=1\r\n");
    auto Ini = MakeOwned<TIniFile>(Name);
    Ini->WriteInteger("grid", "width", 20);
    Ini->WriteString("Grid", "Height", "5");
    Ini->WriteBool("New", "Flag", true);
    Ini->WriteBool("New", "Off", false);
    EXPECT_EQ(ReadWholeFile(Name),
              "; settings\n[Grid]\nWidth=20\nHeight=5\n; note\n\n[Other]\nX=1\n[New]\nFlag=1\nOff=0\n");

    Ini->DeleteKey("grid", "HEIGHT");
    Ini->EraseSection("other");
    EXPECT_EQ(ReadWholeFile(Name), "; settings\n[Grid]\nWidth=20\n; note\n\n[New]\nFlag=1\nOff=0\n");
}

TEST(IniFiles, EveryObjectSeesTheFileAsItIsNow)
{
    TTempDir D;
    auto A = MakeOwned<TIniFile>(D.Path() + "shared.ini");
    auto B = MakeOwned<TIniFile>(D.Path() + "shared.ini");
    A->WriteString("S", "K", "from A");
    EXPECT_EQ(B->ReadString("S", "K", ""), "from A");
    B->WriteString("S", "L", "from B");
    A->WriteString("S", "M", "again A");
    EXPECT_EQ(ReadWholeFile(D.Path() + "shared.ini"), "[S]\nK=from A\nL=from B\nM=again A\n");
}

TEST(IniFiles, WhatCannotBeWrittenRaisesAndLeavesTheFileAlone)
{
    TTempDir D;
    const AnsiString Name = D.WriteFile("a.ini", "[S]\nK=1\n");
    auto Ini = MakeOwned<TIniFile>(Name);
    EXPECT_THROW(Ini->WriteString("S", "K", "two\nlines"), EIniFileException);
    EXPECT_THROW(Ini->WriteString("S", "a=b", "x"), EIniFileException);
    EXPECT_THROW(Ini->WriteString("S", "[T]", "x"), EIniFileException);
    EXPECT_THROW(Ini->WriteString("S\n[T]", "K", "x"), EIniFileException);
    EXPECT_EQ(ReadWholeFile(Name), "[S]\nK=1\n");

    auto Lost = MakeOwned<TIniFile>(D.Path() + "no/such/folder.ini");
    try {
        Lost->WriteString("S", "K", "x");
        FAIL() << "no exception";
    } catch (const EIniFileException& E) {
        EXPECT_EQ(E.Message.rfind("Unable to write to " + D.Path() + "no/such/folder.ini. ", 0), 0u);
        EXPECT_NE(E.Message.find("No such file or directory"), AnsiString::npos); // and why
    }
    EXPECT_EQ(Lost->ReadString("S", "K", "default"), "default");
}
