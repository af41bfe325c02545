#pragma once
// The nodes' questions as the program's own dialogs: "Confirm Folder Delete" is dialog 307 and "Confirm Item
// Delete" dialog 146 of resources/ConfirmDialogs.xrc (Yes 6, Yes to All 8, No 7), opened at the mouse. The
// application installs it with SetNodeDialogs; until then the questions go to the dialog service.

#include "tree/base/NodeInterfaces.h"

class wxWindow;

class CWxNodeDialogs final : public CNodeDialogs
{
public:
    // The dialogs' parent (may be null).
    explicit CWxNodeDialogs(wxWindow* parent = nullptr) : m_parent(parent) {}
    int ConfirmFolderDelete(const std::string& question) override;
    int ConfirmItemDelete(const std::string& question) override;
    // Dialogs 146, 305, 317 and 30148 of the same file.
    int ConfirmDelete(int dialog, const std::string& question) override;

    static constexpr int kConfirmFolderDeleteDialog = 307;
    static constexpr int kConfirmItemDeleteDialog = 146;

private:
    wxWindow* m_parent;
};
