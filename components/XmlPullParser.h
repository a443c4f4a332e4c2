// components/XmlPullParser.h
// A small, forgiving pull parser over one NUL-terminated buffer of 8-bit text,
// and the non-visual component that turns its parts into events.
#pragma once
#include "platform/classes/Classes.h"

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace XmlPullParser {

enum TPartType { ptNone, ptXmlProlog, ptComment, ptPI, ptDtdc, ptStartTag, ptEmptyTag, ptEndTag, ptContent, ptCData };
enum TDtdElemType { deElement, deAttList, deEntity, deNotation, dePI, deComment, deError };
enum TValueType { vtNormal, vtImplied, vtFixed, vtDefault };
enum TAttrDefault { adDefault, adRequired, adImplied, adFixed };
enum TAttrType {
    atUnknown,
    atCData,
    atID,
    atIdRef,
    atIdRefs,
    atEntity,
    atEntities,
    atNmToken,
    atNmTokens,
    atNotation,
    atEnumeration
};
enum TElemType { etEmpty, etAny, etChildren, etMixed };
using TCharset = Set<char>;

inline constexpr const char* PartTypeNames[] = {"",          "XML Prolog", "Comment", "PI",   "DTD Declaration",
                                                "Start Tag", "Empty Tag",  "End Tag", "Text", "CDATA"};
inline constexpr const char* ValueTypeNames[] = {"Normal", "Implied", "Fixed", "Default"};
inline constexpr const char* AttrDefaultNames[] = {"Default", "Required", "Implied", "Fixed"};
inline constexpr const char* AttrTypeNames[] = {"Unknown",  "CDATA",   "ID",       "IDREF",    "IDREFS",     "ENTITY",
                                                "ENTITIES", "NMTOKEN", "NMTOKENS", "Notation", "Enumeration"};
inline constexpr const char* ElemTypeNames[] = {"Empty", "Any", "Childs only", "Mixed"};

// Expansion stops here: deeper references, and references once the document
// has expanded by 16 times its size plus 1 MiB, stay as they are written.
inline constexpr int MaxEntityDepth = 32;

class TXmlParser;

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
class TNvpList : public TObject {
public:
    // Inserts before any nodes of the same name.
    void Add(TNvpNode* Node);
    TNvpNode* Node(const AnsiString& Name) const;
    TNvpNode* Node(int Index) const;
    AnsiString Value(const AnsiString& Name) const;
    AnsiString Value(int Index) const;
    AnsiString Name(int Index) const;
    int GetCount() const { return static_cast<int>(FNodes.size()); }
    void Delete(int Index);
    // Frees every node called Name.
    void RemoveName(const AnsiString& Name);
    void Clear() { FNodes.clear(); }

private:
    std::vector<TOwned<TNvpNode>> FNodes;
};

// A list whose nodes are all of one class.
template <typename T> class TTypedNvpList : public TNvpList {
public:
    void Add(T* Item) { TNvpList::Add(Item); }
    T* Node(const AnsiString& Name) const { return static_cast<T*>(TNvpList::Node(Name)); }
    T* Node(int Index) const { return static_cast<T*>(TNvpList::Node(Index)); }
};

class TAttr : public TNvpNode {
public:
    using TNvpNode::TNvpNode;
    TValueType ValueType = vtNormal;
    TAttrType AttrType = atUnknown;
};

class TAttrList : public TTypedNvpList<TAttr> {
public:
    // Reads name="value" pairs from Start; returns where reading stopped
    // (a NUL, a '>' or the first character that cannot start a name).
    const char* Analyze(const char* Start);
};

// A declared attribute; Value is its declared default.
class TAttrDef : public TNvpNode {
public:
    using TNvpNode::TNvpNode;
    AnsiString TypeDef;
    AnsiString Notations;
    TAttrType AttrType = atUnknown;
    TAttrDefault DefaultType = adDefault;
};

// A declared element and its declared attributes.
class TElemDef : public TTypedNvpList<TAttrDef> {
public:
    AnsiString Name;
    TElemType ElemType = etAny;
    AnsiString Definition;
};

class TElemList : public TObject {
public:
    void Add(TElemDef* Node);
    TElemDef* Node(const AnsiString& Name) const;
    TElemDef* Node(int Index) const;
    int GetCount() const { return static_cast<int>(FNodes.size()); }
    void RemoveName(const AnsiString& Name);
    void Clear() { FNodes.clear(); }

private:
    std::vector<TOwned<TElemDef>> FNodes;
};

// A declared entity; Value is the literal replacement text, empty for an
// external one.
class TEntityDef : public TNvpNode {
public:
    using TNvpNode::TNvpNode;
    AnsiString SystemId;
    AnsiString PublicId;
    AnsiString NotationName;
};

// A declared notation; Value holds its system identifier.
class TNotationDef : public TNvpNode {
public:
    using TNvpNode::TNvpNode;
    AnsiString PublicId;
};

using TEntityList = TTypedNvpList<TEntityDef>;
using TNotationList = TTypedNvpList<TNotationDef>;

// SYSTEM "..." or PUBLIC "..." "..." read from Start; Final is the last
// character read.
class TExternalID : public TObject {
public:
    explicit TExternalID(const char* Start);
    AnsiString PublicId;
    AnsiString SystemId;
    const char* Final = nullptr;
};

class TEntityStackNode : public TObject {
public:
    ~TEntityStackNode() override { Free(Instance); }
    TObject* Instance = nullptr; // freed when the node is popped
    AnsiString Encoding;         // the parser's encoding when the node was pushed
    const char* Pos = nullptr;   // where reading resumes
    // The text of the entity being read, copied so that a declaration read
    // inside it cannot pull it away, with a NUL before it as before any text.
    std::unique_ptr<char[]> Text;
};

// The entities being expanded, innermost last.
class TEntityStack : public TObject {
public:
    explicit TEntityStack(TXmlParser* AOwner) : FOwner(AOwner) {}
    void Push(const char* APos) { Push(nullptr, APos); }
    void Push(TObject* AInstance, const char* APos);
    // Pushes APos and a copy of Text (the text of AInstance, if given);
    // returns where the copy starts.
    const char* PushText(std::string_view Text, const char* APos, TObject* AInstance = nullptr);
    // The position to resume at, or null when the stack is empty.
    const char* Pop();
    int GetCount() const { return static_cast<int>(FNodes.size()); }
    void Clear() { FNodes.clear(); }

private:
    TXmlParser* FOwner;
    std::vector<TOwned<TEntityStackNode>> FNodes;
};

struct TDtdElementRec {
    const char* Start = nullptr;
    const char* Final = nullptr;
    TDtdElemType ElementType = deError;
    TElemDef* ElemDef = nullptr;
    TEntityDef* EntityDef = nullptr;
    TNotationDef* NotationDef = nullptr;
    AnsiString Target;
    AnsiString Content;
    TAttrList* AttrList = nullptr;
    const char* Pos = nullptr;
};

class TXmlParser : public TObject {
public:
    TXmlParser();
    ~TXmlParser() override;

    void Clear();
    // Never raises: false leaves an empty, cleared parser.
    bool LoadFromFile(const AnsiString& Filename, Word FileMode = fmOpenRead | fmShareDenyNone);
    bool LoadFromBuffer(std::string_view Text);
    // Reads the caller's text in place; it must outlive the scan.
    void SetBuffer(const char* Text);
    const char* GetDocBuffer() const;

    void StartScan();
    // The next part into the current-part fields; false at the end.
    bool Scan();

    const AnsiString& GetSource() const { return FSource; }
    const AnsiString& GetXmlVersion() const { return FXmlVersion; }
    const AnsiString& GetEncoding() const { return FEncoding; }
    bool GetStandalone() const { return FStandalone; }
    const AnsiString& GetRootElementName() const { return FRootElementName; }
    const char* GetDtdEnd() const { return FDtdEnd; }
    bool GetNormalize() const { return FNormalize; }
    void SetNormalize(bool Value) { FNormalize = Value; }
    TEntityStack* GetEntityStack() const { return FEntityStack.get(); }
    const AnsiString& GetCurrentEncoding() const { return FCurrentEncoding; }
    TElemList* GetElements() const { return FElements.get(); }
    TEntityList* GetEntities() const { return FEntities.get(); }
    TEntityList* GetParameterEntities() const { return FParameterEntities.get(); }
    TNotationList* GetNotations() const { return FNotations.get(); }

    TPartType GetCurPartType() const { return FCurPartType; }
    const AnsiString& GetCurName() const { return FCurName; }
    const AnsiString& GetCurContent() const { return FCurContent; }
    // A text part may begin inside an entity and end after it: its start is
    // then gone with the entity's text and must not be read.
    const char* GetCurStart() const { return FCurStart; }
    const char* GetCurFinal() const { return FCurFinal; }
    TAttrList* GetCurAttr() const { return FCurAttr.get(); }

    // A new parser holding the external entity's text; the caller frees it.
    virtual TXmlParser* LoadExternalEntity(const AnsiString& SystemId, const AnsiString& PublicId,
                                           const AnsiString& Notation);
    virtual AnsiString TranslateEncoding(const AnsiString& Source);
    virtual void DtdElementFound(const TDtdElementRec& DtdElementRec);

private:
    friend class TEntityStack;

    void ResetScan();
    void SetOwnedText(std::string_view Text);
    bool TakeExpansion(std::size_t Length, int Depth);

    void AnalyzeProlog();
    void AnalyzeComment();
    void AnalyzePI();
    const char* ReadPI(const char* Start);
    void AnalyzeDtdc();
    void AnalyzeTag();
    void AnalyzeCData();
    bool AnalyzeText();
    void ReadTextReference();
    void ExpandAttributes();

    const char* AnalyzeDtdElements(const char* Start, int Floor);
    void ReadExternalDtd(const TExternalID& Id);
    const char* AnalyzeElementDecl(const char* Start);
    const char* AnalyzeAttListDecl(const char* Start, int Floor);
    const char* AnalyzeEntityDecl(const char* Start);
    const char* AnalyzeNotationDecl(const char* Start);
    void PushPE(const char*& Pos);
    void ReportError(const char* Pos);

    AnsiString ExpandAttrValue(const AnsiString& Source, int Depth);
    AnsiString ReplaceParameterEntities(const AnsiString& Source, int Depth);
    bool LoadExternalText(const TEntityDef* Def, int Depth, AnsiString& Text);

    std::unique_ptr<char[]> FOwnedBuffer;
    const char* FBuffer = nullptr;
    int FBufferSize = 0;
    const char* FBufferEnd = nullptr;
    AnsiString FSource;
    AnsiString FXmlVersion;
    AnsiString FEncoding;
    bool FStandalone = false;
    AnsiString FRootElementName;
    const char* FDtdStart = nullptr;
    const char* FDtdEnd = nullptr;
    bool FNormalize = true;
    TOwned<TEntityStack> FEntityStack;
    AnsiString FCurrentEncoding;
    TOwned<TElemList> FElements;
    TOwned<TEntityList> FEntities;
    TOwned<TEntityList> FParameterEntities;
    TOwned<TNotationList> FNotations;
    TPartType FCurPartType = ptNone;
    AnsiString FCurName;
    AnsiString FCurContent;
    const char* FCurStart = nullptr;
    const char* FCurFinal = nullptr;
    TOwned<TAttrList> FCurAttr;
    Int64 FExpansionLeft = 0;
};

// ---- Routines -----------------------------------------------------------------

// Removes whitespace (tab, line feed, carriage return, blank) from both ends.
AnsiString TrimWs(const AnsiString& Source);
// Turns each whitespace character into a blank; PackWs makes each run one blank.
AnsiString ConvertWs(const AnsiString& Source, bool PackWs);
AnsiString DelChars(const AnsiString& Source, const TCharset& CharsToDelete);
// The text from Start to Final inclusive; empty when Final lies before Start.
AnsiString StrSFPas(const char* Start, const char* Final);
void SetStringSF(AnsiString& S, const char* Start, const char* Final);
// The 8-bit code page is UTF-8: valid UTF-8 stays as it is and bytes that are
// not UTF-8 pass through unchanged.
AnsiString Utf8ToAnsi(const AnsiString& Source);
// Windows-1252 text to UTF-8.
AnsiString AnsiToUtf8(const AnsiString& Source);
// ISO-8859-1 text to UTF-8.
AnsiString Latin1ToUtf8(const AnsiString& Source);

// ---- The scanner component ------------------------------------------------------

using TXmlPrologEvent =
    std::function<void(TObject* Sender, const AnsiString& XmlVersion, const AnsiString& Encoding, bool Standalone)>;
using TCommentEvent = std::function<void(TObject* Sender, const AnsiString& Comment)>;
using TPIEvent =
    std::function<void(TObject* Sender, const AnsiString& Target, const AnsiString& Content, TAttrList* Attributes)>;
using TDtdEvent = std::function<void(TObject* Sender, const AnsiString& RootElementName)>;
using TStartTagEvent = std::function<void(TObject* Sender, const AnsiString& TagName, TAttrList* Attributes)>;
using TEndTagEvent = std::function<void(TObject* Sender, const AnsiString& TagName)>;
using TContentEvent = std::function<void(TObject* Sender, const AnsiString& Content)>;
using TElementEvent = std::function<void(TObject* Sender, TElemDef* ElemDef)>;
using TEntityEvent = std::function<void(TObject* Sender, TEntityDef* EntityDef)>;
using TNotationEvent = std::function<void(TObject* Sender, TNotationDef* NotationDef)>;
using TErrorEvent = std::function<void(TObject* Sender, const char* ErrorPos)>;
using TExternalEvent = std::function<void(TObject* Sender, const AnsiString& SystemId, const AnsiString& PublicId,
                                          const AnsiString& NotationId, TXmlParser*& Result)>;
using TEncodingEvent = std::function<void(TObject* Sender, const AnsiString& CurrentEncoding, const AnsiString& Source,
                                          AnsiString& Result)>;

// Turns the parser's parts into events, in document order. Descendants
// publish the properties and events they offer.
class TCustomXmlScanner : public TComponent {
public:
    QM_CLASS(TCustomXmlScanner, TComponent)
    explicit TCustomXmlScanner(TComponent* AOwner);
    ~TCustomXmlScanner() override;

    void LoadFromFile(const AnsiString& Filename);
    void LoadFromBuffer(std::string_view Text);
    void SetBuffer(const char* Text);
    void Execute();

    bool StopRequested = false; // a handler sets it to end Execute

protected:
    friend class TScannerXmlParser;

    AnsiString GetFilename() const;
    void SetFilename(const AnsiString& Value);
    bool GetNormalize() const;
    void SetNormalize(bool Value);

    virtual void WhenXmlProlog(const AnsiString& XmlVersion, const AnsiString& Encoding, bool Standalone);
    virtual void WhenComment(const AnsiString& Comment);
    virtual void WhenPI(const AnsiString& Target, const AnsiString& Content, TAttrList* Attributes);
    virtual void WhenDtdRead(const AnsiString& RootElementName);
    virtual void WhenStartTag(const AnsiString& TagName, TAttrList* Attributes);
    virtual void WhenEmptyTag(const AnsiString& TagName, TAttrList* Attributes);
    virtual void WhenEndTag(const AnsiString& TagName);
    virtual void WhenContent(const AnsiString& Content);
    virtual void WhenCData(const AnsiString& Content);
    virtual void WhenElement(TElemDef* ElemDef);
    virtual void WhenAttList(TElemDef* ElemDef);
    virtual void WhenEntity(TEntityDef* EntityDef);
    virtual void WhenNotation(TNotationDef* NotationDef);
    virtual void WhenDtdError(const char* ErrorPos);

    TXmlPrologEvent OnXmlProlog;
    TCommentEvent OnComment;
    TPIEvent OnPI;
    TDtdEvent OnDtdRead;
    TStartTagEvent OnStartTag;
    TStartTagEvent OnEmptyTag;
    TEndTagEvent OnEndTag;
    TContentEvent OnContent;
    TContentEvent OnCData;
    TElementEvent OnElement;
    TElementEvent OnAttList;
    TEntityEvent OnEntity;
    TNotationEvent OnNotation;
    TErrorEvent OnDtdError;
    TExternalEvent OnLoadExternal;
    TEncodingEvent OnTranslateEncoding;

private:
    TOwned<TXmlParser> FXmlParser;
};

} // namespace XmlPullParser
