#include "tests/codecs/ImageTools.h"

#include "codecs/ImgAnyBitmap.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace lumarc::test {

std::string Quote(const std::filesystem::path& path)
{
    std::string quoted = "'";
    for (char c : path.string()) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

bool RunCommand(const std::string& command)
{
    const int status = std::system(command.c_str());
    if (status != 0) {
        ADD_FAILURE() << "command failed (" << status << "): " << command;
        return false;
    }
    return true;
}

std::filesystem::path Convert(const std::string& arguments, const std::filesystem::path& out)
{
    RunCommand(std::string(kConvert) + " " + arguments + " " + Quote(out));
    return out;
}

std::filesystem::path MakeBasePicture(const std::filesystem::path& folder)
{
    return Convert("-size 37x29 -seed 7 plasma:fractal -depth 8", folder / "base.png");
}

std::vector<uint8_t> ReferenceRgba(const std::filesystem::path& picture)
{
    // ImageMagick keeps a TGA's rows in the order they are stored and only notes where the picture's
    // origin is; turned the right way up, they are what the file shows.
    const std::string orient = picture.extension() == ".tga" ? " -auto-orient" : "";
    const std::string command = std::string(kConvert) + " " + Quote(picture.string() + "[0]") + orient +
                                " -depth 8 rgba:- 2>/dev/null";
    std::vector<uint8_t> bytes;
    if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
        uint8_t buffer[65536];
        size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            bytes.insert(bytes.end(), buffer, buffer + n);
        }
        if (::pclose(pipe) != 0) {
            ADD_FAILURE() << "ImageMagick could not read " << picture;
        }
    }
    return bytes;
}

std::vector<uint8_t> BitmapRgba(const CImgBitmap& bmp)
{
    CImgAnyBitmap full;
    full.CreateCopy(bmp, 32);
    std::vector<uint8_t> rgba;
    rgba.reserve(4 * static_cast<size_t>(full.GetWidth()) * static_cast<size_t>(full.GetHeight()));
    for (int y = 0; y < full.GetHeight(); ++y) {
        const uint8_t* line = full.GetLine(y);
        for (int x = 0; x < full.GetWidth(); ++x) {
            rgba.push_back(line[4 * x + 2]);
            rgba.push_back(line[4 * x + 1]);
            rgba.push_back(line[4 * x]);
            rgba.push_back(line[4 * x + 3]);
        }
    }
    return rgba;
}

std::vector<uint8_t> ShownRgba(const CImgBitmap& bmp)
{
    std::vector<uint8_t> rgba = BitmapRgba(bmp);
    if (!bmp.HasAlpha()) {
        for (size_t i = 3; i < rgba.size(); i += 4) {
            rgba[i] = 255;
        }
    }
    return rgba;
}

int MaxDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    if (a.size() != b.size()) {
        return 256;
    }
    int most = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        most = std::max(most, std::abs(a[i] - b[i]));
    }
    return most;
}

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

} // namespace lumarc::test
