// Writing the web view's page of an element: the page of a folder that holds 10,000 coins (its item set
// loaded, as when the list shows it), and the show page of a coin whose layout shows two pictures of
// 320 x 240 pixels (both resized and written as JPEG). Target: below 30 ms each. The stock templates of
// the build tree are used, so the figures include the real template copy and marker replacements.

#include "bench/BenchFolder.h"
#include "bench/WebLayoutElements.h"
#include "output/NodeWebPages.h"
#include "platform/dao/DaoWorkspace.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/markup/MarkupNode.h"
#include "store/program/Settings.h"
#include "store/program/StockFiles.h"
#include "store/records/FolderRecord.h"
#include "store/records/ItemSet.h"
#include "tests/support/CatalogueBuilder.h"
#include "tree/containers/FolderNode.h"
#include "tree/records/RecordNodes.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

using namespace lumarc::test;

namespace {

constexpr int kRecords = 10000;

struct Catalogue
{
    Catalogue();
    BenchFolder folder;
    TypicalCatalogue made;
    double bigFolder = 0;
    CNodeRef shownCoin;
};

// The coins' "summary" layout: the name, the picture twice (front and back take one field here; each
// element writes its own picture file), and a few labelled fields.
void AddShowLayout(CCatalogueDb& catalogue)
{
    auto* layout =
        catalogue.GetWebTemplates()->AddChild(std::make_unique<CMarkupNode>("summary", "webDefinition"));
    layout->SetAttribute("layoutType", "HTML");
    layout->SetAttribute("DataName", "1");
    AddFieldElement(*layout, "GetDisplayString", "Header 3");
    AddFieldElement(*layout, "PICTURE", "")->SetAttribute("subtype", "Image");
    AddFieldElement(*layout, "PICTURE", "")->SetAttribute("subtype", "Image");
    for (const char* field : {"YEAR", "PRICE", "NOTES"}) {
        AddLabelElement(*layout, field);
        AddFieldElement(*layout, field, "Normal");
    }
    catalogue.SaveWebTemplates();
}

Catalogue::Catalogue()
{
    made = MakeTypicalCatalogue(folder.Path());
    const auto photo = MakePictureBytes("-size 320x240 gradient:gold-brown", "jpg");
    CCatalogueDb catalogue(made.path);
    AddShowLayout(catalogue);
    bigFolder = catalogue.AddFolder("Big hoard", made.europe, 1)->GetNumber();
    auto& workspace = platform::dao::CDaoWorkspace::Default();
    workspace.BeginTrans();
    {
        RecordWriter writer(catalogue, 1);
        for (int i = 0; i < kRecords; ++i) {
            writer.Add(bigFolder, {{"NAME", "Coin " + std::to_string(i)},
                                   {"YEAR", std::to_string(1800 + i % 200)},
                                   {"PRICE", std::to_string(i % 500) + ".25"}});
        }
        shownCoin = writer.Add(bigFolder, {{"NAME", "Shown coin"},
                                           {"YEAR", "1871"},
                                           {"PRICE", "120.00"},
                                           {"NOTES", "Struck in Berlin\r\nfine"},
                                           {"PICTURE", std::string(photo.begin(), photo.end())}});
    }
    workspace.CommitTrans();
    if (InstallStockHtmlFiles() == 0 && !std::filesystem::exists(GetHtmDirectory() / "folder.htm")) {
        std::abort(); // the stock templates were not found: the figures would mean nothing
    }
    InstallNodeWebPages();
}

const Catalogue& Files()
{
    static const Catalogue files;
    return files;
}

void BM_FolderPage(benchmark::State& state)
{
    CCatalogueDb catalogue(Files().made.path);
    CFolderNode node(catalogue, catalogue.FindFolder(Files().bigFolder));
    node.PopulateChildren(nullptr);
    if (node.GetItemSet() == nullptr || node.GetItemSet()->GetCount() < kRecords) {
        state.SkipWithError("the folder's records were not loaded");
        return;
    }
    std::string message;
    for (auto _ : state) {
        if (!node.FillPageTemplate(message)) {
            state.SkipWithError("no page was written");
        }
    }
}

void BM_RecordShowPage(benchmark::State& state)
{
    CCatalogueDb catalogue(Files().made.path);
    CNodeRef key = Files().shownCoin;
    key.Set(key.GetKind(), key.GetNumber(), &catalogue);
    CRecordNode node(key);
    std::string message;
    for (auto _ : state) {
        if (!node.FillPageTemplate(message)) {
            state.SkipWithError("no page was written");
        }
    }
    if (!std::filesystem::exists(GetHtmDirectory() / "web1.jpg")) {
        state.SkipWithError("the second picture was not written");
    }
}

} // namespace

BENCHMARK(BM_FolderPage)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RecordShowPage)->Unit(benchmark::kMillisecond)->UseRealTime();
