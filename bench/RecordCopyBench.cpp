// Copying 10,000 coins with their pictures from one catalogue to another: the records of a data file
// are loaded and copied with CRecordList::CopyToCatalogue (one transaction, one open table), beside raw
// SQLite copying the same rows with INSERT ... SELECT over ATTACH in the same run. The record benchmark
// reports "x_raw", its time over the raw time (target: below 5).

#include "platform/dao/DaoWorkspace.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/Record.h"
#include "store/records/RecordList.h"
#include "tests/support/CatalogueBuilder.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace lumarc::test;

namespace {

constexpr int kRecords = 10000;

double g_rawSeconds = 0;

struct Catalogues
{
    Catalogues();
    ~Catalogues() { std::filesystem::remove_all(folder); }
    std::filesystem::path folder;
    std::filesystem::path source;
    std::filesystem::path emptyTarget;
};

Catalogues::Catalogues()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "lumarc-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    folder = pattern;
    source = CatalogueBuilder(folder / "source.ctg").Number(3).DataFile(CoinsFile(1)).Build();
    emptyTarget = CatalogueBuilder(folder / "target.ctg").Number(4).DataFile(CoinsFile(1)).Build();
    const auto picture = MakePictureBytes("-size 96x64 gradient:gold-brown", "jpg");
    const std::string bytes(picture.begin(), picture.end());
    CCatalogueDb catalogue(source);
    const double folderNumber = catalogue.AddFolder("Europe", 0, 1)->GetNumber();
    platform::dao::CDaoWorkspace::Default().BeginTrans();
    {
        RecordWriter writer(catalogue, 1);
        for (int i = 0; i < kRecords; ++i) {
            writer.Add(folderNumber, {{"NAME", "Coin " + std::to_string(i)},
                                      {"YEAR", std::to_string(1800 + i % 200)},
                                      {"PRICE", std::to_string(i % 500) + ".25"},
                                      {"NOTES", "Struck in the year " + std::to_string(1800 + i % 200)},
                                      {"GRADE", "VF"},
                                      {"PICTURE", bytes}});
        }
    }
    platform::dao::CDaoWorkspace::Default().CommitTrans();
}

const Catalogues& Files()
{
    static const Catalogues files;
    return files;
}

std::filesystem::path FreshTarget(const char* name)
{
    const std::filesystem::path path = Files().folder / name;
    std::filesystem::remove(path);
    std::filesystem::copy_file(Files().emptyTarget, path);
    return path;
}

void RawCopy(const std::filesystem::path& target)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(target.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    const std::string attach = "ATTACH DATABASE '" + Files().source.string() + "' AS source";
    sqlite3_exec(db, attach.c_str(), nullptr, nullptr, nullptr);
    const char* columns =
        "NAME, YEAR, PRICE, BOUGHT, PICTURE, NOTES, OWNEDYES, WEIGHT, MINTED, STRUCK, GRADE, "
        "COUNTRY, PARENT, UID, \"FROM-UID\", CREADATE, MODIDATE, DELETED";
    const std::string copy = std::string("INSERT INTO COINS (") + columns + ") SELECT " + columns +
                             " FROM source.COINS WHERE DELETED = 0";
    char* error = nullptr;
    if (sqlite3_exec(db, copy.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "raw copy failed: %s\n", error != nullptr ? error : "?");
        std::abort();
    }
    sqlite3_close(db);
}

void BM_RawCopy(benchmark::State& state)
{
    double seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const auto target = FreshTarget("raw.ctg");
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        RawCopy(target);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    g_rawSeconds = seconds / static_cast<double>(state.iterations());
    state.SetItemsProcessed(state.iterations() * kRecords);
}

void BM_RecordCopy(benchmark::State& state)
{
    double seconds = 0;
    size_t copied = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const auto targetPath = FreshTarget("records.ctg");
        {
            CCatalogueDb source(Files().source);
            CCatalogueDb target(targetPath);
            source.LoadDefinitionsIfNeeded();
            target.LoadDefinitionsIfNeeded();
            state.ResumeTiming();
            const auto start = std::chrono::steady_clock::now();
            CRecordList records(&source);
            records.LoadFolder(1, nullptr, false, false);
            copied += static_cast<size_t>(records.CopyToCatalogue(target, 1, 0.0));
            seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
    if (copied != static_cast<size_t>(kRecords) * state.iterations()) {
        state.SkipWithError("not every record was copied");
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
    if (g_rawSeconds > 0) {
        state.counters["x_raw"] = seconds / static_cast<double>(state.iterations()) / g_rawSeconds;
    }
}

} // namespace

BENCHMARK(BM_RawCopy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RecordCopy)->Unit(benchmark::kMillisecond)->UseRealTime();
