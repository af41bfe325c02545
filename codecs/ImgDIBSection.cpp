#include "codecs/ImgDIBSection.h"

CImgDIBSection::CImgDIBSection()
{
    Create(1, 1, 8, false);
}

CImgDIBSection::~CImgDIBSection() = default;

std::vector<uint8_t> CImgDIBSection::DetachDib()
{
    std::vector<uint8_t> dib = CopyToPackedDib();
    Create(1, 1, 8, false);
    return dib;
}
