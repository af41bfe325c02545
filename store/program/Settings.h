#pragma once
// The program's settings and the list of the user's catalogues. Each setting is a key of its own under
// Software\Ostvig\Lumarc whose default value holds the text; integers are decimal text and truth values
// "TRUE" or "FALSE". A name holding '\' (such as "Agenda\3") makes a deeper key.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace platform::registry {
class Registry;
}

// The registry key under which every setting lives.
inline constexpr std::string_view kSettingsRoot = "Software\\Ostvig\\Lumarc";
inline constexpr int kCatalogueSlots = 40;

// Text of a setting; `defaultText` when it was never written.
std::string GetSettingString(std::string_view name, std::string_view defaultText = {});
// Leading decimal integer of a setting's text (0 when the text is no number); `defaultValue` when unset.
int GetSettingInt(std::string_view name, int defaultValue);
// True when the setting's text is "TRUE" (any case); the default when unset.
bool GetSettingBool(std::string_view name, bool defaultValue);

void SetSettingString(std::string_view name, std::string_view text);
void SetSettingInt(std::string_view name, int value);
void SetSettingLong(std::string_view name, long value);
void SetSettingBool(std::string_view name, bool value);

// The product folder: setting "productDir", by default $LUMARC_HOME or ~/.local/share/lumarc.
std::filesystem::path GetProductDir();
// Full path of the main program: setting "productExe" (empty when unset).
std::filesystem::path GetProductExe();
// Folder of generated web pages: setting "HtmDirectory", by default the product folder's HTM folder.
std::filesystem::path GetHtmDirectory();
// Folder of catalogue backups: setting "backupDir", by default the product folder's bck folder.
std::filesystem::path GetBackupDir();
void SetBackupDir(std::string_view path);

// Writes the path at the first free slot of the registered catalogues. Returns the slot, -1 when a slot
// holds that path already, or 40 when all are taken. Paths are compared whole.
int RegisterCatalogue(std::string_view path);
// True when no slot holds the path.
bool IsCatalogueUnregistered(std::string_view path);
// Frees the slot that holds the path.
void UnregisterCatalogue(std::string_view path);
// Every slot, empty where free, with duplicate spellings of one file reduced to one entry (in memory only).
std::array<std::string, kCatalogueSlots> ReadRegisteredCatalogues();
