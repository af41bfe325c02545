#include "store/program/TextFiles.h"

#include "store/program/Settings.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>
#include <unistd.h>

namespace {

constexpr const char* kTemporaryName = "tmpFl.hwe";
constexpr std::string_view kThemeTag = "<meta name=\"microsoft theme\"";
constexpr size_t kThemeTagMax = 500;

std::string ReplaceFirst(const std::string& line, std::string_view oldText, std::string_view newText)
{
    const auto at = line.find(oldText);
    if (at == std::string::npos) {
        return line;
    }
    std::string result = line.substr(0, at);
    result += newText;
    result += line.substr(at + oldText.size());
    return result;
}

} // namespace

int ReadLine(std::istream& file, std::string& line)
{
    line.clear();
    std::getline(file, line, '\n');
    if (file.eof() || file.fail()) {
        return -1;
    }
    line += '\n';
    return 1;
}

bool ReplaceTextInFile(const std::filesystem::path& path, std::string_view oldText, std::string_view newText)
{
    if (oldText.empty() || path.empty() || ::access(path.c_str(), R_OK | W_OK) != 0) {
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    // Beside the file rather than in the current folder: the rename below must stay on one file system,
    // and the current folder may be anywhere (or read-only).
    const auto temporary = path.parent_path() / kTemporaryName;
    std::error_code error;
    std::filesystem::remove(temporary, error);
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    std::string line;
    for (;;) {
        const int result = ReadLine(in, line);
        out << ReplaceFirst(line, oldText, newText);
        if (result < 0) {
            break;
        }
    }
    const bool readWhole = in.eof() && !in.bad();
    in.close();
    out.close();
    if (!readWhole || !out) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    std::filesystem::permissions(temporary, std::filesystem::status(path, error).permissions(), error);
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

bool ReplaceTextInWebPage(std::string_view oldText, std::string_view newText)
{
    return ReplaceTextInFile(GetHtmDirectory() / "webPage.htm", oldText, newText);
}

std::optional<std::string> ReadThemeMetaTag(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    const auto start = text.find(kThemeTag);
    if (start == std::string::npos) {
        return std::nullopt;
    }
    std::string tag = text.substr(start, kThemeTagMax);
    if (const auto close = tag.find('>'); close != std::string::npos) {
        tag.resize(close + 1);
    }
    return tag;
}
