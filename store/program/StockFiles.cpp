#include "store/program/StockFiles.h"

#include "platform/folders/UserFolders.h"

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
