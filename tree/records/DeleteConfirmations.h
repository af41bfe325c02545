#pragma once
// The questions asked before records are deleted: one text naming the record (a file item by its file's
// path) when one record in one row goes, else one counting the selected rows; dialog 146 for one, 305
// for several. The answers are those of CNodeDialogs (Yes 6, No 7, Yes to All 8).

#include <cstddef>
#include <string>

class CItemSet;

enum class RecordDeleteQuestion
{
    kRecycle,              // send to the wastebasket
    kRemoveFromFolder,     // remove a linked record; the last reference takes the record with it
    kRemoveFromListFolder, // remove an item list's record from the current folder
    kRemoveFromItemList,   // remove the record from the item list
};

struct RecordDeleteConfirmation
{
    int dialog = 0;
    std::string text;
};

// The dialog and text for the set's current record with `selectedRows` rows selected.
RecordDeleteConfirmation BuildRecordDeleteConfirmation(RecordDeleteQuestion question, CItemSet& set,
                                                       size_t selectedRows);
// Asks it through the node dialogs and returns the answer.
int ConfirmRecordDelete(RecordDeleteQuestion question, CItemSet& set, size_t selectedRows);

// Whether an answer lets the deletion go ahead (Yes or Yes to All).
inline bool AgreesToDelete(int answer)
{
    return answer == 6 || answer == 8;
}
