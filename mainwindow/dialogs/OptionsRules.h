#pragma once
// What the pages of the Options sheet store when OK is pressed, and when they refuse it. Kept apart
// from the pages so the rules are tested without a display.

#include <filesystem>
#include <optional>
#include <string>

enum class OptionRefusal
{
    None,
    InvalidDirectory, // "Invalid directory" (181), titled "Error" (20552)
    NoCatalogue,      // "Either deselect the check box or select a catalogue." (119), titled "Error" (33365)
};

// The text a page stores, unless it refuses.
struct OptionValue
{
    OptionRefusal refusal = OptionRefusal::None;
    std::string value;
};

// The backup folder typed on the Backup/Restore page: created when missing; a folder that exists
// already is taken as it is. A folder that cannot be created, and a relative path (which would follow
// the program's current folder), is refused.
OptionValue BackupFolderOption(const std::string& folder);

// The To Do and Shopping Cart pages: with the box checked the selected catalogue's file, which must be
// chosen; with it cleared an empty text, whatever is selected.
OptionValue SingleCatalogueOption(bool checked, const std::optional<std::filesystem::path>& selected);

// The Default Catalogue page: the selected catalogue's file, which must be chosen.
OptionValue DefaultCatalogueOption(const std::optional<std::filesystem::path>& selected);

// Shows the message of a refusal (nothing for None).
void ShowOptionRefusal(OptionRefusal refusal);
