// String lists: the abstract TStrings (also the face of a text control's
// lines), the sorted and unsorted TStringList, and THashedStringList.
#pragma once
#include "platform/classes/Objects.h"

#include <functional>
#include <memory>
#include <span>
#include <vector>

class TStream;

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TObject {
public:
    // Element access; Index out of range raises EStringListError
    // "List index out of bounds (<n>)".
    virtual AnsiString Get(int Index) const = 0;
    virtual void Put(int Index, const AnsiString& S);
    virtual TObject* GetObject(int Index) const;
    virtual void PutObject(int Index, TObject* Obj);
    virtual int GetCount() const = 0;
    virtual void Insert(int Index, const AnsiString& S) = 0;
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;

    AnsiString GetStrings(int Index) const { return Get(Index); }
    void SetStrings(int Index, const AnsiString& S) { Put(Index, S); }
    TObject* GetObjects(int Index) const { return GetObject(Index); }
    void SetObjects(int Index, TObject* Obj) { PutObject(Index, Obj); }

    virtual int Add(const AnsiString& S);
    virtual int AddObject(const AnsiString& S, TObject* Obj);
    void Append(const AnsiString& S) { Add(S); }
    virtual void AddStrings(const TStrings* Strings);
    // Appends Lines as one change of the list; a text control's lines take
    // them in one edit of their document.
    virtual void AddStrings(std::span<const AnsiString> Lines);
    void InsertObject(int Index, const AnsiString& S, TObject* Obj);
    virtual void Assign(const TStrings* Source);
    virtual int IndexOf(const AnsiString& S) const;
    int IndexOfName(const AnsiString& Name) const;
    int IndexOfObject(const TObject* Obj) const;
    virtual void Exchange(int A, int B);
    virtual void Move(int CurIndex, int NewIndex);
    bool Equals(const TStrings* Other) const;

    void BeginUpdate();
    void EndUpdate();
    int GetUpdateCount() const { return FUpdateCount; }

    // Text: every line followed by a line feed. Setting it accepts CR LF, LF and CR.
    virtual AnsiString GetText() const;
    virtual void SetText(const AnsiString& Value);
    AnsiString GetCommaText() const;
    void SetCommaText(const AnsiString& Value);
    AnsiString GetDelimitedText() const;
    void SetDelimitedText(const AnsiString& Value);
    char GetDelimiter() const { return FDelimiter; }
    void SetDelimiter(char Value) { FDelimiter = Value; }
    char GetQuoteChar() const { return FQuoteChar; }
    void SetQuoteChar(char Value) { FQuoteChar = Value; }
    char GetNameValueSeparator() const { return FNameValueSeparator; }
    void SetNameValueSeparator(char Value) { FNameValueSeparator = Value; }
    AnsiString GetNames(int Index) const;
    AnsiString GetValues(const AnsiString& Name) const;
    void SetValues(const AnsiString& Name, const AnsiString& Value);
    AnsiString GetValueFromIndex(int Index) const;

    virtual void LoadFromFile(const AnsiString& FileName);
    virtual void SaveToFile(const AnsiString& FileName) const;
    virtual void LoadFromStream(TStream* Stream);
    virtual void SaveToStream(TStream* Stream) const;

protected:
    // Called when the update count goes from 0 to 1 (true) and back (false).
    virtual void SetUpdateState(bool Updating);
    virtual int CompareStrings(const AnsiString& A, const AnsiString& B) const;
    [[noreturn]] void Error(const char* Msg, int Data) const;

private:
    int FUpdateCount = 0;
    char FDelimiter = ',';
    char FQuoteChar = '"';
    char FNameValueSeparator = '=';
};

class TStringList : public TStrings {
public:
    using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

    ~TStringList() override;
    AnsiString Get(int Index) const override;
    void Put(int Index, const AnsiString& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* Obj) override;
    int GetCount() const override { return static_cast<int>(FList.size()); }
    void Insert(int Index, const AnsiString& S) override;
    void Delete(int Index) override;
    void Clear() override;
    int Add(const AnsiString& S) override;
    // Add taking S's memory instead of a copy of it. A name of its own, not an
    // overload of Add: every other add keeps going through the virtual
    // AddObject, which a derived list may override.
    int AddMoved(AnsiString&& S);
    int AddObject(const AnsiString& S, TObject* Obj) override;
    int IndexOf(const AnsiString& S) const override;
    void Exchange(int A, int B) override;

    // Binary search of a sorted list: true when S is there; Index is where it
    // is or where it would go.
    virtual bool Find(const AnsiString& S, int& Index) const;
    virtual void Sort();
    virtual void CustomSort(const TStringListSortCompare& Compare);

    bool GetSorted() const { return FSorted; }
    void SetSorted(bool Value);
    TDuplicates GetDuplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
    bool GetCaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value);
    bool GetOwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

    std::function<void(TObject*)> OnChange;
    std::function<void(TObject*)> OnChanging;

protected:
    void SetUpdateState(bool Updating) override;
    int CompareStrings(const AnsiString& A, const AnsiString& B) const override;
    virtual void Changed();
    virtual void Changing();
    void InsertItem(int Index, AnsiString S, TObject* Obj);
    // Hooks for derived lists that keep an index of their own.
    virtual void ItemsChanged() {}

    struct TStringItem {
        AnsiString FString;
        TObject* FObject = nullptr;
    };
    std::vector<TStringItem> FList;

private:
    void CheckIndex(int Index) const;
    // Where S goes; false when an equal string is kept and duplicates are
    // ignored (Index is then that string's place).
    bool PlaceFor(const AnsiString& S, int& Index) const;
    bool FSorted = false;
    TDuplicates FDuplicates = dupIgnore;
    bool FCaseSensitive = false;
    bool FOwnsObjects = false;
};

// A string list whose IndexOf and IndexOfName use a hash of the (case-folded
// unless CaseSensitive) strings instead of a linear search.
class THashedStringList : public TStringList {
public:
    THashedStringList();
    ~THashedStringList() override;
    int IndexOf(const AnsiString& S) const override;

protected:
    void ItemsChanged() override;

private:
    struct THashIndex;
    void Rehash() const;
    mutable std::unique_ptr<THashIndex> FIndex;
};
