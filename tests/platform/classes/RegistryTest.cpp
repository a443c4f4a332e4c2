#include "platform/classes/Registry.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

AnsiString ErrorOf(const std::function<void()>& F)
{
    try {
        F();
    } catch (const ERegistryException& E) {
        return E.Message;
    }
    return "no exception";
}

} // namespace

TEST(Registry, ValuesLiveInOneFilePerRootUnderTheConfigurationFolder)
{
    TTemporaryHome Home;
    EXPECT_EQ(TRegistry::StoreFileName(HKEY_LOCAL_MACHINE),
              Home.ConfigHome() + "/quillmote/registry/HKEY_LOCAL_MACHINE.ini");

    auto Reg = MakeOwned<TRegistry>();
    EXPECT_EQ(Reg->GetRootKey(), HKEY_CURRENT_USER);
    Reg->SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(Reg->OpenKey("Software\\Maker\\Tool", true));
    Reg->WriteString("Path", "C:\\say \"hi\"\r\nnext");
    Reg->WriteInteger("Count", -1);
    Reg->WriteBool("On", true);

    EXPECT_EQ(
        ReadWholeFile(TRegistry::StoreFileName(HKEY_LOCAL_MACHINE)),
        "[Software\\Maker\\Tool]\nPath=\"C:\\\\say \\\"hi\\\"\\r\\nnext\"\nCount=dword:ffffffff\nOn=dword:00000001\n");
    EXPECT_EQ(Reg->ReadString("path"), "C:\\say \"hi\"\r\nnext");
    EXPECT_EQ(Reg->ReadInteger("COUNT"), -1);
    EXPECT_TRUE(Reg->ReadBool("on"));
    EXPECT_EQ(Reg->GetDataType("Path"), rdString);
    EXPECT_EQ(Reg->GetDataType("Count"), rdInteger);
    EXPECT_EQ(Reg->GetDataType("None"), rdUnknown);
    EXPECT_FALSE(FileExists(TRegistry::StoreFileName(HKEY_CURRENT_USER)));
}

TEST(Registry, AnInstallerCanWriteTheFileByHand)
{
    TTemporaryHome Home;
    Home.Dir().WriteFile("home/.config/quillmote/registry/HKEY_LOCAL_MACHINE.ini",
                         "[SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VqUpdater_is1]\r\n"
                         "InstallLocation=/opt/vqupdater/\r\n"
                         "Version = \"2.1\"\r\n");
    auto Reg = MakeOwned<TRegistry>();
    Reg->SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(Reg->KeyExists("software\\microsoft")); // a key above a written one exists too
    EXPECT_FALSE(Reg->KeyExists("SOFTWARE\\Other"));
    ASSERT_TRUE(Reg->OpenKeyReadOnly("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VqUpdater_is1"));
    EXPECT_EQ(Reg->ReadString("InstallLocation"), "/opt/vqupdater/");
    EXPECT_EQ(Reg->ReadString("Version"), "2.1");
    EXPECT_EQ(Reg->ReadString("Missing"), "");
}

TEST(Registry, KeysOpenRelativeToTheOpenKeyOrFromTheRoot)
{
    TTemporaryHome Home;
    auto Reg = MakeOwned<TRegistry>();
    EXPECT_FALSE(Reg->OpenKey("A\\B", false));
    ASSERT_TRUE(Reg->OpenKey("A\\B", true));
    EXPECT_EQ(Reg->GetCurrentPath(), "A\\B");
    ASSERT_TRUE(Reg->OpenKey("C", true));
    EXPECT_EQ(Reg->GetCurrentPath(), "A\\B\\C");
    ASSERT_TRUE(Reg->OpenKey("\\a\\x\\", true));
    EXPECT_EQ(Reg->GetCurrentPath(), "a\\x");
    EXPECT_TRUE(Reg->KeyExists("\\A\\B\\C"));
    EXPECT_FALSE(Reg->KeyExists("C")); // below a\x: missing

    ASSERT_TRUE(Reg->OpenKey("\\A", false));
    auto Names = MakeOwned<TStringList>();
    Reg->GetKeyNames(Names.get());
    EXPECT_EQ(Names->GetText(), "B\nx\n");

    Reg->CloseKey();
    EXPECT_EQ(Reg->GetCurrentPath(), "");
    EXPECT_EQ(Reg->ReadString("Any"), "");
    EXPECT_EQ(ErrorOf([&] { Reg->WriteString("Any", "x"); }), "Failed to set data for 'Any'");

    // Another root is another tree, and switching closes the key.
    ASSERT_TRUE(Reg->OpenKey("A", false));
    Reg->SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(Reg->GetCurrentPath(), "");
    EXPECT_FALSE(Reg->KeyExists("A"));
}

TEST(Registry, ReadingAndWritingTheWrongWayRaises)
{
    TTemporaryHome Home;
    auto Reg = MakeOwned<TRegistry>();
    ASSERT_TRUE(Reg->OpenKey("K", true));
    Reg->WriteString("Text", "12");
    Reg->WriteInteger("Number", 12);
    EXPECT_EQ(ErrorOf([&] { Reg->ReadInteger("Text"); }), "Invalid data type for 'Text'");
    EXPECT_EQ(ErrorOf([&] { Reg->ReadString("Number"); }), "Invalid data type for 'Number'");
    EXPECT_EQ(ErrorOf([&] { Reg->ReadInteger("Missing"); }), "Failed to get data for 'Missing'");
    EXPECT_EQ(ErrorOf([&] { Reg->WriteString("a=b", "x"); }), "Failed to set data for 'a=b'");

    ASSERT_TRUE(Reg->OpenKeyReadOnly("\\K"));
    EXPECT_EQ(ErrorOf([&] { Reg->WriteInteger("Number", 1); }), "Failed to set data for 'Number'");
    EXPECT_FALSE(Reg->DeleteValue("Number"));
    EXPECT_EQ(Reg->ReadInteger("Number"), 12);
}

TEST(Registry, DeletingAKeyTakesEverythingBelowIt)
{
    TTemporaryHome Home;
    auto Reg = MakeOwned<TRegistry>();
    ASSERT_TRUE(Reg->OpenKey("Top\\Mid\\Low", true));
    Reg->WriteString("v", "1");
    ASSERT_TRUE(Reg->OpenKey("\\Top\\Mid", false));
    Reg->WriteString("w", "2");
    Reg->WriteString("u", "3");
    ASSERT_TRUE(Reg->OpenKey("\\Topmost", true));
    Reg->WriteString("keep", "4");

    ASSERT_TRUE(Reg->OpenKey("\\Top\\Mid", false));
    auto Names = MakeOwned<TStringList>();
    Reg->GetValueNames(Names.get());
    EXPECT_EQ(Names->GetText(), "w\nu\n");
    EXPECT_TRUE(Reg->DeleteValue("W"));
    EXPECT_FALSE(Reg->ValueExists("w"));
    EXPECT_FALSE(Reg->DeleteValue("w"));

    EXPECT_TRUE(Reg->DeleteKey("\\TOP"));
    EXPECT_FALSE(Reg->KeyExists("\\Top\\Mid\\Low"));
    EXPECT_FALSE(Reg->KeyExists("\\Top"));
    EXPECT_TRUE(Reg->KeyExists("\\Topmost"));
    EXPECT_FALSE(Reg->DeleteKey("\\Top"));
    EXPECT_FALSE(Reg->DeleteKey("\\"));
}

TEST(Registry, TwoObjectsShareOneStore)
{
    TTemporaryHome Home;
    auto A = MakeOwned<TRegistry>();
    auto B = MakeOwned<TRegistry>();
    ASSERT_TRUE(A->OpenKey("Shared", true));
    ASSERT_TRUE(B->OpenKey("shared", false));
    A->WriteInteger("N", 1);
    EXPECT_EQ(B->ReadInteger("n"), 1);
    B->WriteInteger("n", 2);
    A->WriteString("S", "x");
    EXPECT_EQ(A->ReadInteger("N"), 2);
    EXPECT_EQ(B->ReadString("S"), "x");
}

TEST(RegistryIniFile, SectionsAreKeysBelowTheFileKey)
{
    TTemporaryHome Home;
    auto Ini = MakeOwned<TRegistryIniFile>("Software\\Grid");
    Ini->WriteInteger("Positions", "Column0", 2);
    Ini->WriteBool("Visible", "Column0", false);
    Ini->WriteString("Sort", "Column0", "Descending");
    Ini->UpdateFile();

    EXPECT_EQ(Ini->ReadInteger("positions", "column0", -1), 2);
    EXPECT_FALSE(Ini->ReadBool("Visible", "Column0", true));
    EXPECT_EQ(Ini->ReadString("Sort", "Column0", ""), "Descending");
    EXPECT_EQ(Ini->ReadString("Positions", "Column0", ""), "2");
    EXPECT_EQ(Ini->ReadInteger("Sort", "Column0", 9), 9);
    EXPECT_EQ(Ini->ReadInteger("Missing", "Column0", 9), 9);
    EXPECT_TRUE(Ini->SectionExists("Sort"));
    EXPECT_TRUE(Ini->ValueExists("Visible", "COLUMN0"));

    auto S = MakeOwned<TStringList>();
    Ini->ReadSections(S.get());
    EXPECT_EQ(S->GetText(), "Positions\nVisible\nSort\n");
    Ini->ReadSectionValues("Positions", S.get());
    EXPECT_EQ(S->GetText(), "Column0=2\n");

    // The store holds the values under HKEY_CURRENT_USER\Software\Grid\<section>.
    auto Reg = MakeOwned<TRegistry>();
    ASSERT_TRUE(Reg->OpenKeyReadOnly("Software\\Grid\\Positions"));
    EXPECT_EQ(Reg->GetDataType("Column0"), rdInteger);
    ASSERT_TRUE(Reg->OpenKeyReadOnly("\\Software\\Grid\\Visible"));
    EXPECT_EQ(Reg->ReadString("Column0"), "0");

    // An integer written over a string value stays a string; other objects
    // see it once it is flushed.
    Ini->WriteInteger("Visible", "Column0", 1);
    EXPECT_EQ(Reg->ReadString("Column0"), "0");
    Ini->UpdateFile();
    EXPECT_EQ(Reg->GetDataType("Column0"), rdString);
    EXPECT_TRUE(Ini->ReadBool("Visible", "Column0", false));

    Ini->DeleteKey("Visible", "Column0");
    EXPECT_FALSE(Ini->SectionExists("Visible"));
    Ini->EraseSection("Sort");
    EXPECT_EQ(Ini->ReadString("Sort", "Column0", "gone"), "gone");
    Ini->ReadSections(S.get());
    EXPECT_EQ(S->GetText(), "Positions\nVisible\n");
}

TEST(RegistryIniFile, AStoreThatCannotBeWrittenRaisesAtTheFlushNamingTheKey)
{
    TTemporaryHome Home;
    auto Ini = MakeOwned<TRegistryIniFile>("Software\\Grid");
    Ini->WriteString("S", "K", "kept until the flush");
    EXPECT_EQ(Ini->ReadString("S", "K", ""), "kept until the flush");
    const AnsiString Folder = Home.ConfigHome() + "/quillmote/registry";
    std::filesystem::remove_all(Folder);
    std::ofstream(Folder) << "a file where the registry's folder goes";
    try {
        Ini->UpdateFile();
        FAIL() << "no exception";
    } catch (const ERegistryException& E) {
        EXPECT_EQ(E.Message.rfind("Failed to set data for 'Software\\Grid'. ", 0), 0u) << E.Message;
    }
    EXPECT_EQ(Ini->ReadString("S", "K", "dropped"), "dropped");
}
