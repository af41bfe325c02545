#pragma once
// CItemDataSource: the data of a drag that starts in one of the panes. The dragged elements put their
// own copy and move entries on the clipboard as they are added, and the drag itself only announces them
// ("VUR_Drop_Items"), so a pane of this or another running copy reads them from the clipboard. For other
// programs (the desktop, a file manager) it offers a file list: one shortcut file per element that starts
// the program on it, written only when a program asks for the list.

#include <wx/dataobj.h>

#include <string>
#include <vector>

class CTreeNode;
class wxWindow;

class CItemDataSource : public wxDataObject
{
public:
    static constexpr size_t kMaxItems = 1000;

    CItemDataSource();

    // Adds the element and puts its entries on the clipboard (the first empties the clipboard, so the
    // drag carries only its own elements). False when the drag holds kMaxItems already.
    bool AddItem(CTreeNode& node);
    size_t GetItemCount() const { return m_nodes.size(); }
    // The shortcut files of the elements, in order; empty when an element writes none.
    const std::vector<std::string>& ShortcutFiles();

    wxDataFormat GetPreferredFormat(Direction dir = Get) const override;
    size_t GetFormatCount(Direction dir = Get) const override;
    void GetAllFormats(wxDataFormat* formats, Direction dir = Get) const override;
    size_t GetDataSize(const wxDataFormat& format) const override;
    bool GetDataHere(const wxDataFormat& format, void* buf) const override;
    bool SetData(const wxDataFormat& format, size_t len, const void* buf) override;

private:
    // The file list as the toolkit hands it to other programs (a URI list); empty when it cannot be made.
    std::string FileList() const;

    wxDataFormat m_dropFormat;
    std::vector<CTreeNode*> m_nodes;
    mutable std::vector<std::string> m_files;
    mutable bool m_filesMade = false;
};

// Starts a drag of the elements from the window and waits until it ends (the toolkit's drag loop).
// Elements beyond the first kMaxItems are left out.
void DragElements(wxWindow& window, const std::vector<CTreeNode*>& nodes);
