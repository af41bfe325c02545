#include "codecs/ImgAnyFormatDecoder.h"

#include "codecs/BMPDecoder.h"
#include "codecs/ByteOrder.h"
#include "codecs/DecoderTrace.h"
#include "codecs/JPEGDecoder.h"
#include "codecs/PCXDecoder.h"
#include "codecs/PGMDecoder.h"
#include "codecs/PICTDecoder.h"
#include "codecs/PNGDecoder.h"
#include "codecs/TGADecoder.h"
#include "codecs/TIFFDecoder.h"
#include "codecs/WMFDecoder.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// The extension of the file name at the end of a path, '.' included, in capitals; either separator ends a
// folder, since stored paths may come from Windows.
std::string UpperExtension(std::string_view path)
{
    const size_t separator = path.find_last_of("/\\");
    const std::string_view file = separator == std::string_view::npos ? path : path.substr(separator + 1);
    const size_t dot = file.rfind('.');
    std::string extension(dot == std::string_view::npos ? std::string_view() : file.substr(dot));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return extension;
}

bool IsOneOf(uint8_t value, std::initializer_list<uint8_t> values)
{
    return std::find(values.begin(), values.end(), value) != values.end();
}

bool IsTga(const uint8_t* b)
{
    return b[1] <= 1 && (b[2] <= 3 || (b[2] >= 9 && b[2] <= 11)) && IsOneOf(b[7], {0, 8, 15, 16, 24, 32}) &&
           IsOneOf(b[16], {8, 15, 16, 24, 32});
}

bool StartsWith(const uint8_t* b, std::initializer_list<uint8_t> bytes)
{
    return std::equal(bytes.begin(), bytes.end(), b);
}

const char* TypeName(CImgFileType type)
{
    switch (type) {
    case CImgFileType::Bmp:
        return "BMP";
    case CImgFileType::Tga:
        return "TGA";
    case CImgFileType::Gif:
        return "GIF";
    case CImgFileType::Tiff:
        return "TIFF";
    case CImgFileType::Pict:
        return "PICT";
    case CImgFileType::Jpeg:
        return "JPEG";
    case CImgFileType::Png:
        return "PNG";
    case CImgFileType::EpsTiff:
        return "EPS";
    case CImgFileType::Pcx:
        return "PCX";
    case CImgFileType::Pgm:
        return "PGM";
    case CImgFileType::Wmf:
        return "WMF";
    case CImgFileType::Emf:
        return "EMF";
    default:
        return "unknown";
    }
}

} // namespace

CImgFileType RecogniseImage(std::string_view name, const uint8_t* head, size_t headSize, size_t totalSize)
{
    const std::string extension = UpperExtension(name);
    if (extension == ".WMF") {
        return CImgFileType::Wmf;
    }
    if (extension == ".EMF") {
        return CImgFileType::Emf;
    }

    uint8_t b[kImgRecogniseBytes] = {};
    if (head != nullptr) {
        std::memcpy(b, head, std::min(headSize, kImgRecogniseBytes));
    }
    if (b[0] == 'B' && b[1] == 'M') {
        return CImgFileType::Bmp;
    }
    if (IsTga(b)) {
        return CImgFileType::Tga;
    }
    if (StartsWith(b, {0x47, 0x49, 0x46, 0x38})) {
        return CImgFileType::Gif;
    }
    if (StartsWith(b, {0x49, 0x49, 0x2A, 0x00}) || StartsWith(b, {0x4D, 0x4D, 0x00, 0x2A})) {
        return CImgFileType::Tiff;
    }
    // A PICT file has a 512-byte header and a 10-byte picture header before its version opcode.
    if (totalSize > 540) {
        const uint8_t* v = b + 522;
        if (StartsWith(v, {0x00, 0x11, 0x02, 0xFF}) || StartsWith(v, {0x00, 0x11, 0x01}) ||
            StartsWith(v, {0x11, 0x01, 0x01, 0x00})) {
            return CImgFileType::Pict;
        }
    }
    if (StartsWith(b, {0xFF, 0xD8, 0xFF})) {
        return CImgFileType::Jpeg;
    }
    if (StartsWith(b, {0x89, 'P', 'N', 'G'})) {
        return CImgFileType::Png;
    }
    if ((StartsWith(b, {0xC5, 0xD0, 0xD3, 0xC6}) || StartsWith(b, {0xC6, 0xD3, 0xD0, 0xC5})) &&
        imgbytes::Le32(b + 20) != 0 && imgbytes::Le32(b + 24) != 0) {
        return CImgFileType::EpsTiff;
    }
    if (b[0] == 10 && b[2] == 1) {
        return CImgFileType::Pcx;
    }
    if (b[0] == 'P' && (b[1] == '2' || b[1] == '5')) {
        return CImgFileType::Pgm;
    }
    return CImgFileType::Unknown;
}

CImgAnyFormatDecoder::CImgAnyFormatDecoder()
{
    // The one place where formats meet their decoders.
    Register(CImgFileType::Bmp, Own(std::make_unique<CBMPDecoder>()));
    Register(CImgFileType::Tga, Own(std::make_unique<CTGADecoder>()));
    Register(CImgFileType::Tiff, Own(std::make_unique<CTIFFDecoder>()));
    m_jpeg = &Own(std::make_unique<CJPEGDecoder>());
    Register(CImgFileType::Jpeg, *m_jpeg);
    Register(CImgFileType::Pict, Own(std::make_unique<CPICTDecoder>(*m_jpeg)));
    Register(CImgFileType::Png, Own(std::make_unique<CPNGDecoder>()));
    auto& metafiles = Own(std::make_unique<CWMFDecoder>());
    Register(CImgFileType::Wmf, metafiles);
    Register(CImgFileType::Emf, metafiles);
    Register(CImgFileType::Pcx, Own(std::make_unique<CPCXDecoder>()));
    Register(CImgFileType::Pgm, Own(std::make_unique<CPGMDecoder>()));
}

CImgAnyFormatDecoder::~CImgAnyFormatDecoder() = default;

void CImgAnyFormatDecoder::Register(CImgFileType type, CImgPicDecoder& decoder)
{
    m_decoders[static_cast<size_t>(type)] = &decoder;
}

CImgPicDecoder& CImgAnyFormatDecoder::GetDecoder(CImgFileType type)
{
    CImgPicDecoder* decoder = m_decoders[static_cast<size_t>(type)];
    if (decoder == nullptr) {
        ThrowImgError(kImgErrUnknownFormat, "Unknown file type.");
    }
    return *decoder;
}

CJPEGDecoder& CImgAnyFormatDecoder::GetJPEGDecoder()
{
    return *m_jpeg;
}

void CImgAnyFormatDecoder::DoDecode(CImgDataSource& source, CImgBitmap& bmp, int bpp)
{
    const size_t headSize = std::min(source.GetBytesLeft(), kImgRecogniseBytes);
    const CImgFileType type =
        RecogniseImage(source.GetName(), source.Peek(headSize), headSize, source.GetBytesLeft());
    DecoderTrace(std::string("Recognised a ") + TypeName(type) + " image.\n");
    switch (type) {
    case CImgFileType::Unknown:
        ThrowImgError(kImgErrUnknownFormat, "Unknown file type.");
    case CImgFileType::Gif:
        ThrowImgError(kImgErrNotSupported, "GIF images are not supported.");
    case CImgFileType::EpsTiff: {
        // The TIFF preview starts at the offset that the EPS header gives.
        const uint32_t offset = imgbytes::Le32(source.Peek(30) + 20);
        source.Skip(offset);
        GetDecoder(CImgFileType::Tiff).MakeBmp(source, bmp, bpp);
        return;
    }
    default:
        GetDecoder(type).MakeBmp(source, bmp, bpp);
        return;
    }
}

CImgAnyFormatDecoder& ProgramDecoder()
{
    static CImgAnyFormatDecoder decoder;
    return decoder;
}
