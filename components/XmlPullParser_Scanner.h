// components/XmlPullParser_Scanner.h
// The non-visual component that turns the parser's parts into events.
#pragma once
#include "components/XmlPullParser_Parser.h"

#include <functional>
#include <string_view>

namespace XmlPullParser {

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
