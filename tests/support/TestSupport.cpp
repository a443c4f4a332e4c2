#include "tests/support/TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

TTempDir::TTempDir()
{
    const char* Base = std::getenv("TMPDIR");
    AnsiString Templ = AnsiString(Base && *Base ? Base : "/tmp") + "/quillmote-test-XXXXXX";
    if (!::mkdtemp(Templ.data())) throw Exception("Cannot create a temporary folder");
    FPath = Templ + "/";
}

TTempDir::~TTempDir()
{
    std::error_code Ec;
    std::filesystem::remove_all(FPath, Ec);
}

AnsiString TTempDir::WriteFile(const AnsiString& Name, const AnsiString& Bytes) const
{
    const AnsiString Full = FPath + Name;
    std::filesystem::create_directories(std::filesystem::path(Full).parent_path());
    std::ofstream Out(Full, std::ios::binary);
    Out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
    return Full;
}

AnsiString ReadWholeFile(const AnsiString& FileName)
{
    std::ifstream In(FileName, std::ios::binary);
    std::ostringstream S;
    S << In.rdbuf();
    return S.str();
}
