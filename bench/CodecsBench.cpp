// Decoding large pictures (JPEG, PNG, TIFF, and the BMP, TGA and PCX the library reads itself) and
// shrinking one to a web picture, beside ImageMagick doing the same work in one run of `convert` (its
// start-up included, which is what a user of either would wait for).
// Prints the ratio of our time to ImageMagick's for each; below 1 means faster.

#include "codecs/ImgAnyBitmap.h"
#include "codecs/ImgAnyFormatDecoder.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <unistd.h>

namespace {

const char* const kConvert = "/usr/bin/convert";

std::filesystem::path g_folder;

std::filesystem::path File(const char* name)
{
    return g_folder / name;
}

void Shell(const std::string& command)
{
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "failed: %s\n", command.c_str());
        std::exit(1);
    }
}

void MakePictures()
{
    char pattern[] = "/tmp/lumarc-bench-XXXXXX";
    g_folder = ::mkdtemp(pattern);
    const std::string convert = kConvert;
    const std::string source = (g_folder / "source.ppm").string();
    Shell(convert + " -size 3000x2000 -seed 5 plasma:fractal -depth 8 " + source);
    Shell(convert + " " + source + " -quality 90 " + File("big.jpg").string());
    Shell(convert + " " + source + " " + File("big.png").string());
    Shell(convert + " " + source + " -crop 2000x2000+0+0 +repage " + File("big.tif").string());
    for (const char* name : {"big.bmp", "big.tga", "big.pcx"}) {
        Shell(convert + " " + source + " -crop 2000x2000+0+0 +repage " + File(name).string());
    }
}

void Decode(benchmark::State& state, const char* name)
{
    for (auto _ : state) {
        CImgAnyBitmap bmp;
        ProgramDecoder().MakeBmpFromFile(File(name), bmp, 32);
        benchmark::DoNotOptimize(bmp.GetBits());
    }
}

void DecodeAndResize(benchmark::State& state)
{
    for (auto _ : state) {
        CImgAnyBitmap bmp;
        ProgramDecoder().MakeBmpFromFile(File("big.jpg"), bmp, 32);
        bmp.ResizeBilinear(131, 131);
        benchmark::DoNotOptimize(bmp.GetBits());
    }
}

void ResizeOnly(benchmark::State& state)
{
    CImgAnyBitmap source;
    ProgramDecoder().MakeBmpFromFile(File("big.jpg"), source, 32);
    for (auto _ : state) {
        CImgAnyBitmap bmp;
        bmp.CreateCopy(source);
        bmp.ResizeBilinear(131, 131);
        benchmark::DoNotOptimize(bmp.GetBits());
    }
}

void Convert(benchmark::State& state, const char* arguments)
{
    const std::string command = std::string(kConvert) + " " + arguments;
    const std::string expanded = [&] {
        std::string text = command;
        const auto at = text.find("{dir}");
        if (at != std::string::npos) {
            text.replace(at, 5, g_folder.string());
        }
        return text;
    }();
    for (auto _ : state) {
        Shell(expanded);
    }
}

// Pairs of (ours, ImageMagick's) benchmark names, and what they compare.
const std::pair<const char*, const char*> kPairs[] = {
    {"DecodeJpeg3000x2000", "ConvertJpeg3000x2000"}, {"DecodePng3000x2000", "ConvertPng3000x2000"},
    {"DecodeTiff2000x2000", "ConvertTiff2000x2000"}, {"ResizeJpegTo131x131", "ConvertResizeTo131x131"},
    {"DecodeBmp2000x2000", "ConvertBmp2000x2000"},   {"DecodeTga2000x2000", "ConvertTga2000x2000"},
    {"DecodePcx2000x2000", "ConvertPcx2000x2000"},
};

class RatioReporter : public benchmark::ConsoleReporter
{
public:
    RatioReporter() : ConsoleReporter(::isatty(1) ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration) {
                times[run.run_name.function_name] = run.GetAdjustedRealTime();
            }
        }
    }

    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char** argv)
{
    MakePictures();
    // Wall-clock times in milliseconds throughout, since `convert` runs in a process of its own.
    for (auto* b : {
             benchmark::RegisterBenchmark("DecodeJpeg3000x2000", Decode, "big.jpg"),
             benchmark::RegisterBenchmark("ConvertJpeg3000x2000", Convert, "{dir}/big.jpg null:"),
             benchmark::RegisterBenchmark("DecodePng3000x2000", Decode, "big.png"),
             benchmark::RegisterBenchmark("ConvertPng3000x2000", Convert, "{dir}/big.png null:"),
             benchmark::RegisterBenchmark("DecodeTiff2000x2000", Decode, "big.tif"),
             benchmark::RegisterBenchmark("ConvertTiff2000x2000", Convert, "{dir}/big.tif null:"),
             benchmark::RegisterBenchmark("ResizeJpegTo131x131", DecodeAndResize),
             benchmark::RegisterBenchmark("ConvertResizeTo131x131", Convert,
                                          "{dir}/big.jpg -resize 131x131! null:"),
             benchmark::RegisterBenchmark("ResizeDecodedTo131x131", ResizeOnly),
             benchmark::RegisterBenchmark("DecodeBmp2000x2000", Decode, "big.bmp"),
             benchmark::RegisterBenchmark("ConvertBmp2000x2000", Convert, "{dir}/big.bmp null:"),
             benchmark::RegisterBenchmark("DecodeTga2000x2000", Decode, "big.tga"),
             benchmark::RegisterBenchmark("ConvertTga2000x2000", Convert, "{dir}/big.tga null:"),
             benchmark::RegisterBenchmark("DecodePcx2000x2000", Decode, "big.pcx"),
             benchmark::RegisterBenchmark("ConvertPcx2000x2000", Convert, "{dir}/big.pcx null:"),
         }) {
        b->Unit(benchmark::kMillisecond)->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\nours / ImageMagick (below 1 is faster):\n");
    for (const auto& [ours, theirs] : kPairs) {
        const auto a = reporter.times.find(ours);
        const auto b = reporter.times.find(theirs);
        if (a != reporter.times.end() && b != reporter.times.end() && b->second > 0) {
            std::printf("  %-24s %8.1f ms  %8.1f ms  ratio %.2f\n", ours, a->second, b->second,
                        a->second / b->second);
        }
    }
    std::filesystem::remove_all(g_folder);
    benchmark::Shutdown();
    return 0;
}
