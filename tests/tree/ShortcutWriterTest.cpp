// Shortcuts as desktop entries: for element names with blanks, quotes, '%', 'ü', a newline, ';', '`' and
// '$' the file passes desktop-file-validate and its Exec line, read back by the desktop-entry rules,
// starts the program with exactly the argument; the file is executable, named after the description,
// and lands on the desktop that user-dirs.dirs names.

#include "tree/shortcuts/ShortcutWriter.h"
#include "store/program/Settings.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestNames.h"
#include "tree/base/BaseItemNode.h"
#include "tree/shortcuts/DesktopEntry.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

using namespace lumarc::test;
namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The value of a key of the entry, its escapes (\s \n \t \r \\) taken away.
std::string ValueOf(const std::string& entry, const std::string& key)
{
    std::istringstream lines(entry);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.compare(0, key.size() + 1, key + "=") != 0) {
            continue;
        }
        std::string value;
        for (size_t i = key.size() + 1; i < line.size(); ++i) {
            if (line[i] != '\\' || i + 1 == line.size()) {
                value += line[i];
                continue;
            }
            const char next = line[++i];
            value += next == 's' ? ' ' : next == 'n' ? '\n' : next == 't' ? '\t' : next == 'r' ? '\r' : next;
        }
        return value;
    }
    return "<missing>";
}

// The arguments of an Exec value as the desktop-entry rules read them: split at blanks outside double
// quotes; inside quotes a backslash takes the next of '"', '`', '$', '\' literally; "%%" is one '%'.
// A field code or a reserved character outside quotes makes the line invalid (an empty result).
std::vector<std::string> ExecArguments(const std::string& exec)
{
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    for (size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (c == '%') {
            if (i + 1 < exec.size() && exec[i + 1] == '%') {
                current += '%';
                inArgument = true;
                ++i;
                continue;
            }
            return {};
        }
        if (quoted) {
            if (c == '\\' && i + 1 < exec.size() &&
                std::string_view("\"`$\\").find(exec[i + 1]) != std::string::npos) {
                current += exec[++i];
            } else if (c == '"') {
                quoted = false;
            } else {
                current += c;
            }
            continue;
        }
        if (c == ' ') {
            if (inArgument) {
                arguments.push_back(current);
                current.clear();
                inArgument = false;
            }
            continue;
        }
        if (c == '"') {
            quoted = true;
            inArgument = true;
            continue;
        }
        if (std::string_view("\t\n\"'\\><~|&;$*?#()`").find(c) != std::string::npos) {
            return {};
        }
        current += c;
        inArgument = true;
    }
    if (quoted) {
        return {};
    }
    if (inArgument) {
        arguments.push_back(current);
    }
    return arguments;
}

// desktop-file-validate's verdict: empty when valid, else what it said. It reads a copy under a plain
// name, so no name of a test reaches the shell.
std::string Validate(const fs::path& file)
{
    const fs::path copy = MakeTempFolder("validate") / "shortcut.desktop";
    fs::copy_file(file, copy, fs::copy_options::overwrite_existing);
    const std::string command = "desktop-file-validate " + copy.string() + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return "cannot run desktop-file-validate";
    }
    std::string output;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    const int status = pclose(pipe);
    return status == 0 && output.find("error") == std::string::npos ? std::string() : output + "(status)";
}

struct NameCase
{
    const char* what;
    const char* name;
};

class ShortcutNameTest : public testing::TestWithParam<NameCase>
{
};

TEST_P(ShortcutNameTest, FileIsValidAndExecGivesExactlyTheArgument)
{
    const fs::path folder = MakeTempFolder("shortcuts");
    const std::string name = GetParam().name;
    const std::string argument = "list^My coins/" + name;
    const std::string path = WriteShortcut(folder, name + " of My coins", argument, 6);
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(fs::path(path).parent_path(), folder);
    EXPECT_EQ(Validate(path), "");

    const std::string entry = ReadFile(path);
    EXPECT_EQ(ValueOf(entry, "Name"), name + " of My coins");
    EXPECT_EQ(ValueOf(entry, "Icon"), "lumarc");
    EXPECT_EQ(ExecArguments(ValueOf(entry, "Exec")), (std::vector<std::string>{"corvant", argument}));
    EXPECT_NE(fs::status(path).permissions() & fs::perms::owner_exec, fs::perms::none);
}

const NameCase kNames[] = {
    {"blanks", "Roman  coins"},
    {"double quotes", "the \"best\" coins"},
    {"single quote", "Ann's coins"},
    {"percent", "100% silver %f %u"},
    {"umlaut", "Münzen für Jürgen"},
    {"newline", "first line\nsecond line"},
    {"semicolon and shell", "a; rm -rf ~ && echo $HOME `id` $(id)"},
    {"backslashes", "C:\\coins\\ \\\" \\\\"},
    {"tab and carriage return", "a\tb\rc"},
    {"caret and slash", "Rome^Gaul/Britain"},
    {"plain", "Coins"},
};

INSTANTIATE_TEST_SUITE_P(Names, ShortcutNameTest, testing::ValuesIn(kNames), NameFromWhat());

TEST(ShortcutWriterTest, FileNameKeepsTheDescriptionWithinTheFileSystemsLimits)
{
    EXPECT_EQ(ShortcutFileName("Old coins of My coins"), "Old coins of My coins.desktop");
    EXPECT_EQ(ShortcutFileName("a/b\nc"), "a_b_c.desktop");
    EXPECT_EQ(ShortcutFileName(""), "_.desktop");
    EXPECT_EQ(ShortcutFileName(".."), "_...desktop");
    std::string longName;
    for (int i = 0; i < 200; ++i) {
        longName += "ü";
    }
    const std::string cut = ShortcutFileName(longName);
    EXPECT_LE(cut.size(), 255u);
    EXPECT_EQ(cut, std::string(longName, 0, 246) + ".desktop"); // 123 letters, none split
}

TEST(ShortcutWriterTest, DesktopIsTheFolderUserDirsNamesElseDesktopInHome)
{
    const fs::path home = MakeTempFolder("home");
    const std::string oldHome = std::getenv("HOME");
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string keptConfig = oldConfig != nullptr ? oldConfig : "";
    setenv("HOME", home.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(DesktopFolder(), home / "Desktop");

    fs::create_directories(home / ".config");
    std::ofstream(home / ".config" / "user-dirs.dirs")
        << "# written by xdg-user-dirs-update\nXDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n"
           "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch \\\"neu\\\"\"\n";
    EXPECT_EQ(DesktopFolder(), home / "Schreibtisch \"neu\"");

    const std::string path = WriteShortcutOfKind(0, "Coins of My coins", "list^My coins/Coins", 1);
    EXPECT_EQ(fs::path(path), home / "Schreibtisch \"neu\"" / "Coins of My coins.desktop");

    std::ofstream(home / ".config" / "user-dirs.dirs") << "XDG_DESKTOP_DIR=\"/srv/desk\"\n";
    EXPECT_EQ(DesktopFolder(), fs::path("/srv/desk"));

    setenv("HOME", oldHome.c_str(), 1);
    if (!keptConfig.empty()) {
        setenv("XDG_CONFIG_HOME", keptConfig.c_str(), 1);
    }
}

TEST(ShortcutWriterTest, ProductFolderKindAndProgramSetting)
{
    SetSettingString("productExe", "/opt/lumarc 2/corvant");
    const std::string path =
        WriteShortcutOfKind(kProductFolderShortcut, "Wanted of My coins", "list^My coins/Wanted", 6);
    SetSettingString("productExe", "");
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(fs::path(path).parent_path(), GetProductDir());
    const std::string entry = ReadFile(path);
    EXPECT_EQ(ExecArguments(ValueOf(entry, "Exec")),
              (std::vector<std::string>{"/opt/lumarc 2/corvant", "list^My coins/Wanted"}));
    EXPECT_EQ(ValueOf(entry, "Path"), GetProductDir().string());
    EXPECT_EQ(Validate(path), "");
}

TEST(ShortcutWriterTest, ListArgumentAndDescriptionNameTheElementWithinItsCatalogue)
{
    CBaseItemNode root;
    struct Catalogue : CTreeNode
    {
        Catalogue() : CTreeNode("My coins", 30, 29) {}
        bool IsCatalogue() override { return true; }
    };
    auto* catalogue = CTreeNode::AppendNode<Catalogue>(root);
    auto* folder = CTreeNode::AppendNode<CTreeNode>(*catalogue, "Europe", 0, 0);
    auto* query = CTreeNode::AppendNode<CTreeNode>(*folder, "Old coins", 0, 0);
    EXPECT_EQ(ListShortcutArgument(*query), "list^My coins/Europe/Old coins");
    EXPECT_EQ(DescriptionWithCatalogue(*query), "Old coins of My coins");
    EXPECT_EQ(CatalogueLabelOf(*catalogue), "My coins");
    EXPECT_EQ(CatalogueLabelOf(root), "");
}

} // namespace
