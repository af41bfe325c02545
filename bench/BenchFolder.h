#pragma once
// A fresh temporary folder for a benchmark's files, removed with everything in it when the object goes.
// A benchmark that cannot make its folder stops at once: its figures would mean nothing.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

class BenchFolder
{
public:
    BenchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "lumarc-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        m_path = pattern;
    }
    ~BenchFolder() { std::filesystem::remove_all(m_path); }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};
