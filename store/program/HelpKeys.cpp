#include "store/program/HelpKeys.h"

#include "platform/text/CaseFold.h"
#include "store/program/Settings.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <system_error>

namespace {

// The file of the help folder whose name equals `name` without regard to case (an exact match first).
std::optional<std::filesystem::path> FindInHelpFolder(const std::string& name)
{
    const auto folder = GetHelpFolder();
    std::error_code error;
    if (std::filesystem::is_regular_file(folder / name, error)) {
        return folder / name;
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (platform::text::EqualsNoCase(entry.path().filename().string(), name) &&
            entry.is_regular_file(error)) {
            return entry.path();
        }
    }
    return std::nullopt;
}

bool IsKeyCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '.' || c == '_';
}

bool IsSafePrefix(std::string_view prefix)
{
    return !prefix.empty() && prefix.find('/') == std::string_view::npos &&
           prefix.find('\\') == std::string_view::npos && prefix.find('\0') == std::string_view::npos;
}

} // namespace

std::filesystem::path GetHelpFolder()
{
    return GetProductDir() / "help";
}

HelpTopicLookup FindHelpTopic(std::string_view key, size_t mapBytes)
{
    HelpTopicLookup lookup;
    const auto dot = key.find('.');
    if (dot == std::string_view::npos) {
        return lookup;
    }
    lookup.prefix = std::string(key.substr(0, dot));
    lookup.status = HelpTopicLookup::kNoMap;
    if (!IsSafePrefix(lookup.prefix)) {
        return lookup;
    }
    const auto map = FindInHelpFolder(lookup.prefix + "_cntx.txt");
    if (!map) {
        return lookup;
    }
    std::ifstream in(*map, std::ios::binary);
    if (!in) {
        return lookup;
    }
    std::string text(mapBytes, '\0');
    in.read(text.data(), static_cast<std::streamsize>(mapBytes));
    text.resize(static_cast<size_t>(in.gcount()));

    lookup.status = HelpTopicLookup::kNoKey;
    const std::string entry = std::string(key) + "=";
    // The entry must begin the key: "KV.NAME=" is no entry for "V.NAME".
    for (size_t at = text.find(entry); at != std::string::npos; at = text.find(entry, at + 1)) {
        if (at > 0 && IsKeyCharacter(text[at - 1])) {
            continue;
        }
        lookup.topic = static_cast<int>(std::strtol(text.c_str() + at + entry.size(), nullptr, 10));
        lookup.status = HelpTopicLookup::kFound;
        break;
    }
    lookup.book = FindHelpBook(lookup.prefix);
    return lookup;
}

std::filesystem::path FindHelpBook(std::string_view prefix)
{
    if (!IsSafePrefix(std::string(prefix))) {
        return {};
    }
    for (const char* extension : {".htb", ".hhp"}) {
        if (auto book = FindInHelpFolder(std::string(prefix) + extension)) {
            return *book;
        }
    }
    return {};
}

std::optional<DialogHelpKey> FindDialogHelpKey(int dialogId, std::string_view focusedClass)
{
    struct Entry
    {
        int id;
        const char* key; // null: the dialog has no help
    };
    static constexpr Entry kDialogs[] = {
        {0, nullptr},
        {318, "PX.FAR001"},
        {319, "PX.SAVE_SEARCH"},
        {1009, "PX.NEW_DATA_BOOK"},
        {1010, "PX.FAR001"},
        {1011, nullptr},
        {1013, "PX.PROPERTIES"},
        {1014, "PX.DAR001"},
        {1017, "PX.ID_001"},
        {1020, "PX.DAT001"},
        {1023, "PX.NEW_AREA_DEFINE"},
        {1024, nullptr},
        {1032, "PX.CAD001"},
        {1036, nullptr},
        {1038, nullptr},
        {1039, "PX.OPTION"},
        {1042, "PX.SAD001"},
        {1043, "PX.FAD001"},
        {1066, "PX.DAYTIPS_FORCE"},
        {1068, "PX.DOCUMENTS"},
        {1069, "PX.BACKUP"},
        {1070, "PX.BACKUP"},
        {1102, nullptr},
        {1109, nullptr},
        {1110, "PX.CAS001"},
        {1124, "PX.PRINT_L"},
        {1125, "PX.PRINT_E"},
        {1126, "PX.PRINT_F"},
        {1127, "PX.WWW_P"},
        {1128, "PX.PRINTINVENTORY"},
        {1223, "PX.NEW_ITEM_TYPE"},
        {1243, nullptr},
        {1324, "PX.QUICK_SEARCH"},
        {32786, "PX.FORM_DESIGNER"},
        {57634, nullptr},
        {57635, nullptr},
        {57637, nullptr},
    };
    struct FieldEntry
    {
        const char* windowClass;
        const char* key;
    };
    static constexpr FieldEntry kFields[] = {
        {"Edit", "KV.EDITFIELD"},   {"ComboBox1", "KV.COMBOFIELD"}, {"Time", "KV.TIMEFIELD"},
        {"Date", "KV.DATEFIELD"},   {"Fax", "KV.FAXFIELD"},         {"Telephone", "KV.TELFIELD"},
        {"Integer", "KV.INTFIELD"}, {"Percentage", "KV.PERCFIELD"}, {"Currency", "KV.CURRENCYFIELD"},
    };

    if (dialogId >= 1335 && dialogId <= 1434) {
        return DialogHelpKey{"PX.IDC_FILENEW", false};
    }
    if (dialogId == 122 || dialogId == 129 || dialogId == 169 || dialogId == 303) {
        for (const auto& field : kFields) {
            if (platform::text::EqualsNoCase(field.windowClass, focusedClass)) {
                return DialogHelpKey{field.key, true};
            }
        }
        return DialogHelpKey{"PX.EDIT_RECORD", false};
    }
    for (const auto& dialog : kDialogs) {
        if (dialog.id == dialogId) {
            if (dialog.key == nullptr) {
                return std::nullopt;
            }
            return DialogHelpKey{dialog.key, false};
        }
    }
    return DialogHelpKey{"PX.TSA001", false};
}
