// tests/platform/classes/StoreLockTest.cpp
// Many writers on one store at once, as threads and as processes: every
// change survives and none fails.
#include "platform/classes/Registry.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Writers = 8;
constexpr int WritesEach = 50;

// Writer W's writes, each a value of its own; false when one of them raised.
using TWrites = std::function<void(int Writer, int Index)>;

bool WriteAll(const TWrites& Write, int Writer)
{
    try {
        for (int I = 0; I < WritesEach; ++I)
            Write(Writer, I);
        return true;
    } catch (const Exception& E) {
        ADD_FAILURE() << E.Message;
        return false;
    }
}

void RunThreads(const TWrites& Write)
{
    std::vector<std::thread> Threads;
    for (int W = 0; W < Writers; ++W)
        Threads.emplace_back([&Write, W] { WriteAll(Write, W); });
    for (auto& T : Threads)
        T.join();
}

void RunProcesses(const TWrites& Write)
{
    std::vector<pid_t> Children;
    for (int W = 0; W < Writers; ++W) {
        const pid_t Pid = ::fork();
        ASSERT_GE(Pid, 0);
        if (Pid == 0) ::_exit(WriteAll(Write, W) ? 0 : 1); // the child does nothing else
        Children.push_back(Pid);
    }
    for (const pid_t Pid : Children) {
        int Status = 0;
        ASSERT_EQ(::waitpid(Pid, &Status, 0), Pid);
        EXPECT_TRUE(WIFEXITED(Status) && WEXITSTATUS(Status) == 0);
    }
}

AnsiString NameOf(const char* Run, int Writer, int Index)
{
    return AnsiString(Run) + IntToStr(Writer) + "_" + IntToStr(Index);
}

// Every value of every writer, as each wrote it.
void ExpectEveryValue(const char* Run, const std::function<AnsiString(const AnsiString& Name)>& Read)
{
    int Kept = 0;
    for (int W = 0; W < Writers; ++W)
        for (int I = 0; I < WritesEach; ++I)
            Kept += Read(NameOf(Run, W, I)) == "v" + IntToStr(W * 1000 + I);
    EXPECT_EQ(Kept, Writers * WritesEach) << Run;
}

} // namespace

TEST(StoreLock, EveryRegistryWriteOfConcurrentThreadsAndProcessesSurvives)
{
    TTemporaryHome Home;
    for (const char* Run : {"thread", "process"}) {
        const TWrites Write = [Run](int W, int I) {
            TRegistry Reg;
            if (!Reg.OpenKey("Software\\Quillmote\\Writer" + IntToStr(W % 2), true))
                throw ERegistryException("OpenKey failed");
            Reg.WriteString(NameOf(Run, W, I), "v" + IntToStr(W * 1000 + I));
        };
        if (AnsiString(Run) == "thread")
            RunThreads(Write);
        else
            RunProcesses(Write);
        ExpectEveryValue(Run, [](const AnsiString& Name) {
            TRegistry Reg;
            const int W = StrToInt(Name.substr(Name.find_first_of("0123456789"), 1));
            Reg.OpenKeyReadOnly("Software\\Quillmote\\Writer" + IntToStr(W % 2));
            return Reg.ReadString(Name);
        });
    }
}

TEST(StoreLock, EveryIniWriteOfConcurrentThreadsAndProcessesSurvives)
{
    TTempDir Dir;
    const AnsiString File = Dir.Path() + "shared.ini";
    for (const char* Run : {"thread", "process"}) {
        const TWrites Write = [&File, Run](int W, int I) {
            TIniFile Ini(File);
            Ini.WriteString("Writer" + IntToStr(W), NameOf(Run, W, I), "v" + IntToStr(W * 1000 + I));
        };
        if (AnsiString(Run) == "thread")
            RunThreads(Write);
        else
            RunProcesses(Write);
        ExpectEveryValue(Run, [&File](const AnsiString& Name) {
            const AnsiString Writer = Name.substr(Name.find_first_of("0123456789"), 1);
            return TIniFile(File).ReadString("Writer" + Writer, Name, "");
        });
    }
}
