#pragma once
// libjpeg's error handling, made safe for C++. libjpeg ends a failed call through its error exit,
// which must not return; a C++ exception must not unwind through libjpeg's C frames either. So the
// error exit keeps the message and jumps back to the setjmp in the one small function that calls
// libjpeg (it holds no objects with destructors); that function reports failure and its C++ caller
// throws. A C++ exception raised inside one of our callbacks (a sink that is full, a progress receiver)
// is caught there, kept, and rethrown the same way.

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <exception>
#include <jpeglib.h>

struct JPEGErrorManager
{
    jpeg_error_mgr pub; // first, so libjpeg's pointer is ours
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX] = {};
    std::exception_ptr pending;
};

// Installs the manager on a decompression or compression object's common fields.
void InstallJPEGErrorManager(j_common_ptr cinfo, JPEGErrorManager& manager);

// After a jump back: throws the kept exception, or code 6 with libjpeg's message and a line feed.
[[noreturn]] void ThrowJPEGFailure(JPEGErrorManager& manager);

// Jumps back to the setjmp. A callback that caught an exception stores it in `pending` and calls this
// after its catch block has ended, so no C++ object is left half-unwound.
[[noreturn]] void JumpBack(j_common_ptr cinfo);
