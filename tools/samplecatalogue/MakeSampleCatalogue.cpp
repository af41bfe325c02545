// make-sample-catalogue: builds the sample catalogue from its text sources at build time.
//
//     make-sample-catalogue <output.ctg> <name> <datafiles.tsv> <records.tsv>...
//
// Each records file is named after its data file's table (coins.tsv holds the records of COINS).

#include "tools/samplecatalogue/SampleCatalogue.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <fstream>
#include <iostream>

namespace {

std::ifstream OpenSource(const std::filesystem::path& path)
{
    std::ifstream in(path);
    if (!in) {
        throw SampleSourceError(path.string() + ": cannot be read");
    }
    return in;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::cerr << "usage: make-sample-catalogue <output.ctg> <name> <datafiles.tsv> <records.tsv>...\n";
        return 2;
    }
    try {
        SampleCatalogueSources sources;
        sources.name = argv[2];
        std::ifstream definitions = OpenSource(argv[3]);
        sources.files = ReadSampleDataFiles(definitions, argv[3]);
        for (int i = 4; i < argc; ++i) {
            const std::filesystem::path path = argv[i];
            std::string table = path.stem().string();
            std::transform(table.begin(), table.end(), table.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
            const auto file = std::find_if(sources.files.begin(), sources.files.end(),
                                           [&](const SampleDataFile& f) { return f.table == table; });
            if (file == sources.files.end()) {
                throw SampleSourceError(path.string() + ": no data file " + table + " is defined");
            }
            std::ifstream in = OpenSource(path);
            sources.records[table] = ReadSampleRecords(in, path.string(), *file);
        }
        BuildSampleCatalogue(argv[1], sources);
    } catch (const std::exception& error) {
        std::cerr << "make-sample-catalogue: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
