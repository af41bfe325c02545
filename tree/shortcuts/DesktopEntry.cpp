#include "tree/shortcuts/DesktopEntry.h"

namespace {

// Characters the desktop-entry rules reserve in Exec: an argument holding one is quoted.
bool IsReserved(char c)
{
    switch (c) {
    case ' ':
    case '\t':
    case '\n':
    case '\r':
    case '"':
    case '\'':
    case '\\':
    case '>':
    case '<':
    case '~':
    case '|':
    case '&':
    case ';':
    case '$':
    case '*':
    case '?':
    case '#':
    case '(':
    case ')':
    case '`':
    case '=':
        return true;
    default:
        return static_cast<unsigned char>(c) < 0x20;
    }
}

} // namespace

std::string EscapeDesktopValue(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string QuoteExecArgument(std::string_view argument)
{
    bool quote = argument.empty();
    for (const char c : argument) {
        quote = quote || IsReserved(c);
    }
    std::string out;
    if (quote) {
        out += '"';
    }
    for (const char c : argument) {
        if (c == '%') {
            out += "%%";
            continue;
        }
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) {
            out += '\\';
        }
        out += c;
    }
    if (quote) {
        out += '"';
    }
    return out;
}

std::string DesktopEntryText(const DesktopShortcut& shortcut)
{
    std::string text = "[Desktop Entry]\n"
                       "Type=Application\n"
                       "Version=1.0\n";
    text += "Name=" + EscapeDesktopValue(shortcut.name) + "\n";
    text += "Comment=" + EscapeDesktopValue(shortcut.name) + "\n";
    text +=
        "Exec=" +
        EscapeDesktopValue(QuoteExecArgument(shortcut.program) + " " + QuoteExecArgument(shortcut.argument)) +
        "\n";
    if (!shortcut.workingDir.empty()) {
        text += "Path=" + EscapeDesktopValue(shortcut.workingDir) + "\n";
    }
    text += "Icon=" + EscapeDesktopValue(shortcut.icon) + "\n";
    text += "Terminal=false\n";
    return text;
}
