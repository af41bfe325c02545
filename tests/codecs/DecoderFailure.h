#pragma once
// What the image library throws: the code and message of its CTextException, for the tables of failure
// cases of the decoder tests.

#include "codecs/ImgAnyBitmap.h"
#include "codecs/ImgAnyFormatDecoder.h"
#include "codecs/ImgDataSource.h"
#include "codecs/TextException.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace lumarc::test {

// The code and message of what `action` throws; code 0 when it throws nothing.
template <class F>
std::pair<int, std::string> ThrownFailure(F action)
{
    try {
        action();
    } catch (const CTextException& e) {
        return {e.GetCode(), e.GetMessage()};
    }
    return {0, {}};
}

// What the program's decoder of the type throws for the bytes; code 0 when it decodes them.
inline std::pair<int, std::string> DecodeFailure(CImgFileType type, const std::vector<uint8_t>& bytes,
                                                 int bpp = 32)
{
    return ThrownFailure([&] {
        CImgAnyBitmap bmp;
        CImgMemSource source(bytes.data(), bytes.size());
        ProgramDecoder().GetDecoder(type).MakeBmp(source, bmp, bpp);
    });
}

// One row of a table of malformed files and what decoding each must throw.
struct DecoderFailureCase
{
    const char* name;
    std::vector<uint8_t> file;
    int code;
    std::string message;
};

} // namespace lumarc::test
