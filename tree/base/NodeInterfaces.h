#pragma once
// What a node needs of the windows around it besides tree controls: the context menu and the questions
// it asks. The main window implements them (tree/wx holds the dialogs); without one, questions go to the
// program's dialog service, so tests answer them from its queue.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class CItemSet;
class CNodeFrame;
class CNodeListPane;
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
    // "Confirm Item Delete", asked before a record row is deleted: Yes 6, No 7, Yes to All 8.
    virtual int ConfirmItemDelete(const std::string& question) = 0;
    // The other delete confirmations, by dialog: kConfirmItemDelete (one record), kConfirmItemsDelete
    // (several), kConfirmQueryDelete, kConfirmListDelete. The same answers.
    virtual int ConfirmDelete(int dialog, const std::string& question) = 0;

    static constexpr int kConfirmItemDelete = 146;
    static constexpr int kConfirmItemsDelete = 305;
    static constexpr int kConfirmQueryDelete = 317;
    static constexpr int kConfirmListDelete = 30148;
};

// The dialogs in use (never null); without an installed one, the dialog service's message box asks.
CNodeDialogs& NodeDialogs();

// What a node that cannot be deleted answers: unless quiet, the string-table message titled "Error"
// with the stop icon; the focus goes back to the pane. Always 0 (refused).
int RefuseDeletion(unsigned message, bool quiet, CNodeListPane* list);
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

// Copying records into another catalogue, as the nodes see it: which data file of the target's catalogue
// matches a record's kind, and the copy of one record with its sub-records. The copy between catalogues
// installs it; while none is installed, nodes refuse records of another catalogue rather than drop them.
class CRecordCopier
{
public:
    // Which sub-records go with a copied record.
    static constexpr int kNotesAndFiles = 7; // its notes and files (kinds 20 and 21)
    static constexpr int kAllSubRecords = 6; // every sub-record, with theirs

    virtual ~CRecordCopier() = default;
    // The data file of the target's catalogue that matches `sourceKind` of the catalogue named
    // `sourceCatalogue`; `targetKind` (-1: any) is the kind the target holds. 0 when none matches.
    virtual int FindMatchingKind(CTreeNode& target, std::string_view sourceCatalogue, int sourceKind,
                                 int targetKind) = 0;
    // Copies the set's current record into the target's catalogue as a record of `kind` under the folder
    // (0: in none), with the sub-records `mode` names. The set stays on its own catalogue and current
    // record. True when the record was copied.
    virtual bool CopyRecordToFolder(CItemSet& set, CTreeNode& target, double folder, int kind, int mode) = 0;
};

// The copier in use; null while none is installed.
CRecordCopier* RecordCopier();
// Installs the copier (not owned; null removes it). Returns the previous one.
CRecordCopier* SetRecordCopier(CRecordCopier* copier);

// Whether the set's current record, of another catalogue, can be copied into the target: a copier is
// installed and finds a data file there for the record's kind.
bool CanCopyFromOtherCatalogue(CTreeNode& target, CItemSet& set, int targetKind);
// Copies each record of the set (of another catalogue) whose kind is at least `minKind` and has a match
// in the target's catalogue, under the folder; `modeOf` gives each record's CRecordCopier mode. With
// `move` each record copied is deleted from its own catalogue; a record that was not copied stays.
// Returns how many were copied; 0 without a copier.
int CopyFromOtherCatalogue(CTreeNode& target, CItemSet& set, double folder, int targetKind, int minKind,
                           bool move, const std::function<int(CItemSet&)>& modeOf);
