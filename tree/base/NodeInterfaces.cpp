#include "tree/base/NodeInterfaces.h"

#include "platform/ui/DialogService.h"

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
