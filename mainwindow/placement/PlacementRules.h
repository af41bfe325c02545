#pragma once
// What the placement dialogs accept, apart from their windows: the names of new folders, lists and
// queries, the places a new item may go, and the kinds a new folder may contain.

#include <string>
#include <vector>

class CCatalogueDb;
class CTreeNode;

enum class NewNameCheck
{
    kValid,
    kEmpty, // "The name is not valid."
    kTaken, // a child of the parent carries it already, compared without regard to case
};

NewNameCheck CheckNewName(CTreeNode& parent, const std::string& name);
// The message that refuses the name; empty for a valid one.
std::string NewNameMessage(NewNameCheck check);

// A new item of data file `kind` may go into a folder, or into an area of that one kind.
bool AcceptsNewItem(CTreeNode& node, int kind);

// One line of the "Containing" list: the text and the folder TYPE it stands for.
struct FolderKindChoice
{
    std::string text;
    int type = 0;
};

// "All kind of data" (100) first, then every data file 0 to 98 of the menu that has a menu name; the
// to-do file only where the catalogue shows the to-do list.
std::vector<FolderKindChoice> FolderKindChoices(CCatalogueDb& catalogue);
