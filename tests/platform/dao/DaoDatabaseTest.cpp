#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/DaoRecordset.h"
#include "platform/dao/DaoWorkspace.h"
#include "tests/platform/dao/DaoFixture.h"
#include "tests/support/ForkedChild.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <random>
#include <thread>

using namespace platform::dao;
using lumarc::test::QueryNames;

namespace {

long OpenError(const std::filesystem::path& path, const std::string& connect = {})
{
    try {
        CDaoDatabase db;
        db.Open(path, false, false, connect);
    } catch (const CDaoException& error) {
        return error.GetErrorCode();
    }
    return 0;
}

size_t CountCoins(const std::filesystem::path& path, const std::string& connect = {})
{
    CDaoDatabase db;
    db.Open(path, false, false, connect);
    return QueryNames(db, "SELECT * FROM COINS").size();
}

std::string Pwd(const std::string& password)
{
    return ";PWD=" + password;
}

TEST(DaoDatabase, RefusesWhatIsNoDatabase)
{
    const auto folder = lumarc::test::MakeTempFolder("notadb");
    EXPECT_EQ(OpenError(folder / "missing.ctg"), errors::kFileNotFound);
    std::ofstream(folder / "empty.ctg").close();
    EXPECT_EQ(OpenError(folder / "empty.ctg"), errors::kUnrecognizedFormat);
    std::ofstream(folder / "text.ctg") << "This is a text file, not a catalogue.\n";
    EXPECT_EQ(OpenError(folder / "text.ctg"), errors::kUnrecognizedFormat);
    CDaoDatabase db;
    db.Create(folder / "new.ctg");
    db.Close();
    EXPECT_THROW(db.Create(folder / "new.ctg"), CDaoException);
    EXPECT_EQ(OpenError(folder / "new.ctg"), 0);
}

std::string FileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(DaoDatabase, RefusesADamagedFileAndLeavesItAsItIs)
{
    // Cut short (an interrupted copy, a disk error) or longer than its header says: the missing bytes
    // would read as zeros, and the next compaction would make that permanent.
    struct Damage
    {
        const char* what;
        std::string password;
        long change; // bytes added to (or taken from) the end of the file
    };
    const Damage damages[] = {{"plain, cut inside its last page", "", -100},
                              {"plain, one page cut off", "", -4096},
                              {"plain, a page more than its header says", "", 4096},
                              {"protected, cut inside its last page", "s3cret", -100}};
    const auto folder = lumarc::test::MakeTempFolder("damaged");
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        const auto path = folder / (std::to_string(&damage - damages) + ".ctg");
        lumarc::test::CreateCoinDatabase(path, damage.password);
        const auto size = std::filesystem::file_size(path);
        std::filesystem::resize_file(path,
                                     static_cast<std::uintmax_t>(static_cast<long>(size) + damage.change));
        const std::string before = FileBytes(path);
        EXPECT_EQ(OpenError(path, Pwd(damage.password)), errors::kUnrecognizedFormat);
        try {
            CDaoWorkspace::CompactDatabase(path, path, dbLangGeneral, 0, Pwd(damage.password),
                                           CDaoWorkspace::CompactTarget::Replace);
            ADD_FAILURE() << "compacted";
        } catch (const CDaoException& error) {
            EXPECT_EQ(error.GetErrorCode(), errors::kUnrecognizedFormat);
        }
        EXPECT_TRUE(FileBytes(path) == before) << "the file was rewritten";
    }

    // What cannot be an encrypted file is no database, not a file whose password is wrong.
    std::ofstream(folder / "text.ctg") << std::string(1023, 'x') << '\n';
    EXPECT_EQ(OpenError(folder / "text.ctg"), errors::kUnrecognizedFormat);
    std::ofstream(folder / "odd.ctg") << std::string(3000, 'x');
    EXPECT_EQ(OpenError(folder / "odd.ctg"), errors::kUnrecognizedFormat);
}

TEST(DaoDatabase, OpensAProtectedCatalogueOnlyWithItsPassword)
{
    const auto path = lumarc::test::MakeTempFolder("protected") / "coins.ctg";
    lumarc::test::CreateCoinDatabase(path, "s3cret");
    EXPECT_EQ(OpenError(path), errors::kNotValidPassword);
    EXPECT_EQ(OpenError(path, Pwd("wrong")), errors::kNotValidPassword);
    EXPECT_EQ(OpenError(path, Pwd("S3CRET")), errors::kNotValidPassword);
    EXPECT_EQ(CountCoins(path, Pwd("s3cret")), 7u);
    // Nothing of the catalogue is readable in the file.
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes.find("Thaler"), std::string::npos);
    EXPECT_EQ(bytes.find("SQLite format"), std::string::npos);
}

TEST(DaoDatabase, APasswordGivenForAnOpenCatalogueIsIgnored)
{
    const auto path = lumarc::test::MakeTempFolder("open") / "coins.ctg";
    lumarc::test::CreateCoinDatabase(path);
    EXPECT_EQ(CountCoins(path, Pwd("anything")), 7u);
    EXPECT_EQ(CountCoins(path, ";PWD=\"\""), 7u);
}

TEST(DaoDatabase, EncryptsReKeysDecryptsAndCompactsInPlace)
{
    const auto path = lumarc::test::MakeTempFolder("rekey") / "coins.ctg";
    lumarc::test::CreateCoinDatabase(path);
    {
        CDaoDatabase db;
        db.Open(path);
        db.Execute("DELETE FROM COINS WHERE AUTOINCR >= 6"); // the counter must survive compaction
    }
    // Set a password: the way a password is first given, with an empty old one.
    CDaoWorkspace::CompactDatabase(path, path, std::string(dbLangGeneral) + Pwd("first"), dbEncrypt,
                                   ";PWD=\"\"");
    EXPECT_EQ(OpenError(path), errors::kNotValidPassword);
    EXPECT_EQ(CountCoins(path, Pwd("first")), 5u);

    // Compaction without a new password keeps the old one.
    CDaoWorkspace::CompactDatabase(path, path, dbLangGeneral, 0, Pwd("first"));
    EXPECT_EQ(CountCoins(path, Pwd("first")), 5u);

    CDaoWorkspace::CompactDatabase(path, path, std::string(dbLangGeneral) + Pwd("second"), dbEncrypt,
                                   Pwd("first"));
    EXPECT_EQ(OpenError(path, Pwd("first")), errors::kNotValidPassword);
    EXPECT_EQ(CountCoins(path, Pwd("second")), 5u);

    EXPECT_EQ(
        [&] {
            try {
                CDaoWorkspace::CompactDatabase(path, path, dbLangGeneral, 0, Pwd("wrong"));
            } catch (const CDaoException& error) {
                return error.GetErrorCode();
            }
            return 0L;
        }(),
        errors::kNotValidPassword);

    CDaoWorkspace::CompactDatabase(path, path, std::string(dbLangGeneral) + ";PWD=", dbDecrypt,
                                   Pwd("second"));
    EXPECT_EQ(CountCoins(path), 5u);

    CDaoDatabase db;
    db.Open(path);
    CDaoRecordset rs(&db);
    rs.Open(dbOpenTable, "COINS");
    rs.AddNew();
    EXPECT_EQ(rs.GetFieldValue("AUTOINCR").GetLong(), 8);
    rs.CancelUpdate();
    rs.SetCurrentIndex("OID"); // the index came through
    EXPECT_TRUE(rs.Seek("=", 5));
    EXPECT_EQ(QueryNames(db, "SELECT * FROM COINS WHERE NAME = 'ÉCU'"), std::vector<std::string>{"Écu"});
}

TEST(DaoDatabase, NeverReplacesACatalogueThatIsInUse)
{
    const auto folder = lumarc::test::MakeTempFolder("inuse");
    const auto path = folder / "coins.ctg";
    lumarc::test::CreateCoinDatabase(path);
    CDaoDatabase reader;
    reader.Open(path);
    try {
        CDaoWorkspace::CompactDatabase(path, path, std::string(dbLangGeneral) + Pwd("x"), dbEncrypt);
        FAIL() << "replaced while open";
    } catch (const CDaoException& error) {
        EXPECT_EQ(error.GetErrorCode(), errors::kFileInUse);
    }
    EXPECT_EQ(QueryNames(reader, "SELECT * FROM COINS").size(), 7u);
    EXPECT_FALSE(std::filesystem::exists(folder / "coins.ctg.compact~"));

    // A copy elsewhere is fine while the source is open; an existing copy is replaced only when asked.
    CDaoWorkspace::CompactDatabase(path, folder / "backup.ctg");
    EXPECT_THROW(CDaoWorkspace::CompactDatabase(path, folder / "backup.ctg"), CDaoException);
    reader.Execute("DELETE FROM COINS WHERE AUTOINCR = 1");
    CDaoWorkspace::CompactDatabase(path, folder / "backup.ctg", dbLangGeneral, 0, {},
                                   CDaoWorkspace::CompactTarget::Replace);
    EXPECT_EQ(CountCoins(folder / "backup.ctg"), 6u);

    CDaoDatabase exclusive;
    exclusive.Open(folder / "backup.ctg", true);
    EXPECT_EQ(OpenError(folder / "backup.ctg"), errors::kFileInUse);
}

TEST(DaoDatabase, AKilledReplacementLeavesTheOldOrTheNewCatalogue)
{
    const auto path = lumarc::test::MakeTempFolder("crash") / "coins.ctg";
    lumarc::test::CreateCoinDatabase(path);
    const std::vector<std::string> keys = {"", "alpha", "beta"};
    std::mt19937 random(4711);
    int killedMidway = 0;
    // At least 24 rounds, and more until one kill lands in the middle of writing the new file: on a busy
    // machine the child may not get that far in the first rounds.
    for (int round = 0; round < 24 || (killedMidway == 0 && round < 400); ++round) {
        lumarc::test::ForkedChild child([&](const std::function<void()>& ready) {
            // Re-key, encrypt, decrypt and compact for ever, until killed.
            size_t current = 0;
            for (const auto& key : keys) {
                try {
                    CDaoDatabase probe;
                    probe.Open(path, false, false, Pwd(key));
                    current = static_cast<size_t>(&key - keys.data());
                    break;
                } catch (const CDaoException&) {
                }
            }
            ready(); // about to replace
            for (;;) {
                const size_t next = (current + 1) % keys.size();
                CDaoWorkspace::CompactDatabase(path, path, std::string(dbLangGeneral) + Pwd(keys[next]),
                                               keys[next].empty() ? dbDecrypt : dbEncrypt,
                                               Pwd(keys[current]));
                current = next;
            }
        });
        ASSERT_TRUE(child.Started());
        std::this_thread::sleep_for(
            std::chrono::microseconds(std::uniform_int_distribution<int>(0, 40000)(random)));
        const int status = child.Kill();
        ASSERT_TRUE(WIFSIGNALED(status)) << "the replacing child ended by itself";
        killedMidway += std::filesystem::exists(path.string() + ".compact~") ? 1 : 0;

        size_t opened = 0;
        for (const auto& key : keys) {
            try {
                EXPECT_EQ(CountCoins(path, Pwd(key)), 7u);
                ++opened;
            } catch (const CDaoException& error) {
                EXPECT_EQ(error.GetErrorCode(), errors::kNotValidPassword) << error.what();
            }
        }
        // A password given to a plain file is ignored, so a plain catalogue opens with every key.
        ASSERT_GE(opened, 1u) << "round " << round << ": the catalogue is gone";
    }
    EXPECT_GT(killedMidway, 0);
}

} // namespace
