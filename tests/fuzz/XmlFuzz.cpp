// tests/fuzz/XmlFuzz.cpp
// Loads arbitrary bytes into the XML pull parser and scans them to the end,
// twice, reading every position the parser hands out.
#include "components/XmlPullParser.h"

#include <cstdint>
#include <cstdlib>

using namespace XmlPullParser;

namespace {

volatile std::size_t Sink;

// External entities come from memory: an entity's text is its own system
// identifier, so that entities can include themselves. One whose identifier
// begins with '-' is refused, as the profile reader refuses every one.
class TFuzzParser : public TXmlParser {
public:
    TXmlParser* LoadExternalEntity(const AnsiString& SystemId, const AnsiString&, const AnsiString&) override
    {
        if (!SystemId.empty() && SystemId[0] == '-') return nullptr;
        auto* Result = New<TXmlParser>();
        Result->LoadFromBuffer(SystemId);
        return Result;
    }

    void DtdElementFound(const TDtdElementRec& Rec) override
    {
        if (Rec.ElementType == deComment) Sink = Sink + StrSFPas(Rec.Start, Rec.Final).size();
        if (Rec.ElementType == deError) Sink = Sink + static_cast<unsigned char>(*Rec.Pos);
    }
};

void ScanToTheEnd(TXmlParser& Parser, std::size_t Size)
{
    // Every part reads at least one character of the document or of an
    // expansion, and expansion is bounded.
    const std::size_t MaxParts = 20 * Size + (std::size_t(1) << 21);
    std::size_t Parts = 0;
    Parser.StartScan();
    while (Parser.Scan()) {
        if (++Parts > MaxParts) std::abort();
        if (Parser.GetCurPartType() == ptComment)
            Sink = Sink + StrSFPas(Parser.GetCurStart(), Parser.GetCurFinal()).size();
        Sink = Sink + Parser.GetCurContent().size() + static_cast<unsigned char>(*Parser.GetCurFinal());
        for (int I = 0; I < Parser.GetCurAttr()->GetCount(); ++I)
            Sink = Sink + Parser.GetCurAttr()->Value(I).size();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    TFuzzParser Parser;
    Parser.LoadFromBuffer(std::string_view(reinterpret_cast<const char*>(Data), Size));
    Parser.SetNormalize(Size % 2 == 0);
    ScanToTheEnd(Parser, Size);
    ScanToTheEnd(Parser, Size); // the document type is not read again
    return 0;
}
