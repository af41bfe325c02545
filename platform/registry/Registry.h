#pragma once
// A small registry of keys holding named text values, kept in one settings file that every running copy
// of the program shares. Keys are paths separated by '\' (as "Software\Ostvig\Lumarc\explorerX"); key
// and value names compare without regard to case. The empty value name is the key's default value.
//
// Every change is written through at once, under a lock, onto the latest contents of the file (so two
// copies never lose each other's changes), and the file is replaced atomically (write beside, rename).
// Reads see changes other copies made: the file is read again whenever it changed on disk.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/CaseFold.h"

namespace platform::registry {

class Registry
{
public:
    // The registry of the current user: "settings.reg" in the configuration folder.
    static Registry& CurrentUser();

    explicit Registry(std::filesystem::path file);

    const std::filesystem::path& File() const { return m_file; }

    bool KeyExists(std::string_view key) const;
    // nullopt when the key or the value does not exist.
    std::optional<std::string> QueryValue(std::string_view key, std::string_view valueName = {}) const;
    std::vector<std::string> ValueNames(std::string_view key) const;

    // Creates the key (and its parents) when needed. Returns false when the file could not be written.
    bool CreateKey(std::string_view key);
    bool SetValue(std::string_view key, std::string_view valueName, std::string_view text);
    // True when the value existed and was removed.
    bool DeleteValue(std::string_view key, std::string_view valueName);
    // Removes the key with all its values and subkeys. True when it existed.
    bool DeleteKey(std::string_view key);

    // Makes sure what was written has reached the disk.
    void Flush();

private:
    struct NoCaseLess
    {
        bool operator()(const std::string& a, const std::string& b) const
        {
            return text::CompareNoCase(a, b) < 0;
        }
    };
    using Values = std::map<std::string, std::string, NoCaseLess>;
    using Keys = std::map<std::string, Values, NoCaseLess>;

    struct FileStamp
    {
        bool exists = false;
        long long size = 0;
        long long mtimeNs = 0;
        unsigned long long inode = 0;
        bool operator==(const FileStamp&) const = default;
    };

    static std::string NormaliseKey(std::string_view key);
    FileStamp StampOnDisk() const;
    void RefreshIfChanged() const;
    void Load() const;
    bool Save();
    template <typename Change>
    bool Modify(Change change);

    std::filesystem::path m_file;
    mutable Keys m_keys;
    mutable FileStamp m_stamp;
    mutable bool m_loaded = false;
};

} // namespace platform::registry
