#include "tools/samplecatalogue/SampleSources.h"

#include <algorithm>
#include <charconv>
#include <set>

namespace {

std::vector<std::string> SplitTabs(const std::string& line)
{
    std::vector<std::string> cells;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        cells.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) {
            return cells;
        }
        start = tab + 1;
    }
}

// The lines that carry data, each with its line number; a carriage return at the end is dropped.
std::vector<std::pair<int, std::string>> DataLines(std::istream& in)
{
    std::vector<std::pair<int, std::string>> lines;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line.front() != '#') {
            lines.emplace_back(number, line);
        }
    }
    return lines;
}

[[noreturn]] void Fail(const std::string& source, int line, const std::string& what)
{
    throw SampleSourceError(source + ":" + std::to_string(line) + ": " + what);
}

int PositiveNumber(const std::string& text, const std::string& source, int line, const char* what)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value <= 0) {
        Fail(source, line, std::string(what) + " is not a positive number: \"" + text + "\"");
    }
    return value;
}

} // namespace

std::vector<SampleDataFile> ReadSampleDataFiles(std::istream& in, const std::string& sourceName)
{
    static const std::string kTypes = "BCDFIMOSTU";
    std::vector<SampleDataFile> files;
    for (const auto& [number, line] : DataLines(in)) {
        const std::vector<std::string> cells = SplitTabs(line);
        if (cells[0] == "FILE") {
            if (cells.size() != 6) {
                Fail(sourceName, number, "a FILE line has 6 cells, this one " + std::to_string(cells.size()));
            }
            SampleDataFile file;
            file.number = PositiveNumber(cells[1], sourceName, number, "the data file's number");
            if (std::any_of(files.begin(), files.end(), [&](const SampleDataFile& f) {
                    return f.number == file.number || f.table == cells[2];
                })) {
                Fail(sourceName, number, "data file " + cells[1] + " " + cells[2] + " is defined twice");
            }
            file.table = cells[2];
            file.menuName = cells[3];
            file.strongName = cells[4];
            file.description = cells[5];
            files.push_back(std::move(file));
        } else if (cells[0] == "FIELD") {
            if (files.empty()) {
                Fail(sourceName, number, "a FIELD line before the first FILE line");
            }
            if (cells.size() != 4 && cells.size() != 5) {
                Fail(sourceName, number,
                     "a FIELD line has 4 or 5 cells, this one " + std::to_string(cells.size()));
            }
            SampleField field;
            field.name = cells[1];
            if (field.name.empty() || field.name.size() > 10) {
                Fail(sourceName, number, "a field name has 1 to 10 characters: \"" + field.name + "\"");
            }
            if (cells[2].size() != 1 || kTypes.find(cells[2][0]) == std::string::npos) {
                Fail(sourceName, number, "unknown type letter \"" + cells[2] + "\"");
            }
            field.type = cells[2][0];
            field.length = PositiveNumber(cells[3], sourceName, number, "the field's length");
            if (cells.size() == 5) {
                std::string flags = cells[4];
                for (size_t start = 0; start <= flags.size();) {
                    const size_t comma = std::min(flags.find(',', start), flags.size());
                    const std::string flag = flags.substr(start, comma - start);
                    if (flag == "title") {
                        field.title = true;
                    } else if (flag == "column") {
                        field.column = true;
                    } else if (flag == "year") {
                        field.year = true;
                    } else if (!flag.empty()) {
                        Fail(sourceName, number, "unknown field flag \"" + flag + "\"");
                    }
                    start = comma + 1;
                }
            }
            std::vector<SampleField>& fields = files.back().fields;
            if (std::any_of(fields.begin(), fields.end(),
                            [&](const SampleField& f) { return f.name == field.name; })) {
                Fail(sourceName, number, "field " + field.name + " is defined twice");
            }
            fields.push_back(std::move(field));
        } else {
            Fail(sourceName, number, "a line starts with FILE or FIELD, not \"" + cells[0] + "\"");
        }
    }
    for (const SampleDataFile& file : files) {
        if (file.fields.empty()) {
            throw SampleSourceError(sourceName + ": data file " + file.table + " has no fields");
        }
    }
    return files;
}

std::vector<SampleRecord> ReadSampleRecords(std::istream& in, const std::string& sourceName,
                                            const SampleDataFile& file)
{
    const std::vector<std::pair<int, std::string>> lines = DataLines(in);
    if (lines.empty()) {
        throw SampleSourceError(sourceName + ": no line names the columns");
    }
    const std::vector<std::string> columns = SplitTabs(lines.front().second);
    std::set<std::string> seen;
    std::vector<bool> isField;
    for (const std::string& column : columns) {
        isField.push_back(std::any_of(file.fields.begin(), file.fields.end(),
                                      [&](const SampleField& f) { return f.name == column; }));
        if (column != "CONTINENT" && column != "COUNTRY" && !isField.back()) {
            Fail(sourceName, lines.front().first, "data file " + file.table + " has no field " + column);
        }
        if (!seen.insert(column).second) {
            Fail(sourceName, lines.front().first, "column " + column + " is named twice");
        }
    }
    if (!seen.contains("CONTINENT") || !seen.contains("COUNTRY")) {
        Fail(sourceName, lines.front().first, "the columns CONTINENT and COUNTRY are needed");
    }

    std::vector<SampleRecord> records;
    for (auto line = lines.begin() + 1; line != lines.end(); ++line) {
        const std::vector<std::string> cells = SplitTabs(line->second);
        if (cells.size() != columns.size()) {
            Fail(sourceName, line->first,
                 std::to_string(cells.size()) + " cells for " + std::to_string(columns.size()) + " columns");
        }
        SampleRecord record;
        for (size_t i = 0; i < cells.size(); ++i) {
            if (columns[i] == "CONTINENT") {
                record.continent = cells[i];
            }
            if (columns[i] == "COUNTRY") {
                record.country = cells[i];
            }
            if (isField[i] && !cells[i].empty()) {
                record.values[columns[i]] = cells[i];
            }
        }
        if (record.continent.empty() || record.country.empty()) {
            Fail(sourceName, line->first, "a record needs a continent and a country");
        }
        records.push_back(std::move(record));
    }
    return records;
}
