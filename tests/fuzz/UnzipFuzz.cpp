// The decompressor on arbitrary bytes: it must unpack them, refuse them or throw CZipException, never
// read or write out of bounds.

#include "codecs/archive/UnzipOperation.h"
#include "codecs/archive/ZipException.h"

#include <cstddef>
#include <cstdint>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const int input = ::memfd_create("unzip-input", MFD_CLOEXEC);
    static const int output = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (input < 0 || output < 0 || ::ftruncate(input, 0) != 0) {
        return 0;
    }
    if (::pwrite(input, data, size, 0) != static_cast<ssize_t>(size) || ::lseek(input, 0, SEEK_SET) != 0) {
        return 0;
    }
    CUnzipOperation unzip("fuzz-input");
    try {
        unzip.Process(input, output);
    } catch (const CZipException&) {
    }
    return 0;
}
