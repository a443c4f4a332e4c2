#include "platform/classes/Classes.h"
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
    Ini->UpdateFile();
    EXPECT_EQ(ReadWholeFile(Name),
              "; settings\n[Grid]\nWidth=20\nHeight=5\n; note\n\n[Other]\nX=1\n[New]\nFlag=1\nOff=0\n");

    Ini->DeleteKey("grid", "HEIGHT");
    Ini->EraseSection("other");
    Ini->UpdateFile();
    EXPECT_EQ(ReadWholeFile(Name), "; settings\n[Grid]\nWidth=20\n; note\n\n[New]\nFlag=1\nOff=0\n");
}

TEST(IniFiles, EveryObjectSeesTheFileAsItWasLastFlushed)
{
    TTempDir D;
    auto A = MakeOwned<TIniFile>(D.Path() + "shared.ini");
    auto B = MakeOwned<TIniFile>(D.Path() + "shared.ini");
    A->WriteString("S", "K", "from A");
    EXPECT_EQ(A->ReadString("S", "K", ""), "from A");
    EXPECT_EQ(B->ReadString("S", "K", "pending"), "pending");
    A->UpdateFile();
    EXPECT_EQ(B->ReadString("S", "K", ""), "from A");
    B->WriteString("S", "L", "from B");
    A->WriteString("S", "M", "again A");
    A->DeleteKey("S", "K");
    B->UpdateFile();
    EXPECT_EQ(A->ReadString("S", "L", ""), "from B"); // read again, A's changes on top
    EXPECT_EQ(A->ReadString("S", "K", "gone"), "gone");
    A->UpdateFile();
    EXPECT_EQ(ReadWholeFile(D.Path() + "shared.ini"), "[S]\nL=from B\nM=again A\n");

    // Freeing flushes.
    B->EraseSection("s");
    B->WriteString("T", "X", "1");
    B.reset();
    EXPECT_EQ(ReadWholeFile(D.Path() + "shared.ini"), "[T]\nX=1\n");
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
        Lost->UpdateFile();
        FAIL() << "no exception";
    } catch (const EIniFileException& E) {
        EXPECT_EQ(E.Message.rfind("Unable to write to " + D.Path() + "no/such/folder.ini. ", 0), 0u);
        EXPECT_NE(E.Message.find("No such file or directory"), AnsiString::npos); // and why
    }
    EXPECT_EQ(Lost->ReadString("S", "K", "default"), "default");
}

TEST(IniFiles, AFileChangedOnDiskIsReadAgainUnderThePendingChanges)
{
    TTempDir D;
    const AnsiString Name = D.WriteFile("a.ini", "[S]\nK=1\n");
    auto Ini = MakeOwned<TIniFile>(Name);
    EXPECT_EQ(Ini->ReadString("S", "K", ""), "1");
    Ini->WriteString("S", "Mine", "m");
    D.WriteFile("a.ini", "[S]\nK=22\nOther=o\n"); // by hand, the same second
    EXPECT_EQ(Ini->ReadString("S", "K", ""), "22");
    EXPECT_EQ(Ini->ReadString("S", "Mine", ""), "m");
    Ini->UpdateFile();
    EXPECT_EQ(ReadWholeFile(Name), "[S]\nK=22\nOther=o\nMine=m\n");
}

namespace {
AnsiString HandledMessage;
} // namespace

TEST(IniFiles, AFlushThatFailsWhileFreeingGoesToTheApplicationNotFurther)
{
    TTempDir D;
    const auto Saved = ApplicationHandleExceptionHook;
    ApplicationHandleExceptionHook = [](TObject*) {
        try {
            throw;
        } catch (const Exception& E) {
            HandledMessage = E.Message;
        }
    };
    HandledMessage.clear();
    {
        TIniFile Lost(D.Path() + "no/such/folder.ini");
        Lost.WriteString("S", "K", "x");
    }
    ApplicationHandleExceptionHook = Saved;
    EXPECT_EQ(HandledMessage.rfind("Unable to write to " + D.Path() + "no/such/folder.ini. ", 0), 0u) << HandledMessage;
}
