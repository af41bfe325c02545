#pragma once
// CNavHistory: the element paths the user visited, for the Back and Forward commands and menus. It
// keeps entries 0 to 10; entry 0 stays empty until the history first overflows, and then holds the
// oldest path, which going back one step at a time never reaches. Nothing here knows of windows: the
// frame builds its menus from BackMenu and ForwardMenu and maps their commands back to an index.

#include <array>
#include <string>
#include <string_view>
#include <vector>

class CTreeNode;

struct NavMenuItem
{
    int id = 0;
    std::string text;
};

class CNavHistory
{
public:
    static constexpr int kLimit = 10;
    static constexpr int kFirstBackCommand = 24129;    // + index, up to 24139
    static constexpr int kFirstForwardCommand = 24140; // + index, up to 24150

    // Records a visit. The same text as the current entry adds nothing; at the limit the oldest entry
    // moves out. Entries after the current one stay.
    void Push(std::string_view text);
    // Records the element's display path (the names of the element and its ancestors).
    void PushElement(const CTreeNode& element);

    bool CanGoBack() const;
    bool CanGoForward() const;
    // Makes entry `index` current (0: one step back; before the first entry the result is empty) and
    // returns its path.
    std::string GoBack(int index = 0);
    // Makes entry `index` current (0: one step forward) and returns its path; empty when there is no
    // such entry.
    std::string GoForward(int index = 0);

    // One item per visited path from the current entry down to entry 1, newest first.
    std::vector<NavMenuItem> BackMenu() const;
    // One item per path after the current entry, up to the limit.
    std::vector<NavMenuItem> ForwardMenu() const;

    int GetIndex() const { return m_index; }
    const std::string& GetEntry(int index) const { return m_entries.at(index); }

    // The index a Back or Forward menu command goes to; -1 for another command.
    static int BackIndexOfCommand(int id);
    static int ForwardIndexOfCommand(int id);

private:
    std::array<std::string, kLimit + 1> m_entries;
    int m_index = 0;
};

// The element whose display path (names joined by '/', below the root) or element path (names followed
// by '^') is the text, compared without regard to case, building children on the way; null when none.
CTreeNode* FindNodeByDisplayPath(CTreeNode& root, std::string_view text);
