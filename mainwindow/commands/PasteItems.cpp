#include "mainwindow/commands/PasteItems.h"

#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/clipboard/ItemClipboard.h"
#include "store/records/ItemSet.h"
#include "store/records/WaitWindow.h"
#include "tree/base/ElementTreeSource.h"
#include "tree/base/TreeNode.h"

#include <memory>
#include <string_view>

namespace {

constexpr unsigned kErrorTitle = 20552;

bool ClipboardHas(std::string_view format)
{
    CClipboardAccess* clipboard = GetClipboardAccess();
    return clipboard != nullptr && clipboard->HasFormat(format);
}

CTreeNode& RootOf(CTreeNode& node)
{
    return *static_cast<CTreeNode*>(node.GetRoot());
}

bool IsAtOrBelow(CTreeNode& target, CTreeNode& element)
{
    for (CTreeNode* above = &target; above != nullptr; above = above->GetParentNode()) {
        if (above == &element) {
            return true;
        }
    }
    return false;
}

// Whether the target is an element named on the clipboard (folders, queries and lists by path, records
// by key) or lies below one: a folder put into itself would leave the folder tree in a loop, a record
// linked with itself means nothing.
bool IsOntoItself(CTreeNode& target, bool move, CItemSet* items)
{
    const std::string_view formats[] = {move ? kAreaMoveFormat : kAreaCopyFormat,
                                        move ? kQueryMoveFormat : kQueryCopyFormat,
                                        move ? kItemListMoveFormat : kItemListCopyFormat};
    for (std::string_view format : formats) {
        if (!ClipboardHas(format)) {
            continue;
        }
        for (const std::string& path : ReadClipboardEntries(format)) {
            CTreeNode* element = RootOf(target).FindByNodePath(path);
            if (element != nullptr && IsAtOrBelow(target, *element)) {
                return true;
            }
        }
    }
    if (items != nullptr && target.IsRecord() && target.GetItemSet() != nullptr &&
        target.GetItemSet()->GetCurrent() != nullptr) {
        const CNodeRef key = target.GetItemSet()->GetCurrentKey();
        for (bool more = items->MoveFirst(); more; more = items->MoveNext()) {
            const CNodeRef item = items->GetCurrentKey();
            if (key.IsSame(&item) && key.GetCatalogue() == item.GetCatalogue()) {
                return true;
            }
        }
    }
    return false;
}

PasteCheck Check(CTreeNode& target, std::unique_ptr<CItemSet>& items)
{
    const std::string_view format = ChooseClipboardItemFormat();
    if (format.empty()) {
        return PasteCheck::kNothing;
    }
    const bool move = format == kMoveItemsFormat;
    CElementTreeSource source(RootOf(target));
    items = ReadItemsFromClipboard(source);
    if (IsOntoItself(target, move, items.get())) {
        return PasteCheck::kOntoItself;
    }
    const bool accepted = move ? target.CanAcceptMove(items.get()) : target.CanAcceptCopy(items.get());
    if (!accepted) {
        return PasteCheck::kRefused;
    }
    return move ? PasteCheck::kMove : PasteCheck::kCopy;
}

} // namespace

PasteCheck CheckPaste(CTreeNode& target)
{
    std::unique_ptr<CItemSet> items;
    return Check(target, items);
}

bool CanPasteInto(CTreeNode& target)
{
    const PasteCheck check = CheckPaste(target);
    return check == PasteCheck::kMove || check == PasteCheck::kCopy;
}

void EmptyItemClipboard()
{
    if (CClipboardAccess* clipboard = GetClipboardAccess()) {
        clipboard->SetFormats({});
    }
}

bool PasteInto(CTreeNode& target)
{
    std::unique_ptr<CItemSet> items;
    const PasteCheck check = Check(target, items);
    if (check == PasteCheck::kOntoItself) {
        platform::ui::ShowMessage("An element cannot be pasted into itself or into an element inside it.",
                                  LoadResString(kErrorTitle),
                                  platform::ui::kMbOk | platform::ui::kMbIconError);
        return false;
    }
    if (check != PasteCheck::kMove && check != PasteCheck::kCopy) {
        return false;
    }
    const bool showWait = items != nullptr && !target.IsInWastebasket();
    if (showWait) {
        ShowWaitWindowForItemSet(*items);
    }
    if (check == PasteCheck::kMove) {
        target.DropMove(items.get());
    } else {
        target.DropCopy(items.get());
    }
    if (showWait) {
        CloseWaitWindow();
    }
    if (check == PasteCheck::kMove) {
        EmptyItemClipboard();
    }
    return true;
}
