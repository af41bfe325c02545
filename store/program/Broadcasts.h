#pragma once
// The registered messages broadcast to every top-level window, and how far each reaches. Those that tell
// windows to let go of a shared file or to refresh it reach every running copy of the program; those
// that close this copy's own wait window or record windows stay in this copy (another copy has its own
// wait window, and the object a "CloseEdit" names lives only here).

#include <filesystem>
#include <string_view>

inline constexpr std::string_view kUnloadDbMessage = "Unload_DB";           // text: a catalogue file
inline constexpr std::string_view kUnloadElementMessage = "Unload_Element"; // text: an element path
inline constexpr std::string_view kRefreshMessage = "FC_Refresh";
inline constexpr std::string_view kDestroyWaitMessage = "DestroyWait"; // pointer: the window to focus
inline constexpr std::string_view kCloseEditMessage = "CloseEdit";     // pointer: the catalogue object

// Registers the messages above with their reach; safe to call more than once. Every
// function below calls it, and so does start-up, before other copies can send anything.
void RegisterBroadcastMessages();

// The number of one of the messages above in this copy.
unsigned BroadcastMessageNumber(std::string_view name);

// Tells every window of every running copy to let go of a catalogue file and reload it ("Unload_DB"
// with the file's path), under the wait cursor; returns when all have done so.
void BroadcastUnloadDatabase(const std::filesystem::path& catalogueFile);
