#include "platform/ui/BroadcastFrame.h"

namespace platform::ui {
namespace {

constexpr std::string_view kMagic = "LMB1";

void PutLittleEndian(std::string& out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

std::uint64_t GetLittleEndian(std::string_view in, size_t offset, int bytes)
{
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        value |= static_cast<std::uint64_t>(static_cast<unsigned char>(in[offset + static_cast<size_t>(i)]))
                 << (8 * i);
    }
    return value;
}

struct Header
{
    FrameKind kind;
    size_t nameSize;
    size_t textSize;
    std::int64_t wParam;
};

std::optional<Header> ReadHeader(std::string_view bytes)
{
    if (bytes.size() < kFrameHeaderSize || bytes.substr(0, kMagic.size()) != kMagic) {
        return std::nullopt;
    }
    const auto kind = static_cast<unsigned char>(bytes[4]);
    if (kind != static_cast<unsigned char>(FrameKind::kSend) &&
        kind != static_cast<unsigned char>(FrameKind::kPost)) {
        return std::nullopt;
    }
    Header header{static_cast<FrameKind>(kind), static_cast<unsigned char>(bytes[5]),
                  static_cast<size_t>(GetLittleEndian(bytes, 6, 4)),
                  static_cast<std::int64_t>(GetLittleEndian(bytes, 10, 8))};
    if (header.nameSize == 0 || header.nameSize > kMaxFrameNameSize || header.textSize > kMaxFrameTextSize) {
        return std::nullopt;
    }
    return header;
}

} // namespace

std::optional<std::string> EncodeBroadcastFrame(const BroadcastFrame& frame)
{
    if (frame.name.empty() || frame.name.size() > kMaxFrameNameSize ||
        frame.text.size() > kMaxFrameTextSize) {
        return std::nullopt;
    }
    std::string out(kMagic);
    out += static_cast<char>(frame.kind);
    out += static_cast<char>(frame.name.size());
    PutLittleEndian(out, frame.text.size(), 4);
    PutLittleEndian(out, static_cast<std::uint64_t>(frame.wParam), 8);
    out += frame.name;
    out += frame.text;
    return out;
}

std::optional<size_t> FrameBodySize(std::string_view header)
{
    const auto parsed = ReadHeader(header);
    if (!parsed) {
        return std::nullopt;
    }
    return parsed->nameSize + parsed->textSize;
}

std::optional<BroadcastFrame> DecodeBroadcastFrame(std::string_view bytes)
{
    const auto header = ReadHeader(bytes);
    if (!header || bytes.size() != kFrameHeaderSize + header->nameSize + header->textSize) {
        return std::nullopt;
    }
    BroadcastFrame frame;
    frame.kind = header->kind;
    frame.wParam = header->wParam;
    frame.name = std::string(bytes.substr(kFrameHeaderSize, header->nameSize));
    frame.text = std::string(bytes.substr(kFrameHeaderSize + header->nameSize, header->textSize));
    return frame;
}

} // namespace platform::ui
