// The program started with its saved state selecting a folder of 100,000 coins: the time from the start
// of the process until the content list shows its first screen of rows and the event loop is idle (the
// trace log's "idle"), then scrolling to the last row and sorting by a text column (timed inside the
// process by the driver, up to the next idle moment), and the peak resident memory. Targets: list shown
// below 1 s, sort below 0.5 s, below 150 MB. The catalogue is made through the store when the benchmark
// starts; the first start is not counted (it fills the system's caches).

#include "bench/program/HoardCatalogue.h"
#include "bench/program/ProgramRun.h"
#include "mainwindow/frame/FrameState.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/program/Settings.h"
#include "tree/base/BaseItemNode.h"
#include "tree/catalogue/CatalogueNode.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace lumarc::bench;

namespace {

constexpr int kRecords = 100000;
constexpr int kRuns = 5;

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
        if (child->GetName() == kHoardFolder) {
            catalogue->SetAttribute("Expanded", "TRUE");
            SaveTreeState(root, child);
            return true;
        }
    }
    return false;
}

} // namespace

int main()
{
    if (!HasDisplay("bench_large_list")) {
        return 1;
    }
    TemporaryFolder folder;
    const auto log = PrepareProductFolder(folder.Path() / "home");
    const auto file = MakeHoard(folder.Path(), 21, kRecords,
                                [](CCatalogueDb& catalogue) { catalogue.AddFolder("Duplicates", 0, 1); });
    RegisterCatalogue(file.string());
    if (!SelectFolderInSavedState(file)) {
        std::printf("the folder of %d coins is not in the tree\n", kRecords);
        return 1;
    }
    // The list in details view: the view the large folders are read in.
    SetSettingString("ListIs", "REPORT");
    std::vector<double> shown, scrolled, sorted, megabytes;
    const auto cold = [](const ProgramRun& run) {
        std::printf("%s; %s; %s\n", run.LineWith("driver: rows").c_str(),
                    run.LineWith("driver: sorting").c_str(), run.LineWith("driver: first after").c_str());
    };
    const auto warm = [&](int i, const ProgramRun& run) {
        shown.push_back(run.SecondsTo("idle"));
        scrolled.push_back(DriverMilliseconds(run, "scrolled to the end") / 1000.0);
        sorted.push_back(DriverMilliseconds(run, "sorted") / 1000.0);
        megabytes.push_back(static_cast<double>(run.peakRssKb) / 1024.0);
        std::printf("run %d: list shown %.3f s, scrolled %.3f s, sorted %.3f s, peak RSS %.1f MB\n", i,
                    shown.back(), scrolled.back(), sorted.back(), megabytes.back());
    };
    const int failures = RunDriver(LUMARC_LIST_DRIVER, log, kRuns, "sorted", cold, warm);
    std::printf("\n%d coins in one folder, median (range) of %d runs:\n", kRecords, kRuns);
    std::printf("  list shown %s s (target 1 s), scrolled to the end %s s, sorted %s s (target 0.5 s),\n"
                "  peak RSS %s MB (target 150 MB)\n",
                MedianAndRange(shown, 3).c_str(), MedianAndRange(scrolled, 3).c_str(),
                MedianAndRange(sorted, 3).c_str(), MedianAndRange(megabytes, 1).c_str());
    return failures == 0 ? 0 : 1;
}
