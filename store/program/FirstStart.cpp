#include "store/program/FirstStart.h"

#include "store/program/Settings.h"

#include <algorithm>
#include <system_error>

namespace {

SampleInstallResult Failure(std::string message)
{
    return {SampleInstallResult::Outcome::Failed, {}, std::move(message)};
}

} // namespace

SampleInstallResult InstallSampleCatalogue(const std::filesystem::path& sample)
{
    const auto registered = ReadRegisteredCatalogues();
    if (std::any_of(registered.begin(), registered.end(),
                    [](const std::string& slot) { return !slot.empty(); })) {
        return {};
    }

    const std::filesystem::path folder = GetProductDir();
    const std::filesystem::path target = folder / kSampleCatalogueName;
    std::error_code error;
    if (!std::filesystem::exists(target, error)) {
        if (sample.empty() || !std::filesystem::is_regular_file(sample, error)) {
            return Failure("The sample catalogue that comes with the program was not found" +
                           (sample.empty() ? std::string(".") : " at " + sample.string() + ".") +
                           " Install the program again, or open a catalogue of your own.");
        }
        const std::filesystem::path part = folder / (target.stem().string() + ".part.ctg");
        std::filesystem::create_directories(folder, error);
        if (!error) {
            std::filesystem::copy_file(sample, part, std::filesystem::copy_options::overwrite_existing,
                                       error);
        }
        if (!error) {
            // The copy is the user's to change, whatever the installed file's mode.
            std::filesystem::permissions(
                part, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
                std::filesystem::perm_options::add, error);
        }
        if (!error) {
            std::filesystem::rename(part, target, error);
        }
        if (error) {
            std::error_code ignored;
            std::filesystem::remove(part, ignored);
            return Failure("The sample catalogue could not be copied to " + target.string() + ": " +
                           error.message() + ".");
        }
    }
    if (RegisterCatalogue(target.string()) >= kCatalogueSlots) {
        return Failure("The sample catalogue could not be registered: every catalogue slot is taken.");
    }
    return {SampleInstallResult::Outcome::Installed, target, {}};
}
