// grid/GxSaveBuffers.cpp
#include "grid/GxSaveBuffers.h"
#include "grid/GxSaveSpeed.h"
#include "platform/classes/Threads.h"
#include "platform/rtl/Codec.h"
#include "platform/rtl/ScopeExit.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>

namespace GxCustomGridControl {

bool SaveThreads = true;
int SaveWorkers = 0;
int SaveFewestRows = 20000;
std::size_t SaveRangeSize = std::size_t(1) << 20;
std::function<void(std::size_t Range)> SaveRangeStarted;

void TByteBuffer::AppendWide(std::u16string_view Units)
{
    char* Out = Room(Units.size());
    std::size_t I = 0;
    for (; I < Units.size() && Units[I] < 0x80; ++I)
        *Out++ = char(Units[I]);
    Advance(Out);
    if (I < Units.size()) Append(WideToUtf8(Units.substr(I)));
}

void TPieceWriter::Write(std::string_view More)
{
    if (!Bytes().empty()) FWriter.Write(Bytes());
    Clear();
    if (!More.empty()) FWriter.Write(More);
}

void TPieceWriter::Commit()
{
    Write({});
    FWriter.Commit();
}

int SaveWorkerCount(int Rows)
{
    if (!SaveThreads || Rows < SaveFewestRows) return 0;
    if (SaveWorkers > 0) return SaveWorkers;
    return std::clamp(ProcessorCount() - 1, 1, 4);
}

namespace {

// What the workers and the window's thread share, under Lock. A range's
// buffer is Buffers[range % size], so that a worker runs at most that many
// ranges ahead of the writing.
struct TRangeQueue {
    TRangeQueue(std::size_t ACount, std::size_t Window) : Count(ACount), Buffers(Window), Done(Window) {}

    // Keeps the failure of the first range that failed, and stops every
    // worker before its next range.
    void Fail(std::size_t Range, std::exception_ptr Error)
    {
        std::lock_guard L(Lock);
        if (!Failure || Range < FailedRange) {
            FailedRange = Range;
            Failure = std::move(Error);
        }
        Stop = true;
        Changed.notify_all();
    }

    const std::size_t Count;
    std::mutex Lock;
    std::condition_variable Changed;
    std::vector<TByteBuffer> Buffers;
    std::vector<char> Done;
    std::size_t NextTake = 0;  // the next range a worker takes
    std::size_t NextWrite = 0; // the next range to the file
    bool Stop = false;
    int Active = 0; // workers still taking ranges
    std::size_t FailedRange = 0;
    std::exception_ptr Failure;
};

} // namespace

void WriteRanges(TPieceWriter& File, const TStoredRows& Rows, int Workers, const TFormatRows& Format)
{
    const std::size_t Count = Rows.Ranges.empty() ? 0 : Rows.Ranges.size() - 1;
    // A pipeline needs a second range; a single one is formatted here.
    Workers = std::min(Workers, int(std::min<std::size_t>(Count, 65)) - 1);
    TRangeQueue Q(Count, 2 * std::size_t(std::max(Workers, 1)));
    const std::size_t Window = Q.Buffers.size();
    const auto Work = [&] {
        const TScopeExit Leave([&] {
            std::lock_guard L(Q.Lock);
            --Q.Active;
            Q.Changed.notify_all();
        });
        for (;;) {
            std::size_t Range;
            {
                std::unique_lock L(Q.Lock);
                Q.Changed.wait(L, [&] { return Q.Stop || Q.NextTake >= Count || Q.NextTake < Q.NextWrite + Window; });
                if (Q.Stop || Q.NextTake >= Count) return;
                Range = Q.NextTake++;
            }
            TByteBuffer& Out = Q.Buffers[Range % Window];
            try {
                Out.Clear();
                if (SaveRangeStarted) SaveRangeStarted(Range);
                Format(Rows.Ranges[Range], Rows.Ranges[Range + 1], Out);
            } catch (...) {
                Q.Fail(Range, std::current_exception());
                return;
            }
            std::lock_guard L(Q.Lock);
            Q.Done[Range % Window] = true;
            Q.Changed.notify_all();
        }
    };

    std::vector<TFunctionThread*> Threads;
    Q.Active = std::max(Workers, 0); // before any thread runs, so that each only counts down
    try {
        for (int I = 0; I < Workers; ++I)
            Threads.push_back(New<TFunctionThread>(Work));
    } catch (...) {
        // Fewer threads than asked for still do the work; none, and the
        // window's thread does it alone.
        std::lock_guard L(Q.Lock);
        Q.Active -= Workers - int(Threads.size());
    }
    try {
        for (std::size_t Range = 0; Range < Count; ++Range) {
            if (Threads.empty()) {
                // Straight into the file's own buffer.
                if (SaveRangeStarted) SaveRangeStarted(Range);
                Format(Rows.Ranges[Range], Rows.Ranges[Range + 1], File);
                File.Flow();
                continue;
            }
            {
                std::unique_lock L(Q.Lock);
                Q.Changed.wait(L, [&] { return Q.Stop || Q.Done[Range % Window]; });
                if (Q.Stop) break;
            }
            File.Write(Q.Buffers[Range % Window].Bytes());
            std::lock_guard L(Q.Lock);
            Q.Done[Range % Window] = false;
            ++Q.NextWrite;
            Q.Changed.notify_all();
        }
    } catch (...) {
        Q.Fail(Q.NextWrite, std::current_exception());
    }
    {
        // Waiting for a thread's end runs what other threads hand to the
        // window's thread, which may change the grid: the workers must have
        // stopped reading it first.
        std::unique_lock L(Q.Lock);
        Q.Stop = true;
        Q.Changed.notify_all();
        Q.Changed.wait(L, [&] { return Q.Active == 0; });
    }
    for (TFunctionThread* Thread : Threads) {
        try {
            Thread->Wait();
        } catch (...) {
            Q.Fail(Count, std::current_exception());
        }
        Free(Thread);
    }
    if (Q.Failure) std::rethrow_exception(Q.Failure);
}

} // namespace GxCustomGridControl
