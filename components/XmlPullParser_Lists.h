// components/XmlPullParser_Lists.h
// Named nodes and the sorted lists that own them.
#pragma once
#include "platform/classes/Classes.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace XmlPullParser {

// A name and its value.
class TNvpNode : public TObject {
public:
    explicit TNvpNode(AnsiString AName = {}, AnsiString AValue = {}) : Name(std::move(AName)), Value(std::move(AValue))
    {
    }
    AnsiString Name;
    AnsiString Value;
};

// Nodes sorted by name (byte order, duplicates kept, a new node before the
// older ones of its name); the list frees them. A node's name must not change
// while it is in a list. A document may declare or give tens of thousands of
// names, so adding, finding and removing by name take constant time (past a
// few nodes, a hash of the newest node of each name); the sorted order is
// made once when an index asks for it after a change.
template <typename TNode> class TNamedList : public TObject {
public:
    void Add(TNode* Node)
    {
        TOwned<TNode> Owned(Node);
        const std::size_t Slot = FSlots.size();
        FSlots.push_back({std::move(Owned), None});
        ++FCount;
        Changed();
        if (FIndexed)
            Link(Slot);
        else if (FCount > SmallList)
            BuildIndex();
    }
    TNode* Node(const AnsiString& Name) const
    {
        const std::size_t Slot = NewestSlot(Name);
        return Slot == None ? nullptr : FSlots[Slot].Node.get();
    }
    TNode* Node(int Index) const
    {
        if (Index < 0 || Index >= GetCount()) return nullptr;
        return FSlots[Sorted()[static_cast<std::size_t>(Index)]].Node.get();
    }
    AnsiString Value(const AnsiString& Name) const { return ValueOf(Node(Name)); }
    AnsiString Value(int Index) const { return ValueOf(Node(Index)); }
    AnsiString Name(int Index) const
    {
        const TNode* N = Node(Index);
        return N ? N->Name : AnsiString();
    }
    int GetCount() const { return static_cast<int>(FCount); }
    void Delete(int Index)
    {
        if (Index < 0 || Index >= GetCount()) return;
        const std::size_t Slot = Sorted()[static_cast<std::size_t>(Index)];
        if (FIndexed) Unlink(Slot);
        Release(Slot);
    }
    // Frees every node called Name.
    void RemoveName(const AnsiString& Name)
    {
        for (std::size_t Slot = NewestSlot(Name); Slot != None; Slot = NewestSlot(Name)) {
            if (FIndexed) Unlink(Slot);
            Release(Slot);
        }
    }
    void Clear()
    {
        FNewest.clear();
        FSlots.clear();
        FCount = 0;
        FIndexed = false;
        Changed();
    }

private:
    static constexpr std::size_t None = static_cast<std::size_t>(-1);
    static constexpr std::size_t SmallList = 8; // searched from the end without a hash

    struct TSlot {
        TOwned<TNode> Node; // empty once removed
        std::size_t Older;  // the next older slot of the same name, while indexed
    };

    static AnsiString ValueOf(const TNode* N) { return N ? N->Value : AnsiString(); }

    void Changed() { FSortedValid = false; }

    std::size_t NewestSlot(std::string_view Name) const
    {
        if (FIndexed) {
            const auto It = FNewest.find(Name);
            return It == FNewest.end() ? None : It->second;
        }
        for (std::size_t Slot = FSlots.size(); Slot-- > 0;)
            if (FSlots[Slot].Node && FSlots[Slot].Node->Name == Name) return Slot;
        return None;
    }

    // Makes Slot the newest of its name.
    void Link(std::size_t Slot)
    {
        auto [It, Added] = FNewest.try_emplace(FSlots[Slot].Node->Name, Slot);
        if (Added) return;
        FSlots[Slot].Older = It->second;
        Rekey(It, Slot);
    }

    // The key must view the name of the node the entry now names.
    template <typename TIterator> void Rekey(TIterator It, std::size_t Slot)
    {
        auto Entry = FNewest.extract(It);
        Entry.key() = FSlots[Slot].Node->Name;
        Entry.mapped() = Slot;
        FNewest.insert(std::move(Entry));
    }

    void Unlink(std::size_t Slot)
    {
        const auto It = FNewest.find(FSlots[Slot].Node->Name);
        if (It->second == Slot) {
            const std::size_t Older = FSlots[Slot].Older;
            if (Older == None)
                FNewest.erase(It);
            else
                Rekey(It, Older);
            return;
        }
        std::size_t Newer = It->second;
        while (FSlots[Newer].Older != Slot)
            Newer = FSlots[Newer].Older;
        FSlots[Newer].Older = FSlots[Slot].Older;
    }

    void BuildIndex()
    {
        FIndexed = true;
        FNewest.clear();
        FNewest.reserve(FCount);
        for (std::size_t Slot = 0; Slot < FSlots.size(); ++Slot) {
            FSlots[Slot].Older = None;
            if (FSlots[Slot].Node) Link(Slot);
        }
    }

    // Frees the node of an unlinked slot; the emptied slots go once they are
    // half of all.
    void Release(std::size_t Slot)
    {
        FSlots[Slot].Node.reset();
        --FCount;
        Changed();
        if (FSlots.size() - FCount <= FSlots.size() / 2) return;
        std::erase_if(FSlots, [](const TSlot& S) { return !S.Node; });
        if (FIndexed) BuildIndex();
    }

    // The slots in the list's order.
    const std::vector<std::size_t>& Sorted() const
    {
        if (FSortedValid) return FSorted;
        FSorted.clear();
        for (std::size_t Slot = 0; Slot < FSlots.size(); ++Slot)
            if (FSlots[Slot].Node) FSorted.push_back(Slot);
        std::sort(FSorted.begin(), FSorted.end(), [this](std::size_t A, std::size_t B) {
            const int Order = FSlots[A].Node->Name.compare(FSlots[B].Node->Name);
            return Order != 0 ? Order < 0 : A > B;
        });
        FSortedValid = true;
        return FSorted;
    }

    std::vector<TSlot> FSlots; // in the order added
    std::unordered_map<std::string_view, std::size_t> FNewest;
    std::size_t FCount = 0;
    bool FIndexed = false;
    mutable std::vector<std::size_t> FSorted;
    mutable bool FSortedValid = true;
};

using TNvpList = TNamedList<TNvpNode>;

} // namespace XmlPullParser
