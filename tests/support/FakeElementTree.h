#pragma once
// A small element tree for the clipboard readers and writers: the catalogues of its catalogue nodes, and
// the paths of the nodes that show given records.

#include "store/catalogue/CatalogueDb.h"
#include "store/clipboard/ClipboardEntry.h"
#include "store/records/Record.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace lumarc::test {

class FakeElementTree : public CCatalogueNodeSource
{
public:
    std::vector<CCatalogueDb*> GetCatalogueNodes() override { return catalogues; }
    std::string GetPathOfNodeHolding(const CRecord& record) override
    {
        const auto found = paths.find({record.GetCatalogue(), record.GetKeyCode()});
        return found != paths.end() ? found->second : std::string();
    }

    // Shows the record under the path (names joined by '^').
    void Show(const CRecord& record, std::string path)
    {
        paths[{record.GetCatalogue(), record.GetKeyCode()}] = std::move(path);
    }

    std::vector<CCatalogueDb*> catalogues;
    std::map<std::pair<const CCatalogueDb*, double>, std::string> paths;
};

} // namespace lumarc::test
