// The floor a scan is measured against: a bare loop that reads the corpus the
// way the scan does (fgets into a 4,999-byte buffer, binary mode) and runs
// each pattern once per piece with PCRE's JIT, with no window around it.
//   floor <file>...
#include <pcre.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

int main(int argc, char** argv)
{
    const char* Patterns[] = {"[A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\\.[A-Za-z]{2,}", "(?:https?|ftp)://[^\\s\"'<>()]+"};
    pcre* Code[2];
    pcre_extra* Extra[2];
    const unsigned char* Tables = pcre_maketables();
    for (int I = 0; I < 2; ++I) {
        const char* Err;
        int Offset;
        Code[I] = pcre_compile(Patterns[I], 0, &Err, &Offset, Tables);
        Extra[I] = pcre_study(Code[I], PCRE_STUDY_JIT_COMPILE, &Err);
    }
    const auto Start = std::chrono::steady_clock::now();
    long long Bytes = 0, Lines = 0, Matches = 0;
    static char Buf[4999];
    int Ovector[300];
    for (int F = 1; F < argc; ++F) {
        std::FILE* In = std::fopen(argv[F], "rb");
        if (!In) {
            std::perror(argv[F]);
            return 1;
        }
        while (std::fgets(Buf, sizeof Buf, In)) {
            const int Len = static_cast<int>(std::strlen(Buf));
            ++Lines;
            for (int I = 0; I < 2; ++I)
                if (pcre_exec(Code[I], Extra[I], Buf, Len, 0, PCRE_NOTEMPTY, Ovector, 300) >= 0) ++Matches;
        }
        Bytes += std::ftell(In);
        std::fclose(In);
    }
    const double Secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    std::printf("floor: %lld lines, %lld matches, %.3f s, %.1f MB/s\n", Lines, Matches, Secs, Bytes / 1048576.0 / Secs);
    return 0;
}
