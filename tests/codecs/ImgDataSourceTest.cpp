// Data sources and sinks: where decoders read and encoders write, and what they say when they cannot.

#include "codecs/ImgDataSource.h"
#include "codecs/DecoderTrace.h"
#include "codecs/ImgAnyBitmap.h"
#include "codecs/ImgAnyFormatDecoder.h"
#include "codecs/ImgDataSink.h"
#include "codecs/ImgPicEncoder.h"
#include "codecs/JPEGEncoder.h"
#include "tests/codecs/DecoderFailure.h"
#include "tests/codecs/ImageTools.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using namespace lumarc::test;

TEST(ImgDataSourceTest, OpenFailuresCarryTheirCause)
{
    const auto folder = MakeTempFolder("sources");
    struct Case
    {
        std::filesystem::path path;
        int code;
    };
    const Case cases[] = {
        {folder / "missing.jpg", 4},        // no such file
        {folder / "nofolder" / "a.jpg", 3}, // no such folder
        {folder, 5},                        // a folder is no file
        {folder / "plain" / "a.jpg", 3},    // a file where a folder should be
    };
    std::ofstream(folder / "plain") << "x";
    for (const Case& c : cases) {
        CImgAnyBitmap bmp;
        const auto [code, message] =
            ThrownFailure([&] { ProgramDecoder().MakeBmpFromFile(c.path, bmp, 32); });
        EXPECT_EQ(code, c.code) << c.path;
        EXPECT_EQ(message, "Opening " + c.path.string() + " failed");
    }
}

TEST(ImgDataSourceTest, TracesDecodesWhenATraceFileIsNamed)
{
    const auto trace = MakeTempFolder("trace") / "decoder.log";
    const std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 0, 0};
    CImgAnyBitmap bmp;
    SetDecoderTraceFile(trace);
    EXPECT_THROW(ProgramDecoder().MakeBmpFromMemory(gif.data(), gif.size(), bmp, 32), CTextException);
    SetDecoderTraceFile({});
    EXPECT_THROW(ProgramDecoder().MakeBmpFromMemory(gif.data(), gif.size(), bmp, 32), CTextException);
    const auto bytes = ReadBytes(trace);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("--- Decoding from memory at "), std::string::npos);
    EXPECT_NE(text.find("Recognised a GIF image.\n"), std::string::npos);
    EXPECT_NE(text.find("Decoder error: GIF images are not supported.\n"), std::string::npos);
    EXPECT_EQ(text.find("Decoder error"), text.rfind("Decoder error")) << "nothing written once turned off";
}

TEST(ImgDataSourceTest, AnEmptyFileIsAnUnknownType)
{
    const auto file = MakeTempFolder("empty") / "empty.png";
    std::ofstream{file};
    CImgAnyBitmap bmp;
    EXPECT_EQ(ThrownFailure([&] { ProgramDecoder().MakeBmpFromFile(file, bmp, 32); }),
              std::make_pair(8, std::string("Unknown file type.")));
}

class RecordingProgress : public CImgProgressReceiver
{
public:
    void OnProgress(double fraction) override { reports.push_back(fraction); }
    std::vector<double> reports;
};

TEST(ImgDataSourceTest, ReadsWithinItsDataAndReportsProgress)
{
    std::vector<uint8_t> data(3000);
    CImgMemSource source(data.data(), data.size());
    RecordingProgress progress;
    source.SetProgressReceiver(&progress);
    EXPECT_EQ(source.Peek(10), data.data());
    EXPECT_EQ(source.GetBytesConsumed(), 0u);
    source.Read(1000);
    EXPECT_TRUE(progress.reports.empty());
    source.Read(100); // passes 1024
    source.Read(1900);
    EXPECT_EQ(progress.reports, (std::vector<double>{1100.0 / 3000, 1.0}));
    EXPECT_EQ(ThrownFailure([&] { source.Read(1); }),
              std::make_pair(11, std::string("End of file reached while decoding.\n")));
    EXPECT_EQ(ThrownFailure([&] { source.Peek(1); }).first, 11);
    source.Close();
    EXPECT_EQ(progress.reports.back(), 1.0);
}

TEST(ImgDataSourceTest, MemorySinksRefuseToPassTheirEnd)
{
    CImgMemSink sink;
    sink.Open(kImgMemoryEncodeSize);
    std::vector<uint8_t> block(kImgMemoryEncodeSize - 10, 7);
    sink.Write(block.data(), block.size());
    sink.Write(block.data(), 10);
    EXPECT_EQ(sink.GetWritePos(), kImgMemoryEncodeSize);
    EXPECT_EQ(ThrownFailure([&] { sink.Write(block.data(), 1); }),
              std::make_pair(11, std::string("Buffer overflow while encoding.\n")));
}

TEST(ImgDataSourceTest, FileSinksWriteWhenClosedAndGrow)
{
    const auto folder = MakeTempFolder("sinks");
    CImgFileSink sink;
    ASSERT_EQ(sink.Open(folder / "out.bin", 4), 0);
    const std::vector<uint8_t> bytes(100, 0x5A);
    sink.Write(bytes.data(), bytes.size());
    EXPECT_TRUE(ReadBytes(folder / "out.bin").empty());
    sink.Close();
    EXPECT_EQ(ReadBytes(folder / "out.bin"), bytes);

    // A save that fails before the sink is closed leaves the old file as it was, and no leftovers.
    {
        CImgFileSink failing;
        ASSERT_EQ(failing.Open(folder / "out.bin", 4), 0);
        failing.Write("new", 3);
    }
    EXPECT_EQ(ReadBytes(folder / "out.bin"), bytes);
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);

    EXPECT_EQ(sink.Open(folder / "missing" / "out.bin", 4), -1);
    CImgAnyBitmap bmp;
    bmp.Create(4, 4, 32, false);
    const auto target = folder / "missing" / "a.jpg";
    EXPECT_EQ(ThrownFailure([&] { CJPEGEncoder().MakeFileFromBmp(target, bmp); }),
              std::make_pair(-1, "Opening " + target.string() + " failed"));
}

} // namespace
