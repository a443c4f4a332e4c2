// components/XmlPullParser_Types.h
// The kinds of parts, declarations and values the parser reports, and their
// display names.
#pragma once
#include "platform/classes/Classes.h"

#include <iterator>

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

// Every value of each type has its name.
static_assert(std::size(PartTypeNames) == std::size_t(ptCData) + 1);
static_assert(std::size(ValueTypeNames) == std::size_t(vtDefault) + 1);
static_assert(std::size(AttrDefaultNames) == std::size_t(adFixed) + 1);
static_assert(std::size(AttrTypeNames) == std::size_t(atEnumeration) + 1);
static_assert(std::size(ElemTypeNames) == std::size_t(etMixed) + 1);

// Expansion stops here: deeper references, and references once the document
// has expanded by 16 times its size plus 1 MiB, stay as they are written.
inline constexpr int MaxEntityDepth = 32;

} // namespace XmlPullParser
