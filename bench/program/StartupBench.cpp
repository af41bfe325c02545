// The program's start-up with three registered catalogues of 20,000 coins each: the time from the start
// of the process to the main frame shown and to the event loop's first idle moment (the checkpoints
// "frame shown" and "idle" of the trace log), and the peak resident memory. Targets: idle below 0.5 s,
// below 120 MB. The web view beside the list is made once the list is shown ("web view made", before
// "idle"); a second series starts with the list alone filling the right pane ("DisplayAsWebPage" 0),
// which makes no web view. Beside it, in the same run, the toolkit alone: a program that shows an empty
// frame.
// The catalogues are made through the store when the benchmark starts; the first start of each program
// is not counted (it fills the system's caches).

#include "bench/program/ProgramRun.h"
#include "platform/dao/DaoWorkspace.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/program/Settings.h"
#include "tests/support/CatalogueBuilder.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace lumarc::bench;
using namespace lumarc::test;

namespace {

constexpr int kCatalogues = 3;
constexpr int kRecordsPerCatalogue = 20000;
constexpr int kRuns = 5;

const char* const kContinents[] = {"Europe", "Asia", "Africa", "Americas"};

std::filesystem::path MakeCatalogue(const std::filesystem::path& folder, int index)
{
    const std::string name = "Collection " + std::to_string(index + 1);
    const auto file = CatalogueBuilder(folder / (name + ".ctg"))
                          .Name(name)
                          .Number(11 + index)
                          .DataFile(CoinsFile(1))
                          .DataFile(CountriesFile(2))
                          .Build();
    CCatalogueDb catalogue(file);
    std::vector<double> countries;
    for (const char* continent : kContinents) {
        const double parent = catalogue.AddFolder(continent, 0, 100)->GetNumber();
        for (int country = 0; country < 5; ++country) {
            countries.push_back(
                catalogue.AddFolder("Country " + std::to_string(country + 1), parent, 1)->GetNumber());
        }
    }
    platform::dao::CDaoWorkspace::Default().BeginTrans();
    RecordWriter writer(catalogue, 1);
    for (int i = 0; i < kRecordsPerCatalogue; ++i) {
        writer.Add(countries[static_cast<size_t>(i) % countries.size()],
                   {{"NAME", "Coin " + std::to_string((i * 7919) % kRecordsPerCatalogue)},
                    {"YEAR", std::to_string(1800 + i % 220)}});
    }
    platform::dao::CDaoWorkspace::Default().CommitTrans();
    return file;
}

struct Figures
{
    std::vector<double> shown, web, idle, megabytes;
    int failures = 0;
};

void Measure(const char* label, const std::filesystem::path& program, const std::filesystem::path& log,
             Figures& figures)
{
    for (int i = 0; i <= kRuns; ++i) {
        const ProgramRun run = RunProgram(program, log, "idle", false);
        if (!run.reachedEnd) {
            std::printf("%s: no \"idle\" in the trace log (run %d)\n", label, i);
            ++figures.failures;
            continue;
        }
        if (i == 0) {
            continue; // the cold start
        }
        figures.shown.push_back(run.SecondsTo("frame shown"));
        if (const double web = run.SecondsTo("web view made"); web >= 0) {
            figures.web.push_back(web);
        }
        figures.idle.push_back(run.SecondsTo("idle"));
        figures.megabytes.push_back(static_cast<double>(run.peakRssKb) / 1024.0);
        std::printf("%-12s run %d: frame shown %.3f s, web view %.3f s, idle %.3f s, peak RSS %.1f MB\n",
                    label, i, figures.shown.back(), run.SecondsTo("web view made"), figures.idle.back(),
                    figures.megabytes.back());
    }
}

} // namespace

int main()
{
    if (!HasDisplay("bench_startup")) {
        return 1;
    }
    TemporaryFolder folder;
    const auto log = PrepareProductFolder(folder.Path() / "home");
    for (int i = 0; i < kCatalogues; ++i) {
        RegisterCatalogue(MakeCatalogue(folder.Path(), i).string());
    }
    Figures program, listOnly, toolkit;
    Measure("corvant", LUMARC_CORVANT, log, program);
    SetSettingInt("DisplayAsWebPage", 0);
    Measure("list only", LUMARC_CORVANT, log, listOnly);
    SetSettingInt("DisplayAsWebPage", 1);
    Measure("empty frame", LUMARC_EMPTY_FRAME, log, toolkit);
    std::printf("\nstart-up, %d catalogues of %d coins, median (range) of %d runs:\n", kCatalogues,
                kRecordsPerCatalogue, kRuns);
    std::printf(
        "  corvant      frame shown %s s, web view made %s s, idle %s s (target 0.5 s), peak RSS %s MB "
        "(target 120 MB)\n",
        MedianAndRange(program.shown, 3).c_str(), MedianAndRange(program.web, 3).c_str(),
        MedianAndRange(program.idle, 3).c_str(), MedianAndRange(program.megabytes, 1).c_str());
    std::printf("  list only    frame shown %s s, idle %s s, peak RSS %s MB\n",
                MedianAndRange(listOnly.shown, 3).c_str(), MedianAndRange(listOnly.idle, 3).c_str(),
                MedianAndRange(listOnly.megabytes, 1).c_str());
    std::printf("  empty frame  frame shown %s s, idle %s s, peak RSS %s MB\n",
                MedianAndRange(toolkit.shown, 3).c_str(), MedianAndRange(toolkit.idle, 3).c_str(),
                MedianAndRange(toolkit.megabytes, 1).c_str());
    return program.failures + listOnly.failures + toolkit.failures == 0 ? 0 : 1;
}
