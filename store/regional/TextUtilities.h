#pragma once
// Small text operations shared by the whole program: case-blind search, the '^'-separated words of the
// command line and of element paths, '|'-separated filter lists, and trimming.

#include <array>
#include <string>
#include <string_view>
#include <vector>

// Position of the first occurrence of `pattern` in `text`, comparing ASCII letters without regard to case
// and every other byte exactly; an empty pattern matches at 0; npos when there is none.
size_t FindTextNoCase(std::string_view text, std::string_view pattern);

// The text up to the first '^' (or the whole text), at most 200 bytes, never cutting a character in two.
// 200 bytes is the size of a clipboard path record, so a name copied from one fits back into one.
std::string CopyUntilCaret(std::string_view source);

// The pieces of a '|'-separated list (file-dialog filters): "a|b|" gives "a", "b" and "".
std::vector<std::string> SplitAtBars(std::string_view text);

// The program's start argument: a mode word and up to four further '^'-separated words.
struct CommandLineWords
{
    std::string mode;
    std::array<std::string, 4> words;
};

// Splits "mode^word1^word2^...". A first word "Marlix catalogue" (any case) is a label some shortcuts
// carry before the path: it is skipped and the next word takes its place. Words after the fourth are
// ignored; empty words keep their place.
CommandLineWords SplitCommandLine(std::string_view commandLine);

// Cuts a path to the part behind its last backslash or slash: the file name, whichever separator wrote it.
void StripDirectory(std::string& path);

// Removes trailing occurrences of `c` from the second position on; a text that is only `c` becomes empty.
void TrimTrailing(std::string& text, char c);
void TrimTrailingBlanks(std::string& text);

// The number a stored text begins with, read as the program writes numbers into data ('.' before the
// decimals, whatever the user's locale): blanks before it are skipped, anything after it is ignored, and
// 0 stands for a text that begins with no number or one beyond the range of a double. Only plain decimal
// numbers count (an optional sign, digits, a point, an exponent): "Nancy" and "Info" are no NaN or
// infinity, and "0x1A" is 0.
double LeadingNumber(std::string_view text);
