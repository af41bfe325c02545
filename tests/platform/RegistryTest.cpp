#include "platform/registry/Registry.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

using platform::registry::Registry;

namespace {

std::filesystem::path NewRegistryFile()
{
    return lumarc::test::MakeTempFolder("registry") / "settings.reg";
}

// Runs `work` in a child process and waits for it; the child's exit code is returned.
template <typename Work>
int InChildProcess(Work work)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::_exit(work() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

// Without the lock another copy's change could be lost: the change is refused instead of made unlocked.
TEST(Registry, AChangeWithoutTheLockIsRefused)
{
    const auto file = NewRegistryFile();
    std::filesystem::create_directory(file.string() + ".lock"); // cannot be opened as the lock file
    Registry registry(file);
    EXPECT_FALSE(registry.SetValue("Software\\Test", "", "x"));
    EXPECT_FALSE(registry.QueryValue("Software\\Test", "").has_value());
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(Registry, KeepsTextsOfAnyKindAcrossInstances)
{
    const auto file = NewRegistryFile();
    const std::string awkward = "line one\nline \"two\"\t\\back§slash ü\r=";
    {
        Registry registry(file);
        ASSERT_TRUE(registry.SetValue("Software\\Ostvig\\Lumarc\\explorerX", "", "140"));
        ASSERT_TRUE(registry.SetValue("Software\\Ostvig\\Lumarc\\Catalogues", "3", awkward));
        ASSERT_TRUE(registry.SetValue("Software\\Ostvig\\Lumarc\\Agenda\\3", "", std::string(300, 'x')));
    }
    Registry again(file);
    EXPECT_EQ(again.QueryValue("Software\\Ostvig\\Lumarc\\explorerX"), "140");
    EXPECT_EQ(again.QueryValue("software\\ostvig\\lumarc\\CATALOGUES", "3"), awkward);
    EXPECT_EQ(again.QueryValue("Software\\Ostvig\\Lumarc\\Agenda\\3")->size(), 300u);
    EXPECT_FALSE(again.QueryValue("Software\\Ostvig\\Lumarc\\missing").has_value());
    EXPECT_FALSE(again.QueryValue("Software\\Ostvig\\Lumarc\\Catalogues", "4").has_value());
    EXPECT_TRUE(again.KeyExists("Software\\Ostvig")); // exists through its subkeys
}

TEST(Registry, DeletesValuesAndWholeKeys)
{
    Registry registry(NewRegistryFile());
    registry.SetValue("A\\B", "x", "1");
    registry.SetValue("A\\B\\C", "", "2");
    registry.SetValue("A\\BB", "", "3");
    EXPECT_TRUE(registry.DeleteValue("A\\B", "X"));
    EXPECT_FALSE(registry.DeleteValue("A\\B", "x"));
    EXPECT_TRUE(registry.DeleteKey("a\\b"));
    EXPECT_FALSE(registry.KeyExists("A\\B\\C"));
    EXPECT_EQ(registry.QueryValue("A\\BB"), "3"); // a sibling with a longer name stays
}

TEST(Registry, SeesWhatAnotherProcessWrote)
{
    const auto file = NewRegistryFile();
    Registry registry(file);
    registry.SetValue("K", "", "before");
    ASSERT_EQ(registry.QueryValue("K"), "before"); // now cached in this process

    ASSERT_EQ(InChildProcess([&] { return Registry(file).SetValue("K", "", "after"); }), 0);
    EXPECT_EQ(registry.QueryValue("K"), "after");
}

TEST(Registry, ConcurrentWritersLoseNothing)
{
    const auto file = NewRegistryFile();
    constexpr int kWriters = 4;
    constexpr int kValues = 25;
    std::vector<pid_t> children;
    for (int w = 0; w < kWriters; ++w) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            Registry registry(file);
            for (int v = 0; v < kValues; ++v) {
                registry.SetValue("W" + std::to_string(w), std::to_string(v), "value");
            }
            ::_exit(0);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
    }
    Registry registry(file);
    for (int w = 0; w < kWriters; ++w) {
        EXPECT_EQ(registry.ValueNames("W" + std::to_string(w)).size(), static_cast<size_t>(kValues));
    }
}

TEST(Registry, IgnoresDamagedLines)
{
    const auto file = NewRegistryFile();
    {
        std::ofstream out(file);
        out << "Lumarc registry 1\n[K]\n@=\"ok\"\ngarbage line\n\"unterminated=\"x\n\"n\"=\"v\n[\n";
    }
    Registry registry(file);
    EXPECT_EQ(registry.QueryValue("K"), "ok");
    EXPECT_FALSE(registry.QueryValue("K", "n").has_value());
}
