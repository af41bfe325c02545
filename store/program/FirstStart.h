#pragma once
// The first start of a new user: with no registered catalogue, the sample catalogue shipped with the
// program is copied into the product folder and registered, so the tree shows a working catalogue.

#include <filesystem>
#include <string>

struct SampleInstallResult
{
    enum class Outcome
    {
        NothingToDo, // a catalogue is registered already
        Installed,   // the sample was copied (or found in the product folder) and registered
        Failed,      // nothing registered; `message` says why
    };
    Outcome outcome = Outcome::NothingToDo;
    std::filesystem::path catalogue; // the registered copy
    std::string message;             // for the user, when Failed
};

// The name of the copy in the product folder.
inline constexpr const char* kSampleCatalogueName = "Sample.ctg";

// Copies `sample` into the product folder and registers the copy when no catalogue is registered. A
// copy already in the product folder (a sample the user unregistered earlier) is registered as it is,
// never overwritten. The file is copied under a temporary name and renamed into place, so a failed copy
// leaves nothing behind.
SampleInstallResult InstallSampleCatalogue(const std::filesystem::path& sample);
