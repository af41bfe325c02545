// Writing and reading 100,000 rows of 20 columns through the store's recordset, beside the same work
// done with raw prepared SQLite statements. Each layer benchmark reports "x_raw": its time over the
// raw time of the same work in this run (target: below 2).

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoTableDef.h"
#include "platform/dao/DaoWorkspace.h"
#include "store/catalogue/CatalogueLayout.h"
#include "store/catalogue/DataRecordset.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

using namespace platform::dao;

namespace {

constexpr int kRows = 100000;
constexpr const char* kTexts[] = {"T1", "T2", "T3", "T4", "T5", "T6", "T7", "T8"};
constexpr const char* kColumns[] = {"T1",  "T2",      "T3",       "T4",       "T5",       "T6",     "T7",
                                    "T8",  "N1",      "N2",       "N3",       "PRICE",    "BOUGHT", "PARENT",
                                    "UID", "DELETED", "AUTOINCR", "CREADATE", "MODIDATE", "WEIGHT"};

double g_rawInsertSeconds = 0;
double g_rawReadSeconds = 0;

std::filesystem::path Folder()
{
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "lumarc-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        return std::filesystem::path(pattern);
    }();
    return folder;
}

std::filesystem::path FreshDatabase(const char* name)
{
    const std::filesystem::path path = Folder() / name;
    std::filesystem::remove(path);
    CDaoDatabase db;
    db.Create(path);
    CDaoTableDef table(&db);
    table.Create("BENCH");
    for (const char* text : kTexts) {
        table.CreateField(text, dbText, 40);
    }
    table.CreateField("N1", dbLong, 4);
    table.CreateField("N2", dbLong, 4);
    table.CreateField("N3", dbInteger, 2);
    table.CreateField("PRICE", dbCurrency, 8);
    table.CreateField("BOUGHT", dbDate, 8);
    table.CreateField("PARENT", dbDouble, 8);
    table.CreateField("UID", dbDouble, 8);
    table.CreateField("DELETED", dbBoolean, 1);
    table.CreateField("AUTOINCR", dbLong, 4, dbAutoIncrField);
    table.CreateField("CREADATE", dbText, 16);
    table.CreateField("MODIDATE", dbText, 16);
    table.CreateField("WEIGHT", dbSingle, 4);
    CreateOidIndex(table);
    table.Append();
    return path;
}

std::string Text(int row, int column)
{
    return "value " + std::to_string(row) + "/" + std::to_string(column);
}

std::string Stamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[80];
    std::snprintf(text, sizeof text, "%04d%02d%02d%02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

void LayerInsert(const std::filesystem::path& path)
{
    CDaoDatabase db;
    db.Open(path);
    CDaoWorkspace::Default().BeginTrans();
    CDataRecordset rs(&db);
    rs.OpenQuery(dbOpenTable, "BENCH");
    for (int row = 0; row < kRows; ++row) {
        rs.AddNew();
        const int number = rs.GetFieldValue("AUTOINCR").GetLong();
        for (int column = 0; column < 8; ++column) {
            rs.SetFieldText(kTexts[column], Text(row, column));
        }
        rs.SetFieldLong("N1", row);
        rs.SetFieldLong("N2", -row);
        rs.SetFieldInt("N3", row % 1000);
        rs.SetFieldCurrency("PRICE", row, 12, 34);
        rs.SetFieldValue("BOUGHT", CDaoVariant::Date(37320 + row % 5000));
        rs.SetFieldDouble("PARENT", 1200000.0);
        rs.SetFieldDouble("UID", 1300000.0 + number);
        rs.SetFieldBool("DELETED", false);
        rs.SetFieldDouble("WEIGHT", 3.5);
        rs.Update();
    }
    CDaoWorkspace::Default().CommitTrans();
}

void RawInsert(const std::filesystem::path& path)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(
        db,
        "INSERT INTO BENCH (T1, T2, T3, T4, T5, T6, T7, T8, N1, N2, N3, PRICE, BOUGHT, PARENT, UID, "
        "DELETED, AUTOINCR, CREADATE, MODIDATE, WEIGHT) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
        "?, ?, ?, ?, ?, ?, ?, ?, ?)",
        -1, &insert, nullptr);
    for (int row = 0; row < kRows; ++row) {
        std::string texts[8];
        for (int column = 0; column < 8; ++column) {
            texts[column] = Text(row, column);
            sqlite3_bind_text(insert, column + 1, texts[column].data(),
                              static_cast<int>(texts[column].size()), SQLITE_STATIC);
        }
        const std::string stamp = Stamp();
        sqlite3_bind_int64(insert, 9, row);
        sqlite3_bind_int64(insert, 10, -row);
        sqlite3_bind_int64(insert, 11, row % 1000);
        sqlite3_bind_double(insert, 12, row + 0.1234);
        sqlite3_bind_double(insert, 13, 37320 + row % 5000);
        sqlite3_bind_double(insert, 14, 1200000.0);
        sqlite3_bind_double(insert, 15, 1300000.0 + row + 1);
        sqlite3_bind_int64(insert, 16, 0);
        sqlite3_bind_int64(insert, 17, row + 1);
        sqlite3_bind_text(insert, 18, stamp.data(), static_cast<int>(stamp.size()), SQLITE_STATIC);
        sqlite3_bind_text(insert, 19, stamp.data(), static_cast<int>(stamp.size()), SQLITE_STATIC);
        sqlite3_bind_double(insert, 20, 3.5);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

void BM_RawInsert(benchmark::State& state)
{
    double seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const auto path = FreshDatabase("raw.ctg");
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        RawInsert(path);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    g_rawInsertSeconds = seconds / static_cast<double>(state.iterations());
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_LayerInsert(benchmark::State& state)
{
    double seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const auto path = FreshDatabase("layer.ctg");
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        LayerInsert(path);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
    if (g_rawInsertSeconds > 0) {
        state.counters["x_raw"] = seconds / static_cast<double>(state.iterations()) / g_rawInsertSeconds;
    }
}

void BM_RawRead(benchmark::State& state)
{
    const auto path = Folder() / "layer.ctg";
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        sqlite3* db = nullptr;
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* select = nullptr;
        std::string columns;
        for (const char* column : kColumns) {
            columns += (columns.empty() ? "" : ", ") + std::string(column);
        }
        sqlite3_prepare_v2(db, ("SELECT " + columns + " FROM BENCH").c_str(), -1, &select, nullptr);
        size_t total = 0;
        while (sqlite3_step(select) == SQLITE_ROW) {
            for (int column = 0; column < 20; ++column) {
                switch (sqlite3_column_type(select, column)) {
                case SQLITE_TEXT: {
                    const std::string text(reinterpret_cast<const char*>(sqlite3_column_text(select, column)),
                                           static_cast<size_t>(sqlite3_column_bytes(select, column)));
                    total += text.size();
                    break;
                }
                case SQLITE_INTEGER:
                    total += static_cast<size_t>(sqlite3_column_int64(select, column));
                    break;
                case SQLITE_FLOAT:
                    total += static_cast<size_t>(sqlite3_column_double(select, column));
                    break;
                default:
                    break;
                }
            }
        }
        benchmark::DoNotOptimize(total);
        sqlite3_finalize(select);
        sqlite3_close(db);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    g_rawReadSeconds = seconds / static_cast<double>(state.iterations());
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_LayerRead(benchmark::State& state)
{
    const auto path = Folder() / "layer.ctg";
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        CDaoDatabase db;
        db.Open(path);
        CDataRecordset rs(&db);
        rs.OpenQuery(dbOpenSnapshot, "SELECT * FROM BENCH");
        size_t total = 0;
        long rows = 0;
        for (; !rs.IsEOF(); rs.MoveNext(), ++rows) {
            for (const char* column : kColumns) {
                const CDaoVariant& value = rs.GetFieldValue(column);
                switch (value.GetType()) {
                case VariantType::Text:
                    total += value.GetText().size();
                    break;
                case VariantType::Long:
                    total += static_cast<size_t>(value.GetLong());
                    break;
                case VariantType::Double:
                    total += static_cast<size_t>(value.GetDouble());
                    break;
                default:
                    break;
                }
            }
        }
        benchmark::DoNotOptimize(total);
        if (rows != kRows) {
            state.SkipWithError("the layer did not read every row");
        }
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
    if (g_rawReadSeconds > 0) {
        state.counters["x_raw"] = seconds / static_cast<double>(state.iterations()) / g_rawReadSeconds;
    }
}

} // namespace

BENCHMARK(BM_RawInsert)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LayerInsert)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RawRead)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LayerRead)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
