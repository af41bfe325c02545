#include "mainwindow/dnd/ItemDataSource.h"

#include "mainwindow/common/AppClipboard.h"
#include "store/clipboard/ItemClipboard.h"
#include "tree/base/TreeNode.h"

#include <wx/dnd.h>
#include <wx/filesys.h>

#include <cstring>

namespace {

// The shortcut kind that writes into the product folder rather than onto the desktop.
constexpr int kShortcutInProductFolder = 22;

} // namespace

CItemDataSource::CItemDataSource() : m_dropFormat(wxString(std::string(kDropItemsFormat))) {}

bool CItemDataSource::AddItem(CTreeNode& node)
{
    if (m_nodes.size() >= kMaxItems)
        return false;
    if (m_nodes.empty())
        ClearClipboard();
    m_nodes.push_back(&node);
    m_filesMade = false;
    node.CopyToClipboard(false);
    node.CutToClipboard(false);
    return true;
}

const std::vector<std::string>& CItemDataSource::ShortcutFiles()
{
    if (!m_filesMade) {
        m_files.clear();
        for (CTreeNode* node : m_nodes) {
            std::string file = node->CreateShortcut(kShortcutInProductFolder);
            if (file.empty()) {
                m_files.clear(); // an element without a shortcut: no list at all, not a part of one
                break;
            }
            m_files.push_back(std::move(file));
        }
        m_filesMade = true;
    }
    return m_files;
}

std::string CItemDataSource::FileList() const
{
    const auto& files = const_cast<CItemDataSource*>(this)->ShortcutFiles();
    std::string list;
    for (const std::string& file : files)
        list += wxFileSystem::FileNameToURL(wxFileName(wxString::FromUTF8(file))).utf8_string() + "\r\n";
    return list;
}

wxDataFormat CItemDataSource::GetPreferredFormat(Direction /*dir*/) const
{
    return m_dropFormat;
}

size_t CItemDataSource::GetFormatCount(Direction dir) const
{
    return dir == Get ? 2 : 0;
}

void CItemDataSource::GetAllFormats(wxDataFormat* formats, Direction dir) const
{
    if (dir != Get)
        return;
    formats[0] = m_dropFormat;
    formats[1] = wxDataFormat(wxDF_FILENAME);
}

size_t CItemDataSource::GetDataSize(const wxDataFormat& format) const
{
    if (format == m_dropFormat)
        return 1; // a marker: one zero byte, since an empty format may be dropped on the way
    if (format == wxDataFormat(wxDF_FILENAME))
        return FileList().size();
    return 0;
}

bool CItemDataSource::GetDataHere(const wxDataFormat& format, void* buf) const
{
    if (buf == nullptr)
        return false;
    if (format == m_dropFormat) {
        *static_cast<char*>(buf) = 0;
        return true;
    }
    if (format == wxDataFormat(wxDF_FILENAME)) {
        const std::string list = FileList();
        if (list.empty())
            return false;
        std::memcpy(buf, list.data(), list.size());
        return true;
    }
    return false;
}

bool CItemDataSource::SetData(const wxDataFormat& /*format*/, size_t /*len*/, const void* /*buf*/)
{
    return false; // the drag's data is read, never written
}

void DragElements(wxWindow& window, const std::vector<CTreeNode*>& nodes)
{
    CItemDataSource data;
    for (CTreeNode* node : nodes) {
        if (node == nullptr || !data.AddItem(*node))
            break;
    }
    if (data.GetItemCount() == 0)
        return;
    wxDropSource source(data, &window);
    // The targets decide what happens (a move is done by the target), so the result is not acted on.
    source.DoDragDrop(wxDrag_AllowMove);
}
