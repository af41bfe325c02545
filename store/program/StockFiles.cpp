#include "store/program/StockFiles.h"

#include "platform/folders/UserFolders.h"
#include "store/program/Settings.h"
#include "store/program/TraceLog.h"

#include <system_error>

std::filesystem::path FindStockDir(const std::filesystem::path& executable,
                                   const std::filesystem::path& buildTreeFolder)
{
    std::error_code error;
    if (!executable.empty()) {
        const std::filesystem::path installed = executable.parent_path().parent_path() / "share" / "lumarc";
        if (std::filesystem::is_directory(installed, error)) {
            return installed;
        }
    }
    if (!buildTreeFolder.empty() && std::filesystem::is_directory(buildTreeFolder, error)) {
        return buildTreeFolder;
    }
    return {};
}

std::filesystem::path GetStockDir()
{
    return FindStockDir(platform::folders::CurrentExecutable(), LUMARC_STOCK_BUILD_DIR);
}

std::filesystem::path GetStockSampleCatalogue()
{
    const std::filesystem::path stock = GetStockDir();
    return stock.empty() ? stock : stock / "sample" / "Sample.ctg";
}

namespace {

bool IsFolder(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

} // namespace

std::filesystem::path GetStockHtmlFolder()
{
    const std::filesystem::path stock = GetStockDir();
    return stock.empty() ? stock : stock / "HTM";
}

int CopyMissingStockFiles(const std::filesystem::path& stock, const std::filesystem::path& target)
{
    std::error_code error;
    if (stock.empty() || !IsFolder(stock)) {
        return 0;
    }
    std::filesystem::create_directories(target, error);
    if (error) {
        DebugLogString("Cannot make the HTML folder " + target.string() + ": " + error.message());
        return 0;
    }
    int copied = 0;
    for (const auto& entry : std::filesystem::directory_iterator(stock, error)) {
        if (!entry.is_regular_file(error)) {
            continue;
        }
        const auto destination = target / entry.path().filename();
        if (std::filesystem::exists(destination, error)) {
            continue;
        }
        std::error_code copyError;
        std::filesystem::copy_file(entry.path(), destination, copyError);
        if (copyError) {
            DebugLogString("Cannot copy " + entry.path().string() + ": " + copyError.message());
            continue;
        }
        // The stock files are installed read-only; the user's copy is theirs to edit.
        std::filesystem::permissions(destination,
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, copyError);
        ++copied;
    }
    return copied;
}

int InstallStockHtmlFiles()
{
    return CopyMissingStockFiles(GetStockHtmlFolder(), GetHtmDirectory());
}
