// Writes a deterministic test corpus for the scan benchmarks: prose lines of
// 0 to 300 bytes, some lines of 5 to 20 KB, some CR LF line ends, bytes of 128
// and above, and e-mail and web addresses in about 5% of the lines, some of
// them repeated in other letter case.
//   corpus_gen <output file> [megabytes, default 200]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: corpus_gen <file> [megabytes]\n");
        return 2;
    }
    const std::uint64_t Bytes = (argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 200) * 1024 * 1024;
    std::FILE* Out = std::fopen(argv[1], "wb");
    if (!Out) {
        std::perror(argv[1]);
        return 1;
    }
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
        std::fwrite(Line.data(), 1, Line.size(), Out);
        Written += Line.size();
    }
    std::fclose(Out);
    return 0;
}
