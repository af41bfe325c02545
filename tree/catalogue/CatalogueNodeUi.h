#pragma once
// What the catalogue node asks of the windows around it: the password of a protected catalogue, the
// names of new lists, queries and folders, the place of a new item, and what the main frame shows. The
// main window installs it (the dialogs live above the tree); without one, a protected catalogue is shown
// as it stands and nothing new is made, so the commands that need it are not offered.

#include <optional>
#include <string>

class CTreeNode;

class CCatalogueNodeUi
{
public:
    // Which "Create New" dialog: the list and query dialog (one layout), or the folder dialog, which
    // also asks the folder's TYPE.
    enum class NewElement
    {
        kItemList,
        kQuery,
        kFolder,
    };
    struct NewElementAnswer
    {
        std::string name;
        std::string comment;
        int type = 0; // folders only: a data-file number, or 100 for every kind
        // The parent the user chose in the dialog; null keeps the place the command was given.
        CTreeNode* place = nullptr;
    };

    virtual ~CCatalogueNodeUi() = default;
    // "Password" for the catalogue; nullopt when cancelled.
    virtual std::optional<std::string> AskPassword(const std::string& catalogueName) = 0;
    // "Create New" under `place`, proposing the name; nullopt when cancelled.
    virtual std::optional<NewElementAnswer> AskNewElement(NewElement what, CTreeNode& place,
                                                          const std::string& proposal) = 0;
    // "Create New" for an item of the data file: the node (folder or area of the catalogue node's
    // subtree) the user chose; null when cancelled.
    virtual CTreeNode* ChooseNewItemPlace(CTreeNode& catalogueNode, int dataFile) = 0;
    // The element selected in the main frame; null when none.
    virtual CTreeNode* SelectedElement() = 0;
    // Makes the node the frame's current element (without the selection timer's reaction).
    virtual void MakeCurrentElement(CTreeNode& node) = 0;
    // Fills the tree pane again from the nodes.
    virtual void RefillTree() = 0;
    // Takes every tree item's label from its node again.
    virtual void RefreshTreeLabels() = 0;
};

// The interface in use; null while none is installed.
CCatalogueNodeUi* CatalogueNodeUi();
// Installs it (not owned; null removes it). Returns the previous one.
CCatalogueNodeUi* SetCatalogueNodeUi(CCatalogueNodeUi* ui);
