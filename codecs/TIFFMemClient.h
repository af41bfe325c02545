#pragma once
// libtiff's view of memory: a client (named "MemSource" to libtiff) that reads from a data source's
// bytes or writes into a data sink's buffer, with the error and warning handlers of one open TIFF.
// libtiff reports errors through handlers and return values, never by jumping, so no special care is
// needed around its calls.

#include "codecs/ImgDataSink.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <tiffio.h>

class CTIFFMemClient
{
public:
    // Reading `size` bytes at `data`.
    CTIFFMemClient(const uint8_t* data, size_t size);
    // Writing into the sink from the start of its buffer; the sink's write position follows the
    // highest position written, and a sink that grows (a file) grows with the TIFF.
    explicit CTIFFMemClient(CImgDataSink& sink);
    ~CTIFFMemClient();
    CTIFFMemClient(const CTIFFMemClient&) = delete;
    CTIFFMemClient& operator=(const CTIFFMemClient&) = delete;

    // Opens the TIFF through libtiff (mode "r" or "w"); null on failure, with the message in
    // GetLastError(). The client closes it when it goes.
    TIFF* Open();
    // Closes the TIFF (writing its directory in mode "w"); false when libtiff failed.
    bool Close();

    // The last error libtiff reported on this TIFF.
    const std::string& GetLastError() const { return m_lastError; }
    // True when a write did not fit a sink that cannot grow.
    bool Overflowed() const { return m_overflow; }

private:
    static tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t size);
    static tmsize_t WriteProc(thandle_t handle, void* buffer, tmsize_t size);
    static toff_t SeekProc(thandle_t handle, toff_t offset, int whence);
    static int CloseProc(thandle_t handle);
    static toff_t SizeProc(thandle_t handle);
    static int MapProc(thandle_t handle, void** base, toff_t* size);
    static void UnmapProc(thandle_t handle, void* base, toff_t size);
    static int OnError(TIFF* tif, void* user, const char* module, const char* format, va_list args);
    static int OnWarning(TIFF* tif, void* user, const char* module, const char* format, va_list args);

    const uint8_t* m_readData = nullptr;
    CImgDataSink* m_sink = nullptr;
    size_t m_position = 0;
    size_t m_size = 0;
    bool m_overflow = false;
    std::string m_lastError;
    TIFF* m_tif = nullptr;
};

// Routes libtiff's program-wide error and warning output to the decoder trace (once).
void InstallTIFFHandlers();
