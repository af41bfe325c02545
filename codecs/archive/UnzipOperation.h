#pragma once
// Unpacks a zipped catalogue: the first member of a gzip file, or the first entry of a PKZIP archive
// when that entry is stored or deflated (an archive of more than one entry is refused). The output's
// CRC-32 and length are checked against what the file stores.

#include "codecs/archive/ZipOperation.h"

class CUnzipOperation : public CZipOperation
{
public:
    explicit CUnzipOperation(std::filesystem::path source);

    int Process(int input, int output) override;
};
