// grid/shared/GxClasses.h
// The bottom of the grid library: the enumerations that columns, editors
// and painting share; routines for hints, text measuring, rectangles and
// number input; the localiser; and two node trees kept as a flat list in
// depth-first order.
#pragma once
#include "platform/controls/Controls.h"
#include "platform/controls/HintWindow.h"

namespace GxClasses {

// ---- Shared enumerations -------------------------------------------------------------------

enum TAddPosition { apFirst, apLast };
enum TButtonEdge { beClient, beLeft, beRight };
enum TButtonStateItem { btHover, btDown };
using TButtonState = Set<TButtonStateItem>;
enum TDataKind { dkString, dkFloat, dkInteger };
enum TDirection { diLeftToRight, diRightToLeft };
enum TFillPaintStyle { fsSolid, fsHorzGradient, fsVertGradient, fsGlass };
enum TItemsDisplayMode { dmDefault, dmNameList, dmValueList, dmIndentList };
enum TMouseAction { maMouseDown, maMouseMove, maMouseUp };
enum TPrintUnit { puCentimeter, puMillimeter, puInch, puPixel };
enum TStartDayOfWeek { dwAutomatic, dwMonday, dwSunday };
enum TOrientation { orHorizontal, orVertical };
enum TWrapKind { wkNone, wkEllipsis, wkPathEllipsis, wkWordWrap };
// Where MoveTo puts a node, as the class library's tree views have it: as
// the destination's last or first sibling, its last or first child, or in
// its place (before it).
enum TNodeAttachMode { naAdd, naAddFirst, naAddChild, naAddChildFirst, naInsert };

class TGxTreeNode;
class TGxTreeNodes;

using TGxHtmlClickEvent = std::function<void(TObject* Sender, const WideString& Href)>;
using TGxNodeNotifyEvent = std::function<void(TObject* Sender, TGxTreeNode* Item)>;

// ---- Unit-level values -----------------------------------------------------------------------

// Shared by every localiser and the controls that read them.
extern WideString GxTodayCaption;  // "Today"
extern WideString GxNoneCaption;   // "None"
extern TStartDayOfWeek GxStartDay; // dwSunday
// Text goes through the wide-character platform calls (set at start-up; the
// platform always has them).
extern bool GxWideText;

// ---- Routines ----------------------------------------------------------------------------------

// A null hint window is ignored (CalcHintRect then answers an empty rectangle).
void ActivateHint(THintWindow* HintWindow, const TRect& Rect, const WideString& Text);
TRect CalcHintRect(THintWindow* HintWindow, int MaxWidth, const WideString& Text);
void DeactivateHint(THintWindow* HintWindow);

void Exchange(int& A, int& B);
// Raises Value to Min, then lowers it to Max (so Max wins when Min > Max).
void SetRange(int& Value, int Min, int Max);
void ResizeRect(TRect& Rect, int DLeft, int DTop, int DRight, int DBottom);

// True when the control sits on a top-level form and that form is active.
bool ParentFormActive(TControl* Control);

// The extent of one line of text in the canvas's font.
int GetTextWidth(TCanvas* Canvas, const WideString& Text);
int GetTextHeight(TCanvas* Canvas, const WideString& Text);
// The width of the widest line (line breaks respected, no word wrapping).
int GetMultilineTextWidth(TCanvas* Canvas, const WideString& Text);
// DrawText on the canvas through the wide or the 8-bit call, as GxWideText
// says: draws, or with DT_CALCRECT measures into Rect.
int DrawTextBy(TCanvas* Canvas, const WideString& Text, TRect& Rect, UINT Flags);

// dkInteger for digits with at most a leading sign (the empty text too),
// dkFloat when one decimal separator is added, dkString otherwise.
TDataKind GetDataKind(const AnsiString& S);
// S without the characters a number cannot hold: digits, a leading sign
// (only with AllowSigns) and the first decimal separator (only with
// AllowFloat) stay.
AnsiString KeepNumberChars(const AnsiString& S, bool AllowFloat, bool AllowSigns);
// Value as a plain decimal with at most 15 significant digits and never an
// exponent, so that number input reads it back: 0.000001, not 1E-6.
AnsiString FloatToPlainStr(double Value);
// KeepNumberChars, where text that would not convert to a number ("", "-",
// ".", "-." ...) becomes "0", so the result always converts.
AnsiString CleanNumberText(const AnsiString& S, bool AllowFloat, bool AllowSigns);
// The number in S after cleaning, converted with the current format
// settings; unless Min and Max are both 0, kept within Min..Max (Max first).
double GetValidNumber(const AnsiString& S, bool AllowFloat, bool AllowSigns, double Min, double Max);

// ---- Localiser -------------------------------------------------------------------------------------

// Reads and writes the unit-level captions and start day.
class TGxLocalizer : public TComponent {
public:
    QM_CLASS(TGxLocalizer, TComponent)
    using TComponent::TComponent;

    WideString GetNoneCaption() const { return GxNoneCaption; }
    void SetNoneCaption(const WideString& Value) { GxNoneCaption = Value; }
    TStartDayOfWeek GetStartDay() const { return GxStartDay; }
    void SetStartDay(TStartDayOfWeek Value) { GxStartDay = Value; }
    WideString GetTodayCaption() const { return GxTodayCaption; }
    void SetTodayCaption(const WideString& Value) { GxTodayCaption = Value; }
};

// ---- Node tree ------------------------------------------------------------------------------------------

// A node of a TGxTreeNodes. Its position in the tree is its collection's
// business: create nodes with the collection's AddChild or Insert, free
// them with Free (which frees their children first).
class TGxTreeNode : public TPersistent {
public:
    QM_CLASS(TGxTreeNode, TPersistent)
    explicit TGxTreeNode(TGxTreeNodes* AOwner) : FItems(AOwner) {}
    void BeforeDestruction() override;

    // The number of direct children.
    int GetCount() const { return FCount; }
    void* GetData() const { return FData; }
    void SetData(void* Value) { FData = Value; }
    bool GetExpanded() const { return FExpanded; }
    // Expands or collapses the node's descendants when the value changes.
    void SetExpanded(bool Value);
    // True when an ancestor is collapsed.
    bool GetHidden() const { return FHidden; }
    TGxTreeNodes* GetItems() const { return FItems; }
    int GetLevel() const { return FLevel; }
    TGxTreeNode* GetParent() const { return FParent; }
    int GetTag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }
    const WideString& GetText() const { return FText; }
    void SetText(const WideString& Value) { FText = Value; }

    // The node's index in its collection's list, or -1.
    int GetAbsoluteIndex() const;
    TGxTreeNode* GetFirstSibling() const;
    TGxTreeNode* GetLastSibling() const;
    // The Index-th direct child (raises for an index out of range).
    TGxTreeNode* GetItem(int Index) const;
    // Moves the node with all its descendants next to or under Destination
    // (null: among the top-level nodes). Nothing changes when Destination
    // is the node itself or one of its descendants, or in another collection.
    void MoveTo(TGxTreeNode* Destination, TNodeAttachMode Mode);

private:
    friend class TGxTreeNodes;
    friend struct TNodeLinks;
    TGxTreeNodes* FItems;
    int FCount = 0;
    void* FData = nullptr;
    bool FExpanded = false;
    bool FHidden = false;
    int FLevel = 0;
    TGxTreeNode* FParent = nullptr;
    int FTag = 0;
    WideString FText;
};

// A node class reference: makes a node of that class for a collection.
using TGxTreeNodeClass = TGxTreeNode* (*)(TGxTreeNodes* AOwner);

// The nodes of a tree, owned here, in a list in depth-first order: every
// node is followed by its descendants.
class TGxTreeNodes : public TObject {
public:
    QM_CLASS(TGxTreeNodes, TObject)
    explicit TGxTreeNodes(TComponent* AOwner);
    ~TGxTreeNodes() override;

    // A new node of GetTreeNodeClass as Parent's last child (null: the last top-level node).
    TGxTreeNode* AddChild(TGxTreeNode* Parent);
    // Puts a new node into the tree under Parent (null: top level), first or last.
    void AddItem(TGxTreeNode* Parent, TGxTreeNode* Node, TAddPosition Position);
    // A new node with Text in Node's place (before it, same parent); null for a null Node.
    TGxTreeNode* Insert(TGxTreeNode* Node, const WideString& Text);
    // The number of all descendants (all nodes for null).
    int GetChildCount(TGxTreeNode* Node) const;
    // The number of direct children (top-level nodes for null).
    int GetItemCount(TGxTreeNode* Node) const;
    // The Index-th direct child (top-level node for null); raises Exception
    // "Index out of bounds (%d) for %s." for an index out of range.
    TGxTreeNode* GetChildNode(TGxTreeNode* Node, int Index) const;
    // The first node in list order with that Data, or null.
    TGxTreeNode* Find(void* Data) const;
    TGxTreeNode* GetNodeOf(void* Data) const { return Find(Data); }
    // Shows (Value true: down to collapsed descendants) or hides Node's descendants.
    void Expand(TGxTreeNode* Node, bool Value);
    // Takes Node out of the tree (its children must be gone, as freeing
    // does it) and fires OnDeleted; the node is not freed.
    void Remove(TGxTreeNode* Node);
    void ClearChildren(TGxTreeNode* Node);
    void Delete(int Index);
    void Clear();

    int GetCount() const { return FList->GetCount(); }
    bool GetEmpty() const { return GetCount() < 1; }
    TGxTreeNode* GetItem(int Index) const { return static_cast<TGxTreeNode*>(FList->Get(Index)); }
    TList* GetList() const { return FList.get(); }
    TComponent* GetOwner() const { return FOwner; }
    int GetRootCount() const { return FRootCount; }

    TGxNodeNotifyEvent OnDeleted;

protected:
    virtual TGxTreeNodeClass GetTreeNodeClass();
    virtual void DoDeleted(TGxTreeNode* Node);

private:
    friend class TGxTreeNode;
    void SetParent(TGxTreeNode* Node, TGxTreeNode* Parent);
    // Moves Node with its descendants as MoveTo says.
    void MoveItem(TGxTreeNode* Node, TGxTreeNode* Destination, TNodeAttachMode Mode);

    TOwned<TList> FList;
    TComponent* FOwner;
    int FRootCount = 0;
};

// ---- Component node tree ---------------------------------------------------------------------------------

class TGxObjectTreeNodes;

// A node that is a component (owned by the collection's owner as well).
class TGxObjectTreeNode : public TComponent {
public:
    QM_CLASS(TGxObjectTreeNode, TComponent)
    explicit TGxObjectTreeNode(TComponent* AOwner) : TComponent(AOwner) {}
    void BeforeDestruction() override;

    int GetCount() const { return FCount; }
    void* GetData() const { return FData; }
    void SetData(void* Value) { FData = Value; }
    bool GetExpanded() const { return FExpanded; }
    // Only stores the value.
    void SetExpanded(bool Value) { FExpanded = Value; }
    bool GetHidden() const { return FHidden; }
    TGxObjectTreeNodes* GetItems() const { return FItems; }
    int GetLevel() const { return FLevel; }
    TGxObjectTreeNode* GetParent() const { return FParent; }
    bool GetTopLevel() const { return FParent == nullptr; }
    const WideString& GetText() const { return FText; }
    void SetText(const WideString& Value) { FText = Value; }

    int GetAbsoluteIndex() const;
    TGxObjectTreeNode* GetFirstSibling() const;
    TGxObjectTreeNode* GetLastSibling() const;
    // Component nodes do not move.
    void MoveTo(TGxObjectTreeNode* Destination, TNodeAttachMode Mode);

private:
    friend class TGxObjectTreeNodes;
    friend struct TNodeLinks;
    TGxObjectTreeNodes* FItems = nullptr;
    int FCount = 0;
    void* FData = nullptr;
    bool FExpanded = false;
    bool FHidden = false;
    int FLevel = 0;
    TGxObjectTreeNode* FParent = nullptr;
    WideString FText;
};

using TGxObjectTreeNodeClass = TGxObjectTreeNode* (*)(TComponent* AOwner);

class TGxObjectTreeNodes : public TObject {
public:
    QM_CLASS(TGxObjectTreeNodes, TObject)
    explicit TGxObjectTreeNodes(TComponent* AOwner);
    ~TGxObjectTreeNodes() override;

    TGxObjectTreeNode* AddChild(TGxObjectTreeNode* Parent);
    void AddItem(TGxObjectTreeNode* Parent, TGxObjectTreeNode* Node, TAddPosition Position);
    // Puts Node into the list at After's position (Node must not be in it).
    void AddAfter(TGxObjectTreeNode* Node, TGxObjectTreeNode* After);
    TGxObjectTreeNode* Insert(TGxObjectTreeNode* Node, const WideString& Text);
    int GetChildCount(TGxObjectTreeNode* Node) const;
    int GetItemCount(TGxObjectTreeNode* Node) const;
    // Takes Node out of the list (its children must be gone); not freed.
    void Remove(TGxObjectTreeNode* Node);
    void ClearChildren(TGxObjectTreeNode* Node);
    void Delete(int Index);
    void Clear();

    int GetCount() const { return FList->GetCount(); }
    bool GetEmpty() const { return GetCount() < 1; }
    TGxObjectTreeNode* GetItem(int Index) const { return static_cast<TGxObjectTreeNode*>(FList->Get(Index)); }
    TList* GetList() const { return FList.get(); }
    TComponent* GetOwner() const { return FOwner; }
    int GetRootCount() const { return FRootCount; }

protected:
    virtual TGxObjectTreeNodeClass GetTreeNodeClass();

private:
    friend class TGxObjectTreeNode;
    void SetParent(TGxObjectTreeNode* Node, TGxObjectTreeNode* Parent);

    TOwned<TList> FList;
    TComponent* FOwner;
    int FRootCount = 0;
};

// Adds the unit's start-up (the wide-text flag) to the program's unit sections.
void RegisterUnit();

} // namespace GxClasses
