#pragma once
// Errors of the image library: every failure is thrown as a CTextException carrying a numeric code (why
// it failed) and a message (what to tell the user). Callers catch it where they can say so.

#include <exception>
#include <string>

// Root of the image library's class family.
class CImgObject
{
public:
    virtual ~CImgObject() = default;
};

// Why an image operation failed.
enum ImgErrorCode : int
{
    kImgErrOpenSink = -1,      // an output file or its buffer could not be opened
    kImgErrWrongSignature = 1, // the data is not of the format its decoder expects
    kImgErrBadContents = 2,    // bad or unsupported contents
    kImgErrPathNotFound = 3,   // a folder of the path does not exist
    kImgErrFileNotFound = 4,   // the file does not exist, or could not be opened for another reason
    kImgErrAccessDenied = 5,   // no permission, not a plain file, or the file could not be mapped
    kImgErrNotSupported = 6,   // a format or a variant of one this library does not read
    kImgErrLimit = 7,          // an internal limit of a decoder
    kImgErrUnknownFormat = 8,  // the contents match no known format
    kImgErrNoMemory = 10,      // out of memory (or a picture too large to hold)
    kImgErrEndOfData = 11,     // the data ended early, or an output buffer is full
};

class CTextException : public CImgObject, public std::exception
{
public:
    CTextException(int code, std::string message) : m_code(code), m_message(std::move(message)) {}

    int GetCode() const { return m_code; }
    const std::string& GetMessage() const { return m_message; }
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    int m_code;
    std::string m_message;
};

// Writes "Decoder error: <message>" to the decoder trace, then throws.
[[noreturn]] void ThrowImgError(int code, std::string message);
