#include "tree/records/RecordNodes.h"

#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "tree/base/ImageKinds.h"
#include "tree/base/NodeListPane.h"
#include "tree/base/TextPatterns.h"
#include "tree/records/InPlaceEdit.h"
#include "tree/records/RecordForm.h"

#include <filesystem>
#include <system_error>

namespace {

// Strings.
constexpr unsigned kErrorCaption = 20552;
constexpr unsigned kDeletedItemMessage = 33126;     // "You can not delete a deleted item; ..."
constexpr unsigned kRemoveFromListQuestion = 33149; // "Are you sure you want to remove %s from the list?"

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

void CFolderRecordNode::OpenEntryById(int kind, CNodeFrame* frame)
{
    CRecordForm* form = GetRecordForm();
    if (form == nullptr) {
        return;
    }
    CItemSet fresh = CItemSet::NewRecord(kind, GetFolderRecord(), GetCatalogue());
    CFileRecordNode row(fresh);
    form->OpenRecordFormAt(row, fresh.GetCurrentKey(), frame);
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
    if (!quiet) {
        const std::string question = FillTextPattern(LoadResString(kRemoveFromListQuestion), GetName());
        // The caption of the item-delete confirmation.
        const int answer = platform::ui::ShowMessage(question, "Confirm Item Delete",
                                                     platform::ui::kMbYesNo | platform::ui::kMbIconQuestion);
        if (answer != platform::ui::kIdYes && answer != platform::ui::kIdYesToAll) {
            return kDeleteRefused;
        }
    }
    return DeleteFromList(list);
}

int CItemListRecordNode::DeleteFromList(CNodeListPane* /*list*/)
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

int CWastebasketRecordNode::Delete(CNodeListPane* /*list*/, bool quiet)
{
    if (!quiet) {
        platform::ui::ShowMessage(LoadResString(kDeletedItemMessage), LoadResString(kErrorCaption),
                                  platform::ui::kMbOk | platform::ui::kMbIconError);
    }
    return kDeleteRefused;
}
