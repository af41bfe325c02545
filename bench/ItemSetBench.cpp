// An item set over a data file of 100,000 coins: loading it and walking every record reading three fields,
// sorting it by a text field, and a quick search, each beside raw SQLite giving the same rows in the same
// run. Each item-set benchmark reports "x_raw", its time over the raw time (targets: loading and walking
// below 3, sorting and searching below 2).

#include "platform/dao/DaoWorkspace.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
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

constexpr int kRecords = 100000;
// Matches Coin 99, 990 to 999, 9900 to 9999 and 99000 to 99999.
constexpr const char* kSearchText = "Coin 99";
constexpr int kFound = 1111;

struct Catalogue
{
    Catalogue();
    ~Catalogue() { std::filesystem::remove_all(folder); }
    std::filesystem::path folder;
    std::filesystem::path path;
};

Catalogue::Catalogue()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "lumarc-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    folder = pattern;
    path = CatalogueBuilder(folder / "coins.ctg").Number(3).DataFile(CoinsFile(1)).Build();
    CCatalogueDb catalogue(path);
    platform::dao::CDaoWorkspace::Default().BeginTrans();
    {
        RecordWriter writer(catalogue, 1);
        for (int i = 0; i < kRecords; ++i) {
            // Names in an order of their own, so that sorting has work to do.
            const int n = static_cast<int>((static_cast<long long>(i) * 7919) % kRecords);
            writer.Add(0, {{"NAME", "Coin " + std::to_string(n)},
                           {"YEAR", std::to_string(1800 + n % 200)},
                           {"PRICE", std::to_string(n % 500) + ".25"},
                           {"NOTES", "Struck in the year " + std::to_string(1800 + n % 200)},
                           {"WEIGHT", "6.5 g"},
                           {"GRADE", "VF"}});
        }
    }
    platform::dao::CDaoWorkspace::Default().CommitTrans();
}

const Catalogue& File()
{
    static const Catalogue file;
    return file;
}

// Raw SQLite: runs the statement and reads the first three columns of every row as text.
size_t RawRows(const char* sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(File().path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "raw query failed: %s\n", sqlite3_errmsg(db));
        std::abort();
    }
    size_t rows = 0;
    size_t bytes = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int column = 0; column < 3; ++column) {
            const unsigned char* text = sqlite3_column_text(statement, column);
            bytes += text != nullptr ? static_cast<size_t>(sqlite3_column_bytes(statement, column)) : 0;
        }
        ++rows;
    }
    benchmark::DoNotOptimize(bytes);
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}

double g_rawLoad = 0;
double g_rawSort = 0;
double g_rawSearch = 0;

template <typename Work>
double Timed(Work&& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Report(benchmark::State& state, double seconds, double raw)
{
    if (raw > 0) {
        state.counters["x_raw"] = seconds / static_cast<double>(state.iterations()) / raw;
    }
}

// The rows the data file's item set reads, in the order it reads them.
constexpr const char* kLoadSql = "SELECT NAME, YEAR, PRICE, * FROM COINS WHERE DELETED = 0";
constexpr const char* kSortSql =
    "SELECT NAME, YEAR, PRICE, * FROM COINS WHERE DELETED = 0 ORDER BY NAME COLLATE NOCASE";
constexpr const char* kSearchSql = "SELECT NAME, YEAR, PRICE, * FROM COINS WHERE DELETED = 0 AND "
                                   "(ifnull(NAME, '') || ' ' || ifnull(YEAR, '') || ' ' || "
                                   "ifnull(NOTES, '') || ' ' || ifnull(WEIGHT, '') || ' ' || ifnull(MINTED, "
                                   "'') || ' ' || ifnull(STRUCK, '') || "
                                   "' ' || ifnull(GRADE, '')) LIKE '%Coin 99%'";

void BM_RawLoadAndWalk(benchmark::State& state)
{
    File();
    double seconds = 0;
    for (auto _ : state) {
        seconds += Timed([] {
            if (RawRows(kLoadSql) != kRecords) {
                std::abort();
            }
        });
    }
    g_rawLoad = seconds / static_cast<double>(state.iterations());
}

void BM_ItemSetLoadAndWalk(benchmark::State& state)
{
    CCatalogueDb catalogue(File().path);
    catalogue.LoadDefinitionsIfNeeded();
    double seconds = 0;
    for (auto _ : state) {
        seconds += Timed([&] {
            CItemSet coins = CItemSet::Query(&catalogue, 1, nullptr, false);
            size_t walked = 0;
            size_t bytes = 0;
            for (bool more = coins.MoveFirst(); more; more = coins.MoveNext()) {
                bytes += coins.GetRawFieldText(0).size() + coins.GetRawFieldText(1).size() +
                         coins.GetRawFieldText(2).size();
                ++walked;
            }
            benchmark::DoNotOptimize(bytes);
            if (walked != kRecords) {
                std::abort();
            }
        });
    }
    Report(state, seconds, g_rawLoad);
}

void BM_RawSortByName(benchmark::State& state)
{
    double seconds = 0;
    for (auto _ : state) {
        seconds += Timed([] { RawRows(kSortSql); });
    }
    g_rawSort = seconds / static_cast<double>(state.iterations());
}

void BM_ItemSetSortByName(benchmark::State& state)
{
    CCatalogueDb catalogue(File().path);
    CItemSet coins = CItemSet::Query(&catalogue, 1, nullptr, false);
    coins.Load();
    double seconds = 0;
    for (auto _ : state) {
        seconds += Timed([&] { coins.Sort(0); });
    }
    Report(state, seconds, g_rawSort);
}

void BM_RawQuickSearch(benchmark::State& state)
{
    double seconds = 0;
    for (auto _ : state) {
        seconds += Timed([] {
            if (RawRows(kSearchSql) != kFound) {
                std::abort();
            }
        });
    }
    g_rawSearch = seconds / static_cast<double>(state.iterations());
}

void BM_ItemSetQuickSearch(benchmark::State& state)
{
    CCatalogueDb catalogue(File().path);
    catalogue.LoadDefinitionsIfNeeded();
    double seconds = 0;
    for (auto _ : state) {
        seconds += Timed([&] {
            CItemSet found = CItemSet::QuickSearch(&catalogue, 1, kSearchText);
            if (found.GetCount() != kFound) {
                std::abort();
            }
        });
    }
    Report(state, seconds, g_rawSearch);
}

} // namespace

BENCHMARK(BM_RawLoadAndWalk)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ItemSetLoadAndWalk)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RawSortByName)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ItemSetSortByName)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RawQuickSearch)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ItemSetQuickSearch)->Unit(benchmark::kMillisecond)->UseRealTime();
