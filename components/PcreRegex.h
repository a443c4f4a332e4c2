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
    int GetStart() const { return FStart; }
    void SetStart(int Value);
    int GetStop() const { return FStop; }
    void SetStop(int Value);

    void CleanUp();
    void Compile();
    void Study();
    bool Match();
    bool MatchAgain();

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

    bool Search(int StartOffset);
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
    int FSubjectEnd = 0; // PCRE sees the subject up to its first NUL
    int FStart = 1;
    int FStop = 0;
    std::array<int, OffsetCapacity> FOffsets{};
    int FOffsetCount = 0;
    int FPcreOptions = 0;
    real_pcre* FPattern = nullptr;
    pcre_extra* FHints = nullptr;
    real_pcre_jit_stack* FJitStack = nullptr;
    const unsigned char* FCharTables = nullptr;
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
    int GetStart() const { return FStart; }
    void SetStart(int Value);
    int GetStop() const { return FStop; }
    void SetStop(int Value);

    bool Match();
    bool MatchAgain();
    TPcreRegex* GetMatchedRegEx() const { return FMatchedRegEx; }

private:
    void UpdateRegEx(TPcreRegex* ARegEx);
    bool Search(bool Afresh);

    TOwned<TList> FList;
    AnsiString FSubject;
    TPcreRegex* FMatchedRegEx = nullptr;
    int FStart = 1;
    int FStop = 0;
};

} // namespace PcreRegex
