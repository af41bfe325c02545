#pragma once
// Packed device-independent bitmaps (an info header, a colour table and the rows, in one block) as the
// print and layout code keeps its pictures: read from a BMP file, measured, and turned into a 32-bit
// bitmap for drawing.

#include "codecs/ImgBitmap.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

// Reads a BMP file into a packed DIB. Nothing when the file cannot be read, does not begin with "BM",
// has the old 12-byte core header, or ends before its colour table or pixels do.
std::optional<std::vector<uint8_t>> ReadDIBFile(const std::filesystem::path& path);

// Width and height of a packed DIB, from either header form (the 40-byte info header or the 12-byte
// core header); 0 when the block is too short to tell.
int DIBWidth(const uint8_t* dib, size_t size);
int DIBHeight(const uint8_t* dib, size_t size);

// The colour table of a packed DIB as 32-bit values (blue in the low byte, the fourth byte 0); empty
// for DIBs without one.
std::vector<uint32_t> DIBPalette(const uint8_t* dib, size_t size);

// Turns an uncompressed packed DIB of 1, 4, 8, 24 or 32 bits per pixel into a 32-bit bitmap (alpha
// off). Throws code 2 for other DIBs, code 11 when the block is shorter than its header says.
void DIBToBitmap32(const uint8_t* dib, size_t size, CImgBitmap& out);
