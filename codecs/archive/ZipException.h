#pragma once
// The failure of a zip operation, thrown by value: a message for the user of at most 127 bytes and, for
// a log, the decoder's own diagnostic when there is one ("unexpected end of file", ...).

#include <exception>
#include <string>
#include <string_view>

class CZipException : public std::exception
{
public:
    static constexpr std::size_t kMaxMessageBytes = 127;

    explicit CZipException(std::string_view message, std::string_view detail = {});

    const char* what() const noexcept override { return m_message.c_str(); }
    const std::string& Message() const { return m_message; }
    const std::string& Detail() const { return m_detail; }

private:
    std::string m_message;
    std::string m_detail;
};
