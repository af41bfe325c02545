// The program started with its saved state selecting a folder of 100,000 coins: the time from the start
// of the process until the content list shows its first screen of rows and the event loop is idle (the
// trace log's "idle"), then scrolling to the last row and sorting by a text column (timed inside the
// process by the driver, up to the next idle moment), and the peak resident memory. Targets: list shown
// below 1 s, sort below 0.5 s, below 150 MB. The catalogue is made through the store when the benchmark
// starts; the first start is not counted (it fills the system's caches).

#include "bench/program/ProgramRun.h"
#include "mainwindow/frame/FrameState.h"
#include "platform/dao/DaoWorkspace.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/program/Settings.h"
#include "tests/support/CatalogueBuilder.h"
#include "tree/base/BaseItemNode.h"
#include "tree/catalogue/CatalogueNode.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace lumarc::bench;
using namespace lumarc::test;

namespace {

constexpr int kRecords = 100000;
constexpr int kRuns = 5;
constexpr const char* kFolderName = "Hoard";

std::filesystem::path MakeCatalogue(const std::filesystem::path& folder)
{
    const auto file = CatalogueBuilder(folder / "Hoard.ctg")
                          .Name("Hoard")
                          .Number(21)
                          .DataFile(CoinsFile(1))
                          .DataFile(CountriesFile(2))
                          .Build();
    CCatalogueDb catalogue(file);
    const double hoard = catalogue.AddFolder(kFolderName, 0, 1)->GetNumber();
    catalogue.AddFolder("Duplicates", 0, 1);
    platform::dao::CDaoWorkspace::Default().BeginTrans();
    RecordWriter writer(catalogue, 1);
    for (int i = 0; i < kRecords; ++i) {
        // Names in no particular order, so the sort has work to do.
        writer.Add(hoard, {{"NAME", "Coin " + std::to_string((i * 7919L) % kRecords)},
                           {"YEAR", std::to_string(1800 + i % 220)},
                           {"PRICE", std::to_string(i % 500)}});
    }
    platform::dao::CDaoWorkspace::Default().CommitTrans();
    return file;
}

// Saves the state a user leaves when they close the program on the folder.
bool SelectFolderInSavedState(const std::filesystem::path& file)
{
    CBaseItemNode root;
    auto node = std::make_unique<CCatalogueNode>(file);
    CTreeNode* catalogue = node.get();
    root.AddChild(std::move(node));
    catalogue->PopulateChildren(nullptr);
    for (CTreeNode* child = catalogue->GetFirstChildNode(); child != nullptr;
         child = child->GetNextSiblingNode()) {
        if (child->GetName() == kFolderName) {
            catalogue->SetAttribute("Expanded", "TRUE");
            SaveTreeState(root, child);
            return true;
        }
    }
    return false;
}

double Milliseconds(const ProgramRun& run, const std::string& what)
{
    const std::string line = run.LineWith("driver: " + what + " ms ");
    return line.empty() ? -1 : std::atof(line.substr(line.rfind(' ') + 1).c_str());
}

} // namespace

int main()
{
    if (std::getenv("DISPLAY") == nullptr) {
        std::printf("bench_large_list needs a display (scripts/bench starts a virtual one)\n");
        return 1;
    }
    TemporaryFolder folder;
    const auto home = folder.Path() / "home";
    PrepareProductFolder(home);
    const auto file = MakeCatalogue(folder.Path());
    RegisterCatalogue(file.string());
    if (!SelectFolderInSavedState(file)) {
        std::printf("the folder of %d coins is not in the tree\n", kRecords);
        return 1;
    }
    // The list in details view: the view the large folders are read in.
    SetSettingString("ListIs", "REPORT");
    const auto log = home / "debug.log";
    std::vector<double> shown, scrolled, sorted, megabytes;
    int failures = 0;
    for (int i = 0; i <= kRuns; ++i) {
        const ProgramRun run = RunProgram(LUMARC_LIST_DRIVER, log, "driver done", true);
        const std::string rows = run.LineWith("driver: rows");
        if (!run.reachedEnd || rows.empty() || Milliseconds(run, "sorted") < 0) {
            std::printf("run %d did not finish: %s\n", i, run.LineWith("driver:").c_str());
            ++failures;
            continue;
        }
        if (i == 0) {
            std::printf("%s; %s; %s\n", rows.c_str(), run.LineWith("driver: sorting").c_str(),
                        run.LineWith("driver: first after").c_str());
            continue;
        }
        shown.push_back(run.SecondsTo("idle"));
        scrolled.push_back(Milliseconds(run, "scrolled to the end") / 1000.0);
        sorted.push_back(Milliseconds(run, "sorted") / 1000.0);
        megabytes.push_back(static_cast<double>(run.peakRssKb) / 1024.0);
        std::printf("run %d: list shown %.3f s, scrolled %.3f s, sorted %.3f s, peak RSS %.1f MB\n", i,
                    shown.back(), scrolled.back(), sorted.back(), megabytes.back());
    }
    std::printf("\n%d coins in one folder, median (range) of %d runs:\n", kRecords, kRuns);
    std::printf("  list shown %s s (target 1 s), scrolled to the end %s s, sorted %s s (target 0.5 s),\n"
                "  peak RSS %s MB (target 150 MB)\n",
                MedianAndRange(shown, 3).c_str(), MedianAndRange(scrolled, 3).c_str(),
                MedianAndRange(sorted, 3).c_str(), MedianAndRange(megabytes, 1).c_str());
    return failures == 0 ? 0 : 1;
}
