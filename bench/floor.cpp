// The floor a scan is measured against: a bare loop that reads the files the
// way the scan does (fgets into a 4,999-byte buffer, binary mode) and runs
// each pattern once per piece with PCRE's JIT, with no window around it. The
// patterns are the e-mail and web-address ones, or the pattern lines of a
// file (-p: "$name:" prefixes dropped, "$$" lines skipped). Folders stand for
// the files in them.
//   floor [-p <pattern file>] <file or folder>...
#include "bench/BenchFiles.h"

#include <pcre.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> Patterns = {"[A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\\.[A-Za-z]{2,}",
                                         "(?:https?|ftp)://[^\\s\"'<>()]+"};
    std::vector<std::string> Paths;
    for (int I = 1; I < argc; ++I) {
        if (std::strcmp(argv[I], "-p") == 0 && I + 1 < argc) {
            Patterns.clear();
            std::ifstream In(argv[++I]);
            for (std::string L; std::getline(In, L);) {
                if (L.empty() || L.rfind("$$", 0) == 0) continue;
                if (L[0] == '$') L = L.substr(L.find(':') + 1);
                Patterns.push_back(L);
            }
        } else {
            for (auto& F : BenchFiles(argv[I]))
                Paths.push_back(F);
        }
    }
    std::vector<pcre*> Code;
    std::vector<pcre_extra*> Extra;
    for (const auto& P : Patterns) {
        const char* Err;
        int Offset;
        Code.push_back(pcre_compile(P.c_str(), 0, &Err, &Offset, nullptr));
        if (!Code.back()) {
            std::fprintf(stderr, "floor: %s: %s\n", P.c_str(), Err);
            return 1;
        }
        Extra.push_back(pcre_study(Code.back(), PCRE_STUDY_JIT_COMPILE, &Err));
    }
    const auto Start = std::chrono::steady_clock::now();
    long long Bytes = 0, Lines = 0, Matches = 0;
    static char Buf[4999];
    int Ovector[300];
    for (const auto& Path : Paths) {
        std::FILE* In = std::fopen(Path.c_str(), "rb");
        if (!In) {
            std::perror(Path.c_str());
            return 1;
        }
        while (std::fgets(Buf, sizeof Buf, In)) {
            const int Len = static_cast<int>(std::strlen(Buf));
            ++Lines;
            for (std::size_t I = 0; I < Code.size(); ++I)
                if (pcre_exec(Code[I], Extra[I], Buf, Len, 0, PCRE_NOTEMPTY, Ovector, 300) >= 0) ++Matches;
        }
        Bytes += std::ftell(In);
        std::fclose(In);
    }
    const double Secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    std::printf("floor: %lld lines, %lld matches, %.3f s, %.1f MB/s\n", Lines, Matches, Secs, Bytes / 1048576.0 / Secs);
    return 0;
}
