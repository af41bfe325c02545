#include "mainwindow/dnd/DropEffects.h"

#include "store/program/Settings.h"

#include <charconv>
#include <string>

namespace dnd {

int ChooseDropEffect(int accepted, int keyState)
{
    accepted &= kEffectCopy | kEffectMove | kEffectLink;
    if (accepted == kEffectNone)
        return kEffectNone;
    if (keyState & kKeyRightButton)
        return kEffectMove;
    const bool ctrl = keyState & kKeyCtrl;
    const bool shift = keyState & kKeyShift;
    switch (accepted) {
    case kEffectCopy:
    case kEffectMove:
    case kEffectLink:
        return accepted;
    case kEffectCopy | kEffectMove:
        return ctrl ? kEffectCopy : kEffectMove;
    case kEffectCopy | kEffectLink:
        return ctrl && shift ? kEffectLink : kEffectCopy;
    case kEffectMove | kEffectLink:
        return shift ? kEffectLink : kEffectMove;
    default: // copy, move and link
        if (ctrl && shift)
            return kEffectLink;
        return ctrl ? kEffectCopy : kEffectMove;
    }
}

bool LinkListAccepts(bool hasItems, int listKind, int firstItemKind)
{
    return hasItems && (listKind == 0 || firstItemKind == listKind);
}

bool LinkListTakes(int listKind, int itemKind)
{
    return listKind == 0 || itemKind == listKind;
}

bool LinkListTakesAddresses(int listKind)
{
    constexpr int kBookmarks = 24;
    return listKind == 0 || listKind == kBookmarks;
}

const std::vector<std::string_view>& DropFormats()
{
    // The program's own formats first, then a browser's address ("text/x-moz-url"), a file or address
    // list ("text/uri-list") and an older browser's bookmark ("_NETSCAPE_URL").
    static const std::vector<std::string_view> formats{
        "VUR_Drop_Items",    "VUR_Area_Move",  "VUR_Area_Copy",     "VUR_Copy_Items",
        "VUR_Move_Items",    "VUR_Query_Move", "VUR_ItemList_Move", "VUR_Query_Copy",
        "VUR_ItemList_Copy", "text/x-moz-url", "text/uri-list",     "_NETSCAPE_URL",
    };
    return formats;
}

DragData ClassifyDragFormat(std::string_view format)
{
    if (format.starts_with("VUR_"))
        return format == "VUR_Link_Items" ? DragData::None : DragData::Items;
    if (format == "text/x-moz-url" || format == "_NETSCAPE_URL")
        return DragData::WebAddress;
    if (format == "text/uri-list")
        return DragData::Files;
    return DragData::None;
}

std::vector<DropMenuEntry> DropMenuEntries(int allowed)
{
    return {
        {507, kEffectMove, (allowed & kEffectMove) != 0, false},
        {508, kEffectCopy, (allowed & kEffectCopy) != 0, false},
        {509, kEffectLink, (allowed & kEffectLink) != 0, false},
        {0, 0, true, true},
        {20614, kEffectNone, true, false},
    };
}

namespace {

int SettingNumber(std::string_view name, int fallback)
{
    const std::string text = GetSettingString(name);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0)
        return fallback;
    return value;
}

} // namespace

AutoScrollSettings ReadAutoScrollSettings()
{
    const AutoScrollSettings defaults;
    return {SettingNumber("DragScrollInset", defaults.inset),
            SettingNumber("DragScrollDelay", defaults.delayMs)};
}

AutoScroll::Step AutoScroll::Update(int x, int y, int width, int height, std::int64_t nowMs)
{
    const int inset = m_settings.inset;
    Step step;
    if (x < inset)
        step.dx = -1;
    else if (x >= width - inset)
        step.dx = 1;
    if (y < inset)
        step.dy = -1;
    else if (y >= height - inset)
        step.dy = 1;
    if (!step.Scrolls()) {
        Reset();
        return {};
    }
    if (m_lastStep < 0) {
        m_lastStep = nowMs; // the point just reached the edge: the first step waits for the delay
        return {};
    }
    if (nowMs - m_lastStep <= m_settings.delayMs)
        return {};
    m_lastStep = nowMs;
    return step;
}

} // namespace dnd
