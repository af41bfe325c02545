#pragma once
// Writes the sample catalogue: a new catalogue file with the data files of the sources, a folder per
// continent with a folder per country below it, and the records in their country's folder.

#include "tools/samplecatalogue/SampleSources.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

struct SampleCatalogueSources
{
    std::string name;
    std::vector<SampleDataFile> files;
    std::map<std::string, std::vector<SampleRecord>> records; // by the data file's table
};

// Writes the catalogue to `path`, replacing a file there. It is written beside the path first and
// renamed into place, so a failure (thrown) leaves no half-made catalogue behind.
void BuildSampleCatalogue(const std::filesystem::path& path, const SampleCatalogueSources& sources);
