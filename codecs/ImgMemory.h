#pragma once
// Zeroed heap blocks for pixels, and the largest picture the library agrees to hold. The bound keeps a
// file that claims absurd dimensions from taking the machine's memory: such a picture fails with
// code 10 like any other allocation failure.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

struct ImgFreeDeleter
{
    void operator()(uint8_t* p) const { std::free(p); }
};
using ImgBlock = std::unique_ptr<uint8_t[], ImgFreeDeleter>;

// A zeroed block of `size` bytes (at least one byte is allocated, so the pointer is never null);
// throws code 10 with `failMessage` when the size passes the bound or the allocation fails.
ImgBlock AllocateImgBlock(size_t size, const char* failMessage);

// The largest block AllocateImgBlock hands out (1 GiB unless set otherwise).
size_t GetMaxBitmapBytes();
void SetMaxBitmapBytes(size_t bytes);
