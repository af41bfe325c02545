#include "tree/records/RecordNodes.h"

#include "store/records/ItemSet.h"
#include "tree/base/ImageKinds.h"

namespace {

std::unique_ptr<CItemSet> SetOfKey(const CNodeRef& key)
{
    auto set = std::make_unique<CItemSet>(key.GetCatalogue());
    set->AddRecordByKey(key);
    set->MoveFirst();
    return set;
}

} // namespace

CRecordNode::CRecordNode(CItemSet& set)
    : CAreaFileNode({}, set.GetCurrentKind(), image_kind::kRecordClosed, image_kind::kRecordOpen)
{
    auto own = std::make_unique<CItemSet>(CItemSet::CopyOfCurrent(set));
    own->MoveFirst();
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
