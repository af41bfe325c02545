#include "store/catalogue/CatalogueImageField.h"

#include "codecs/CatalogueImage.h"
#include "codecs/TextException.h"
#include "store/catalogue/DataRecordset.h"
#include "store/program/TraceLog.h"

namespace {

constexpr long kPictureNotLoaded = 10210;

} // namespace

bool LoadFromField(CCatalogueImage& picture, std::string_view column, CDataRecordset& rs, bool decodeNow)
{
    const std::vector<std::uint8_t> value = rs.GetFieldBytes(column);
    if (value.empty()) {
        return false;
    }
    try {
        picture.LoadFromBytes(value, decodeNow, std::string(column));
    } catch (const CTextException& error) {
        DebugLogNumber(kPictureNotLoaded);
        AppendLogNumberAndText(error.GetCode(), error.GetMessage());
        return false;
    }
    if (decodeNow) {
        picture.SetValid(true);
    }
    return picture.IsValid();
}

void StoreToField(CCatalogueImage& picture, std::string_view column, CDataRecordset& rs, bool asBmp)
{
    const std::vector<std::uint8_t> bytes = picture.GetBytesToStore(asBmp);
    if (!bytes.empty()) {
        rs.SetFieldBytes(column, bytes);
    }
}
