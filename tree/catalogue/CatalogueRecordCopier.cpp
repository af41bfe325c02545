#include "tree/catalogue/CatalogueRecordCopier.h"

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoWorkspace.h"
#include "platform/text/CaseFold.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/DataFileDef.h"
#include "store/program/TraceLog.h"
#include "store/records/ItemSet.h"
#include "store/records/LinkList.h"
#include "store/records/Record.h"
#include "tree/base/ImageKinds.h"
#include "tree/base/TreeNode.h"

#include <functional>
#include <set>
#include <stdexcept>

namespace {

constexpr long kRecordCopyFailed = 12102;
// How deep the sub-records of sub-records are followed: links may form circles.
constexpr int kMaxSubRecordDepth = 8;

bool IsNoteOrFile(int kind)
{
    return kind == node_kind::kNotes || kind == node_kind::kFileItems;
}

CTreeNode& RootOf(CTreeNode& node)
{
    CTreeNode* top = &node;
    while (top->GetParentNode() != nullptr) {
        top = top->GetParentNode();
    }
    return *top;
}

// Copies the sub-records of `source` (the records linked to it) into the target and links each copy to
// `copy`. Throws when a copy that should be made fails, so the caller's transaction goes back.
void CopySubRecords(CRecord& source, const CNodeRef& copy, CCatalogueDb& target, int mode, int depth,
                    std::set<double>& seen)
{
    CCatalogueDb* own = source.GetCatalogue();
    const CNodeRef key = source.GetKey();
    CItemSet children = CItemSet::Children(own, &key, kLinkEveryKind);
    for (bool more = children.MoveFirst(); more; more = children.MoveNext()) {
        CRecord* child = children.GetCurrent();
        const int kind = child->GetKind();
        if ((mode != CRecordCopier::kAllSubRecords && !IsNoteOrFile(kind)) ||
            !seen.insert(child->GetKeyCode()).second) {
            continue;
        }
        CNodeRef made(&target);
        if (IsNoteOrFile(kind)) {
            made = child->CopyToCatalogue(target, kind, 0.0);
            if (made.GetKind() == 0) {
                throw std::runtime_error("a note or file item could not be copied");
            }
        } else {
            // A linked record of a kind the target has no data file for stays behind.
            const CDataFileDef* definition = child->GetDefinition();
            if (definition == nullptr || definition->FindMatchingFile(&target) == 0) {
                continue;
            }
            made = child->CopyToMatchingFile(target, 0.0);
            if (made.GetKind() == 0) {
                throw std::runtime_error("a linked record could not be copied");
            }
        }
        if (!CLinkEntry(&target, static_cast<std::uint16_t>(copy.GetKind()), copy.GetNumber(), &target,
                        static_cast<std::uint16_t>(made.GetKind()), made.GetNumber())
                 .Store(target)) {
            throw std::runtime_error("a link could not be stored");
        }
        if (mode == CRecordCopier::kAllSubRecords && depth < kMaxSubRecordDepth) {
            CopySubRecords(*child, made, target, mode, depth + 1, seen);
        }
    }
}

// The record and its sub-records into `into` as a record of `kind` under the folder; throws when any part
// cannot be copied, so that the caller's transaction goes back.
void CopyOneRecord(CRecord& record, CCatalogueDb& into, int kind, double folder, int mode)
{
    const CNodeRef copy = record.CopyToCatalogue(into, kind, folder);
    if (copy.GetKind() == 0) {
        throw std::runtime_error("the record could not be copied");
    }
    std::set<double> seen{record.GetKeyCode()};
    CopySubRecords(record, copy, into, mode, 0, seen);
}

// Runs `copy` in one transaction of the target's workspace: committed when it returns, rolled back when
// it throws. False (after the rollback) when it threw or the catalogue cannot be written.
bool InOneTransaction(CCatalogueDb& into, const std::function<void()>& copy)
{
    if (into.IsViewOnly() || into.GetDatabase() == nullptr) {
        return false;
    }
    platform::dao::CDaoWorkspace& workspace = into.GetDatabase()->GetWorkspace() != nullptr
                                                  ? *into.GetDatabase()->GetWorkspace()
                                                  : platform::dao::CDaoWorkspace::Default();
    workspace.BeginTrans();
    try {
        copy();
        workspace.CommitTrans();
        return true;
    } catch (const std::exception& error) {
        DebugLogNumber(kRecordCopyFailed);
        AppendLogString("Exception ", error.what());
        try {
            workspace.Rollback();
        } catch (const std::exception& failure) {
            AppendLogString("Exception ", failure.what());
        }
        // The links read while copying may name rows that went back with the transaction.
        into.ReloadLinks();
        return false;
    }
}

} // namespace

CTreeNode* FindCatalogueNodeByName(CTreeNode& node, std::string_view name)
{
    CTreeNode& root = RootOf(node);
    for (CTreeNode* child = root.GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        CCatalogueDb* catalogue = child->IsCatalogue() ? child->GetCatalogue() : nullptr;
        if (catalogue != nullptr && platform::text::EqualsNoCase(catalogue->GetName(), name)) {
            return child;
        }
    }
    return nullptr;
}

int CCatalogueRecordCopier::FindMatchingKind(CTreeNode& target, std::string_view sourceCatalogue,
                                             int sourceKind, int targetKind)
{
    CCatalogueDb* into = target.GetCatalogue();
    CTreeNode* sourceNode = FindCatalogueNodeByName(target, sourceCatalogue);
    CCatalogueDb* from = sourceNode != nullptr ? sourceNode->GetCatalogue() : nullptr;
    if (into == nullptr || from == nullptr || sourceKind <= 0) {
        return 0;
    }
    const CDataFileDef* definition = from->FindDefinition(sourceKind);
    if (definition == nullptr) {
        return 0;
    }
    if (targetKind > 0 && targetKind < 100) {
        return definition->MatchesFile(into, targetKind) ? targetKind : 0;
    }
    return definition->FindMatchingFile(into);
}

bool CCatalogueRecordCopier::CopyRecordToFolder(CItemSet& set, CTreeNode& target, double folder, int kind,
                                                int mode)
{
    CRecord* record = set.GetCurrent();
    CCatalogueDb* into = target.GetCatalogue();
    if (record == nullptr || into == nullptr || record->GetCatalogue() == nullptr ||
        record->GetCatalogue() == into) {
        return false;
    }
    if (kind == 0) {
        kind = FindMatchingKind(target, record->GetCatalogue()->GetName(), record->GetKind(), -1);
        if (kind == 0) {
            return false;
        }
    }
    return InOneTransaction(*into, [&] { CopyOneRecord(*record, *into, kind, folder, mode); });
}

bool WasCopiedBefore(CRecord& record, CCatalogueDb& into)
{
    const CDataFileDef* definition = record.GetDefinition();
    return definition != nullptr && into.FindCopyUid(*definition, record.GetKeyCode()) >= 0;
}

CatalogueCopyResult CopyRecordsToCatalogue(CItemSet& set, CCatalogueDb& into, int kind, double folder,
                                           const std::function<int(CItemSet&)>& modeOf)
{
    return CopyRecordsToCatalogue(
        set, into, kind, [folder] { return folder; }, modeOf);
}

CatalogueCopyResult CopyRecordsToCatalogue(CItemSet& set, CCatalogueDb& into, int kind,
                                           const std::function<double()>& makeFolder,
                                           const std::function<int(CItemSet&)>& modeOf)
{
    CatalogueCopyResult result;
    CCatalogueDb* from = set.GetCatalogue();
    if (from == nullptr || from == &into || kind <= 0) {
        result.failed = true;
        return result;
    }
    const bool committed = InOneTransaction(into, [&] {
        const double folder = makeFolder();
        for (bool more = set.MoveFirst(); more; more = set.MoveNext()) {
            CRecord* record = set.GetCurrent();
            if (record == nullptr) {
                continue;
            }
            if (WasCopiedBefore(*record, into)) {
                ++result.skipped;
                continue;
            }
            CopyOneRecord(*record, into, kind, folder, modeOf(set));
            ++result.copied;
        }
    });
    if (!committed) {
        result.copied = 0;
        result.failed = true;
    }
    return result;
}
