// Writes deterministic test corpora for the scan benchmarks. The usual one:
// prose lines of 0 to 300 bytes, some lines of 5 to 20 KB, some CR LF line
// ends, bytes of 128 and above, and e-mail and web addresses in about 5% of
// the lines, some of them repeated in other letter case.
//   corpus_gen <output file> [megabytes, default 200]
// The same prose with a distinct e-mail address in Percent% of the lines:
//   corpus_gen --distinct <output file> [megabytes, default 100] [percent, default 30]
// Lines of 1 MB, an address every 20 KB or so:
//   corpus_gen --long-lines <output file> [megabytes, default 200]
// Count files of KB kilobytes each of the usual corpus in a folder:
//   corpus_gen --files <folder> [count, default 20000] [kilobytes, default 10]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

std::uint64_t State = 0x9E3779B97F4A7C15ull;

std::uint64_t Next()
{
    State ^= State << 13;
    State ^= State >> 7;
    State ^= State << 17;
    return State;
}

unsigned Below(unsigned N)
{
    return static_cast<unsigned>(Next() % N);
}

const char* const Words[] = {"the",     "quill",   "moat",   "scan",    "pattern", "letter", "river",  "stone",
                             "window",  "between", "under",  "after",   "market",  "garden", "winter", "signal",
                             "address", "message", "record", "harbour", "lantern", "copper", "meadow", "thread"};
const char* const Accented[] = {"caf\xC3\xA9",
                                "na\xC3\xAFve",
                                "\xC3\xBC"
                                "ber",
                                "stra\xC3\x9F"
                                "e",
                                "\xE2\x82\xAC"
                                "5",
                                "\xD0\xBC\xD0\xB8\xD1\x80",
                                "\xE6\x97\xA5\xE6\x9C\xAC"};
const char* const Domains[] = {"example.org", "mail.quill.net", "post.riverstone.co.uk", "lantern.io", "copper.de"};
const char* const Users[] = {"anna", "b.smith", "carol_99", "dev-team", "info", "j.doe", "sales", "zed"};

std::string Address(bool Upper)
{
    std::string A = Users[Below(8)];
    A += '@';
    A += Domains[Below(5)];
    if (Upper)
        for (auto& C : A)
            C = static_cast<char>(std::toupper(static_cast<unsigned char>(C)));
    return A;
}

std::string Url()
{
    std::string U = Below(4) ? "https://" : "http://";
    U += "www.";
    U += Domains[Below(5)];
    U += "/path/";
    U += Words[Below(24)];
    if (Below(2)) U += "?id=" + std::to_string(Below(100000));
    return U;
}

void AppendProse(std::string& Line, std::size_t Target)
{
    while (Line.size() < Target) {
        if (!Line.empty()) Line += ' ';
        if (Below(40) == 0)
            Line += Accented[Below(7)];
        else
            Line += Words[Below(24)];
        if (Below(12) == 0) Line += Below(2) ? "," : ".";
    }
    if (Line.size() > Target) Line.resize(Target);
}

// The usual corpus, line by line, until Bytes are written.
void Usual(std::uint64_t Bytes, const std::function<void(const std::string&)>& Put)
{
    std::vector<std::string> Seen; // addresses to repeat later in other case
    std::uint64_t Written = 0;
    std::string Line;
    while (Written < Bytes) {
        Line.clear();
        const unsigned Kind = Below(1000);
        std::size_t Length = Kind < 3 ? 5000 + Below(15001) : Below(301);
        if (Below(100) < 5) {
            AppendProse(Line, Length / 2);
            Line += Line.empty() ? "" : " ";
            if (!Seen.empty() && Below(4) == 0) {
                std::string A = Seen[Below(static_cast<unsigned>(Seen.size()))];
                for (auto& C : A)
                    C = static_cast<char>(Below(2) ? std::toupper(static_cast<unsigned char>(C)) : C);
                Line += A;
            } else if (Below(2)) {
                std::string A = Address(false);
                if (Seen.size() < 5000) Seen.push_back(A);
                Line += A;
            } else {
                Line += Url();
            }
            Line += ' ';
            AppendProse(Line, Line.size() + Length / 2);
        } else {
            AppendProse(Line, Length);
        }
        Line += Below(10) == 0 ? "\r\n" : "\n";
        Put(Line);
        Written += Line.size();
    }
}

std::string Distinct(unsigned long long N)
{
    return Users[N % 8] + std::string(".") + std::to_string(N) + "@" + Domains[N % 5];
}

void DistinctAddresses(std::uint64_t Bytes, unsigned Percent, const std::function<void(const std::string&)>& Put)
{
    std::uint64_t Written = 0;
    unsigned long long Count = 0;
    std::string Line;
    while (Written < Bytes) {
        Line.clear();
        AppendProse(Line, Below(41));
        if (Below(100) < Percent) Line += (Line.empty() ? "" : " ") + Distinct(Count++) + " ";
        AppendProse(Line, Line.size() + Below(31));
        Line += '\n';
        Put(Line);
        Written += Line.size();
    }
}

void LongLines(std::uint64_t Bytes, const std::function<void(const std::string&)>& Put)
{
    std::uint64_t Written = 0;
    std::string Line;
    while (Written < Bytes) {
        Line.clear();
        while (Line.size() < 1024 * 1024) {
            AppendProse(Line, Line.size() + 15000 + Below(10000));
            Line += ' ';
            Line += Below(2) ? Address(false) : Url();
            Line += ' ';
        }
        Line.resize(1024 * 1024 - 1);
        Line += '\n';
        Put(Line);
        Written += Line.size();
    }
}

} // namespace

int main(int argc, char** argv)
{
    const std::string Mode = argc > 1 && argv[1][0] == '-' ? argv[1] : "";
    const int First = Mode.empty() ? 1 : 2;
    if (argc <= First) {
        std::fprintf(stderr, "usage: corpus_gen [--distinct | --long-lines | --files] <output> [numbers]\n");
        return 2;
    }
    auto Number = [&](int I, unsigned long long Default) {
        return argc > First + I ? std::strtoull(argv[First + I], nullptr, 10) : Default;
    };
    if (Mode == "--files") {
        const std::filesystem::path Dir = argv[First];
        std::filesystem::create_directories(Dir);
        const unsigned long long Count = Number(1, 20000), Bytes = Number(2, 10) * 1024;
        for (unsigned long long I = 0; I < Count; ++I) {
            char Name[32];
            std::snprintf(Name, sizeof Name, "f%06llu.txt", I);
            std::string Text;
            Usual(Bytes, [&](const std::string& Line) { Text += Line; });
            Text.resize(Bytes); // a file may end inside a line
            std::FILE* Out = std::fopen((Dir / Name).c_str(), "wb");
            if (!Out) {
                std::perror(Name);
                return 1;
            }
            std::fwrite(Text.data(), 1, Text.size(), Out);
            std::fclose(Out);
        }
        return 0;
    }
    std::FILE* Out = std::fopen(argv[First], "wb");
    if (!Out) {
        std::perror(argv[First]);
        return 1;
    }
    auto Put = [&](const std::string& Line) { std::fwrite(Line.data(), 1, Line.size(), Out); };
    if (Mode == "--distinct")
        DistinctAddresses(Number(1, 100) * 1024 * 1024, static_cast<unsigned>(Number(2, 30)), Put);
    else if (Mode == "--long-lines")
        LongLines(Number(1, 200) * 1024 * 1024, Put);
    else
        Usual(Number(1, 200) * 1024 * 1024, Put);
    std::fclose(Out);
    return 0;
}
