#include "app/ScanPatterns.h"
#include "platform/rtl/Codec.h"

#include <pcre.h>

namespace ScanPatterns {

TPatternLine ParsePatternLine(const AnsiString& Line, int Position)
{
    TPatternLine P;
    if (Line.size() >= 2 && Line[0] == '$' && Line[1] == '$') {
        P.Comment = true;
    } else if (!Line.empty() && Line[0] == '$') {
        // The colon is looked for in every character but the last.
        const auto Colon = Line.find(':');
        if (Colon != AnsiString::npos && Colon + 1 < Line.size()) {
            P.Name = Line.substr(1, Colon - 1);
            P.Pattern = Line.substr(Colon + 1);
        }
    } else {
        P.Name = "Regex #" + IntToStr(Position);
        P.Pattern = Line;
    }
    P.WideName = Utf8ToWide(P.Name);
    return P;
}

namespace {

// The JIT stack of the calling thread: it grows on demand up to the
// component's bound, as the component's own does, and goes with the thread.
pcre_jit_stack* ThreadJitStack()
{
    struct TStack {
        pcre_jit_stack* Stack = pcre_jit_stack_alloc(32 * 1024, TPcreRegex::JitStackLimit);
        ~TStack()
        {
            if (Stack) pcre_jit_stack_free(Stack);
        }
    };
    thread_local TStack S;
    return S.Stack;
}

} // namespace

bool TCompiledPattern::Find(std::string_view Text, std::string_view& Match, bool Direct)
{
    if (!Regex) return false;
    if (!Direct || !Jit) {
        Regex->SetSubject(AnsiString(Text));
        if (!Regex->Match()) return false;
        const int Offset = Regex->GetMatchedExpressionOffset(), Length = Regex->GetMatchedExpressionLength();
        Match = Offset < 1 || Length <= 0
                    ? Text.substr(0, 0)
                    : Text.substr(static_cast<std::size_t>(Offset - 1), static_cast<std::size_t>(Length));
        return true;
    }
    // The component's search without its subject copy and NUL search: the
    // text ends at its first NUL already, and is far shorter than PCRE's limit.
    int Offsets[3];
    pcre_jit_stack* Stack = ThreadJitStack();
    if (!Stack) throw EPcreRegexError(TPcreRegex::FailureReason(PCRE_ERROR_NOMEMORY, Offsets), PCRE_ERROR_NOMEMORY);
    const int Rc = pcre_jit_exec(Regex->GetCompiledPattern(), Regex->GetStudyData(), Text.data(),
                                 static_cast<int>(Text.size()), 0, PCRE_NOTEMPTY, Offsets, 3, Stack);
    if (Rc == PCRE_ERROR_NOMATCH) return false;
    if (Rc < 0) throw EPcreRegexError(TPcreRegex::FailureReason(Rc, Offsets), Rc);
    // 0: more groups than the offsets hold; the whole match is there.
    const int Length = Offsets[1] - Offsets[0];
    Match = Text.substr(static_cast<std::size_t>(Offsets[0]), static_cast<std::size_t>(std::max(Length, 0)));
    return true;
}

void TPatternCache::Refresh(const std::vector<AnsiString>& Lines)
{
    FPatterns.resize(Lines.size());
    for (std::size_t I = 0; I < Lines.size(); ++I) {
        TCompiledPattern& P = FPatterns[I];
        const AnsiString& Line = Lines[I];
        if (P.Regex && P.Line == Line) continue;
        P.Line = Line;
        P.Parsed = ParsePatternLine(Line, static_cast<int>(I + 1));
        P.Regex.reset();
        if (P.Parsed.Comment || P.Parsed.Pattern.empty()) continue;
        auto R = std::unique_ptr<TPcreRegex, FreeDeleter>(New<TPcreRegex>(nullptr));
        try {
            R->SetRegEx(P.Parsed.Pattern);
            R->Compile();
            R->Study();
            // The direct call skips the check of the subject's UTF-8 that
            // makes a (*UTF8) pattern give up on bad bytes: those stay with
            // the component.
            int Jit = 0;
            unsigned long Options = 0;
            P.Jit = pcre_fullinfo(R->GetCompiledPattern(), R->GetStudyData(), PCRE_INFO_JIT, &Jit) == 0 && Jit &&
                    pcre_fullinfo(R->GetCompiledPattern(), nullptr, PCRE_INFO_OPTIONS, &Options) == 0 &&
                    !(Options & PCRE_UTF8);
            P.Filter = PieceFilter::TPieceFilter();
            P.Filter.Learn(R->GetCompiledPattern(), R->GetStudyData());
            P.Filter.LearnFromText(P.Parsed.Pattern);
            P.Regex = std::move(R);
        } catch (const Exception&) {
            // A pattern that does not compile is skipped without a word.
        }
    }
}

} // namespace ScanPatterns
