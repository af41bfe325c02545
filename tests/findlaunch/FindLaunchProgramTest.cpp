// The launcher meets the real program: loaded into a host process, it starts the built program, which
// comes up in its find mode (its window titled as the find mode's) and is then closed as a user closes
// it. Needs a display.

#include "resources/LoadResString.h"
#include "store/program/Settings.h"
#include "store/program/TraceLog.h"
#include "tests/support/CatalogueBuilder.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// The first window below `window` (itself included) whose title is `title`; 0 when none.
Window FindWindowTitled(Display* display, Window window, const std::string& title)
{
    char* name = nullptr;
    if (::XFetchName(display, window, &name) != 0 && name != nullptr) {
        const bool found = title == name;
        ::XFree(name);
        if (found) {
            return window;
        }
    }
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (::XQueryTree(display, window, &root, &parent, &children, &count) == 0) {
        return 0;
    }
    Window found = 0;
    for (unsigned i = 0; i < count && found == 0; ++i) {
        found = FindWindowTitled(display, children[i], title);
    }
    if (children != nullptr) {
        ::XFree(children);
    }
    return found;
}

// Asks the window to close, as the window manager's close button does.
void AskToClose(Display* display, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = ::XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(::XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    ::XSendEvent(display, window, False, NoEventMask, &event);
    ::XFlush(display);
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A child of this process (the program, once its host is gone); 0 when there is none.
pid_t FirstChild()
{
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        // "pid (comm) state ppid ...": the name may hold blanks, the part after its ')' does not.
        const std::string stat = ReadFile(entry.path() / "stat");
        const auto close = stat.rfind(')');
        if (close == std::string::npos) {
            continue;
        }
        std::istringstream rest(stat.substr(close + 1));
        std::string state;
        pid_t parent = 0;
        rest >> state >> parent;
        if (parent == ::getpid()) {
            return static_cast<pid_t>(std::stoi(name));
        }
    }
    return 0;
}

struct DisplayCloser
{
    void operator()(Display* display) const { ::XCloseDisplay(display); }
};

TEST(FindLaunchProgram, LoadingTheLauncherStartsTheProgramInFindMode)
{
    std::unique_ptr<Display, DisplayCloser> display(::XOpenDisplay(nullptr));
    if (!display) {
        GTEST_SKIP() << "no display";
    }
    // The program's start, as it is on a desktop: nothing modal, tracing on, one catalogue to search.
    const auto catalogue =
        lumarc::test::MakeTypicalCatalogue(lumarc::test::MakeTempFolder("findlaunch-program"));
    RegisterCatalogue(catalogue.path.string());
    SetSettingString("DebugOn", "TRUE");
    SetSettingBool("ShowTraining", false);
    SetSettingInt("Tips", 0);
    SetSettingString("productExe", LUMARC_CORVANT);
    std::filesystem::remove(DebugLogPath());
    // The program outlives the host; it comes back to this process to be waited for.
    ASSERT_EQ(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);

    std::string host = FINDLAUNCH_HOST;
    std::string library = FINDLAUNCH_LIBRARY;
    char* argv[] = {host.data(), library.data(), nullptr};
    pid_t hostPid = 0;
    ASSERT_EQ(::posix_spawn(&hostPid, host.c_str(), nullptr, nullptr, argv, environ), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(hostPid, &status, 0), hostPid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    const pid_t program = FirstChild();
    ASSERT_NE(program, 0) << "the launcher started nothing";

    // The find mode's window, once the program's event loop has come to rest.
    const std::string title = LoadResString(138);
    const Clock::time_point start = Clock::now();
    Window window = 0;
    bool ended = false;
    while (window == 0 && Clock::now() - start < std::chrono::seconds(90)) {
        if (::waitpid(program, &status, WNOHANG) == program) {
            ended = true;
            break;
        }
        if (ReadFile(DebugLogPath()).find("idle") != std::string::npos) {
            window = FindWindowTitled(display.get(), DefaultRootWindow(display.get()), title);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_FALSE(ended) << "the program ended on its own:\n" << ReadFile(DebugLogPath());
    EXPECT_NE(window, 0u) << "no window titled \"" << title << "\"";

    // Closed as a user closes it, the program ends by itself and well.
    if (window != 0) {
        AskToClose(display.get(), window);
    } else {
        ::kill(program, SIGTERM);
    }
    const Clock::time_point asked = Clock::now();
    while (!ended && Clock::now() - asked < std::chrono::seconds(30)) {
        ended = ::waitpid(program, &status, WNOHANG) == program;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!ended) {
        ::kill(program, SIGKILL);
        ::waitpid(program, &status, 0);
        FAIL() << "the program did not end when its window was closed";
    }
    EXPECT_TRUE(WIFEXITED(status)) << "status " << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
    SetSettingString("productExe", "");
}

} // namespace
