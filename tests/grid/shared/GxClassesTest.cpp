#include "grid/shared/GxClasses.h"
#include "platform/rtl/Codec.h"
#include "tests/platform/controls/ControlFixtures.h"
#include "tests/support/TestSupport.h"

#include <string>

namespace {

using namespace GxClasses;

// ---- Enumerations and small routines ------------------------------------------------------------

TEST(GxClasses, RangesRectanglesAndSwaps)
{
    int Low = 5, High = 25, Crossed = 5;
    SetRange(Low, 10, 20);
    SetRange(High, 10, 20);
    SetRange(Crossed, 30, 20); // Min above Max: Max wins
    EXPECT_EQ((std::vector<int>{Low, High, Crossed}), (std::vector<int>{10, 20, 20}));
    Exchange(Low, High);
    EXPECT_EQ(Low, 20);
    EXPECT_EQ(High, 10);
    TRect R = Rect(10, 20, 30, 40);
    ResizeRect(R, -1, 2, 3, -4);
    EXPECT_EQ(R, Rect(9, 22, 33, 36));
}

TEST(GxClasses, DataKindOfText)
{
    for (const char* S : {"12", "-12", "", "+"})
        EXPECT_EQ(GetDataKind(S), dkInteger) << S;
    EXPECT_EQ(GetDataKind("1.5"), dkFloat);
    for (const char* S : {"1.2.3", "1-2", "1e5", " 1"})
        EXPECT_EQ(GetDataKind(S), dkString) << S;
}

TEST(GxClasses, NumberInputKeepsWhatANumberCanHoldAndAlwaysConverts)
{
    EXPECT_EQ(GetValidNumber("a-1x2", true, true, 0, 0), -12);
    EXPECT_EQ(GetValidNumber("a-1x2", true, false, 0, 0), 12);
    EXPECT_EQ(GetValidNumber("1-2", true, true, 0, 0), 12); // a sign counts only in front
    EXPECT_DOUBLE_EQ(GetValidNumber("1.2.5", true, true, 0, 0), 1.25);
    EXPECT_EQ(GetValidNumber("1.25", false, true, 0, 0), 125);
    EXPECT_EQ(GetValidNumber("150", true, true, 0, 100), 100);
    EXPECT_EQ(GetValidNumber("50", true, true, 60, 100), 60);
    EXPECT_DOUBLE_EQ(GetValidNumber("-.5", true, true, 0, 0), -0.5);
    EXPECT_EQ(CleanNumberText("1\b2", true, true), "12");
    // A lone separator, a sign with a separator and the backspace key's
    // character used to survive the cleaning and fail to convert.
    for (const char* S : {".", "-.", "+.", "\b", "-\b", "x", "+", "-", ""}) {
        EXPECT_EQ(CleanNumberText(S, true, true), "0") << S;
        EXPECT_EQ(GetValidNumber(S, true, true, 0, 0), 0) << S;
    }
    for (const char* S : {"1.2.3", "--4", "+-.7x", "a.b.c", "9\b.", "1e9", "5."}) {
        Extended V;
        EXPECT_TRUE(TryStrToFloat(CleanNumberText(S, true, true), V)) << S;
        EXPECT_TRUE(TryStrToFloat(CleanNumberText(S, false, false), V)) << S;
    }
    TFormatSettingsGuard Guard;
    FormatSettings.DecimalSeparator = ',';
    EXPECT_DOUBLE_EQ(GetValidNumber("2,5", true, true, 0, 0), 2.5);
    EXPECT_EQ(GetValidNumber("2.5", true, true, 0, 0), 25);
}

// ---- Localiser ----------------------------------------------------------------------------------------

TEST(GxClasses, LocalisersShareOneSetOfValues)
{
    TOwned<TGxLocalizer> A(New<TGxLocalizer>(nullptr));
    TOwned<TGxLocalizer> B(New<TGxLocalizer>(nullptr));
    EXPECT_EQ(A->GetTodayCaption(), u"Today");
    EXPECT_EQ(A->GetNoneCaption(), u"None");
    EXPECT_EQ(A->GetStartDay(), dwSunday);
    A->SetTodayCaption(u"Heute");
    A->SetNoneCaption(u"Keins");
    A->SetStartDay(dwMonday);
    EXPECT_EQ(B->GetTodayCaption(), u"Heute");
    EXPECT_EQ(B->GetNoneCaption(), u"Keins");
    EXPECT_EQ(B->GetStartDay(), dwMonday);
    B->SetTodayCaption(u"Today");
    B->SetNoneCaption(u"None");
    B->SetStartDay(dwSunday);
}

// ---- Hints and text measuring ---------------------------------------------------------------------------

using GxClassesTest = TFormTest;

// Text with an accented letter, a character outside the 16-bit plane and
// an escaped byte that is not UTF-8.
const WideString Unusual = WideString(u"a\u00e9\U0001D11E") + char16_t(0xDC00 + 0xE9) + u"&z";

TEST_F(GxClassesTest, HintRoutinesPassEveryCharacterAndIgnoreAMissingWindow)
{
    ActivateHint(nullptr, Rect(0, 0, 10, 10), u"x");
    DeactivateHint(nullptr);
    EXPECT_EQ(CalcHintRect(nullptr, 100, u"x"), TRect());

    TOwned<THintWindow> Hint(New<THintWindow>(nullptr));
    const TRect R = CalcHintRect(Hint.get(), 200, Unusual);
    EXPECT_EQ(R, Hint->CalcHintRect(200, WideToUtf8(Unusual), nullptr));
    ActivateHint(Hint.get(), Bounds(30, 40, R.Right, R.Bottom), Unusual);
    EXPECT_EQ(Utf8ToWide(Hint->GetCaption()), Unusual);
    EXPECT_TRUE(Hint->HandleAllocated());
    EXPECT_TRUE(Hint->GetVisible());
    EXPECT_EQ(Hint->GetLeft(), 30);
    EXPECT_EQ(Hint->GetHeight(), R.Bottom + 4);

    DeactivateHint(Hint.get());
    EXPECT_FALSE(Hint->GetVisible());
    EXPECT_FALSE(Hint->HandleAllocated());
    EXPECT_EQ(Utf8ToWide(Hint->GetCaption()), Unusual); // released, not cleared
}

TEST_F(GxClassesTest, TextMeasuresTheSameWideOrNarrow)
{
    auto* C = New<TProbeControl>(Form);
    C->SetParent(Form);
    TCanvas* Canvas = C->GetCanvas();
    Canvas->GetFont()->SetName("Tahoma");
    Canvas->GetFont()->SetHeight(-11);

    const int Wide = GetTextWidth(Canvas, Unusual);
    EXPECT_EQ(Wide, Canvas->TextWidth(WideToUtf8(Unusual)));
    EXPECT_GT(Wide, GetTextWidth(Canvas, u"a\u00e9&z"));
    EXPECT_EQ(GetTextHeight(Canvas, Unusual), Canvas->TextHeight("a"));
    GxWideText = false;
    EXPECT_EQ(GetTextWidth(Canvas, Unusual), Wide);
    EXPECT_EQ(GetTextHeight(Canvas, Unusual), Canvas->TextHeight("a"));
    GxWideText = true;

    // The widest line counts; '&' is measured as text.
    EXPECT_EQ(GetMultilineTextWidth(Canvas, u"ab\nlonger line\nc"), Canvas->TextWidth("longer line"));
    EXPECT_EQ(GetMultilineTextWidth(Canvas, u"a&&b"), Canvas->TextWidth("a&&b"));
    EXPECT_EQ(GetMultilineTextWidth(Canvas, Unusual), Wide);
    EXPECT_EQ(GetMultilineTextWidth(Canvas, u""), 0);
}

TEST_F(GxClassesTest, ParentFormActiveNeedsATopLevelFormThatIsActive)
{
    auto* C = New<TProbeControl>(Form);
    EXPECT_FALSE(ParentFormActive(C)); // no parent yet
    EXPECT_FALSE(ParentFormActive(nullptr));
    C->SetParent(Form);
    platform::test::ActivateWindow(Form);
    EXPECT_TRUE(ParentFormActive(C));
    TOwned<TForm> Other(New<TForm>(Application));
    Other->Show();
    platform::test::ActivateWindow(Other.get());
    EXPECT_FALSE(ParentFormActive(C));
}

// ---- Node trees -----------------------------------------------------------------------------------------------

// The tree as text in list order: each node's text with its child count,
// and '-' when hidden.
template <typename TNodes> std::string Outline(const TNodes& Nodes)
{
    std::string S;
    for (int I = 0; I < Nodes.GetCount(); ++I) {
        auto* N = Nodes.GetItem(I);
        S += WideToUtf8(N->GetText()) + std::to_string(N->GetCount());
        if (N->GetHidden()) S += '-';
        S += ' ';
    }
    return S;
}

// Checks that parents, levels and counts agree with the list order.
template <typename TNodes> void ExpectConsistent(const TNodes& Nodes)
{
    int Roots = 0;
    for (int I = 0; I < Nodes.GetCount(); ++I) {
        auto* N = Nodes.GetItem(I);
        EXPECT_EQ(N->GetItems(), &Nodes);
        EXPECT_EQ(N->GetAbsoluteIndex(), I);
        if (!N->GetParent()) {
            ++Roots;
            EXPECT_EQ(N->GetLevel(), 0);
        } else {
            // The parent is the nearest node before it one level up.
            EXPECT_EQ(N->GetLevel(), N->GetParent()->GetLevel() + 1);
            const int P = N->GetParent()->GetAbsoluteIndex();
            EXPECT_LT(P, I);
            for (int J = P + 1; J < I; ++J)
                EXPECT_GE(Nodes.GetItem(J)->GetLevel(), N->GetLevel());
        }
        int Children = 0;
        for (int J = I + 1; J < Nodes.GetCount() && Nodes.GetItem(J)->GetLevel() > N->GetLevel(); ++J)
            if (Nodes.GetItem(J)->GetParent() == N) ++Children;
        EXPECT_EQ(N->GetCount(), Children) << I;
    }
    EXPECT_EQ(Nodes.GetRootCount(), Roots);
}

template <typename TNode> TNode* Named(TNode* N, const char16_t* Text)
{
    N->SetText(Text);
    return N;
}

template <typename TNodes, typename TNode> TNode* Add(TNodes& Nodes, TNode* Parent, const char16_t* Text)
{
    return Named(Nodes.AddChild(Parent), Text);
}

// a, its children b and c (c with child d), then e.
struct TSampleTree {
    TGxTreeNodes Nodes{nullptr};
    TGxTreeNode *A, *B, *C, *D, *E;
    TSampleTree()
    {
        A = Add(Nodes, (TGxTreeNode*)nullptr, u"a");
        B = Add(Nodes, A, u"b");
        C = Add(Nodes, A, u"c");
        D = Add(Nodes, C, u"d");
        E = Add(Nodes, (TGxTreeNode*)nullptr, u"e");
    }
};

TEST(GxClassesTree, ChildrenFollowTheirParentInListOrder)
{
    TSampleTree T;
    EXPECT_EQ(Outline(T.Nodes), "a2 b0- c1- d0- e0 ");
    ExpectConsistent(T.Nodes);
    EXPECT_EQ(T.Nodes.GetChildCount(T.A), 3);
    EXPECT_EQ(T.Nodes.GetItemCount(nullptr), 2);
    EXPECT_EQ(T.A->GetItem(1), T.C);
    EXPECT_EQ(T.Nodes.GetChildNode(nullptr, 1), T.E);
    EXPECT_EQ(T.C->GetFirstSibling(), T.B);
    EXPECT_EQ(T.A->GetLastSibling(), T.E);
    int Key = 0;
    T.D->SetData(&Key);
    EXPECT_EQ(T.Nodes.Find(&Key), T.D);
    EXPECT_EQ(T.Nodes.Find(&T), nullptr);
    try {
        T.B->GetItem(0);
        ADD_FAILURE();
    } catch (const Exception& Ex) {
        EXPECT_EQ(Ex.Message, "Index out of bounds (0) for TGxTreeNodes.");
    }
    EXPECT_THROW(T.Nodes.GetChildNode(nullptr, 4), Exception);

    // First-position adds go right after the parent, or to the very start;
    // an inserted node takes the place (and the parent) of the one given.
    T.Nodes.AddItem(T.A, Named(New<TGxTreeNode>(&T.Nodes), u"g"), apFirst);
    T.Nodes.AddItem(nullptr, Named(New<TGxTreeNode>(&T.Nodes), u"h"), apFirst);
    EXPECT_EQ(T.Nodes.Insert(nullptr, u"x"), nullptr);
    EXPECT_EQ(T.Nodes.Insert(T.C, u"x")->GetParent(), T.A);
    EXPECT_EQ(T.Nodes.Insert(T.E, u"y")->GetParent(), nullptr);
    EXPECT_EQ(Outline(T.Nodes), "h0 a4 g0- b0- x0- c1- d0- y0 e0 ");
    ExpectConsistent(T.Nodes);
}

TEST(GxClassesTree, ExpandingShowsDownToCollapsedNodes)
{
    TSampleTree T;
    T.A->SetExpanded(true);
    EXPECT_EQ(Outline(T.Nodes), "a2 b0 c1 d0- e0 ");
    // C expanded under a collapsed ancestor: its child stays hidden until A opens.
    T.A->SetExpanded(false);
    T.C->SetExpanded(true);
    EXPECT_EQ(Outline(T.Nodes), "a2 b0- c1- d0- e0 ");
    T.A->SetExpanded(true);
    EXPECT_EQ(Outline(T.Nodes), "a2 b0 c1 d0 e0 ");
    // A child added under an expanded, shown node shows; under a collapsed one it hides.
    EXPECT_FALSE(T.Nodes.AddChild(T.C)->GetHidden());
    EXPECT_TRUE(T.Nodes.AddChild(T.B)->GetHidden());
}

TEST(GxClassesTree, FreeingKeepsCountsExact)
{
    TSampleTree T;
    std::vector<TGxTreeNode*> Deleted;
    T.Nodes.OnDeleted = [&](TObject* Sender, TGxTreeNode* Item) {
        EXPECT_EQ(Sender, &T.Nodes);
        Deleted.push_back(Item);
    };
    Free(T.C); // its descendants with it, deepest first
    EXPECT_EQ(Deleted, (std::vector<TGxTreeNode*>{T.D, T.C}));
    EXPECT_EQ(Outline(T.Nodes), "a1 b0- e0 ");
    ExpectConsistent(T.Nodes);
    Free(T.E); // a top-level node has no parent to tell; the root count follows
    EXPECT_EQ(T.Nodes.GetRootCount(), 1);
    T.Nodes.Delete(0);
    EXPECT_TRUE(T.Nodes.GetEmpty());
    EXPECT_EQ(T.Nodes.GetRootCount(), 0);

    TGxTreeNode* R = T.Nodes.AddChild(nullptr);
    TGxTreeNode* Child = T.Nodes.AddChild(R);
    T.Nodes.Remove(Child);
    T.Nodes.Remove(R);
    T.Nodes.Remove(R); // not in the list any more: nothing
    EXPECT_EQ(T.Nodes.GetRootCount(), 0);
    EXPECT_EQ(R->GetCount(), 0);
    Free(R);
    Free(Child);

    TSampleTree U;
    U.Nodes.ClearChildren(U.A);
    EXPECT_EQ(Outline(U.Nodes), "a0 e0 ");
    U.Nodes.Clear();
    EXPECT_EQ(U.Nodes.GetRootCount() + U.Nodes.GetCount(), 0);
}

TEST(GxClassesTree, MovingTakesTheWholeSubtreeButNeverIntoItself)
{
    struct TMove {
        char Node, Destination;
        TNodeAttachMode Mode;
        const char* Outline;
    };
    const TMove Moves[] = {
        {'c', 'e', naAddChild, "a1 b0- e1 c1- d0- "},
        {'c', 'a', naInsert, "c1 d0- a1 b0- e0 "},
        {'e', 'b', naAddFirst, "a3 e0- b0- c1- d0- "},
        {'b', 'd', naAdd, "a1 c2- d0- b0- e0 "},
        {'e', 'c', naAddChildFirst, "a2 b0- c2- e0- d0- "},
        {'e', 0, naAddFirst, "e0 a2 b0- c1- d0- "},
        {'a', 0, naAdd, "e0 a2 b0- c1- d0- "},
        // Into its own subtree or onto itself a node cannot go.
        {'a', 'd', naAddChild, "a2 b0- c1- d0- e0 "},
        {'a', 'a', naInsert, "a2 b0- c1- d0- e0 "},
        {'c', 'd', naAdd, "a2 b0- c1- d0- e0 "},
    };
    for (const TMove& M : Moves) {
        TSampleTree T;
        auto Node = [&](char Name) { return Name ? T.Nodes.GetItem(Name - 'a') : nullptr; };
        Node(M.Node)->MoveTo(Node(M.Destination), M.Mode);
        EXPECT_EQ(Outline(T.Nodes), M.Outline) << M.Node << " to " << M.Destination;
        ExpectConsistent(T.Nodes);
    }
    TSampleTree T; // nor into another collection
    TGxTreeNodes Other(nullptr);
    T.B->MoveTo(Other.AddChild(nullptr), naAddChild);
    EXPECT_EQ(Outline(T.Nodes), "a2 b0- c1- d0- e0 ");
}

TEST(GxClassesTree, ComponentNodesKeepCountsAndGoWithTheirOwner)
{
    TOwned<TComponent> Owner(New<TComponent>(nullptr));
    TGxObjectTreeNodes Nodes(Owner.get());
    TGxObjectTreeNode* A = Add(Nodes, (TGxObjectTreeNode*)nullptr, u"a");
    TGxObjectTreeNode* B = Add(Nodes, A, u"b");
    TGxObjectTreeNode* C = Add(Nodes, (TGxObjectTreeNode*)nullptr, u"c");
    EXPECT_EQ(A->GetOwner(), Owner.get());
    EXPECT_FALSE(B->GetTopLevel());
    A->SetExpanded(true); // stores only
    EXPECT_TRUE(B->GetHidden());
    TGxObjectTreeNode* X = Nodes.Insert(C, u"x");
    TGxObjectTreeNode* Y = Nodes.Insert(B, u"y");
    EXPECT_EQ(Outline(Nodes), "a2 y0 b0- x0 c0 ");
    ExpectConsistent(Nodes);
    EXPECT_EQ(C->GetFirstSibling(), A);
    EXPECT_EQ(Y->GetLastSibling(), B);
    C->MoveTo(A, naAddChild); // component nodes do not move
    EXPECT_EQ(Outline(Nodes), "a2 y0 b0- x0 c0 ");
    Free(X);
    Free(A);
    EXPECT_EQ(Outline(Nodes), "c0 ");
    EXPECT_EQ(Owner->GetComponentCount(), 1);
    // The owner frees what is left; the list learns of it.
    Add(Nodes, C, u"d");
    Owner.reset();
    EXPECT_EQ(Nodes.GetCount() + Nodes.GetRootCount(), 0);
}

} // namespace
