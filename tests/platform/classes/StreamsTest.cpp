#include "platform/classes/Streams.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

TEST(Streams, MemoryAndStringStreamsReadWhatWasWrittenAndStopAtTheEnd)
{
    TMemoryStream M;
    TStringStream S;
    for (TStream* Stream : std::initializer_list<TStream*>{&M, &S}) {
        Stream->WriteBuffer("hello world", 11);
        EXPECT_EQ(Stream->GetSize(), 11);
        Stream->SetPosition(6);
        char Buf[16] = {};
        EXPECT_EQ(Stream->Read(Buf, 16), 5); // only what is there
        EXPECT_STREQ(Buf, "world");
        EXPECT_EQ(Stream->Read(Buf, 1), 0);
        Stream->SetPosition(5);
        Stream->WriteBuffer("!!", 2); // overwrite in the middle
        Stream->SetPosition(0);
        EXPECT_THROW(Stream->ReadBuffer(Buf, 12), EReadError);
    }
    EXPECT_EQ(S.GetDataString(), "hello!!orld");
    EXPECT_EQ(AnsiString(M.Memory(), 11), "hello!!orld");
    M.Seek(20, soBeginning); // a memory stream may be positioned past its end; writing fills the gap
    M.WriteBuffer("x", 1);
    EXPECT_EQ(M.GetSize(), 21);
    EXPECT_EQ(S.Seek(99, soBeginning), 11); // a string stream stops at its end
}

TEST(Streams, FileStreamsRaiseWithTheNameAndRefuseFolders)
{
    TTempDir Dir;
    {
        TFileStream Out(Dir.Path() + "f.bin", fmCreate);
        Out.WriteBuffer("\0\xFF", 2);
    }
    EXPECT_EQ(ReadFileBytes(Dir.Path() + "f.bin"), AnsiString("\0\xFF", 2));
    try {
        TFileStream In(Dir.Path() + "missing", fmOpenRead);
        FAIL();
    } catch (const EFOpenError& E) {
        EXPECT_EQ(E.Message.rfind("Cannot open file \"" + Dir.Path() + "missing\"", 0), 0u);
    }
    EXPECT_THROW(TFileStream(Dir.Path(), fmOpenRead), EFOpenError);
    EXPECT_THROW(TFileStream(Dir.Path() + "no/such/dir/x", fmCreate), EFCreateError);
}
