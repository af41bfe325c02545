// Opening a catalogue of 100,000 records in 5 data files (made by the test catalogue builder) and reading
// its settings, data-file definitions and folder list: what the program does for every registered
// catalogue when it starts. Target: below 50 ms for the opening and reading.

#include "platform/dao/DaoWorkspace.h"
#include "store/catalogue/CatalogueDb.h"
#include "tests/support/CatalogueBuilder.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace lumarc::test;

namespace {

constexpr int kRecordsPerFile = 20000;
constexpr int kDataFiles = 5;

// The catalogue, made once: five data files, sixty folders in two levels, the records spread over them.
// Its folder goes when the benchmark ends.
struct LargeCatalogue
{
    LargeCatalogue();
    ~LargeCatalogue() { std::filesystem::remove_all(folder); }
    std::filesystem::path folder;
    std::filesystem::path file;
};

LargeCatalogue::LargeCatalogue()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "lumarc-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    folder = pattern;
    DataFileSpec medals = CoinsFile(4);
    medals.table = "MEDALS";
    medals.menuName = "Medal";
    medals.strongName = "Medal";
    DataFileSpec notes = CoinsFile(5);
    notes.table = "BANKNOTES";
    notes.menuName = "Banknote";
    notes.strongName = "Banknote";
    file = CatalogueBuilder(folder / "large.ctg")
               .Number(3)
               .DataFile(CoinsFile(1))
               .DataFile(CountriesFile(2))
               .DataFile(AddressesFile(3))
               .DataFile(medals)
               .DataFile(notes)
               .Build();
    CCatalogueDb catalogue(file);
    std::vector<double> folders;
    for (int top = 0; top < 10; ++top) {
        const double parent = catalogue.AddFolder("Region " + std::to_string(top), 0, 100)->GetNumber();
        for (int child = 0; child < 5; ++child) {
            folders.push_back(
                catalogue.AddFolder("Country " + std::to_string(child), parent, 1)->GetNumber());
        }
    }
    for (int kind = 1; kind <= kDataFiles; ++kind) {
        platform::dao::CDaoWorkspace::Default().BeginTrans();
        RecordWriter writer(catalogue, kind);
        for (int i = 0; i < kRecordsPerFile; ++i) {
            writer.Add(folders[static_cast<size_t>(i) % folders.size()],
                       {{"NAME", "Record " + std::to_string(i)}});
        }
        platform::dao::CDaoWorkspace::Default().CommitTrans();
    }
}

const std::filesystem::path& Catalogue()
{
    static const LargeCatalogue catalogue;
    return catalogue.file;
}

void OpenAndRead(CCatalogueDb& catalogue)
{
    benchmark::DoNotOptimize(catalogue.GetName());
    catalogue.LoadDefinitionsIfNeeded();
    benchmark::DoNotOptimize(catalogue.FindDefinition(kDataFiles));
    benchmark::DoNotOptimize(catalogue.FirstTopLevelFolder());
}

void BM_OpenCatalogue(benchmark::State& state)
{
    const auto& path = Catalogue();
    for (auto _ : state) {
        auto catalogue = std::make_unique<CCatalogueDb>(path);
        OpenAndRead(*catalogue);
        state.PauseTiming();
        catalogue.reset(); // closing writes the settings row back: measured below
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenCatalogue)->Unit(benchmark::kMillisecond);

void BM_OpenAndCloseCatalogue(benchmark::State& state)
{
    const auto& path = Catalogue();
    for (auto _ : state) {
        CCatalogueDb catalogue(path);
        OpenAndRead(catalogue);
    }
}
BENCHMARK(BM_OpenAndCloseCatalogue)->Unit(benchmark::kMillisecond);

} // namespace
