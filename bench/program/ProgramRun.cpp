#include "bench/program/ProgramRun.h"

#include "store/program/Settings.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace lumarc::bench {

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Reads what the log gained since `offset` and stamps each complete line.
void ReadNewLines(const std::filesystem::path& log, std::streamoff& offset, std::string& partial,
                  double seconds, std::vector<LoggedLine>& lines)
{
    std::ifstream in(log, std::ios::binary);
    if (!in) {
        return;
    }
    in.seekg(offset);
    std::string gained((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    offset += static_cast<std::streamoff>(gained.size());
    partial += gained;
    for (size_t end = partial.find('\n'); end != std::string::npos; end = partial.find('\n')) {
        std::string line = partial.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back({seconds, std::move(line)});
        partial.erase(0, end + 1);
    }
}

} // namespace

double ProgramRun::SecondsTo(const std::string& text) const
{
    for (const LoggedLine& line : lines) {
        if (line.text.find(text) != std::string::npos) {
            return line.seconds;
        }
    }
    return -1;
}

std::string ProgramRun::LineWith(const std::string& text) const
{
    for (const LoggedLine& line : lines) {
        if (line.text.find(text) != std::string::npos) {
            return line.text;
        }
    }
    return {};
}

ProgramRun RunProgram(const std::filesystem::path& program, const std::filesystem::path& log,
                      const std::string& until, bool waitForExit, double timeoutSeconds,
                      const std::vector<std::string>& arguments)
{
    std::vector<std::string> words = {program.string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    std::error_code error;
    std::filesystem::remove(log, error);
    ProgramRun run;
    const Clock::time_point start = Clock::now();
    const pid_t child = ::fork();
    if (child < 0) {
        std::perror("fork");
        return run;
    }
    if (child == 0) {
        ::execv(program.c_str(), argv.data());
        std::perror(program.c_str());
        ::_exit(127);
    }
    std::streamoff offset = 0;
    std::string partial;
    int status = 0;
    rusage usage{};
    bool exited = false;
    while (SecondsSince(start) < timeoutSeconds) {
        ReadNewLines(log, offset, partial, SecondsSince(start), run.lines);
        if (!run.reachedEnd && run.SecondsTo(until) >= 0) {
            run.reachedEnd = true;
            if (!waitForExit) {
                break;
            }
        }
        if (::wait4(child, &status, WNOHANG, &usage) == child) {
            exited = true;
            ReadNewLines(log, offset, partial, SecondsSince(start), run.lines);
            run.reachedEnd = run.SecondsTo(until) >= 0;
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(250));
    }
    if (!exited) {
        ::kill(child, SIGTERM);
        ::wait4(child, &status, 0, &usage);
    }
    run.peakRssKb = usage.ru_maxrss;
    if (std::getenv("LUMARC_BENCH_TRACE") != nullptr) {
        for (const LoggedLine& line : run.lines) {
            std::printf("%8.3f %s\n", line.seconds, line.text.substr(0, 160).c_str());
        }
    }
    return run;
}

TemporaryFolder::TemporaryFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "lumarc-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        std::abort();
    }
    m_path = pattern;
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
}

bool HasDisplay(const char* bench)
{
    if (std::getenv("DISPLAY") == nullptr) {
        std::printf("%s needs a display (scripts/bench starts a virtual one)\n", bench);
        return false;
    }
    return true;
}

std::filesystem::path PrepareProductFolder(const std::filesystem::path& home)
{
    std::filesystem::create_directories(home);
    ::setenv("LUMARC_HOME", home.c_str(), 1);
    SetSettingString("DebugOn", "TRUE");
    SetSettingBool("ShowTraining", false);
    SetSettingInt("Tips", 0);
    return home / "debug.log";
}

double DriverMilliseconds(const ProgramRun& run, const std::string& what)
{
    const std::string line = run.LineWith("driver: " + what + " ms ");
    return line.empty() ? -1 : std::atof(line.substr(line.rfind(' ') + 1).c_str());
}

int RunDriver(const std::filesystem::path& driver, const std::filesystem::path& log, int runs,
              const std::string& lastFigure, const std::function<void(const ProgramRun&)>& cold,
              const std::function<void(int, const ProgramRun&)>& warm,
              const std::vector<std::string>& arguments)
{
    int failures = 0;
    for (int i = 0; i <= runs; ++i) {
        const ProgramRun run = RunProgram(driver, log, "driver done", true, 60, arguments);
        if (!run.reachedEnd || run.LineWith("driver: rows").empty() ||
            DriverMilliseconds(run, lastFigure) < 0) {
            std::printf("run %d did not finish: %s\n", i, run.LineWith("driver:").c_str());
            ++failures;
            continue;
        }
        if (i == 0) {
            cold(run);
        } else {
            warm(i, run);
        }
    }
    return failures;
}

std::string MedianAndRange(std::vector<double> values, int digits)
{
    if (values.empty()) {
        return "no figure";
    }
    std::sort(values.begin(), values.end());
    const double median = values[values.size() / 2];
    char text[96];
    std::snprintf(text, sizeof text, "%.*f (%.*f - %.*f)", digits, median, digits, values.front(), digits,
                  values.back());
    return text;
}

} // namespace lumarc::bench
