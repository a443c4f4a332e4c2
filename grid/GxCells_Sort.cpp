// grid/GxCells_Sort.cpp
// Sorting rows: every key is taken once, before any row moves; a stable
// merge sort that stays in bounds whatever a compare handler answers orders
// the keys; the order found is then applied to the rows in one pass.
#include "grid/GxCells.h"

#include <algorithm>
#include <cmath>
#include <deque>

namespace GxCells {

namespace {

// One sibling block to order: its key and its head row.
template <typename Key> struct TItem {
    Key K;
    std::uint32_t Head;
};

constexpr std::size_t RunLength = 24;

// Stable, and bounded by its indices alone, so an inconsistent Less can
// give a strange order but never a wrong access.
template <typename T, typename Less> void StableSort(std::vector<T>& A, Less LessThan)
{
    const std::size_t N = A.size();
    for (std::size_t Lo = 0; Lo < N; Lo += RunLength) {
        const std::size_t Hi = std::min(Lo + RunLength, N);
        for (std::size_t I = Lo + 1; I < Hi; ++I) {
            T X = std::move(A[I]);
            std::size_t J = I;
            for (; J > Lo && LessThan(X, A[J - 1]); --J)
                A[J] = std::move(A[J - 1]);
            A[J] = std::move(X);
        }
    }
    if (N <= RunLength) return;
    std::vector<T> B(N);
    for (std::size_t Width = RunLength; Width < N; Width *= 2) {
        for (std::size_t Lo = 0; Lo < N; Lo += 2 * Width) {
            const std::size_t Mid = std::min(Lo + Width, N), Hi = std::min(Lo + 2 * Width, N);
            std::size_t I = Lo, J = Mid, K = Lo;
            if (Mid < Hi && LessThan(A[Mid], A[Mid - 1]))
                while (I < Mid && J < Hi)
                    B[K++] = LessThan(A[J], A[I]) ? std::move(A[J++]) : std::move(A[I++]);
            std::move(A.begin() + std::ptrdiff_t(I), A.begin() + std::ptrdiff_t(Mid), B.begin() + std::ptrdiff_t(K));
            K += Mid - I;
            std::move(A.begin() + std::ptrdiff_t(J), A.begin() + std::ptrdiff_t(Hi), B.begin() + std::ptrdiff_t(K));
        }
        A.swap(B);
    }
}

// Code points: a surrogate unit sorts above every other unit.
inline unsigned CodePointOrder(char16_t C)
{
    return C < 0xD800 ? C : C >= 0xE000 ? C - 0x800u : C + 0x2000u;
}

inline char16_t FoldAscii(char16_t C)
{
    return C >= u'A' && C <= u'Z' ? char16_t(C + 32) : C;
}

int CompareFolded(std::u16string_view A, std::u16string_view B)
{
    const std::size_t N = std::min(A.size(), B.size());
    for (std::size_t I = 0; I < N; ++I) {
        if (A[I] == B[I]) continue;
        const char16_t X = FoldAscii(A[I]), Y = FoldAscii(B[I]);
        if (X != Y) return CodePointOrder(X) < CodePointOrder(Y) ? -1 : 1;
    }
    return A.size() < B.size() ? -1 : A.size() > B.size();
}

template <typename T> int Compare3(const T& A, const T& B)
{
    return A < B ? -1 : B < A;
}

// Numbers with NaN after every one of them and equal to another NaN: an
// order the sort can rely on, where < alone gives none.
int CompareNumbers(double A, double B)
{
    if (std::isnan(A)) return std::isnan(B) ? 0 : 1;
    if (std::isnan(B)) return -1;
    return Compare3(A, B);
}

// An address: up to four numbers split at dots, other characters skipped;
// the fourth weighs most. Numbers after the fourth are not looked at.
struct TAddress {
    std::uint64_t High, Low; // numbers 3 and 2, numbers 1 and 0
    bool operator<(const TAddress& O) const { return High != O.High ? High < O.High : Low < O.Low; }
};

TAddress AddressOf(std::u16string_view Text)
{
    std::uint64_t N[4] = {};
    int Count = 0;
    AnsiString Digits;
    for (std::size_t I = 0; I < Text.size() && Count < 4; ++I) {
        const char16_t C = Text[I];
        if (C >= u'0' && C <= u'9') Digits += char(C);
        if (C == u'.' || I + 1 == Text.size()) {
            // An empty number (two dots, a leading dot) is a conversion error.
            N[Count++] = std::uint32_t(StrToInt(Digits));
            Digits.clear();
        }
    }
    return {N[3] << 32 | N[2], N[1] << 32 | N[0]};
}

} // namespace

// ---- Keys -----------------------------------------------------------------------

namespace {

// The keys of one column, taken once per row. Texts of string cells are read
// where they lie; other cells' texts are kept in Hold, whose elements stay put.
class TKeys {
public:
    TKeys(TCellColumn& AColumn, std::function<TCell(std::uint32_t)> ACellOf)
        : FColumn(AColumn), FCellOf(std::move(ACellOf))
    {
    }
    std::u16string_view Text(std::uint32_t Slot)
    {
        if (FColumn.GetSlot(Slot) == TCellSlot::String) return FColumn.GetText(Slot);
        return FHold.emplace_back(FCellOf(Slot).GetAsString());
    }
    TCell Cell(std::uint32_t Slot) const { return FCellOf(Slot); }

private:
    TCellColumn& FColumn;
    std::function<TCell(std::uint32_t)> FCellOf;
    std::deque<WideString> FHold;
};

} // namespace

// ---- Ordering ---------------------------------------------------------------------

namespace {

// Where each row's block ends: the first row after it that is not deeper.
std::vector<std::uint32_t> BlockEnds(const std::vector<int>& Levels)
{
    const auto N = std::uint32_t(Levels.size());
    std::vector<std::uint32_t> Ends(N, N), Open;
    for (std::uint32_t J = 0; J < N; ++J) {
        while (!Open.empty() && Levels[Open.back()] >= Levels[J]) {
            Ends[Open.back()] = J;
            Open.pop_back();
        }
        Open.push_back(J);
    }
    return Ends;
}

// The new order of the rows (old positions): sibling blocks, each a row and
// its descendants, ordered by Arrange at every level. Without levels the
// store is flat: one level of one-row blocks.
template <typename Key, typename KeyOf, typename Arrange>
std::vector<std::uint32_t> OrderOf(std::size_t RowCount, const std::vector<int>& Levels, KeyOf TakeKey, Arrange Order)
{
    std::vector<std::uint32_t> Result;
    Result.reserve(RowCount);
    std::vector<TItem<Key>> Items;
    if (Levels.empty()) {
        Items.reserve(RowCount);
        for (std::uint32_t R = 0; R < RowCount; ++R)
            Items.push_back({TakeKey(R), R});
        Order(Items);
        for (const auto& It : Items)
            Result.push_back(It.Head);
        return Result;
    }
    // Every key first, so that a conversion error comes before any work.
    std::vector<Key> Keys;
    Keys.reserve(RowCount);
    for (std::uint32_t R = 0; R < RowCount; ++R)
        Keys.push_back(TakeKey(R));
    // A block ends where its parent's does at the latest, so the siblings
    // under a row are found by jumping from block to block: the whole walk
    // costs the rows once, however deep the tree.
    const std::vector<std::uint32_t> Ends = BlockEnds(Levels);
    std::vector<std::uint32_t> Stack; // heads of the blocks still to place, last first
    auto Expand = [&](std::uint32_t Lo, std::uint32_t Hi) {
        Items.clear();
        for (std::uint32_t I = Lo; I < Hi; I = Ends[I])
            Items.push_back({Keys[I], I});
        Order(Items);
        for (auto It = Items.rbegin(); It != Items.rend(); ++It)
            Stack.push_back(It->Head);
    };
    Expand(0, std::uint32_t(RowCount));
    while (!Stack.empty()) {
        const std::uint32_t Head = Stack.back();
        Stack.pop_back();
        Result.push_back(Head);
        if (Head + 1 < Ends[Head]) Expand(Head + 1, Ends[Head]);
    }
    return Result;
}

} // namespace

std::vector<int> TCells::TreeLevels() const
{
    std::vector<int> Levels;
    if (FTreeRows == 0) return Levels;
    Levels.reserve(FRows.size());
    for (std::uint32_t Slot : FRows)
        Levels.push_back(FPool.At(Slot).FLevel);
    return Levels;
}

void TCells::RowsReordered()
{
    Renumber(0, GetRowCount() - 1);
    FOnScreen.Refill(0, GetRowCount() - 1, [this](int R) { return RowAt(R).GetOnScreen(); });
    // A sort running around this one (from a compare handler) must notice.
    ++FShape;
}

void TCells::ApplyOrder(const std::vector<std::uint32_t>& Order)
{
    std::vector<std::uint32_t> Rows(FRows.size());
    for (std::size_t I = 0; I < Order.size(); ++I)
        Rows[I] = FRows[Order[I]];
    FRows.swap(Rows);
    RowsReordered();
}

void TCells::ReverseRows()
{
    if (FTreeRows == 0) {
        std::reverse(FRows.begin(), FRows.end());
        RowsReordered();
        return;
    }
    // Siblings reverse at every level; each row keeps its descendants after it.
    ApplyOrder(OrderOf<char>(
        FRows.size(), TreeLevels(), [](std::uint32_t) { return char(0); },
        [](std::vector<TItem<char>>& Items) { std::reverse(Items.begin(), Items.end()); }));
}

std::vector<std::uint32_t> TCells::SortOrder(int ACol, TSortType SortType, TSortKind SortKind)
{
    const std::uint64_t Shape = FShape;
    // A compare handler may change rows or columns under the sort; nothing
    // of the store is read once it has.
    const auto CheckShape = [this, Shape] {
        if (FShape != Shape) throw EInvalidOperation("Rows or columns changed during a sort");
    };
    TCellColumn& Column = ColumnAt(ACol);
    TKeys Keys(Column, [this, ACol](std::uint32_t Slot) { return CellAt(ACol, Slot); });
    const auto SlotAt = [this](std::uint32_t R) { return FRows[R]; };
    const std::vector<int> Levels = TreeLevels();
    // Addresses sort the other way round: ascending puts the greatest first.
    const bool Down = (SortKind == skDescending) != (SortType == stIP);
    const auto Sorted = [Down](auto Compare) {
        return [Down, Compare](auto& Items) {
            StableSort(Items, [Down, &Compare](const auto& A, const auto& B) {
                const int C = Compare(A.K, B.K);
                return Down ? C > 0 : C < 0;
            });
        };
    };
    std::vector<std::uint32_t> Order;
    switch (SortType) {
    case stAlphabetic:
    case stCaseInsensitive: {
        const bool Folded = SortType == stCaseInsensitive;
        Order = OrderOf<std::u16string_view>(
            FRows.size(), Levels, [&](std::uint32_t R) { return Keys.Text(SlotAt(R)); },
            Sorted([Folded](std::u16string_view A, std::u16string_view B) {
                return Folded ? CompareFolded(A, B) : A.compare(B);
            }));
        break;
    }
    case stBoolean:
    case stNumeric:
    case stDate:
        Order = OrderOf<double>(
            FRows.size(), Levels,
            [&](std::uint32_t R) {
                const TCell C = Keys.Cell(SlotAt(R));
                return SortType == stBoolean ? double(C.GetAsBoolean())
                       : SortType == stDate  ? C.GetAsDateTime()
                                             : C.GetAsFloat();
            },
            Sorted(CompareNumbers));
        break;
    case stIP:
        Order = OrderOf<TAddress>(
            FRows.size(), Levels, [&](std::uint32_t R) { return AddressOf(Keys.Text(SlotAt(R))); },
            Sorted(Compare3<TAddress>));
        break;
    case stCustom:
        Order = OrderOf<std::uint32_t>(FRows.size(), Levels, SlotAt,
                                       Sorted([this, ACol, &CheckShape](std::uint32_t A, std::uint32_t B) {
                                           int Compare = 0;
                                           DoCellCompare(CellAt(ACol, A), CellAt(ACol, B), Compare);
                                           CheckShape();
                                           return Compare;
                                       }));
        break;
    }
    CheckShape();
    return Order;
}

void TCells::SortColumn(int ACol, TSortType SortType, TSortKind SortKind, bool FullResort)
{
    if (FSorted && FSortedColumn == ACol && FSortKind != SortKind && !FullResort) {
        ReverseRows();
    } else if (GetRowCount() > 0) {
        CheckColumn(ACol);
        // One row is in order whatever its key, converted or not.
        if (GetRowCount() > 1) ApplyOrder(SortOrder(ACol, SortType, SortKind));
    }
    FSortKind = SortKind;
    FSortedColumn = ACol;
    FSorted = true;
}

int TCells::CompareCells(TSortType SortType, const TCell& Cell1, const TCell& Cell2)
{
    switch (SortType) {
    case stAlphabetic:
        return Compare3(Cell1.GetAsString(), Cell2.GetAsString());
    case stCaseInsensitive:
        return CompareFolded(Cell1.GetAsString(), Cell2.GetAsString());
    case stBoolean:
        return Compare3(Cell1.GetAsBoolean(), Cell2.GetAsBoolean());
    case stNumeric:
        return CompareNumbers(Cell1.GetAsFloat(), Cell2.GetAsFloat());
    case stDate:
        return CompareNumbers(Cell1.GetAsDateTime(), Cell2.GetAsDateTime());
    case stIP:
        return Compare3(AddressOf(Cell1.GetAsString()), AddressOf(Cell2.GetAsString()));
    case stCustom:
        break;
    }
    int Compare = 0;
    DoCellCompare(Cell1, Cell2, Compare);
    return Compare;
}

} // namespace GxCells
