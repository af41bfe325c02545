#pragma once
// What one running copy of the program sends another over its socket: one registered message, by name
// (numbers are per copy), with its integer and text arguments. A frame is an 18-byte header (magic
// "LMB1", kind, name length, text length, integer argument; little-endian) followed by the name and the
// text.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform::ui {

enum class FrameKind : std::uint8_t
{
    kSend = 1, // the sender waits for a one-byte reply once the message is handled
    kPost = 2, // no reply
};

struct BroadcastFrame
{
    FrameKind kind = FrameKind::kSend;
    std::string name;
    std::int64_t wParam = 0;
    std::string text;
};

inline constexpr size_t kFrameHeaderSize = 18;
inline constexpr size_t kMaxFrameNameSize = 64;
inline constexpr size_t kMaxFrameTextSize = 64 * 1024;

// The frame's bytes; nullopt when its name or text is too long (or the name empty) to be sent.
std::optional<std::string> EncodeBroadcastFrame(const BroadcastFrame& frame);

// The number of bytes that follow a valid header; nullopt for a header that is not one (wrong magic or
// kind, lengths out of range). `header` must hold kFrameHeaderSize bytes.
std::optional<size_t> FrameBodySize(std::string_view header);

// A whole frame (header and body, nothing more); nullopt when the bytes are not exactly one valid frame.
std::optional<BroadcastFrame> DecodeBroadcastFrame(std::string_view bytes);

} // namespace platform::ui
