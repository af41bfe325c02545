#pragma once
// Context-help keys and their maps. A key is a prefix, a '.' and a name ("KV.ADBITM"); the prefix names
// a help book in the product's "help" folder and its context map "<prefix>_cntx.txt", whose entries are
// the key, "=" and the topic number.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// How much of a map the two kinds of help requests read.
inline constexpr size_t kHelpPopupMapBytes = 128000;
inline constexpr size_t kHelpWindowMapBytes = 64000;

struct HelpTopicLookup
{
    enum Status
    {
        kNoPrefix, // the key holds no '.': nothing to do
        kNoMap,    // the context map cannot be read
        kNoKey,    // the map has no entry for the key
        kFound,
    };
    Status status = kNoPrefix;
    std::string prefix;
    // The help book of the prefix ("<prefix>.htb" or "<prefix>.hhp" in the help folder); empty when the
    // folder holds neither.
    std::filesystem::path book;
    int topic = 0;
};

// The help folder below the product folder.
std::filesystem::path GetHelpFolder();

// Looks the key up in the first `mapBytes` bytes of its prefix's context map. File names are matched
// without regard to case, so "KV" finds "kv_cntx.txt". A prefix that could leave the help folder ('/',
// "..") has no map.
HelpTopicLookup FindHelpTopic(std::string_view key, size_t mapBytes);

// The help book of a prefix ("px" finds "px.htb" or "px.hhp" in the help folder, without regard to case);
// empty when the folder holds neither or the prefix could leave the folder.
std::filesystem::path FindHelpBook(std::string_view prefix);

// The help topic for a dialog: its key and whether it opens in the help book's main window (the
// record form's field keys) rather than its secondary window (dialog keys).
struct DialogHelpKey
{
    std::string key;
    bool mainWindow = false;
};

// The help key of a dialog by its resource id; none for a dialog that has no help. The record form's
// pages (122, 129, 169, 303) answer by the class of the window that has the focus (see
// mainwindow/common/WindowClasses.h), compared without regard to case.
std::optional<DialogHelpKey> FindDialogHelpKey(int dialogId, std::string_view focusedClass);
