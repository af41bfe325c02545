#pragma once
// Catalogue links (".ctg", ".zipctg") of a page: the web view cannot download by itself, so it stops
// the navigation and fetches the file into a folder the user picks. Local files are copied; web
// addresses are handed to the browser engine's own download.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

class wxWindow;

// The prompt shown before a download while the setting "showDownload" is "TRUE" (the download prompt
// dialog installs itself here; while none is installed the download goes on without it).
using DownloadPrompt = std::function<void(wxWindow* parent)>;
DownloadPrompt SetDownloadPrompt(DownloadPrompt prompt);

// Asks for the folder to save a catalogue into; none when the user cancels. By default a folder dialog.
using DownloadFolderChooser = std::function<std::optional<std::filesystem::path>(wxWindow* parent)>;
DownloadFolderChooser SetDownloadFolderChooser(DownloadFolderChooser chooser);

// The file name a catalogue address saves as: its last path part without query or fragment, its
// %XX escapes decoded; empty when it has none or it would leave the folder.
std::string DownloadFileName(const std::string& address);

// Prompt, folder, fetch. `engineView`, the engine's own view behind the web view, does web downloads
// (may be null for local files). Errors are told through the dialog service. Returns the file written
// (a web download finishes later; its path is returned at once).
std::optional<std::filesystem::path> DownloadCatalogue(wxWindow* parent, void* engineView,
                                                       const std::string& address);
