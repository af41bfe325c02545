#include "mainwindow/webview/BrowserModule.h"

#include "platform/folders/UserFolders.h"
#include "platform/ui/DialogService.h"
#include "store/program/TraceLog.h"

#include <dlfcn.h>

namespace {

struct BrowserState
{
    const BrowserEntries* installed = nullptr;
    const BrowserEntries* loaded = nullptr;
    bool tried = false;
};

BrowserState& State()
{
    static BrowserState state;
    return state;
}

} // namespace

std::filesystem::path BrowserModulePath()
{
    return platform::folders::CurrentExecutable().parent_path().parent_path() / "lib" / "lumarc" /
           "corvant-browser.so";
}

const BrowserEntries* LoadBrowserModule(const std::filesystem::path& path, std::string& error)
{
    // Every symbol is resolved now, so a module that does not fit this program fails here and not in the
    // middle of drawing a page.
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        const char* reason = ::dlerror();
        error = reason != nullptr ? reason : "it could not be loaded";
        return nullptr;
    }
    using EntriesFunction = const BrowserEntries* (*)();
    auto entries = reinterpret_cast<EntriesFunction>(::dlsym(module, kBrowserEntriesSymbol));
    const BrowserEntries* table = entries != nullptr ? entries() : nullptr;
    if (table == nullptr || table->makeWebView == nullptr || table->showTraining == nullptr) {
        error = path.string() + " is not this program's browser module";
        ::dlclose(module);
        return nullptr;
    }
    return table;
}

const BrowserEntries* Browser()
{
    BrowserState& state = State();
    if (state.installed != nullptr) {
        return state.installed;
    }
    if (!state.tried) {
        state.tried = true;
        std::string error;
        const std::filesystem::path path = BrowserModulePath();
        state.loaded = LoadBrowserModule(path, error);
        if (state.loaded == nullptr) {
            DebugLogString("browser module not loaded: " + error);
            platform::ui::ShowMessage("Web pages cannot be shown: the program's browser module could not be "
                                      "loaded.\n\n" +
                                          error,
                                      "Web pages", platform::ui::kMbOk | platform::ui::kMbIconWarning);
        } else {
            DebugLogString("browser module loaded");
        }
    }
    return state.loaded;
}

void InstallBrowser(const BrowserEntries* entries)
{
    State().installed = entries;
}

void ShowTrainingLesson(wxWindow* parent)
{
    if (const BrowserEntries* browser = Browser(); browser != nullptr) {
        browser->showTraining(parent);
    }
}
