#pragma once
// The browser engine is large: its libraries alone take about a tenth of a second and some 30 MB to load,
// and a start with the list alone, or in Find mode, never shows a page. So what needs the engine (the
// right pane's web view, the training lessons) lives in a module of its own, "corvant-browser.so",
// loaded the first time one of them is wanted. The module's code calls back into the program, which
// exports its symbols for it.

#include <filesystem>
#include <string>

class CFrameWebPane;
class CPaneFrame;
class wxWindow;

struct BrowserEntries
{
    CFrameWebPane* (*makeWebView)(wxWindow* parent, CPaneFrame& frame) = nullptr;
    // Shows the current training lesson beside the window (modeless).
    void (*showTraining)(wxWindow* parent) = nullptr;
};

// The browser's code (the module, or a test that links it) exports its table under this name.
inline constexpr const char* kBrowserEntriesSymbol = "LumarcBrowserEntries";
extern "C" const BrowserEntries* LumarcBrowserEntries();

// Where the program looks for the module: lib/lumarc beside the program's folder, as in the build tree
// and an installation alike.
std::filesystem::path BrowserModulePath();

// Loads a module and returns its table, or nullptr with the reason in `error`. A module once loaded stays
// loaded: windows made by its code may live until the program ends.
const BrowserEntries* LoadBrowserModule(const std::filesystem::path& path, std::string& error);

// The browser's entries: those installed, or else the module's, loaded on the first call. When it cannot be
// loaded the user is told once and nullptr is returned from then on (the list then fills the pane).
const BrowserEntries* Browser();
// Programs that link the browser's code themselves (tests) install its table; nullptr uninstalls it.
void InstallBrowser(const BrowserEntries* entries);

// The current training lesson, when the browser is there.
void ShowTrainingLesson(wxWindow* parent);
