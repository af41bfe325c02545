#pragma once
// Where the read-only files shipped with the program lie (the sample catalogue, the page templates and
// whatever else the program reads at run time): share/lumarc beside the installed program, or the build
// tree's copy of that folder when the program runs where it was built. The user's HTML folder gets a
// copy of each stock page at the first start, and later of any that has gone missing, so the pages
// always find their templates; the user's own changes to a copied file are kept.

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

// The shipped HTML folder (HTM in the stock folder); empty when the stock folder is not found.
std::filesystem::path GetStockHtmlFolder();

// Copies every file of `stock` that `target` lacks into `target` (made when missing); existing files
// are left as they are. Returns how many were copied; a file that cannot be copied is written to the
// trace log and skipped.
int CopyMissingStockFiles(const std::filesystem::path& stock, const std::filesystem::path& target);

// CopyMissingStockFiles from the shipped HTML folder into the HTML folder of the settings.
int InstallStockHtmlFiles();
