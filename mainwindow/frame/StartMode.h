#pragma once
// How the program starts: the last word of its command line names a start mode and, after '^', the
// element or file it starts on ("List^My Coins^Europe^", "FROME^/home/ann/coins.ctg"). The mode decides
// the panes, what is restored and saved, and where the window stands (each mode keeps its own
// rectangle).

#include <span>
#include <string>
#include <string_view>

enum class StartMode
{
    kNormal = 1,
    kOpen = 2,
    kSimpleList = 3,
    kFind = 4,
    kList = 5,
    kFrome = 6,
    kSingle = 7,
    kUnknown = 8,
};

// The last parameter of the command line, as the program reads it: every argument after the program's
// name counts, a switch without its leading '-' or '/'; empty without arguments.
std::string LastParameter(std::span<const std::string> arguments);

// The mode a word names (compared without regard to case); an empty word is Normal.
StartMode StartModeOfWord(std::string_view word);

// Whether a mode saves and restores the expanded and selected elements.
inline bool KeepsTreeState(StartMode mode)
{
    return mode == StartMode::kNormal;
}

// The window's place in a mode: the settings "<n>x", "<n>y", "<n>w", "<n>h" of the mode's number.
struct FrameRect
{
    int x = 50;
    int y = 50;
    int width = 650;
    int height = 500;
};
// A negative left or top counts as 0.
FrameRect ReadFrameRect(StartMode mode);
void WriteFrameRect(StartMode mode, const FrameRect& rect);

// The width of the tree column: the setting "explorerX", 140 when missing or negative, at most 400.
int ReadExplorerWidth();
void WriteExplorerWidth(int width);
