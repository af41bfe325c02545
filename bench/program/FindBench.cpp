// The program started in its find mode over a catalogue of 100,000 coins: the driver fills the find pane
// with three criteria (the name contains "7", the year lies between 1850 and 1900, created in the last
// 30 days) and presses Find Now; the time until the results list is painted and the event loop is idle,
// and the peak resident memory. Beside it, in the same run, raw SQLite runs the query that gives the
// same rows. Target: the find below 200 ms. The catalogue is made through the store when the benchmark
// starts; the first start is not counted (it fills the system's caches).

#include "bench/program/HoardCatalogue.h"
#include "bench/program/ProgramRun.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/markup/MarkupNode.h"
#include "store/program/Settings.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <strings.h>
#include <vector>

using namespace lumarc::bench;

namespace {

constexpr int kRecords = 100000;
constexpr int kRuns = 5;

// The coins' form: the name, and the year twice (from and to), as the find pane lays them out.
void WriteForm(CCatalogueDb& catalogue)
{
    CMarkupNode gui;
    CMarkupNode* form = gui.AddChild(std::make_unique<CMarkupNode>("231F", "form"));
    const struct
    {
        const char* name;
        int field;
        int y;
    } elements[] = {{"NAME", 0, 10}, {"YEAR", 1, 40}, {"YEAR", 1, 70}};
    for (const auto& made : elements) {
        CMarkupNode* element = form->AddChild(std::make_unique<CMarkupNode>(made.name, "element"));
        element->SetAttribute("CNT_NAME", made.field == 0 ? "edit" : "Integer");
        element->SetAttribute("CONTENT", made.name);
        element->SetAttributeInt("0", made.field);
        element->SetAttributeInt("X", 120);
        element->SetAttributeInt("Y", made.y);
        element->SetAttributeInt("LENGTH", 200);
        element->SetAttributeInt("DEPTH", 22);
        element->SetAttributeInt("PAGEN", 0);
    }
    catalogue.WriteFileTree("guiInfo.txt", gui);
    catalogue.DiscardGuiInfo();
}

// The query giving the rows of the find: the same three conditions on live coins.
std::string ReferenceSql()
{
    std::time_t back = std::time(nullptr) - 30L * 24 * 3600;
    std::tm day{};
    localtime_r(&back, &day);
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d00:00:00", day.tm_year + 1900, day.tm_mon + 1,
                  day.tm_mday);
    return std::string(
               "SELECT * FROM COINS WHERE DELETED = 0 AND NAME LIKE '%7%' AND YEAR > 1850 AND YEAR < 1900 "
               "AND CREADATE > '") +
           stamp + "'";
}

// The catalogue's case-folding order, as ASCII text folds (enough for the query's plan; it sorts nothing).
int FoldCase(void*, int leftLength, const void* left, int rightLength, const void* right)
{
    const int common = std::min(leftLength, rightLength);
    const int order = ::strncasecmp(static_cast<const char*>(left), static_cast<const char*>(right),
                                    static_cast<size_t>(common));
    return order != 0 ? order : leftLength - rightLength;
}

// Runs the query and reads every column of every row; the number of rows.
long RawRows(const std::filesystem::path& file, const std::string& sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_create_collation(db, "FOLDCASE", SQLITE_UTF8, nullptr, FoldCase);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "raw query failed: %s\n", sqlite3_errmsg(db));
        sqlite3_close(db);
        return -1;
    }
    long rows = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int column = 0; column < sqlite3_column_count(statement); ++column) {
            sqlite3_column_text(statement, column);
        }
        ++rows;
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}

} // namespace

int main()
{
    if (!HasDisplay("bench_find")) {
        return 1;
    }
    TemporaryFolder folder;
    const auto log = PrepareProductFolder(folder.Path() / "home");
    const auto file = MakeHoard(folder.Path(), 22, kRecords, WriteForm);
    RegisterCatalogue(file.string());
    const std::string sql = ReferenceSql();
    std::vector<double> found, raw, megabytes;
    int failures = 0;
    long expectedRows = -1;
    const auto cold = [&](const ProgramRun& run) {
        const std::string rows = run.LineWith("driver: rows");
        const long rawRows = RawRows(file, sql);
        const long shownRows = std::atol(rows.substr(rows.rfind(' ') + 1).c_str());
        expectedRows = rawRows;
        std::printf("%s\n%s, raw SQLite %ld rows\n", run.LineWith("driver: criteria").c_str(), rows.c_str(),
                    rawRows);
        if (shownRows != rawRows) {
            std::printf("the find showed %ld records, raw SQLite gives %ld\n", shownRows, rawRows);
            ++failures;
        }
    };
    const auto warm = [&](int i, const ProgramRun& run) {
        const auto started = std::chrono::steady_clock::now();
        RawRows(file, sql);
        raw.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count());
        found.push_back(DriverMilliseconds(run, "found"));
        megabytes.push_back(static_cast<double>(run.peakRssKb) / 1024.0);
        std::printf("run %d: found and shown %.1f ms, raw SQLite %.1f ms, peak RSS %.1f MB\n", i,
                    found.back(), raw.back(), megabytes.back());
    };
    failures += RunDriver(LUMARC_FIND_DRIVER, log, kRuns, "found", cold, warm, {"find"});
    std::printf("\n%d coins, %ld found, median (range) of %d runs:\n", kRecords, expectedRows, kRuns);
    std::printf("  Find Now to results shown %s ms (target 200 ms), raw SQLite query %s ms,\n"
                "  peak RSS %s MB\n",
                MedianAndRange(found, 1).c_str(), MedianAndRange(raw, 1).c_str(),
                MedianAndRange(megabytes, 1).c_str());
    return failures == 0 ? 0 : 1;
}
