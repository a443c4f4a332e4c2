// grid/GxCustomGridControl_Layout.cpp
// The columns' layout kept in an INI file or the registry, through the one
// INI interface both stores share.
#include "grid/GxCustomGridControl.h"
#include "platform/classes/Registry.h"
#include "platform/rtl/Codec.h"

#include <vector>

namespace GxCustomGridControl {

namespace {

const char* const SortKindSection = "Columns Sort Kind";
const char* const VisibleSection = "Visible Columns";
const char* const SortedSection = "Sorted";
const char* const PositionsSection = "Positions";
const char* const SizesSection = "Columns Sizes";

AnsiString ColumnKey(int Index)
{
    return "Column" + IntToStr(Index);
}

// One column's layout as a store holds it.
struct TStoredColumn {
    TSortKind SortKind;
    bool Visible;
    bool Sorted;
    int Position;
    int Width;
};

// True when every position 0 .. Count - 1 occurs once.
bool IsPermutation(const std::vector<TStoredColumn>& Stored)
{
    std::vector<bool> Seen(Stored.size(), false);
    for (const auto& S : Stored) {
        if (S.Position < 0 || S.Position >= int(Stored.size()) || Seen[S.Position]) return false;
        Seen[S.Position] = true;
    }
    return true;
}

// Runs Work on a store of type T made on Name, freeing it in any case.
template <typename T, typename TWork> void WithStore(const WideString& Name, TWork&& Work)
{
    const TOwned<T> Store = MakeOwned<T>(WideToUtf8(Name));
    Work(Store.get());
}

} // namespace

void TGxCustomGridControl::SaveToIniFile(const WideString&, TCustomIniFile* IniFile, const AnsiString& Section)
{
    const int Count = FColumns->GetCount();
    IniFile->WriteInteger("Common" + Section, "ColumnsCount", Count);
    for (int I = 0; I < Count; ++I) {
        const TGxCustomColumn* Column = FColumns->GetItem(I);
        const AnsiString Key = ColumnKey(I);
        IniFile->WriteString(SortKindSection + Section, Key,
                             Column->GetSortKind() == skAscending ? "Ascending" : "Descending");
        IniFile->WriteBool(VisibleSection + Section, Key, Column->GetVisible());
        IniFile->WriteBool(SortedSection + Section, Key, Column->GetSorted());
        IniFile->WriteInteger(PositionsSection + Section, Key, Column->GetPosition());
        IniFile->WriteInteger(SizesSection + Section, Key, Column->GetWidth());
    }
    IniFile->UpdateFile();
}

// Everything is read before anything is set, so that a layout whose
// positions are no order of the columns leaves the order alone instead of
// failing halfway. The column that ends sorted is sorted once: by its stored
// kind, when it is set sorted after every kind is in place.
void TGxCustomGridControl::LoadFromIniFile(const WideString&, TCustomIniFile* IniFile, const AnsiString& Section)
{
    const int Count = FColumns->GetCount();
    std::vector<TStoredColumn> Stored;
    Stored.reserve(Count);
    int SortedIndex = -1;
    for (int I = 0; I < Count; ++I) {
        const AnsiString Key = ColumnKey(I);
        TStoredColumn S;
        S.SortKind = IniFile->ReadString(SortKindSection + Section, Key, "Ascending") == "Ascending" ? skAscending
                                                                                                     : skDescending;
        S.Visible = IniFile->ReadBool(VisibleSection + Section, Key, true);
        S.Sorted = IniFile->ReadBool(SortedSection + Section, Key, false);
        S.Position = IniFile->ReadInteger(PositionsSection + Section, Key, I);
        S.Width = IniFile->ReadInteger(SizesSection + Section, Key, FColumns->GetItem(I)->GetWidth());
        if (S.Sorted) SortedIndex = I;
        Stored.push_back(S);
    }

    for (int I = 0; I < Count; ++I)
        if (FColumns->GetItem(I)->GetSorted()) FColumns->GetItem(I)->SetSorted(false);
    for (int I = 0; I < Count; ++I) {
        FColumns->GetItem(I)->SetSortKind(Stored[I].SortKind);
        FColumns->GetItem(I)->SetVisible(Stored[I].Visible);
    }
    if (SortedIndex >= 0) FColumns->GetItem(SortedIndex)->SetSorted(true);

    if (IsPermutation(Stored)) {
        // By target position: the columns placed so far stay where they are.
        std::vector<TGxCustomColumn*> ByTarget(Count);
        for (int I = 0; I < Count; ++I)
            ByTarget[Stored[I].Position] = FColumns->GetItem(I);
        for (int P = 0; P < Count; ++P)
            if (ByTarget[P]->GetPosition() != P) ByTarget[P]->SetPosition(P);
    }
    for (int I = 0; I < Count; ++I)
        FColumns->GetItem(I)->SetWidth(Stored[I].Width);
}

void TGxCustomGridControl::SaveToIni(const WideString& FileName, const AnsiString& Section)
{
    WithStore<TIniFile>(FileName, [&](TCustomIniFile* Ini) { SaveToIniFile(FileName, Ini, Section); });
}

void TGxCustomGridControl::LoadFromIni(const WideString& FileName, const AnsiString& Section)
{
    WithStore<TIniFile>(FileName, [&](TCustomIniFile* Ini) { LoadFromIniFile(FileName, Ini, Section); });
}

void TGxCustomGridControl::SaveToRegistry(const WideString& Key, const AnsiString& Section)
{
    WithStore<TRegistryIniFile>(Key, [&](TCustomIniFile* Ini) { SaveToIniFile(Key, Ini, Section); });
}

void TGxCustomGridControl::LoadFromRegistry(const WideString& Key, const AnsiString& Section)
{
    WithStore<TRegistryIniFile>(Key, [&](TCustomIniFile* Ini) { LoadFromIniFile(Key, Ini, Section); });
}

bool TGxCustomGridControl::RowExist(int Index)
{
    return Index >= 0 && GetRowCount() > 0 && Index < GetRowCount();
}

} // namespace GxCustomGridControl
