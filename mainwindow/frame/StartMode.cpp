#include "mainwindow/frame/StartMode.h"

#include "store/program/Settings.h"

#include <algorithm>
#include <strings.h>

std::string LastParameter(std::span<const std::string> arguments)
{
    if (arguments.empty()) {
        return {};
    }
    std::string last = arguments.back();
    if (!last.empty() && (last.front() == '-' || last.front() == '/')) {
        last.erase(0, 1);
    }
    return last;
}

StartMode StartModeOfWord(std::string_view word)
{
    if (word.empty()) {
        return StartMode::kNormal;
    }
    // Tested in this order; each word names one mode.
    static constexpr std::pair<std::string_view, StartMode> kWords[] = {
        {"Normal", StartMode::kNormal},
        {"FROME", StartMode::kFrome},
        {"single", StartMode::kSingle},
        {"Find", StartMode::kFind},
        {"SimpleList", StartMode::kSimpleList},
        {"List", StartMode::kList},
        {"Open", StartMode::kOpen},
    };
    for (const auto& [text, mode] : kWords) {
        if (text.size() == word.size() && strncasecmp(text.data(), word.data(), text.size()) == 0) {
            return mode;
        }
    }
    return StartMode::kUnknown;
}

namespace {
std::string RectSetting(StartMode mode, char coordinate)
{
    return std::to_string(static_cast<int>(mode)) + coordinate;
}
} // namespace

FrameRect ReadFrameRect(StartMode mode)
{
    const FrameRect defaults;
    FrameRect rect;
    rect.x = std::max(0, GetSettingInt(RectSetting(mode, 'x'), defaults.x));
    rect.y = std::max(0, GetSettingInt(RectSetting(mode, 'y'), defaults.y));
    rect.width = GetSettingInt(RectSetting(mode, 'w'), defaults.width);
    rect.height = GetSettingInt(RectSetting(mode, 'h'), defaults.height);
    return rect;
}

void WriteFrameRect(StartMode mode, const FrameRect& rect)
{
    SetSettingInt(RectSetting(mode, 'x'), rect.x);
    SetSettingInt(RectSetting(mode, 'y'), rect.y);
    SetSettingInt(RectSetting(mode, 'w'), rect.width);
    SetSettingInt(RectSetting(mode, 'h'), rect.height);
}

int ReadExplorerWidth()
{
    constexpr int kDefault = 140;
    constexpr int kWidest = 400;
    const int width = GetSettingInt("explorerX", kDefault);
    return width < 0 ? kDefault : std::min(width, kWidest);
}

void WriteExplorerWidth(int width)
{
    SetSettingInt("explorerX", width);
}
