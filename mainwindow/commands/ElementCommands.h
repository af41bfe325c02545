#pragma once
// What some frame commands do to the catalogue, apart from the windows that start them: duplicating
// records, moving a folder among its siblings, switching a data file's two large icons and the address
// a record's web field opens.

#include <string>

class CItemSet;
class CTreeNode;

// Inserts a copy of every record of the set beside it (same folder), with copies of its notes and file
// items and its other links carried over. Returns how many copies were made.
int DuplicateRecords(CItemSet& records);

// The sibling the folder would change places with: the previous one (up) or the next one (down), when
// that is a folder of the same catalogue too; null otherwise.
CTreeNode* FolderSwapPartner(CTreeNode* folder, bool up);
// Moves the folder one place up or down among its sibling folders and stores the order of them all.
// False when it has no such sibling.
bool ShiftFolder(CTreeNode& folder, bool up);

// Switches the data file's two large icons and stores its definition. False when it has no two.
bool SwitchDataFileIcons(CTreeNode& element);

// The address the record's first web-address field opens: at most 1000 characters, "http://" put in
// front unless it says "http". Empty when the set's record has no such field or it is blank.
std::string RecordWebAddress(CItemSet& record);
