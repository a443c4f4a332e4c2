#include "grid/shared/GxClasses.h"
#include "platform/rtl/Codec.h"
#include "tests/platform/controls/ControlFixtures.h"

#include <string>

namespace {

using namespace GxClasses;

// ---- Enumerations and small routines ------------------------------------------------------------

TEST(GxClasses, EnumerationsKeepTheirOrder)
{
    EXPECT_EQ(apLast, 1);
    EXPECT_EQ(beRight, 2);
    EXPECT_EQ(dkString, 0);
    EXPECT_EQ(dkInteger, 2);
    EXPECT_EQ(diRightToLeft, 1);
    EXPECT_EQ(fsGlass, 3);
    EXPECT_EQ(dmIndentList, 3);
    EXPECT_EQ(maMouseUp, 2);
    EXPECT_EQ(puPixel, 3);
    EXPECT_EQ(dwAutomatic, 0);
    EXPECT_EQ(dwSunday, 2);
    EXPECT_EQ(orVertical, 1);
    EXPECT_EQ(wkPathEllipsis, 2);
    EXPECT_EQ(wkWordWrap, 3);
    TButtonState S{btDown};
    EXPECT_TRUE(S.Contains(btDown));
    EXPECT_FALSE(S.Contains(btHover));
}

TEST(GxClasses, RangesRectanglesAndSwaps)
{
    int V = 5;
    SetRange(V, 10, 20);
    EXPECT_EQ(V, 10);
    V = 25;
    SetRange(V, 10, 20);
    EXPECT_EQ(V, 20);
    V = 5;
    SetRange(V, 30, 20); // Min above Max: Max wins
    EXPECT_EQ(V, 20);

    int A = 1, B = 2;
    Exchange(A, B);
    EXPECT_EQ(A, 2);
    EXPECT_EQ(B, 1);

    TRect R = Rect(10, 20, 30, 40);
    ResizeRect(R, -1, 2, 3, -4);
    EXPECT_EQ(R, Rect(9, 22, 33, 36));
}

TEST(GxClasses, DataKindOfText)
{
    EXPECT_EQ(GetDataKind("12"), dkInteger);
    EXPECT_EQ(GetDataKind("-12"), dkInteger);
    EXPECT_EQ(GetDataKind(""), dkInteger);
    EXPECT_EQ(GetDataKind("+"), dkInteger);
    EXPECT_EQ(GetDataKind("1.5"), dkFloat);
    EXPECT_EQ(GetDataKind("1.2.3"), dkString);
    EXPECT_EQ(GetDataKind("1-2"), dkString);
    EXPECT_EQ(GetDataKind("1e5"), dkString);
    EXPECT_EQ(GetDataKind(" 1"), dkString);
}

// Format settings changed for one test and put back.
class TDecimalSeparator {
public:
    explicit TDecimalSeparator(char C) : FSaved(FormatSettings.DecimalSeparator)
    {
        FormatSettings.DecimalSeparator = C;
    }
    ~TDecimalSeparator() { FormatSettings.DecimalSeparator = FSaved; }

private:
    char FSaved;
};

TEST(GxClasses, NumberInputKeepsWhatANumberCanHold)
{
    EXPECT_EQ(GetValidNumber("a-1x2", true, true, 0, 0), -12);
    EXPECT_EQ(GetValidNumber("a-1x2", true, false, 0, 0), 12);
    EXPECT_EQ(GetValidNumber("1-2", true, true, 0, 0), 12); // a sign counts only in front
    EXPECT_EQ(GetValidNumber("-", true, true, 0, 0), 0);
    EXPECT_EQ(GetValidNumber("", true, true, 0, 0), 0);
    EXPECT_DOUBLE_EQ(GetValidNumber("1.2.5", true, true, 0, 0), 1.25);
    EXPECT_EQ(GetValidNumber("1.25", false, true, 0, 0), 125);
    EXPECT_EQ(GetValidNumber("150", true, true, 0, 100), 100);
    EXPECT_EQ(GetValidNumber("-150", true, true, -100, 100), -100);
    EXPECT_EQ(GetValidNumber("50", true, true, 60, 100), 60);

    TDecimalSeparator Comma(',');
    EXPECT_DOUBLE_EQ(GetValidNumber("2,5", true, true, 0, 0), 2.5);
    EXPECT_EQ(GetValidNumber("2.5", true, true, 0, 0), 25);
}

TEST(GxClasses, CleanedNumberTextAlwaysConverts)
{
    // A lone separator, a sign with a separator and the backspace key's
    // character used to survive the cleaning and fail to convert.
    for (const char* S : {".", "-.", "+.", "\b", "-\b", "x", "+", "-"}) {
        const AnsiString Clean = CleanNumberText(S, true, true);
        EXPECT_EQ(Clean, "0") << S;
        EXPECT_EQ(GetValidNumber(S, true, true, 0, 0), 0) << S;
    }
    EXPECT_EQ(CleanNumberText("1\b2", true, true), "12");
    EXPECT_EQ(CleanNumberText("5.", true, true), "5.");
    EXPECT_EQ(CleanNumberText("-.5", true, true), "-.5");
    EXPECT_DOUBLE_EQ(GetValidNumber("-.5", true, true, 0, 0), -0.5);
    for (const char* S : {"1.2.3", "--4", "+-.7x", "a.b.c", "9\b.", "1e9"}) {
        Extended V;
        EXPECT_TRUE(TryStrToFloat(CleanNumberText(S, true, true), V)) << S;
        EXPECT_TRUE(TryStrToFloat(CleanNumberText(S, false, false), V)) << S;
    }
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
    EXPECT_EQ(GxTodayCaption, u"Heute");

    B->SetTodayCaption(u"Today");
    B->SetNoneCaption(u"None");
    B->SetStartDay(dwSunday);
    EXPECT_EQ(GxStartDay, dwSunday);
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

template <typename TNodes, typename TNode> TNode* Add(TNodes& Nodes, TNode* Parent, const char16_t* Text)
{
    TNode* N = Nodes.AddChild(Parent);
    N->SetText(Text);
    return N;
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
    EXPECT_EQ(T.Nodes.GetChildCount(nullptr), 5);
    EXPECT_EQ(T.Nodes.GetItemCount(T.A), 2);
    EXPECT_EQ(T.Nodes.GetItemCount(nullptr), 2);
    EXPECT_EQ(T.A->GetItem(1), T.C);
    EXPECT_EQ(T.Nodes.GetChildNode(nullptr, 1), T.E);
    EXPECT_EQ(T.C->GetFirstSibling(), T.B);
    EXPECT_EQ(T.B->GetLastSibling(), T.C);
    EXPECT_EQ(T.A->GetLastSibling(), T.E);
    EXPECT_EQ(T.D->GetFirstSibling(), T.D);

    // First-position adds go right after the parent, or to the very start.
    TGxTreeNode* G = New<TGxTreeNode>(&T.Nodes);
    G->SetText(u"g");
    T.Nodes.AddItem(T.A, G, apFirst);
    TGxTreeNode* H = New<TGxTreeNode>(&T.Nodes);
    H->SetText(u"h");
    T.Nodes.AddItem(nullptr, H, apFirst);
    EXPECT_EQ(Outline(T.Nodes), "h0 a3 g0- b0- c1- d0- e0 ");
    ExpectConsistent(T.Nodes);

    try {
        T.B->GetItem(0);
        FAIL();
    } catch (const Exception& Ex) {
        EXPECT_EQ(Ex.Message, "Index out of bounds (0) for TGxTreeNodes.");
    }
    EXPECT_THROW(T.Nodes.GetChildNode(T.A, -1), Exception);
    EXPECT_THROW(T.Nodes.GetChildNode(nullptr, 4), Exception);
}

TEST(GxClassesTree, FindAndInsert)
{
    TSampleTree T;
    int Key = 0;
    T.D->SetData(&Key);
    EXPECT_EQ(T.Nodes.Find(&Key), T.D);
    EXPECT_EQ(T.Nodes.GetNodeOf(&Key), T.D);
    EXPECT_EQ(T.Nodes.Find(&T), nullptr);

    EXPECT_EQ(T.Nodes.Insert(nullptr, u"x"), nullptr);
    TGxTreeNode* X = T.Nodes.Insert(T.C, u"x");
    EXPECT_EQ(X->GetParent(), T.A);
    // Before a top-level node: a top-level node, counted.
    TGxTreeNode* Y = T.Nodes.Insert(T.E, u"y");
    EXPECT_EQ(Y->GetParent(), nullptr);
    EXPECT_EQ(Outline(T.Nodes), "a3 b0- x0- c1- d0- y0 e0 ");
    ExpectConsistent(T.Nodes);
}

TEST(GxClassesTree, ExpandingShowsDownToCollapsedNodes)
{
    TSampleTree T;
    T.A->SetExpanded(true);
    EXPECT_EQ(Outline(T.Nodes), "a2 b0 c1 d0- e0 ");
    T.C->SetExpanded(true);
    EXPECT_EQ(Outline(T.Nodes), "a2 b0 c1 d0 e0 ");
    T.A->SetExpanded(false);
    EXPECT_EQ(Outline(T.Nodes), "a2 b0- c1- d0- e0 ");
    // C stays expanded but under a collapsed ancestor: its child stays hidden.
    T.C->SetExpanded(false);
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
    // Freeing a node takes its descendants with it, deepest first.
    Free(T.C);
    EXPECT_EQ(Deleted, (std::vector<TGxTreeNode*>{T.D, T.C}));
    EXPECT_EQ(Outline(T.Nodes), "a1 b0- e0 ");
    ExpectConsistent(T.Nodes);

    // A top-level node has no parent to tell; the root count follows.
    Free(T.E);
    EXPECT_EQ(T.Nodes.GetRootCount(), 1);
    T.Nodes.Delete(0);
    EXPECT_EQ(T.Nodes.GetRootCount(), 0);
    EXPECT_TRUE(T.Nodes.GetEmpty());

    TGxTreeNode* R = T.Nodes.AddChild(nullptr);
    TGxTreeNode* Child = T.Nodes.AddChild(R);
    T.Nodes.Remove(Child);
    T.Nodes.Remove(R);
    EXPECT_EQ(T.Nodes.GetRootCount(), 0);
    EXPECT_EQ(R->GetCount(), 0);
    EXPECT_EQ(R->GetItems(), nullptr);
    T.Nodes.Remove(R); // not in the list any more: nothing
    Free(R);
    Free(Child);

    TSampleTree U;
    U.Nodes.ClearChildren(U.A);
    EXPECT_EQ(Outline(U.Nodes), "a0 e0 ");
    U.Nodes.Clear();
    EXPECT_EQ(U.Nodes.GetRootCount(), 0);
    EXPECT_EQ(U.Nodes.GetCount(), 0);
}

TEST(GxClassesTree, MovingTakesTheWholeSubtree)
{
    {
        TSampleTree T;
        T.C->MoveTo(T.E, naAddChild);
        EXPECT_EQ(Outline(T.Nodes), "a1 b0- e1 c1- d0- ");
        ExpectConsistent(T.Nodes);
    }
    {
        TSampleTree T;
        T.C->MoveTo(T.A, naInsert);
        EXPECT_EQ(Outline(T.Nodes), "c1 d0- a1 b0- e0 ");
        ExpectConsistent(T.Nodes);
        EXPECT_EQ(T.D->GetLevel(), 1);
    }
    {
        TSampleTree T;
        T.E->MoveTo(T.B, naAddFirst);
        EXPECT_EQ(Outline(T.Nodes), "a3 e0- b0- c1- d0- ");
        ExpectConsistent(T.Nodes);
    }
    {
        TSampleTree T;
        T.A->SetExpanded(true);
        T.B->MoveTo(T.D, naAdd);
        EXPECT_EQ(Outline(T.Nodes), "a1 c2 d0- b0- e0 ");
        ExpectConsistent(T.Nodes);
        EXPECT_EQ(T.B->GetLevel(), 2);
    }
    {
        TSampleTree T;
        T.E->MoveTo(T.C, naAddChildFirst);
        EXPECT_EQ(Outline(T.Nodes), "a2 b0- c2- e0- d0- ");
        T.A->MoveTo(nullptr, naAdd);
        EXPECT_EQ(Outline(T.Nodes), "a2 b0- c2- e0- d0- ");
        T.E->MoveTo(nullptr, naAddFirst);
        EXPECT_EQ(Outline(T.Nodes), "e0 a2 b0- c1- d0- ");
        ExpectConsistent(T.Nodes);
    }
    {
        // Into its own subtree a node cannot go: nothing changes.
        TSampleTree T;
        const std::string Before = Outline(T.Nodes);
        T.A->MoveTo(T.D, naAddChild);
        T.A->MoveTo(T.A, naInsert);
        T.C->MoveTo(T.D, naAdd);
        TGxTreeNodes Other(nullptr);
        T.B->MoveTo(Other.AddChild(nullptr), naAddChild);
        EXPECT_EQ(Outline(T.Nodes), Before);
        ExpectConsistent(T.Nodes);
    }
}

// ---- Component node tree ------------------------------------------------------------------------------------

TEST(GxClassesTree, ComponentNodesKeepCountsAndGoWithTheirOwner)
{
    TOwned<TComponent> Owner(New<TComponent>(nullptr));
    TGxObjectTreeNodes Nodes(Owner.get());
    TGxObjectTreeNode* A = Add(Nodes, (TGxObjectTreeNode*)nullptr, u"a");
    TGxObjectTreeNode* B = Add(Nodes, A, u"b");
    TGxObjectTreeNode* C = Add(Nodes, (TGxObjectTreeNode*)nullptr, u"c");
    EXPECT_EQ(A->GetOwner(), Owner.get());
    EXPECT_TRUE(A->GetTopLevel());
    EXPECT_FALSE(B->GetTopLevel());
    EXPECT_TRUE(B->GetHidden());
    A->SetExpanded(true); // stores only
    EXPECT_TRUE(B->GetHidden());

    TGxObjectTreeNode* X = Nodes.Insert(C, u"x");
    TGxObjectTreeNode* Y = Nodes.Insert(B, u"y");
    EXPECT_EQ(Outline(Nodes), "a2 y0 b0- x0 c0 ");
    ExpectConsistent(Nodes);
    EXPECT_EQ(Nodes.GetChildCount(A), 2);
    EXPECT_EQ(C->GetFirstSibling(), A);
    EXPECT_EQ(Y->GetLastSibling(), B);

    C->MoveTo(A, naAddChild); // component nodes do not move
    EXPECT_EQ(Outline(Nodes), "a2 y0 b0- x0 c0 ");

    Free(X);
    Free(A);
    EXPECT_EQ(Outline(Nodes), "c0 ");
    ExpectConsistent(Nodes);
    EXPECT_EQ(Owner->GetComponentCount(), 1);

    // The owner frees what is left; the list learns of it.
    Add(Nodes, C, u"d");
    Owner.reset();
    EXPECT_EQ(Nodes.GetCount(), 0);
    EXPECT_EQ(Nodes.GetRootCount(), 0);
}

} // namespace
