// The fast scan (matching threads, blocks cut at many sizes) against the
// plain one on generated files and patterns: rows, final list and log must be
// the same. The generator's seed is fixed; the
// cases it once found apart are kept in tests/data/scan_differential and
// replayed first.
#include "app/ScanSpeed.h"
#include "tests/app/AppTestSupport.h"
#include "platform/rtl/Codec.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace Unit1;

namespace {

// A generator of our own: the standard distributions differ between libraries.
class TRandom {
public:
    explicit TRandom(std::uint64_t Seed) : FState(Seed) {}
    std::uint32_t Next()
    {
        FState = FState * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(FState >> 33);
    }
    std::size_t Below(std::size_t N) { return N ? Next() % N : 0; }
    bool Chance(int Percent) { return static_cast<int>(Below(100)) < Percent; }
    template <typename T> const T& Pick(const std::vector<T>& V) { return V[Below(V.size())]; }

private:
    std::uint64_t FState;
};

constexpr std::uint64_t Seed = 20261207;

// Blocks from a single piece up to the scan's own size, so that jobs are cut
// inside long lines, between files and not at all.
constexpr std::size_t BlockSizes[] = {4998, 6007, 9996, 65536, 1 << 20};

// One case: pattern lists and the files' contents.
struct TCase {
    TLines Matches, Rejects;
    std::vector<AnsiString> Files;
};

const std::vector<AnsiString> Words = {"q=1",
                                       "o//b",
                                       "x/y/",
                                       "a=",
                                       "%z",
                                       "@q",
                                       "=q",
                                       "anna@x.org",
                                       "http://a.b/c?d",
                                       "abc",
                                       "ABC",
                                       "Abc",
                                       "foo",
                                       "bar",
                                       "foobar",
                                       "x.y",
                                       "a.b",
                                       "123-4567",
                                       "2026",
                                       " ",
                                       " ",
                                       "\t",
                                       "\r",
                                       AnsiString(1, '\0'),
                                       "\xff\xfe",
                                       "\xc3\xa9",
                                       "\xe2\x84\xaa",
                                       "aaaaaaaaaaaaaaaaaaaaaaaaaaaaab",
                                       "ftp://q",
                                       "@",
                                       "((",
                                       "zz",
                                       "Q",
                                       "q"};

// Patterns that exercise what a pattern's facts can and cannot prove.
const std::vector<AnsiString> Fragments = {
    "^a", "c$", "\\bfoo\\b", "(?<=@)[a-z]+", "abc|xyz", "(?i)abc", "ABC", "(?i:b)c", "\\Qa.b\\E", "[0-9]+", "x{0}y",
    "a{0}", "x*", "(?=a)", "(", "[z", "(a+)+$", "(?:a|aa)+$", "[^\\x00-\\x7f]+", "\xc3\xa9", "(?m)^b", "(?s).{3}",
    "\\d{3}-\\d{4}", "[A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\\.[A-Za-z]{2,}", "(?:https?|ftp)://[^\\s\"'<>()]+", "\\Aq",
    "(*UTF8)\\w+", "(*UTF8)(?i)k", "\\r$", "q\\z", "\\Gab", "z\\Z", "(?i)q", "Q", "(?<!f)oo", "[Qq]", "\\x00", "b\\K.",
    "(?|(a)|(b))c", "(?i)\\Qab\\E", "()", "a??", "(?(?=a)ab|cd)", "(\\w)\\1", "[[:upper:]]{2}", "(?x) a b c # comment",
    "\\s+", ".+?@",
    // Long pieces take these past the JIT's first 32 KB of stack.
    "(x|[^x])*?Q", "(?:(.)|\\s)*$",
    // Rare bytes in the pattern's text, required or not.
    "a=\\d+", "x/?y/", "\\@[a-z]", "[/]=", "o\\/+b", "q(?:@|/)", "%{0}z", "@?q", "=|q", "\\x40", "\\Q@\\E", "[@]{1,2}",
    "b[^@]=*", "@{0,}b"};

AnsiString GeneratePattern(TRandom& R)
{
    AnsiString P = R.Pick(Fragments);
    if (R.Chance(30)) P += R.Pick(Fragments);
    if (R.Chance(15)) P = "(?i)" + P;
    if (R.Chance(10)) P = "$named:" + P;
    return P;
}

AnsiString GenerateFile(TRandom& R)
{
    if (R.Chance(10)) return AnsiString();
    AnsiString F;
    const std::size_t Lines = 1 + R.Below(30);
    for (std::size_t L = 0; L < Lines; ++L) {
        if (R.Chance(8)) {
            // Around the piece length, and past two pieces.
            const std::size_t Length = 4996 + R.Below(12000 - 4996 + 1);
            AnsiString Long;
            while (Long.size() < Length)
                Long += R.Pick(Words);
            Long.resize(Length);
            F += Long;
        } else {
            const std::size_t Count = R.Below(8);
            for (std::size_t W = 0; W < Count; ++W)
                F += R.Pick(Words);
        }
        if (L + 1 < Lines || R.Chance(70)) F += R.Chance(30) ? "\r\n" : "\n";
    }
    return F;
}

TCase GenerateCase(TRandom& R)
{
    TCase C;
    const std::size_t Patterns = 1 + R.Below(4);
    for (std::size_t I = 0; I < Patterns; ++I)
        C.Matches.push_back(GeneratePattern(R));
    if (R.Chance(30)) C.Rejects.push_back(R.Pick(Fragments));
    const std::size_t Files = R.Chance(10) ? 20 + R.Below(20) : 1 + R.Below(4);
    for (std::size_t I = 0; I < Files; ++I)
        C.Files.push_back(GenerateFile(R));
    return C;
}

AnsiString ReadWhole(const std::filesystem::path& P)
{
    std::ifstream In(P, std::ios::binary);
    std::ostringstream S;
    S << In.rdbuf();
    return S.str();
}

// A kept case is a folder: "matches" and "rejects" (one pattern a line) and
// the files to scan, file-1, file-2, ... in that order.
TCase ReadCase(const std::filesystem::path& Dir)
{
    TCase C;
    auto LinesOfFile = [&](const char* Name) {
        TLines V;
        std::istringstream In(ReadWhole(Dir / Name));
        for (std::string L; std::getline(In, L);)
            V.push_back(L);
        return V;
    };
    C.Matches = LinesOfFile("matches");
    C.Rejects = LinesOfFile("rejects");
    for (int I = 1; std::filesystem::exists(Dir / ("file-" + std::to_string(I))); ++I)
        C.Files.push_back(ReadWhole(Dir / ("file-" + std::to_string(I))));
    return C;
}

// Writes a case as ReadCase reads it, for the kept ones.
std::filesystem::path WriteCase(const TCase& C, const AnsiString& Name)
{
    const auto Dir = std::filesystem::temp_directory_path() / ("quillmote-scan-case-" + Name);
    std::filesystem::create_directories(Dir);
    auto Write = [&](const std::string& File, const AnsiString& Bytes) {
        std::ofstream(Dir / File, std::ios::binary) << Bytes;
    };
    auto Join = [](const TLines& Lines) {
        AnsiString S;
        for (const auto& L : Lines)
            S += L + "\n";
        return S;
    };
    Write("matches", Join(C.Matches));
    Write("rejects", Join(C.Rejects));
    for (std::size_t I = 0; I < C.Files.size(); ++I)
        Write("file-" + std::to_string(I + 1), C.Files[I]);
    return Dir;
}

class TScanDifferentialTest : public TMainWindowTest {
protected:
    void SetUp() override
    {
        TMainWindowTest::SetUp();
        MakeForm();
    }
    void TearDown() override
    {
        ScanSpeedUps = true;
        ScanWorkers = 0;
        ScanBlockBytes = 1 << 20;
        TMainWindowTest::TearDown();
    }

    struct TOutcome {
        TLines Rows, Final, Log;
        AnsiString Status;
    };

    TOutcome Run(const TCase& C, const std::vector<AnsiString>& Paths, bool SpeedUps)
    {
        ScanSpeedUps = SpeedUps;
        ScanWorkers = 3;
        SetLines(Form->RichEdit9->GetLines(), Paths);
        SetLines(Form->RichEdit3->GetLines(), C.Matches);
        SetLines(Form->RichEdit4->GetLines(), C.Rejects);
        Script.Messages.clear();
        Form->BitBtn1Click(Form->BitBtn1);
        TOutcome O;
        for (int R = 0; R < Form->GxGrid1->GetRowCount(); ++R) {
            AnsiString S;
            for (int Col = 0; Col < 5; ++Col)
                S += WideToUtf8(Form->GxGrid1->GetCell(Col, R).GetAsString()) + '|';
            O.Rows.push_back(S);
        }
        O.Final = LinesOf(Form->RichEdit5);
        O.Log = LinesOf(Form->RichEdit2);
        // The time taken is the one thing allowed to differ.
        for (auto& L : O.Log)
            if (L.rfind("Processed ", 0) == 0) L = L.substr(0, L.find(" in "));
        O.Status = Form->Label4->GetCaption() + "/" + Form->TabSheet6->GetCaption();
        return O;
    }

    // Where two lists part, for the failure message: the lists may be long.
    static AnsiString FirstDifference(const TLines& A, const TLines& B)
    {
        std::size_t I = 0;
        while (I < A.size() && I < B.size() && A[I] == B[I])
            ++I;
        return ": first difference at line " + IntToStr(static_cast<int>(I)) + ": \"" +
               (I < A.size() ? A[I] : AnsiString("(none)")) + "\" against \"" +
               (I < B.size() ? B[I] : AnsiString("(none)")) + "\"";
    }

    // Both scans of one case; true when they agree.
    bool Agree(const TCase& C, const AnsiString& Name, int* Rows = nullptr)
    {
        std::vector<AnsiString> Paths;
        for (std::size_t I = 0; I < C.Files.size(); ++I)
            Paths.push_back(AppDir.WriteFile(Name + "-" + IntToStr(static_cast<int>(I + 1)), C.Files[I]));
        const TOutcome Plain = Run(C, Paths, false);
        const TOutcome Fast = Run(C, Paths, true);
        if (Rows) *Rows += static_cast<int>(Plain.Rows.size());
        EXPECT_EQ(Fast.Rows, Plain.Rows) << Name;
        EXPECT_EQ(Fast.Final, Plain.Final) << Name;
        EXPECT_EQ(Fast.Log, Plain.Log) << Name << FirstDifference(Fast.Log, Plain.Log);
        EXPECT_EQ(Fast.Status, Plain.Status) << Name;
        return Fast.Rows == Plain.Rows && Fast.Final == Plain.Final && Fast.Log == Plain.Log &&
               Fast.Status == Plain.Status;
    }
};

} // namespace

TEST_F(TScanDifferentialTest, KeptCasesScanAlikeBothWays)
{
    const std::filesystem::path Dir = std::filesystem::path(QUILLMOTE_SOURCE_DIR) / "tests/data/scan_differential";
    int Cases = 0;
    for (const auto& Entry : std::filesystem::directory_iterator(Dir)) {
        if (!Entry.is_directory()) continue;
        ScanBlockBytes = BlockSizes[Cases % std::size(BlockSizes)];
        ++Cases;
        Agree(ReadCase(Entry.path()), AnsiString(Entry.path().filename().string()));
    }
    EXPECT_GT(Cases, 0);
}

TEST_F(TScanDifferentialTest, GeneratedCasesScanAlikeBothWays)
{
    TRandom R(Seed);
    int Rows = 0, GaveUp = 0;
    for (int I = 0; I < 40; ++I) {
        const TCase C = GenerateCase(R);
        ScanBlockBytes = BlockSizes[I % std::size(BlockSizes)];
        if (!Agree(C, "gen" + IntToStr(I), &Rows)) {
            ADD_FAILURE() << "case " << I << " differs; kept in " << WriteCase(C, "gen" + IntToStr(I))
                          << ": move it to tests/data/scan_differential";
            break;
        }
        for (const auto& L : LinesOf(Form->RichEdit2))
            if (L.find("gave up") != AnsiString::npos) ++GaveUp;
    }
    // The generator must reach matches and PCRE's limits, or it proves little.
    EXPECT_GT(Rows, 100);
    EXPECT_GT(GaveUp, 0);
}
