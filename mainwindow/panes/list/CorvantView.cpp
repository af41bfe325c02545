#include "mainwindow/panes/list/CorvantView.h"

#include "mainwindow/dnd/DropTarget.h"
#include "mainwindow/dnd/ItemDataSource.h"

#include "codecs/CatalogueImage.h"
#include "codecs/wx/ImgWxBitmap.h"
#include "mainwindow/common/WindowClasses.h"
#include "platform/text/CaseFold.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/DataFileDef.h"
#include "store/markup/MarkupNode.h"
#include "store/program/Settings.h"
#include "store/records/FolderRecord.h"
#include "store/records/ItemSet.h"
#include "store/records/Record.h"
#include "store/regional/DateText.h"
#include "tree/base/TreeNode.h"
#include "tree/containers/ContainerNode.h"
#include "tree/records/InPlaceEdit.h"
#include "tree/records/RecordNodes.h"
#include "tree/wx/InPlaceEditStrip.h"

#include <wx/settings.h>
#include <wx/utils.h>

#include <algorithm>
#include <cctype>

namespace {

constexpr int kModeNormal = 1;
constexpr int kModeOpen = 2;
constexpr int kModeSimpleList = 3;
constexpr int kModeFind = 4;
constexpr int kModeList = 5;
// The longest label an in-place edit hands on.
constexpr size_t kMaxLabel = 59;

long StyleFlags(ListViewStyle style)
{
    switch (style) {
    case ListViewStyle::Large:
        return wxLC_ICON;
    case ListViewStyle::Small:
        return wxLC_SMALL_ICON;
    case ListViewStyle::List:
        return wxLC_LIST;
    case ListViewStyle::Report:
        break;
    }
    // Only the report view is virtual: the toolkit's list draws virtual rows in no other view.
    return wxLC_REPORT | wxLC_VIRTUAL;
}

int ToFormat(ListAlign align)
{
    switch (align) {
    case ListAlign::Centre:
        return wxLIST_FORMAT_CENTRE;
    case ListAlign::Right:
        return wxLIST_FORMAT_RIGHT;
    case ListAlign::Left:
        break;
    }
    return wxLIST_FORMAT_LEFT;
}

// A file item's name: its path's last part, without the extension.
std::string FileBaseName(const std::string& path)
{
    const size_t slash = path.find_last_of("\\:/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string LowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

ListViewStyle ListViewStyleFromSetting()
{
    const std::string value = GetSettingString("ListIs", "REPORT");
    if (value == "LARGE") {
        return ListViewStyle::Large;
    }
    if (value == "SMALL") {
        return ListViewStyle::Small;
    }
    if (value == "LIST") {
        return ListViewStyle::List;
    }
    return ListViewStyle::Report;
}

namespace {

// The content list as the drop target sees it.
class ListDropPane : public CDropPane
{
public:
    ListDropPane(CCorvantView& view, CPaneFrame& frame) : m_view(view), m_frame(frame) {}
    wxWindow* GetDropWindow() override { return &m_view; }
    int GetDropKind() const override
    {
        return m_view.GetListRole() == list_role::kFormList ? kLinkList : kListPane;
    }
    CTreeNode* GetLinkElement() override { return m_view.GetLinkRecord(); }
    int GetLinkKind() const override { return m_view.GetLinkKind(); }
    CTreeNode* NodeAtPoint(const wxPoint& point) override
    {
        int flags = 0;
        m_hit = m_view.HitTest(point, flags);
        if (m_hit == wxNOT_FOUND) {
            return m_view.GetShownElement(); // empty space: the element the list shows
        }
        return m_view.ElementOfRow(m_hit);
    }
    void HighlightDropNode(CTreeNode* node) override
    {
        const long row = node != nullptr ? m_hit : wxNOT_FOUND;
        if (row == m_highlighted) {
            return;
        }
        if (m_highlighted != wxNOT_FOUND && m_highlighted < m_view.GetItemCount()) {
            m_view.SetItemState(m_highlighted, 0, wxLIST_STATE_DROPHILITED);
        }
        m_highlighted = row;
        if (row != wxNOT_FOUND) {
            m_view.SetItemState(row, wxLIST_STATE_DROPHILITED, wxLIST_STATE_DROPHILITED);
        }
    }
    void ScrollLines(int dx, int dy) override { m_view.ScrollList(dx * 16, dy * 16); }
    void DropFiles(const wxPoint& /*point*/, const wxArrayString& /*files*/) override {}
    CTreeNode& GetRootElement() override { return m_frame.GetRootElement(); }
    void AfterDrop(int effect) override
    {
        m_frame.ReloadViews(effect != dnd::kEffectLink);
        if (effect != dnd::kEffectLink || GetDropKind() == kLinkList) {
            m_view.Refill();
        }
    }

private:
    CCorvantView& m_view;
    CPaneFrame& m_frame;
    long m_hit = wxNOT_FOUND;
    long m_highlighted = wxNOT_FOUND;
};

} // namespace

CCorvantView::CCorvantView(wxWindow* parent, CPaneFrame& frame, int role)
    : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 StyleFlags(ListViewStyleFromSetting()) | wxLC_EDIT_LABELS | wxBORDER_THEME),
      m_frame(frame), m_role(role), m_style(ListViewStyleFromSetting())
{
    SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    m_cutAttr.SetTextColour(wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT));
    m_strips = std::make_unique<CWxListPane>(*this, [this] { m_frame.RefreshLabels(); });
    m_images.BuildFor(nullptr);
    SetImageList(m_images.GetSmall(), wxIMAGE_LIST_SMALL);
    SetImageList(m_images.GetLarge(), wxIMAGE_LIST_NORMAL);

    Bind(wxEVT_LIST_COL_CLICK, &CCorvantView::OnColumnClick, this);
    Bind(wxEVT_LIST_BEGIN_DRAG, &CCorvantView::OnBeginDrag, this);
    Bind(wxEVT_LIST_BEGIN_RDRAG, &CCorvantView::OnBeginDrag, this);
    m_dropPane = std::make_unique<ListDropPane>(*this, frame);
    SetDropTarget(new CDropTarget(*m_dropPane));
    Bind(wxEVT_LIST_ITEM_ACTIVATED, &CCorvantView::OnActivated, this);
    Bind(wxEVT_LIST_KEY_DOWN, &CCorvantView::OnKeyDown, this);
    Bind(wxEVT_LIST_ITEM_RIGHT_CLICK, &CCorvantView::OnRightClick, this);
    Bind(wxEVT_CONTEXT_MENU, &CCorvantView::OnContextMenu, this);
    Bind(wxEVT_LIST_ITEM_FOCUSED, &CCorvantView::OnFocused, this);
    Bind(wxEVT_LIST_BEGIN_LABEL_EDIT, &CCorvantView::OnBeginLabelEdit, this);
    Bind(wxEVT_LIST_END_LABEL_EDIT, &CCorvantView::OnEndLabelEdit, this);
    Bind(wxEVT_LIST_COL_END_DRAG, &CCorvantView::OnColumnEndDrag, this);
    // The rows are drawn by a child window of the control: clicks and focus arrive there.
    RowsWindow()->Bind(wxEVT_LEFT_UP, &CCorvantView::OnLeftUp, this);
    RowsWindow()->Bind(wxEVT_SET_FOCUS, &CCorvantView::OnSetFocus, this);
    RowsWindow()->Bind(wxEVT_PAINT, &CCorvantView::OnRowsPaint, this);
    AddTreeNodeObserver(this);
}

void CCorvantView::NodeDestroyed(const CTreeNode* node)
{
    if (node == m_linkRecord) {
        m_linkRecord = nullptr;
    }
    if (node == m_shown) {
        // Its row nodes go with it.
        m_rowNodes.clear();
        m_shown = nullptr;
        m_set = nullptr;
        ClearRows();
        return;
    }
    for (auto row = m_rowNodes.begin(); row != m_rowNodes.end(); ++row) {
        if (row->second == node) {
            m_rowNodes.erase(row);
            return;
        }
    }
    const auto child = std::find(m_childRows.begin(), m_childRows.end(), node);
    if (child != m_childRows.end()) {
        // The row stays until the next fill, without an element.
        *child = nullptr;
    }
}

void CCorvantView::OnBeginDrag(wxListEvent& /*event*/)
{
    std::vector<CTreeNode*> nodes;
    for (const long row : GetSelectedRows()) {
        if (!IsAddRow(row)) {
            if (CTreeNode* node = ElementOfRow(row); node != nullptr) {
                nodes.push_back(node);
            }
        }
    }
    DragElements(*this, nodes);
}

CDropTarget* CCorvantView::GetElementDropTarget()
{
    return static_cast<CDropTarget*>(GetDropTarget());
}

CCorvantView::~CCorvantView()
{
    RemoveTreeNodeObserver(this);
    ClearRows();
    // The control must not ask for rows whose nodes are going.
    SetImageList(nullptr, wxIMAGE_LIST_SMALL);
    SetImageList(nullptr, wxIMAGE_LIST_NORMAL);
}

wxWindow* CCorvantView::RowsWindow() const
{
    for (wxWindow* child : GetChildren()) {
        if (child->GetClassInfo()->IsKindOf(wxCLASSINFO(wxScrolledCanvas)) ||
            wxString(child->GetClassInfo()->GetClassName()) == "wxListMainWindow") {
            return child;
        }
    }
    return const_cast<CCorvantView*>(this);
}

// ---- filling ---------------------------------------------------------------------------------------

void CCorvantView::SetShownElement(CTreeNode* element)
{
    if (element == m_shown && !m_forceReload && element != nullptr) {
        return;
    }
    m_shown = element;
    FillRows();
}

void CCorvantView::Refill()
{
    m_forceReload = true;
    FillRows();
}

void CCorvantView::ClearRows()
{
    if (m_editing != nullptr) {
        m_editing = nullptr;
    }
    DeleteAllItems();
    DeleteAllColumns();
    if (IsVirtual()) {
        SetItemCount(0);
    }
    while (!m_rowNodes.empty()) {
        CTreeNode* node = m_rowNodes.begin()->second;
        m_rowNodes.erase(m_rowNodes.begin());
        if (m_shown != nullptr) {
            m_shown->DetachChild(node).reset();
        }
    }
    m_addNode.reset();
    m_addSet.reset();
    m_addRow = false;
    m_childRows.clear();
    m_childTexts.clear();
    m_cutRows.clear();
    m_recordCount = 0;
    m_rowCount = 0;
    m_overlayChildren = false;
    m_picturesMissing = 0;
}

void CCorvantView::FillRows()
{
    wxBusyCursor wait;
    std::string remembered;
    if (const long focused = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED); focused >= 0) {
        remembered = CellText(focused, 0).substr(0, 100);
    }
    SaveColumnWidths();
    Freeze();
    ClearRows();
    m_set = nullptr;
    if (m_shown != nullptr && m_shown->IsDataNode()) {
        m_set = m_shown->GetItemSet();
        if (m_set != nullptr) {
            // Folders and file areas keep a set already loaded; queries and lists run again.
            const bool keep =
                !m_forceReload && (m_shown->GetFolderRecord() != nullptr || m_shown->IsFileArea());
            if (keep) {
                m_set->Load();
            } else {
                m_set->Reload();
            }
        }
    }
    if (m_forceReload) {
        // A picture changed meanwhile shows as it is now.
        m_images.ForgetPictures();
    }
    m_forceReload = false;
    CCatalogueDb* catalogue = m_shown != nullptr ? m_shown->GetCatalogue() : nullptr;
    const wxSize tile = ChoosePictureField();
    if (!m_images.IsBuiltFor(catalogue, tile)) {
        m_images.BuildFor(catalogue, tile);
        SetImageList(m_images.GetSmall(), wxIMAGE_LIST_SMALL);
        SetImageList(m_images.GetLarge(), wxIMAGE_LIST_NORMAL);
    }
    m_columns = ChooseListColumns(m_shown, m_role);
    ApplyStyleFlags();
    InsertColumns();
    InsertAllRows();
    Thaw();
    if (!remembered.empty()) {
        for (long row = 0; row < m_rowCount; ++row) {
            if (CellText(row, 0) == remembered) {
                SetItemState(row, wxLIST_STATE_FOCUSED | wxLIST_STATE_SELECTED,
                             wxLIST_STATE_FOCUSED | wxLIST_STATE_SELECTED);
                EnsureVisible(row);
                break;
            }
            if (row > 2000) {
                break; // a long list is not walked for it
            }
        }
    }
    if (m_shown != nullptr) {
        m_shown->FillListView(this);
    }
    MakeVisiblePictures();
}

wxSize CCorvantView::ChoosePictureField()
{
    m_pictureField = -1;
    const wxSize standard(CListImages::kLarge, CListImages::kLarge);
    // Only the large-icon view of a single-file area shows its records' pictures.
    if (m_style != ListViewStyle::Large || m_set == nullptr || m_shown == nullptr || !m_shown->IsArea() ||
        m_shown->GetKind() <= 0) {
        return standard;
    }
    CCatalogueDb* catalogue = m_shown->GetCatalogue();
    const int kind = m_shown->GetKind();
    const CDataFileDef* definition = catalogue != nullptr ? catalogue->FindDefinition(kind) : nullptr;
    if (definition == nullptr) {
        return standard;
    }
    const std::string& icon = definition->GetCurrentLargeIcon();
    if (icon.empty() || platform::text::EqualsNoCase(icon, "Standard Icon")) {
        return standard;
    }
    // The picture field's place on the record form gives the tiles' size: the one named as the large
    // icon, else the form's first picture.
    CMarkupNode* form = FindGuiInfoElement(kind, catalogue);
    CMarkupNode* chosen = nullptr;
    for (CMarkupNode* node = form != nullptr ? form->BeginWalk() : nullptr; node != nullptr;
         node = form->NextWalk()) {
        if (!platform::text::EqualsNoCase(node->GetType(), "element") ||
            !platform::text::EqualsNoCase(node->GetAttribute("CNT_NAME"), "bitmapShow")) {
            continue;
        }
        if (chosen == nullptr || platform::text::EqualsNoCase(node->GetAttribute("CONTENT"), icon)) {
            chosen = node;
        }
    }
    if (chosen == nullptr) {
        return standard;
    }
    const int field = definition->FindFieldByName(chosen->GetAttribute("CONTENT"));
    if (field < 0 || definition->GetFieldType(field) != 'P') {
        return standard;
    }
    m_pictureField = field;
    // A tile the size of the form's picture, within bounds a list can show.
    return wxSize(std::clamp(chosen->GetAttributeInt("LENGTH"), CListImages::kSmall, 256),
                  std::clamp(chosen->GetAttributeInt("DEPTH"), CListImages::kSmall, 256));
}

void CCorvantView::MakeVisiblePictures()
{
    m_picturesQueued = false;
    if (m_pictureField < 0 || m_picturesMissing == 0 || IsVirtual() || m_set == nullptr) {
        return;
    }
    const wxRect view(wxPoint(0, 0), RowsWindow()->GetClientSize());
    const long first = m_addRow ? 1 : 0;
    bool seen = false;
    for (long row = first; row < first + m_recordCount; ++row) {
        wxRect rect;
        if (!GetItemRect(row, rect, wxLIST_RECT_ICON) || !rect.Intersects(view)) {
            // The rows in view follow each other: past them nothing more is in view.
            if (seen) {
                break;
            }
            continue;
        }
        seen = true;
        if (!MoveToRecordRow(row)) {
            continue;
        }
        CRecord* record = m_set->GetCurrent();
        const double code = record != nullptr ? record->GetKeyCode() : 0;
        if (record == nullptr || m_images.PictureOf(code) >= 0) {
            continue;
        }
        wxBitmap picture;
        try {
            if (std::shared_ptr<CCatalogueImage> stored = record->GetFieldPicture(m_pictureField)) {
                picture = GetHBitmap(*stored);
            }
        } catch (const std::exception&) {
            // A picture that does not decode shows as its data file's picture.
        }
        const int index = m_images.WithOverlay(m_images.AddPicture(code, m_set->GetCurrentKind(), picture),
                                               RecordOverlay());
        SetItemImage(row, index);
        --m_picturesMissing;
    }
}

void CCorvantView::OnRowsPaint(wxPaintEvent& event)
{
    event.Skip();
    // After a scroll or a resize, rows newly in view get their pictures once the paint is done.
    if (m_pictureField >= 0 && m_picturesMissing > 0 && !m_picturesQueued) {
        m_picturesQueued = true;
        CallAfter([this] { MakeVisiblePictures(); });
    }
}

void CCorvantView::InsertColumns()
{
    // Only the report view has a header; the other views show the first column's text alone.
    if (!InReportView()) {
        return;
    }
    for (size_t i = 0; i < m_columns.columns.size(); ++i) {
        const ListColumn& column = m_columns.columns[i];
        AppendColumn(wxString::FromUTF8(column.title),
                     static_cast<wxListColumnFormat>(ToFormat(column.align)), column.width);
    }
}

void CCorvantView::ApplyStyleFlags()
{
    long flags = GetWindowStyleFlag() & ~(wxLC_MASK_TYPE | wxLC_VIRTUAL | wxLC_HRULES | wxLC_VRULES);
    flags |= StyleFlags(m_style);
    if (m_columns.gridLines && m_style == ListViewStyle::Report) {
        flags |= wxLC_HRULES | wxLC_VRULES;
    }
    if (flags != GetWindowStyleFlag()) {
        SetWindowStyleFlag(flags);
        // The rows' window lays its lines out anew for the new view only when resized.
        SendSizeEvent();
        Refresh();
    }
}

void CCorvantView::InsertAllRows()
{
    if (m_set != nullptr) {
        m_recordCount = static_cast<long>(m_set->GetCount());
        if (m_shown->IsContainer() && m_shown->GetKind() != 21 && m_shown->GetKind() != 0 &&
            !m_shown->IsInWastebasket() && m_shown->GetCatalogue() != nullptr &&
            !m_shown->GetCatalogue()->IsViewOnly()) {
            // The adding row: a new record of the container's kind, in its folder.
            const int kind = m_shown->GetKind() > 0 ? m_shown->GetKind() : 0;
            if (kind > 0) {
                m_addSet = std::make_unique<CItemSet>(
                    CItemSet::NewRecord(kind, m_shown->GetFolderRecord(), m_shown->GetCatalogue()));
                m_addNode = std::make_unique<CAddNewNode>(*m_addSet);
                m_addNode->SetName("Click here to insert a new item");
                m_addRow = true;
            }
        }
    }
    const bool records = m_recordCount > 0;
    if (m_shown != nullptr && (!m_shown->IsDataNode() || m_shown->IsContainer())) {
        if (!m_shown->IsDataNode()) {
            m_shown->PopulateChildren(nullptr);
        } else {
            m_shown->BuildChildren();
        }
        for (CTreeNode* child = m_shown->GetFirstChildNode(); child != nullptr;
             child = child->GetNextSiblingNode()) {
            if (!child->IsRecord() && !child->IsHiddenInTree()) {
                m_childRows.push_back(child);
            }
        }
        m_overlayChildren = records;
    }
    m_rowCount = (m_addRow ? 1 : 0) + m_recordCount + static_cast<long>(m_childRows.size());
    InsertRowItems();
}

void CCorvantView::InsertRowItems()
{
    if (IsVirtual()) {
        SetItemCount(m_rowCount);
        return;
    }
    for (long row = 0; row < m_rowCount; ++row) {
        InsertItem(row, wxString::FromUTF8(CellText(row, 0)), RowImage(row));
    }
    // The record rows show their data file's picture until they come into view.
    m_picturesMissing = m_pictureField >= 0 ? m_recordCount : 0;
}

void CCorvantView::ShowRows(NodeListColumns columns, const std::vector<NodeListRow>& rows)
{
    if (m_recordCount > 0 || m_addRow) {
        return;
    }
    Freeze();
    DeleteAllItems();
    DeleteAllColumns();
    if (IsVirtual()) {
        SetItemCount(0);
    }
    m_cutRows.clear();
    m_childRows.clear();
    m_childTexts.clear();
    for (const NodeListRow& row : rows) {
        m_childRows.push_back(row.element);
        m_childTexts.push_back(row.subItems);
    }
    m_rowCount = static_cast<long>(m_childRows.size());
    m_overlayChildren = false;
    m_columns = NodeRowColumns(columns);
    InsertColumns();
    InsertRowItems();
    Thaw();
}

// ---- rows ------------------------------------------------------------------------------------------

bool CCorvantView::MoveToRecordRow(long row)
{
    const long record = row - (m_addRow ? 1 : 0);
    return m_set != nullptr && record >= 0 && record < m_recordCount &&
           m_set->MoveToRow(static_cast<size_t>(record));
}

CTreeNode* CCorvantView::ElementOfRow(long row)
{
    if (row < 0 || row >= m_rowCount) {
        return nullptr;
    }
    if (IsAddRow(row)) {
        return m_addNode.get();
    }
    const long record = row - (m_addRow ? 1 : 0);
    if (record < m_recordCount) {
        auto found = m_rowNodes.find(row);
        if (found != m_rowNodes.end()) {
            return found->second;
        }
        auto* factory = dynamic_cast<CAreaFileNode*>(m_shown);
        if (factory == nullptr || !MoveToRecordRow(row)) {
            return nullptr;
        }
        std::unique_ptr<CTreeNode> node = factory->NewChildFromSet(*m_set);
        if (node == nullptr) {
            return nullptr;
        }
        // The row node stands below the shown element, as its class expects (the tree leaves record
        // children out); the pane takes it away again when it fills the rows anew.
        CTreeNode* raw = node.get();
        m_shown->AddChild(std::move(node));
        m_rowNodes.emplace(row, raw);
        return raw;
    }
    const size_t child = static_cast<size_t>(record - m_recordCount);
    return child < m_childRows.size() ? m_childRows[child] : nullptr;
}

CTreeNode* CCorvantView::GetFocusedElement()
{
    return ElementOfRow(GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED));
}

CTreeNode* CCorvantView::GetFirstSelectedElement()
{
    return ElementOfRow(GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
}

std::vector<long> CCorvantView::GetSelectedRows() const
{
    std::vector<long> rows;
    for (long row = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); row >= 0;
         row = GetNextItem(row, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)) {
        rows.push_back(row);
    }
    return rows;
}

void CCorvantView::SelectAllRows()
{
    for (long row = 0; row < m_rowCount; ++row) {
        SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    }
}

void CCorvantView::ClearSelection()
{
    for (long row : GetSelectedRows()) {
        SetItemState(row, 0, wxLIST_STATE_SELECTED);
    }
}

long CCorvantView::RowOfElement(CTreeNode* element)
{
    if (element == nullptr) {
        return -1;
    }
    if (element == m_addNode.get()) {
        return 0;
    }
    for (const auto& [row, node] : m_rowNodes) {
        if (node == element) {
            return row;
        }
    }
    const auto child = std::find(m_childRows.begin(), m_childRows.end(), element);
    if (child != m_childRows.end()) {
        return (m_addRow ? 1 : 0) + m_recordCount + static_cast<long>(child - m_childRows.begin());
    }
    return -1;
}

void CCorvantView::SelectNode(CTreeNode* element)
{
    const long row = RowOfElement(element);
    if (row >= 0) {
        ClearSelection();
        SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                     wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        EnsureVisible(row);
    }
}

bool CCorvantView::DeleteSelectedRows()
{
    bool deleted = false;
    bool quiet = false;
    for (long row : GetSelectedRows()) {
        CTreeNode* element = ElementOfRow(row);
        if (element == nullptr) {
            continue;
        }
        const int result = element->Delete(this, quiet);
        if (result == kDeleteRefused) {
            continue;
        }
        deleted = true;
        quiet = quiet || result == kDeleteDoneYesToAll;
    }
    if (deleted) {
        Refill();
    }
    return deleted;
}

bool CCorvantView::EditRowLabel(CTreeNode* element)
{
    const long row = RowOfElement(element);
    if (row < 0) {
        return false;
    }
    SetFocus();
    EnsureVisible(row);
    EditLabel(row);
    return true;
}

std::unique_ptr<CItemSet> CCorvantView::CollectSelection()
{
    auto collected = std::make_unique<CItemSet>(m_set != nullptr ? m_set->GetCatalogue() : nullptr);
    for (long row : GetSelectedRows()) {
        if (!IsAddRow(row) && MoveToRecordRow(row)) {
            collected->AppendFrom(*m_set, false);
        }
    }
    return collected;
}

// ---- what the rows show ------------------------------------------------------------------------------

std::string CCorvantView::RecordText(int field)
{
    using namespace list_field;
    switch (field) {
    case kName: {
        if (m_set->GetCurrentKind() == 21) {
            return FileBaseName(m_set->GetRawFieldText(m_set->FindFieldByName("EdtFn")));
        }
        std::string name = m_set->GetCurrentName();
        return name.empty() ? m_set->GetFieldText(0) : name;
    }
    case kFolder: {
        const double parent = m_set->GetCurrentParent();
        CCatalogueDb* catalogue = m_set->GetCatalogue();
        const std::string* name =
            parent != 0 && catalogue != nullptr ? catalogue->GetFolderName(parent) : nullptr;
        return name != nullptr ? *name : GetSettingString("AllAreasName", "All Data folder");
    }
    case kCatalogue:
        return m_set->GetCatalogue() != nullptr ? m_set->GetCatalogue()->GetName() : std::string();
    case kCreated:
        return FormatTimeValue(m_set->GetCurrentCreationTime());
    case kModified:
        return FormatTimeValue(m_set->GetCurrentModificationTime());
    default:
        break;
    }
    if (field < 0 || field >= kFolder) {
        return {};
    }
    std::string text = m_set->GetFieldText(field);
    if (m_set->GetFieldType(field) == 'B') {
        return text == "T" ? "X" : " ";
    }
    return text;
}

std::string CCorvantView::CellText(long row, long column)
{
    if (row < 0 || row >= m_rowCount || column < 0 ||
        static_cast<size_t>(column) >= m_columns.columns.size()) {
        return {};
    }
    const int field = m_columns.columns[static_cast<size_t>(column)].field;
    if (IsAddRow(row)) {
        return column == 0 ? m_addNode->GetName() : std::string();
    }
    if (MoveToRecordRow(row)) {
        return field == list_field::kOwnIt ? std::string() : RecordText(field);
    }
    CTreeNode* element = ElementOfRow(row);
    if (element == nullptr) {
        return {};
    }
    if (column == 0) {
        return element->GetName();
    }
    const size_t child = static_cast<size_t>(row - (m_addRow ? 1 : 0) - m_recordCount);
    if (child < m_childTexts.size()) {
        const std::vector<std::string>& texts = m_childTexts[child];
        const size_t text = static_cast<size_t>(column - 1);
        return text < texts.size() ? texts[text] : std::string();
    }
    CFolderRecord* folder = element->GetFolderRecord();
    if (folder != nullptr && (field == list_field::kCreated || field == list_field::kModified)) {
        return FormatTimeValue(field == list_field::kCreated ? folder->GetCreationTime()
                                                             : folder->GetModificationTime());
    }
    return {};
}

int CCorvantView::CellCheck(long row, long column)
{
    if (column < 0 || static_cast<size_t>(column) >= m_columns.columns.size() || IsAddRow(row) ||
        !MoveToRecordRow(row)) {
        return -1;
    }
    const int field = m_columns.columns[static_cast<size_t>(column)].field;
    if (field == list_field::kOwnIt) {
        return m_set->IsCurrentOwned() ? 1 : 0;
    }
    if (field >= 0 && field < list_field::kFolder &&
        LowerCase(m_set->GetFieldName(field)).find("button") != std::string::npos &&
        m_set->GetFieldSize(field) == 2) {
        return RecordText(field) == "X" ? 1 : 0;
    }
    return -1;
}

int CCorvantView::RecordOverlay()
{
    const bool status = m_set->GetCurrentStatusByte() != 0;
    if (m_shown->IsQuery() || m_shown->IsItemList()) {
        return status ? 2 : 1;
    }
    return status ? 3 : 0;
}

int CCorvantView::RowImage(long row)
{
    if (IsAddRow(row)) {
        return m_images.IndexOf(CListImages::ImageNumberOfKind(m_addNode->GetKind()));
    }
    if (MoveToRecordRow(row)) {
        const int overlay = RecordOverlay();
        return m_images.WithOverlay(m_images.IndexOf(CListImages::ImageNumberOfKind(m_set->GetCurrentKind())),
                                    overlay);
    }
    CTreeNode* element = ElementOfRow(row);
    if (element == nullptr) {
        return -1;
    }
    int number = element->GetClosedImage();
    if (number > 1000) {
        number = CListImages::ImageNumberOfKind(element->GetKind());
    }
    const int index = m_images.IndexOf(number);
    return m_overlayChildren && element->IsArea() && element->GetKind() > 0 ? m_images.WithOverlay(index, 4)
                                                                            : index;
}

wxString CCorvantView::OnGetItemText(long item, long column) const
{
    return wxString::FromUTF8(const_cast<CCorvantView*>(this)->CellText(item, column));
}

int CCorvantView::OnGetItemImage(long item) const
{
    return const_cast<CCorvantView*>(this)->RowImage(item);
}

int CCorvantView::OnGetItemColumnImage(long item, long column) const
{
    if (column == 0) {
        return OnGetItemImage(item);
    }
    auto* self = const_cast<CCorvantView*>(this);
    const int check = self->CellCheck(item, column);
    return check < 0 ? -1 : self->m_images.CheckBox(self, check == 1);
}

void CCorvantView::MarkRowsCut(const std::vector<long>& rows)
{
    for (long row : rows) {
        if (row < 0 || row >= GetItemCount() || !m_cutRows.insert(row).second) {
            continue;
        }
        // Rows that are not virtual (the icon and list styles) keep their colour themselves.
        if (!IsVirtual()) {
            SetItemTextColour(row, m_cutAttr.GetTextColour());
        }
        RefreshItem(row);
    }
}

void CCorvantView::ClearCutMarks()
{
    const std::set<long> rows = std::move(m_cutRows);
    m_cutRows.clear();
    for (long row : rows) {
        if (row >= GetItemCount()) {
            continue;
        }
        if (!IsVirtual()) {
            SetItemTextColour(row, GetForegroundColour());
        }
        RefreshItem(row);
    }
}

wxItemAttr* CCorvantView::OnGetItemAttr(long item) const
{
    return m_cutRows.count(item) != 0 ? &m_cutAttr : nullptr;
}

void CCorvantView::RefreshLabels()
{
    if (IsVirtual()) {
        Refresh();
        return;
    }
    for (long row = 0; row < m_rowCount; ++row) {
        SetItemText(row, wxString::FromUTF8(CellText(row, 0)));
    }
}

void CCorvantView::SetBorder(bool on)
{
    SetWindowStyleFlag((GetWindowStyleFlag() & ~wxBORDER_MASK) | (on ? wxBORDER_THEME : wxBORDER_NONE));
    Refresh();
}

void CCorvantView::SetViewStyle(ListViewStyle style)
{
    m_style = style;
    FillRows();
}

// ---- column widths -----------------------------------------------------------------------------------

void CCorvantView::SaveColumnWidths()
{
    if (!InReportView() || GetColumnCount() == 0 || m_rowCount == 0 || m_columns.columns.empty()) {
        return;
    }
    const int first = GetColumnWidth(0);
    if (first >= 10 && first <= 399) {
        SetSettingInt("FirstColumnWidth", first);
    }
    if (!MoveToRecordRow(m_addRow ? 1 : 0)) {
        return;
    }
    CCatalogueDb* catalogue = m_set->GetCatalogue();
    CDataFileDef* definition =
        catalogue != nullptr ? catalogue->FindDefinition(m_set->GetCurrentKind()) : nullptr;
    if (definition == nullptr) {
        return;
    }
    bool changed = false;
    for (int column = 1; column < GetColumnCount() && static_cast<size_t>(column) < m_columns.columns.size();
         ++column) {
        const int field = m_columns.columns[static_cast<size_t>(column)].field;
        const int width = GetColumnWidth(column);
        if (field < list_field::kFolder && width >= 10 && width <= 399 &&
            definition->GetFieldDimension(field) != width) {
            changed = definition->SetFieldDimension(field, width) || changed;
        }
    }
    if (changed) {
        definition->BuildDefinitionTree();
        definition->SaveDefinitionTree();
    }
}

// ---- sorting and clicks ------------------------------------------------------------------------------

void CCorvantView::SortByColumn(int column)
{
    if (column < 0 || static_cast<size_t>(column) >= m_columns.columns.size()) {
        return;
    }
    const int field = m_columns.columns[static_cast<size_t>(column)].field;
    if (field == list_field::kUnsortable) {
        return;
    }
    wxBusyCursor wait;
    if (m_set != nullptr) {
        m_set->Sort(field);
        CFolderRecord* folder = m_shown->IsContainer() ? m_shown->GetFolderRecord() : nullptr;
        if (folder != nullptr && m_set == m_shown->GetItemSet()) {
            folder->SetOrderedBy(field, m_shown->GetCatalogue());
        }
        FillRows();
        return;
    }
    // Without a set the rows are the element's children, ordered by name in turn up and down.
    std::stable_sort(m_childRows.begin(), m_childRows.end(), [this](CTreeNode* a, CTreeNode* b) {
        return m_nameAscending ? a->GetName() < b->GetName() : b->GetName() < a->GetName();
    });
    m_nameAscending = !m_nameAscending;
    if (IsVirtual()) {
        Refresh();
        return;
    }
    for (long row = 0; row < m_rowCount; ++row) {
        SetItem(row, 0, wxString::FromUTF8(CellText(row, 0)), RowImage(row));
    }
}

void CCorvantView::OnColumnClick(wxListEvent& event)
{
    SortByColumn(event.GetColumn());
}

void CCorvantView::ClickCell(long row, int column, const wxPoint& point)
{
    if (column < 0 || static_cast<size_t>(column) >= m_columns.columns.size() || IsAddRow(row) ||
        !MoveToRecordRow(row)) {
        return;
    }
    const int field = m_columns.columns[static_cast<size_t>(column)].field;
    if (field == list_field::kOwnIt) {
        m_set->SetCurrentOwned(!m_set->IsCurrentOwned());
        RefreshItem(row);
        return;
    }
    if (field < list_field::kFolder) {
        CTreeNode* element = ElementOfRow(row);
        if (element != nullptr && element->IsEditable()) {
            element->BeginInPlaceEdit(this, NodePoint{point.x, point.y});
        }
    }
}

void CCorvantView::OnLeftUp(wxMouseEvent& event)
{
    event.Skip();
    if (m_style != ListViewStyle::Report) {
        return;
    }
    int flags = 0;
    long column = -1;
    // The main window's point, measured as the control measures its rows.
    const wxPoint point = event.GetPosition();
    const long row = HitTest(point, flags, &column);
    if (row >= 0 && (flags & wxLIST_HITTEST_ONITEM) != 0) {
        ClickCell(row, static_cast<int>(column), point);
    }
}

void CCorvantView::ActivateRow(long row, bool alt)
{
    CTreeNode* element = ElementOfRow(row);
    if (element == nullptr) {
        return;
    }
    if (alt && !(element->IsRecord() && element->IsAddNew())) {
        element->ShowProperties(nullptr, 0);
        return;
    }
    if (element->IsShopItem() || element->IsOrderItem()) {
        element->Open(nullptr);
        return;
    }
    if (element->IsAddNew()) {
        CTreeNode* owner = m_frame.GetCurrentElement() != nullptr ? m_frame.GetCurrentElement() : m_shown;
        if (owner != nullptr) {
            owner->OpenEntryById(element->GetKind(), nullptr);
        }
        return;
    }
    if (element->IsRecord()) {
        element->Open(nullptr);
        return;
    }
    m_frame.SetCurrentElement(element);
}

void CCorvantView::OnActivated(wxListEvent& event)
{
    ActivateRow(event.GetIndex(), wxGetKeyState(WXK_ALT));
}

// ---- keys --------------------------------------------------------------------------------------------

bool CCorvantView::OnListKey(int keyCode, bool control, bool /*alt*/)
{
    if (control) {
        switch (keyCode) {
        case 'A':
            m_frame.SendCommand(kCmdSelectAll);
            return true;
        case 'F':
        case WXK_NUMPAD6:
            m_frame.SendCommand(kCmdQuickSearch);
            return true;
        case 'N': {
            // The New menu of the focused element, else of the shown one, else of the tree's.
            CNodeContextMenus* menus = m_frame.GetNodeContextMenus();
            if (menus == nullptr) {
                return true;
            }
            const wxPoint point = wxGetMousePosition();
            for (CTreeNode* element : {GetFocusedElement(), m_shown, m_frame.GetCurrentElement()}) {
                if (element != nullptr && element->ShowContextMenu(*menus, NodePoint{point.x, point.y})) {
                    return true;
                }
            }
            return true;
        }
        default:
            return false;
        }
    }
    switch (keyCode) {
    case WXK_WINDOWS_MENU: {
        const wxPoint point = ClientToScreen(wxPoint(0, 0));
        m_frame.ShowContextMenu(GetFocusedElement(), point.x, point.y);
        return true;
    }
    case WXK_BACK:
        if (m_frame.GetStartMode() != kModeSimpleList) {
            m_frame.SendCommand(kCmdUpOneLevel);
        }
        return true;
    case WXK_INSERT: {
        CTreeNode* element = GetFocusedElement();
        if (element != nullptr && element->IsInWastebasket()) {
            m_frame.SendCommand(kCmdFileDelete);
        }
        return true;
    }
    case WXK_DELETE:
        DeleteSelectedRows();
        return true;
    case WXK_F4:
        m_frame.SendCommand(kCmdGoToWebPage);
        return true;
    case WXK_F5:
        m_frame.ReloadViews(false);
        return true;
    case WXK_F7:
        OpenTelephoneTo();
        return true;
    case WXK_F8:
        OnF8();
        return true;
    case WXK_F9:
        OnF9();
        return true;
    default:
        return false;
    }
}

void CCorvantView::OnKeyDown(wxListEvent& event)
{
    if (!OnListKey(event.GetKeyCode(), wxGetKeyState(WXK_CONTROL), wxGetKeyState(WXK_ALT))) {
        event.Skip();
    }
}

bool CCorvantView::OpenTelephoneTo()
{
    const long row = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED);
    if (IsAddRow(row) || !MoveToRecordRow(row) || !IsWindowClassRegistered("TelephoneTo")) {
        SetFocus();
        return false;
    }
    wxWindow* window = CreateOwnWindow("telephoneTo", wxGetTopLevelParent(this), wxID_ANY, wxPoint(50, 150),
                                       wxSize(350, 150));
    if (window == nullptr) {
        SetFocus();
        return false;
    }
    window->SetLabel("Telephone to");
    window->SetClientObject(nullptr);
    window->Show();
    return true;
}

// ---- menus, focus, labels ----------------------------------------------------------------------------

bool CCorvantView::MenusAllowed() const
{
    const int mode = m_frame.GetStartMode();
    return mode == kModeNormal || mode == kModeOpen || mode == kModeFind || mode == kModeList;
}

void CCorvantView::ShowRowMenu(const wxPoint& screen)
{
    m_frame.ShowContextMenu(GetFocusedElement(), screen.x, screen.y);
}

void CCorvantView::ShowEmptySpaceMenu(const wxPoint& screen)
{
    if (m_rowCount >= 2) {
        m_frame.ShowContextMenu(GetFocusedElement(), screen.x, screen.y);
    }
}

void CCorvantView::OnRightClick(wxListEvent& event)
{
    if (!MenusAllowed()) {
        return;
    }
    const long row = event.GetIndex();
    ClearSelection();
    SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                 wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    ShowRowMenu(wxGetMousePosition());
}

void CCorvantView::OnContextMenu(wxContextMenuEvent& event)
{
    // A right click on a row comes as its own event; this one is for empty space.
    wxPoint point = event.GetPosition();
    if (point == wxDefaultPosition || !MenusAllowed()) {
        return;
    }
    int flags = 0;
    if (HitTest(RowsWindow()->ScreenToClient(point), flags) < 0) {
        ShowEmptySpaceMenu(point);
    }
}

void CCorvantView::OnFocused(wxListEvent& event)
{
    event.Skip();
    if (PassesSelectionOn()) {
        m_frame.ShowFocusedElement(ElementOfRow(event.GetIndex()));
    }
}

void CCorvantView::OnSetFocus(wxFocusEvent& event)
{
    event.Skip();
    if (m_rowCount > 0 && GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED) < 0) {
        SetItemState(0, wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
    }
    if (PassesSelectionOn()) {
        m_frame.ShowFocusedElement(GetFocusedElement());
    }
}

void CCorvantView::OnBeginLabelEdit(wxListEvent& event)
{
    CTreeNode* element = ElementOfRow(event.GetIndex());
    wxRect rect;
    GetItemRect(event.GetIndex(), rect, wxLIST_RECT_BOUNDS);
    m_forceReload = true;
    if (element == nullptr ||
        !element->BeginInPlaceEdit(this, NodePoint{rect.x + 19, rect.y + rect.height / 2})) {
        event.Veto();
        m_editing = nullptr;
        return;
    }
    m_editing = element;
}

void CCorvantView::OnEndLabelEdit(wxListEvent& event)
{
    CTreeNode* element = m_editing;
    m_editing = nullptr;
    std::string text = event.GetLabel().utf8_string().substr(0, kMaxLabel);
    if (element == nullptr || (event.IsEditCancelled() && LowerCase(text) != "new table item")) {
        return;
    }
    const bool renamed = element->Rename(text);
    if (renamed) {
        m_frame.RefreshLabels();
    }
    // A virtual list keeps no text of its own: the row shows its element's new name when drawn again.
    if (IsVirtual()) {
        event.Veto();
        RefreshItem(event.GetIndex());
    }
    if (renamed && !event.IsEditCancelled()) {
        RowRenamed(*element);
    }
}

void CCorvantView::OnColumnEndDrag(wxListEvent& event)
{
    event.Skip();
    // Keep the resized column in view.
    const int column = event.GetColumn();
    int left = 0;
    for (int i = 0; i < column; ++i) {
        left += GetColumnWidth(i);
    }
    const int width = GetColumnWidth(column);
    const int view = RowsWindow()->GetClientSize().GetWidth();
    const int scrolled = GetScrollPos(wxHORIZONTAL);
    if (left + width - scrolled > view) {
        ScrollList(left + width - scrolled - view, 0);
    }
}

// ---- the row nodes' view of the list -----------------------------------------------------------------

bool CCorvantView::RowAt(NodePoint point, NodeRowBounds& bounds)
{
    return m_strips->RowAt(point, bounds);
}

void CCorvantView::EditRowFields(std::unique_ptr<CInPlaceEdit> edit, const NodeRowBounds& bounds,
                                 std::function<void(bool saved)> closed)
{
    m_strips->EditRowFields(std::move(edit), bounds, std::move(closed));
}

CFrameListPane* MakeCorvantView(wxWindow* parent, CPaneFrame& frame)
{
    return new CCorvantView(parent, frame, list_role::kMainList);
}
