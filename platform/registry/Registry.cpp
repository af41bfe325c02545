#include "platform/registry/Registry.h"

#include "platform/folders/UserFolders.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::registry {
namespace {

constexpr std::string_view kHeader = "Lumarc registry 1";

// Holds an exclusive lock on "<file>.lock" for the lifetime of the object.
class FileLock
{
public:
    explicit FileLock(const std::filesystem::path& file)
    {
        const auto lockPath = file.string() + ".lock";
        m_fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd >= 0) {
            int result = 0;
            do {
                result = ::flock(m_fd, LOCK_EX);
            } while (result != 0 && errno == EINTR);
            m_held = result == 0;
        }
    }
    ~FileLock()
    {
        if (m_fd >= 0) {
            ::flock(m_fd, LOCK_UN);
            ::close(m_fd);
        }
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool IsHeld() const { return m_held; }

private:
    int m_fd = -1;
    bool m_held = false;
};

// Flushes a folder's entries (a rename in it) to the disk.
bool SyncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

std::string Quote(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\0':
            out += "\\0";
            break;
        default:
            out += c;
        }
    }
    out += '"';
    return out;
}

// Reads a quoted text starting at line[pos] (the opening quote); advances pos past the closing quote.
std::optional<std::string> Unquote(std::string_view line, size_t& pos)
{
    if (pos >= line.size() || line[pos] != '"') {
        return std::nullopt;
    }
    std::string out;
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '"') {
            ++pos;
            return out;
        }
        if (c == '\\' && pos + 1 < line.size()) {
            char e = line[++pos];
            switch (e) {
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case '0':
                out += '\0';
                break;
            default:
                out += e;
            }
        } else {
            out += c;
        }
    }
    return std::nullopt;
}

} // namespace

Registry& Registry::CurrentUser()
{
    // One registry per settings file: a test that moves LUMARC_HOME gets a registry of its own.
    static std::map<std::filesystem::path, std::unique_ptr<Registry>> registries;
    auto file = folders::ConfigFolder() / "settings.reg";
    auto& slot = registries[file];
    if (!slot) {
        slot = std::make_unique<Registry>(file);
    }
    return *slot;
}

Registry::Registry(std::filesystem::path file) : m_file(std::move(file)) {}

std::string Registry::NormaliseKey(std::string_view key)
{
    std::string out;
    for (char c : key) {
        if (c == '/') {
            c = '\\';
        }
        if (c == '\\' && (out.empty() || out.back() == '\\')) {
            continue;
        }
        out += c;
    }
    while (!out.empty() && out.back() == '\\') {
        out.pop_back();
    }
    return out;
}

Registry::FileStamp Registry::StampOnDisk() const
{
    struct stat st
    {
    };
    if (::stat(m_file.c_str(), &st) != 0) {
        return {};
    }
    return {true, static_cast<long long>(st.st_size),
            static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec,
            static_cast<unsigned long long>(st.st_ino)};
}

void Registry::RefreshIfChanged() const
{
    const FileStamp stamp = StampOnDisk();
    if (!m_loaded || !(stamp == m_stamp)) {
        Load();
    }
}

void Registry::Load() const
{
    m_keys.clear();
    m_stamp = StampOnDisk();
    m_loaded = true;
    std::ifstream in(m_file, std::ios::binary);
    if (!in) {
        return;
    }
    std::string line;
    Values* current = nullptr;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            current = &m_keys[NormaliseKey(std::string_view(line).substr(1, line.size() - 2))];
            continue;
        }
        if (current == nullptr || line.empty()) {
            continue;
        }
        size_t pos = 0;
        std::string name;
        if (line[0] == '@') {
            pos = 1;
        } else if (auto quoted = Unquote(line, pos)) {
            name = *quoted;
        } else {
            continue;
        }
        if (pos >= line.size() || line[pos] != '=') {
            continue;
        }
        ++pos;
        if (auto value = Unquote(line, pos)) {
            (*current)[name] = *value;
        }
    }
}

bool Registry::Save()
{
    std::error_code error;
    std::filesystem::create_directories(m_file.parent_path(), error);
    std::ostringstream out;
    out << kHeader << "\n";
    for (const auto& [key, values] : m_keys) {
        out << "\n[" << key << "]\n";
        for (const auto& [name, value] : values) {
            out << (name.empty() ? std::string("@") : Quote(name)) << '=' << Quote(value) << '\n';
        }
    }
    const std::string text = out.str();
    const auto temp = m_file.string() + ".new";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n <= 0) {
            ::close(fd);
            ::unlink(temp.c_str());
            return false;
        }
        written += static_cast<size_t>(n);
    }
    // Data that did not reach the disk must not replace the file that did.
    const bool synced = ::fsync(fd) == 0;
    if (::close(fd) != 0 || !synced || ::rename(temp.c_str(), m_file.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    m_stamp = StampOnDisk();
    // Until the folder is flushed the rename itself may be lost in a crash.
    return SyncFolder(m_file.parent_path().empty() ? std::filesystem::path(".") : m_file.parent_path());
}

template <typename Change>
bool Registry::Modify(Change change)
{
    std::error_code error;
    std::filesystem::create_directories(m_file.parent_path(), error);
    FileLock lock(m_file);
    if (!lock.IsHeld()) {
        return false; // unlocked, another copy's change could be lost
    }
    Load(); // start from what other copies wrote
    if (!change()) {
        return false;
    }
    return Save();
}

bool Registry::KeyExists(std::string_view key) const
{
    RefreshIfChanged();
    const std::string normal = NormaliseKey(key);
    if (m_keys.count(normal) != 0) {
        return true;
    }
    // A key also exists when it only has subkeys.
    const std::string prefix = normal + "\\";
    auto it = m_keys.lower_bound(prefix);
    return it != m_keys.end() && text::StartsWithNoCase(it->first, prefix);
}

std::optional<std::string> Registry::QueryValue(std::string_view key, std::string_view valueName) const
{
    RefreshIfChanged();
    auto keyIt = m_keys.find(NormaliseKey(key));
    if (keyIt == m_keys.end()) {
        return std::nullopt;
    }
    auto valueIt = keyIt->second.find(std::string(valueName));
    if (valueIt == keyIt->second.end()) {
        return std::nullopt;
    }
    return valueIt->second;
}

std::vector<std::string> Registry::ValueNames(std::string_view key) const
{
    RefreshIfChanged();
    std::vector<std::string> names;
    auto keyIt = m_keys.find(NormaliseKey(key));
    if (keyIt != m_keys.end()) {
        for (const auto& entry : keyIt->second) {
            names.push_back(entry.first);
        }
    }
    return names;
}

bool Registry::CreateKey(std::string_view key)
{
    const std::string normal = NormaliseKey(key);
    return Modify([&] {
        m_keys[normal];
        return true;
    });
}

bool Registry::SetValue(std::string_view key, std::string_view valueName, std::string_view text)
{
    const std::string normal = NormaliseKey(key);
    return Modify([&] {
        auto& values = m_keys[normal];
        // Keep the spelling under which the value was first written.
        auto it = values.find(std::string(valueName));
        if (it != values.end()) {
            it->second = std::string(text);
        } else {
            values.emplace(std::string(valueName), std::string(text));
        }
        return true;
    });
}

bool Registry::DeleteValue(std::string_view key, std::string_view valueName)
{
    const std::string normal = NormaliseKey(key);
    return Modify([&] {
        auto keyIt = m_keys.find(normal);
        return keyIt != m_keys.end() && keyIt->second.erase(std::string(valueName)) > 0;
    });
}

bool Registry::DeleteKey(std::string_view key)
{
    const std::string normal = NormaliseKey(key);
    const std::string prefix = normal + "\\";
    return Modify([&] {
        bool found = m_keys.erase(normal) > 0;
        for (auto it = m_keys.begin(); it != m_keys.end();) {
            if (text::StartsWithNoCase(it->first, prefix)) {
                it = m_keys.erase(it);
                found = true;
            } else {
                ++it;
            }
        }
        return found;
    });
}

void Registry::Flush()
{
    // Every change is already on disk, written and synced by Save().
}

} // namespace platform::registry
