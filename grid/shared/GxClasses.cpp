// grid/shared/GxClasses.cpp
#include "grid/shared/GxClasses.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/Codec.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace GxClasses {

WideString GxTodayCaption = u"Today";
WideString GxNoneCaption = u"None";
TStartDayOfWeek GxStartDay = dwSunday;
bool GxWideText = true;

namespace {

void Initialization()
{
    // The wide-character text calls exist on every system this runs on.
    GxWideText = true;
}

} // namespace

// ---- Hints ------------------------------------------------------------------------------------

void ActivateHint(THintWindow* HintWindow, const TRect& Rect, const WideString& Text)
{
    if (HintWindow) HintWindow->ActivateHint(Rect, WideToUtf8(Text));
}

TRect CalcHintRect(THintWindow* HintWindow, int MaxWidth, const WideString& Text)
{
    if (!HintWindow) return TRect();
    return HintWindow->CalcHintRect(MaxWidth, WideToUtf8(Text), nullptr);
}

void DeactivateHint(THintWindow* HintWindow)
{
    if (HintWindow) HintWindow->ReleaseHandle();
}

// ---- Small routines -----------------------------------------------------------------------------

void Exchange(int& A, int& B)
{
    std::swap(A, B);
}

void SetRange(int& Value, int Min, int Max)
{
    if (Value < Min) Value = Min;
    if (Value > Max) Value = Max;
}

void ResizeRect(TRect& Rect, int DLeft, int DTop, int DRight, int DBottom)
{
    Rect.Left += DLeft;
    Rect.Top += DTop;
    Rect.Right += DRight;
    Rect.Bottom += DBottom;
}

bool ParentFormActive(TControl* Control)
{
    TCustomForm* Form = Control ? GetParentForm(Control) : nullptr;
    return Form && Form->GetActive();
}

// ---- Text measuring ---------------------------------------------------------------------------------

namespace {

TSize WideExtent(TCanvas* Canvas, const WideString& Text)
{
    TSize Size;
    GetTextExtentPoint32W(Canvas->GetHandle(), Text.data(), int(Text.size()), &Size);
    return Size;
}

} // namespace

int GetTextWidth(TCanvas* Canvas, const WideString& Text)
{
    return GxWideText ? WideExtent(Canvas, Text).cx : Canvas->TextWidth(WideToUtf8(Text));
}

int GetTextHeight(TCanvas* Canvas, const WideString& Text)
{
    return GxWideText ? WideExtent(Canvas, Text).cy : Canvas->TextHeight(WideToUtf8(Text));
}

int GetMultilineTextWidth(TCanvas* Canvas, const WideString& Text)
{
    // '&' is text here, not a prefix.
    TRect R;
    DrawTextBy(Canvas, Text, R, DT_CALCRECT | DT_NOPREFIX);
    return R.Width();
}

int DrawTextBy(TCanvas* Canvas, const WideString& Text, TRect& Rect, UINT Flags)
{
    if (GxWideText) return DrawTextW(Canvas->GetHandle(), Text.data(), int(Text.size()), &Rect, Flags);
    const AnsiString Narrow = WideToUtf8(Text);
    return DrawTextA(Canvas->GetHandle(), Narrow.data(), int(Narrow.size()), &Rect, Flags);
}

// ---- Number input -----------------------------------------------------------------------------------

TDataKind GetDataKind(const AnsiString& S)
{
    bool MayBeInteger = true;
    bool MayBeFloat = true;
    for (std::size_t I = 0; I < S.size(); ++I) {
        const char C = S[I];
        if (C == FormatSettings.DecimalSeparator) {
            if (!MayBeInteger) MayBeFloat = false;
            MayBeInteger = false;
        } else if (C == '+' || C == '-') {
            if (I != 0) return dkString;
        } else if (C < '0' || C > '9') {
            return dkString;
        }
    }
    if (MayBeInteger) return dkInteger;
    return MayBeFloat ? dkFloat : dkString;
}

AnsiString KeepNumberChars(const AnsiString& S, bool AllowFloat, bool AllowSigns)
{
    AnsiString Result;
    bool HasSeparator = false;
    for (const char C : S) {
        if (C >= '0' && C <= '9') {
            Result += C;
        } else if (C == FormatSettings.DecimalSeparator) {
            if (AllowFloat && !HasSeparator) Result += C;
            HasSeparator = true;
        } else if (C == '+' || C == '-') {
            if (AllowSigns && Result.empty()) Result += C;
        }
        // Everything else goes, the backspace character included: it is a
        // key that number input accepts, never a part of the number.
    }
    return Result;
}

AnsiString FloatToPlainStr(double Value)
{
    if (!std::isfinite(Value)) return FloatToStr(Value);
    // "d.dddddddddddddde-x": the 15 significant digits and where they stand.
    char Buffer[32];
    const char* End =
        std::to_chars(Buffer, Buffer + sizeof Buffer, std::fabs(Value), std::chars_format::scientific, 14).ptr;
    const char* E = std::find(static_cast<const char*>(Buffer), End, 'e');
    AnsiString Digits(1, Buffer[0]);
    Digits.append(Buffer + 2, std::size_t(E - Buffer - 2));
    Digits.erase(Digits.find_last_not_of('0') + 1);
    if (Digits.empty()) return "0";
    int Exponent = 0;
    std::from_chars(E + 2, End, Exponent);
    if (E[1] == '-') Exponent = -Exponent;

    AnsiString Result = Value < 0 ? "-" : "";
    if (Exponent < 0) {
        Result += '0';
        Result += FormatSettings.DecimalSeparator;
        Result.append(std::size_t(-Exponent - 1), '0');
        return Result + Digits;
    }
    const std::size_t Whole = std::size_t(Exponent) + 1;
    if (Digits.size() <= Whole) return Result + Digits + AnsiString(Whole - Digits.size(), '0');
    return Result + Digits.substr(0, Whole) + FormatSettings.DecimalSeparator + Digits.substr(Whole);
}

AnsiString CleanNumberText(const AnsiString& S, bool AllowFloat, bool AllowSigns)
{
    AnsiString Result = KeepNumberChars(S, AllowFloat, AllowSigns);
    Extended Value;
    if (!TryStrToFloat(Result, Value)) Result = "0";
    return Result;
}

double GetValidNumber(const AnsiString& S, bool AllowFloat, bool AllowSigns, double Min, double Max)
{
    if (S.empty()) return 0;
    Extended Value = 0;
    if (!TryStrToFloat(CleanNumberText(S, AllowFloat, AllowSigns), Value)) Value = 0;
    if (Min == 0 && Max == 0) return Value;
    if (Value > Max) Value = Max;
    if (Value < Min) Value = Min;
    return Value;
}

// ---- Flat trees ----------------------------------------------------------------------------------------

namespace {

// The operations both trees share, on their list of nodes in depth-first order.
template <typename TNode> TNode* NodeAt(const TList& List, int Index)
{
    return static_cast<TNode*>(List.Get(Index));
}

// The index after the last descendant of the node at Index.
template <typename TNode> int SubtreeEnd(const TList& List, int Index)
{
    const int Level = NodeAt<TNode>(List, Index)->GetLevel();
    int J = Index + 1;
    while (J < List.GetCount() && NodeAt<TNode>(List, J)->GetLevel() > Level)
        ++J;
    return J;
}

template <typename TNode> int IndexIn(const TList& List, const TNode* Node)
{
    return Node ? List.IndexOf(const_cast<TNode*>(Node)) : -1;
}

// The farthest node of Node's level before (Step -1) or after (Step 1) it,
// crossing only nodes of that level or deeper.
template <typename TNode> TNode* FarthestSibling(const TList& List, const TNode* Node, int Step)
{
    int I = IndexIn(List, Node);
    if (I < 0) return nullptr;
    const int Level = Node->GetLevel();
    TNode* Result = const_cast<TNode*>(Node);
    for (int J = I + Step; J >= 0 && J < List.GetCount(); J += Step) {
        TNode* N = NodeAt<TNode>(List, J);
        if (N->GetLevel() < Level) break;
        if (N->GetLevel() == Level) Result = N;
    }
    return Result;
}

// Where a node added under Parent goes in the list.
template <typename TNode> int AddPosition(const TList& List, TNode* Parent, TAddPosition Position)
{
    const int P = IndexIn(List, Parent);
    if (P < 0) return Position == apFirst ? 0 : List.GetCount();
    return Position == apFirst ? P + 1 : SubtreeEnd<TNode>(List, P);
}

template <typename TNode> int DescendantCount(const TList& List, TNode* Node)
{
    const int I = IndexIn(List, Node);
    if (!Node) return List.GetCount();
    return I < 0 ? 0 : SubtreeEnd<TNode>(List, I) - I - 1;
}

AnsiString OutOfBounds(int Index, const AnsiString& ClassName)
{
    return Format("Index out of bounds (%d) for %s.", {Index, ClassName});
}

} // namespace

// ---- TGxTreeNode ---------------------------------------------------------------------------------------

// How both kinds of node join and leave the flat, depth-first list of their
// collection, keeping levels, hidden flags and counts exact.
struct TNodeLinks {
    template <typename TNode> static void SetParent(TNode* Node, TNode* Parent)
    {
        Node->FParent = Parent;
        Node->FLevel = Parent->FLevel + 1;
        Node->FHidden = Parent->FHidden || !Parent->FExpanded;
        ++Parent->FCount;
    }

    // Puts Node at Index of List, under Parent or at the top level.
    template <typename TNode, typename TNodes>
    static void Place(TNodes* Items, TList& List, int& RootCount, TNode* Node, TNode* Parent, int Index)
    {
        Node->FItems = Items;
        if (Parent) {
            SetParent(Node, Parent);
        } else {
            ++RootCount;
            Node->FParent = nullptr;
            Node->FLevel = 0;
            Node->FHidden = false;
        }
        List.Insert(Index, Node);
    }

    template <typename TNode, typename TNodes>
    static void Add(TNodes* Items, TList& List, int& RootCount, TNode* Parent, TNode* Node, TAddPosition Position)
    {
        if (!Node || IndexIn(List, Node) >= 0) return;
        if (IndexIn(List, Parent) < 0) Parent = nullptr;
        Place(Items, List, RootCount, Node, Parent, AddPosition(List, Parent, Position));
    }

    // Takes Node out of List; false when it was not there. A top-level node
    // has no parent to tell: the root count goes down instead.
    template <typename TNode> static bool Unlink(TList& List, int& RootCount, TNode* Node)
    {
        const int Index = IndexIn(List, Node);
        if (Index < 0) return false;
        if (Node->FParent)
            --Node->FParent->FCount;
        else
            --RootCount;
        List.Delete(Index);
        Node->FItems = nullptr;
        return true;
    }
};

void TGxTreeNode::BeforeDestruction()
{
    if (FItems) {
        FItems->ClearChildren(this);
        FItems->Remove(this);
    }
    TPersistent::BeforeDestruction();
}

void TGxTreeNode::SetExpanded(bool Value)
{
    if (FExpanded == Value) return;
    FExpanded = Value;
    if (FItems) FItems->Expand(this, Value);
}

int TGxTreeNode::GetAbsoluteIndex() const
{
    return FItems ? IndexIn(*FItems->FList, this) : -1;
}

TGxTreeNode* TGxTreeNode::GetFirstSibling() const
{
    return FItems ? FarthestSibling(*FItems->FList, this, -1) : nullptr;
}

TGxTreeNode* TGxTreeNode::GetLastSibling() const
{
    return FItems ? FarthestSibling(*FItems->FList, this, 1) : nullptr;
}

TGxTreeNode* TGxTreeNode::GetItem(int Index) const
{
    if (!FItems) throw Exception(OutOfBounds(Index, "TGxTreeNodes"));
    return FItems->GetChildNode(const_cast<TGxTreeNode*>(this), Index);
}

void TGxTreeNode::MoveTo(TGxTreeNode* Destination, TNodeAttachMode Mode)
{
    if (FItems) FItems->MoveItem(this, Destination, Mode);
}

// ---- TGxTreeNodes --------------------------------------------------------------------------------------

TGxTreeNodes::TGxTreeNodes(TComponent* AOwner) : FList(New<TList>()), FOwner(AOwner) {}

TGxTreeNodes::~TGxTreeNodes()
{
    Clear();
}

TGxTreeNodeClass TGxTreeNodes::GetTreeNodeClass()
{
    return [](TGxTreeNodes* AOwner) -> TGxTreeNode* { return New<TGxTreeNode>(AOwner); };
}

void TGxTreeNodes::DoDeleted(TGxTreeNode* Node)
{
    if (OnDeleted) OnDeleted(this, Node);
}

TGxTreeNode* TGxTreeNodes::AddChild(TGxTreeNode* Parent)
{
    TGxTreeNode* Node = GetTreeNodeClass()(this);
    AddItem(Parent, Node, apLast);
    return Node;
}

void TGxTreeNodes::AddItem(TGxTreeNode* Parent, TGxTreeNode* Node, TAddPosition Position)
{
    TNodeLinks::Add(this, *FList, FRootCount, Parent, Node, Position);
}

void TGxTreeNodes::SetParent(TGxTreeNode* Node, TGxTreeNode* Parent)
{
    TNodeLinks::SetParent(Node, Parent);
}

TGxTreeNode* TGxTreeNodes::Insert(TGxTreeNode* Node, const WideString& Text)
{
    const int Index = IndexIn(*FList, Node);
    if (Index < 0) return nullptr;
    TGxTreeNode* Result = GetTreeNodeClass()(this);
    TNodeLinks::Place(this, *FList, FRootCount, Result, Node->FParent, Index);
    Result->SetText(Text);
    return Result;
}

int TGxTreeNodes::GetChildCount(TGxTreeNode* Node) const
{
    return DescendantCount(*FList, Node);
}

int TGxTreeNodes::GetItemCount(TGxTreeNode* Node) const
{
    return Node ? Node->FCount : FRootCount;
}

TGxTreeNode* TGxTreeNodes::GetChildNode(TGxTreeNode* Node, int Index) const
{
    const int Start = Node ? IndexIn(*FList, Node) + 1 : 0;
    if (Index < 0 || Index >= GetItemCount(Node) || (Node && Start == 0))
        throw Exception(OutOfBounds(Index, ClassName()));
    const int Level = Node ? Node->FLevel + 1 : 0;
    int Seen = 0;
    for (int J = Start; J < GetCount(); ++J) {
        TGxTreeNode* N = GetItem(J);
        if (N->FLevel < Level) break;
        if (N->FLevel == Level && Seen++ == Index) return N;
    }
    throw Exception(OutOfBounds(Index, ClassName()));
}

TGxTreeNode* TGxTreeNodes::Find(void* Data) const
{
    for (int I = 0; I < GetCount(); ++I)
        if (GetItem(I)->FData == Data) return GetItem(I);
    return nullptr;
}

void TGxTreeNodes::Expand(TGxTreeNode* Node, bool Value)
{
    const int I = IndexIn(*FList, Node);
    if (I < 0) return;
    const int End = SubtreeEnd<TGxTreeNode>(*FList, I);
    // A node under a collapsed ancestor keeps its descendants hidden.
    const bool Shown = Value && !Node->FHidden;
    int J = I + 1;
    while (J < End) {
        TGxTreeNode* N = GetItem(J);
        N->FHidden = !Shown;
        if (Shown && !N->FExpanded) {
            const int SubEnd = SubtreeEnd<TGxTreeNode>(*FList, J);
            for (int K = J + 1; K < SubEnd; ++K)
                GetItem(K)->FHidden = true;
            J = SubEnd;
        } else {
            ++J;
        }
    }
}

void TGxTreeNodes::Remove(TGxTreeNode* Node)
{
    if (TNodeLinks::Unlink(*FList, FRootCount, Node)) DoDeleted(Node);
}

void TGxTreeNodes::ClearChildren(TGxTreeNode* Node)
{
    const int Index = IndexIn(*FList, Node);
    if (Index < 0) return;
    while (Index + 1 < GetCount() && GetItem(Index + 1)->FLevel > Node->FLevel)
        Free(GetItem(Index + 1));
}

void TGxTreeNodes::Delete(int Index)
{
    Free(GetItem(Index));
}

void TGxTreeNodes::Clear()
{
    while (GetCount() > 0)
        Free(GetItem(GetCount() - 1));
    FRootCount = 0;
}

void TGxTreeNodes::MoveItem(TGxTreeNode* Node, TGxTreeNode* Destination, TNodeAttachMode Mode)
{
    const int Index = IndexIn(*FList, Node);
    if (Index < 0) return;
    const int End = SubtreeEnd<TGxTreeNode>(*FList, Index);
    if (Destination) {
        // Into its own subtree, or into another tree, a node cannot go.
        const int D = IndexIn(*FList, Destination);
        if (D < 0 || (D >= Index && D < End)) return;
    }

    // Take the subtree out.
    std::vector<TGxTreeNode*> Block;
    for (int J = Index; J < End; ++J)
        Block.push_back(GetItem(J));
    for (int J = Index; J < End; ++J)
        FList->Delete(Index);
    if (Node->FParent)
        --Node->FParent->FCount;
    else
        --FRootCount;

    // Where it goes, in the list without it.
    TGxTreeNode* NewParent = nullptr;
    int Target = GetCount();
    if (!Destination) {
        if (Mode == naAddFirst || Mode == naAddChildFirst) Target = 0;
    } else {
        const int D = IndexIn(*FList, Destination);
        switch (Mode) {
        case naAdd:
            NewParent = Destination->FParent;
            Target = SubtreeEnd<TGxTreeNode>(*FList, IndexIn(*FList, Destination->GetLastSibling()));
            break;
        case naAddFirst:
            NewParent = Destination->FParent;
            Target = IndexIn(*FList, Destination->GetFirstSibling());
            break;
        case naAddChild:
            NewParent = Destination;
            Target = SubtreeEnd<TGxTreeNode>(*FList, D);
            break;
        case naAddChildFirst:
            NewParent = Destination;
            Target = D + 1;
            break;
        case naInsert:
            NewParent = Destination->FParent;
            Target = D;
            break;
        }
    }

    // Put it back there, a level below its new parent; hidden under a collapsed one.
    const int LevelDelta = (NewParent ? NewParent->FLevel + 1 : 0) - Node->FLevel;
    for (std::size_t K = 0; K < Block.size(); ++K) {
        TGxTreeNode* N = Block[K];
        FList->Insert(Target + int(K), N);
        N->FLevel += LevelDelta;
    }
    Node->FParent = NewParent;
    if (NewParent)
        ++NewParent->FCount;
    else
        ++FRootCount;
    for (TGxTreeNode* N : Block)
        N->FHidden = N->FParent && (N->FParent->FHidden || !N->FParent->FExpanded);
}

// ---- TGxObjectTreeNode ---------------------------------------------------------------------------------

void TGxObjectTreeNode::BeforeDestruction()
{
    if (FItems) {
        FItems->ClearChildren(this);
        FItems->Remove(this);
    }
    TComponent::BeforeDestruction();
}

int TGxObjectTreeNode::GetAbsoluteIndex() const
{
    return FItems ? IndexIn(*FItems->FList, this) : -1;
}

TGxObjectTreeNode* TGxObjectTreeNode::GetFirstSibling() const
{
    return FItems ? FarthestSibling(*FItems->FList, this, -1) : nullptr;
}

TGxObjectTreeNode* TGxObjectTreeNode::GetLastSibling() const
{
    return FItems ? FarthestSibling(*FItems->FList, this, 1) : nullptr;
}

void TGxObjectTreeNode::MoveTo(TGxObjectTreeNode*, TNodeAttachMode) {}

// ---- TGxObjectTreeNodes --------------------------------------------------------------------------------

TGxObjectTreeNodes::TGxObjectTreeNodes(TComponent* AOwner) : FList(New<TList>()), FOwner(AOwner) {}

TGxObjectTreeNodes::~TGxObjectTreeNodes()
{
    Clear();
}

TGxObjectTreeNodeClass TGxObjectTreeNodes::GetTreeNodeClass()
{
    return [](TComponent* AOwner) -> TGxObjectTreeNode* { return New<TGxObjectTreeNode>(AOwner); };
}

TGxObjectTreeNode* TGxObjectTreeNodes::AddChild(TGxObjectTreeNode* Parent)
{
    TGxObjectTreeNode* Node = GetTreeNodeClass()(FOwner);
    AddItem(Parent, Node, apLast);
    return Node;
}

void TGxObjectTreeNodes::AddItem(TGxObjectTreeNode* Parent, TGxObjectTreeNode* Node, TAddPosition Position)
{
    TNodeLinks::Add(this, *FList, FRootCount, Parent, Node, Position);
}

void TGxObjectTreeNodes::SetParent(TGxObjectTreeNode* Node, TGxObjectTreeNode* Parent)
{
    TNodeLinks::SetParent(Node, Parent);
}

void TGxObjectTreeNodes::AddAfter(TGxObjectTreeNode* Node, TGxObjectTreeNode* After)
{
    if (!Node || IndexIn(*FList, Node) >= 0) return;
    const int Index = IndexIn(*FList, After);
    if (Index < 0) return AddItem(nullptr, Node, apLast);
    // Node takes After's place as its sibling, so the counts stay exact.
    TNodeLinks::Place(this, *FList, FRootCount, Node, After->FParent, Index);
}

TGxObjectTreeNode* TGxObjectTreeNodes::Insert(TGxObjectTreeNode* Node, const WideString& Text)
{
    if (IndexIn(*FList, Node) < 0) return nullptr;
    TGxObjectTreeNode* Result = GetTreeNodeClass()(FOwner);
    AddAfter(Result, Node);
    Result->SetText(Text);
    return Result;
}

int TGxObjectTreeNodes::GetChildCount(TGxObjectTreeNode* Node) const
{
    return DescendantCount(*FList, Node);
}

int TGxObjectTreeNodes::GetItemCount(TGxObjectTreeNode* Node) const
{
    return Node ? Node->FCount : FRootCount;
}

void TGxObjectTreeNodes::Remove(TGxObjectTreeNode* Node)
{
    TNodeLinks::Unlink(*FList, FRootCount, Node);
}

void TGxObjectTreeNodes::ClearChildren(TGxObjectTreeNode* Node)
{
    const int Index = IndexIn(*FList, Node);
    if (Index < 0) return;
    while (Index + 1 < GetCount() && GetItem(Index + 1)->FLevel > Node->FLevel)
        Free(GetItem(Index + 1));
}

void TGxObjectTreeNodes::Delete(int Index)
{
    Free(GetItem(Index));
}

void TGxObjectTreeNodes::Clear()
{
    while (GetCount() > 0)
        Free(GetItem(GetCount() - 1));
    FRootCount = 0;
}

void RegisterUnit()
{
    AddUnitSection("GxClasses", Initialization, nullptr);
}

} // namespace GxClasses
