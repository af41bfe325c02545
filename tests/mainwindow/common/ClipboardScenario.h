#pragma once
// What the clipboard tests put on the clipboard, and how they describe what they find there: shared by
// the test and its second running copy (clipboard_peer), so either can write and the other read.

#include "store/catalogue/CatalogueDb.h"
#include "store/clipboard/ItemClipboard.h"
#include "store/records/ItemSet.h"
#include "store/records/Record.h"
#include "tests/support/FakeElementTree.h"

#include <string>
#include <vector>

namespace lumarc::test {

inline constexpr std::string_view kNodeFormats[] = {kQueryCopyFormat,    kQueryMoveFormat,
                                                    kItemListCopyFormat, kItemListMoveFormat,
                                                    kAreaCopyFormat,     kAreaMoveFormat};

// Every coin as copied items, the coins older than 1700 as cut items, "Coins^Europe^<format>" in each node
// format, and the drag marker.
inline bool PutScenarioOnClipboard(CCatalogueDb& catalogue)
{
    CItemSet coins = CItemSet::Query(&catalogue, 1, nullptr, false);
    CItemSet old = CItemSet::FromSql(&catalogue, "SELECT * FROM COINS WHERE YEAR < 1700");
    bool written = coins.CopyItemsToClipboard() && old.MoveItemsToClipboard();
    for (auto format : kNodeFormats) {
        written = written && WriteEntriesToClipboard(format, {"Coins^Europe^" + std::string(format)});
    }
    auto formats = KeepPrivateClipboardFormats(kDropItemsFormat);
    formats.push_back({std::string(kDropItemsFormat), {}});
    return written && GetClipboardAccess()->SetFormats(formats);
}

// A line per private format ("<format> <entries> <first entry or ->"), one per marker ("<format>
// present|absent") and what a paste reads ("pasted <records> <name of the first or ->").
inline std::vector<std::string> DescribeClipboard(CCatalogueDb& catalogue)
{
    std::vector<std::string> lines;
    const auto describe = [&](std::string_view format) {
        const auto entries = ReadClipboardEntries(format);
        lines.push_back(std::string(format) + " " + std::to_string(entries.size()) + " " +
                        (entries.empty() ? "-" : entries.front()));
    };
    for (auto format : kClipboardCopyFormats) {
        describe(format);
    }
    for (auto format : kClipboardMoveFormats) {
        describe(format);
    }
    for (auto marker : {kDropItemsFormat, kLinkItemsFormat}) {
        lines.push_back(std::string(marker) +
                        (GetClipboardAccess()->HasFormat(marker) ? " present" : " absent"));
    }
    FakeElementTree tree;
    tree.catalogues = {&catalogue};
    const auto pasted = ReadItemsFromClipboard(tree);
    lines.push_back("pasted " + std::to_string(pasted ? pasted->GetCount() : 0) + " " +
                    (pasted && pasted->GetCurrent() != nullptr ? pasted->GetCurrent()->GetName() : "-"));
    return lines;
}

} // namespace lumarc::test
