#pragma once
// Where the read-only files shipped with the program lie (the sample catalogue, and whatever else the
// program reads at run time): share/lumarc beside the installed program, or the build tree's copy of
// that folder when the program runs where it was built.

#include <filesystem>

// The stock folder of a program at `executable`: <prefix>/share/lumarc for <prefix>/bin/corvant when that
// folder exists (an installed program, and the build tree, which lays its programs out alike), else
// `buildTreeFolder` when it exists; empty when neither does.
std::filesystem::path FindStockDir(const std::filesystem::path& executable,
                                   const std::filesystem::path& buildTreeFolder);

// The stock folder of this process (FindStockDir of the running executable and the build tree this
// program was built in).
std::filesystem::path GetStockDir();

// The shipped sample catalogue; empty when the stock folder is not found.
std::filesystem::path GetStockSampleCatalogue();
