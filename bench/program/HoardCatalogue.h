#pragma once
// The large catalogue of the whole-program benchmarks, made through the store: one folder holding every
// coin.

#include <filesystem>
#include <functional>

class CCatalogueDb;

namespace lumarc::bench {

// The name of the folder that holds the coins.
constexpr const char* kHoardFolder = "Hoard";

// Makes "Hoard.ctg" in `folder`: the catalogue "Hoard" with number `number`, the coins' (1) and countries'
// (2) data files, and the folder kHoardFolder of `coins` coins, their names in no particular order (so that a
// sort has work to do), years and prices. `beforeCoins` adds what a benchmark needs besides, once the
// folder is made and before the coins are written.
std::filesystem::path MakeHoard(const std::filesystem::path& folder, int number, int coins,
                                const std::function<void(CCatalogueDb&)>& beforeCoins);

} // namespace lumarc::bench
