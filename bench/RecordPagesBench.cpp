// Writing the web pages of 10,000 coins with their pictures: each record of an item set is rendered from
// its data file's HTML layout (name, fields, the picture as a JPEG file) into chained pages of 100
// records, from a set already loaded and from a set loaded for the pages. "items_per_second" is records
// per second (target: at least 2,000 with the pictures).

#include "bench/BenchFolder.h"
#include "bench/WebLayoutElements.h"
#include "output/RecordPages.h"
#include "output/WebLayout.h"
#include "platform/dao/DaoWorkspace.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/markup/MarkupNode.h"
#include "store/records/ItemSet.h"
#include "store/records/Record.h"
#include "store/records/RecordList.h"
#include "tests/support/CatalogueBuilder.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

using namespace lumarc::test;

namespace {

constexpr int kRecords = 10000;

struct Catalogue
{
    Catalogue();
    BenchFolder folder;
    std::filesystem::path path;
    std::filesystem::path pages;
};

void AddLayout(CCatalogueDb& catalogue)
{
    auto* layout =
        catalogue.GetWebTemplates()->AddChild(std::make_unique<CMarkupNode>("list", "webDefinition"));
    layout->SetAttribute("layoutType", "HTML");
    layout->SetAttribute("DataName", "1");
    AddFieldElement(*layout, "GetDisplayString", "Header 3");
    AddFieldElement(*layout, "PICTURE", "")->SetAttribute("subtype", "Image");
    for (const char* field : {"PRICE", "BOUGHT", "NOTES", "WEIGHT", "GRADE"}) {
        AddLabelElement(*layout, field)->SetAttribute("bold", "1");
        AddFieldElement(*layout, field, "Normal");
    }
    auto* rule = layout->AddChild(std::make_unique<CMarkupNode>("rule", "element"));
    rule->SetAttribute("elementCategory", "HTMLElement");
    rule->SetAttribute("value", "<HR>");
    catalogue.SaveWebTemplates();
}

Catalogue::Catalogue()
{
    pages = folder.Path() / "HTM";
    std::filesystem::create_directories(pages);
    path = CatalogueBuilder(folder.Path() / "coins.ctg").Number(3).DataFile(CoinsFile(1)).Build();
    const auto picture = MakePictureBytes("-size 96x64 gradient:gold-brown", "jpg");
    const std::string bytes(picture.begin(), picture.end());
    CCatalogueDb catalogue(path);
    AddLayout(catalogue);
    platform::dao::CDaoWorkspace::Default().BeginTrans();
    {
        RecordWriter writer(catalogue, 1);
        for (int i = 0; i < kRecords; ++i) {
            writer.Add(0, {{"NAME", "Coin " + std::to_string(i)},
                           {"YEAR", std::to_string(1800 + i % 200)},
                           {"PRICE", std::to_string(i % 500) + ".25"},
                           {"BOUGHT", "2001-06-15"},
                           {"NOTES", "Struck in the year " + std::to_string(1800 + i % 200) + "\r\nfine"},
                           {"WEIGHT", "6.0 g"},
                           {"GRADE", "VF"},
                           {"PICTURE", bytes}});
        }
    }
    platform::dao::CDaoWorkspace::Default().CommitTrans();
}

const Catalogue& Files()
{
    static const Catalogue files;
    return files;
}

WebPagesOptions Options()
{
    WebPagesOptions options;
    options.layoutName = "list";
    options.folder = Files().pages;
    options.pageName = "coins";
    options.recordsPerPage = 100;
    return options;
}

// The set's records are in memory; the pages and pictures are written.
void BM_WriteWebPages(benchmark::State& state)
{
    CCatalogueDb catalogue(Files().path);
    CItemSet set = CItemSet::Query(&catalogue, 1, nullptr, false);
    set.Load();
    for (auto _ : state) {
        WriteWebLayoutPage writer;
        if (!WriteWebPages(set, Options(), writer)) {
            state.SkipWithError("the pages were not written");
        }
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}

// The set is loaded from the catalogue for the pages.
void BM_LoadAndWriteWebPages(benchmark::State& state)
{
    CCatalogueDb catalogue(Files().path);
    for (auto _ : state) {
        CItemSet set = CItemSet::Query(&catalogue, 1, nullptr, false);
        WriteWebLayoutPage writer;
        if (!WriteWebPages(set, Options(), writer) || set.GetCount() != kRecords) {
            state.SkipWithError("the pages were not written");
        }
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}

} // namespace

BENCHMARK(BM_WriteWebPages)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadAndWriteWebPages)->Unit(benchmark::kMillisecond)->UseRealTime();
