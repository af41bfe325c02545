#include "tree/records/RecordNodes.h"

#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "store/records/LinkList.h"
#include "tree/base/ImageKinds.h"
#include "tree/base/NodeInterfaces.h"
#include "tree/base/NodeListPane.h"
#include "tree/base/TextPatterns.h"
#include "tree/properties/NodeSheets.h"
#include "tree/records/InPlaceEdit.h"
#include "tree/records/RecordForm.h"
#include "tree/shortcuts/ShortcutWriter.h"

#include <filesystem>
#include <system_error>

namespace {

// Strings.
constexpr unsigned kErrorCaption = 20552;
constexpr unsigned kDeletedItemMessage = 33126;     // "You can not delete a deleted item; ..."
constexpr unsigned kRemoveFromListQuestion = 33149; // "Are you sure you want to remove %s from the list?"
constexpr unsigned kRecycleQuestion = 33033;        // "Are you sure you want to send %s to the Recycle Bin ?"
constexpr unsigned kRemoveFromFolderQuestion = 33433; // "... from the current folder?\nNote if this is ..."
constexpr unsigned kRemoveFileFromFolderQuestion = 33145; // "... remove %s from the current folder?"

// The field of a file item that holds its file's path.
constexpr const char* kFilePathField = "EdtFn";

CRecordForm* g_recordForm = nullptr;

std::unique_ptr<CItemSet> SetOfKey(const CNodeRef& key)
{
    auto set = std::make_unique<CItemSet>(key.GetCatalogue());
    set->AddRecordByKey(key);
    set->MoveFirst();
    return set;
}

std::unique_ptr<CItemSet> SetOfCurrent(CItemSet& set)
{
    auto own = std::make_unique<CItemSet>(CItemSet::CopyOfCurrent(set));
    own->MoveFirst();
    return own;
}

bool IsViewOnly(CTreeNode& node)
{
    const CCatalogueDb* catalogue = node.GetCatalogue();
    return catalogue != nullptr && catalogue->IsViewOnly();
}

// The new path of a renamed file: a text holding a folder separator is the whole path; otherwise the
// old file's folder, the text and the old file's extension.
std::filesystem::path RenamedPath(const std::filesystem::path& old, std::string_view text)
{
    if (text.find('/') != std::string_view::npos) {
        return std::filesystem::path(text);
    }
    return old.parent_path() / (std::string(text) + old.extension().string());
}

} // namespace

CRecordForm* GetRecordForm()
{
    return g_recordForm;
}

CRecordForm* SetRecordForm(CRecordForm* form)
{
    CRecordForm* previous = g_recordForm;
    g_recordForm = form;
    return previous;
}

CRecordNode::CRecordNode(CItemSet& set)
    : CAreaFileNode({}, set.GetCurrentKind(), image_kind::kRecordClosed, image_kind::kRecordOpen)
{
    auto own = SetOfCurrent(set);
    if (const std::string name = own->GetCurrentName(); !name.empty()) {
        SetName(name);
    }
    SetOwnedSet(std::move(own));
}

CRecordNode::CRecordNode(const CNodeRef& key)
    : CAreaFileNode({}, key.GetKind(), image_kind::kRecordClosed, image_kind::kRecordOpen)
{
    auto own = SetOfKey(key);
    if (const std::string name = own->GetCurrentName(); !name.empty()) {
        SetName(name);
    }
    SetOwnedSet(std::move(own));
}

CRecordNode::CRecordNode(CAreaFileNode& other)
    : CAreaFileNode({}, other.GetKind(), image_kind::kRecordClosed, image_kind::kRecordOpen)
{
    if (CItemSet* set = other.GetItemSet()) {
        auto own = SetOfCurrent(*set);
        if (const std::string name = own->GetCurrentName(); !name.empty()) {
            SetName(name);
        }
        SetOwnedSet(std::move(own));
    }
}

bool CRecordNode::BeginInPlaceEdit(CNodeListPane* /*list*/, NodePoint /*point*/)
{
    return !IsViewOnly(*this);
}

bool CRecordNode::Open(CTreeControl* /*tree*/)
{
    CRecordForm* form = GetRecordForm();
    CItemSet* set = GetItemSet();
    if (set != nullptr && set->GetCurrent() != nullptr && GetKind() == node_kind::kFileItems && !IsAddNew()) {
        return OpenFileItem(set->GetFieldTextByName(kFilePathField));
    }
    if (form == nullptr || set == nullptr || set->GetCurrent() == nullptr) {
        return false;
    }
    return form->OpenRecordFormAt(*this, set->GetCurrentKey(), nullptr);
}

bool CRecordNode::Rename(std::string_view text)
{
    CItemSet* set = GetItemSet();
    if (set == nullptr || set->GetCurrent() == nullptr || IsViewOnly(*this)) {
        return false;
    }
    set->SetCurrentNameText(text);
    if (!set->SaveCurrentUnderOwnParent()) {
        return false;
    }
    SetName(set->BuildCurrentName());
    return true;
}

bool CRecordNode::RenameFileItem(std::string_view text)
{
    CItemSet* set = GetItemSet();
    if (GetKind() != node_kind::kFileItems || set == nullptr || set->GetCurrent() == nullptr ||
        IsViewOnly(*this) || text.empty()) {
        return false;
    }
    const std::filesystem::path old(set->GetFieldTextByName(kFilePathField));
    const std::filesystem::path renamed = RenamedPath(old, text);
    // A record that named a file that could not be copied would lose its file: it keeps the old path.
    std::error_code failed;
    std::filesystem::copy_file(old, renamed, std::filesystem::copy_options::overwrite_existing, failed);
    if (failed) {
        platform::ui::ShowMessage("The file " + old.string() + " could not be copied to " + renamed.string() +
                                      ": " + failed.message(),
                                  LoadResString(kErrorCaption),
                                  platform::ui::kMbOk | platform::ui::kMbIconError);
        return false;
    }
    set->SetFieldTextByName("edtFn", renamed.string());
    return set->SaveCurrentUnderOwnParent();
}

bool CRecordNode::EditFieldsInPlace(CNodeListPane* list, NodePoint point, bool quietSave, bool refresh)
{
    if (GetKind() == node_kind::kFileItems || list == nullptr) {
        return true;
    }
    CItemSet* set = GetItemSet();
    if (IsViewOnly(*this) || set == nullptr || set->GetCurrent() == nullptr) {
        return false;
    }
    NodeRowBounds bounds;
    if (!list->RowAt(point, bounds)) {
        return false;
    }
    auto edit = std::make_unique<CInPlaceEdit>(*set, bounds.rowHeight, bounds.firstColumnWidth, quietSave);
    if (edit->Fields().empty()) {
        return false;
    }
    list->EditRowFields(std::move(edit), bounds, [this, list, refresh](bool saved) {
        if (saved && refresh) {
            SetName(GetItemSet()->BuildCurrentName());
            list->RefreshLabels();
        }
    });
    return false;
}

bool CRecordNode::ConfirmRowDelete(unsigned question, unsigned fileItemQuestion, bool& yesToAll)
{
    CItemSet* set = GetItemSet();
    const bool fileItem = GetKind() == node_kind::kFileItems;
    const std::string named = set == nullptr ? std::string()
                              : fileItem     ? set->GetFieldTextByName(kFilePathField)
                                             : set->GetCurrentName();
    const int answer = NodeDialogs().ConfirmItemDelete(
        FillTextPattern(LoadResString(fileItem ? fileItemQuestion : question), named));
    yesToAll = answer == platform::ui::kIdYesToAll;
    return answer == platform::ui::kIdYes || yesToAll;
}

int CRecordNode::Delete(CNodeListPane* list, bool quiet)
{
    bool yesToAll = quiet;
    if (!quiet && !ConfirmRowDelete(kRecycleQuestion, kRecycleQuestion, yesToAll)) {
        return kDeleteRefused;
    }
    // A file item's file stays on disk: the record goes to the wastebasket, from where it can come back,
    // and then it must still name its file.
    if (DeleteFromList(0, list) == kDeleteRefused) {
        return kDeleteRefused;
    }
    return yesToAll ? kDeleteDoneYesToAll : kDeleteDone;
}

int CRecordNode::DeleteFromList(int answer, CNodeListPane* /*list*/)
{
    CItemSet* set = GetItemSet();
    if (set == nullptr || set->GetCurrent() == nullptr || IsViewOnly(*this)) {
        return kDeleteRefused;
    }
    if (answer == platform::ui::kIdYes) {
        const CNodeRef key = set->GetCurrentKey();
        CItemSet children = CItemSet::Children(GetCatalogue(), &key, kLinkKinds1To30);
        for (bool more = children.MoveFirst(); more; more = children.MoveNext()) {
            children.DeleteCurrentRecord();
        }
    }
    return set->DeleteCurrentRecord() ? kDeleteDone : kDeleteRefused;
}

bool CRecordNode::RestoreFromWastebasket()
{
    CItemSet* set = GetItemSet();
    CCatalogueDb* catalogue = GetCatalogue();
    if (set == nullptr || catalogue == nullptr || set->GetCurrent() == nullptr || !set->UndeleteCurrent()) {
        return false;
    }
    // The notes and file items that went to the wastebasket with the record: they link to it.
    const CNodeRef key = set->GetCurrentKey();
    const CLinkList incoming(key, *catalogue);
    for (const CLinkEntry& link : incoming.Entries()) {
        const int kind = link.GetOut().GetKind();
        if (kind == node_kind::kNotes || kind == node_kind::kFileItems) {
            CRecord attached(catalogue);
            attached.SetKey(kind, link.GetOut().GetNumber());
            attached.Undelete();
        }
    }
    return true;
}

void CRecordNode::BuildChildren()
{
    if (m_childrenBuilt) {
        return;
    }
    m_childrenBuilt = true;
    CItemSet* set = GetItemSet();
    if (set == nullptr || set->GetCurrent() == nullptr) {
        return;
    }
    const CNodeRef key = set->GetCurrentKey();
    CItemSet children = CItemSet::Children(GetCatalogue(), &key, kLinkKinds1To30);
    for (bool more = children.MoveFirst(); more; more = children.MoveNext()) {
        AppendNode<CRecordNode>(*this, children);
    }
}

void CRecordNode::OpenNewEntry(int kind, CNodeFrame* frame)
{
    CRecordForm* form = GetRecordForm();
    if (form == nullptr) {
        return;
    }
    CItemSet fresh = CItemSet::NewRecord(kind, GetFolderRecord(), GetCatalogue());
    CFileRecordNode row(fresh);
    form->OpenRecordFormAt(row, fresh.GetCurrentKey(), frame);
}

bool CRecordNode::CanLinkDropped(CItemSet* set)
{
    CItemSet* own = GetItemSet();
    if (set == nullptr || own == nullptr || own->GetCurrent() == nullptr || set->GetCount() == 0 ||
        IsViewOnly(*this) || set->GetCatalogue() != own->GetCatalogue()) {
        return false;
    }
    // A record is never linked with itself: a set holding only this row's record is refused.
    return set->GetCount() > 1 || !set->ContainsRecord(*own->GetCurrent());
}

void CRecordNode::LinkDropped(CItemSet* set)
{
    if (!CanLinkDropped(set)) {
        return;
    }
    CItemSet* own = GetItemSet();
    const CNodeRef key = own->GetCurrentKey();
    for (bool more = set->MoveFirst(); more; more = set->MoveNext()) {
        if (set->GetCurrentKey().GetCode() != key.GetCode()) {
            set->LinkCurrentWith(key);
        }
    }
    BroadcastRefresh(*this, *set);
}

std::unique_ptr<CTreeNode> CRecordNode::NewChild(const CNodeRef& key)
{
    return std::make_unique<CRecordNode>(key);
}

std::unique_ptr<CTreeNode> CRecordNode::NewChildFromSet(CItemSet& set)
{
    return std::make_unique<CRecordNode>(set);
}

bool CFolderRecordNode::BeginInPlaceEdit(CNodeListPane* list, NodePoint point)
{
    return EditFieldsInPlace(list, point, false, true);
}

std::unique_ptr<CTreeNode> CFolderRecordNode::NewChild(const CNodeRef& key)
{
    return std::make_unique<CFileRecordNode>(key);
}

std::unique_ptr<CTreeNode> CFolderRecordNode::NewChildFromSet(CItemSet& set)
{
    return std::make_unique<CFileRecordNode>(set);
}

CAddNewNode::CAddNewNode(CItemSet& set) : CFolderRecordNode(set)
{
    SetPageTemplate("addNew.htm");
}

CAddNewNode::CAddNewNode(const CNodeRef& key) : CFolderRecordNode(key)
{
    SetPageTemplate("addNew.htm");
}

bool CAddNewNode::BeginInPlaceEdit(CNodeListPane* list, NodePoint point)
{
    return EditFieldsInPlace(list, point, false, false);
}

int CItemListRecordNode::Delete(CNodeListPane* list, bool quiet)
{
    bool yesToAll = quiet;
    if (!quiet && !ConfirmRowDelete(kRemoveFromListQuestion, kRemoveFromListQuestion, yesToAll)) {
        return kDeleteRefused;
    }
    // Yes to All removes the row like Yes: the list holds it no more either way.
    return DeleteFromList(0, list);
}

int CItemListRecordNode::DeleteFromList(int /*answer*/, CNodeListPane* /*list*/)
{
    CTreeNode* parent = GetParentNode();
    CItemSet* listRow = parent != nullptr ? parent->GetOwnSet() : nullptr;
    CItemSet* set = GetItemSet();
    if (listRow == nullptr || set == nullptr || set->GetCurrent() == nullptr || IsViewOnly(*this)) {
        return kDeleteRefused;
    }
    listRow->UnlinkCurrentFrom(set->GetCurrentKey(), true);
    // The list's rows no longer hold the record.
    if (CItemSet* rows = parent->GetItemSet(); rows != nullptr && rows->IsLoaded()) {
        rows->Reload();
    }
    return kDeleteDone;
}

std::unique_ptr<CTreeNode> CItemListRecordNode::NewChild(const CNodeRef& key)
{
    return std::make_unique<CFileRecordNode>(key);
}

std::unique_ptr<CTreeNode> CItemListRecordNode::NewChildFromSet(CItemSet& set)
{
    return std::make_unique<CFileRecordNode>(set);
}

bool CFileRecordNode::BeginInPlaceEdit(CNodeListPane* list, NodePoint point)
{
    return EditFieldsInPlace(list, point, true, true);
}

int CFileRecordNode::Delete(CNodeListPane* list, bool quiet)
{
    bool yesToAll = quiet;
    if (!quiet && !ConfirmRowDelete(kRemoveFromFolderQuestion, kRemoveFileFromFolderQuestion, yesToAll)) {
        return kDeleteRefused;
    }
    if (DeleteFromList(0, list) == kDeleteRefused) {
        return kDeleteRefused;
    }
    return yesToAll ? kDeleteDoneYesToAll : kDeleteDone;
}

int CFileRecordNode::DeleteFromList(int /*answer*/, CNodeListPane* /*list*/)
{
    CItemSet* set = GetItemSet();
    CTreeNode* parent = GetParentNode();
    CItemSet* shown = parent != nullptr ? parent->GetItemSet() : nullptr;
    if (set == nullptr || set->GetCurrent() == nullptr || IsViewOnly(*this)) {
        return kDeleteRefused;
    }
    const CNodeRef key = set->GetCurrentKey();
    if (shown != nullptr && shown->GetOwner().GetKind() != 0) {
        shown->UnlinkFromOwner(key, true);
    }
    // The last reference gone, the record itself goes to the wastebasket.
    CItemSet references = CItemSet::Children(GetCatalogue(), &key, kLinkMenuKinds);
    references.SetKindCode(kAttachmentsSet);
    if (references.GetCount() == 0) {
        set->DeleteCurrentRecord();
    }
    if (shown != nullptr && shown->IsLoaded()) {
        shown->Reload();
    }
    return kDeleteDone;
}

int CWastebasketRecordNode::Delete(CNodeListPane* /*list*/, bool quiet)
{
    if (!quiet) {
        platform::ui::ShowMessage(LoadResString(kDeletedItemMessage), LoadResString(kErrorCaption),
                                  platform::ui::kMbOk | platform::ui::kMbIconError);
    }
    return kDeleteRefused;
}

std::string CRecordNode::CreateShortcut(int kind)
{
    CItemSet* set = GetItemSet();
    if (set == nullptr || set->GetCurrent() == nullptr) {
        return {};
    }
    const int recordKind = set->GetCurrentKind();
    CTreeNode* parent = GetParentNode();
    CTreeNode* grandparent = parent != nullptr ? parent->GetParentNode() : nullptr;
    const std::string argument = "single^" + CatalogueLabelOf(*this) + "^" +
                                 (grandparent != nullptr ? grandparent->GetName() : std::string()) + "^" +
                                 (parent != nullptr ? parent->GetName() : std::string()) + "^0-" +
                                 std::to_string(recordKind) + "-" + std::to_string(set->GetCurrentNumber());
    const int icon = recordKind == 1 ? 8 : recordKind == 2 ? 7 : 4;
    return WriteShortcutOfKind(kind, GetName(), argument, icon);
}
