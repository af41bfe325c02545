#pragma once
// What every test process runs in: a temporary home folder (HOME, XDG_* and LUMARC_HOME point into it,
// so no test touches the user's files) and a dialog service that records messages instead of showing
// them, answering from a queue that a test fills.

#include "platform/ui/DialogService.h"

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

namespace lumarc::test {

struct RecordedMessage
{
    std::string text;
    std::string caption;
    unsigned style = 0;
};

class RecordingDialogService final : public platform::ui::DialogService
{
public:
    int MessageBox(const std::string& text, const std::string& caption, unsigned style) override;

    std::vector<RecordedMessage> messages;
    // Answers given in order; when empty, Yes for questions and OK otherwise.
    std::deque<int> answers;

    void Clear()
    {
        messages.clear();
        answers.clear();
    }
};

// The recording service installed for the test process.
RecordingDialogService& Dialogs();

// The temporary home folder of this test process.
const std::filesystem::path& TempHome();

// A fresh, empty folder below the temporary home.
std::filesystem::path MakeTempFolder(const std::string& hint = "tmp");

// Puts the C library's number conventions (LC_NUMERIC) of a locale in force for its lifetime, so a test
// sees what printf and strtod would do for a user of that locale. A test skips when `IsSet` is false.
class ScopedNumericLocale
{
public:
    explicit ScopedNumericLocale(const char* locale);
    ~ScopedNumericLocale();
    ScopedNumericLocale(const ScopedNumericLocale&) = delete;
    ScopedNumericLocale& operator=(const ScopedNumericLocale&) = delete;

    bool IsSet() const { return m_set; }

private:
    std::string m_previous;
    bool m_set = false;
};

// Sets up the environment; called once by the test mains before anything else.
void SetUpTestProcess();
void TearDownTestProcess();

} // namespace lumarc::test
