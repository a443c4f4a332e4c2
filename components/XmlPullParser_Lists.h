// components/XmlPullParser_Lists.h
// Named nodes and the sorted lists that own them.
#pragma once
#include "platform/classes/Classes.h"

#include <algorithm>
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

// Nodes sorted by name (byte order, duplicates kept); the list frees them.
// A node has a Name; Value serves lists whose nodes also have a Value.
template <typename TNode> class TNamedList : public TObject {
public:
    // Inserts before any nodes of the same name. The walk from the end keeps
    // adding in order cheap.
    void Add(TNode* Node)
    {
        TOwned<TNode> Owned(Node);
        std::size_t I = FNodes.size();
        while (I > 0 && !(FNodes[I - 1]->Name < Node->Name))
            --I;
        FNodes.insert(FNodes.begin() + static_cast<std::ptrdiff_t>(I), std::move(Owned));
    }
    TNode* Node(const AnsiString& Name) const
    {
        const std::size_t I = LowerBound(Name);
        return I < FNodes.size() && FNodes[I]->Name == Name ? FNodes[I].get() : nullptr;
    }
    TNode* Node(int Index) const
    {
        return Index >= 0 && Index < GetCount() ? FNodes[static_cast<std::size_t>(Index)].get() : nullptr;
    }
    AnsiString Value(const AnsiString& Name) const { return ValueOf(Node(Name)); }
    AnsiString Value(int Index) const { return ValueOf(Node(Index)); }
    AnsiString Name(int Index) const
    {
        const TNode* N = Node(Index);
        return N ? N->Name : AnsiString();
    }
    int GetCount() const { return static_cast<int>(FNodes.size()); }
    void Delete(int Index)
    {
        if (Index >= 0 && Index < GetCount()) FNodes.erase(FNodes.begin() + Index);
    }
    // Frees every node called Name.
    void RemoveName(const AnsiString& Name)
    {
        const std::size_t I = LowerBound(Name);
        std::size_t E = I;
        while (E < FNodes.size() && FNodes[E]->Name == Name)
            ++E;
        FNodes.erase(FNodes.begin() + static_cast<std::ptrdiff_t>(I), FNodes.begin() + static_cast<std::ptrdiff_t>(E));
    }
    void Clear() { FNodes.clear(); }

private:
    static AnsiString ValueOf(const TNode* N) { return N ? N->Value : AnsiString(); }
    // The first index whose node's name is not smaller than Name.
    std::size_t LowerBound(const AnsiString& Name) const
    {
        return static_cast<std::size_t>(
            std::partition_point(FNodes.begin(), FNodes.end(), [&](const auto& N) { return N->Name < Name; }) -
            FNodes.begin());
    }

    std::vector<TOwned<TNode>> FNodes;
};

using TNvpList = TNamedList<TNvpNode>;

} // namespace XmlPullParser
