#pragma once
// Runs a program of the project as the user would start it and times it from outside: the time from
// the start of its process to each checkpoint its trace log receives (the watcher reads the log as it
// grows and stamps each line when it appears), and the peak resident memory of the process.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace lumarc::bench {

struct LoggedLine
{
    double seconds = 0; // since the process was started
    std::string text;
};

struct ProgramRun
{
    std::vector<LoggedLine> lines;
    long peakRssKb = 0;
    bool reachedEnd = false; // the line `until` was seen before the time ran out

    // Seconds from the start to the first line holding `text`; negative when there is none.
    double SecondsTo(const std::string& text) const;
    // The first line holding `text`, or an empty one.
    std::string LineWith(const std::string& text) const;
};

// Starts `program` with `arguments` (and the environment of this process), watches `log` until a line holding
// `until` appears or `timeoutSeconds` pass, then, unless `waitForExit`, ends the process; returns once the
// process is gone. The log is removed first. With LUMARC_BENCH_TRACE set, prints every line with its time.
ProgramRun RunProgram(const std::filesystem::path& program, const std::filesystem::path& log,
                      const std::string& until, bool waitForExit, double timeoutSeconds = 60,
                      const std::vector<std::string>& arguments = {});

// A fresh folder under the temporary folder, removed with the object.
class TemporaryFolder
{
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// False, saying so, when there is no display for the programs `bench` starts.
bool HasDisplay(const char* bench);

// Makes `home` the product folder of this process and of the programs it starts, with tracing on and
// nothing modal at start-up (no training lesson, no tip, no splash); the trace log the programs write.
std::filesystem::path PrepareProductFolder(const std::filesystem::path& home);

// The figure a driver wrote to the trace log as "driver: <what> ms <figure>"; negative when there is none.
double DriverMilliseconds(const ProgramRun& run, const std::string& what);

// Starts `driver` with `arguments` `runs + 1` times, each until its trace log says "driver done". A run
// that does not get there, or whose log lacks "driver: rows" or the figure `lastFigure`, is reported and
// counted as failed. Of the others, the first start (it fills the system's caches and is not counted)
// goes to `cold`, each later one to `warm` with its number. Returns the number of failed runs.
int RunDriver(const std::filesystem::path& driver, const std::filesystem::path& log, int runs,
              const std::string& lastFigure, const std::function<void(const ProgramRun&)>& cold,
              const std::function<void(int, const ProgramRun&)>& warm,
              const std::vector<std::string>& arguments = {});

// The median and the range of a series, as "median (min - max)" with `digits` decimals.
std::string MedianAndRange(std::vector<double> values, int digits);

} // namespace lumarc::bench
