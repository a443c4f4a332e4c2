// components/PcreRegex.h
// A regular expression as a component over the PCRE library: pattern,
// options, subject, match and sub-expression access, a replacement template,
// split and escaping; and a list that runs several of them over one subject.
#pragma once
#include "platform/classes/Classes.h"

#include <array>
#include <functional>
#include <vector>

struct real_pcre;
struct pcre_extra;
struct real_pcre_jit_stack;

namespace PcreRegex {

enum TPcreRegexOptions {
    preCaseLess,
    preMultiLine,
    preSingleLine,
    preExtended,
    preAnchored,
    preDollarEndOnly,
    preExtra,
    preUnGreedy
};
enum TPcreRegexState { preNotBOL, preNotEOL, preNotEmpty };

using TPcreRegexReplaceEvent = std::function<void(TObject* Sender, AnsiString& ReplaceWith)>;

// A search that could not finish, told apart from finding no match: PCRE gave
// up (its match or recursion limit, the JIT stack limit, bad UTF-8 under
// (*UTF8)) or the searched text is longer than PCRE takes. Reason is the
// cause alone; the message is "TPcreRegex.Match() - Error matching the regex:
// <reason>".
class EPcreRegexError : public Exception {
public:
    EPcreRegexError(const AnsiString& AReason, int AErrorCode);
    AnsiString Reason;
    int ErrorCode; // PCRE's result code; 0 for a subject too long to search
};

// Patterns match bytes: the code page is UTF-8 but no UTF-8 mode is set, so
// "." takes one byte and caseless matching pairs ASCII letters only; PCRE's
// built-in character tables decide letters, digits and case, whatever the
// C library's locale says.
class TPcreRegex : public TComponent {
public:
    QM_CLASS(TPcreRegex, TComponent)
    explicit TPcreRegex(TComponent* AOwner);
    ~TPcreRegex() override;

    Set<TPcreRegexOptions> GetOptions() const { return FOptions; }
    void SetOptions(Set<TPcreRegexOptions> Value);
    Set<TPcreRegexState> GetState() const { return FState; }
    void SetState(Set<TPcreRegexState> Value) { FState = Value; }
    const AnsiString& GetRegEx() const { return FRegEx; }
    void SetRegEx(const AnsiString& Value);
    const AnsiString& GetReplacement() const { return FReplacement; }
    void SetReplacement(const AnsiString& Value) { FReplacement = Value; }
    const AnsiString& GetSubject() const { return FSubject; }
    void SetSubject(const AnsiString& Value);
    Int64 GetStart() const { return FStart; }
    void SetStart(Int64 Value);
    Int64 GetStop() const { return FStop; }
    void SetStop(Int64 Value);

    // Searches run on JIT code with a stack of their own that grows on demand
    // from 32 KB up to this bound; a search that needs more raises.
    static constexpr int JitStackLimit = 64 * 1024 * 1024;
    // The longest text PCRE searches; a longer one raises.
    static constexpr Int64 MaxSearchLength = 0x7FFFFFFF;

    void CleanUp();
    void Compile();
    void Study();
    // False for no match; EPcreRegexError when the search could not finish.
    bool Match();
    bool MatchAgain();

    // For callers that run the compiled pattern themselves: PCRE's compiled
    // pattern and study data (nullptr until compiled and studied), and the
    // reason an EPcreRegexError would give for PCRE's result Code (Offsets
    // as PCRE left them, at least two).
    const real_pcre* GetCompiledPattern() const { return FPattern; }
    const pcre_extra* GetStudyData() const { return FHints; }
    static AnsiString FailureReason(int Code, const int* Offsets);

    bool GetFoundMatch() const { return FOffsetCount > 0; }
    int GetSubExpressionCount() const { return FOffsetCount - 1; }
    AnsiString GetSubExpressions(int Index) const;
    int GetSubExpressionOffsets(int Index) const;
    int GetSubExpressionLengths(int Index) const;
    AnsiString GetMatchedExpression() const { return GetSubExpressions(0); }
    int GetMatchedExpressionOffset() const { return GetSubExpressionOffsets(0); }
    int GetMatchedExpressionLength() const { return GetSubExpressionLengths(0); }
    int NamedSubExpression(const AnsiString& Name) const;
    void StoreSubExpressions();
    void ClearStoredSubExpressions();

    AnsiString ComputeReplacement() const;
    AnsiString Replace();
    // Replaces every match, found in the subject as it stood, building the
    // new subject once.
    bool ReplaceAll();
    void Split(TStrings* Strings, int Limit);
    static AnsiString EscapeRegExChars(const AnsiString& S);

    TNotifyEvent OnMatch;
    TPcreRegexReplaceEvent OnReplace;

protected:
    virtual void DoMatch();
    virtual void DoReplace(AnsiString& ReplaceWith);

private:
    static constexpr int OffsetCapacity = 300;

    bool Search(Int64 StartOffset);
    int Execute(int StartOffset);
    int ExecuteOnce(int StartOffset);
    const char* StudyPattern();
    AnsiString GroupText(int Index) const;

    bool FCompiled = false;
    bool FStudied = false;
    Set<TPcreRegexOptions> FOptions;
    Set<TPcreRegexState> FState;
    AnsiString FRegEx;
    AnsiString FReplacement;
    AnsiString FSubject;
    Int64 FSubjectEnd = 0; // PCRE sees the subject up to its first NUL
    Int64 FStart = 1;
    Int64 FStop = 0;
    std::array<int, OffsetCapacity> FOffsets{};
    int FOffsetCount = 0;
    int FPcreOptions = 0;
    real_pcre* FPattern = nullptr;
    pcre_extra* FHints = nullptr;
    real_pcre_jit_stack* FJitStack = nullptr;
    std::vector<AnsiString> FStoredSubExpressions;
};

// Several expressions over one subject; a match is the earliest of theirs.
class TPcreRegexList : public TObject {
public:
    TPcreRegexList();

    int Add(TPcreRegex* ARegEx);
    void Insert(int Index, TPcreRegex* ARegEx);
    void Delete(int Index);
    void Clear();
    int IndexOf(TPcreRegex* ARegEx) const;
    int GetCount() const { return FList->GetCount(); }
    TPcreRegex* GetRegEx(int Index) const { return static_cast<TPcreRegex*>(FList->Get(Index)); }
    void SetRegEx(int Index, TPcreRegex* Value);

    const AnsiString& GetSubject() const { return FSubject; }
    void SetSubject(const AnsiString& Value);
    Int64 GetStart() const { return FStart; }
    void SetStart(Int64 Value);
    Int64 GetStop() const { return FStop; }
    void SetStop(Int64 Value);

    bool Match();
    bool MatchAgain();
    TPcreRegex* GetMatchedRegEx() const { return FMatchedRegEx; }

private:
    void UpdateRegEx(TPcreRegex* ARegEx);
    bool Search(bool Afresh);

    TOwned<TList> FList;
    AnsiString FSubject;
    TPcreRegex* FMatchedRegEx = nullptr;
    Int64 FStart = 1;
    Int64 FStop = 0;
};

} // namespace PcreRegex
