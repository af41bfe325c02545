// The element tree over a catalogue of 2,000 folders in 5 levels and 100,000 coins: building the
// catalogue's first level of folder nodes (the folder list read included), and a folder of 10,000 coins
// with its item set loaded (targets: below 20 ms and below 150 ms). No node is made per record: the
// benchmarks stop with an error when a populated node holds more children than its subfolders.
//
// Row nodes are made when a row's element is asked for: the nodes of one screen of a list (50 rows) of
// the 100,000 coins, and of one row far down the list (targets: below 2 ms each), the set loaded once.

#include "platform/dao/DaoWorkspace.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/FolderRecord.h"
#include "store/records/ItemSet.h"
#include "tests/support/CatalogueBuilder.h"
#include "tree/base/BaseItemNode.h"
#include "tree/containers/FolderNode.h"
#include "tree/records/RecordNodes.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

using namespace lumarc::test;

namespace {

constexpr int kFolders = 2000;
constexpr int kFanOut = 5;
constexpr int kRecords = 100000;
constexpr int kBigFolderRecords = 10000;

// A tree control that keeps nothing but its items' count.
class CountingTree : public CTreeControl
{
public:
    TreeItemId AppendItem(TreeItemId, const std::string&, int, int, CTreeNode* node, bool, bool) override
    {
        items[node] = ++count;
        return count;
    }
    TreeItemId ItemOf(const CTreeNode* node) const override
    {
        const auto found = items.find(node);
        return found != items.end() ? found->second : kNoTreeItem;
    }
    bool Expand(TreeItemId) override { return true; }
    bool Collapse(TreeItemId) override { return true; }
    void SetItemImages(TreeItemId, int, int) override {}
    void SelectItem(TreeItemId) override {}
    void DeleteChildItems(TreeItemId) override {}
    int ImageIndexOfKind(int kind) const override { return kind; }
    bool IsTreePane() const override { return true; }
    int AddImage(const CCatalogueImage&) override { return 60; }
    std::map<const CTreeNode*, TreeItemId> items;
    TreeItemId count = 0;
};

// The catalogue node's part in building the first level, until the catalogue node exists.
class CatalogueGroup : public CTreeNode
{
public:
    explicit CatalogueGroup(CCatalogueDb& catalogue) : CTreeNode("Coins", 30, 29), m_catalogue(catalogue) {}
    bool IsCatalogue() override { return true; }
    CCatalogueDb* GetCatalogue() override { return &m_catalogue; }
    void BuildChildren() override
    {
        CContainerNode::BuildFolderChildren(*this, m_catalogue, RootFolderCode());
    }

private:
    CCatalogueDb& m_catalogue;
};

struct Catalogue
{
    Catalogue();
    ~Catalogue() { std::filesystem::remove_all(folder); }
    std::filesystem::path folder;
    std::filesystem::path path;
    double bigFolder = 0;
    size_t topLevel = 0;
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
    auto& workspace = platform::dao::CDaoWorkspace::Default();
    workspace.BeginTrans();
    // Breadth first, five children a folder: 5 + 25 + 125 + 625 + 1,220 folders.
    std::vector<double> numbers;
    for (int i = 0; i < kFolders; ++i) {
        const double parent = i < kFanOut ? 0.0 : numbers[static_cast<size_t>(i / kFanOut - 1)];
        numbers.push_back(
            catalogue.AddFolder("Folder " + std::to_string(i), parent, CFolderRecord::kAllKinds)
                ->GetNumber());
    }
    topLevel = kFanOut;
    bigFolder = numbers[1];
    {
        RecordWriter writer(catalogue, 1);
        for (int i = 0; i < kRecords; ++i) {
            const double parent =
                i < kBigFolderRecords ? bigFolder : numbers[static_cast<size_t>(i % kFolders)];
            writer.Add(parent,
                       {{"NAME", "Coin " + std::to_string(i)}, {"YEAR", std::to_string(1800 + i % 200)}});
        }
    }
    workspace.CommitTrans();
}

Catalogue& TheCatalogue()
{
    static Catalogue catalogue;
    return catalogue;
}

void BM_FirstLevel(benchmark::State& state)
{
    Catalogue& made = TheCatalogue();
    for (auto _ : state) {
        state.PauseTiming();
        auto catalogue = std::make_unique<CCatalogueDb>(made.path);
        CountingTree tree;
        state.ResumeTiming();
        CBaseItemNode root;
        auto* node = CTreeNode::AppendNode<CatalogueGroup>(root, *catalogue);
        node->InsertTreeItem(tree, false, false);
        node->PopulateChildren(&tree);
        state.PauseTiming();
        if (node->ChildCount() != made.topLevel || tree.count != made.topLevel + 1) {
            state.SkipWithError("the first level is not the top-level folders");
        }
        // Closing the catalogue writes its settings row back and syncs the file: not part of building.
        root.DetachAllChildren();
        catalogue.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstLevel)->Unit(benchmark::kMillisecond);

void BM_FolderOf10000Records(benchmark::State& state)
{
    Catalogue& made = TheCatalogue();
    CCatalogueDb catalogue(made.path);
    CFolderRecord* big = catalogue.FindFolder(made.bigFolder);
    for (auto _ : state) {
        CountingTree tree;
        CFolderNode node(catalogue, big);
        node.PopulateChildren(&tree);
        benchmark::DoNotOptimize(node.GetItemSet()->GetCount());
        state.PauseTiming();
        if (node.GetItemSet()->GetCount() < kBigFolderRecords || node.ChildCount() != kFanOut) {
            state.SkipWithError("the folder's set or children are not what was made");
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FolderOf10000Records)->Unit(benchmark::kMillisecond);

// The coins of every folder, loaded once, with a folder node that makes their rows.
struct LoadedList
{
    explicit LoadedList(const Catalogue& made)
        : catalogue(made.path), set(CItemSet::Query(&catalogue, 1, nullptr, false)),
          folder(catalogue, catalogue.FindFolder(made.bigFolder))
    {
        set.Load();
    }
    // The row node of the list's row `row`, as the list pane asks for it.
    std::unique_ptr<CTreeNode> RowNode(size_t row)
    {
        set.MoveToRow(row);
        return folder.NewChildFromSet(set);
    }
    CCatalogueDb catalogue;
    CItemSet set;
    CFolderNode folder;
};

void BM_RowNodesOfOneScreen(benchmark::State& state)
{
    LoadedList list(TheCatalogue());
    if (list.set.GetCount() != kRecords) {
        state.SkipWithError("the list is not the 100,000 coins");
        return;
    }
    constexpr size_t kScreen = 50;
    size_t top = 0;
    for (auto _ : state) {
        std::vector<std::unique_ptr<CTreeNode>> rows;
        rows.reserve(kScreen);
        for (size_t row = top; row < top + kScreen; ++row) {
            rows.push_back(list.RowNode(row));
        }
        benchmark::DoNotOptimize(rows.back()->GetName());
        // Each pass shows another screen, as scrolling does.
        top = (top + 997 * kScreen) % (kRecords - kScreen);
    }
}
BENCHMARK(BM_RowNodesOfOneScreen)->Unit(benchmark::kMillisecond);

void BM_RowNodeOfOneRow(benchmark::State& state)
{
    LoadedList list(TheCatalogue());
    size_t row = kRecords - 1;
    for (auto _ : state) {
        std::unique_ptr<CTreeNode> node = list.RowNode(row);
        benchmark::DoNotOptimize(node->GetName());
        row = (row + 7919) % kRecords;
    }
}
BENCHMARK(BM_RowNodeOfOneRow)->Unit(benchmark::kMillisecond);

} // namespace
