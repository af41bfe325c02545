#pragma once
// The recognising decoder: looks at a picture's name and first bytes, and hands it to the decoder of
// its format. The program keeps one for its whole run (ProgramDecoder); every picture load uses it.
//
// Each format has one decoder object, registered in the constructor.

#include "codecs/ImgPicDecoder.h"

#include <array>
#include <memory>
#include <string_view>
#include <vector>

class CJPEGDecoder;

enum class CImgFileType
{
    Unknown,
    Bmp,
    Tga,
    Gif,
    Tiff,
    Pict,
    Jpeg,
    Png,
    EpsTiff, // Encapsulated PostScript with a TIFF preview
    Pcx,
    Pgm,
    Wmf,
    Emf,
};
inline constexpr size_t kImgFileTypeCount = static_cast<size_t>(CImgFileType::Emf) + 1;

// The format of a picture from its name (".WMF" and ".EMF" anywhere in it, in any case, decide alone)
// and its first bytes. `head` holds the first `headSize` bytes of a source of `totalSize` bytes; bytes
// past the head count as 0. The tests run in a fixed order (BMP, TGA, GIF, TIFF, PICT, JPEG, PNG, EPS,
// PCX, PGM), so a file that passes two is taken for the first.
CImgFileType RecogniseImage(std::string_view name, const uint8_t* head, size_t headSize, size_t totalSize);

// How many leading bytes RecogniseImage looks at.
inline constexpr size_t kImgRecogniseBytes = 528;

class CImgAnyFormatDecoder : public CImgPicDecoder
{
public:
    CImgAnyFormatDecoder();
    ~CImgAnyFormatDecoder() override;

    // The decoder of one format (for a caller that knows the format, such as stored record pictures,
    // which are JPEG).
    CImgPicDecoder& GetDecoder(CImgFileType type);
    CJPEGDecoder& GetJPEGDecoder();

protected:
    // Throws code 8 "Unknown file type." for contents of no known format and code 6 "GIF images are not
    // supported." for GIF; everything else is the format decoder's.
    void DoDecode(CImgDataSource& source, CImgBitmap& bmp, int bpp) override;

private:
    // Keeps the decoder and returns it, for registering under one or more types.
    template <class Decoder>
    Decoder& Own(std::unique_ptr<Decoder> decoder)
    {
        Decoder& result = *decoder;
        m_owned.push_back(std::move(decoder));
        return result;
    }
    void Register(CImgFileType type, CImgPicDecoder& decoder);

    std::vector<std::unique_ptr<CImgPicDecoder>> m_owned;
    std::array<CImgPicDecoder*, kImgFileTypeCount> m_decoders{};
    CJPEGDecoder* m_jpeg = nullptr;
};

// The program-wide recognising decoder, made on first use.
CImgAnyFormatDecoder& ProgramDecoder();
