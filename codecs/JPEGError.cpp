#include "codecs/JPEGError.h"

#include "codecs/TextException.h"

#include <string>

namespace {

[[noreturn]] void ErrorExit(j_common_ptr cinfo)
{
    auto* manager = reinterpret_cast<JPEGErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, manager->message);
    std::longjmp(manager->jump, 1);
}

void EmitMessage(j_common_ptr, int)
{
    // Warnings (corrupt data, a missing end) do not stop a decode and are not shown anywhere.
}

} // namespace

void InstallJPEGErrorManager(j_common_ptr cinfo, JPEGErrorManager& manager)
{
    cinfo->err = jpeg_std_error(&manager.pub);
    manager.pub.error_exit = ErrorExit;
    manager.pub.emit_message = EmitMessage;
}

void ThrowJPEGFailure(JPEGErrorManager& manager)
{
    if (manager.pending) {
        std::exception_ptr pending = manager.pending;
        manager.pending = nullptr;
        std::rethrow_exception(pending);
    }
    ThrowImgError(kImgErrNotSupported, std::string(manager.message) + "\n");
}

void JumpBack(j_common_ptr cinfo)
{
    auto* manager = reinterpret_cast<JPEGErrorManager*>(cinfo->err);
    std::longjmp(manager->jump, 1);
}
