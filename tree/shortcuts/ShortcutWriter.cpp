#include "tree/shortcuts/ShortcutWriter.h"

#include "platform/text/CaseFold.h"
#include "store/program/ProductLaunch.h"
#include "store/program/Settings.h"
#include "tree/base/TreeNode.h"
#include "tree/shortcuts/DesktopEntry.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kExtension = ".desktop";
constexpr size_t kMaxFileNameBytes = 255;

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

// The value of XDG_DESKTOP_DIR in user-dirs.dirs: a quoted "$HOME/..." or absolute path, with '\'
// escaping the next character. Empty when the file or the line is missing or unreadable.
fs::path DesktopFromUserDirs(const fs::path& home)
{
    std::string config = Environment("XDG_CONFIG_HOME");
    const fs::path file = (config.empty() ? home / ".config" : fs::path(config)) / "user-dirs.dirs";
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        const std::string_view key = "XDG_DESKTOP_DIR=\"";
        if (line.compare(0, key.size(), key) != 0) {
            continue;
        }
        std::string value;
        size_t i = key.size();
        for (; i < line.size() && line[i] != '"'; ++i) {
            if (line[i] == '\\' && i + 1 < line.size()) {
                ++i;
            }
            value += line[i];
        }
        if (i >= line.size()) {
            return {};
        }
        if (value.compare(0, 5, "$HOME") == 0 && (value.size() == 5 || value[5] == '/')) {
            return home / value.substr(std::min<size_t>(value.size(), 6));
        }
        return value.empty() || value.front() != '/' ? fs::path() : fs::path(value);
    }
    return {};
}

std::string ProgramToStart()
{
    const std::string program = GetSettingString("productExe");
    return program.empty() ? std::string("corvant") : program;
}

} // namespace

fs::path DesktopFolder()
{
    const fs::path home = Environment("HOME");
    if (fs::path fromUserDirs = DesktopFromUserDirs(home); !fromUserDirs.empty()) {
        return fromUserDirs;
    }
    return home / "Desktop";
}

std::string ShortcutFileName(std::string_view description)
{
    std::string name;
    for (const char c : description) {
        name += c == '/' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '_' : c;
    }
    name = std::string(platform::text::TruncateUtf8(name, kMaxFileNameBytes - kExtension.size()));
    if (name.empty() || name == "." || name == "..") {
        name = "_" + name;
    }
    return name + std::string(kExtension);
}

std::string WriteShortcut(const fs::path& folder, std::string_view description, std::string_view argument,
                          int /*iconIndex*/)
{
    std::error_code error;
    fs::create_directories(folder, error);
    const fs::path path = folder / ShortcutFileName(description);
    const fs::path work = folder / (".~" + std::to_string(::getpid()) + ".desktop");
    DesktopShortcut shortcut{std::string(description), ProgramToStart(), std::string(argument),
                             GetProductDirPath(), std::string(kShortcutIcon)};
    {
        std::ofstream out(work, std::ios::binary | std::ios::trunc);
        out << DesktopEntryText(shortcut);
        if (!out.flush()) {
            fs::remove(work, error);
            return {};
        }
    }
    // Launchers start only entries their owner may run.
    fs::permissions(work,
                    fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                        fs::perms::others_read | fs::perms::others_exec,
                    error);
    fs::rename(work, path, error);
    if (error) {
        fs::remove(work, error);
        return {};
    }
    return path.string();
}

std::string WriteShortcutOfKind(int kind, std::string_view description, std::string_view argument,
                                int iconIndex)
{
    const fs::path folder = kind == kProductFolderShortcut ? fs::path(GetProductDirPath()) : DesktopFolder();
    return WriteShortcut(folder, description, argument, iconIndex);
}

std::string ListShortcutArgument(const CTreeNode& node)
{
    return "list^" + node.GetPathName();
}

std::string CatalogueLabelOf(CTreeNode& node)
{
    for (CTreeNode* at = &node; at != nullptr; at = at->GetParentNode()) {
        if (at->IsCatalogue()) {
            return at->GetName();
        }
    }
    return {};
}

std::string DescriptionWithCatalogue(CTreeNode& node, std::string_view of)
{
    return node.GetName() + std::string(of) + CatalogueLabelOf(node);
}
