#pragma once
// What a drag over an element of the panes may do, decided without a window: the effect by the keys
// held and what the element accepts, the choices of the right-button drop menu, the data a drag carries
// (by its first offered format) and the automatic scrolling near a pane's edges. The drop targets
// (DropTarget.h) feed these from the toolkit's events.

#include <cstdint>
#include <string_view>
#include <vector>

namespace dnd {

// Effect bits, as the drop menu's commands carry them.
inline constexpr int kEffectNone = 0;
inline constexpr int kEffectCopy = 1;
inline constexpr int kEffectMove = 2;
inline constexpr int kEffectLink = 4;

// Key-state bits of a drag.
inline constexpr int kKeyRightButton = 2;
inline constexpr int kKeyShift = 4;
inline constexpr int kKeyCtrl = 8;

// The effect of a drop over an element that accepts the effects in `accepted` (a sum of the effect
// bits), with the keys in `keyState`. A right-button drag shows move whenever anything is accepted:
// the choice is made in the drop menu.
int ChooseDropEffect(int accepted, int keyState);

// A list of one record's links (a drop target of kind 12) shows the linked items of one data file, or of
// every data file (kind 0). It takes dragged items, to link them with its record, when it shows every
// kind or the first dragged item is of its kind; of those it links only the items of its kind.
bool LinkListAccepts(bool hasItems, int listKind, int firstItemKind);
bool LinkListTakes(int listKind, int itemKind);
// Web addresses become bookmarks (data file 24) there only when it shows every kind or the bookmarks.
bool LinkListTakesAddresses(int listKind);

// What a drag carries, decided by the first of the program's formats that it offers.
enum class DragData
{
    None,       // nothing the panes take
    Items,      // program elements: the entries are on the clipboard
    WebAddress, // an address or bookmark from a web browser
    Files,      // a list of files (or addresses) from another program
};
// The formats the drop targets ask for, in the order they are tested.
const std::vector<std::string_view>& DropFormats();
DragData ClassifyDragFormat(std::string_view format);

// One entry of the right-button drop menu; a command of 0 with an empty text is a separator.
struct DropMenuEntry
{
    int stringId = 0;
    int command = 0; // the effect bit, 0 for Cancel
    bool enabled = true;
    bool separator = false;
};
// "Move here", "Copy here", "Link here", each greyed unless allowed, a separator and "Cancel".
std::vector<DropMenuEntry> DropMenuEntries(int allowed);

// Automatic scrolling while a drag rests near a pane's edge.
struct AutoScrollSettings
{
    int inset = 11;    // pixels from an edge
    int delayMs = 200; // between two steps
};
// The settings "DragScrollInset" and "DragScrollDelay", with those defaults when missing or not numbers.
AutoScrollSettings ReadAutoScrollSettings();

class AutoScroll
{
public:
    struct Step
    {
        int dx = 0; // -1 left, 1 right
        int dy = 0; // -1 up, 1 down
        bool Scrolls() const { return dx != 0 || dy != 0; }
    };
    explicit AutoScroll(AutoScrollSettings settings = {}) : m_settings(settings) {}
    // The step to take for a point of a client area of that size at the time given (ms, any steady
    // clock): none away from the edges (which resets the timer), none until the delay has passed since
    // the last step (or since the point reached the edge), else one line towards each near edge.
    Step Update(int x, int y, int width, int height, std::int64_t nowMs);
    void Reset() { m_lastStep = -1; }
    bool IsIdle() const { return m_lastStep < 0; }

private:
    AutoScrollSettings m_settings;
    std::int64_t m_lastStep = -1;
};

} // namespace dnd
