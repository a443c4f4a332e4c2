// components/XmlPullParser_Attributes.h
// The attributes of a tag or a processing instruction.
#pragma once
#include "components/XmlPullParser_Lists.h"
#include "components/XmlPullParser_Types.h"

namespace XmlPullParser {

class TAttr : public TNvpNode {
public:
    using TNvpNode::TNvpNode;
    TValueType ValueType = vtNormal;
    TAttrType AttrType = atUnknown;
};

class TAttrList : public TNamedList<TAttr> {
public:
    // Reads name="value" pairs from Start; returns where reading stopped
    // (a NUL, a '>' or the first character that cannot start a name).
    const char* Analyze(const char* Start);
};

} // namespace XmlPullParser
