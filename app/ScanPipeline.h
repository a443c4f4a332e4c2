// The scan's matching threads. Workers take the next job from the source in
// file order (one reads at a time), find every pattern's leftmost match on
// each of its pieces and run the reject tests on the extracts; the
// user-interface thread takes the jobs back in the same order, and alone
// writes what they found into the window. Stopping ends every worker within
// one pattern test; the pipeline waits for them before it goes.
#pragma once
#include "app/ScanJobs.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>

class TThread;

namespace ScanPipeline {

using namespace ScanJobs;

// Threads for matching: the processors this process may run on.
int WorkerCount();

class TScanPipeline {
public:
    TScanPipeline(std::vector<AnsiString> Paths, std::vector<AnsiString> Matches, std::vector<AnsiString> Rejects,
                  int Workers, std::size_t BlockBytes);
    ~TScanPipeline();
    TScanPipeline(const TScanPipeline&) = delete;
    TScanPipeline& operator=(const TScanPipeline&) = delete;

    // The next job in file order once it is done, waiting up to TimeoutMs;
    // nullptr when it is not done yet, or, with End set, when every job has
    // been handed out. What escaped a worker is raised here.
    std::unique_ptr<TScanJob> Next(int TimeoutMs, bool& End);
    // A job taken back, for its buffers.
    void Recycle(std::unique_ptr<TScanJob> Job);
    // Asks every worker to end; they stop within one pattern test.
    void Stop();

private:
    class TWorker;
    friend class TWorker;

    TScanJob* Take();
    void Finish(TScanJob* Job);
    void Fail(std::exception_ptr Error);
    bool Stopping() const { return FStopping.load(std::memory_order_relaxed); }

    const std::vector<AnsiString> FMatches, FRejects;
    std::mutex FSourceMutex; // one worker reads at a time, so jobs queue in file order
    TScanSource FSource;
    std::mutex FMutex; // the queue, the spare jobs and the ends
    std::condition_variable FDoneOrEnded, FRoom;
    std::deque<std::unique_ptr<TScanJob>> FQueue;
    std::vector<std::unique_ptr<TScanJob>> FSpare;
    std::size_t FMaxQueued;
    bool FSourceEnded = false;
    std::exception_ptr FError;
    std::atomic<bool> FStopping{false};
    std::vector<TThread*> FWorkers;
};

} // namespace ScanPipeline
