#pragma once
// What the catalogue node asks of the windows, answered by the main window: the password prompt, the
// placement dialogs over the main frame, and the frame's current element and tree pane. The program
// installs one at start (CCorvantApp).

#include "tree/catalogue/CatalogueNodeUi.h"

class CTreeImageTable;
class wxWindow;

class CMainCatalogueNodeUi : public CCatalogueNodeUi
{
public:
    std::optional<std::string> AskPassword(const std::string& catalogueName) override;
    std::optional<NewElementAnswer> AskNewElement(NewElement what, CTreeNode& place,
                                                  const std::string& proposal) override;
    CTreeNode* ChooseNewItemPlace(CTreeNode& catalogueNode, int dataFile) override;
    CTreeNode* SelectedElement() override;
    void MakeCurrentElement(CTreeNode& node) override;
    void RefillTree() override;
    void RefreshTreeLabels() override;

private:
    // The owner of the dialogs: the main frame, else the application's top window.
    static wxWindow* DialogOwner();
    // The tree pane's pictures; null when the frame shows no tree pane (Find mode).
    static CTreeImageTable* TreeImages();
};
