// Unpacking a 100 MB zipped catalogue, beside `gzip -dc` on the same file in the same run (the target is
// to stay within 1.2 times gzip's time). The file is made at the first use in a temporary folder.

#include "codecs/archive/UnzipOperation.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kUnpackedBytes = 100u * 1024 * 1024;

// Catalogue-like contents: rows of text and numbers with stretches of picture-like noise.
std::string CatalogueLikeBytes()
{
    std::mt19937 random(1912);
    std::string bytes;
    bytes.reserve(kUnpackedBytes);
    const char* const mints[] = {"Venice", "Florence", "Genoa", "Milan", "Naples", "Rome"};
    while (bytes.size() < kUnpackedBytes) {
        if (random() % 8 == 0) {
            for (int i = 0; i < 4096; ++i) {
                bytes += static_cast<char>(random());
            }
            continue;
        }
        bytes += std::to_string(random() % 100000) + ";Ducat;" + mints[random() % 6] + ";" +
                 std::to_string(1200 + random() % 700) + ";gold;VF-" + std::to_string(random() % 70) + "\r\n";
    }
    bytes.resize(kUnpackedBytes);
    return bytes;
}

class ZippedCatalogue
{
public:
    ZippedCatalogue()
        : m_folder(fs::temp_directory_path() / ("lumarc-unzip-bench-" + std::to_string(::getpid())))
    {
        fs::create_directories(m_folder);
        const fs::path plain = m_folder / "catalogue.ctg";
        std::ofstream(plain, std::ios::binary) << CatalogueLikeBytes();
        const std::string command = "gzip -6 -n -c '" + plain.string() + "' > '" + Archive().string() + "'";
        if (std::system(command.c_str()) != 0) {
            std::abort();
        }
        fs::remove(plain);
    }
    ~ZippedCatalogue()
    {
        std::error_code error;
        fs::remove_all(m_folder, error);
    }

    fs::path Archive() const { return m_folder / "catalogue.zipctg"; }
    fs::path Target() const { return m_folder / "unpacked.ctg"; }

private:
    fs::path m_folder;
};

const ZippedCatalogue& Zipped()
{
    static const ZippedCatalogue zipped;
    return zipped;
}

void UnzipOperation(benchmark::State& state)
{
    const auto& zipped = Zipped();
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(zipped.Target());
        state.ResumeTiming();
        CUnzipOperation unzip(zipped.Archive());
        unzip.Run(zipped.Target());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kUnpackedBytes));
}

void GzipDc(benchmark::State& state)
{
    const auto& zipped = Zipped();
    const std::string command =
        "gzip -dc '" + zipped.Archive().string() + "' > '" + zipped.Target().string() + "'";
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(zipped.Target());
        state.ResumeTiming();
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("gzip -dc failed");
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kUnpackedBytes));
}

} // namespace

BENCHMARK(UnzipOperation)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(GzipDc)->Unit(benchmark::kMillisecond)->UseRealTime();
