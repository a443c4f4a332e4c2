// tests/components/XmlPullParserTest.cpp
#include "components/XmlPullParser.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <chrono>
#include <cstring>
#include <map>
#include <sys/stat.h>
#include <vector>

using namespace XmlPullParser;

namespace {

using TParts = std::vector<AnsiString>;

// One line per part: its display name, then the name and content that matter
// for its kind.
AnsiString Describe(const TXmlParser& P)
{
    const AnsiString Kind = PartTypeNames[P.GetCurPartType()];
    switch (P.GetCurPartType()) {
    case ptStartTag:
    case ptEmptyTag:
    case ptEndTag:
        return Kind + " " + P.GetCurName();
    case ptPI:
        return Kind + " " + P.GetCurName() + " [" + P.GetCurContent() + "]";
    case ptComment:
        return Kind + " " + StrSFPas(P.GetCurStart(), P.GetCurFinal());
    case ptContent:
    case ptCData:
        return Kind + " [" + P.GetCurContent() + "]";
    default:
        return Kind;
    }
}

// Scans to the end; a scan that does not end within MaxParts fails the test.
TParts ScanAll(TXmlParser& P, int MaxParts = 100000)
{
    TParts Parts;
    P.StartScan();
    while (P.Scan()) {
        Parts.push_back(Describe(P));
        if (static_cast<int>(Parts.size()) > MaxParts) {
            ADD_FAILURE() << "the scan does not end";
            break;
        }
    }
    return Parts;
}

TParts ParseParts(const AnsiString& Text, bool Normalize = true)
{
    TXmlParser P;
    P.LoadFromBuffer(Text);
    P.SetNormalize(Normalize);
    return ScanAll(P);
}

// The attributes of the first tag called Tag, as name=value in list order;
// WithTypes adds each one's value type and attribute type.
AnsiString AttributesOf(TXmlParser& P, const AnsiString& Tag, bool WithTypes = false)
{
    P.StartScan();
    while (P.Scan()) {
        if ((P.GetCurPartType() == ptStartTag || P.GetCurPartType() == ptEmptyTag) && P.GetCurName() == Tag) {
            AnsiString S;
            for (int I = 0; I < P.GetCurAttr()->GetCount(); ++I) {
                const TAttr* A = P.GetCurAttr()->Node(I);
                S += (I ? " " : "") + A->Name + "=" + A->Value;
                if (WithTypes)
                    S += AnsiString(" (") + ValueTypeNames[A->ValueType] + " " + AttrTypeNames[A->AttrType] + ")";
            }
            return S;
        }
    }
    return "(no tag " + Tag + ")";
}

AnsiString AttributesOf(const AnsiString& Text, const AnsiString& Tag)
{
    TXmlParser P;
    P.LoadFromBuffer(Text);
    return AttributesOf(P, Tag);
}

AnsiString FirstText(const AnsiString& Text, bool Normalize = true)
{
    TXmlParser P;
    P.LoadFromBuffer(Text);
    P.SetNormalize(Normalize);
    P.StartScan();
    while (P.Scan())
        if (P.GetCurPartType() == ptContent) return P.GetCurContent();
    return "(no text)";
}

// Records what the DTD reports.
class TRecordingParser : public TXmlParser {
public:
    void DtdElementFound(const TDtdElementRec& Rec) override
    {
        static const char* const Kinds[] = {"element ", "attlist ", "entity ", "notation ",
                                            "pi ",      "comment ", "error "};
        const AnsiString What = Rec.ElementType == dePI        ? Rec.Target
                                : Rec.ElementType == deComment ? StrSFPas(Rec.Start, Rec.Final)
                                : Rec.ElementType == deError   ? AnsiString(1, *Rec.Pos)
                                : Rec.ElemDef                  ? Rec.ElemDef->Name
                                : Rec.EntityDef                ? Rec.EntityDef->Name
                                                               : Rec.NotationDef->Name;
        Reports.push_back(Kinds[Rec.ElementType] + What);
    }
    std::vector<AnsiString> Reports;
};

// Serves external entities from memory; counts the loads.
class TMemoryEntityParser : public TXmlParser {
public:
    TXmlParser* LoadExternalEntity(const AnsiString& SystemId, const AnsiString&, const AnsiString&) override
    {
        ++Loads;
        auto* Result = New<TXmlParser>();
        if (Files.count(SystemId)) Result->LoadFromBuffer(Files[SystemId]);
        return Result;
    }
    std::map<AnsiString, AnsiString> Files;
    int Loads = 0;
};

} // namespace

// ---- Parts and their fields ---------------------------------------------------------

TEST(XmlPullParser, PartsOfADocumentInOrderWithTheirFields)
{
    const char* Doc = "<?xml version=\"1.0\" encoding=\"utf-8\" standalone='yes'?>\n"
                      "<!-- note -->\n"
                      "<!DOCTYPE book>\n"
                      "<?render mode=\"x\" fast?>\n"
                      "<book id=\"7\">\n"
                      "  Hello <b>world</b>\n"
                      "  <![CDATA[ <raw> & ]]>\n"
                      "  <br/>\n"
                      "</book>\n";
    TXmlParser P;
    ASSERT_TRUE(P.LoadFromBuffer(Doc));
    EXPECT_EQ(P.GetSource(), "<MEM>");
    EXPECT_EQ(ScanAll(P), (TParts{"XML Prolog", "Comment <!-- note -->", "DTD Declaration",
                                  "PI render [ mode=\"x\" fast]", "Start Tag book", "Text [Hello]", "Start Tag b",
                                  "Text [world]", "End Tag b", "CDATA [ <raw> & ]", "Empty Tag br", "End Tag book"}));
    EXPECT_EQ(P.GetXmlVersion(), "1.0");
    EXPECT_EQ(P.GetEncoding(), "utf-8");
    EXPECT_TRUE(P.GetStandalone());
    EXPECT_EQ(P.GetCurrentEncoding(), "UTF-8");
    EXPECT_EQ(P.GetRootElementName(), "book");

    // Positions: final is the last character of the part; at the end both
    // sit at the terminating NUL.
    P.StartScan();
    ASSERT_TRUE(P.Scan());
    EXPECT_EQ(P.GetCurStart(), P.GetDocBuffer());
    EXPECT_EQ(*P.GetCurFinal(), '>');
    EXPECT_EQ(P.GetCurFinal()[-1], '?');
    ASSERT_TRUE(P.Scan()); // the line break between prolog and comment is dropped
    EXPECT_EQ(P.GetCurStart(), std::strstr(P.GetDocBuffer(), "<!--"));
    while (P.Scan())
        if (P.GetCurPartType() == ptPI) break;
    EXPECT_EQ(P.GetCurAttr()->Value("mode"), "x");
    while (P.Scan()) {
    }
    // A processing instruction inside the subset leaves nothing on the DOCTYPE part.
    P.LoadFromBuffer("<!DOCTYPE r [<?pi a='1' rest?>]><r/>");
    P.StartScan();
    ASSERT_TRUE(P.Scan());
    EXPECT_EQ(P.GetCurPartType(), ptDtdc);
    EXPECT_EQ(P.GetCurName(), "");
    EXPECT_EQ(P.GetCurContent(), "");
    EXPECT_EQ(P.GetCurAttr()->GetCount(), 0);
    P.LoadFromBuffer(Doc);
    P.StartScan();
    while (P.Scan()) {
    }
    EXPECT_EQ(*P.GetCurStart(), 0);
    EXPECT_EQ(P.GetCurStart(), P.GetDocBuffer() + std::strlen(Doc));
    EXPECT_EQ(P.GetCurFinal(), P.GetCurStart() - 1);
    EXPECT_FALSE(P.Scan()); // and stay there
}

TEST(XmlPullParser, LoadingFromFilesAndBuffers)
{
    TTempDir Dir;
    TXmlParser P;
    const AnsiString Name = Dir.WriteFile("a.xml", "<a>x</a>");
    ASSERT_TRUE(P.LoadFromFile(Name));
    EXPECT_EQ(P.GetSource(), Name);
    EXPECT_EQ(ScanAll(P), (TParts{"Start Tag a", "Text [x]", "End Tag a"}));

    EXPECT_FALSE(P.LoadFromFile(Dir.Path() + "missing.xml"));
    EXPECT_EQ(P.GetSource(), "");
    EXPECT_EQ(*P.GetDocBuffer(), 0);
    EXPECT_TRUE(ScanAll(P).empty());
    EXPECT_FALSE(P.LoadFromFile(Dir.Path())); // a folder

    ASSERT_TRUE(P.LoadFromFile(Dir.WriteFile("empty.xml", "")));
    EXPECT_TRUE(ScanAll(P).empty());

    // A NUL inside a file ends the document there.
    ASSERT_TRUE(P.LoadFromFile(Dir.WriteFile("nul.xml", AnsiString("<a>x\0<b/></a>", 13))));
    EXPECT_EQ(ScanAll(P), (TParts{"Start Tag a", "Text [x]"}));

    const char* Text = "<r/>";
    P.SetBuffer(Text);
    EXPECT_EQ(P.GetSource(), "<REFERENCE>");
    EXPECT_EQ(P.GetDocBuffer(), Text);
    EXPECT_EQ(ScanAll(P), (TParts{"Empty Tag r"}));
}

TEST(XmlPullParser, ASecondScanRepeatsTheFirstWithoutReadingTheDtdAgain)
{
    TRecordingParser P;
    P.LoadFromBuffer("<!DOCTYPE r [<!ENTITY e 'v'>]><r>&e;</r>");
    const TParts First = ScanAll(P);
    EXPECT_EQ(First, (TParts{"DTD Declaration", "Start Tag r", "Text [v]", "End Tag r"}));
    EXPECT_EQ(ScanAll(P), First);
    EXPECT_EQ(P.Reports.size(), 1u);

    // Only the first DOCTYPE is remembered: a second one is read again, and
    // never makes the scan repeat.
    P.LoadFromBuffer("<!DOCTYPE a [<!ENTITY x '1'>]><a>&x;</a><!DOCTYPE b [<!ENTITY x '2'>]><b>&x;</b>");
    EXPECT_EQ(ScanAll(P), (TParts{"DTD Declaration", "Start Tag a", "Text [1]", "End Tag a", "DTD Declaration",
                                  "Start Tag b", "Text [2]", "End Tag b"}));
    EXPECT_EQ(P.GetRootElementName(), "b");
    EXPECT_EQ(ScanAll(P, 50), (TParts{"DTD Declaration", "Start Tag a", "Text [2]", "End Tag a", "DTD Declaration",
                                      "Start Tag b", "Text [2]", "End Tag b"}));
    // A DOCTYPE inside an entity's text is read there and the document goes on.
    EXPECT_EQ(ParseParts("<!DOCTYPE r [<!ENTITY d \"<!DOCTYPE q [<!ENTITY d 'gone'>]>\">]><r>&d;&d;<z/></r>"),
              (TParts{"DTD Declaration", "Start Tag r", "DTD Declaration", "Text [gone]", "Empty Tag z", "End Tag r"}));
}

// ---- Attributes ----------------------------------------------------------------------

TEST(XmlPullParser, AttributesQuotingWhitespaceAndDuplicates)
{
    EXPECT_EQ(AttributesOf("<t x='1' y = \"2\" z=3/>", "t"), "x=1 y=2");
    EXPECT_EQ(AttributesOf("<t\ta=\"x>y\"\n b='say \"hi\"'>", "t"), "a=x>y b=say \"hi\"");
    EXPECT_EQ(AttributesOf("<t b=\"2\" a=\"1\" c=\"\">", "t"), "a=1 b=2 c="); // kept sorted by name
    EXPECT_EQ(AttributesOf("<t a=\"first\" a=\"second\">", "t"), "a=second a=first");
    TXmlParser P;
    P.LoadFromBuffer("<t a=\"first\" b='' a=\"second\">");
    AttributesOf(P, "t");
    EXPECT_EQ(P.GetCurAttr()->Value("a"), "second"); // the later of two duplicates
    EXPECT_EQ(P.GetCurAttr()->Node("a")->ValueType, vtNormal);
    // Line breaks and tabs in values become blanks; runs are kept.
    EXPECT_EQ(AttributesOf("<t a=\" x\n\ty  \">", "t"), "a= x  y  ");
    // An unterminated value runs to the end of the text.
    EXPECT_EQ(AttributesOf("<t a=\"open", "t"), "a=open");
}

TEST(XmlPullParser, AttributeReferencesAreResolvedOnce)
{
    EXPECT_EQ(AttributesOf("<t a=\"&lt;&gt;&amp;&apos;&quot;\">", "t"), "a=<>&'\"");
    EXPECT_EQ(AttributesOf("<t a=\"&#65;&#x42;&#X43;\">", "t"), "a=ABC");
    EXPECT_EQ(AttributesOf("<t a=\"&amp;#65;\" b=\"&#38;amp;\">", "t"), "a=&#65; b=&amp;");
    EXPECT_EQ(AttributesOf("<t a=\"&undeclared; &\">", "t"), "a=&undeclared; &");
    EXPECT_EQ(AttributesOf("<!DOCTYPE t [<!ENTITY e \"E&#38;\">]><t a=\"[&e;]\">", "t"), "a=[E&]");
}

// ---- Empty-element detection -------------------------------------------------------------

TEST(XmlPullParser, EmptyElementTags)
{
    EXPECT_EQ(ParseParts("<a/><b x='1'/><c y=2/><d z='/'/><e/ ></e>"),
              (TParts{"Empty Tag a", "Empty Tag b", "Empty Tag c", "Empty Tag d", "Empty Tag e", "End Tag e"}));
    EXPECT_EQ(ParseParts("<a href=\"x/\"><b></b></a>"),
              (TParts{"Start Tag a", "Start Tag b", "End Tag b", "End Tag a"}));
    EXPECT_EQ(ParseParts("<a\n/>"), (TParts{"Empty Tag a"}));
}

// ---- DTD lists ---------------------------------------------------------------------------

TEST(XmlPullParser, ElementDeclarations)
{
    TRecordingParser P;
    P.LoadFromBuffer("<!DOCTYPE r [\n"
                     "<!ELEMENT r (a , b)* >\n"
                     "<!ELEMENT a EMPTY>\n"
                     "<!ELEMENT b ( #PCDATA | c )*>\n"
                     "<!ELEMENT c ANY>\n"
                     "<!ELEMENT d whatever>\n"
                     "<!ELEMENT a (c)>\n"
                     "]><r/>");
    ScanAll(P);
    // Sorted by name; the later declaration of a replaced the first.
    AnsiString Elements;
    for (int I = 0; I < P.GetElements()->GetCount(); ++I) {
        const TElemDef* E = P.GetElements()->Node(I);
        Elements += E->Name + " " + E->Definition + " " + ElemTypeNames[E->ElemType] + "; ";
    }
    EXPECT_EQ(Elements, "a (c) Childs only; b (#PCDATA|c)* Mixed; c ANY Any; d whatever Any; r (a,b)* Childs only; ");
    EXPECT_EQ(P.Reports,
              (std::vector<AnsiString>{"element r", "element a", "element b", "element c", "element d", "element a"}));
    EXPECT_EQ(P.GetRootElementName(), "r");
}

TEST(XmlPullParser, AttributeListsAndTheirDefaults)
{
    TXmlParser P;
    P.LoadFromBuffer("<!DOCTYPE r [\n"
                     "<!ELEMENT r ANY>\n"
                     "<!ATTLIST r id ID #REQUIRED\n"
                     "            kind ( big | small ) 'big'\n"
                     "            note CDATA #IMPLIED\n"
                     "            ver CDATA #FIXED \"1&#46;0\"\n"
                     "            fmt NOTATION (gif | png) #IMPLIED\n"
                     "            toks NMTOKENS ' a  b '\n"
                     "            odd WEIRD #IMPLIED>\n"
                     "<!ATTLIST new x CDATA 'y'>\n"
                     "]>"
                     "<r id='  k1 ' note=' n ' ver='2' toks=' p \t q '/><new/>");
    ScanAll(P);
    const TElemDef* R = P.GetElements()->Node("r");
    ASSERT_NE(R, nullptr);
    AnsiString Defs;
    for (int I = 0; I < R->GetCount(); ++I) {
        const TAttrDef* D = R->Node(I);
        Defs += D->Name + " " + D->TypeDef + D->Notations + " " + AttrTypeNames[D->AttrType] + " " +
                AttrDefaultNames[D->DefaultType] + " '" + D->Value + "'; ";
    }
    EXPECT_EQ(Defs,
              "fmt NOTATION(gif|png) Notation Implied ''; id ID ID Required ''; "
              "kind (big|small) Enumeration Default 'big'; note CDATA CDATA Implied ''; "
              "odd WEIRD Unknown Implied ''; toks NMTOKENS NMTOKENS Default ' a  b '; ver CDATA CDATA Fixed '1.0'; ");
    // An attribute list for an undeclared element declares it.
    ASSERT_NE(P.GetElements()->Node("new"), nullptr);
    EXPECT_EQ(P.GetElements()->Node("new")->Definition, "ANY");

    // Applied to the tag: defaults added, fixed values imposed, tokens packed
    // (CDATA keeps its blanks).
    EXPECT_EQ(AttributesOf(P, "r", true), "id=k1 (Normal ID) kind=big (Default Enumeration) note= n  (Implied CDATA) "
                                          "toks=p q (Normal NMTOKENS) ver=1.0 (Fixed CDATA)");
    EXPECT_EQ(AttributesOf(P, "new"), "x=y");
}

TEST(XmlPullParser, NotationsEntitiesAndReportsOfTheDtd)
{
    TRecordingParser P;
    P.LoadFromBuffer("<!DOCTYPE r SYSTEM \"r.dtd\" [\n"
                     "<!NOTATION gif SYSTEM \"viewer\">\n"
                     "<!NOTATION gif PUBLIC \"-//G//\" \"other\">\n"
                     "<!ENTITY pic SYSTEM \"p.gif\" NDATA gif>\n"
                     "<!ENTITY ext PUBLIC \"-//E//\" 'e.xml'>\n"
                     "<!-- inside -->\n"
                     "<?hint x?>\n"
                     "<bogus\n"
                     "]  junk >\n"
                     "<r/>");
    EXPECT_EQ(ScanAll(P), (TParts{"DTD Declaration", "Empty Tag r"}));
    ASSERT_EQ(P.GetNotations()->GetCount(), 2); // duplicates are kept
    EXPECT_EQ(P.GetNotations()->Node("gif")->Value, "other");
    EXPECT_EQ(P.GetNotations()->Node("gif")->PublicId, "-//G//");
    EXPECT_EQ(P.GetNotations()->Node(1)->Value, "viewer");
    const TEntityDef* Pic = P.GetEntities()->Node("pic");
    EXPECT_EQ(Pic->SystemId, "p.gif");
    EXPECT_EQ(Pic->NotationName, "gif");
    EXPECT_EQ(Pic->Value, "");
    EXPECT_EQ(P.GetEntities()->Node("ext")->PublicId, "-//E//");
    EXPECT_EQ(P.GetEntities()->Node("ext")->SystemId, "e.xml");
    EXPECT_EQ(P.Reports, (std::vector<AnsiString>{"notation gif", "notation gif", "entity pic", "entity ext",
                                                  "comment <!-- inside -->", "pi hint", "error <", "error j", "error u",
                                                  "error n", "error k"}));
}

// ---- General and parameter entities ---------------------------------------------------

TEST(XmlPullParser, GeneralEntitiesInText)
{
    const AnsiString Dtd = "<!DOCTYPE r [\n"
                           "<!ENTITY who \"world\">\n"
                           "<!ENTITY hi \"hello &who;\">\n"
                           "<!ENTITY mark \"<b>bold</b> tail\">\n"
                           "<!ENTITY who \"everyone\">\n"
                           "<!ENTITY empty \"\">\n"
                           "]>";
    EXPECT_EQ(ParseParts(Dtd + "<r>&hi;! &nobody; &empty;x</r>"),
              (TParts{"DTD Declaration", "Start Tag r", "Text [hello everyone! nobody x]", "End Tag r"}));
    // Markup inside an entity's text is read as markup.
    EXPECT_EQ(ParseParts(Dtd + "<r>a &mark; z</r>"),
              (TParts{"DTD Declaration", "Start Tag r", "Text [a]", "Start Tag b", "Text [bold]", "End Tag b",
                      "Text [tail z]", "End Tag r"}));
    // Entities that end together all end.
    EXPECT_EQ(ParseParts("<!DOCTYPE r [<!ENTITY inner \"<i/>\"><!ENTITY outer \"&inner;\">]>"
                         "<r>&outer;<after/></r>"),
              (TParts{"DTD Declaration", "Start Tag r", "Empty Tag i", "Empty Tag after", "End Tag r"}));
}

TEST(XmlPullParser, ParameterEntities)
{
    TXmlParser P;
    P.LoadFromBuffer("<!DOCTYPE r [\n"
                     "<!ENTITY % kinds \"a|b\">\n"
                     "<!ENTITY % decl \"<!ELEMENT x (%kinds;)>\">\n"
                     "%decl;\n"
                     "<!ENTITY e \"[%kinds;]\">\n"
                     "<!ATTLIST r k (%kinds;|c) 'a' %undeclared; >\n"
                     "<!ENTITY % kinds \"later\">\n"
                     "]><r>&e;</r>");
    EXPECT_EQ(ScanAll(P), (TParts{"DTD Declaration", "Start Tag r", "Text [[a|b]]", "End Tag r"}));
    ASSERT_NE(P.GetElements()->Node("x"), nullptr);
    EXPECT_EQ(P.GetElements()->Node("x")->Definition, "(a|b)");
    EXPECT_EQ(P.GetElements()->Node("r")->Node("k")->TypeDef, "(a|b|c)");
    EXPECT_EQ(P.GetParameterEntities()->GetCount(), 2);
    EXPECT_EQ(P.GetParameterEntities()->Value("kinds"), "later");
    EXPECT_EQ(P.GetEntities()->GetCount(), 1); // parameter entities are a list of their own
}

TEST(XmlPullParser, ExternalEntities)
{
    TMemoryEntityParser P;
    P.Files["part.xml"] = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><p>caf\xE9</p>";
    P.Files["r.dtd"] = "junk <!ENTITY fromdtd \"D\">";
    P.LoadFromBuffer("<?xml version=\"1.0\"?><!DOCTYPE r SYSTEM \"r.dtd\" [<!ENTITY part SYSTEM \"part.xml\">"
                     "<!ENTITY none SYSTEM \"missing.xml\">]>"
                     "<r a=\"&part;\">&part;&none;&fromdtd;\xC3\xA9</r>");
    EXPECT_EQ(ScanAll(P), (TParts{"XML Prolog", "DTD Declaration", "Start Tag r", "XML Prolog", "Start Tag p",
                                  "Text [caf\xC3\xA9]", "End Tag p", "Text [D\xC3\xA9]", "End Tag r"}));
    EXPECT_EQ(P.GetXmlVersion(), "1.0");
    EXPECT_EQ(P.GetEncoding(), ""); // an external entity's prolog is not the document's
    EXPECT_EQ(P.GetCurrentEncoding(), "UTF-8");
    EXPECT_EQ(AttributesOf(P, "r"), "a=<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><p>caf\xE9</p>");

    // Without a handler, a relative name is looked up beside the document.
    TTempDir Dir;
    Dir.WriteFile("sub/ent.txt", "from file");
    const AnsiString Doc = Dir.WriteFile("doc.xml", "<!DOCTYPE r [<!ENTITY f SYSTEM \"sub\\ent.txt\">]><r>&f;</r>");
    TXmlParser F;
    ASSERT_TRUE(F.LoadFromFile(Doc));
    EXPECT_EQ(ScanAll(F), (TParts{"DTD Declaration", "Start Tag r", "Text [from file]", "End Tag r"}));

    // It reads regular files only, never waiting on a pipe, and none larger
    // than the document may still expand to (16 times its size and 1 MiB).
    ASSERT_EQ(::mkfifo((Dir.Path() + "fifo").c_str(), 0600), 0);
    Dir.WriteFile("big.txt", AnsiString((1 << 20) + 4096, 'b'));
    const auto Started = std::chrono::steady_clock::now();
    F.LoadFromBuffer("<!DOCTYPE r SYSTEM '" + Dir.Path() + "fifo' [<!ENTITY p SYSTEM '" + Dir.Path() +
                     "fifo'><!ENTITY b SYSTEM '" + Dir.Path() + "big.txt'>]><r>[&p;&b;]</r>");
    EXPECT_EQ(ScanAll(F), (TParts{"DTD Declaration", "Start Tag r", "Text [[]]", "End Tag r"}));
    EXPECT_LT(std::chrono::steady_clock::now() - Started, std::chrono::seconds(5));
}

// ---- Character references -----------------------------------------------------------

TEST(XmlPullParser, CharacterReferences)
{
    EXPECT_EQ(FirstText("<r>&#65;&#x41;&#X41;</r>"), "AAA");
    EXPECT_EQ(FirstText("<r>x&#6z;y&#xZZ;z&#;w</r>"), "x y z w"); // values that do not parse
    EXPECT_EQ(FirstText("<r>&#233;&#x20AC;&#x1F600;</r>"), "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    // No Unicode character: past U+10FFFF, surrogates, too many digits.
    EXPECT_EQ(FirstText("<r>a&#x110000;b&#xD800;c&#99999999999999;d</r>"), "a b c d");
    EXPECT_EQ(FirstText("<r>&#10;x&#13;</r>", false), "\nx\r");
    EXPECT_EQ(AttributesOf("<t a=\"[&#6z;]\" b=\"[&#xZZ;]\" c=\"&#x110000;\">", "t"),
              AnsiString("a=[ ] b=[\0] c=\0", 15));
    EXPECT_EQ(AttributesOf("<t a=\"&#9;x&#10;\">", "t"), "a= x "); // whitespace still becomes blanks
}

// ---- Whitespace normalisation --------------------------------------------------------

TEST(XmlPullParser, WhitespaceNormalisationOnAndOff)
{
    EXPECT_EQ(FirstText("<r>a &lt; b</r>"), "a < b");
    EXPECT_EQ(FirstText("<r>\n\t a \r\n  b\tc  </r>"), "a b c");
    EXPECT_EQ(ParseParts("<r>\n  <a/>\t\n</r>"), (TParts{"Start Tag r", "Empty Tag a", "End Tag r"}));
    EXPECT_EQ(FirstText("<r>\n\t a \r\n  b</r>", false), "\n\t a \r\n  b");
    EXPECT_EQ(ParseParts("<r>\n<a/> </r>", false),
              (TParts{"Start Tag r", "Text [\n]", "Empty Tag a", "Text [ ]", "End Tag r"}));
    EXPECT_EQ(ParseParts("<r><![CDATA[  a\n  b  ]]></r>"), (TParts{"Start Tag r", "CDATA [  a\n  b  ]", "End Tag r"}));
    EXPECT_EQ(TrimWs(" \t\r\na b\n "), "a b");
    EXPECT_EQ(TrimWs("\x01x\x01"), "\x01x\x01"); // only the four whitespace characters
    EXPECT_EQ(ConvertWs("a \t\nb  c", false), "a   b  c");
    EXPECT_EQ(ConvertWs("a \t\nb  c", true), "a b c");
    EXPECT_EQ(ConvertWs("\n\na", true), " a");
    EXPECT_EQ(DelChars("a-b_c-", TCharset{'-', '_'}), "abc");
    const char* S = "abcdef";
    EXPECT_EQ(StrSFPas(S + 1, S + 3), "bcd");
    EXPECT_EQ(StrSFPas(S + 3, S + 2), "");
}

// ---- Encodings ------------------------------------------------------------------------

TEST(XmlPullParser, Utf8DocumentsKeepTheirBytes)
{
    TXmlParser P;
    P.LoadFromBuffer("<r>\xC3\xA9</r>");
    ScanAll(P);
    EXPECT_EQ(P.GetCurrentEncoding(), ""); // no prolog read yet: nothing is translated
    P.LoadFromBuffer("<?xml version=\"1.0\"?><r>\xC3\xA9|\xE9"
                     "ab|\xFF</r>");
    EXPECT_EQ(ScanAll(P), (TParts{"XML Prolog", "Start Tag r",
                                  "Text [\xC3\xA9|\xE9"
                                  "ab|\xFF]",
                                  "End Tag r"}));
    EXPECT_EQ(P.GetCurrentEncoding(), "UTF-8");
}

TEST(XmlPullParser, SingleByteDocumentsAreConvertedToUtf8)
{
    TXmlParser P;
    P.LoadFromBuffer("<?xml version='1.0' encoding='iso-8859-1'?><r a='\xE9&#233;'>\xE9\x80&#233;"
                     "<![CDATA[\xFC]]></r>");
    EXPECT_EQ(ScanAll(P), (TParts{"XML Prolog", "Start Tag r", "Text [\xC3\xA9\xC2\x80\xC3\xA9]", "CDATA [\xC3\xBC]",
                                  "End Tag r"}));
    EXPECT_EQ(P.GetCurrentEncoding(), "ISO-8859-1");
    EXPECT_EQ(AttributesOf(P, "r"), "a=\xC3\xA9\xC3\xA9");

    P.LoadFromBuffer("<?xml version='1.0' encoding='Windows-1252'?><r>\x80\x93\x81\xE9</r>");
    EXPECT_EQ(ScanAll(P)[2], "Text [\xE2\x82\xAC\xE2\x80\x9C\xC2\x81\xC3\xA9]");

    // The encoding stays in force for a next document without a prolog.
    P.LoadFromBuffer("<r>\xE9</r>");
    EXPECT_EQ(ScanAll(P)[1], "Text [\xC3\xA9]");
    // Another encoding name leaves the text as it is.
    P.LoadFromBuffer("<?xml version='1.0' encoding='KOI8-R'?><r>\xE9</r>");
    EXPECT_EQ(ScanAll(P)[2], "Text [\xE9]");

    EXPECT_EQ(AnsiToUtf8("a\x80\x9F\xA0\xFF"), "a\xE2\x82\xAC\xC5\xB8\xC2\xA0\xC3\xBF");
}

TEST(XmlPullParser, TranslateEncodingIsAHookForTextRuns)
{
    class TBracingParser : public TXmlParser {
    public:
        AnsiString TranslateEncoding(const AnsiString& Source) override { return "{" + Source + "}"; }
    };
    TBracingParser P;
    P.LoadFromBuffer("<r a='x&amp;y'>ab&lt;cd<![CDATA[e]]></r>");
    EXPECT_EQ(ScanAll(P), (TParts{"Start Tag r", "Text [{ab}<{cd}]", "CDATA [{e}]", "End Tag r"}));
    EXPECT_EQ(AttributesOf(P, "r"), "a={x}&{y}");
}

// ---- Mended faults -----------------------------------------------------------------

TEST(XmlPullParser, ListsStaySortedAndAnswerLookupsOutOfRange)
{
    TNvpList L;
    EXPECT_EQ(L.Node("x"), nullptr);
    EXPECT_EQ(L.Node(0), nullptr);
    EXPECT_EQ(L.Value("x"), "");
    EXPECT_EQ(L.Name(0), "");
    for (const char* N : {"m", "c", "x", "a", "c"})
        L.Add(New<TNvpNode>(N, AnsiString("v") + N));
    EXPECT_EQ(L.GetCount(), 5);
    EXPECT_EQ(L.Name(0), "a");
    EXPECT_EQ(L.Name(4), "x");
    for (const char* N : {"a", "c", "m", "x"})
        EXPECT_NE(L.Node(N), nullptr) << N;
    for (const char* N : {"", "b", "d", "z", "A"})
        EXPECT_EQ(L.Node(N), nullptr) << N;
    EXPECT_EQ(L.Node(-1), nullptr);
    EXPECT_EQ(L.Node(5), nullptr);
    EXPECT_EQ(L.Value(5), "");
    L.RemoveName("c");
    EXPECT_EQ(L.GetCount(), 3);
    L.Delete(0);
    EXPECT_EQ(L.Name(0), "m");

    // Large lists find names through a hash: the same answers, duplicates
    // newest first, through removals.
    L.Clear();
    for (int I = 0; I < 300; ++I)
        L.Add(New<TNvpNode>("n" + IntToStr(I % 100), IntToStr(I)));
    ASSERT_EQ(L.GetCount(), 300);
    EXPECT_EQ(L.Name(0), "n0");
    EXPECT_EQ(L.Value(0), "200"); // the newest of its name comes first
    EXPECT_EQ(L.Value(2), "0");
    EXPECT_EQ(L.Value("n42"), "242");
    L.Delete(0);
    EXPECT_EQ(L.Value("n0"), "100");
    for (int I = 0; I < 100; I += 2)
        L.RemoveName("n" + IntToStr(I));
    EXPECT_EQ(L.GetCount(), 150);
    EXPECT_EQ(L.Node("n42"), nullptr);
    EXPECT_EQ(L.Value("n43"), "243");
    EXPECT_EQ(L.Name(0), "n1");
    EXPECT_EQ(L.Value(1), "101");
    L.Add(New<TNvpNode>("n1", "new"));
    EXPECT_EQ(L.Value("n1"), "new");
    EXPECT_EQ(L.Value(0), "new");
}

TEST(XmlPullParser, ADoctypeClosedInsideAnEntityEndsThereAndTheDocumentGoesOn)
{
    TRecordingParser P;
    P.LoadFromBuffer("<!DOCTYPE r [<!ENTITY % close \"]> <x/>\">] %close; <r>after</r>");
    EXPECT_EQ(ScanAll(P), (TParts{"DTD Declaration", "Start Tag r", "Text [after]", "End Tag r"}));
    EXPECT_EQ(P.Reports.back(), "error >");
}

TEST(XmlPullParser, EntityExpansionIsBounded)
{
    // Self-reference: 32 levels, then the reference stays as written.
    EXPECT_EQ(FirstText("<!DOCTYPE r [<!ENTITY a \"x&a;\">]><r>&a;</r>"), AnsiString(32, 'x') + "&a;");
    EXPECT_EQ(AttributesOf("<!DOCTYPE r [<!ENTITY a \"x&a;\">]><r v=\"&a;\"/>", "r"),
              "v=" + AnsiString(32, 'x') + "&a;");
    // Exponential expansion stops at 16 times the document size plus 1 MiB.
    AnsiString Laughs = "<!DOCTYPE r [<!ENTITY l0 \"ha\">";
    for (int I = 1; I <= 12; ++I) {
        Laughs += "<!ENTITY l" + IntToStr(I) + " \"";
        for (int J = 0; J < 10; ++J)
            Laughs += "&l" + IntToStr(I - 1) + ";";
        Laughs += "\">";
    }
    Laughs += "]><r a=\"&l12;\">&l12;</r>";
    TXmlParser P;
    P.LoadFromBuffer(Laughs);
    const std::size_t Bound = 16 * Laughs.size() + (1u << 20);
    P.StartScan();
    std::size_t Total = 0;
    int Parts = 0;
    while (P.Scan() && ++Parts < 1000000) {
        Total += P.GetCurContent().size();
        for (int I = 0; I < P.GetCurAttr()->GetCount(); ++I)
            Total += P.GetCurAttr()->Value(I).size();
    }
    EXPECT_GT(Total, Bound / 10);
    EXPECT_LT(Total, 3 * Bound);
    EXPECT_EQ(P.GetCurPartType(), ptEndTag);
    // An external entity that includes itself.
    TMemoryEntityParser M;
    M.Files["self.xml"] = "<i/>&self;";
    M.LoadFromBuffer("<!DOCTYPE r [<!ENTITY self SYSTEM \"self.xml\">]><r>&self;</r>");
    const TParts Out = ScanAll(M);
    EXPECT_EQ(M.Loads, 32);
    EXPECT_EQ(Out.size(), 2u + 32 + 2);
    EXPECT_EQ(Out[Out.size() - 2], "Text [&self;]");
    // Parameter entities that refer to themselves.
    TRecordingParser R;
    R.LoadFromBuffer("<!DOCTYPE r [<!ENTITY % p \"%p;\"><!ENTITY e \"[%p;]\"> %p; ]><r>&e;</r>");
    EXPECT_EQ(ScanAll(R), (TParts{"DTD Declaration", "Start Tag r", "Text [[%p;]]", "End Tag r"}));
}

TEST(XmlPullParser, AStrayAmpersandIsTextAndSwallowsNoMarkup)
{
    EXPECT_EQ(ParseParts("<r>AT&T & co; x&<b/>&#</r>&"),
              (TParts{"Start Tag r", "Text [AT&T & co; x&]", "Empty Tag b", "Text [&#]", "End Tag r", "Text [&]"}));
    EXPECT_EQ(FirstText("<r>a &amp b;</r>"), "a &amp b;");
}

TEST(XmlPullParser, MalformedMarkupEndsWithinTheText)
{
    EXPECT_EQ(ParseParts("<>text<b/>"), (TParts{"Start Tag ", "Text [text]", "Empty Tag b"}));
    EXPECT_EQ(ParseParts("</>x"), (TParts{"End Tag ", "Text [x]"}));
    EXPECT_EQ(ParseParts("<a"), (TParts{"Start Tag a"}));
    EXPECT_EQ(ParseParts("x<"), (TParts{"Text [x]", "Start Tag "}));
    EXPECT_EQ(ParseParts("<!-- open"), (TParts{"Comment <!-- open"}));
    EXPECT_EQ(ParseParts("<![CDATA[ open"), (TParts{"CDATA [ open]"}));
    EXPECT_EQ(ParseParts("<?pi open"), (TParts{"PI pi [ open]"}));
    EXPECT_EQ(ParseParts("<?"), (TParts{"PI  []"}));
    EXPECT_EQ(ParseParts("<!DOCTYPE"), (TParts{"DTD Declaration"}));
    EXPECT_EQ(ParseParts("<!DOCTYPE r [<!ENTITY a 'x"), (TParts{"DTD Declaration"}));
}

TEST(XmlPullParser, ScanningAPartWhileAnotherIsLoadedStartsTheNewDocument)
{
    TXmlParser P;
    P.LoadFromBuffer("<old><a/></old>");
    P.StartScan();
    ASSERT_TRUE(P.Scan());
    P.LoadFromBuffer("<new/>");
    ASSERT_TRUE(P.Scan()); // no StartScan: the old positions are gone with the old text
    EXPECT_EQ(P.GetCurName(), "new");
    EXPECT_FALSE(P.Scan());
}

// Every prefix of a document that uses every construct scans to its end
// without reading outside the text (the sanitizers watch the exact-size
// buffer) and without raising.
TEST(XmlPullParser, EveryTruncationOfADocumentScansToItsEnd)
{
    const AnsiString Doc = "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n"
                           "<!DOCTYPE r SYSTEM \"ext.dtd\" [\n"
                           "  <!ELEMENT r (#PCDATA|b)*>\n"
                           "  <!ATTLIST r a CDATA #FIXED 'f&#65;' k (x|y) 'x' n NOTATION (g) #IMPLIED>\n"
                           "  <!ENTITY % pe \"<!ENTITY fromPe 'p'>\"> %pe;\n"
                           "  <!ENTITY g \"<b>&#x41;&h;</b>\"><!ENTITY h \"H\">\n"
                           "  <!ENTITY ext SYSTEM \"ext.xml\" NDATA g>\n"
                           "  <!NOTATION g PUBLIC \"-//G//\" \"g\">\n"
                           "  <!-- c --><?pi x='1'?>\n"
                           "]>\n"
                           "<r a=\"&g;\" b='&lt;&#10;'>t&amp;&g;&ext;&fromPe;\x80<![CDATA[c]]><!--x--><?p?></r>";
    TMemoryEntityParser P;
    P.Files["ext.xml"] = "<e>&#65;</e>";
    P.Files["ext.dtd"] = "<!ENTITY extdtd 'd'>";
    for (std::size_t Len = 0; Len <= Doc.size(); ++Len) {
        const std::unique_ptr<char[]> Exact(new char[Len + 1]);
        std::memcpy(Exact.get(), Doc.data(), Len);
        Exact[Len] = 0;
        for (const bool Normalize : {true, false}) {
            P.SetBuffer(Exact.get());
            P.SetNormalize(Normalize);
            EXPECT_NO_THROW(ScanAll(P, 1000)) << Len;
        }
        P.LoadFromBuffer(Doc.substr(0, Len));
        EXPECT_NO_THROW(ScanAll(P, 1000)) << Len;
    }
}
