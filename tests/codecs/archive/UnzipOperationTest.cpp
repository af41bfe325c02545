// The decompressor on archives made by gzip, zip and Python (make-archives.sh), compared byte for byte
// with what was packed.

#include "codecs/archive/UnzipOperation.h"
#include "codecs/archive/ZipException.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string kFatal = "problem with zipping/unzipping operation : 1";
const std::string kNotAccepted = "problem while unzipping file";

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The message of the CZipException a run throws; nullopt when it succeeds.
std::optional<std::string> RunUnzip(CZipOperation& operation, const fs::path& target)
{
    try {
        operation.Run(target);
    } catch (const CZipException& e) {
        return e.Message();
    }
    return std::nullopt;
}

class UnzipOperation : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_archives = lumarc::test::MakeTempFolder("archives");
        const std::string command =
            std::string(LUMARC_TEST_SOURCE_DIR) + "/make-archives.sh '" + s_archives.string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }

    void SetUp() override { m_out = lumarc::test::MakeTempFolder("unzipped"); }

    static fs::path Archive(const std::string& name) { return s_archives / name; }

    static inline fs::path s_archives;
    fs::path m_out;
};

TEST_F(UnzipOperation, UnpacksWhatTheToolsPackedToTheSameBytes)
{
    struct Case
    {
        const char* archive;
        const char* payload;
    };
    const std::vector<Case> cases = {
        {"gzip-named.gz", "payload.bin"},
        {"gzip-no-name.gz", "payload.bin"},
        {"gzip-stdin.gz", "payload.bin"},
        {"gzip-two-members.gz", "payload.bin"}, // the first member only
        {"gzip-empty.gz", "empty.bin"},
        {"python-gzip.gz", "payload.bin"},
        {"python-gzip-named.gz", "payload.bin"},
        {"zlib-every-flag.gz", "payload.bin"},
        {"zlib-long-header.gz", "payload.bin"},
        {"zlib-old-magic.gz", "payload.bin"},
        {"zip-stored.zip", "payload.bin"},
        {"zip-deflated.zip", "payload.bin"},
        {"zip-stored-pipe.zip", "payload.bin"},
        {"zip-deflated-pipe.zip", "payload.bin"},
        {"zip-empty.zip", "empty.bin"},
        {"python-zip-stored.zip", "payload.bin"},
        {"python-zip-unseekable.zip", "payload.bin"},
        {"python-zip-unseekable-empty.zip", "empty.bin"},
        {"zlib-zip-bare-descriptor.zip", "payload.bin"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.archive);
        CUnzipOperation unzip(Archive(c.archive));
        const fs::path target = m_out / (std::string(c.archive) + ".ctg");
        EXPECT_EQ(RunUnzip(unzip, target), std::nullopt);
        EXPECT_TRUE(ReadFile(target) == ReadFile(Archive(c.payload))) << "unpacked bytes differ";
    }
}

TEST_F(UnzipOperation, FailuresGiveTheirMessageAndLeaveNoTarget)
{
    struct Case
    {
        const char* archive;
        const std::string& message;
        std::string detail; // the diagnostic for a log
    };
    const std::vector<Case> cases = {
        // Damaged: fatal, and whatever was written is removed.
        {"bad-crc.gz", kFatal, "invalid compressed data--crc error"},
        {"bad-length.gz", kFatal, "invalid compressed data--length error"},
        {"truncated-data.gz", kFatal, "unexpected end of file"},
        {"truncated-header.gz", kFatal, "unexpected end of file"},
        {"truncated-trailer.gz", kFatal, "unexpected end of file"},
        {"empty.gz", kFatal, "unexpected end of file"},
        {"corrupt-deflate.gz", kFatal, "invalid compressed data--format violated"},
        {"bad-header-crc.gz", kFatal, "invalid compressed data--header crc error"},
        {"zip-bad-crc.zip", kFatal, "invalid compressed data--crc error"},
        {"zip-size-mismatch.zip", kFatal, "invalid compressed data--length mismatch"},
        {"zip-bad-descriptor-size.zip", kFatal, "invalid compressed data--length error"},
        // Not in a form the decompressor takes.
        {"not-an-archive.txt", kNotAccepted, ""},
        {"compress-magic.Z", kNotAccepted, ""},
        {"gzip-method-7.gz", kNotAccepted, ""},
        {"gzip-reserved-flag-20.gz", kNotAccepted, ""},
        {"gzip-reserved-flag-80.gz", kNotAccepted, ""},
        {"zip-encrypted.zip", kNotAccepted, ""},
        {"python-zip-bzip2.zip", kNotAccepted, ""},
        {"python-zip-unseekable-stored.zip", kNotAccepted, ""}, // a stored entry of unknown length
        {"zip-header-beyond-first-block.zip", kNotAccepted, ""},
        {"zip-two-entries.zip", kNotAccepted, ""}, // the first entry was whole, but is not kept either
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.archive);
        CUnzipOperation unzip(Archive(c.archive));
        const fs::path target = m_out / (std::string(c.archive) + ".ctg");
        try {
            unzip.Run(target);
            ADD_FAILURE() << "unpacked";
        } catch (const CZipException& e) {
            EXPECT_EQ(e.Message(), c.message);
            EXPECT_EQ(e.Detail(), c.detail);
        }
        EXPECT_FALSE(fs::exists(target));
    }
}

TEST_F(UnzipOperation, RefusesTargetsItMustNotWrite)
{
    // The same name is refused before anything is opened: the source need not even exist.
    CUnzipOperation same(m_out / "coins.zipctg");
    EXPECT_EQ(RunUnzip(same, m_out / "coins.zipctg"), "target name must be different than source name");

    CUnzipOperation missing(m_out / "missing.zipctg");
    EXPECT_EQ(RunUnzip(missing, m_out / "missing.ctg"), "unable to open source file");
    EXPECT_FALSE(fs::exists(m_out / "missing.ctg"));

    // An existing file is neither overwritten nor removed.
    const fs::path existing = m_out / "existing.ctg";
    WriteFile(existing, "a catalogue the user keeps");
    CUnzipOperation unzip(Archive("gzip-named.gz"));
    EXPECT_EQ(RunUnzip(unzip, existing), "unable to create target file");
    EXPECT_EQ(ReadFile(existing), "a catalogue the user keeps");
}

TEST_F(UnzipOperation, ARunAfterAFailedOneStartsAfresh)
{
    const fs::path source = m_out / "coins.zipctg";
    CUnzipOperation unzip(source);
    fs::copy_file(Archive("truncated-data.gz"), source);
    EXPECT_EQ(RunUnzip(unzip, m_out / "coins.ctg"), kFatal);

    fs::copy_file(Archive("zip-deflated.zip"), source, fs::copy_options::overwrite_existing);
    EXPECT_EQ(RunUnzip(unzip, m_out / "coins.ctg"), std::nullopt);
    EXPECT_TRUE(ReadFile(m_out / "coins.ctg") == ReadFile(Archive("payload.bin")));
}

TEST(ZipException, KeepsAtMost127BytesOfMessage)
{
    const CZipException e(std::string(200, 'm'), "detail for the log");
    EXPECT_EQ(e.Message(), std::string(127, 'm'));
    EXPECT_STREQ(e.what(), e.Message().c_str());
    EXPECT_EQ(e.Detail(), "detail for the log");
}

} // namespace
