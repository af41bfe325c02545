#include "store/catalogue/CatalogueDb.h"

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoTableDef.h"
#include "store/catalogue/DataRecordset.h"
#include "store/clipboard/ClipboardEntry.h"
#include "store/program/Settings.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/FakeElementTree.h"
#include "tests/support/ForkedChild.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <chrono>
#include <fstream>
#include <random>
#include <thread>

using namespace lumarc::test;
using platform::dao::dbOpenSnapshot;

namespace {

std::filesystem::path Build(const std::string& hint, int version = 0)
{
    return CatalogueBuilder(MakeTempFolder(hint) / "coins.ctg")
        .Name("Coins of the world")
        .Number(3)
        .Id(17)
        .Version(version)
        .Comment("My coins")
        .DataFile(CoinsFile(1))
        .DataFile(CountriesFile(2))
        .Build();
}

int RowCount(CCatalogueDb& catalogue, const std::string& table)
{
    CDataRecordset rs(catalogue.GetDatabase());
    rs.OpenQuery(dbOpenSnapshot, "SELECT * FROM [" + table + "]");
    int rows = 0;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        ++rows;
    }
    return rows;
}

bool IsPlainDatabaseFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    char head[16] = {};
    file.read(head, sizeof head);
    return std::string(head, 15) == "SQLite format 3";
}

class CatalogueDbTest : public testing::Test
{
protected:
    void SetUp() override { Dialogs().Clear(); }
};

TEST_F(CatalogueDbTest, OpensClosesAndReopensWithItsSettingsIntact)
{
    const auto path = Build("settings");
    {
        CCatalogueDb catalogue(path);
        ASSERT_NE(catalogue.GetDatabase(), nullptr);
        EXPECT_TRUE(catalogue.IsOpen());
        EXPECT_EQ(catalogue.GetName(), "Coins of the world");
        EXPECT_EQ(catalogue.GetCatalogueNumber(), 3);
        EXPECT_EQ(catalogue.GetId(), 17);
        EXPECT_EQ(catalogue.GetComment(), "My coins");
        EXPECT_TRUE(catalogue.IsAreaAllowed());
        EXPECT_FALSE(catalogue.IsViewOnly());
        EXPECT_TRUE(catalogue.HasOwnedTable());
        EXPECT_FALSE(catalogue.IsPasswordProtected());
        EXPECT_GT(catalogue.GetCreationTime(), 0);
        catalogue.SetName("Münzen der Welt");
        catalogue.SetComment("Meine Münzen");
        catalogue.CountDeletedEntry();
        catalogue.StampBackupTime();
        catalogue.SetViewOnly(true);
        catalogue.SetAdvertText(2, "Buy here");
        catalogue.ClearBmpFlag();
    } // written back when the object goes
    CCatalogueDb catalogue(path);
    EXPECT_EQ(catalogue.GetName(), "Münzen der Welt");
    EXPECT_EQ(catalogue.GetComment(), "Meine Münzen");
    EXPECT_EQ(catalogue.GetDeletedEntries(), 1);
    EXPECT_TRUE(catalogue.IsViewOnly());
    EXPECT_FALSE(catalogue.HasPictures());
    EXPECT_GT(catalogue.GetLastBackupTime(), 0);
    CDataRecordset rs(catalogue.GetDatabase());
    rs.OpenQuery(dbOpenSnapshot, "SELECT * FROM PASSWORD");
    EXPECT_EQ(rs.GetFieldString("ADVERTTEXT2"), "Buy here");
}

TEST_F(CatalogueDbTest, OpensWhileAnotherRunningCopyCommits)
{
    const auto path = Build("busy");
    CCatalogueDb catalogue(path);
    catalogue.Close();
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.c_str(), &other, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE; UPDATE PASSWORD SET NAME = 'Renamed'", nullptr, nullptr,
                           nullptr),
              SQLITE_OK);
    std::thread committer([other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    });
    EXPECT_TRUE(catalogue.Reopen(path));
    committer.join();
    sqlite3_close_v2(other);
    EXPECT_TRUE(catalogue.IsOpen());
    EXPECT_EQ(catalogue.GetName(), "Renamed");
}

TEST_F(CatalogueDbTest, AFailedPictureFlagChangeSaysWhatWentWrong)
{
    CCatalogueDb catalogue(Build("bmpflag"));
    catalogue.GetDatabase()->Execute("DROP TABLE PASSWORD");
    catalogue.ClearBmpFlag();
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_EQ(Dialogs().messages[0].caption, "Error");
    EXPECT_NE(Dialogs().messages[0].text.find("PASSWORD"), std::string::npos) << Dialogs().messages[0].text;
    EXPECT_FALSE(catalogue.HasPictures());
    Dialogs().Clear();
}

TEST_F(CatalogueDbTest, VersionsSixToTwentyFourAreRefused)
{
    for (int version : {5, 6, 24, 25}) {
        Dialogs().Clear();
        CCatalogueDb catalogue(Build("version", version));
        const bool refused = version == 6 || version == 24;
        EXPECT_EQ(catalogue.GetDatabase() == nullptr, refused) << version;
        EXPECT_EQ(catalogue.IsOpen(), !refused) << version;
        if (refused) {
            ASSERT_EQ(Dialogs().messages.size(), 1u);
            EXPECT_EQ(Dialogs().messages[0].caption, "Error");
            EXPECT_EQ(
                Dialogs().messages[0].text.rfind("This catalogue contains features not supported by the "
                                                 "current version of the software. Please connect to ",
                                                 0),
                0u);
            EXPECT_NE(Dialogs().messages[0].text.find(" to download a newer version."), std::string::npos);
            // Open with a password refuses it the same way; opening after a password change does not.
            EXPECT_FALSE(catalogue.Open(""));
            EXPECT_TRUE(catalogue.OpenWithPassword(""));
        } else {
            EXPECT_TRUE(Dialogs().messages.empty());
            EXPECT_EQ(catalogue.GetVersion(), version);
        }
    }
}

TEST_F(CatalogueDbTest, ThePathTakesTheCatalogueExtensionWhateverTheFolderIsCalled)
{
    const auto folder = MakeTempFolder("dots") / ".local" / "share.d";
    std::filesystem::create_directories(folder);
    const auto path = CatalogueBuilder(folder / "coins.ctg").Build();
    CCatalogueDb catalogue(folder / "coins.old");
    EXPECT_EQ(catalogue.GetFilePath(), path);
    EXPECT_NE(catalogue.GetDatabase(), nullptr);

    CCatalogueDb missing(folder / "nothing.ctg");
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_EQ(missing.GetDatabase(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(folder / "nothing.ctg"));
}

TEST_F(CatalogueDbTest, APasswordCanBeSetUsedChangedAndRemoved)
{
    const auto path = Build("password");
    {
        CCatalogueDb catalogue(path);
        catalogue.AddFolder("Europe", 0, 100);
        EXPECT_EQ(catalogue.SetPassword("", "geheim"), 1);
        EXPECT_NE(catalogue.GetDatabase(), nullptr); // still open, now with its password
        EXPECT_TRUE(catalogue.IsPasswordProtected());
        EXPECT_EQ(catalogue.GetName(), "Coins of the world");
    }
    EXPECT_FALSE(IsPlainDatabaseFile(path));
    {
        CCatalogueDb catalogue(path);
        EXPECT_EQ(catalogue.GetDatabase(), nullptr);
        EXPECT_TRUE(catalogue.IsOpen());
        EXPECT_TRUE(catalogue.IsPasswordProtected());
        EXPECT_EQ(catalogue.GetName(), "Protected Catalogue");
        EXPECT_FALSE(catalogue.Open("wrong"));
        EXPECT_EQ(catalogue.GetDatabase(), nullptr);
        EXPECT_EQ(catalogue.GetName(), "Protected Catalogue");
        ASSERT_TRUE(catalogue.Open("geheim"));
        EXPECT_EQ(catalogue.GetName(), "Coins of the world");
        EXPECT_NE(catalogue.FindFolder(2), nullptr);

        // A wrong old password changes nothing.
        Dialogs().Clear();
        catalogue.SetPassword("wrong", "other");
        ASSERT_EQ(Dialogs().messages.size(), 1u);
        EXPECT_EQ(Dialogs().messages[0].text, "Not able to modify the password.");
        EXPECT_NE(catalogue.GetDatabase(), nullptr);

        catalogue.SetPassword("geheim", "anderes");
        EXPECT_NE(catalogue.GetDatabase(), nullptr);
    }
    {
        CCatalogueDb catalogue(path);
        ASSERT_TRUE(catalogue.Open("anderes"));
        catalogue.RemovePassword("anderes");
        EXPECT_FALSE(catalogue.IsPasswordProtected());
        EXPECT_NE(catalogue.GetDatabase(), nullptr);
    }
    EXPECT_TRUE(IsPlainDatabaseFile(path));
    CCatalogueDb catalogue(path);
    ASSERT_NE(catalogue.GetDatabase(), nullptr);
    EXPECT_NE(catalogue.FindFolder(2), nullptr);
    catalogue.RemovePassword(""); // an empty old password on a plain file: nothing to remove
    EXPECT_NE(catalogue.GetDatabase(), nullptr);
}

std::string FileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST_F(CatalogueDbTest, ADamagedFileIsRefusedAndNeverRewritten)
{
    const auto path = Build("damaged");
    {
        CCatalogueDb catalogue(path);
        catalogue.AddFolder("Europe", 0, 100); // changed: closing it compacts the file
    }
    std::filesystem::resize_file(path, std::filesystem::file_size(path) - 700);
    const std::string damaged = FileBytes(path);
    {
        CCatalogueDb catalogue(path);
        EXPECT_FALSE(catalogue.IsOpen());
        EXPECT_FALSE(catalogue.IsPasswordProtected());
        EXPECT_EQ(catalogue.GetDatabase(), nullptr);
    }
    EXPECT_TRUE(FileBytes(path) == damaged) << "the file was rewritten";

    // A text file is no catalogue, not a catalogue whose password is missing.
    const auto text = MakeTempFolder("textfile") / "notes.ctg";
    std::ofstream(text) << std::string(1023, 'x') << '\n';
    CCatalogueDb notes(text);
    EXPECT_FALSE(notes.IsOpen());
    EXPECT_FALSE(notes.IsPasswordProtected());
}

TEST_F(CatalogueDbTest, WorkFilesLeftByAKilledReplacementGoWhenTheCatalogueOpens)
{
    // What a compaction killed while it removed a password leaves beside the protected catalogue: a
    // readable copy. The catalogue itself is whole (the rename is the commit), so the copy can go even
    // while the catalogue waits for its password.
    const auto folder = MakeTempFolder("strays");
    const auto copy = CatalogueBuilder(folder / "plain.ctg").Build();
    const auto path = CatalogueBuilder(folder / "coins.ctg").Password("geheim").Build();
    const std::filesystem::path stray = path.string() + ".compact~";
    const std::filesystem::path journal = stray.string() + "-journal";
    std::filesystem::copy_file(copy, stray);
    std::ofstream(journal) << "partial";
    {
        CCatalogueDb catalogue(path);
        EXPECT_TRUE(catalogue.IsPasswordProtected());
    }
    EXPECT_FALSE(std::filesystem::exists(stray));
    EXPECT_FALSE(std::filesystem::exists(journal));

    std::filesystem::copy_file(copy, folder / "plain.ctg.compact~");
    CCatalogueDb plain(copy);
    EXPECT_NE(plain.GetDatabase(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(folder / "plain.ctg.compact~"));
}

TEST_F(CatalogueDbTest, BackupAndRestoreRoundTrip)
{
    const auto backups = MakeTempFolder("backups") / "bck";
    SetBackupDir(backups.string());
    struct Restore
    {
        ~Restore() { SetBackupDir(""); }
    } restoreSetting;
    const auto path = Build("backup");
    CCatalogueDb catalogue(path);

    // Without a backup: message 39020, and the catalogue stays open.
    EXPECT_FALSE(catalogue.Restore());
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_EQ(Dialogs().messages[0].text, "This Catalogue has never been backuped.");
    EXPECT_NE(catalogue.GetDatabase(), nullptr);

    catalogue.AddFolder("Before the first backup", 0, 100);
    ASSERT_TRUE(catalogue.Backup());
    catalogue.AddFolder("Between the backups", 0, 100);
    ASSERT_TRUE(catalogue.Backup()); // replaces the first
    EXPECT_TRUE(std::filesystem::exists(backups / "coins.ctg"));
    EXPECT_GT(catalogue.GetLastBackupTime(), 0);
    catalogue.AddFolder("After the backup", 0, 100);
    EXPECT_EQ(catalogue.GetFolderList().GetCount(), 3u);

    ASSERT_TRUE(catalogue.Restore());
    ASSERT_NE(catalogue.GetDatabase(), nullptr);
    EXPECT_EQ(catalogue.GetFolderList().GetCount(), 2u);
    EXPECT_EQ(catalogue.FindFolder(4), nullptr);

    // A catalogue open with its password is backed up with it and stays open.
    catalogue.SetPassword("", "pw");
    ASSERT_TRUE(catalogue.Backup());
    EXPECT_NE(catalogue.GetDatabase(), nullptr);
    ASSERT_TRUE(catalogue.Restore());
    EXPECT_NE(catalogue.GetDatabase(), nullptr);
    CCatalogueDb copy(backups / "coins.ctg");
    EXPECT_TRUE(copy.IsPasswordProtected());
    EXPECT_TRUE(copy.Open("pw"));
}

TEST_F(CatalogueDbTest, ARestoreKilledHalfwayLeavesTheCatalogueAsItWasOrAsBackedUp)
{
    const auto backups = MakeTempFolder("killed-restore") / "bck";
    SetBackupDir(backups.string());
    struct Restore
    {
        ~Restore() { SetBackupDir(""); }
    } restoreSetting;
    const auto path = Build("killed-restore");
    {
        CCatalogueDb catalogue(path);
        catalogue.AddFolder("Backed up", 0, 100);
        ASSERT_TRUE(catalogue.Backup());
        catalogue.AddFolder("After the backup", 0, 100);
    }
    const auto before = path.parent_path() / "before.ctg";
    std::filesystem::copy_file(path, before);
    const std::filesystem::path work = path.string() + ".compact~";

    std::mt19937 random(1789);
    int killedMidway = 0;
    // More rounds until one kill lands while the restored file is being written: on a busy machine the
    // child may not get that far in the first ones.
    for (int round = 0; round < 16 || (killedMidway == 0 && round < 200); ++round) {
        std::filesystem::copy_file(before, path, std::filesystem::copy_options::overwrite_existing);
        ForkedChild child([&path](const std::function<void()>& ready) {
            CCatalogueDb catalogue(path);
            ready();
            for (;;) {
                catalogue.Restore();
            }
        });
        ASSERT_TRUE(child.Started());
        std::this_thread::sleep_for(
            std::chrono::microseconds(std::uniform_int_distribution<int>(0, 30000)(random)));
        ASSERT_TRUE(WIFSIGNALED(child.Kill()));
        killedMidway += std::filesystem::exists(work) ? 1 : 0;

        CCatalogueDb reopened(path);
        ASSERT_NE(reopened.GetDatabase(), nullptr) << "round " << round;
        const size_t folders = reopened.GetFolderList().GetCount();
        EXPECT_TRUE(folders == 1 || folders == 2) << "round " << round << ": " << folders << " folders";
    }
    EXPECT_GT(killedMidway, 0) << "no kill landed while the restored file was written";
}

// A source catalogue with something in every table the copy options are about.
struct Source
{
    std::filesystem::path path;
};

Source FilledSource()
{
    const auto path = Build("source");
    CCatalogueDb catalogue(path);
    const double europe = catalogue.AddFolder("Europe", 0, 100)->GetNumber();
    const CNodeRef coin = AddRecord(catalogue, 1, europe, {{"NAME", "Thaler"}});
    const CNodeRef country = AddRecord(catalogue, 2, 0, {{"NAME", "Prussia"}});
    AddLink(catalogue, country, coin);
    catalogue.WriteQuery("Old coins", "{Old coins}{[(0)(1)(YEAR < 1900)]}{1}", europe);
    CDataRecordset list(catalogue.GetDatabase());
    list.OpenQuery(platform::dao::dbOpenTable, "DistList");
    list.AddNew();
    list.SetFieldText("NAME", "Wanted");
    list.Update();
    catalogue.WriteFileText("pageFormats.txt", "{Name§pageFormat Type§main}");
    catalogue.WriteFileText("webTemplates.txt", "{Name§WebTemplates Type§main}");
    catalogue.GetDatabase()->Execute("INSERT INTO BMP (NUMBER) VALUES (1)");
    catalogue.GetDatabase()->Execute("INSERT INTO FONTS (NUMBER, FONT_DESCRIPTION) VALUES (1, 'x')");
    return {path};
}

TEST_F(CatalogueDbTest, CreateNewHoldsWhatItsOptionsAsk)
{
    const Source source = FilledSource();
    struct Case
    {
        CCatalogueCreation options;
        int areas, queries, lists, coins, countries, bmp;
        bool coinsTable;
        const char* metaData; // start of the definitions' text
    };
    const Case cases[] = {
        {{.name = "All",
          .id = 5,
          .hasAge = true,
          .copyFolders = true,
          .copyQueries = true,
          .copyLists = true},
         1,
         1,
         1,
         0,
         1,
         1,
         true,
         "{Name"},
        {{.name = "Folders", .id = 6, .copyFolders = true}, 1, 0, 0, 0, 1, 1, true, "{Name"},
        {{.name = "Queries", .id = 7, .copyQueries = true}, 0, 1, 0, 0, 1, 1, true, "{Name"},
        {{.name = "Lists", .id = 8, .copyLists = true}, 0, 0, 1, 0, 1, 1, true, "{Name"},
        {{.name = "Empty", .id = 9, .copyFolders = true, .emptyStructure = true},
         1,
         0,
         0,
         0,
         0,
         0,
         false,
         " "},
    };
    CCatalogueDb catalogue(source.path);
    catalogue.SetPassword("", "secret"); // the new catalogue is plain all the same
    const auto folder = MakeTempFolder("created");
    for (const Case& c : cases) {
        const auto path = folder / (c.options.name + ".ctg");
        ASSERT_TRUE(catalogue.CreateNew(path, c.options)) << c.options.name;
        EXPECT_TRUE(IsPlainDatabaseFile(path));
        CCatalogueDb created(path);
        ASSERT_NE(created.GetDatabase(), nullptr) << c.options.name;
        EXPECT_EQ(created.GetName(), c.options.name);
        EXPECT_EQ(created.GetId(), c.options.id);
        EXPECT_EQ(created.GetCatalogueNumber(), 3);
        EXPECT_EQ(created.GetHasAge(), c.options.hasAge ? 1 : 0);
        EXPECT_EQ(created.GetVersion(), 0);
        EXPECT_FALSE(created.IsViewOnly());
        EXPECT_EQ(RowCount(created, "PASSWORD"), 1);
        EXPECT_EQ(RowCount(created, "AREAS"), c.areas) << c.options.name;
        EXPECT_EQ(RowCount(created, "QUERIES"), c.queries) << c.options.name;
        EXPECT_EQ(RowCount(created, "DistList"), c.lists) << c.options.name;
        EXPECT_EQ(RowCount(created, "LINK"), 0);
        EXPECT_EQ(RowCount(created, "BMP"), c.bmp) << c.options.name;
        EXPECT_EQ(RowCount(created, "FONTS"), c.bmp) << c.options.name;
        const auto tables = created.GetDatabase()->GetTableNames();
        EXPECT_EQ(std::count(tables.begin(), tables.end(), "COINS"), c.coinsTable ? 1 : 0) << c.options.name;
        EXPECT_EQ(std::count(tables.begin(), tables.end(), "OWNED"), 0);
        if (c.coinsTable) {
            EXPECT_EQ(RowCount(created, "COINS"), c.coins);
            EXPECT_EQ(RowCount(created, "COUNTRIES"), c.countries); // a lookup table keeps its rows
        }
        std::string text;
        ASSERT_TRUE(created.ReadFileText("metaData.txt", text)) << c.options.name;
        EXPECT_EQ(text.rfind(c.metaData, 0), 0u) << c.options.name;
        ASSERT_TRUE(created.ReadFileText("pageFormats.txt", text));
        EXPECT_EQ(text, "{Name§pageFormat Type§main}");
    }

    // An existing file is not overwritten.
    Dialogs().Clear();
    EXPECT_FALSE(catalogue.CreateNew(folder / "All.ctg", cases[0].options));
    ASSERT_EQ(Dialogs().messages.size(), 1u);
    EXPECT_EQ(Dialogs().messages[0].text, "Error during Catalogue creation.");
    EXPECT_TRUE(std::filesystem::exists(folder / "All.ctg"));

    // A catalogue never opened makes an empty one.
    CCatalogueDb never;
    ASSERT_TRUE(never.CreateNew(folder / "new.ctg", {.name = "New", .id = 1}));
    CCatalogueDb empty(folder / "new.ctg");
    ASSERT_NE(empty.GetDatabase(), nullptr);
    EXPECT_EQ(empty.GetName(), "New");
    EXPECT_TRUE(empty.HasOwnedTable());
}

TEST_F(CatalogueDbTest, PurgeDeletesMarkedRowsAndTheFileIsCompactedWhenClosed)
{
    const auto path = Build("purge");
    {
        CCatalogueDb catalogue(path);
        for (int i = 0; i < 200; ++i) {
            AddRecord(catalogue, 1, 0, {{"NAME", std::string(30, 'x')}, {"NOTES", std::string(2000, 'n')}});
        }
        AddRecord(catalogue, 2, 0, {{"NAME", "kept"}});
        catalogue.GetDatabase()->Execute("UPDATE COINS SET DELETED = True");
        catalogue.CountDeletedEntry();
    }
    const auto before = std::filesystem::file_size(path);
    {
        CCatalogueDb catalogue(path);
        catalogue.PurgeDeletedEntries();
        EXPECT_EQ(catalogue.GetDeletedEntries(), 0);
        EXPECT_TRUE(catalogue.IsChanged());
        EXPECT_EQ(RowCount(catalogue, "COINS"), 0);
        EXPECT_EQ(RowCount(catalogue, "COUNTRIES"), 1);
    }
    EXPECT_LT(std::filesystem::file_size(path), before / 2);
    CCatalogueDb catalogue(path);
    EXPECT_EQ(catalogue.GetDeletedEntries(), 0);
    EXPECT_EQ(RowCount(catalogue, "COUNTRIES"), 1);
}

TEST_F(CatalogueDbTest, ACatalogueMarkedForRemovalIsDeletedWhenItGoes)
{
    const auto path = Build("removal");
    {
        CCatalogueDb catalogue(path);
        catalogue.MarkForRemoval();
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(CatalogueDbTest, CopiesOfARecordOfAnotherCatalogueAreFound)
{
    CCatalogueDb other(Build("otherside"));
    const CNodeRef original = AddRecord(other, 1, 0, {{"NAME", "Thaler"}});
    CDataFileDef definition(&other);
    ASSERT_TRUE(definition.SelectFile(1));

    CCatalogueDb here(CatalogueBuilder(MakeTempFolder("copyside") / "here.ctg")
                          .Number(4)
                          .DataFile(CountriesFile(3))
                          .DataFile(CoinsFile(9))
                          .Build());
    EXPECT_EQ(here.GetLinkedParent(definition, original.GetCode()), -1);
    const CNodeRef copy = AddRecord(here, 9, 5, {{"NAME", "Thaler"}});
    here.GetDatabase()->Execute("UPDATE COINS SET [FROM-UID] = " + std::to_string(original.GetCode()));
    EXPECT_EQ(here.GetLinkedParent(definition, original.GetCode()), 5);
    EXPECT_EQ(here.FindCopyUid(definition, original.GetCode()), copy.GetCode());
    EXPECT_TRUE(here.HasOtherDataFile(definition));

    CDataFileDef unknown(&other);
    unknown.SetStrongName("Banknote");
    unknown.SetFieldLength(0, 10);
    unknown.SetFieldFieldName(0, "SERIAL");
    EXPECT_EQ(here.GetLinkedParent(unknown, original.GetCode()), -2);
    EXPECT_FALSE(here.HasOtherDataFile(unknown));
}

using TwoCatalogues = lumarc::test::FakeElementTree;

TEST_F(CatalogueDbTest, ClipboardEntriesNameTheirCatalogueByNumber)
{
    CCatalogueDb three;
    three.SetCatalogueNumber(3);
    CCatalogueDb five;
    five.SetCatalogueNumber(5);
    TwoCatalogues root;
    root.catalogues = {&three, nullptr, &five};

    CNodeRef ref;
    ASSERT_TRUE(ParseClipboardEntry("Coins^Europe^12,345,5", ref, root));
    EXPECT_EQ(ref.GetKind(), 12);
    EXPECT_EQ(ref.GetNumber(), 345u);
    EXPECT_EQ(ref.GetCatalogue(), &five);
    ASSERT_TRUE(ParseClipboardEntry("x^7,8,9", ref, root)); // no such catalogue: it stays
    EXPECT_EQ(ref.GetKind(), 7);
    EXPECT_EQ(ref.GetCatalogue(), &five);
    ASSERT_TRUE(ParseClipboardEntry("x^7", ref, root));
    EXPECT_EQ(ref.GetNumber(), 0u);
    EXPECT_FALSE(ParseClipboardEntry(std::string(200, 'p') + "^1,2,3", ref, root));
    EXPECT_FALSE(ParseClipboardEntry("", ref, root));
}

} // namespace
