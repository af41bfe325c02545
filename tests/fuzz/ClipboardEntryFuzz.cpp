// Clipboard item entries come from whatever another program put on the clipboard: any bytes must give
// a reference or a refusal.

#include "store/catalogue/CatalogueDb.h"
#include "store/clipboard/ClipboardEntry.h"
#include "store/records/NodeRef.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace {

class Catalogues : public CCatalogueNodeSource
{
public:
    Catalogues() { two.SetCatalogueNumber(3); }
    std::vector<CCatalogueDb*> GetCatalogueNodes() override { return {&one, &two}; }
    std::string GetPathOfNodeHolding(const CRecord&) override { return {}; }
    CCatalogueDb one;
    CCatalogueDb two;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Catalogues root;
    CNodeRef ref;
    ParseClipboardEntry(std::string_view(reinterpret_cast<const char*>(data), size), ref, root);
    (void)ref.GetCode();
    (void)FindEntryCatalogue(std::string_view(reinterpret_cast<const char*>(data), size), root);
    return 0;
}
