// The frame reader of the broadcasts between running copies, on arbitrary bytes from a socket: a frame or
// nothing, and a frame it accepts writes back to the same bytes.

#include "platform/ui/BroadcastFrame.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    using namespace platform::ui;
    if (bytes.size() >= kFrameHeaderSize) {
        if (const auto body = FrameBodySize(bytes.substr(0, kFrameHeaderSize))) {
            if (*body > kMaxFrameNameSize + kMaxFrameTextSize) {
                std::abort();
            }
        }
    }
    if (const auto frame = DecodeBroadcastFrame(bytes)) {
        const auto written = EncodeBroadcastFrame(*frame);
        if (!written || *written != bytes) {
            std::abort();
        }
    }
    return 0;
}
