// components/PcreRegex.cpp
#include "components/PcreRegex.h"
#include "platform/rtl/Codec.h"

#include <algorithm>
#include <cstring>
#include <pcre.h>
#include <string_view>
#include <sys/resource.h>

namespace PcreRegex {

namespace {

const char* const UnitName = "PcreRegex";
const char* const NoMatchText = "REQUIRE: There must be a successful match first";

// JIT code keeps its stack on the heap. The library's small default stack
// serves most searches; the component's own grows on demand up to its limit.
constexpr int JitStackStart = 32 * 1024;

bool JitAvailable()
{
    static const bool Available = [] {
        int On = 0;
        return pcre_config(PCRE_CONFIG_JIT, &On) == 0 && On != 0;
    }();
    return Available;
}

// The interpreter recurses on the machine stack, once per backtracking
// point; a deep enough recursion would overflow it. Half of the stack (at
// most 8 MB, the size threads get by default) divided by the library's frame
// size is as deep as it may go.
unsigned long InterpreterRecursionLimit()
{
    static const unsigned long Limit = [] {
        const int FrameSize = -pcre_exec(nullptr, nullptr, nullptr, -999, -999, 0, nullptr, 0);
        rlim_t Stack = 8 * 1024 * 1024;
        rlimit R{};
        if (getrlimit(RLIMIT_STACK, &R) == 0 && R.rlim_cur != RLIM_INFINITY) Stack = std::min(Stack, R.rlim_cur);
        return static_cast<unsigned long>(Stack / 2 / static_cast<rlim_t>(FrameSize > 0 ? FrameSize : 1024));
    }();
    return Limit;
}

} // namespace

// Why PCRE gave up; the library names only its compile errors.
AnsiString TPcreRegex::FailureReason(int Code, const int* Offsets)
{
    switch (Code) {
    case PCRE_ERROR_MATCHLIMIT:
        return "match limit exceeded";
    case PCRE_ERROR_RECURSIONLIMIT:
        return "recursion limit exceeded";
    case PCRE_ERROR_JIT_STACKLIMIT:
        return "JIT stack limit of " + IntToStr(TPcreRegex::JitStackLimit / (1024 * 1024)) + " MB exceeded";
    case PCRE_ERROR_BADUTF8:
        return "invalid UTF-8 in the subject at offset " + IntToStr(Offsets[0]);
    case PCRE_ERROR_BADUTF8_OFFSET:
        return "start offset inside a UTF-8 character";
    case PCRE_ERROR_NOMEMORY:
        return "out of memory";
    default:
        return "PCRE error " + IntToStr(Code);
    }
}

namespace {

// Where PCRE's view of S ends: its first NUL at or after From, or its end.
Int64 SubjectEndFrom(const AnsiString& S, std::size_t From)
{
    const void* Nul = std::memchr(S.data() + From, 0, S.size() - From);
    return static_cast<Int64>(Nul ? static_cast<const char*>(Nul) - S.data() : S.size());
}

bool IsDigit(char C)
{
    return C >= '0' && C <= '9';
}
bool IsNameStart(char C)
{
    return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_';
}
bool IsNameChar(char C)
{
    return IsNameStart(C) || IsDigit(C);
}

bool IsName(std::string_view S)
{
    return !S.empty() && IsNameStart(S[0]) && std::all_of(S.begin() + 1, S.end(), IsNameChar);
}

bool IsDigits(std::string_view S)
{
    return !S.empty() && std::all_of(S.begin(), S.end(), IsDigit);
}

// A number of any length; values beyond every possible group stay beyond it.
int GroupNumberOf(std::string_view Digits)
{
    int N = 0;
    for (char C : Digits)
        N = std::min(N * 10 + (C - '0'), 1000000);
    return N;
}

// A word of \I begins after these; an apostrophe does not end a word.
bool EndsWord(char32_t C)
{
    if (C < 32 || C == 0xB7) return true;
    return C < 128 && std::string_view(" !\"#$%&()*+,-.<?[{").find(static_cast<char>(C)) != std::string_view::npos;
}

// \F, \I, \L and \U of the replacement template.
AnsiString ConvertCase(char Letter, const AnsiString& S)
{
    switch (Letter) {
    case 'L':
    case 'l':
        return AnsiLowerCase(S);
    case 'U':
    case 'u':
        return AnsiUpperCase(S);
    }
    const bool EveryWord = Letter == 'I' || Letter == 'i';
    AnsiString Out;
    Out.reserve(S.size());
    bool WordStart = true;
    std::size_t P = 0;
    while (P < S.size()) {
        const char32_t C = DecodeUtf8Char(S, P);
        AppendUtf8(Out, WordStart ? UpperCaseChar(C) : LowerCaseChar(C));
        WordStart = EveryWord && EndsWord(C);
    }
    return Out;
}

bool IsCaseLetter(char C)
{
    return std::string_view("FILUfilu").find(C) != std::string_view::npos;
}

// A group number of one digit at T[P], taken as two digits when a second
// digit follows and that number is still a group of the match.
bool ReadGroupNumber(const AnsiString& T, std::size_t P, int GroupCount, int& Group, std::size_t& After)
{
    if (P >= T.size() || !IsDigit(T[P])) return false;
    Group = T[P] - '0';
    After = P + 1;
    if (After < T.size() && IsDigit(T[After])) {
        const int Two = Group * 10 + (T[After] - '0');
        if (Two <= GroupCount) {
            Group = Two;
            ++After;
        }
    }
    return true;
}

// The text between T[P] == Open and the next Close; false when T[P] is not
// Open or no Close follows.
bool ReadEnclosed(const AnsiString& T, std::size_t P, char Open, char Close, std::string_view& Inside,
                  std::size_t& After)
{
    if (P >= T.size() || T[P] != Open) return false;
    const std::size_t E = T.find(Close, P + 1);
    if (E == AnsiString::npos) return false;
    Inside = std::string_view(T).substr(P + 1, E - P - 1);
    After = E + 1;
    return true;
}

} // namespace

EPcreRegexError::EPcreRegexError(const AnsiString& AReason, int AErrorCode)
    : Exception("TPcreRegex.Match() - Error matching the regex: " + AReason), Reason(AReason), ErrorCode(AErrorCode)
{
}

// ---- TPcreRegex ---------------------------------------------------------------

TPcreRegex::TPcreRegex(TComponent* AOwner) : TComponent(AOwner), FState{preNotEmpty} {}

TPcreRegex::~TPcreRegex()
{
    CleanUp();
    if (FJitStack) pcre_jit_stack_free(FJitStack);
}

void TPcreRegex::SetOptions(Set<TPcreRegexOptions> Value)
{
    if (Value == FOptions) return;
    FOptions = Value;
    static const int Bits[] = {PCRE_CASELESS, PCRE_MULTILINE,      PCRE_DOTALL, PCRE_EXTENDED,
                               PCRE_ANCHORED, PCRE_DOLLAR_ENDONLY, PCRE_EXTRA,  PCRE_UNGREEDY};
    FPcreOptions = 0;
    for (int I = preCaseLess; I <= preUnGreedy; ++I)
        if (FOptions.Contains(static_cast<TPcreRegexOptions>(I))) FPcreOptions |= Bits[I];
    CleanUp();
}

void TPcreRegex::SetRegEx(const AnsiString& Value)
{
    if (Value == FRegEx) return;
    FRegEx = Value;
    CleanUp();
}

void TPcreRegex::SetSubject(const AnsiString& Value)
{
    FSubject = Value;
    FSubjectEnd = static_cast<Int64>(std::strlen(FSubject.c_str()));
    FStart = 1;
    FStop = static_cast<Int64>(FSubject.size());
    if (FStoredSubExpressions.empty()) FOffsetCount = 0;
}

void TPcreRegex::SetStart(Int64 Value)
{
    FStart = Value < 1 ? 1 : Value;
}

void TPcreRegex::SetStop(Int64 Value)
{
    FStop = std::min(Value, static_cast<Int64>(FSubject.size()));
}

void TPcreRegex::CleanUp()
{
    FCompiled = false;
    FStudied = false;
    if (FPattern) pcre_free(FPattern);
    FPattern = nullptr;
    if (FHints) pcre_free_study(FHints);
    FHints = nullptr;
    ClearStoredSubExpressions();
    FOffsetCount = 0;
}

void TPcreRegex::Compile()
{
    if (FRegEx.empty()) throw Exception("TPcreRegex.Compile() - Please specify a regular expression in RegEx first");
    CleanUp();
    const char* Error = nullptr;
    int ErrorOffset = 0;
    // The built-in tables: the C library's locale, which Qt sets at start-up,
    // must not decide what a letter is.
    FPattern = pcre_compile(FRegEx.c_str(), FPcreOptions, &Error, &ErrorOffset, nullptr);
    if (!FPattern)
        throw Exception(Format("TPcreRegex.Compile() - Error in regex at offset %d: %s", {ErrorOffset, Error}));
    FCompiled = true;
}

// Study data, with JIT code where the library can make it; the interpreter
// serves where it cannot. Returns PCRE's error text, or nullptr.
const char* TPcreRegex::StudyPattern()
{
    if (FHints) pcre_free_study(FHints);
    FHints = nullptr;
    const char* Error = nullptr;
    FHints = pcre_study(FPattern, JitAvailable() ? PCRE_STUDY_JIT_COMPILE : 0, &Error);
    if (!Error) FStudied = true;
    return Error;
}

void TPcreRegex::Study()
{
    if (!FCompiled) Compile();
    if (const char* Error = StudyPattern())
        throw Exception(AnsiString("TPcreRegex.Study() - Error studying the regex: ") + Error);
}

int TPcreRegex::ExecuteOnce(int StartOffset)
{
    pcre_extra Extra{};
    if (FHints) Extra = *FHints;
    Extra.flags |= PCRE_EXTRA_MATCH_LIMIT_RECURSION;
    Extra.match_limit_recursion = InterpreterRecursionLimit();
    int Options = 0;
    if (FState.Contains(preNotBOL)) Options |= PCRE_NOTBOL;
    if (FState.Contains(preNotEOL)) Options |= PCRE_NOTEOL;
    if (FState.Contains(preNotEmpty)) Options |= PCRE_NOTEMPTY;
    return pcre_exec(FPattern, &Extra, FSubject.data(), static_cast<int>(std::min(FStop, FSubjectEnd)), StartOffset,
                     Options, FOffsets.data(), OffsetCapacity);
}

// The same result whichever engine runs: where the interpreter runs out of
// stack, JIT code tries with its own; where JIT code runs out of its small
// default stack, it tries again with the component's own, which grows.
int TPcreRegex::Execute(int StartOffset)
{
    int Rc = ExecuteOnce(StartOffset);
    if (Rc == PCRE_ERROR_RECURSIONLIMIT && !FStudied && JitAvailable() && !StudyPattern()) {
        int Jit = 0;
        if (pcre_fullinfo(FPattern, FHints, PCRE_INFO_JIT, &Jit) == 0 && Jit) Rc = ExecuteOnce(StartOffset);
    }
    if (Rc == PCRE_ERROR_JIT_STACKLIMIT && FHints) {
        if (!FJitStack) FJitStack = pcre_jit_stack_alloc(JitStackStart, JitStackLimit);
        if (FJitStack) {
            pcre_assign_jit_stack(FHints, nullptr, FJitStack);
            Rc = ExecuteOnce(StartOffset);
        }
    }
    return Rc;
}

bool TPcreRegex::Search(Int64 StartOffset)
{
    FOffsetCount = 0;
    const Int64 Searched = std::min(FStop, FSubjectEnd);
    if (Searched > MaxSearchLength)
        throw EPcreRegexError("the subject's " + IntToStr(Searched) + " bytes are more than PCRE searches (" +
                                  IntToStr(MaxSearchLength) + ")",
                              0);
    if (StartOffset > Searched) return false; // beyond the first NUL
    int Rc = Execute(static_cast<int>(StartOffset));
    // 0: more groups matched than the offsets hold; the ones that fit are set.
    if (Rc == 0) Rc = OffsetCapacity / 3;
    if (Rc == PCRE_ERROR_NOMATCH) return false;
    // Giving up is not "no match": a match may well be there.
    if (Rc < 0) throw EPcreRegexError(FailureReason(Rc, FOffsets.data()), Rc);
    FOffsetCount = Rc;
    for (int I = 0; I < 2 * Rc; ++I)
        ++FOffsets[I];
    FStart = FOffsets[1];
    if (FOffsets[0] == FOffsets[1]) ++FStart; // never the same empty match twice
    DoMatch();
    return true;
}

bool TPcreRegex::Match()
{
    ClearStoredSubExpressions();
    if (!FCompiled) Compile();
    return Search(0);
}

bool TPcreRegex::MatchAgain()
{
    ClearStoredSubExpressions();
    if (!FCompiled) Compile();
    if (FStart > FStop) {
        FOffsetCount = 0;
        return false;
    }
    return Search(FStart - 1);
}

AnsiString TPcreRegex::GetSubExpressions(int Index) const
{
    QM_ASSERT(FOffsetCount > 0, NoMatchText, UnitName);
    if (Index < 0 || Index > GetSubExpressionCount()) return AnsiString();
    if (!FStoredSubExpressions.empty()) return FStoredSubExpressions[Index];
    const int Offset = FOffsets[2 * Index], Len = FOffsets[2 * Index + 1] - Offset;
    if (Offset < 1 || Len <= 0 || static_cast<std::size_t>(Offset) > FSubject.size()) return AnsiString();
    return FSubject.substr(Offset - 1, Len);
}

int TPcreRegex::GetSubExpressionOffsets(int Index) const
{
    QM_ASSERT(FOffsetCount > 0, NoMatchText, UnitName);
    QM_ASSERT(Index <= GetSubExpressionCount(), "REQUIRE: Index <= SubExpressionCount", UnitName);
    return Index < 0 ? 0 : FOffsets[2 * Index];
}

int TPcreRegex::GetSubExpressionLengths(int Index) const
{
    QM_ASSERT(FOffsetCount > 0, NoMatchText, UnitName);
    QM_ASSERT(Index <= GetSubExpressionCount(), "REQUIRE: Index <= SubExpressionCount", UnitName);
    return Index < 0 ? 0 : FOffsets[2 * Index + 1] - FOffsets[2 * Index];
}

int TPcreRegex::NamedSubExpression(const AnsiString& Name) const
{
    if (!FPattern) return PCRE_ERROR_NOSUBSTRING;
    return pcre_get_stringnumber(FPattern, Name.c_str());
}

void TPcreRegex::StoreSubExpressions()
{
    if (!GetFoundMatch()) return;
    std::vector<AnsiString> Copies;
    Copies.reserve(FOffsetCount);
    for (int I = 0; I <= GetSubExpressionCount(); ++I)
        Copies.push_back(GetSubExpressions(I));
    FStoredSubExpressions = std::move(Copies);
}

void TPcreRegex::ClearStoredSubExpressions()
{
    FStoredSubExpressions.clear();
}

// A group of the last match; nothing for a group it does not have.
AnsiString TPcreRegex::GroupText(int Index) const
{
    if (Index < 0 || Index > GetSubExpressionCount()) return AnsiString();
    return GetSubExpressions(Index);
}

AnsiString TPcreRegex::ComputeReplacement() const
{
    const AnsiString& T = FReplacement;
    const int GroupCount = GetSubExpressionCount();
    AnsiString Out;
    Out.reserve(T.size());
    std::size_t I = 0;
    // The final character never starts a reference, so it stays as it is.
    while (I + 1 < T.size()) {
        const char C = T[I];
        if (C != '\\' && C != '$') {
            Out += C;
            ++I;
            continue;
        }
        const std::size_t J = I + 1;
        QM_ASSERT(J < T.size(),
                  "CHECK: We let I stop one character before the end, so J cannot point beyond the end of the "
                  "string here",
                  UnitName);
        const char D = T[J];
        int Group = 0;
        std::size_t After = 0;
        std::string_view Inside;
        if (D == C || (C == '\\' && D == '$')) { // \\ \$ $$
            Out += D;
            I = J + 1;
        } else if (ReadGroupNumber(T, J, GroupCount, Group, After)) { // \n $n
            Out += GroupText(Group);
            I = After;
        } else if (C == '\\' && (D == 'g' || D == 'G') && ReadEnclosed(T, J + 1, '<', '>', Inside, After) &&
                   IsName(Inside)) { // \g<name>
            Out += GroupText(NamedSubExpression(AnsiString(Inside)));
            I = After;
        } else if (C == '\\' && IsCaseLetter(D) && ReadGroupNumber(T, J + 1, GroupCount, Group, After)) {
            Out += ConvertCase(D, GroupText(Group)); // \Fn \In \Ln \Un
            I = After;
        } else if (C == '$' && ReadEnclosed(T, J, '{', '}', Inside, After) && IsDigits(Inside)) { // ${n}
            Out += GroupText(GroupNumberOf(Inside));
            I = After;
        } else if (C == '$' && ReadEnclosed(T, J, '{', '}', Inside, After) && IsName(Inside)) { // ${name}
            Out += GroupText(NamedSubExpression(AnsiString(Inside)));
            I = After;
        } else {
            Out += C;
            ++I;
        }
    }
    if (I < T.size()) Out += T[I];
    return Out;
}

AnsiString TPcreRegex::Replace()
{
    const int Offset = GetMatchedExpressionOffset();
    const int Len = GetMatchedExpressionLength();
    AnsiString ReplaceWith = ComputeReplacement();
    DoReplace(ReplaceWith);
    // Stored sub-expressions may come from an earlier subject: the edit stays inside this one.
    const std::size_t Pos = std::min<std::size_t>(Offset - 1, FSubject.size());
    FSubject.replace(Pos, std::min<std::size_t>(Len, FSubject.size() - Pos), ReplaceWith);
    if (static_cast<std::size_t>(FSubjectEnd) >= Pos) FSubjectEnd = SubjectEndFrom(FSubject, Pos);
    const Int64 Delta = static_cast<Int64>(ReplaceWith.size()) - Len;
    FStart += Delta;
    FStop += Delta;
    ClearStoredSubExpressions();
    FOffsetCount = 0;
    return ReplaceWith;
}

bool TPcreRegex::ReplaceAll()
{
    if (!Match()) return false;
    AnsiString Result;
    Result.reserve(FSubject.size());
    std::size_t Copied = 0; // the subject before this is in Result
    Int64 Delta = 0;
    do {
        // A handler may have changed the subject: what is copied stays inside it.
        const std::size_t Offset = std::clamp<std::size_t>(GetMatchedExpressionOffset() - 1, Copied, FSubject.size());
        const std::size_t Len = std::min<std::size_t>(GetMatchedExpressionLength(), FSubject.size() - Offset);
        AnsiString ReplaceWith = ComputeReplacement();
        DoReplace(ReplaceWith);
        Result.append(FSubject, Copied, Offset - Copied);
        Result += ReplaceWith;
        Copied = Offset + Len;
        Delta += static_cast<Int64>(ReplaceWith.size()) - static_cast<Int64>(Len);
    } while (MatchAgain());
    Result.append(FSubject, Copied);
    FSubject = std::move(Result);
    FSubjectEnd = SubjectEndFrom(FSubject, 0);
    // Start and Stop end where replacing match by match would leave them.
    FStart += Delta;
    FStop += Delta;
    return true;
}

void TPcreRegex::Split(TStrings* Strings, int Limit)
{
    QM_ASSERT(Strings, "REQUIRE: Strings", UnitName);
    if (Limit == 1 || !Match()) {
        Strings->Add(FSubject);
        return;
    }
    int From = 1;
    int Pieces = 0;
    do {
        Strings->Add(Copy(FSubject, From, GetMatchedExpressionOffset() - From));
        From = GetMatchedExpressionOffset() + GetMatchedExpressionLength();
        if (Limit > 1 && ++Pieces == Limit - 1) break;
    } while (MatchAgain());
    Strings->Add(Copy(FSubject, From, Length(FSubject)));
}

AnsiString TPcreRegex::EscapeRegExChars(const AnsiString& S)
{
    AnsiString Out;
    Out.reserve(S.size() * 2);
    for (char C : S) {
        if (C == '\0') {
            Out += "\\0";
            continue;
        }
        if (std::string_view("$()*+.?[\\]^{|}").find(C) != std::string_view::npos) Out += '\\';
        Out += C;
    }
    return Out;
}

void TPcreRegex::DoMatch()
{
    if (OnMatch) OnMatch(this);
}

void TPcreRegex::DoReplace(AnsiString& ReplaceWith)
{
    if (OnReplace) OnReplace(this, ReplaceWith);
}

// ---- TPcreRegexList -----------------------------------------------------------

TPcreRegexList::TPcreRegexList() : FList(MakeOwned<TList>()) {}

int TPcreRegexList::Add(TPcreRegex* ARegEx)
{
    const int Index = FList->Add(ARegEx);
    UpdateRegEx(ARegEx);
    return Index;
}

void TPcreRegexList::Insert(int Index, TPcreRegex* ARegEx)
{
    FList->Insert(Index, ARegEx);
    UpdateRegEx(ARegEx);
}

void TPcreRegexList::Delete(int Index)
{
    if (GetRegEx(Index) == FMatchedRegEx) FMatchedRegEx = nullptr;
    FList->Delete(Index);
}

void TPcreRegexList::Clear()
{
    FList->Clear();
    FMatchedRegEx = nullptr;
}

int TPcreRegexList::IndexOf(TPcreRegex* ARegEx) const
{
    return FList->IndexOf(ARegEx);
}

void TPcreRegexList::SetRegEx(int Index, TPcreRegex* Value)
{
    if (GetRegEx(Index) == FMatchedRegEx) FMatchedRegEx = nullptr;
    FList->Put(Index, Value);
    UpdateRegEx(Value);
}

void TPcreRegexList::UpdateRegEx(TPcreRegex* ARegEx)
{
    ARegEx->SetSubject(FSubject);
    ARegEx->SetStart(FStart);
}

void TPcreRegexList::SetSubject(const AnsiString& Value)
{
    if (Value == FSubject) return;
    FSubject = Value;
    FMatchedRegEx = nullptr; // its match belonged to the old subject
    for (int I = GetCount() - 1; I >= 0; --I)
        GetRegEx(I)->SetSubject(Value);
}

void TPcreRegexList::SetStart(Int64 Value)
{
    if (Value == FStart) return;
    FStart = Value;
    for (int I = GetCount() - 1; I >= 0; --I)
        GetRegEx(I)->SetStart(Value);
}

void TPcreRegexList::SetStop(Int64 Value)
{
    if (Value == FStop) return;
    FStop = Value;
    for (int I = GetCount() - 1; I >= 0; --I)
        GetRegEx(I)->SetStop(Value);
}

bool TPcreRegexList::Match()
{
    SetStart(1);
    FMatchedRegEx = nullptr;
    return Search(true);
}

bool TPcreRegexList::MatchAgain()
{
    return Search(false);
}

// The earliest match of any item from where the last one ended. Items whose
// own match still lies ahead keep it; the others search again. Afresh makes
// every item search again, since a match kept from an earlier search may lie
// behind an earlier one.
bool TPcreRegexList::Search(bool Afresh)
{
    Int64 From = FStart;
    if (FMatchedRegEx && FMatchedRegEx->GetFoundMatch()) {
        const int Len = FMatchedRegEx->GetMatchedExpressionLength();
        // After an empty match the search moves on by one, as an item's own does.
        From = FMatchedRegEx->GetMatchedExpressionOffset() + (Len > 0 ? Len : 1);
    }
    FMatchedRegEx = nullptr;
    Int64 BestOffset = 0;
    for (int I = 0; I < GetCount(); ++I) {
        TPcreRegex* R = GetRegEx(I);
        if (Afresh || !R->GetFoundMatch() || R->GetMatchedExpressionOffset() < From) {
            R->SetStart(From);
            R->MatchAgain();
        }
        if (R->GetFoundMatch() && (!FMatchedRegEx || R->GetMatchedExpressionOffset() < BestOffset)) {
            FMatchedRegEx = R;
            BestOffset = R->GetMatchedExpressionOffset();
            if (BestOffset == From) break; // nothing can begin earlier
        }
    }
    return FMatchedRegEx != nullptr;
}

} // namespace PcreRegex
