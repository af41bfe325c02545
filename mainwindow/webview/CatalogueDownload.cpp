#include "mainwindow/webview/CatalogueDownload.h"

#include "platform/text/CaseFold.h"
#include "platform/ui/DialogService.h"
#include "store/program/Settings.h"

#include <dlfcn.h>

#include <wx/dirdlg.h>
#include <wx/filename.h>

namespace {

namespace fs = std::filesystem;

DownloadPrompt& Prompt()
{
    static DownloadPrompt prompt;
    return prompt;
}

DownloadFolderChooser& Chooser()
{
    static DownloadFolderChooser chooser = [](wxWindow* parent) -> std::optional<fs::path> {
        wxDirDialog dialog(parent, "Save the catalogue in", wxString::FromUTF8(GetProductDir().string()),
                           wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
        if (dialog.ShowModal() != wxID_OK) {
            return std::nullopt;
        }
        return fs::path(dialog.GetPath().utf8_string());
    };
    return chooser;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::string DecodePercent(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

void Tell(const std::string& text)
{
    platform::ui::ShowMessage(text, "Download", platform::ui::kMbOk);
}

// The browser engine downloads web addresses itself; its download call is not part of the toolkit's
// web view, so it is looked up in the engine the web view already loaded.
bool StartEngineDownload(void* view, const std::string& address, const fs::path& target)
{
    using DownloadUri = void* (*)(void*, const char*);
    using SetDestination = void (*)(void*, const char*);
    auto downloadUri = reinterpret_cast<DownloadUri>(dlsym(RTLD_DEFAULT, "webkit_web_view_download_uri"));
    auto setDestination =
        reinterpret_cast<SetDestination>(dlsym(RTLD_DEFAULT, "webkit_download_set_destination"));
    if (downloadUri == nullptr || setDestination == nullptr || view == nullptr) {
        return false;
    }
    void* download = downloadUri(view, address.c_str());
    if (download == nullptr) {
        return false;
    }
    const std::string destination =
        wxFileName::FileNameToURL(wxFileName(wxString::FromUTF8(target.string()))).utf8_string();
    setDestination(download, destination.c_str());
    return true;
}

} // namespace

DownloadPrompt SetDownloadPrompt(DownloadPrompt prompt)
{
    DownloadPrompt previous = std::move(Prompt());
    Prompt() = std::move(prompt);
    return previous;
}

DownloadFolderChooser SetDownloadFolderChooser(DownloadFolderChooser chooser)
{
    DownloadFolderChooser previous = std::move(Chooser());
    Chooser() = std::move(chooser);
    return previous;
}

std::string DownloadFileName(const std::string& address)
{
    std::string_view path(address);
    path = path.substr(0, path.find_first_of("?#"));
    const size_t slash = path.find_last_of('/');
    std::string name = DecodePercent(slash == std::string_view::npos ? path : path.substr(slash + 1));
    if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != std::string::npos ||
        name.find('\0') != std::string::npos) {
        return {};
    }
    return name;
}

std::optional<fs::path> DownloadCatalogue(wxWindow* parent, void* engineView, const std::string& address)
{
    if (platform::text::EqualsNoCase(GetSettingString("showDownload", "TRUE"), "TRUE") && Prompt()) {
        Prompt()(parent);
    }
    const std::string name = DownloadFileName(address);
    if (name.empty()) {
        Tell("This link names no catalogue file:\n" + address);
        return std::nullopt;
    }
    const std::optional<fs::path> folder = Chooser() ? Chooser()(parent) : std::nullopt;
    if (!folder) {
        return std::nullopt;
    }
    const fs::path target = *folder / fs::u8path(name);

    if (address.compare(0, 5, "file:") == 0) {
        const wxFileName source = wxFileName::URLToFileName(wxString::FromUTF8(address));
        std::error_code error;
        fs::copy_file(fs::path(source.GetFullPath().utf8_string()), target,
                      fs::copy_options::overwrite_existing, error);
        if (error) {
            Tell("The catalogue could not be saved as " + target.string() + ":\n" + error.message());
            return std::nullopt;
        }
        return target;
    }
    if (address.compare(0, 5, "http:") == 0 || address.compare(0, 6, "https:") == 0) {
        if (!StartEngineDownload(engineView, address, target)) {
            Tell("The catalogue could not be downloaded:\n" + address);
            return std::nullopt;
        }
        return target;
    }
    Tell("Only catalogues on the web or on this computer can be downloaded:\n" + address);
    return std::nullopt;
}
