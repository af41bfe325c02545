#include "store/program/VersionReport.h"

#include "store/program/Settings.h"

#include <cstdlib>
#include <dlfcn.h>
#include <fstream>
#include <jpeglib.h>
#include <png.h>
#include <sqlite3.h>
#include <system_error>
#include <tiffio.h>
#include <vector>
#include <zlib.h>

namespace {

struct ReportLine
{
    std::string name;
    VersionProbe probe; // empty for a section title
    bool isTitle = false;
};

// The part of a text that starts with its first digit and runs over digits and dots ("4.5.0" of
// "LIBTIFF, Version 4.5.0").
std::string VersionIn(std::string_view text)
{
    const auto start = text.find_first_of("0123456789");
    if (start == std::string_view::npos) {
        return {};
    }
    const auto end = text.find_first_not_of("0123456789.", start);
    return std::string(
        text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

// The version in the file name of the shared library that holds `symbol` ("libjpeg.so.62.3.0" gives
// "62.3.0"), for libraries that have no call telling their version.
std::string SharedObjectVersion(const void* symbol)
{
    Dl_info info{};
    if (::dladdr(symbol, &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    std::error_code error;
    const auto file = std::filesystem::canonical(info.dli_fname, error);
    const std::string name = (error ? std::filesystem::path(info.dli_fname) : file).filename().string();
    const auto so = name.find(".so.");
    return so == std::string::npos ? std::string() : VersionIn(name.substr(so + 4));
}

std::string SqlCipherVersion()
{
    sqlite3* db = nullptr;
    std::string version;
    if (sqlite3_open(":memory:", &db) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA cipher_version", -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW) {
            if (const auto* text = sqlite3_column_text(statement, 0)) {
                version = VersionIn(reinterpret_cast<const char*>(text));
            }
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return version;
}

std::vector<ReportLine>& Lines()
{
    static std::vector<ReportLine> lines{
        {"Toolkit libraries", {}, true},
        {"wxWidgets", {}, false},
        {"GTK", {}, false},
        {"Database libraries", {}, true},
        {"SQLite", [] { return VersionIn(sqlite3_libversion()); }, false},
        {"SQLCipher", SqlCipherVersion, false},
        {"Picture and compression libraries", {}, true},
        {"libjpeg", [] { return SharedObjectVersion(reinterpret_cast<const void*>(&jpeg_std_error)); },
         false},
        {"libpng", [] { return VersionIn(png_get_libpng_ver(nullptr)); }, false},
        {"libtiff", [] { return VersionIn(TIFFGetVersion()); }, false},
        {"zlib", [] { return VersionIn(zlibVersion()); }, false},
    };
    return lines;
}

} // namespace

void SetLibraryVersionProbe(std::string_view name, VersionProbe probe)
{
    for (auto& line : Lines()) {
        if (!line.isTitle && line.name == name) {
            line.probe = std::move(probe);
            return;
        }
    }
    Lines().push_back({std::string(name), std::move(probe), false});
}

unsigned long VersionNumber(std::string_view version)
{
    unsigned long parts[3] = {0, 0, 0};
    size_t start = 0;
    for (auto& part : parts) {
        if (start >= version.size()) {
            break;
        }
        const auto dot = version.find('.', start);
        const std::string piece(
            version.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start));
        part = std::strtoul(piece.c_str(), nullptr, 10);
        if (dot == std::string_view::npos) {
            break;
        }
        start = dot + 1;
    }
    return (parts[0] * 100 + parts[1]) * 10000 + parts[2];
}

unsigned long WriteDllVersion(std::ostream& out, std::string_view name, std::string_view version)
{
    if (version.empty()) {
        out << "Dll: " << name << ", notFound \n";
        return 0;
    }
    const unsigned long number = VersionNumber(version);
    out << "Dll: " << name << ", version :" << number << " \n";
    return number;
}

std::vector<LibraryVersion> ReadLibraryVersions()
{
    std::vector<LibraryVersion> versions;
    for (const auto& line : Lines()) {
        if (!line.isTitle) {
            versions.push_back({line.name, line.probe ? line.probe() : std::string()});
        }
    }
    return versions;
}

std::filesystem::path VersionReportPath()
{
    return GetProductDir() / "version.log";
}

bool WriteVersionReport()
{
    const auto path = VersionReportPath();
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    for (const auto& line : Lines()) {
        WriteDllVersion(out, line.name, line.probe ? line.probe() : std::string());
    }
    return static_cast<bool>(out.flush());
}
