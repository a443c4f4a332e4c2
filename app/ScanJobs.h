// The scan's work cut into jobs for its matching threads: each job holds a
// block of bytes read from one or more files in list order, cut where a piece
// begins (after a line feed, or a whole number of pieces into a longer line),
// so that every piece lies whole in one job, as the plain reader cuts it.
// What a job's worker finds comes back as events in the order the plain scan
// meets them; line numbers follow from the pieces counted per segment.
#pragma once
#include "app/FoldedKeys.h"
#include "platform/rtl/SysUtils.h"

#include <string_view>
#include <vector>

namespace ScanJobs {

using FoldedKeys::TFoldedKey;

// A run of one file's bytes inside a job.
struct TSegment {
    std::size_t File = 0;    // index in the scan's list of files
    bool First = false;      // begins the file
    bool Last = false;       // ends the file
    bool Unreadable = false; // the file does not exist or cannot be opened: nothing follows
    std::size_t Begin = 0;   // in the job's bytes
    std::size_t End = 0;
    Int64 Position = 0;  // bytes of the file consumed after this segment
    unsigned Pieces = 0; // counted by the worker
};

// What the worker found, one piece at a time, in pattern order.
struct TScanEvent {
    enum TKind : unsigned char {
        ekExtract,      // pattern Pattern matched Text; RejectedBy is the first reject line that matched it, or -1
        ekGaveUp,       // pattern Pattern gave up on the piece; Reason
        ekRejectGaveUp, // reject line Pattern gave up on the extract before it; Reason
    };
    TKind Kind = ekExtract;
    unsigned Segment = 0;
    unsigned Piece = 0; // within the segment, from 0
    unsigned Pattern = 0;
    int RejectedBy = -1;
    std::size_t Offset = 0, Length = 0; // ekExtract: the text in the job's bytes; else Length indexes Reasons
    // ekExtract: what the window's thread would otherwise make from the text
    // alone, made on the worker: the text as the grid's cell takes it and,
    // when no reject line matched it, its folded key for the duplicate test
    // and its own string, which the final list keeps if it is new.
    std::uint32_t WideOffset = 0, WideLength = 0; // in the job's Wide
    std::uint32_t KeyOffset = 0, KeyLength = 0;   // in the job's Keys
    std::uint32_t KeyHash = 0;
    std::uint32_t Copy = 0; // in the job's Copies
};

struct TScanJob {
    std::vector<char> Bytes; // capacity of a block; Size of it in use
    std::size_t Size = 0;
    std::vector<TSegment> Segments;
    std::vector<TScanEvent> Events;
    std::vector<AnsiString> Reasons;
    WideString Wide;
    AnsiString Keys;
    std::vector<AnsiString> Copies; // the window's thread may take them
    bool Done = false;              // matched; set and read under the pipeline's lock

    std::string_view Text(const TScanEvent& E) const { return std::string_view(Bytes.data() + E.Offset, E.Length); }
    std::u16string_view WideText(const TScanEvent& E) const
    {
        return std::u16string_view(Wide).substr(E.WideOffset, E.WideLength);
    }
    TFoldedKey Key(const TScanEvent& E) const
    {
        return {std::string_view(Keys).substr(E.KeyOffset, E.KeyLength), E.KeyHash};
    }
    // Makes the extract's text for the grid and, unless it was rejected, its
    // key and copy.
    void Prepare(TScanEvent& E);
    void Clear(); // all but Done
};

// Reads the listed files in order into jobs. A file that does not exist or
// cannot be opened ends the reading with an unreadable segment: no file
// after it is opened.
class TScanSource {
public:
    TScanSource(std::vector<AnsiString> Paths, std::size_t BlockBytes);
    ~TScanSource();
    TScanSource(const TScanSource&) = delete;
    TScanSource& operator=(const TScanSource&) = delete;

    // The next bytes into Job; false when everything has been read.
    bool Fill(TScanJob& Job);
    std::size_t GetBlockBytes() const { return FBlockBytes; }

private:
    bool OpenNext(TScanJob& Job);
    void CloseFile();

    std::vector<AnsiString> FPaths;
    std::size_t FBlockBytes;
    std::size_t FNextBlock; // bytes for the next job: 64 KB, doubling up to FBlockBytes
    std::size_t FNextFile = 0;
    std::size_t FFile = 0;
    int FHandle = -1;
    bool FFirst = false;      // the next segment begins the file
    Int64 FRead = 0;          // bytes of the file read so far
    std::vector<char> FCarry; // bytes read but not yet handed out, beginning a piece
    bool FEnded = false;
};

} // namespace ScanJobs
