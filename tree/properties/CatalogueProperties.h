#pragma once
// What the catalogue, query and file sheets write when the user presses OK, page by page. Each Apply
// answers 0 when the page wrote its values, or the string-table message that refuses the entry; the
// sheet then shows it (under "Error") and stays on that page. Nothing is written by a refused page.

#include <string>

class CCatalogueDb;
class CQueryNode;
class CRecordNode;

namespace catalogue_sheet {
// Longest password the catalogue takes (the entry fields take 19 characters, so a longer one is refused
// with a message rather than cut).
inline constexpr size_t kMaxPassword = 14;
inline constexpr size_t kPasswordFieldLength = 19;
// Longest description.
inline constexpr size_t kMaxDescription = 2000;
inline constexpr unsigned kOldPasswordWrong = 20560;
inline constexpr unsigned kConfirmationDiffers = 20561;
inline constexpr unsigned kPasswordTooLong = 346;
inline constexpr unsigned kViewOnlyQuestion = 241;

struct PasswordEntry
{
    bool enabled = false;
    std::string oldPassword;
    std::string newPassword;
    std::string confirmation;
};

// The password page: with the box checked the password is set or changed (the old one must match when
// there is one, the confirmation must match, at most 14 characters); with the box clear an existing
// password is removed (the old one must match) and the remembered password of the catalogue forgotten.
unsigned ApplyPassword(CCatalogueDb& catalogue, const PasswordEntry& entry);
// The description page: the catalogue's COMMENT, saved with the settings row.
unsigned ApplyDescription(CCatalogueDb& catalogue, const std::string& text);
// The "Server types" page: a catalogue made view-only is backed up first and stays view-only (the box
// cannot be cleared again); a clear box writes the mark false. True when the mark changed.
bool ApplyViewOnly(CCatalogueDb& catalogue, bool viewOnly);
} // namespace catalogue_sheet

namespace query_sheet {
inline constexpr unsigned kNameRequired = 33394;
// Longest comment the page takes.
inline constexpr size_t kMaxComment = 1999;
// The query's name and comment, written into its own row (which also holds its definition, so the
// query keeps its identity and contents); the node takes the new name. Answers the message that refuses
// them, empty when written: "Folder name required" for an empty name, and a name another query of the
// catalogue has is refused too (queries are found by name: one would hide the other).
std::string Apply(CQueryNode& node, const std::string& name, const std::string& comment);
std::string CommentOf(CQueryNode& node);
} // namespace query_sheet

namespace file_sheet {
inline constexpr unsigned kCannotMove = 33115;
// The file item's path ("edtFn").
std::string PathOf(CRecordNode& node);
// A changed path copies the file there and keeps the new path in the record; a copy that fails keeps
// the old path and refuses with "Unable to move file; check name and directory".
unsigned ApplyPath(CRecordNode& node, const std::string& path);
} // namespace file_sheet
