#include "mainwindow/dnd/DropTarget.h"

#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/clipboard/ItemClipboard.h"
#include "store/records/ItemSet.h"
#include "store/records/WaitWindow.h"
#include "tree/base/ElementTreeSource.h"
#include "tree/base/NodeInterfaces.h"
#include "tree/base/TreeNode.h"
#include "tree/catalogue/CatalogueNode.h"

#include <wx/filename.h>
#include <wx/filesys.h>
#include <wx/menu.h>
#include <wx/time.h>
#include <wx/uri.h>
#include <wx/utils.h>
#include <wx/window.h>

#include <sstream>

using namespace dnd;

namespace {

constexpr int kBookmarksKind = 24;
constexpr size_t kMaxAddress = 259;

std::unique_ptr<CItemSet>& DraggedItems()
{
    static std::unique_ptr<CItemSet> items;
    return items;
}

int ToEffect(wxDragResult result)
{
    switch (result) {
    case wxDragCopy:
        return kEffectCopy;
    case wxDragMove:
        return kEffectMove;
    case wxDragLink:
        return kEffectLink;
    default:
        return kEffectNone;
    }
}

wxDragResult ToResult(int effect)
{
    switch (effect) {
    case kEffectCopy:
        return wxDragCopy;
    case kEffectMove:
        return wxDragMove;
    case kEffectLink:
        return wxDragLink;
    default:
        return wxDragNone;
    }
}

bool TakesWebAddresses(CTreeNode* node)
{
    return node != nullptr && (node->IsFolder() || (node->IsArea() && node->GetKind() == kBookmarksKind));
}

int KeysHeld()
{
    const wxMouseState state = wxGetMouseState();
    return (state.ControlDown() ? kKeyCtrl : 0) | (state.ShiftDown() ? kKeyShift : 0) |
           (state.RightIsDown() ? kKeyRightButton : 0);
}

bool IsWebAddress(const std::string& text)
{
    return text.starts_with("http://") || text.starts_with("https://") || text.starts_with("ftp://");
}

} // namespace

CItemSet* GetDraggedItems(CTreeNode& root)
{
    auto& items = DraggedItems();
    if (!items) {
        CElementTreeSource tree(root);
        items = ReadItemsFromClipboard(tree);
    }
    return items.get();
}

void ReleaseDraggedItems()
{
    DraggedItems().reset();
}

bool MakeBookmarkRecord(CTreeNode& node, const std::string& address, CTreeNode* linkTo)
{
    CCatalogueDb* catalogue = node.GetCatalogue();
    if (catalogue == nullptr)
        return false;
    CItemSet bookmark = CItemSet::NewRecord(kBookmarksKind, node.GetFolderRecord(), catalogue);
    if (!bookmark.SetFieldTextByName("WWW", address))
        return false;
    if (CRecordFormOpener* form = RecordFormOpener(); form != nullptr) {
        form->OpenNewRecord(std::move(bookmark), node, nullptr);
        return true;
    }
    // Without the record window the address is kept as it came rather than lost.
    if (!bookmark.SaveCurrentUnderParent(FolderNumberOf(node)))
        return false;
    if (linkTo != nullptr)
        LinkItemsWith(*linkTo, bookmark, kBookmarksKind);
    return true;
}

int LinkItemsWith(CTreeNode& element, CItemSet& items, int kind)
{
    // Only a record has a record to link with (a folder's set is the records it holds). A key names a
    // record only within its own catalogue, so items of another are not linked.
    CItemSet* own = element.IsRecord() ? element.GetItemSet() : nullptr;
    if (own == nullptr || own->GetCatalogue() == nullptr || own->GetCatalogue()->IsViewOnly() ||
        own->GetCatalogue() != items.GetCatalogue() || (own->GetCurrent() == nullptr && !own->MoveFirst()))
        return 0;
    const CNodeRef self = own->GetCurrentKey();
    int linked = 0;
    for (bool more = items.MoveFirst(); more; more = items.MoveNext()) {
        if (!LinkListTakes(kind, items.GetCurrentKind()) || items.GetCurrentKey().IsSame(&self))
            continue;
        // The item links to the element, so that it is one of the element's linked records.
        if (items.LinkCurrentWith(self))
            ++linked;
    }
    return linked;
}

CDropTarget::CDropTarget(CDropPane& pane) : m_pane(pane), m_scroll(ReadAutoScrollSettings())
{
    auto* composite = new wxDataObjectComposite; // the target owns it
    for (const std::string_view format : DropFormats())
        composite->Add(new wxCustomDataObject(wxDataFormat(wxString::FromUTF8(std::string(format)))));
    SetDataObject(composite);

    m_probe.offeredFormat = [this] {
        const wxDataFormat format = GetMatchingPair();
        return format == wxDataFormat(wxDF_INVALID) ? std::string() : format.GetId().utf8_string();
    };
    m_probe.fetchData = [this] { return GetData(); };
    m_probe.keyState = KeysHeld;
    m_probe.nowMs = [] { return static_cast<std::int64_t>(wxGetLocalTimeMillis().GetValue()); };
    m_probe.chooseFromMenu = [this](int allowed, const wxPoint& point) {
        wxMenu menu;
        for (const DropMenuEntry& entry : DropMenuEntries(allowed)) {
            if (entry.separator) {
                menu.AppendSeparator();
                continue;
            }
            // Menu ids start at 1 so that a dismissed menu (wxID_NONE) reads as Cancel.
            menu.Append(entry.command + 1, wxString::FromUTF8(LoadResString(entry.stringId)));
            menu.Enable(entry.command + 1, entry.enabled);
        }
        const int chosen = m_pane.GetDropWindow()->GetPopupMenuSelectionFromUser(menu, point);
        return chosen == wxID_NONE ? kEffectNone : chosen - 1;
    };
}

CDropTarget::~CDropTarget()
{
    ReleaseDraggedItems();
}

bool CDropTarget::SetFormatData(std::string_view format, const void* data, size_t size)
{
    auto* composite = static_cast<wxDataObjectComposite*>(GetDataObject());
    auto* object = composite->GetObject(wxDataFormat(wxString::FromUTF8(std::string(format))));
    return object != nullptr && object->SetData(object->GetPreferredFormat(), size, data);
}

std::string CDropTarget::ReadFormatText(std::string_view format) const
{
    auto* composite = static_cast<wxDataObjectComposite*>(GetDataObject());
    auto* object = dynamic_cast<wxCustomDataObject*>(
        composite->GetObject(wxDataFormat(wxString::FromUTF8(std::string(format)))));
    if (object == nullptr || object->GetSize() == 0)
        return {};
    const auto* bytes = static_cast<const char*>(object->GetData());
    std::string text(bytes, object->GetSize());
    if (format == "text/x-moz-url") // UTF-16: the address, a line break and the title
        text = wxString(bytes, wxMBConvUTF16(), object->GetSize()).utf8_string();
    if (const auto end = text.find('\0'); end != std::string::npos)
        text.resize(end);
    return text;
}

bool CDropTarget::ReadAddressOrFiles(std::string& address, wxArrayString& files) const
{
    for (const std::string_view format : {"text/x-moz-url", "_NETSCAPE_URL", "text/uri-list"}) {
        std::istringstream lines(ReadFormatText(format));
        for (std::string line; std::getline(lines, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.empty() || line.front() == '#')
                continue;
            if (line.starts_with("file:"))
                files.Add(wxFileSystem::URLToFileName(wxString::FromUTF8(line)).GetFullPath());
            else if (address.empty() && IsWebAddress(line))
                address = line.substr(0, kMaxAddress);
            if (format != "text/uri-list")
                break; // the title follows the address
        }
        if (!address.empty() || !files.IsEmpty())
            return true;
    }
    return false;
}

int CDropTarget::AcceptedEffects(CTreeNode* node)
{
    if (node == nullptr)
        return kEffectNone;
    switch (m_dragData) {
    case DragData::None:
        return kEffectNone;
    case DragData::WebAddress:
        if (IsLinkList())
            return LinkListTakesAddresses(m_pane.GetLinkKind()) ? kEffectLink : kEffectNone;
        return TakesWebAddresses(node) ? kEffectLink : kEffectNone;
    case DragData::Files:
        // A file list may hold files (the tree pane's file drop takes them) or web addresses.
        if (m_pane.GetDropKind() == CDropPane::kTreePane)
            return kEffectCopy;
        return TakesWebAddresses(node) ? kEffectLink : kEffectNone;
    case DragData::Items:
        break;
    }
    if (IsLinkList())
        return LinkListEffects();
    CItemSet* items = GetDraggedItems(m_pane.GetRootElement());
    if (items == nullptr) {
        // Folders, stored queries or item lists: only containers and catalogues take them.
        if ((node->IsContainer() || node->IsCatalogue()) && node->CanAcceptMove(nullptr))
            return kEffectCopy | kEffectMove;
        return kEffectNone;
    }
    return (node->CanAcceptCopy(items) ? kEffectCopy : 0) | (node->CanAcceptMove(items) ? kEffectMove : 0) |
           (node->CanAcceptLink(items) ? kEffectLink : 0);
}

int CDropTarget::LinkListEffects()
{
    CItemSet* items = GetDraggedItems(m_pane.GetRootElement());
    const bool hasItems = items != nullptr && items->MoveFirst();
    CTreeNode* element = m_pane.GetLinkElement();
    return LinkListAccepts(hasItems, m_pane.GetLinkKind(), hasItems ? items->GetCurrentKind() : -1) &&
                   element != nullptr && element->IsRecord() && element->GetCatalogue() != nullptr &&
                   !element->GetCatalogue()->IsViewOnly()
               ? kEffectLink
               : kEffectNone;
}

void CDropTarget::LinkDroppedItems()
{
    ReleaseDraggedItems();
    CTreeNode* element = m_pane.GetLinkElement();
    if (CItemSet* items = GetDraggedItems(m_pane.GetRootElement()); items != nullptr && element != nullptr)
        LinkItemsWith(*element, *items, m_pane.GetLinkKind());
    ReleaseDraggedItems();
    m_pane.AfterDrop(kEffectLink);
}

int CDropTarget::GetAllowedEffects(const wxPoint& point)
{
    return AcceptedEffects(m_pane.NodeAtPoint(point));
}

int CDropTarget::ComputeDropEffect(int keyState, const wxPoint& point)
{
    if (m_dragData == DragData::None)
        return kEffectNone;
    if (keyState & kKeyRightButton)
        m_rightButton = true;
    const wxSize size = m_pane.GetDropWindow()->GetClientSize();
    const AutoScroll::Step step = m_scroll.Update(point.x, point.y, size.x, size.y, m_probe.nowMs());
    if (step.Scrolls())
        m_pane.ScrollLines(step.dx, step.dy);
    CTreeNode* node = m_pane.NodeAtPoint(point);
    m_pane.HighlightDropNode(node);
    return ChooseDropEffect(AcceptedEffects(node), keyState | (m_rightButton ? kKeyRightButton : 0));
}

wxDragResult CDropTarget::OnEnter(wxCoord x, wxCoord y, wxDragResult def)
{
    m_rightButton = false;
    m_scroll.Reset();
    ReleaseDraggedItems();
    m_format = m_probe.offeredFormat();
    m_dragData = ClassifyDragFormat(m_format);
    return OnDragOver(x, y, def);
}

wxDragResult CDropTarget::OnDragOver(wxCoord x, wxCoord y, wxDragResult /*def*/)
{
    return ToResult(ComputeDropEffect(m_probe.keyState(), wxPoint(x, y)));
}

bool CDropTarget::OnDrop(wxCoord /*x*/, wxCoord /*y*/)
{
    return m_dragData != DragData::None;
}

wxDragResult CDropTarget::OnData(wxCoord x, wxCoord y, wxDragResult def)
{
    const wxPoint point(x, y);
    int effect = ToEffect(def);
    if (m_rightButton) {
        m_rightButton = false;
        const int allowed = GetAllowedEffects(point);
        effect = m_probe.chooseFromMenu(allowed, point);
        if ((effect & allowed) == 0)
            effect = kEffectNone;
        ReleaseDraggedItems();
        if (effect == kEffectNone) {
            EndDrag();
            return wxDragCancel;
        }
    }
    wxBusyCursor wait;
    CTreeNode* node = m_pane.NodeAtPoint(point);
    wxDragResult result = wxDragNone;
    if (m_dragData == DragData::Items && IsLinkList()) {
        if (effect == kEffectLink) {
            LinkDroppedItems();
            result = wxDragLink;
        }
    } else if (m_dragData == DragData::Items) {
        if (node != nullptr && effect != kEffectNone) {
            DropItems(*node, effect);
            result = ToResult(effect);
        }
    } else if (m_dragData != DragData::None && m_probe.fetchData()) {
        std::string address;
        wxArrayString files;
        if (ReadAddressOrFiles(address, files)) {
            if (!files.IsEmpty()) {
                m_pane.DropFiles(point, files);
                result = wxDragCopy;
            } else if (IsLinkList()) {
                // Into the list's folder, and linked with its record.
                if (CTreeNode* element = m_pane.GetLinkElement();
                    element != nullptr && LinkListTakesAddresses(m_pane.GetLinkKind())) {
                    MakeBookmarkRecord(*element, address, element);
                    m_pane.AfterDrop(kEffectLink);
                }
            } else if (node != nullptr && TakesWebAddresses(node)) {
                // The source keeps its address: the drop reports no move or copy.
                DropWebAddress(*node, address);
            }
        }
    }
    EndDrag();
    return result;
}

bool CDropTarget::DropWebAddress(CTreeNode& node, const std::string& address)
{
    return MakeBookmarkRecord(node, address);
}

void CDropTarget::DropItems(CTreeNode& node, int effect)
{
    ReleaseDraggedItems();
    CItemSet* items = GetDraggedItems(m_pane.GetRootElement());
    const bool showWait = items != nullptr && !node.IsInWastebasket();
    if (showWait)
        ShowWaitWindowForItemSet(*items);
    if (effect == kEffectCopy)
        node.DropCopy(items);
    else if (effect == kEffectMove)
        node.DropMove(items);
    else if (effect == kEffectLink && items != nullptr)
        node.DropLink(*items);
    if (showWait)
        CloseWaitWindow();
    ReleaseDraggedItems();
    m_pane.AfterDrop(effect);
}

void CDropTarget::EndDrag()
{
    m_pane.HighlightDropNode(nullptr);
    m_dragData = DragData::None;
    m_scroll.Reset();
}

void CDropTarget::OnLeave()
{
    m_rightButton = false;
    m_dragData = DragData::None;
    m_scroll.Reset();
    ReleaseDraggedItems();
    m_pane.HighlightDropNode(nullptr);
}
