#include "platform/classes/StringList.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/Codec.h"
#include "platform/rtl/FileAccess.h"
#include "platform/rtl/ScopeExit.h"

#include <algorithm>
#include <unordered_map>

// ---- TStrings -----------------------------------------------------------------

void TStrings::Error(const char* Msg, int Data) const
{
    throw EStringListError(Format(Msg, {Data}));
}

void TStrings::Put(int Index, const AnsiString& S)
{
    TObject* Obj = GetObject(Index);
    Delete(Index);
    InsertObject(Index, S, Obj);
}

TObject* TStrings::GetObject(int) const
{
    return nullptr;
}
void TStrings::PutObject(int, TObject*) {}

int TStrings::Add(const AnsiString& S)
{
    const int I = GetCount();
    Insert(I, S);
    return I;
}

int TStrings::AddObject(const AnsiString& S, TObject* Obj)
{
    const int I = Add(S);
    PutObject(I, Obj);
    return I;
}

void TStrings::InsertObject(int Index, const AnsiString& S, TObject* Obj)
{
    Insert(Index, S);
    PutObject(Index, Obj);
}

void TStrings::AddStrings(const TStrings* Strings)
{
    BeginUpdate();
    TScopeExit Updated([this] { EndUpdate(); });
    for (int I = 0; I < Strings->GetCount(); ++I)
        AddObject(Strings->Get(I), Strings->GetObject(I));
}

void TStrings::AddStrings(std::span<const AnsiString> Lines)
{
    BeginUpdate();
    TScopeExit Updated([this] { EndUpdate(); });
    for (const AnsiString& S : Lines)
        Add(S);
}

void TStrings::Assign(const TStrings* Source)
{
    if (Source == this) return;
    BeginUpdate();
    TScopeExit Updated([this] { EndUpdate(); });
    Clear();
    FDelimiter = Source->FDelimiter;
    FQuoteChar = Source->FQuoteChar;
    FNameValueSeparator = Source->FNameValueSeparator;
    AddStrings(Source);
}

int TStrings::CompareStrings(const AnsiString& A, const AnsiString& B) const
{
    return AnsiCompareText(A, B);
}

int TStrings::IndexOf(const AnsiString& S) const
{
    const int N = GetCount();
    for (int I = 0; I < N; ++I)
        if (CompareStrings(Get(I), S) == 0) return I;
    return -1;
}

int TStrings::IndexOfName(const AnsiString& Name) const
{
    const int N = GetCount();
    for (int I = 0; I < N; ++I) {
        const AnsiString S = Get(I);
        auto P = S.find(FNameValueSeparator);
        if (P != AnsiString::npos && CompareStrings(S.substr(0, P), Name) == 0) return I;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* Obj) const
{
    const int N = GetCount();
    for (int I = 0; I < N; ++I)
        if (GetObject(I) == Obj) return I;
    return -1;
}

void TStrings::Exchange(int A, int B)
{
    BeginUpdate();
    TScopeExit Updated([this] { EndUpdate(); });
    const AnsiString TempS = Get(A);
    TObject* TempO = GetObject(A);
    Put(A, Get(B));
    PutObject(A, GetObject(B));
    Put(B, TempS);
    PutObject(B, TempO);
}

void TStrings::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex) return;
    BeginUpdate();
    TScopeExit Updated([this] { EndUpdate(); });
    const AnsiString S = Get(CurIndex);
    TObject* Obj = GetObject(CurIndex);
    Delete(CurIndex);
    InsertObject(NewIndex, S, Obj);
}

bool TStrings::Equals(const TStrings* Other) const
{
    if (GetCount() != Other->GetCount()) return false;
    for (int I = 0; I < GetCount(); ++I)
        if (Get(I) != Other->Get(I)) return false;
    return true;
}

void TStrings::BeginUpdate()
{
    if (FUpdateCount == 0) SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

AnsiString TStrings::GetText() const
{
    AnsiString Out;
    const int N = GetCount();
    for (int I = 0; I < N; ++I) {
        Out += Get(I);
        Out += sLineBreak;
    }
    return Out;
}

void TStrings::SetText(const AnsiString& Value)
{
    BeginUpdate();
    TScopeExit Updated([this] { EndUpdate(); });
    Clear();
    std::size_t P = 0;
    const std::size_t N = Value.size();
    while (P < N) {
        std::size_t E = P;
        while (E < N && Value[E] != '\n' && Value[E] != '\r')
            ++E;
        Add(Value.substr(P, E - P));
        if (E < N) E += (Value[E] == '\r' && E + 1 < N && Value[E + 1] == '\n') ? 2 : 1;
        P = E;
    }
}

AnsiString TStrings::GetDelimitedText() const
{
    const int N = GetCount();
    if (N == 1 && Get(0).empty()) return AnsiString(2, FQuoteChar);
    AnsiString Out;
    for (int I = 0; I < N; ++I) {
        AnsiString S = Get(I);
        const bool Quote = std::any_of(S.begin(), S.end(), [&](char C) {
            return static_cast<unsigned char>(C) <= ' ' || C == FQuoteChar || C == FDelimiter;
        });
        if (Quote) S = AnsiQuotedStr(S, FQuoteChar);
        if (I) Out += FDelimiter;
        Out += S;
    }
    return Out;
}

void TStrings::SetDelimitedText(const AnsiString& Value)
{
    BeginUpdate();
    TScopeExit Updated([this] { EndUpdate(); });
    Clear();
    std::size_t P = 0;
    const std::size_t N = Value.size();
    auto SkipBlanks = [&] {
        while (P < N && static_cast<unsigned char>(Value[P]) >= 1 && static_cast<unsigned char>(Value[P]) <= ' ')
            ++P;
    };
    SkipBlanks();
    while (P < N) {
        AnsiString S;
        if (Value[P] == FQuoteChar) {
            S = AnsiExtractQuotedStr(Value, P, FQuoteChar);
        } else {
            const std::size_t B = P;
            while (P<N&& static_cast<unsigned char>(Value[P])> ' ' && Value[P] != FDelimiter)
                ++P;
            S = Value.substr(B, P - B);
        }
        Add(S);
        SkipBlanks();
        if (P < N && Value[P] == FDelimiter) {
            if (P + 1 == N) Add("");
            ++P;
            SkipBlanks();
        }
    }
}

AnsiString TStrings::GetCommaText() const
{
    TStrings* Self = const_cast<TStrings*>(this);
    TRestore Delimiter(Self->FDelimiter, ',');
    TRestore Quote(Self->FQuoteChar, '"');
    return GetDelimitedText();
}

void TStrings::SetCommaText(const AnsiString& Value)
{
    TRestore Delimiter(FDelimiter, ',');
    TRestore Quote(FQuoteChar, '"');
    SetDelimitedText(Value);
}

AnsiString TStrings::GetNames(int Index) const
{
    const AnsiString S = Get(Index);
    auto P = S.find(FNameValueSeparator);
    return P == AnsiString::npos ? AnsiString() : S.substr(0, P);
}

AnsiString TStrings::GetValues(const AnsiString& Name) const
{
    const int I = IndexOfName(Name);
    return I < 0 ? AnsiString() : GetValueFromIndex(I);
}

AnsiString TStrings::GetValueFromIndex(int Index) const
{
    const AnsiString S = Get(Index);
    auto P = S.find(FNameValueSeparator);
    return P == AnsiString::npos ? AnsiString() : S.substr(P + 1);
}

void TStrings::SetValues(const AnsiString& Name, const AnsiString& Value)
{
    int I = IndexOfName(Name);
    if (!Value.empty()) {
        if (I < 0) I = Add("");
        Put(I, Name + FNameValueSeparator + Value);
    } else if (I >= 0) {
        Delete(I);
    }
}

void TStrings::LoadFromStream(TStream* Stream)
{
    const Int64 Size = Stream->GetSize() - Stream->GetPosition();
    AnsiString Data(static_cast<std::size_t>(std::max<Int64>(0, Size)), '\0');
    Data.resize(static_cast<std::size_t>(Stream->Read(Data.data(), static_cast<Int64>(Data.size()))));
    SetText(Data);
}

void TStrings::SaveToStream(TStream* Stream) const
{
    const AnsiString Data = GetText();
    Stream->WriteBuffer(Data.data(), static_cast<Int64>(Data.size()));
}

void TStrings::LoadFromFile(const AnsiString& FileName)
{
    TFileStream F(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&F);
}

void TStrings::SaveToFile(const AnsiString& FileName) const
{
    WriteFileWhole(FileName, GetText());
}

// ---- TStringList --------------------------------------------------------------

TStringList::~TStringList()
{
    OnChange = nullptr;
    OnChanging = nullptr;
    if (FOwnsObjects)
        for (auto& It : FList)
            Free(It.FObject);
}

void TStringList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
}

AnsiString TStringList::Get(int Index) const
{
    CheckIndex(Index);
    return FList[Index].FString;
}

void TStringList::Put(int Index, const AnsiString& S)
{
    if (FSorted) Error("Operation not allowed on sorted list", 0);
    CheckIndex(Index);
    Changing();
    FList[Index].FString = S;
    ItemsChanged();
    Changed();
}

TObject* TStringList::GetObject(int Index) const
{
    CheckIndex(Index);
    return FList[Index].FObject;
}

void TStringList::PutObject(int Index, TObject* Obj)
{
    CheckIndex(Index);
    Changing();
    FList[Index].FObject = Obj;
    Changed();
}

void TStringList::InsertItem(int Index, AnsiString S, TObject* Obj)
{
    Changing();
    FList.insert(FList.begin() + Index, TStringItem{std::move(S), Obj});
    ItemsChanged();
    Changed();
}

void TStringList::Insert(int Index, const AnsiString& S)
{
    if (FSorted) Error("Operation not allowed on sorted list", 0);
    if (Index < 0 || Index > GetCount()) Error("List index out of bounds (%d)", Index);
    InsertItem(Index, S, nullptr);
}

void TStringList::Delete(int Index)
{
    CheckIndex(Index);
    Changing();
    TObject* Obj = FList[Index].FObject;
    FList.erase(FList.begin() + Index);
    if (FOwnsObjects) Free(Obj);
    ItemsChanged();
    Changed();
}

void TStringList::Clear()
{
    if (FList.empty()) return;
    Changing();
    if (FOwnsObjects)
        for (auto& It : FList)
            Free(It.FObject);
    FList.clear();
    ItemsChanged();
    Changed();
}

int TStringList::Add(const AnsiString& S)
{
    return AddObject(S, nullptr);
}

int TStringList::AddMoved(AnsiString&& S)
{
    int Index;
    if (PlaceFor(S, Index)) InsertItem(Index, std::move(S), nullptr);
    return Index;
}

int TStringList::AddObject(const AnsiString& S, TObject* Obj)
{
    int Index;
    if (PlaceFor(S, Index)) InsertItem(Index, S, Obj);
    return Index;
}

bool TStringList::PlaceFor(const AnsiString& S, int& Index) const
{
    if (!FSorted) {
        Index = GetCount();
        return true;
    }
    if (Find(S, Index)) {
        switch (FDuplicates) {
        case dupIgnore:
            return false;
        case dupError:
            Error("String list does not allow duplicates", 0);
        case dupAccept:
            break;
        }
    }
    return true;
}

int TStringList::IndexOf(const AnsiString& S) const
{
    if (!FSorted) return TStrings::IndexOf(S);
    int I;
    return Find(S, I) ? I : -1;
}

void TStringList::Exchange(int A, int B)
{
    CheckIndex(A);
    CheckIndex(B);
    Changing();
    std::swap(FList[A], FList[B]);
    ItemsChanged();
    Changed();
}

bool TStringList::Find(const AnsiString& S, int& Index) const
{
    bool Found = false;
    int L = 0, H = GetCount() - 1;
    while (L <= H) {
        const int I = (L + H) >> 1;
        const int C = CompareStrings(FList[I].FString, S);
        if (C < 0) {
            L = I + 1;
        } else {
            H = I - 1;
            if (C == 0) {
                Found = true;
                if (FDuplicates != dupAccept) L = I; // any equal item will do
            }
        }
    }
    Index = L;
    return Found;
}

void TStringList::Sort()
{
    CustomSort([](TStringList* List, int A, int B) {
        return List->CompareStrings(List->FList[A].FString, List->FList[B].FString);
    });
}

void TStringList::CustomSort(const TStringListSortCompare& Compare)
{
    if (GetCount() < 2) return;
    Changing();
    // Sort a permutation with the list's own comparison by index, then apply it.
    // A list already in order (filled in order by its owner) costs one pass.
    // The texts lie wherever they were made: ask for them a few items ahead.
    constexpr int LookAhead = 8;
    bool InOrder = true;
    for (int I = 1; InOrder && I < GetCount(); ++I) {
        if (I + LookAhead < GetCount()) __builtin_prefetch(FList[I + LookAhead].FString.data());
        InOrder = Compare(this, I - 1, I) <= 0;
    }
    if (!InOrder) {
        std::vector<int> Order(FList.size());
        for (std::size_t I = 0; I < Order.size(); ++I)
            Order[I] = static_cast<int>(I);
        std::stable_sort(Order.begin(), Order.end(), [&](int A, int B) { return Compare(this, A, B) < 0; });
        std::vector<TStringItem> Sorted;
        Sorted.reserve(FList.size());
        for (int I : Order)
            Sorted.push_back(std::move(FList[I]));
        FList.swap(Sorted);
    }
    ItemsChanged();
    Changed();
}

void TStringList::SetSorted(bool Value)
{
    if (FSorted == Value) return;
    if (Value) Sort();
    FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value)
{
    if (FCaseSensitive == Value) return;
    FCaseSensitive = Value;
    ItemsChanged();
    if (FSorted) Sort();
}

int TStringList::CompareStrings(const AnsiString& A, const AnsiString& B) const
{
    return FCaseSensitive ? AnsiCompareStr(A, B) : AnsiCompareText(A, B);
}

void TStringList::SetUpdateState(bool Updating)
{
    if (Updating)
        Changing();
    else
        Changed();
}

void TStringList::Changed()
{
    if (GetUpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing()
{
    if (GetUpdateCount() == 0 && OnChanging) OnChanging(this);
}

// ---- THashedStringList --------------------------------------------------------

struct THashedStringList::THashIndex {
    bool Valid = false;
    std::unordered_multimap<AnsiString, int> Map;
};

THashedStringList::THashedStringList() : FIndex(std::make_unique<THashIndex>()) {}
THashedStringList::~THashedStringList() = default;

void THashedStringList::ItemsChanged()
{
    FIndex->Valid = false;
}

void THashedStringList::Rehash() const
{
    FIndex->Map.clear();
    FIndex->Map.reserve(FList.size());
    const bool Cs = GetCaseSensitive();
    for (int I = static_cast<int>(FList.size()) - 1; I >= 0; --I) {
        const AnsiString& S = FList[I].FString;
        AnsiString Key = Cs ? S : FoldedKey(S);
        FIndex->Map.emplace(std::move(Key), I);
    }
    FIndex->Valid = true;
}

int THashedStringList::IndexOf(const AnsiString& S) const
{
    if (!FIndex->Valid) Rehash();
    const bool Cs = GetCaseSensitive();
    const AnsiString Key = Cs ? S : FoldedKey(S);
    auto [B, E] = FIndex->Map.equal_range(Key);
    int Best = -1;
    for (auto It = B; It != E; ++It)
        if (Best < 0 || It->second < Best) Best = It->second;
    return Best;
}
