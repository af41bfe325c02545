#include "store/program/Settings.h"

#include "platform/folders/UserFolders.h"
#include "platform/registry/Registry.h"
#include "platform/text/CaseFold.h"

#include <cstdlib>
#include <system_error>

namespace {

using platform::registry::Registry;

std::string SettingKey(std::string_view name)
{
    std::string key(kSettingsRoot);
    key += '\\';
    key += name;
    return key;
}

std::string CataloguesKey()
{
    return SettingKey("Catalogues");
}

std::filesystem::path PathSetting(std::string_view name, const std::filesystem::path& fallback)
{
    std::string text = GetSettingString(name);
    return text.empty() ? fallback : std::filesystem::path(text);
}

// How the same file may be spelled twice: with or without the extension, through "..", "." or a link.
std::string CanonicalSpelling(const std::string& entry)
{
    std::string path = entry;
    if (path.find(".ctg") == std::string::npos) {
        path += ".ctg";
    }
    std::error_code error;
    auto canonical = std::filesystem::weakly_canonical(path, error);
    return error ? path : canonical.string();
}

} // namespace

std::string GetSettingString(std::string_view name, std::string_view defaultText)
{
    auto value = Registry::CurrentUser().QueryValue(SettingKey(name));
    return value ? *value : std::string(defaultText);
}

int GetSettingInt(std::string_view name, int defaultValue)
{
    auto value = Registry::CurrentUser().QueryValue(SettingKey(name));
    if (!value) {
        return defaultValue;
    }
    return static_cast<int>(std::strtol(value->c_str(), nullptr, 10));
}

bool GetSettingBool(std::string_view name, bool defaultValue)
{
    auto value = Registry::CurrentUser().QueryValue(SettingKey(name));
    if (!value) {
        return defaultValue;
    }
    return platform::text::EqualsNoCase(*value, "TRUE");
}

void SetSettingString(std::string_view name, std::string_view text)
{
    Registry::CurrentUser().SetValue(SettingKey(name), {}, text);
}

void SetSettingInt(std::string_view name, int value)
{
    SetSettingString(name, std::to_string(value));
}

void SetSettingLong(std::string_view name, long value)
{
    SetSettingString(name, std::to_string(value));
}

void SetSettingBool(std::string_view name, bool value)
{
    SetSettingString(name, value ? "TRUE" : "FALSE");
}

std::filesystem::path GetProductDir()
{
    return PathSetting("productDir", platform::folders::DataFolder());
}

std::filesystem::path GetProductExe()
{
    return PathSetting("productExe", {});
}

std::filesystem::path GetHtmDirectory()
{
    return PathSetting("HtmDirectory", GetProductDir() / "HTM");
}

std::filesystem::path GetBackupDir()
{
    return PathSetting("backupDir", GetProductDir() / "bck");
}

void SetBackupDir(std::string_view path)
{
    SetSettingString("backupDir", path);
}

namespace {

// The slot whose text is the path, -1 when none. Paths are compared whole: a catalogue whose path is
// part of another's ("a.ctg" in "a.ctg.bak") is another file.
int SlotOfCatalogue(const Registry& registry, const std::string& key, std::string_view path)
{
    for (int slot = 0; slot < kCatalogueSlots; ++slot) {
        auto value = registry.QueryValue(key, std::to_string(slot));
        if (value && *value == path) {
            return slot;
        }
    }
    return -1;
}

} // namespace

int RegisterCatalogue(std::string_view path)
{
    Registry& registry = Registry::CurrentUser();
    const std::string key = CataloguesKey();
    registry.CreateKey(key);
    if (SlotOfCatalogue(registry, key, path) >= 0) {
        return -1;
    }
    for (int slot = 0; slot < kCatalogueSlots; ++slot) {
        auto value = registry.QueryValue(key, std::to_string(slot));
        if (!value || value->empty()) {
            registry.SetValue(key, std::to_string(slot), path);
            return slot;
        }
    }
    return kCatalogueSlots;
}

bool IsCatalogueUnregistered(std::string_view path)
{
    const Registry& registry = Registry::CurrentUser();
    return SlotOfCatalogue(registry, CataloguesKey(), path) < 0;
}

void UnregisterCatalogue(std::string_view path)
{
    Registry& registry = Registry::CurrentUser();
    const std::string key = CataloguesKey();
    if (const int slot = SlotOfCatalogue(registry, key, path); slot >= 0) {
        registry.DeleteValue(key, std::to_string(slot));
    }
}

std::array<std::string, kCatalogueSlots> ReadRegisteredCatalogues()
{
    std::array<std::string, kCatalogueSlots> entries;
    const Registry& registry = Registry::CurrentUser();
    const std::string key = CataloguesKey();
    for (int slot = 0; slot < kCatalogueSlots; ++slot) {
        if (auto value = registry.QueryValue(key, std::to_string(slot))) {
            entries[slot] = *value;
        }
    }
    std::array<std::string, kCatalogueSlots> spellings;
    for (int i = 0; i < kCatalogueSlots; ++i) {
        if (!entries[i].empty()) {
            spellings[i] = CanonicalSpelling(entries[i]);
        }
    }
    // An entry written in another spelling than its canonical one hides every other entry naming the
    // same file, so each catalogue is opened once.
    for (int i = 0; i < kCatalogueSlots; ++i) {
        if (entries[i].empty() || platform::text::EqualsNoCase(spellings[i], entries[i])) {
            continue;
        }
        for (int j = 0; j < kCatalogueSlots; ++j) {
            if (j != i && !entries[j].empty() && spellings[j] == spellings[i]) {
                entries[j].clear();
            }
        }
    }
    return entries;
}
