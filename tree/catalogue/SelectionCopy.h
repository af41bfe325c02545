#pragma once
// The copy of a selection into another open catalogue (Add to my catalog, F8, and records dropped on a
// catalogue): the data file there that matches the items' kind, where they go ("Copy to database"),
// items copied before left out with one message, linked items taken along on request, all under the
// wait window and in one transaction. The place is asked through CSelectionCopyUi, which the main window
// installs; without one nothing is copied, so the commands that need it are not offered.

#include <optional>
#include <vector>

class CCatalogueDb;
class CFolderRecord;
class CItemSet;
class CTreeNode;

class CSelectionCopyUi
{
public:
    struct Placement
    {
        // The folder or area of the target catalogue the items go into; null: the catalogue itself.
        CTreeNode* place = nullptr;
        // The items go into a copy of the source's chain of folders (made where it is missing).
        bool keepStructure = false;
    };

    virtual ~CSelectionCopyUi() = default;
    // "Copy to database": where the items of data file `dataFile` go in the catalogue of `target`,
    // starting from the element the items came from (may be null); nullopt when cancelled.
    virtual std::optional<Placement> ChoosePlace(CTreeNode& target, int dataFile, CTreeNode* source) = 0;
};

// The interface in use; null while none is installed.
CSelectionCopyUi* SelectionCopyUi();
// Installs it (not owned; null removes it). Returns the previous one.
CSelectionCopyUi* SetSelectionCopyUi(CSelectionCopyUi* ui);

// The data file of `into` matching the set's current kind in its own catalogue (the same strong name,
// else the one holding all its field names); 0 when none.
int MatchingDataFile(CItemSet& items, CCatalogueDb& into);

// Copies the records of `items` (of another catalogue) into the catalogue of `target` (a catalogue node):
// records copied before are skipped with one message; the first record to copy asks for the place;
// each child list of the data file's form whose linked data file has a name asks whether its linked
// items go along. True when records were copied; every window then reloads the target catalogue.
bool CopySelectionToCatalogue(CItemSet& items, CTreeNode* sourceParent, CTreeNode& target);

// The number of the deepest folder of the source's chain of folders rebuilt under the target catalogue:
// each container from the top down is found by name among the folders already made there, or made as a
// folder of the same name (of `dataFile`, or of every kind when the source's is). `created` tells
// whether any was made; `made` (when given) receives the folders made. 0 when the source lies in no folder.
double CopyFolderPath(CCatalogueDb& into, CTreeNode& source, int dataFile, bool& created,
                      std::vector<CFolderRecord*>* made = nullptr);
