// components/XmlScannerComps.h
// The XML scanner components as they are dropped on a form: one with every
// event, and a simple one that hands CDATA sections to OnContent.
#pragma once
#include "components/XmlPullParser.h"

namespace XmlScannerComps {

using namespace XmlPullParser;

class TXmlScanner : public TCustomXmlScanner {
public:
    QM_CLASS(TXmlScanner, TCustomXmlScanner)
    using TCustomXmlScanner::TCustomXmlScanner;

    using TCustomXmlScanner::GetFilename;
    using TCustomXmlScanner::GetNormalize;
    using TCustomXmlScanner::SetFilename;
    using TCustomXmlScanner::SetNormalize;

    using TCustomXmlScanner::OnAttList;
    using TCustomXmlScanner::OnCData;
    using TCustomXmlScanner::OnComment;
    using TCustomXmlScanner::OnContent;
    using TCustomXmlScanner::OnDtdError;
    using TCustomXmlScanner::OnDtdRead;
    using TCustomXmlScanner::OnElement;
    using TCustomXmlScanner::OnEmptyTag;
    using TCustomXmlScanner::OnEndTag;
    using TCustomXmlScanner::OnEntity;
    using TCustomXmlScanner::OnLoadExternal;
    using TCustomXmlScanner::OnNotation;
    using TCustomXmlScanner::OnPI;
    using TCustomXmlScanner::OnStartTag;
    using TCustomXmlScanner::OnTranslateEncoding;
    using TCustomXmlScanner::OnXmlProlog;
};

class TSimpleXmlScanner : public TCustomXmlScanner {
public:
    QM_CLASS(TSimpleXmlScanner, TCustomXmlScanner)
    using TCustomXmlScanner::TCustomXmlScanner;

    using TCustomXmlScanner::GetFilename;
    using TCustomXmlScanner::GetNormalize;
    using TCustomXmlScanner::SetFilename;
    using TCustomXmlScanner::SetNormalize;

    using TCustomXmlScanner::OnComment;
    using TCustomXmlScanner::OnContent;
    using TCustomXmlScanner::OnEmptyTag;
    using TCustomXmlScanner::OnEndTag;
    using TCustomXmlScanner::OnLoadExternal;
    using TCustomXmlScanner::OnPI;
    using TCustomXmlScanner::OnStartTag;
    using TCustomXmlScanner::OnTranslateEncoding;

protected:
    // A CDATA section is content like any other text.
    void WhenCData(const AnsiString& Content) override;
};

} // namespace XmlScannerComps
