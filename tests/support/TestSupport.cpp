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

TScopedEnvironment::~TScopedEnvironment()
{
    for (auto It = FSaved.rbegin(); It != FSaved.rend(); ++It) {
        if (It->second)
            ::setenv(It->first.c_str(), It->second->c_str(), 1);
        else
            ::unsetenv(It->first.c_str());
    }
}

void TScopedEnvironment::Set(const AnsiString& Name, const char* Value)
{
    const char* Old = std::getenv(Name.c_str());
    FSaved.emplace_back(Name, Old ? std::optional<AnsiString>(Old) : std::nullopt);
    if (Value)
        ::setenv(Name.c_str(), Value, 1);
    else
        ::unsetenv(Name.c_str());
}

TTemporaryHome::TTemporaryHome()
{
    FEnvironment.Set("HOME", Home().c_str());
    FEnvironment.Set("XDG_CONFIG_HOME", ConfigHome().c_str());
    FEnvironment.Set("XDG_DATA_HOME", DataHome().c_str());
}

AnsiString TTemporaryHome::Home() const
{
    return FDir.Path() + "home";
}

AnsiString TTemporaryHome::ConfigHome() const
{
    return Home() + "/.config";
}

AnsiString TTemporaryHome::DataHome() const
{
    return Home() + "/.local/share";
}
