#include "bench/program/HoardCatalogue.h"

#include "platform/dao/DaoWorkspace.h"
#include "store/catalogue/CatalogueDb.h"
#include "tests/support/CatalogueBuilder.h"

#include <string>

namespace lumarc::bench {

std::filesystem::path MakeHoard(const std::filesystem::path& folder, int number, int coins,
                                const std::function<void(CCatalogueDb&)>& beforeCoins)
{
    using namespace lumarc::test;
    const auto file = CatalogueBuilder(folder / "Hoard.ctg")
                          .Name("Hoard")
                          .Number(number)
                          .DataFile(CoinsFile(1))
                          .DataFile(CountriesFile(2))
                          .Build();
    CCatalogueDb catalogue(file);
    const double hoard = catalogue.AddFolder(kHoardFolder, 0, 1)->GetNumber();
    beforeCoins(catalogue);
    platform::dao::CDaoWorkspace::Default().BeginTrans();
    RecordWriter writer(catalogue, 1);
    for (int i = 0; i < coins; ++i) {
        writer.Add(hoard, {{"NAME", "Coin " + std::to_string((i * 7919L) % coins)},
                           {"YEAR", std::to_string(1800 + i % 220)},
                           {"PRICE", std::to_string(i % 500)}});
    }
    platform::dao::CDaoWorkspace::Default().CommitTrans();
    return file;
}

} // namespace lumarc::bench
