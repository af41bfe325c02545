// Pictures written by ImageMagick, netpbm and libtiff's tools in the variants collectors meet, decoded by the
// recognising decoder and compared with ImageMagick's own reading of the same file.

#include "codecs/ImgAnyBitmap.h"
#include "codecs/ImgAnyFormatDecoder.h"
#include "tests/codecs/ImageTools.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace lumarc::test;

struct Variant
{
    const char* name;
    const char* file;
    // Shell command that writes the file; {base} is a 37 x 29 colour PNG, {ppm} the same as PPM, {dir}
    // the folder and {out} the file.
    const char* command;
    int depthWhenFree; // bits per pixel the decoder picks when asked for 0
    // Largest difference from ImageMagick's pixels: JPEG decoders may round differently, 16-bit samples
    // are cut to 8 bits here and rounded by ImageMagick, and at 32 bits libtiff cuts 16-bit colour-map
    // values where ImageMagick rounds them.
    int tolerance;
    // Where ImageMagick misreads the file, a command that writes the picture as another decoder reads it
    // into {ref} (a PPM file); {out} is the file.
    const char* reference = nullptr;
};

const Variant kVariants[] = {
    {"JpegColour", "c.jpg", "convert {base} -quality 90 {out}", 32, 1},
    {"JpegColour444", "c444.jpg", "convert {base} -sampling-factor 1x1 {out}", 32, 1},
    {"JpegGrey", "g.jpg", "convert {base} -colorspace gray {out}", 8, 1},
    {"JpegProgressive", "p.jpg", "convert {base} -interlace Plane {out}", 32, 1},
    {"JpegProgressiveGrey", "pg.jpg", "convert {base} -colorspace gray -interlace Plane {out}", 8, 1},
    {"PngGrey1", "g1.png",
     "convert {base} -colorspace gray -threshold 50% -define png:color-type=0 -define png:bit-depth=1 {out}",
     8, 0},
    {"PngGrey2", "g2.png",
     "convert {base} -colorspace gray -depth 2 -define png:color-type=0 -define png:bit-depth=2 {out}", 8, 0},
    {"PngGrey4", "g4.png",
     "convert {base} -colorspace gray -depth 4 -define png:color-type=0 -define png:bit-depth=4 {out}", 8, 0},
    {"PngGrey8", "g8.png", "convert {base} -colorspace gray -define png:color-type=0 {out}", 8, 0},
    {"PngGrey16", "g16.png",
     "convert {base} -colorspace gray -depth 16 -define png:color-type=0 -define png:bit-depth=16 {out}", 8,
     1},
    {"PngPalette8", "p8.png", "convert {base} -colors 200 PNG8:{out}", 8, 0},
    {"PngPalette4", "p4.png",
     "convert {base} -colors 16 -define png:color-type=3 -define png:bit-depth=4 {out}", 8, 0},
    {"PngPalette1", "p1.png",
     "convert {base} -colors 2 -define png:color-type=3 -define png:bit-depth=1 {out}", 8, 0},
    {"PngPaletteTransparent", "pt.png",
     "convert {base} -colors 64 -alpha set -region 11x11+0+0 -alpha transparent +region PNG8:{out}", 32, 0},
    {"PngGreyTransparent", "gt.png",
     "convert {base} -colorspace gray -alpha set -region 11x11+0+0 -alpha transparent +region -define "
     "png:color-type=0 {out}",
     32, 0},
    {"PngRgb", "rgb.png", "convert {base} PNG24:{out}", 32, 0},
    {"PngRgb16", "rgb16.png", "convert {base} -depth 16 PNG48:{out}", 32, 1},
    {"PngRgba", "rgba.png",
     "convert {base} ( -size 37x29 gradient: ) -alpha off -compose CopyOpacity -composite PNG32:{out}", 32,
     0},
    {"PngGreyAlpha", "ga.png",
     "convert {base} -colorspace gray ( -size 37x29 gradient: ) -alpha off -compose CopyOpacity -composite "
     "-define png:color-type=4 {out}",
     32, 0},
    {"PngInterlaced", "i.png", "convert {base} -interlace PNG PNG24:{out}", 32, 0},
    {"PngInterlacedPalette", "ip.png", "convert {base} -colors 100 -interlace PNG PNG8:{out}", 8, 0},
    {"TiffBilevelBlackIsZero", "b1.tif",
     "convert {base} -colorspace gray -threshold 50% -type bilevel -depth 1 {out}", 1, 0},
    {"TiffBilevelWhiteIsZero", "w1.tif",
     "convert {base} -colorspace gray -threshold 50% -type bilevel -depth 1 -define "
     "quantum:polarity=min-is-white {out}",
     1, 0},
    {"TiffFaxGroup4", "fax.tif",
     "convert {base} -colorspace gray {dir}/g.tif && tiffdither {dir}/g.tif {dir}/d.tif && "
     "tiffcp -c g4 {dir}/d.tif {out}",
     1, 0},
    {"TiffGrey8", "g8.tif", "convert {base} -colorspace gray {out}", 8, 0},
    {"TiffGrey4", "g4.tif", "convert {base} -colorspace gray -depth 4 {out}", 8, 0},
    {"TiffGrey2", "g2.tif", "convert {base} -colorspace gray -depth 2 {out}", 8, 0},
    {"TiffGrey16", "g16.tif", "convert {base} -colorspace gray -depth 16 {out}", 32, 1},
    {"TiffPalette8", "p8.tif", "convert {base} -colors 200 -type palette {out}", 8, 1},
    {"TiffPalette4", "p4.tif", "convert {base} -colors 16 -type palette -depth 4 {out}", 8, 0},
    {"TiffRgb", "rgb.tif", "convert {base} {out}", 32, 0},
    {"TiffRgbBigEndian", "rgbmm.tif", "convert {base} -endian MSB {out}", 32, 0},
    {"TiffRgb16", "rgb16.tif", "convert {base} -depth 16 {out}", 32, 1},
    {"TiffRgbFromPpm", "ppm.tif", "ppm2tiff {ppm} {out}", 32, 0},
    {"TiffTiled", "tiled.tif", "convert {base} {dir}/t.tif && tiffcp -t -w 16 -l 16 {dir}/t.tif {out}", 32,
     0},
    {"TiffTiledGrey", "tiledg.tif",
     "convert {base} -colorspace gray {dir}/tg.tif && tiffcp -t -w 16 -l 16 {dir}/tg.tif {out}", 32, 0},
    {"TiffLzw", "lzw.tif", "convert {base} -compress LZW {out}", 32, 0},
    {"TiffLzwPalette", "lzwp.tif",
     "convert {base} -colors 50 -type palette {dir}/lp.tif && tiffcp -c lzw {dir}/lp.tif {out}", 8, 1},
    {"TiffLzwPredictor", "lzwpred.tif", "convert {base} {dir}/pr.tif && tiffcp -c lzw:2 {dir}/pr.tif {out}",
     32, 0},
    {"TiffJpegRgb", "jpeg.tif", "convert {base} -compress JPEG -quality 95 {out}", 32, 1},
    {"TiffJpegYCbCr", "ycc.tif", "convert {base} {dir}/y.tif && tiffcp -c jpeg:95 {dir}/y.tif {out}", 32, 1},
    {"TiffJpegGrey", "jpegg.tif", "convert {base} -colorspace gray -compress JPEG {out}", 8, 1},
    {"TiffPackBits", "pb.tif", "convert {base} -compress RLE {out}", 32, 0},
    {"TiffDeflate", "zip.tif", "convert {base} -compress Zip {out}", 32, 0},
    {"BmpRgb", "rgb.bmp", "convert {base} {out}", 32, 0},
    {"BmpRgbInfoHeader", "rgb3.bmp", "convert {base} BMP3:{out}", 32, 0},
    {"BmpRgbFromPpm", "ppm.bmp", "ppmtobmp {ppm} > {out}", 32, 0},
    {"BmpRgbx32", "rgbx.bmp", "convert {base} -alpha set {out}", 32, 0},
    {"BmpPalette8Rle", "p8rle.bmp", "convert {base} -colors 200 -type palette {out}", 8, 0},
    {"BmpPalette8", "p8.bmp", "convert {base} -colors 200 -type palette -compress None BMP3:{out}", 8, 0},
    {"BmpPalette8FromPpm", "q8.bmp", "pnmquant 199 {ppm} | ppmtobmp -bpp 8 > {out}", 8, 0},
    {"BmpPalette4", "p4.bmp", "convert {base} -colors 16 -type palette {out}", 8, 0},
    {"BmpPalette4FromPpm", "q4.bmp", "pnmquant 16 {ppm} | ppmtobmp -bpp 4 > {out}", 8, 0},
    {"BmpBilevel", "b1.bmp", "convert {base} -threshold 50% -type bilevel {out}", 8, 0},
    {"BmpBilevelFromPbm", "pbm.bmp", "convert {base} -threshold 50% pbm:- | ppmtobmp -bpp 1 > {out}", 8, 0},
    {"PcxRgb", "rgb.pcx", "convert {base} {out}", 32, 0},
    {"PcxRgbFromPpm", "ppm.pcx", "ppmtopcx {ppm} > {out}", 32, 0},
    {"PcxPalette8", "p8.pcx", "convert {base} -colors 200 -type palette {out}", 32, 0},
    {"PcxPalette8FromPpm", "q8.pcx", "pnmquant 200 {ppm} | ppmtopcx -8bit > {out}", 32, 0},
    {"PcxFourPlanes", "q4.pcx", "pnmquant 16 {ppm} | ppmtopcx > {out}", 32, 0},
    {"PcxTwoPlanes", "q2.pcx", "pnmquant 4 {ppm} | ppmtopcx > {out}", 32, 0},
    {"PcxPacked4", "q4p.pcx", "pnmquant 16 {ppm} | ppmtopcx -packed > {out}", 32, 0},
    {"PcxPacked2", "q2p.pcx", "pnmquant 4 {ppm} | ppmtopcx -packed > {out}", 32, 0},
    // ImageMagick takes a set bit of a one-plane, one-bit PCX for black; the format (and netpbm) for white.
    {"PcxBilevel", "b.pcx", "convert {base} -threshold 50% pbm:- | ppmtopcx > {out}", 32, 0,
     "pcxtoppm {out} > {ref}"},
    {"PgmBytes", "g.pgm", "convert {base} -colorspace gray {out}", 8, 0},
    {"PgmText", "t.pgm", "convert {base} -colorspace gray pgm:- | pamtopnm -plain > {out}", 8, 0},
    {"PgmMaximum15", "m.pgm", "convert {base} -colorspace gray pgm:- | pamdepth 15 | pamtopnm -plain > {out}",
     8, 0},
    {"PgmMaximum100", "c.pgm", "convert {base} -colorspace gray pgm:- | pamdepth 100 > {out}", 8, 1},
    {"PgmSixteenBits", "g16.pgm", "convert {base} -colorspace gray -depth 16 {out}", 8, 1},
    {"TgaRgb", "rgb.tga", "convert {base} {out}", 32, 0},
    {"TgaRgbRle", "rgbr.tga", "convert {base} -compress RLE {out}", 32, 0},
    {"TgaRgbTopDown", "td.tga", "convert {base} -define tga:image-origin=TopLeft {out}", 32, 0},
    {"TgaRgba", "rgba.tga",
     "convert {base} ( -size 37x29 gradient: ) -alpha off -compose CopyOpacity -composite {out}", 32, 0},
    {"TgaRgbaRle", "rgbar.tga",
     "convert {base} ( -size 37x29 gradient: ) -alpha off -compose CopyOpacity -composite -compress RLE "
     "{out}",
     32, 0},
    {"TgaRgb16", "rgb16.tga", "convert {base} -depth 5 {out}", 32, 7},
    {"TgaPalette", "p.tga", "convert {base} -colors 200 -type palette {out}", 8, 0},
    {"TgaPaletteRle", "pr.tga", "convert {base} -colors 200 -type palette -compress RLE {out}", 8, 0},
    {"TgaGrey", "g.tga", "convert {base} -colorspace gray {out}", 8, 0},
    {"TgaGreyRle", "gr.tga", "convert {base} -colorspace gray -compress RLE {out}", 8, 0},
    {"TgaRgbFromPpm", "n.tga", "pamtotga -norle {ppm} > {out}", 32, 0},
    {"TgaRgbRleFromPpm", "nr.tga", "pamtotga {ppm} > {out}", 32, 0},
    {"TgaPaletteFromPpm", "np.tga", "pnmquant 200 {ppm} | pamtotga -cmap -norle > {out}", 8, 0},
    {"TgaPaletteRleFromPpm", "npr.tga", "pnmquant 200 {ppm} | pamtotga -cmap > {out}", 8, 0},
    {"PictDirect", "d.pict", "convert {base} {out}", 32, 0},
    {"PictPalette", "p.pict", "convert {base} -colors 200 -type palette {out}", 8, 1},
    {"PictFewColours", "f.pict", "convert {base} -colors 6 -type palette {out}", 8, 1},
    {"PictQuickTimeJpeg", "j.pict", "convert {base} -compress JPEG {out}", 32, 1},
    {"PictPaletteFromPpm", "n.pict", "pnmquant 200 {ppm} | ppmtopict > {out}", 8, 0},
    {"TgaGreyRleFromPgm", "ngr.tga", "ppmtopgm {ppm} | pamtotga -mono > {out}", 8, 0},
};

std::string Expand(std::string text, const std::string& key, const std::string& value)
{
    for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + value.size())) {
        text.replace(at, key.size(), value);
    }
    return text;
}

class CodecConformanceTest : public testing::TestWithParam<Variant>
{
protected:
    static void SetUpTestSuite()
    {
        s_folder = MakeTempFolder("conformance");
        s_base = MakeBasePicture(s_folder);
        Convert(Quote(s_base), s_folder / "base.ppm");
    }

    static std::filesystem::path s_folder;
    static std::filesystem::path s_base;
};

std::filesystem::path CodecConformanceTest::s_folder;
std::filesystem::path CodecConformanceTest::s_base;

TEST_P(CodecConformanceTest, DecodesLikeImageMagick)
{
    const Variant& v = GetParam();
    const auto dir = s_folder / v.name;
    std::filesystem::create_directories(dir);
    const auto out = dir / v.file;
    std::string command = Expand(v.command, "convert ", std::string(kConvert) + " ");
    command = Expand(command, "(", "\\(");
    command = Expand(command, ")", "\\)");
    command = Expand(command, "{base}", Quote(s_base));
    command = Expand(command, "{ppm}", Quote(s_folder / "base.ppm"));
    command = Expand(command, "{dir}", Quote(dir));
    command = Expand(command, "{out}", Quote(out));
    ASSERT_TRUE(RunCommand("(" + command + ") 2>/dev/null"));
    auto reference = out;
    if (v.reference != nullptr) {
        reference = dir / "reference.ppm";
        ASSERT_TRUE(RunCommand(Expand(Expand(v.reference, "{out}", Quote(out)), "{ref}", Quote(reference)) +
                               " 2>/dev/null"));
    }
    const auto expected = ReferenceRgba(reference);

    for (int request : {0, 32}) {
        SCOPED_TRACE(request);
        CImgAnyBitmap bmp;
        ProgramDecoder().MakeBmpFromFile(out, bmp, request);
        EXPECT_EQ(bmp.GetWidth(), 37);
        EXPECT_EQ(4 * bmp.GetWidth() * bmp.GetHeight(), static_cast<int>(expected.size()));
        EXPECT_EQ(bmp.GetBitsPerPixel(), request == 32 ? 32 : v.depthWhenFree);
        EXPECT_LE(MaxDifference(ShownRgba(bmp), expected), v.tolerance);
    }
}

INSTANTIATE_TEST_SUITE_P(Variants, CodecConformanceTest, testing::ValuesIn(kVariants),
                         [](const testing::TestParamInfo<Variant>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
