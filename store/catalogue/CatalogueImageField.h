#pragma once
// Pictures in catalogue columns: the two ends of CCatalogueImage that touch a recordset. The image
// library works on the stored bytes only; these read and write the bytes of a long-binary column of
// the recordset's current row.

#include <string_view>

class CCatalogueImage;
class CDataRecordset;

// Loads the column's value into the picture (decoded at once with `decodeNow`, else kept for later),
// and marks the picture valid. False when the value is empty or cannot be decoded; the reason goes to
// the trace log. Engine errors reach the caller.
bool LoadFromField(CCatalogueImage& picture, std::string_view column, CDataRecordset& rs, bool decodeNow);

// Writes the picture into the column of the row the caller has put into AddNew or Edit: a BMP file
// image with `asBmp`, else the reference to a shared picture or the JPEG bytes. A picture with nothing
// to store leaves the column as it is. Throws what the encoder throws (a picture too large to store).
void StoreToField(CCatalogueImage& picture, std::string_view column, CDataRecordset& rs, bool asBmp);
