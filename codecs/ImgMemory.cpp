#include "codecs/ImgMemory.h"

#include "codecs/TextException.h"

namespace {

size_t g_maxBitmapBytes = size_t{1} << 30;

} // namespace

ImgBlock AllocateImgBlock(size_t size, const char* failMessage)
{
    if (size > g_maxBitmapBytes) {
        ThrowImgError(kImgErrNoMemory, failMessage);
    }
    // calloc hands out fresh zero pages for large blocks without touching them.
    auto* p = static_cast<uint8_t*>(std::calloc(size == 0 ? 1 : size, 1));
    if (p == nullptr) {
        ThrowImgError(kImgErrNoMemory, failMessage);
    }
    return ImgBlock(p);
}

size_t GetMaxBitmapBytes()
{
    return g_maxBitmapBytes;
}

void SetMaxBitmapBytes(size_t bytes)
{
    g_maxBitmapBytes = bytes;
}
