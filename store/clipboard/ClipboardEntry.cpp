#include "store/clipboard/ClipboardEntry.h"

#include "platform/text/CaseFold.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/clipboard/ClipboardSlots.h"
#include "store/records/NodeRef.h"
#include "store/records/Record.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

constexpr size_t kEntryBytes = kClipboardSlotBytes;
constexpr size_t kNumberBytes = 20;

// The decimal number at the head of a part (at most 20 bytes are read); 0 when there is none.
long PartNumber(std::string_view part)
{
    const std::string text(part.substr(0, kNumberBytes));
    return std::strtol(text.c_str(), nullptr, 10);
}

// The three numbers behind the last '^'; false without a '^' in the entry's first 200 bytes.
bool EntryNumbers(std::string_view entry, long (&numbers)[3], std::string_view* path = nullptr)
{
    entry = entry.substr(0, kEntryBytes);
    // The path before the numbers may itself hold '^': the numbers follow the last one.
    const size_t caret = entry.rfind('^');
    if (caret == std::string_view::npos) {
        return false;
    }
    if (path != nullptr) {
        *path = entry.substr(0, caret);
    }
    std::string_view rest = entry.substr(caret + 1);
    for (long& number : numbers) {
        const size_t comma = rest.find(',');
        number = PartNumber(rest.substr(0, comma));
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    }
    return true;
}

bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b)
{
    if (a.empty() || b.empty()) {
        return false;
    }
    if (a.lexically_normal() == b.lexically_normal()) {
        return true;
    }
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

} // namespace

std::string FormatItemEntry(std::string_view cataloguePath, int kind, std::uint32_t number,
                            int catalogueNumber)
{
    const std::string numbers =
        "^" + std::to_string(kind) + "," + std::to_string(number) + "," + std::to_string(catalogueNumber);
    const size_t room = kClipboardEntryBytes > numbers.size() ? kClipboardEntryBytes - numbers.size() : 0;
    return std::string(platform::text::TruncateUtf8(cataloguePath, room)) + numbers;
}

std::string FormatItemEntry(const CRecord& record)
{
    const CCatalogueDb* catalogue = record.GetCatalogue();
    if (catalogue == nullptr) {
        return {};
    }
    return FormatItemEntry(catalogue->GetFilePath().string(), record.GetKind(), record.GetNumber(),
                           catalogue->GetCatalogueNumber());
}

bool ParseClipboardEntry(std::string_view entry, CNodeRef& ref, CCatalogueNodeSource& root)
{
    long numbers[3] = {0, 0, 0};
    if (!EntryNumbers(entry, numbers)) {
        return false;
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

CCatalogueDb* FindEntryCatalogue(std::string_view entry, CCatalogueNodeSource& root)
{
    long numbers[3] = {0, 0, 0};
    std::string_view path;
    if (!EntryNumbers(entry, numbers, &path) || path.empty()) {
        return nullptr;
    }
    const auto catalogues = root.GetCatalogueNodes();
    const std::filesystem::path file(path);
    for (CCatalogueDb* catalogue : catalogues) {
        if (catalogue != nullptr && IsSameFile(catalogue->GetFilePath(), file)) {
            return catalogue;
        }
    }
    // A path was cut only from an entry that filled its slot, up to the bytes of one character.
    if (entry.substr(0, entry.find('\0')).size() + 3 < kClipboardEntryBytes) {
        return nullptr;
    }
    for (CCatalogueDb* catalogue : catalogues) {
        if (catalogue != nullptr && catalogue->GetCatalogueNumber() == numbers[2] &&
            catalogue->GetFilePath().string().compare(0, path.size(), path) == 0) {
            return catalogue;
        }
    }
    return nullptr;
}
