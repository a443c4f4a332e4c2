#include "app/ScanPipeline.h"
#include "app/PieceReader.h"
#include "app/ScanPatterns.h"
#include "platform/classes/Threads.h"

namespace ScanPipeline {

using namespace ScanPatterns;
using PieceReader::PieceLength;
using PieceReader::PieceText;

int WorkerCount()
{
    return std::clamp(ProcessorCount(), 1, 64);
}

// One matching thread with its own compiled patterns (their filters remember
// where they are in the job being matched) and its own JIT stack.
class TScanPipeline::TWorker : public TThread {
public:
    explicit TWorker(TScanPipeline& APipe) : TThread(false), Pipe(APipe) {}

protected:
    void Execute() override
    {
        try {
            Includes.Refresh(Pipe.FMatches);
            Excludes.Refresh(Pipe.FRejects);
            while (TScanJob* Job = Pipe.Take()) {
                Match(*Job);
                Pipe.Finish(Job);
            }
        } catch (...) {
            Pipe.Fail(std::current_exception());
        }
    }

private:
    void Match(TScanJob& Job)
    {
        const char* BlockEnd = Job.Bytes.data() + Job.Size;
        for (std::size_t J = 0; J < Includes.Count(); ++J)
            Includes[J].Filter.Restart();
        for (std::size_t S = 0; S < Job.Segments.size(); ++S) {
            TSegment& Seg = Job.Segments[S];
            const char* P = Job.Bytes.data() + Seg.Begin;
            const char* End = Job.Bytes.data() + Seg.End;
            for (unsigned Piece = 0; P < End; ++Piece) {
                if (Pipe.Stopping()) return;
                const std::size_t Length = PieceLength(P, static_cast<std::size_t>(End - P));
                TestPiece(Job, PieceText(P, Length), BlockEnd, static_cast<unsigned>(S), Piece);
                P += Length;
                Seg.Pieces = Piece + 1;
            }
        }
    }

    void TestPiece(TScanJob& Job, std::string_view Text, const char* BlockEnd, unsigned Segment, unsigned Piece)
    {
        for (std::size_t J = 0; J < Includes.Count(); ++J) {
            TCompiledPattern& P = Includes[J];
            if (P.Parsed.Comment || !P.Regex) continue;
            // A piece is run whole from its start, so the leftmost match stays the same.
            if (!P.Filter.MayMatch(Text.data(), Text.data() + Text.size(), BlockEnd)) continue;
            TScanEvent E;
            E.Segment = Segment;
            E.Piece = Piece;
            E.Pattern = static_cast<unsigned>(J);
            std::string_view Found;
            if (!Find(Job, P, Text, Found, E, TScanEvent::ekGaveUp)) continue;
            E.Kind = TScanEvent::ekExtract;
            E.Offset = static_cast<std::size_t>(Found.data() - Job.Bytes.data());
            E.Length = Found.size();
            const std::size_t At = Job.Events.size();
            Job.Events.push_back(E);
            Job.Events[At].RejectedBy = Rejects(Job, Found, Segment, Piece);
            Job.Prepare(Job.Events[At]);
        }
    }

    // The first reject line that matches the extract, or -1.
    int Rejects(TScanJob& Job, std::string_view Extract, unsigned Segment, unsigned Piece)
    {
        for (std::size_t K = 0; K < Excludes.Count(); ++K) {
            TCompiledPattern& P = Excludes[K];
            if (P.Parsed.Comment || !P.Regex) continue;
            TScanEvent E;
            E.Segment = Segment;
            E.Piece = Piece;
            E.Pattern = static_cast<unsigned>(K);
            std::string_view Found;
            if (Find(Job, P, Extract, Found, E, TScanEvent::ekRejectGaveUp)) return static_cast<int>(K);
        }
        return -1;
    }

    // P's match in Text; a search that gives up finds nothing, and the job
    // tells of it with E as that kind.
    static bool Find(TScanJob& Job, TCompiledPattern& P, std::string_view Text, std::string_view& Found, TScanEvent E,
                     TScanEvent::TKind GaveUp)
    {
        try {
            return P.Find(Text, Found, true);
        } catch (const EPcreRegexError& Error) {
            E.Kind = GaveUp;
            E.Length = Job.Reasons.size();
            Job.Reasons.push_back(Error.Reason);
            Job.Events.push_back(E);
            return false;
        }
    }

    TScanPipeline& Pipe;
    TPatternCache Includes, Excludes;
};

TScanPipeline::TScanPipeline(std::vector<AnsiString> Paths, std::vector<AnsiString> Matches,
                             std::vector<AnsiString> Rejects, int Workers, std::size_t BlockBytes)
    : FMatches(std::move(Matches)), FRejects(std::move(Rejects)), FSource(std::move(Paths), BlockBytes),
      FMaxQueued(2 * static_cast<std::size_t>(std::max(Workers, 1)) + 2)
{
    try {
        for (int I = 0; I < std::max(Workers, 1); ++I)
            FWorkers.push_back(New<TWorker>(*this));
    } catch (...) {
        Stop();
        for (TThread* W : FWorkers)
            Free(W);
        throw;
    }
}

TScanPipeline::~TScanPipeline()
{
    Stop();
    for (TThread* W : FWorkers)
        Free(W); // waits for it
}

void TScanPipeline::Stop()
{
    {
        std::lock_guard<std::mutex> L(FMutex);
        FStopping = true;
    }
    FRoom.notify_all();
    FDoneOrEnded.notify_all();
}

TScanJob* TScanPipeline::Take()
{
    std::lock_guard<std::mutex> Reading(FSourceMutex);
    TScanJob* Job;
    {
        std::unique_lock<std::mutex> L(FMutex);
        FRoom.wait(L, [this] { return Stopping() || FQueue.size() < FMaxQueued; });
        if (Stopping() || FSourceEnded) return nullptr;
        std::unique_ptr<TScanJob> J;
        if (!FSpare.empty()) {
            J = std::move(FSpare.back());
            FSpare.pop_back();
        } else {
            J = std::make_unique<TScanJob>();
        }
        Job = J.get();
        Job->Done = false;
        FQueue.push_back(std::move(J)); // its place in file order, kept while it is read and matched
    }
    if (FSource.Fill(*Job)) return Job;
    std::lock_guard<std::mutex> L(FMutex);
    FSourceEnded = true;
    FSpare.push_back(std::move(FQueue.back())); // the job just queued: nobody reads after this one
    FQueue.pop_back();
    FDoneOrEnded.notify_all();
    return nullptr;
}

void TScanPipeline::Finish(TScanJob* Job)
{
    {
        std::lock_guard<std::mutex> L(FMutex);
        Job->Done = true;
    }
    FDoneOrEnded.notify_all();
}

void TScanPipeline::Fail(std::exception_ptr Error)
{
    {
        std::lock_guard<std::mutex> L(FMutex);
        if (!FError) FError = Error;
    }
    FDoneOrEnded.notify_all();
}

std::unique_ptr<TScanJob> TScanPipeline::Next(int TimeoutMs, bool& End)
{
    End = false;
    std::unique_lock<std::mutex> L(FMutex);
    auto Ready = [this] { return FError || (FQueue.empty() ? FSourceEnded : FQueue.front()->Done); };
    FDoneOrEnded.wait_for(L, std::chrono::milliseconds(TimeoutMs), Ready);
    if (FError) std::rethrow_exception(FError);
    if (FQueue.empty()) {
        End = FSourceEnded;
        return nullptr;
    }
    if (!FQueue.front()->Done) return nullptr;
    std::unique_ptr<TScanJob> Job = std::move(FQueue.front());
    FQueue.pop_front();
    L.unlock();
    FRoom.notify_one();
    return Job;
}

void TScanPipeline::Recycle(std::unique_ptr<TScanJob> Job)
{
    std::lock_guard<std::mutex> L(FMutex);
    FSpare.push_back(std::move(Job));
}

} // namespace ScanPipeline
