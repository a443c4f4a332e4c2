// grid/GxSaveBuffers.h
// The buffers the grid's saves make their bytes in, the writer that takes
// them to the file a piece at a time, and the ranges of rows formatted on
// worker threads and written in order.
#pragma once
#include "grid/GxGridCommon.h"
#include "platform/rtl/WholeFileWriter.h"

#include <cstring>
#include <functional>
#include <string_view>
#include <vector>

namespace GxCustomGridControl {

using GxGridCommon::TStoredRows;

// Bytes gathered in one buffer. Writers ask for room, fill it and say how far.
class TByteBuffer {
public:
    explicit TByteBuffer(std::size_t Capacity = 0) : FData(Capacity) {}

    char* Room(std::size_t Count)
    {
        if (FData.size() - FUsed < Count) FData.resize(std::max(2 * FData.size(), FUsed + Count));
        return FData.data() + FUsed;
    }
    void Advance(const char* To) { FUsed = std::size_t(To - FData.data()); }
    void Append(std::string_view Bytes)
    {
        char* To = Room(Bytes.size());
        std::memcpy(To, Bytes.data(), Bytes.size());
        Advance(To + Bytes.size());
    }
    // UTF-8 of Units: ASCII a unit to a byte, the rest through the codec.
    void AppendWide(std::u16string_view Units);
    std::string_view Bytes() const { return std::string_view(FData.data(), FUsed); }
    void Clear() { FUsed = 0; }

private:
    std::vector<char> FData;
    std::size_t FUsed = 0;
};

// A file's bytes, gathered and handed to the whole-file writer whenever they
// make a piece.
class TPieceWriter : public TByteBuffer {
public:
    explicit TPieceWriter(const AnsiString& FileName) : TByteBuffer(2 * PieceSize), FWriter(FileName) {}

    void Flow()
    {
        if (Bytes().size() >= PieceSize) Write({});
    }
    // What is gathered, then More, to the file.
    void Write(std::string_view More);
    void Commit();

private:
    static constexpr std::size_t PieceSize = std::size_t(2) << 20;
    TWholeFileWriter FWriter;
};

// Puts the rows First to Last - 1 into Out.
using TFormatRows = std::function<void(int First, int Last, TByteBuffer& Out)>;

// The ranges of Rows formatted by Format on Workers threads, each into a
// buffer of its own, and written to File in order as they are done: the
// window's thread writes one range while the next are formatted. A failure
// raises, once every worker has stopped, as formatting the rows in order on
// one thread would have raised it: the first range's to fail.
void WriteRanges(TPieceWriter& File, const TStoredRows& Rows, int Workers, const TFormatRows& Format);

// The formatting threads for Rows rows, or 0 when the window's thread alone
// should save them.
int SaveWorkerCount(int Rows);

} // namespace GxCustomGridControl
