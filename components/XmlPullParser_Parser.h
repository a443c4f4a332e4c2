// components/XmlPullParser_Parser.h
// A small, forgiving pull parser over one NUL-terminated buffer of 8-bit text.
#pragma once
#include "components/XmlPullParser_Dtd.h"
#include "components/XmlPullParser_EntityStack.h"

#include <memory>
#include <string_view>

namespace XmlPullParser {

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
    // Null refuses the entity: a reference to it stays as it is written. The
    // parser's own reads regular files only (never a pipe or device) and none
    // larger than what the document may still expand to.
    virtual TXmlParser* LoadExternalEntity(const AnsiString& SystemId, const AnsiString& PublicId,
                                           const AnsiString& Notation);
    virtual AnsiString TranslateEncoding(const AnsiString& Source);
    virtual void DtdElementFound(const TDtdElementRec& DtdElementRec);

private:
    friend class TEntityStack;

    void ResetScan();
    void SetOwnedText(std::string_view Text);
    bool LoadFile(const AnsiString& Filename, Word FileMode, Int64 MaxSize);
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

} // namespace XmlPullParser
