// Private: the text of a read-only memo, held by the memo itself.
#pragma once
#include "platform/rtl/System.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform::detail {

// The memo's blocks (its lines, and an empty last block when the text ends
// with a break) in one UTF-16 buffer as an editor holds them (TextControls.h:
// block breaks inside a line kept), with where each block starts, so that
// appending costs no allocation per line. Positions are the editor's: UTF-16
// units over the whole text, one unit for each break between blocks.
class TMemoLines {
public:
    TMemoLines() { Clear(); }

    int BlockCount() const { return int(FStarts.size()) - 1; }
    // The lines: an empty last block is none.
    int LineCount() const { return BlockLength(BlockCount() - 1) == 0 ? BlockCount() - 1 : BlockCount(); }
    std::u16string_view Block(int Index) const
    {
        return std::u16string_view(FText).substr(FStarts[std::size_t(Index)], std::size_t(BlockLength(Index)));
    }
    int BlockLength(int Index) const { return int(FStarts[std::size_t(Index) + 1] - FStarts[std::size_t(Index)]); }
    int BlockPosition(int Index) const { return int(FStarts[std::size_t(Index)]) + Index; }
    // The end of the block with its break (the last block has none).
    int BlockEnd(int Index) const
    {
        return Index + 1 < BlockCount() ? BlockPosition(Index + 1) : BlockPosition(Index) + BlockLength(Index);
    }
    // The block holding Pos (a break belongs to the block it ends).
    int BlockAt(int Pos) const;
    // The whole text's length in positions.
    int Length() const { return int(FText.size()) + BlockCount() - 1; }
    // From..To with U+2029 between blocks, as an editor gives its selection.
    std::u16string Text(int From, int To) const;
    // The bytes of the system's text before Pos, and the position Bytes
    // reach, as BytesBefore and PositionOf (TextControls.h) count them over
    // the whole text; without making it.
    int BytesBefore(int Pos) const;
    int PositionOf(int Bytes) const;

    // Replaces From..To with Text, broken into blocks where an editor breaks
    // inserted text (IsBlockBreak); the position after the inserted text.
    int Replace(int From, int To, std::u16string_view Text);
    // Lines of the program's text at the end, each a block of its own (the
    // empty last block takes the first), and an empty block after them
    // when the last one is empty or went into the empty last block; as an
    // editor adds lines. The position after them (the end).
    int Append(std::span<const AnsiString> Lines);
    void Clear();

private:
    // Room for Extra more units (or starts) growing by a quarter, so that
    // the spare room stays small on a long text.
    template <class T> static void Reserve(T& Buffer, std::size_t Extra);
    // One line's text after the last block, with a new block at each LF.
    void AppendToLast(std::string_view Line);
    // The bytes of blocks From..To-1 with their breaks.
    std::int64_t BytesOfBlocks(int From, int To) const;
    // The bytes before block Index: counted from the nearest mark, marks
    // made up to it on the way.
    std::int64_t BytesBeforeBlock(int Index) const;
    void AddByteMark() const;
    // Block First changed: the marks past it go.
    void ForgetBytesFrom(int First);

    std::u16string FText;
    std::vector<std::uint32_t> FStarts; // one more than there are blocks
    // The bytes before every MarkEvery-th block, as far as asked so far.
    static constexpr int MarkEvery = 64;
    mutable std::vector<std::int64_t> FByteMarks;
};

} // namespace platform::detail
