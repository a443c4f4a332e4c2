#include "platform/controls/MemoLines.h"
#include "platform/controls/TextControls.h"

#include <algorithm>
#include <cstring>

namespace platform::detail {

template <class T> void TMemoLines::Reserve(T& Buffer, std::size_t Extra)
{
    const std::size_t Needed = Buffer.size() + Extra;
    if (Needed <= Buffer.capacity()) return;
    Buffer.reserve(std::max(Needed, Buffer.capacity() + Buffer.capacity() / 4 + 256));
}

int TMemoLines::BlockAt(int Pos) const
{
    // The last block whose position is at or before Pos.
    int Low = 0, High = BlockCount() - 1;
    while (Low < High) {
        const int Mid = Low + (High - Low + 1) / 2;
        if (BlockPosition(Mid) <= Pos)
            Low = Mid;
        else
            High = Mid - 1;
    }
    return Low;
}

std::u16string TMemoLines::Text(int From, int To) const
{
    std::u16string Out;
    From = std::clamp(From, 0, Length());
    To = std::clamp(To, From, Length());
    Out.reserve(std::size_t(To - From));
    for (int B = BlockAt(From); B < BlockCount() && BlockPosition(B) <= To; ++B) {
        const int Start = BlockPosition(B);
        const int First = std::max(From, Start) - Start;
        const int Last = std::min(To, Start + BlockLength(B)) - Start;
        if (B > 0 && Start > From) Out += char16_t(0x2029);
        if (Last > First) Out.append(Block(B).substr(std::size_t(First), std::size_t(Last - First)));
    }
    return Out;
}

std::int64_t TMemoLines::BytesOfBlocks(int From, int To) const
{
    std::int64_t Bytes = 0;
    for (int B = From; B < To; ++B)
        Bytes += platform::detail::BytesBefore(Block(B), BlockLength(B)) + 1;
    return Bytes;
}

void TMemoLines::AddByteMark() const
{
    const int First = int(FByteMarks.size() - 1) * MarkEvery;
    FByteMarks.push_back(FByteMarks.back() + BytesOfBlocks(First, First + MarkEvery));
}

std::int64_t TMemoLines::BytesBeforeBlock(int Index) const
{
    const std::size_t Mark = std::size_t(Index / MarkEvery);
    while (FByteMarks.size() <= Mark)
        AddByteMark();
    return FByteMarks[Mark] + BytesOfBlocks(int(Mark) * MarkEvery, Index);
}

void TMemoLines::ForgetBytesFrom(int First)
{
    // A mark counts only the blocks before its own.
    FByteMarks.resize(std::min(FByteMarks.size(), std::size_t(First / MarkEvery) + 1));
}

int TMemoLines::BytesBefore(int Pos) const
{
    Pos = std::clamp(Pos, 0, Length());
    const int B = BlockAt(Pos);
    return int(BytesBeforeBlock(B) + platform::detail::BytesBefore(Block(B), Pos - BlockPosition(B)));
}

int TMemoLines::PositionOf(int Bytes) const
{
    if (Bytes <= 0) return 0;
    while (FByteMarks.back() <= Bytes && int(FByteMarks.size()) * MarkEvery < BlockCount())
        AddByteMark();
    const auto Mark = std::upper_bound(FByteMarks.begin(), FByteMarks.end(), std::int64_t(Bytes)) - 1;
    int B = int(Mark - FByteMarks.begin()) * MarkEvery;
    std::int64_t Before = *Mark;
    for (; B + 1 < BlockCount(); ++B) {
        const std::int64_t Next = Before + BytesOfBlocks(B, B + 1);
        if (Next > Bytes) break;
        Before = Next;
    }
    return BlockPosition(B) + platform::detail::PositionOf(Block(B), int(Bytes - Before));
}

int TMemoLines::Replace(int From, int To, std::u16string_view Text)
{
    From = std::clamp(From, 0, Length());
    To = std::clamp(To, From, Length());
    const int FirstBlock = BlockAt(From), LastBlock = BlockAt(To);
    ForgetBytesFrom(FirstBlock);
    const std::size_t Start = FStarts[std::size_t(FirstBlock)] + std::size_t(From - BlockPosition(FirstBlock));
    const std::size_t End = FStarts[std::size_t(LastBlock)] + std::size_t(To - BlockPosition(LastBlock));
    // The inserted text without its breaks, and where each new block starts.
    std::u16string Units;
    std::vector<std::uint32_t> NewStarts;
    for (std::size_t I = 0; I < Text.size(); ++I) {
        const char16_t C = Text[I];
        if (!IsBlockBreak(C)) {
            Units += C;
            continue;
        }
        if (C == u'\r' && I + 1 < Text.size() && Text[I + 1] == u'\n') ++I;
        NewStarts.push_back(std::uint32_t(Start + Units.size()));
    }
    const auto Delta = std::int64_t(Units.size()) - std::int64_t(End - Start);
    FText.replace(Start, End - Start, Units);
    auto First = FStarts.begin() + FirstBlock + 1;
    First = FStarts.erase(First, FStarts.begin() + LastBlock + 1);
    First = FStarts.insert(First, NewStarts.begin(), NewStarts.end()) + std::ptrdiff_t(NewStarts.size());
    for (auto It = First; It != FStarts.end(); ++It)
        *It = std::uint32_t(std::int64_t(*It) + Delta);
    const int After = FirstBlock + int(NewStarts.size());
    return BlockPosition(After) + int(Start + Units.size() - FStarts[std::size_t(After)]);
}

void TMemoLines::AppendToLast(std::string_view Line)
{
    for (;;) {
        const std::size_t Break = Line.find('\n');
        AppendBlockText(FText, Line.substr(0, Break));
        if (Break == std::string_view::npos) break;
        FStarts.back() = std::uint32_t(FText.size());
        FStarts.push_back(std::uint32_t(FText.size()));
        Line.remove_prefix(Break + 1);
    }
    FStarts.back() = std::uint32_t(FText.size());
}

int TMemoLines::Append(std::span<const AnsiString> Lines)
{
    if (Lines.empty()) return Length();
    // The byte marks stand: each counts only blocks before its own, and
    // this changes only the last block and what follows it.
    std::size_t Bytes = 0;
    for (const AnsiString& L : Lines)
        Bytes += L.size();
    Reserve(FText, Bytes);
    Reserve(FStarts, Lines.size() + 1);
    const bool LastHoldsLine = BlockLength(BlockCount() - 1) > 0;
    for (std::size_t I = 0; I < Lines.size(); ++I) {
        if (I > 0 || LastHoldsLine) FStarts.push_back(std::uint32_t(FText.size()));
        AppendToLast(Lines[I]);
    }
    if (!LastHoldsLine || Lines.back().empty()) FStarts.push_back(std::uint32_t(FText.size()));
    return Length();
}

void TMemoLines::Clear()
{
    FText.clear();
    FText.shrink_to_fit();
    FStarts.assign(2, 0);
    FStarts.shrink_to_fit();
    FByteMarks.assign(1, 0);
}

} // namespace platform::detail
