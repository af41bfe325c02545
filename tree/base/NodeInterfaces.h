#pragma once
// What a node needs of the windows around it besides tree controls: the context menu and the questions
// it asks. The main window implements them (tree/wx holds the dialogs); without one, questions go to the
// program's dialog service, so tests answer them from its queue.

#include <string>
#include <vector>

class CItemSet;
class CNodeFrame;
class CTreeNode;
struct NodePoint;

struct NodeMenuCommand
{
    int id = 0;
    std::string text;
};

// The popup menu of a node: the catalogue's "New" menu, run or shown.
class CNodeContextMenus
{
public:
    virtual ~CNodeContextMenus() = default;
    // The commands of the catalogue node's "New" menu (none without a catalogue node).
    virtual std::vector<NodeMenuCommand> NewMenuOf(CTreeNode* catalogueNode) = 0;
    // Sends the command to the main window.
    virtual void SendCommand(int id) = 0;
    // Shows the popup ("New", menu image 154, holding the commands) at the point, until it closes.
    virtual void TrackPopup(const std::vector<NodeMenuCommand>& commands, NodePoint point) = 0;
};

// The modal questions of the nodes.
class CNodeDialogs
{
public:
    virtual ~CNodeDialogs() = default;
    // "Confirm Folder Delete": Yes 6, No 7, Yes to All 8.
    virtual int ConfirmFolderDelete(const std::string& question) = 0;
};

// The dialogs in use (never null); without an installed one, the dialog service's message box asks.
CNodeDialogs& NodeDialogs();
// Installs dialogs (not owned; null restores the default). Returns the previous ones.
CNodeDialogs* SetNodeDialogs(CNodeDialogs* dialogs);

// The record window, as the nodes see it: it lives above the tree, so the nodes reach it through this
// interface, which the record form installs.
class CRecordFormOpener
{
public:
    virtual ~CRecordFormOpener() = default;
    // Opens the set's new record (its own current record, not yet stored) for editing; saving it puts
    // it into the container. `frame` owns the window; it may be null.
    virtual void OpenNewRecord(CItemSet newRecord, CTreeNode& container, CNodeFrame* frame) = 0;
};

// The record window in use; null while none is installed, and then no node opens records (the
// commands that would are not offered).
CRecordFormOpener* RecordFormOpener();
// Installs the record window (not owned; null removes it). Returns the previous one.
CRecordFormOpener* SetRecordFormOpener(CRecordFormOpener* opener);
