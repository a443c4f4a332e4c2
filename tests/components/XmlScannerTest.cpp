// tests/components/XmlScannerTest.cpp
#include "components/XmlScannerComps.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <vector>

using namespace XmlScannerComps;

namespace {

using TLog = std::vector<AnsiString>;

AnsiString Attrs(const TAttrList* A)
{
    AnsiString S;
    for (int I = 0; I < A->GetCount(); ++I)
        S += " " + A->Name(I) + "=" + A->Value(I);
    return S;
}

// Logs every event of a full scanner, with Sender checked.
void LogEverything(TXmlScanner* X, TLog& Log)
{
    auto Check = [X](TObject* Sender) { EXPECT_EQ(Sender, X); };
    X->OnXmlProlog = [&Log, Check](TObject* S, const AnsiString& V, const AnsiString& E, bool Alone) {
        Check(S);
        Log.push_back("prolog " + V + " " + E + (Alone ? " alone" : ""));
    };
    X->OnComment = [&Log, Check](TObject* S, const AnsiString& C) { Check(S), Log.push_back("comment " + C); };
    X->OnPI = [&Log, Check](TObject* S, const AnsiString& T, const AnsiString& C, TAttrList* A) {
        Check(S), Log.push_back("pi " + T + " [" + C + "]" + Attrs(A));
    };
    X->OnDtdRead = [&Log, Check](TObject* S, const AnsiString& Root) { Check(S), Log.push_back("dtd " + Root); };
    X->OnStartTag = [&Log, Check](TObject* S, const AnsiString& N, TAttrList* A) {
        Check(S), Log.push_back("start " + N + Attrs(A));
    };
    X->OnEmptyTag = [&Log, Check](TObject* S, const AnsiString& N, TAttrList* A) {
        Check(S), Log.push_back("empty " + N + Attrs(A));
    };
    X->OnEndTag = [&Log, Check](TObject* S, const AnsiString& N) { Check(S), Log.push_back("end " + N); };
    X->OnContent = [&Log, Check](TObject* S, const AnsiString& C) { Check(S), Log.push_back("text [" + C + "]"); };
    X->OnCData = [&Log, Check](TObject* S, const AnsiString& C) { Check(S), Log.push_back("cdata [" + C + "]"); };
    X->OnElement = [&Log, Check](TObject* S, TElemDef* D) {
        Check(S), Log.push_back("element " + D->Name + " " + D->Definition);
    };
    X->OnAttList = [&Log, Check](TObject* S, TElemDef* D) {
        Check(S), Log.push_back("attlist " + D->Name + " " + IntToStr(D->GetCount()));
    };
    X->OnEntity = [&Log, Check](TObject* S, TEntityDef* D) {
        Check(S), Log.push_back("entity " + D->Name + "=" + D->Value);
    };
    X->OnNotation = [&Log, Check](TObject* S, TNotationDef* D) {
        Check(S), Log.push_back("notation " + D->Name + "=" + D->Value);
    };
    X->OnDtdError = [&Log, Check](TObject* S, const char* P) {
        Check(S), Log.push_back(AnsiString("dtd error at ") + *P);
    };
}

// A full scanner whose every event goes to Log.
class XmlScanner : public ::testing::Test {
protected:
    void SetUp() override { LogEverything(X.get(), Log); }
    TLog Run(const AnsiString& Text)
    {
        Log.clear();
        X->LoadFromBuffer(Text);
        X->Execute();
        return Log;
    }
    TOwned<TXmlScanner> X{New<TXmlScanner>(nullptr)};
    TLog Log;
};

} // namespace

TEST_F(XmlScanner, EveryEventFiresInDocumentOrder)
{
    int ExternalLoads = 0;
    X->OnLoadExternal = [&](TObject* S, const AnsiString& SystemId, const AnsiString& PublicId,
                            const AnsiString& NotationId, TXmlParser*& Result) {
        EXPECT_EQ(S, X.get());
        Log.push_back("load " + SystemId + "|" + PublicId + "|" + NotationId);
        ++ExternalLoads;
        Result = New<TXmlParser>(); // the scanner's parser frees it
        Result->LoadFromBuffer(SystemId == "x.dtd" ? "<!ENTITY fromdtd 'D'>" : "<ext/>");
    };
    EXPECT_EQ(Run("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                  "<!-- top -->\n"
                  "<!DOCTYPE doc SYSTEM \"x.dtd\" [\n"
                  "  <!ELEMENT doc (#PCDATA|e)*>\n"
                  "  <!ATTLIST doc lang CDATA 'en'>\n"
                  "  <!ENTITY who \"you\">\n"
                  "  <!ENTITY ext PUBLIC \"-//P//\" \"e.xml\">\n"
                  "  <!NOTATION png SYSTEM \"viewer\">\n"
                  "  <!-- in dtd --><?dtdpi a='1'?>\n"
                  "  <bad\n"
                  "]>\n"
                  "<?app k=\"v\"?>\n"
                  "<doc>Hi &who; &fromdtd;<e/>&ext;<![CDATA[<x>]]></doc>"),
              (TLog{"prolog 1.0 UTF-8 alone",
                    "comment <!-- top -->",
                    "load x.dtd||",
                    "entity fromdtd=D",
                    "element doc (#PCDATA|e)*",
                    "attlist doc 1",
                    "entity who=you",
                    "entity ext=",
                    "notation png=viewer",
                    "comment <!-- in dtd -->",
                    "pi dtdpi [ a='1'] a=1",
                    "dtd error at <",
                    "dtd doc",
                    "pi app [ k=\"v\"] k=v",
                    "start doc lang=en",
                    "text [Hi you D]",
                    "empty e",
                    "load e.xml|-//P//|",
                    "empty ext",
                    "cdata [<x>]",
                    "end doc"}));
    EXPECT_EQ(ExternalLoads, 2);
}

TEST_F(XmlScanner, TranslateEncodingHandlerGetsTheEncodingAndText)
{
    X->OnTranslateEncoding = [&](TObject* S, const AnsiString& Encoding, const AnsiString& Source, AnsiString& Result) {
        EXPECT_EQ(S, X.get());
        Result = Encoding + ":" + Source;
    };
    EXPECT_EQ(Run("<?xml version='1.0' encoding='latin1'?><r a='v'>t</r>"),
              (TLog{"prolog 1.0 latin1", "start r a=LATIN1:v", "text [LATIN1:t]", "end r"}));
}

TEST_F(XmlScanner, ExecuteWithoutADocumentFiresNothing)
{
    X->Execute();
    TTempDir Dir;
    X->LoadFromFile(Dir.Path() + "missing.xml");
    X->Execute();
    EXPECT_TRUE(Log.empty());
}

TEST_F(XmlScanner, StopRequestedEndsExecuteAfterTheCurrentEvent)
{
    X->OnEmptyTag = [&](TObject*, const AnsiString& N, TAttrList*) {
        Log.push_back("empty " + N);
        X->StopRequested = true;
    };
    EXPECT_EQ(Run("<r><a/><b/></r>"), (TLog{"start r", "empty a"}));
    Log.clear();
    X->Execute(); // a new run starts afresh
    EXPECT_EQ(Log, (TLog{"start r", "empty a"}));
}

TEST_F(XmlScanner, NormalizeSwitchesWhitespaceHandlingAndOutlivesTheDocument)
{
    X->OnStartTag = nullptr;
    X->OnEndTag = nullptr;
    Run("<r>a\n  b</r> <s> </s>");
    X->SetNormalize(false);
    X->Execute();
    EXPECT_EQ(Log, (TLog{"text [a b]", "text [a\n  b]", "text [ ]", "text [ ]"}));
    EXPECT_EQ(Run("<r>a\n  b</r>"), (TLog{"text [a\n  b]"}));
}

TEST_F(XmlScanner, FilenameLoadsTheFileAtOnceAlsoWhileLoading)
{
    TTempDir Dir;
    const AnsiString Name = Dir.WriteFile("p.qmp", "<Local><Include>x</Include></Local>");
    X->SetLoading(true);
    X->SetFilename(Name);
    EXPECT_EQ(X->GetFilename(), Name);
    X->SetLoading(false);
    X->Loaded();
    X->Execute();
    EXPECT_EQ(Log, (TLog{"start Local", "start Include", "text [x]", "end Include", "end Local"}));
}

TEST_F(XmlScanner, HandlerExceptionsPassOutOfExecute)
{
    X->OnStartTag = [](TObject*, const AnsiString&, TAttrList*) { throw EConvertError("bad"); };
    X->LoadFromBuffer("<r/>");
    EXPECT_NO_THROW(X->Execute());
    X->LoadFromBuffer("<r></r>");
    EXPECT_THROW(X->Execute(), EConvertError);
}

TEST(SimpleXmlScanner, CDataReachesOnContent)
{
    TOwned<TSimpleXmlScanner> X(New<TSimpleXmlScanner>(nullptr));
    TLog Log;
    X->OnContent = [&](TObject* S, const AnsiString& C) {
        EXPECT_EQ(S, X.get());
        Log.push_back("text [" + C + "]");
    };
    X->OnStartTag = [&](TObject*, const AnsiString& N, TAttrList*) { Log.push_back("start " + N); };
    X->OnEmptyTag = [&](TObject*, const AnsiString& N, TAttrList*) { Log.push_back("empty " + N); };
    X->OnEndTag = [&](TObject*, const AnsiString& N) { Log.push_back("end " + N); };
    X->OnComment = [&](TObject*, const AnsiString& C) { Log.push_back("comment " + C); };
    X->OnPI = [&](TObject*, const AnsiString& T, const AnsiString&, TAttrList*) { Log.push_back("pi " + T); };
    X->LoadFromBuffer("<?p?><r>a<![CDATA[ <b> ]]><!--c--><e/></r>");
    X->Execute();
    EXPECT_EQ(Log, (TLog{"pi p", "start r", "text [a]", "text [ <b> ]", "comment <!--c-->", "empty e", "end r"}));
}

TEST_F(XmlScanner, ALoadHandlerThatReturnsNoParserLeavesTheReferenceAsWritten)
{
    X->OnLoadExternal = [](TObject*, const AnsiString&, const AnsiString&, const AnsiString&, TXmlParser*& Result) {
        Result = nullptr;
    };
    EXPECT_EQ(Run("<!DOCTYPE r SYSTEM 'r.dtd' [<!ENTITY e SYSTEM 'e.xml'>]><r a='[&e;]'>[&e;]</r>"),
              (TLog{"entity e=", "dtd r", "start r a=[&e;]", "text [[&e;]]", "end r"}));
}
