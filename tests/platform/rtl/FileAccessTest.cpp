#include "platform/classes/Streams.h"
#include "platform/rtl/FileAccess.h"
#include "platform/rtl/WholeFileWriter.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

mode_t ModeOf(const AnsiString& Name)
{
    struct stat St {};
    ::stat(Name.c_str(), &St);
    return St.st_mode & 07777;
}

int EntriesIn(const AnsiString& Folder)
{
    int Count = 0;
    DIR* D = ::opendir(Folder.c_str());
    while (dirent* E = ::readdir(D))
        Count += E->d_name[0] != '.';
    ::closedir(D);
    return Count;
}

AnsiString CreateErrorOf(const AnsiString& Name, std::string_view Data)
{
    try {
        WriteFileWhole(Name, Data);
    } catch (const EFCreateError& E) {
        return E.Message;
    }
    return "written";
}

} // namespace

TEST(FileAccess, ReadingTakesRegularFilesOnlyAndNeverWaitsOnAPipe)
{
    TTempDir Dir;
    WriteFileWhole(Dir.Path() + "plain", "text");
    const int Fd = OpenFileForReading(Dir.Path() + "plain");
    ASSERT_GE(Fd, 0);
    char Buf[8] = {};
    EXPECT_EQ(::read(Fd, Buf, sizeof Buf), 4); // reads block again: the whole file comes at once
    ::close(Fd);

    ASSERT_EQ(::mkfifo((Dir.Path() + "pipe").c_str(), 0600), 0);
    struct {
        AnsiString Name;
        int Errno;
    } const Refused[] = {
        {Dir.Path() + "pipe", ENXIO}, {"/dev/null", ENXIO}, {Dir.Path(), EISDIR}, {Dir.Path() + "missing", ENOENT}};
    for (const auto& R : Refused) {
        errno = 0;
        EXPECT_EQ(OpenFileForReading(R.Name), -1) << R.Name;
        EXPECT_EQ(errno, R.Errno) << R.Name;
    }
    // Every reader of whole files goes the same way and says why.
    try {
        ReadFileBytes(Dir.Path() + "pipe");
        ADD_FAILURE() << "a pipe was read";
    } catch (const EFOpenError& E) {
        EXPECT_EQ(E.Message, "Cannot open file \"" + Dir.Path() + "pipe\". Not a regular file");
    }
}

TEST(FileAccess, WritingReplacesWholeKeepsModesAndFollowsLinks)
{
    TTempDir Dir;
    const AnsiString Name = Dir.Path() + "out.txt";
    for (mode_t Mask : {mode_t(022), mode_t(077), mode_t(0)}) {
        ::unlink(Name.c_str());
        const mode_t Old = ::umask(Mask);
        WriteFileWhole(Name, "new");
        ::umask(Old);
        EXPECT_EQ(ModeOf(Name), 0666 & ~Mask) << Mask;
    }
    ::chmod(Name.c_str(), 0640);
    WriteFileWhole(Name, "second");
    EXPECT_EQ(ModeOf(Name), 0640u);
    EXPECT_EQ(ReadFileBytes(Name), "second");

    ASSERT_EQ(::symlink("out.txt", (Dir.Path() + "link").c_str()), 0);
    WriteFileWhole(Dir.Path() + "link", "through the link");
    struct stat St {};
    ::lstat((Dir.Path() + "link").c_str(), &St);
    EXPECT_TRUE(S_ISLNK(St.st_mode));
    EXPECT_EQ(ReadFileBytes(Name), "through the link");
    EXPECT_EQ(EntriesIn(Dir.Path()), 2); // no temporary left behind
}

TEST(FileAccess, AFailedWriteNamesTheFileAndReasonAndLeavesTheOldWhole)
{
    TTempDir Dir;
    WriteFileWhole(Dir.Path() + "keep", "old");
    // Failures that hold for root too: a path below a regular file, a folder as target.
    EXPECT_EQ(CreateErrorOf(Dir.Path() + "keep/child", "x"),
              "Cannot create file \"" + Dir.Path() + "keep/child\". Not a directory");
    ::mkdir((Dir.Path() + "folder").c_str(), 0755);
    EXPECT_EQ(CreateErrorOf(Dir.Path() + "folder", "x"),
              "Cannot create file \"" + Dir.Path() + "folder\". Is a directory");
    EXPECT_EQ(ReadFileBytes(Dir.Path() + "keep"), "old");
    EXPECT_EQ(EntriesIn(Dir.Path()), 2);
    if (::geteuid() != 0) {
        ::chmod(Dir.Path().c_str(), 0555);
        EXPECT_NE(CreateErrorOf(Dir.Path() + "keep", "new").find("Permission denied"), AnsiString::npos);
        ::chmod(Dir.Path().c_str(), 0755);
        EXPECT_EQ(ReadFileBytes(Dir.Path() + "keep"), "old");
    }
}

TEST(FileAccess, AWriterInPiecesReplacesOnlyOnCommit)
{
    TTempDir Dir;
    const AnsiString Name = Dir.Path() + "pieces.txt";
    WriteFileWhole(Name, "old");
    {
        TWholeFileWriter Writer(Name);
        Writer.Write("never ");
        Writer.Write("seen");
        EXPECT_EQ(ReadFileBytes(Name), "old");
    }
    EXPECT_EQ(ReadFileBytes(Name), "old");
    EXPECT_EQ(EntriesIn(Dir.Path()), 1); // the unfinished file went with its writer

    // Pieces of every size arrive in order.
    const AnsiString Piece(3 << 20, 'p');
    TWholeFileWriter Writer(Name);
    for (int I = 0; I < 4; ++I)
        Writer.Write(Piece);
    Writer.Write("end");
    Writer.Commit();
    EXPECT_EQ(ReadFileBytes(Name), Piece + Piece + Piece + Piece + "end");
    EXPECT_EQ(EntriesIn(Dir.Path()), 1);
}

TEST(FileAccess, AWriterThatFailsPartWayRaisesOnceAndLeavesTheOldWhole)
{
    TTempDir Dir;
    const AnsiString Name = Dir.Path() + "keep";
    WriteFileWhole(Name, "old");
    rlimit Limit{}, Small{16, 16};
    ::getrlimit(RLIMIT_FSIZE, &Limit);
    Small.rlim_max = Limit.rlim_max;
    const auto OldSignal = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &Small);
    AnsiString First, Then;
    {
        TWholeFileWriter Writer(Name);
        try {
            Writer.Write(AnsiString(64, 'x'));
        } catch (const EFCreateError& E) {
            First = E.Message;
        }
        // Nothing more reaches a writer that failed.
        try {
            Writer.Commit();
        } catch (const EFCreateError& E) {
            Then = E.Message;
        }
    }
    ::setrlimit(RLIMIT_FSIZE, &Limit);
    std::signal(SIGXFSZ, OldSignal);
    EXPECT_EQ(First, "Cannot create file \"" + Name + "\". File too large");
    EXPECT_NE(Then.find(Name), AnsiString::npos);
    EXPECT_EQ(ReadFileBytes(Name), "old");
    EXPECT_EQ(EntriesIn(Dir.Path()), 1);
}

TEST(FileAccess, AFileThatSaysItIsEmptyIsStillReadWhole)
{
    // Files of /proc report no size; their content comes all the same.
    EXPECT_NE(ReadFileBytes("/proc/self/status").find("VmRSS:"), AnsiString::npos);
}
