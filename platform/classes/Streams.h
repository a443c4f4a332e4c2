// Streams: the abstract TStream, files, memory and strings.
#pragma once
#include "platform/classes/Objects.h"
#include "platform/rtl/FileAccess.h" // ReadFileBytes

#include <cstdio>
#include <vector>

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

// File modes, as the class library numbers them.
inline constexpr Word fmCreate = 0xFF00;
inline constexpr Word fmOpenRead = 0x0000;
inline constexpr Word fmOpenWrite = 0x0001;
inline constexpr Word fmOpenReadWrite = 0x0002;
inline constexpr Word fmShareDenyNone = 0x0040;
inline constexpr Word fmShareDenyWrite = 0x0020;
inline constexpr Word fmShareExclusive = 0x0010;

class TStream : public TObject {
public:
    virtual Int64 Read(void* Buffer, Int64 Count) = 0;
    virtual Int64 Write(const void* Buffer, Int64 Count) = 0;
    virtual Int64 Seek(Int64 Offset, TSeekOrigin Origin) = 0;
    void ReadBuffer(void* Buffer, Int64 Count);        // EReadError "Stream read error"
    void WriteBuffer(const void* Buffer, Int64 Count); // EWriteError "Stream write error"
    Int64 CopyFrom(TStream* Source, Int64 Count);
    Int64 GetPosition() { return Seek(0, soCurrent); }
    void SetPosition(Int64 Pos) { Seek(Pos, soBeginning); }
    Int64 GetSize();
    virtual void SetSize(Int64 NewSize);
};

class TFileStream : public TStream {
public:
    // EFCreateError "Cannot create file \"<name>\"" / EFOpenError "Cannot open file \"<name>\"".
    TFileStream(const AnsiString& FileName, Word Mode);
    ~TFileStream() override;
    Int64 Read(void* Buffer, Int64 Count) override;
    Int64 Write(const void* Buffer, Int64 Count) override;
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    void SetSize(Int64 NewSize) override;
    const AnsiString& GetFileName() const { return FFileName; }

private:
    AnsiString FFileName;
    int FHandle = -1;
};

class TMemoryStream : public TStream {
public:
    Int64 Read(void* Buffer, Int64 Count) override;
    Int64 Write(const void* Buffer, Int64 Count) override;
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    void SetSize(Int64 NewSize) override;
    void Clear();
    void LoadFromStream(TStream* Stream);
    void LoadFromFile(const AnsiString& FileName);
    void SaveToStream(TStream* Stream);
    void SaveToFile(const AnsiString& FileName);
    char* Memory() { return FData.data(); }
    const char* Memory() const { return FData.data(); }

private:
    std::vector<char> FData;
    Int64 FPosition = 0;
};

class TStringStream : public TStream {
public:
    explicit TStringStream(AnsiString Data = AnsiString()) : FData(std::move(Data)) {}
    Int64 Read(void* Buffer, Int64 Count) override;
    Int64 Write(const void* Buffer, Int64 Count) override;
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    void SetSize(Int64 NewSize) override;
    const AnsiString& GetDataString() const { return FData; }
    AnsiString ReadString(Int64 Count);
    void WriteString(const AnsiString& S) { Write(S.data(), static_cast<Int64>(S.size())); }

private:
    AnsiString FData;
    Int64 FPosition = 0;
};
