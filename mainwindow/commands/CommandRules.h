#pragma once
// When each command of the frame is enabled, checked, and what its item reads: a function of the
// selected element, the list's shown element, the start mode and the settings, with no window, so the
// rules are tested as a table.

#include "mainwindow/frame/StartMode.h"

#include <string>

class CTreeNode;

struct CommandContext
{
    CTreeNode* selected = nullptr; // the tree's selected element or the list's focused one
    CTreeNode* shown = nullptr;    // the list pane's shown element
    StartMode mode = StartMode::kNormal;
    bool listExists = true;
    bool searchRun = false; // Find mode: a search has run
};

struct CommandState
{
    bool enabled = true;
    int check = -1;   // -1: not a check item; 0 or 1 its mark
    std::string text; // empty: the item keeps its text
};

// The state of `command` (the commands the frame knows; others are enabled).
CommandState CommandStateOf(int command, const CommandContext& context);

// The list style word of "ListIs" for a style command (59408 to 59411); empty for another command.
const char* ListStyleWordOf(int command);
// The next word of the View button's cycle (LARGE, LIST, SMALL, REPORT); empty for an unknown word,
// which the button leaves as it is.
std::string NextListStyleWord(const std::string& word);
