#pragma once
// The version report "version.log" in the product folder: the versions of the libraries the program
// runs on, read from the libraries themselves when the report is written. Users send it in with a
// problem report.
//
// Each line is "Dll: <name>, version :<number> \n", the number being (major × 100 + minor) × 10000 +
// build of the version "major.minor.build"; a library whose version cannot be read, and each section
// title, is written "Dll: <name>, notFound \n".

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

// Asks a library for its version text ("3.2.2"); empty when it cannot tell.
using VersionProbe = std::function<std::string()>;

// Sets how the report reads the version of one of its libraries. The store reads its own (database,
// pictures, compression); the windowing layer sets "wxWidgets" and "GTK", which otherwise are not found.
void SetLibraryVersionProbe(std::string_view name, VersionProbe probe);

// The number of a version text "a.b.c[.d]": (a × 100 + b) × 10000 + c; missing parts count 0.
unsigned long VersionNumber(std::string_view version);

// Writes one line for a library and returns its number (0 when the version is empty).
unsigned long WriteDllVersion(std::ostream& out, std::string_view name, std::string_view version);

// One library of the report with its version text as the library tells it (empty when not found).
struct LibraryVersion
{
    std::string name;
    std::string version;
};

// The libraries of the report, read now, in the report's order and without its section titles; the
// About box shows them.
std::vector<LibraryVersion> ReadLibraryVersions();

std::filesystem::path VersionReportPath();

// Writes the report anew. False when the file cannot be written.
bool WriteVersionReport();
