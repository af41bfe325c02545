#include "tests/support/TestEnvironment.h"

#include <sqlite3.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace lumarc::test {
namespace {

std::filesystem::path g_home;
RecordingDialogService g_dialogs;
int g_folderCounter = 0;

// Every test process links the database engine; it must be SQLCipher, not a plain SQLite that another
// library pulled in ahead of it. Checked first, so a wrong link order fails every test loudly.
void CheckEncryptingEngine()
{
    sqlite3* db = nullptr;
    sqlite3_stmt* statement = nullptr;
    bool answered = false;
    if (sqlite3_open(":memory:", &db) == SQLITE_OK &&
        sqlite3_prepare_v2(db, "PRAGMA cipher_version", -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        answered = sqlite3_column_text(statement, 0) != nullptr;
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    if (!answered) {
        std::fprintf(stderr, "The linked SQLite does not answer PRAGMA cipher_version: SQLCipher must be "
                             "linked before any plain SQLite.\n");
        std::abort();
    }
}

} // namespace

int RecordingDialogService::MessageBox(const std::string& text, const std::string& caption, unsigned style)
{
    messages.push_back({text, caption, style});
    if (!answers.empty()) {
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    switch (style & platform::ui::kMbButtonMask) {
    case platform::ui::kMbYesNo:
    case platform::ui::kMbYesNoCancel:
        return platform::ui::kIdYes;
    default:
        return platform::ui::kIdOk;
    }
}

RecordingDialogService& Dialogs()
{
    return g_dialogs;
}

const std::filesystem::path& TempHome()
{
    return g_home;
}

ScopedNumericLocale::ScopedNumericLocale(const char* locale)
{
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    m_previous = previous != nullptr ? previous : "C";
    m_set = std::setlocale(LC_NUMERIC, locale) != nullptr;
}

ScopedNumericLocale::~ScopedNumericLocale()
{
    std::setlocale(LC_NUMERIC, m_previous.c_str());
}

std::filesystem::path MakeTempFolder(const std::string& hint)
{
    auto folder = g_home / (hint + "-" + std::to_string(++g_folderCounter));
    std::filesystem::create_directories(folder);
    return folder;
}

void SetUpTestProcess()
{
    CheckEncryptingEngine();
    std::string pattern = (std::filesystem::temp_directory_path() / "lumarc-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    g_home = pattern;
    const auto set = [](const char* name, const std::filesystem::path& path) {
        std::filesystem::create_directories(path);
        ::setenv(name, path.c_str(), 1);
    };
    set("HOME", g_home);
    set("XDG_CONFIG_HOME", g_home / ".config");
    set("XDG_DATA_HOME", g_home / ".local/share");
    set("XDG_CACHE_HOME", g_home / ".cache");
    set("LUMARC_HOME", g_home / "lumarc");
    std::filesystem::create_directories(g_home / "runtime");
    std::filesystem::permissions(g_home / "runtime", std::filesystem::perms::owner_all);
    ::setenv("XDG_RUNTIME_DIR", (g_home / "runtime").c_str(), 1);
    platform::ui::SetDialogService(&g_dialogs);
}

void TearDownTestProcess()
{
    platform::ui::SetDialogService(nullptr);
    if (std::getenv("LUMARC_KEEP_TEST_HOME") == nullptr) {
        std::error_code error;
        std::filesystem::remove_all(g_home, error);
    }
}

} // namespace lumarc::test
