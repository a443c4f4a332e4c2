// bench/xml_bench.cpp
// Parses 5 MB and 50 MB of generated XML (deep nesting, many attributes,
// entities and references) and prints the rate of each; the larger document
// must parse at no less than 70% of the smaller one's rate.
#include "components/XmlPullParser.h"

#include <chrono>
#include <cstdint>
#include <cstdio>

using namespace XmlPullParser;

namespace {

// A fixed pseudo-random sequence, so that every run parses the same text.
struct TRandom {
    std::uint32_t State = 12345;
    std::uint32_t Next(std::uint32_t Range)
    {
        State = State * 1664525u + 1013904223u;
        return (State >> 8) % Range;
    }
};

AnsiString MakeDocument(std::size_t Size)
{
    static const char* const Words[] = {"alpha", "beta",  "gamma", "delta", "epsilon", "zeta",
                                        "eta",   "theta", "iota",  "kappa", "lambda",  "mu"};
    TRandom R;
    AnsiString Doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<!DOCTYPE bench [\n"
                     "  <!ELEMENT bench ANY>\n"
                     "  <!ENTITY co \"Quillmote &amp; Co.\">\n"
                     "  <!ENTITY sig \"&co; &#169; 2024\">\n"
                     "  <!ENTITY rule \"<hr width='1'/>\">\n"
                     "  <!ATTLIST node kind (leaf|branch) 'leaf' id ID #IMPLIED tokens NMTOKENS #IMPLIED>\n"
                     "]>\n<bench>\n";
    Doc.reserve(Size + 4096);
    while (Doc.size() < Size) {
        const int Depth = 8 + static_cast<int>(R.Next(40));
        for (int D = 0; D < Depth; ++D) {
            Doc += "<node id=\"n" + std::to_string(R.Next(1000000)) + "\"";
            const int Attrs = 4 + static_cast<int>(R.Next(8));
            for (int A = 0; A < Attrs; ++A) {
                Doc += " a" + std::to_string(A) + "='";
                Doc += Words[R.Next(12)];
                Doc += R.Next(4) == 0 ? " &amp; &co;'" : " x&#65;'";
            }
            Doc += " tokens=\"  t1   t2 \">\n  ";
            for (int W = 0; W < 6; ++W) {
                Doc += Words[R.Next(12)];
                Doc += R.Next(5) == 0 ? " &sig; " : " &lt;\xC3\xA9&gt; ";
            }
            if (R.Next(6) == 0) Doc += "&rule;<!-- note --><![CDATA[raw <text>]]>";
            Doc += "\n";
        }
        for (int D = 0; D < Depth; ++D)
            Doc += "</node>\n";
    }
    Doc += "</bench>\n";
    return Doc;
}

// Megabytes per second of the best of Runs parses.
double ParseRate(const AnsiString& Doc, int Runs, std::size_t& Parts)
{
    double Best = 1e30;
    for (int Run = 0; Run < Runs; ++Run) {
        const auto Start = std::chrono::steady_clock::now();
        TXmlParser Parser;
        Parser.LoadFromBuffer(Doc);
        Parser.StartScan();
        Parts = 0;
        while (Parser.Scan())
            ++Parts;
        const std::chrono::duration<double> Took = std::chrono::steady_clock::now() - Start;
        if (Took.count() < Best) Best = Took.count();
    }
    return static_cast<double>(Doc.size()) / 1e6 / Best;
}

} // namespace

int main()
{
    const AnsiString Small = MakeDocument(5'000'000);
    const AnsiString Large = MakeDocument(50'000'000);
    std::size_t SmallParts = 0, LargeParts = 0;
    const double SmallRate = ParseRate(Small, 5, SmallParts);
    const double LargeRate = ParseRate(Large, 3, LargeParts);
    std::printf("5 MB:  %9zu bytes, %8zu parts, %7.1f MB/s\n", Small.size(), SmallParts, SmallRate);
    std::printf("50 MB: %9zu bytes, %8zu parts, %7.1f MB/s\n", Large.size(), LargeParts, LargeRate);
    const double Ratio = LargeRate / SmallRate;
    std::printf("50 MB rate is %.0f%% of the 5 MB rate (at least 70%% required): %s\n", Ratio * 100,
                Ratio >= 0.7 ? "ok" : "FAILED");
    return Ratio >= 0.7 ? 0 : 1;
}
