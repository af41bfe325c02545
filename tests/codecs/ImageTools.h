#pragma once
// Test pictures made by other people's tools (ImageMagick, libtiff's tools) at test time, and
// ImageMagick's own reading of a picture to compare a decode against.

#include "codecs/ImgBitmap.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace lumarc::test {

// ImageMagick by its full path: another "convert" may stand first on PATH.
inline constexpr const char* kConvert = "/usr/bin/convert";

std::string Quote(const std::filesystem::path& path);

// Runs a shell command; adds a test failure and returns false when it fails.
bool RunCommand(const std::string& command);

// Runs `convert <arguments> <out>` and returns out (the file name sets the format).
std::filesystem::path Convert(const std::string& arguments, const std::filesystem::path& out);

// A 37 x 29 colour picture (odd sizes, so padding bugs show) saved as PNG in the folder.
std::filesystem::path MakeBasePicture(const std::filesystem::path& folder);

// ImageMagick's reading of the picture's first frame as RGBA bytes, top line first.
std::vector<uint8_t> ReferenceRgba(const std::filesystem::path& picture);

// A bitmap as RGBA bytes, top line first (1- and 8-bit pixels through the colour table).
std::vector<uint8_t> BitmapRgba(const CImgBitmap& bmp);

// What a bitmap shows: BitmapRgba with every pixel opaque when the bitmap has no alpha (the fourth byte
// of its pixels then means nothing).
std::vector<uint8_t> ShownRgba(const CImgBitmap& bmp);

// The largest difference of two equally long byte arrays (256 when their lengths differ).
int MaxDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b);

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

} // namespace lumarc::test
