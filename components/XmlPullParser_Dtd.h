// components/XmlPullParser_Dtd.h
// What the document type declaration declares, and the record of each
// declaration as it is read.
#pragma once
#include "components/XmlPullParser_Attributes.h"

namespace XmlPullParser {

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
class TElemDef : public TNamedList<TAttrDef> {
public:
    AnsiString Name;
    TElemType ElemType = etAny;
    AnsiString Definition;
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

using TElemList = TNamedList<TElemDef>;
using TEntityList = TNamedList<TEntityDef>;
using TNotationList = TNamedList<TNotationDef>;

// SYSTEM "..." or PUBLIC "..." "..." read from Start; Final is the last
// character read.
class TExternalID : public TObject {
public:
    explicit TExternalID(const char* Start);
    AnsiString PublicId;
    AnsiString SystemId;
    const char* Final = nullptr;
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

} // namespace XmlPullParser
