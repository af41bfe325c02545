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
    for (const char* extension : {".htb", ".hhp"}) {
        if (auto book = FindInHelpFolder(lookup.prefix + extension)) {
            lookup.book = *book;
            break;
        }
    }
    return lookup;
}
