#pragma once
// A record's or a catalogue's picture in memory. It keeps the bytes stored in the catalogue until
// someone needs the pixels and decodes them then. Stored, a picture is one of:
//   - JPEG bytes (a record's own picture),
//   - a BMP file image (the catalogue's numbered pictures),
//   - the text "Refer to bitmap of:<code>": the picture of another record, whose code is the picture's
//     key, shared instead of copied.
// Stored values are at most kImgMemoryEncodeSize bytes.
//
// The store reads and writes the column values; this class turns them into pictures and back
// (LoadFromBytes, GetBytesToStore). Following a reference needs the catalogue, which the picture
// reaches through its owner.

#include "codecs/ImgDIBSection.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

class CCatalogueImage;

// What a picture's owner (a record or a catalogue) does for it.
class CCatalogueImageOwner
{
public:
    virtual ~CCatalogueImageOwner() = default;
    // Loads, through picture.LoadFromBytes (not decoded), the value of column `fieldName` of the live
    // record with this code, and sets the picture's key to the code. False when there is no such
    // record or it cannot be read; the picture is then left as it was.
    virtual bool LoadReferencedPicture(const std::string& fieldName, double code,
                                       CCatalogueImage& picture) = 0;
};

class CCatalogueImage : public CImgDIBSection
{
public:
    // The prefix of a stored reference to another record's picture.
    static constexpr std::string_view kReferencePrefix = "Refer to bitmap of:";

    explicit CCatalogueImage(CCatalogueImageOwner* owner = nullptr);
    // Copies the other's pixels (decoding its stored bytes first, without changing it), owner, valid
    // flag and key. Throws what the decoder throws.
    CCatalogueImage(const CCatalogueImage& other);
    CCatalogueImage& operator=(const CCatalogueImage& other);
    ~CCatalogueImage() override;

    // Takes a stored column value. An empty value leaves the picture not valid. With decodeNow the value
    // is decoded at once, whatever its format (the valid flag is left as it was). Otherwise the bytes
    // are kept for a later decode and the picture is valid; a reference is followed through the owner
    // instead (a chain of references is followed a few steps deep, never round in a circle).
    void LoadFromBytes(std::span<const uint8_t> value, bool decodeNow, const std::string& fieldName = {});

    // What goes into the column: a BMP file image of the pixels (asBmp); the reference text when the
    // picture has a key; otherwise the JPEG bytes of a valid picture, or nothing (an empty vector) for
    // a picture that is not valid. Throws code 11 when the picture needs more than
    // kImgMemoryEncodeSize bytes, and what a decode of kept bytes throws.
    std::vector<uint8_t> GetBytesToStore(bool asBmp);

    // The reference text of a code, and the code of a reference text (nullopt when the value is no
    // reference; 0 when it holds no number).
    static std::string ReferenceText(double code);
    static std::optional<double> ParseReference(std::span<const uint8_t> value);

    // Decodes kept bytes as JPEG at 32 bits per pixel and forgets them. A failed decode throws and keeps
    // them.
    void DecodePending();
    bool HasPendingBytes() const { return !m_pending.empty(); }
    const std::vector<uint8_t>& GetPendingBytes() const { return m_pending; }

    // Decodes a picture file of any known format at 32 bits per pixel; the picture is then valid. A file
    // that cannot be decoded throws and leaves the picture as it was.
    void LoadFromFile(const std::filesystem::path& name);
    // Writes the picture as JPEG when the name contains ".jpg" or ".jif", as TIFF when it contains
    // ".tif" (tested in this order, case-sensitive), and writes nothing otherwise.
    void SaveToFile(const std::filesystem::path& name);

    // True when the picture is valid and its pixels can be had (kept bytes are decoded to find out; a
    // decode that fails counts as no bitmap).
    bool HasBitmap();
    // Resamples a valid picture to the new size with the bilinear filter.
    void Resize(int width, int height);
    // Sets every pixel equal to `colour`, or to `colour` with its alpha byte one less, to `newValue`
    // (32-bit values, blue in the low byte). At 1 and 8 bits the colour table's entries are changed.
    void ReplaceColour(uint32_t colour, uint32_t newValue);

    double GetKey() const { return m_key; }
    void SetKey(double key) { m_key = key; }
    CCatalogueImageOwner* GetOwner() const { return m_owner; }
    void SetOwner(CCatalogueImageOwner* owner) { m_owner = owner; }
    bool IsValid() const { return m_valid; }
    void SetValid(bool valid) { m_valid = valid; }

private:
    void CopyFrom(const CCatalogueImage& other);

    std::vector<uint8_t> m_pending;
    double m_key = 0.0;
    bool m_valid = false;
    CCatalogueImageOwner* m_owner = nullptr;
    int m_followDepth = 0;
};
