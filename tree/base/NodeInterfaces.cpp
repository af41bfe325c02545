#include "tree/base/NodeInterfaces.h"

#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "tree/base/NodeListPane.h"
#include "tree/base/TreeNode.h"

namespace {

class ServiceNodeDialogs final : public CNodeDialogs
{
public:
    int ConfirmFolderDelete(const std::string& question) override
    {
        // The message box has no Yes to All button; a service that answers 8 is taken at its word.
        const int answer = platform::ui::ShowMessage(question, "Confirm Folder Delete",
                                                     platform::ui::kMbYesNo | platform::ui::kMbIconQuestion);
        return answer == platform::ui::kIdYes || answer == platform::ui::kIdYesToAll ? answer
                                                                                     : platform::ui::kIdNo;
    }
    int ConfirmItemDelete(const std::string& question) override
    {
        return ConfirmDelete(kConfirmItemDelete, question);
    }
    int ConfirmDelete(int dialog, const std::string& question) override
    {
        const int answer = platform::ui::ShowMessage(question, CaptionOf(dialog),
                                                     platform::ui::kMbYesNo | platform::ui::kMbIconQuestion);
        return answer == platform::ui::kIdYes || answer == platform::ui::kIdYesToAll ? answer
                                                                                     : platform::ui::kIdNo;
    }

private:
    static const char* CaptionOf(int dialog)
    {
        switch (dialog) {
        case kConfirmItemsDelete:
            return "Confirm Multiple Items Delete ";
        case kConfirmQueryDelete:
            return "Confirm Query delete";
        case kConfirmListDelete:
            return "Confirm List delete";
        default:
            return "Confirm Item Delete";
        }
    }
};

ServiceNodeDialogs g_serviceDialogs;
CNodeDialogs* g_dialogs = &g_serviceDialogs;

} // namespace

CNodeDialogs& NodeDialogs()
{
    return *g_dialogs;
}

CNodeDialogs* SetNodeDialogs(CNodeDialogs* dialogs)
{
    CNodeDialogs* previous = g_dialogs;
    g_dialogs = dialogs != nullptr ? dialogs : &g_serviceDialogs;
    return previous == &g_serviceDialogs ? nullptr : previous;
}

int RefuseDeletion(unsigned message, bool quiet, CNodeListPane* list)
{
    constexpr unsigned kErrorCaption = 20552;
    if (!quiet) {
        platform::ui::ShowMessage(LoadResString(message), LoadResString(kErrorCaption),
                                  platform::ui::kMbOk | platform::ui::kMbIconError);
    }
    if (list != nullptr) {
        list->RestoreFocus();
    }
    return kDeleteRefused;
}

namespace {
CRecordFormOpener* g_recordFormOpener = nullptr;
}

CRecordFormOpener* RecordFormOpener()
{
    return g_recordFormOpener;
}

CRecordFormOpener* SetRecordFormOpener(CRecordFormOpener* opener)
{
    CRecordFormOpener* previous = g_recordFormOpener;
    g_recordFormOpener = opener;
    return previous;
}

namespace {
CRecordCopier* g_recordCopier = nullptr;

std::string CatalogueNameOf(CItemSet& set)
{
    return set.GetCatalogue() != nullptr ? set.GetCatalogue()->GetName() : std::string();
}
} // namespace

CRecordCopier* RecordCopier()
{
    return g_recordCopier;
}

CRecordCopier* SetRecordCopier(CRecordCopier* copier)
{
    CRecordCopier* previous = g_recordCopier;
    g_recordCopier = copier;
    return previous;
}

bool CanCopyFromOtherCatalogue(CTreeNode& target, CItemSet& set, int targetKind)
{
    return g_recordCopier != nullptr && set.GetCurrent() != nullptr &&
           g_recordCopier->FindMatchingKind(target, CatalogueNameOf(set), set.GetCurrentKind(), targetKind) !=
               0;
}

int CopyFromOtherCatalogue(CTreeNode& target, CItemSet& set, double folder, int targetKind, int minKind,
                           bool move, const std::function<int(CItemSet&)>& modeOf)
{
    if (g_recordCopier == nullptr) {
        return 0;
    }
    const std::string source = CatalogueNameOf(set);
    int copied = 0;
    for (bool more = set.MoveFirst(); more; more = set.MoveNext()) {
        if (set.GetCurrentKind() < minKind) {
            continue;
        }
        const int kind = g_recordCopier->FindMatchingKind(target, source, set.GetCurrentKind(), targetKind);
        if (kind == 0 || !g_recordCopier->CopyRecordToFolder(set, target, folder, kind, modeOf(set))) {
            continue;
        }
        ++copied;
        if (move) {
            set.DeleteCurrentRecord();
        }
    }
    return copied;
}
