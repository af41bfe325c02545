#include "store/ClipboardEntry.h"

#include "store/CatalogueDb.h"
#include "store/NodeRef.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

constexpr size_t kEntryBytes = 200;
constexpr size_t kNumberBytes = 20;

// The decimal number at the head of a part (at most 20 bytes are read); 0 when there is none.
long PartNumber(std::string_view part)
{
    const std::string text(part.substr(0, kNumberBytes));
    return std::strtol(text.c_str(), nullptr, 10);
}

} // namespace

bool ParseClipboardEntry(std::string_view entry, CNodeRef& ref, CCatalogueNodeSource& root)
{
    entry = entry.substr(0, kEntryBytes);
    // The path before the numbers is itself joined by '^': the numbers follow the last one.
    const size_t caret = entry.rfind('^');
    if (caret == std::string_view::npos) {
        return false;
    }
    std::string_view rest = entry.substr(caret + 1);
    long numbers[3] = {0, 0, 0};
    for (long& number : numbers) {
        const size_t comma = rest.find(',');
        number = PartNumber(rest.substr(0, comma));
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    }
    ref.SetKindAndCatalogue(static_cast<std::uint16_t>(numbers[0]), ref.GetCatalogue());
    ref.SetNumber(static_cast<std::uint32_t>(numbers[1]));
    for (CCatalogueDb* catalogue : root.GetCatalogueNodes()) {
        if (catalogue != nullptr && catalogue->GetCatalogueNumber() == numbers[2]) {
            ref.SetKindAndCatalogue(ref.GetKind(), catalogue);
        }
    }
    return true;
}
