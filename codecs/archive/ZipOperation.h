#pragma once
// A file operation that makes one file out of another, such as unpacking a zipped catalogue. `Run`
// opens the source, creates the target (never over a file that exists already), lets `Process` do the
// work and reports every failure as a CZipException. A failure never leaves a target behind: what was
// written of it is removed, so no broken catalogue can be opened later.

#include <filesystem>
#include <string>

class CZipOperation
{
public:
    // `verb` names the operation in messages ("problem while unzipping file").
    CZipOperation(std::filesystem::path source, std::string verb);
    virtual ~CZipOperation() = default;
    CZipOperation(const CZipOperation&) = delete;
    CZipOperation& operator=(const CZipOperation&) = delete;

    // Makes `target` from the source. Throws CZipException.
    void Run(const std::filesystem::path& target);

    // Works on the open source (read) and the new target (read and write), both file descriptors.
    // Returns 0 on success, non-zero when the source is not in a form the operation accepts; throws
    // CZipException on a fatal error (damaged data, end of file too early, a write error).
    virtual int Process(int input, int output) = 0;

    const std::filesystem::path& Source() const { return m_source; }
    const std::string& Verb() const { return m_verb; }

private:
    std::filesystem::path m_source;
    std::string m_verb;
};
