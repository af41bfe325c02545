#include "codecs/CatalogueImage.h"

#include "codecs/ImgAnyFormatDecoder.h"
#include "codecs/JPEGDecoder.h"
#include "codecs/JPEGEncoder.h"
#include "codecs/TIFFEncoder.h"

#include <charconv>
#include <cstring>

namespace {

// How many references in a row are followed before giving up (a chain this long is a broken catalogue,
// and a circle of references would never end).
constexpr int kMaxReferenceDepth = 8;

// The reference's number is read from at most this many characters after the prefix.
constexpr size_t kReferenceNumberChars = 29;

} // namespace

CCatalogueImage::CCatalogueImage(CCatalogueImageOwner* owner) : m_owner(owner) {}

CCatalogueImage::CCatalogueImage(const CCatalogueImage& other) : CImgDIBSection()
{
    CopyFrom(other);
}

CCatalogueImage& CCatalogueImage::operator=(const CCatalogueImage& other)
{
    if (this != &other) {
        CopyFrom(other);
    }
    return *this;
}

CCatalogueImage::~CCatalogueImage() = default;

void CCatalogueImage::CopyFrom(const CCatalogueImage& other)
{
    if (other.HasPendingBytes()) {
        const auto& bytes = other.m_pending;
        ProgramDecoder().GetJPEGDecoder().MakeBmpFromMemory(bytes.data(), bytes.size(), *this, 32);
    } else {
        CreateCopy(other, 0);
    }
    m_pending.clear();
    m_owner = other.m_owner;
    m_valid = other.m_valid;
    m_key = other.m_key;
}

std::string CCatalogueImage::ReferenceText(double code)
{
    char number[64];
    const auto result = std::to_chars(number, number + sizeof number, code, std::chars_format::fixed, 6);
    return std::string(kReferencePrefix) + std::string(number, result.ptr);
}

std::optional<double> CCatalogueImage::ParseReference(std::span<const uint8_t> value)
{
    const size_t prefix = kReferencePrefix.size();
    if (value.size() < prefix || std::memcmp(value.data(), kReferencePrefix.data(), prefix) != 0) {
        return std::nullopt;
    }
    const char* begin = reinterpret_cast<const char*>(value.data()) + prefix;
    const char* end = begin + std::min(value.size() - prefix, kReferenceNumberChars);
    while (begin != end && (*begin == ' ' || *begin == '\t')) {
        ++begin;
    }
    if (begin != end && *begin == '+') {
        ++begin;
    }
    double code = 0.0;
    if (std::from_chars(begin, end, code).ec != std::errc()) {
        return 0.0;
    }
    return code;
}

void CCatalogueImage::LoadFromBytes(std::span<const uint8_t> value, bool decodeNow,
                                    const std::string& fieldName)
{
    if (value.empty()) {
        m_valid = false;
        return;
    }
    if (decodeNow) {
        CImgDIBSection decoded;
        ProgramDecoder().MakeBmpFromMemory(value.data(), value.size(), decoded, 32);
        CreateCopy(decoded, 0);
        m_pending.clear();
        return;
    }
    if (const auto code = ParseReference(value)) {
        m_pending.clear();
        if (*code > 0.0 && m_owner != nullptr && m_followDepth < kMaxReferenceDepth) {
            ++m_followDepth;
            try {
                m_owner->LoadReferencedPicture(fieldName, *code, *this);
            } catch (...) {
                --m_followDepth;
                throw;
            }
            --m_followDepth;
        }
        return;
    }
    m_pending.assign(value.begin(), value.end());
    m_valid = true;
}

std::vector<uint8_t> CCatalogueImage::GetBytesToStore(bool asBmp)
{
    if (asBmp) {
        DecodePending();
        const size_t size = GetBmpImageSize();
        if (size > kImgMemoryEncodeSize) {
            ThrowImgError(kImgErrEndOfData, "Buffer overflow while encoding.\n");
        }
        std::vector<uint8_t> bytes(size);
        WriteBmpImage(bytes.data(), bytes.size());
        return bytes;
    }
    if (m_key != 0.0) {
        const std::string text = ReferenceText(m_key);
        return std::vector<uint8_t>(text.begin(), text.end());
    }
    DecodePending();
    if (!m_valid) {
        return {};
    }
    CImgMemSink sink;
    sink.Open(kImgMemoryEncodeSize);
    const size_t size = CJPEGEncoder().EncodeToMemory(*this, sink);
    return std::vector<uint8_t>(sink.GetBuffer(), sink.GetBuffer() + size);
}

void CCatalogueImage::DecodePending()
{
    if (m_pending.empty()) {
        return;
    }
    ProgramDecoder().GetJPEGDecoder().MakeBmpFromMemory(m_pending.data(), m_pending.size(), *this, 32);
    m_pending.clear();
}

void CCatalogueImage::LoadFromFile(const std::filesystem::path& name)
{
    // Decoded aside first, so a file the decoder refuses leaves the picture as it was.
    CImgDIBSection decoded;
    ProgramDecoder().MakeBmpFromFile(name, decoded, 32);
    CreateCopy(decoded, 0);
    m_pending.clear();
    m_valid = true;
}

void CCatalogueImage::SaveToFile(const std::filesystem::path& name)
{
    DecodePending();
    const std::string text = name.string();
    if (text.find(".jpg") != std::string::npos || text.find(".jif") != std::string::npos) {
        CJPEGEncoder().MakeFileFromBmp(name, *this);
    } else if (text.find(".tif") != std::string::npos) {
        CTIFFEncoder().MakeFileFromBmp(name, *this);
    }
}

bool CCatalogueImage::HasBitmap()
{
    if (!m_valid) {
        return false;
    }
    try {
        DecodePending();
    } catch (const CTextException&) {
        return false;
    }
    return GetDib() != nullptr;
}

void CCatalogueImage::Resize(int width, int height)
{
    DecodePending();
    if (m_valid) {
        ResizeBilinear(width, height);
    }
}

void CCatalogueImage::ReplaceColour(uint32_t colour, uint32_t newValue)
{
    DecodePending();
    const uint32_t lessAlpha = (colour & 0x00FFFFFFu) | ((colour - 0x01000000u) & 0xFF000000u);
    const auto matches = [&](uint32_t pixel) { return pixel == colour || pixel == lessAlpha; };
    if (GetBitsPerPixel() == 32) {
        for (int y = 0; y < GetHeight(); ++y) {
            for (int x = 0; x < GetWidth(); ++x) {
                if (matches(GetPixel(x, y))) {
                    SetPixel(x, y, newValue);
                }
            }
        }
        return;
    }
    uint8_t* table = GetColourTable();
    for (int i = 0; i < GetColourCount(); ++i) {
        if (matches(GetColourEntry(i))) {
            for (int b = 0; b < 4; ++b) {
                table[4 * i + b] = static_cast<uint8_t>(newValue >> (8 * b));
            }
        }
    }
}
