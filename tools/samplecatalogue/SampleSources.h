#pragma once
// The text sources of the sample catalogue: a definition file naming the data files and their fields,
// and one table of records per data file. Both are tab-separated lines; blank lines and lines starting
// with '#' are skipped. A fault in a source throws SampleSourceError naming the file and the line, so
// the build stops at the line to mend.

#include <istream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

struct SampleField
{
    std::string name;
    char type = 'C';
    int length = 0;
    bool title = false;  // part of the record's name
    bool column = false; // a column of the list
    bool year = false;   // a numismatic year
};

struct SampleDataFile
{
    int number = 0;
    std::string table;
    std::string menuName;
    std::string strongName;
    std::string description;
    std::vector<SampleField> fields;
};

// One record and the folders it lies in (a continent, and a country below it).
struct SampleRecord
{
    std::string continent;
    std::string country;
    std::map<std::string, std::string> values; // by field name; empty cells are left out
};

class SampleSourceError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Reads "FILE number table menu-name strong-name description" and "FIELD name type length [flags]"
// lines; flags are "title", "column" and "year", separated by commas.
std::vector<SampleDataFile> ReadSampleDataFiles(std::istream& in, const std::string& sourceName);

// Reads a table of records of the data file: its first line names the columns, which are CONTINENT,
// COUNTRY and fields of the data file; every record has a continent and a country.
std::vector<SampleRecord> ReadSampleRecords(std::istream& in, const std::string& sourceName,
                                            const SampleDataFile& file);
