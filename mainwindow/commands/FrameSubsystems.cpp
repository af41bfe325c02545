#include "mainwindow/commands/FrameSubsystems.h"

#include "mainwindow/commands/CommandIds.h"
#include "tree/base/TreeNode.h"

#include <array>

using namespace frame_command;

namespace {

std::array<CFrameSubsystem*, static_cast<size_t>(FrameSubsystem::kCount)>& Installed()
{
    static std::array<CFrameSubsystem*, static_cast<size_t>(FrameSubsystem::kCount)> subsystems{};
    return subsystems;
}

} // namespace

CFrameSubsystem* SetFrameSubsystem(FrameSubsystem which, CFrameSubsystem* subsystem)
{
    CFrameSubsystem*& slot = Installed().at(static_cast<size_t>(which));
    CFrameSubsystem* previous = slot;
    slot = subsystem;
    return previous;
}

CFrameSubsystem* GetFrameSubsystem(FrameSubsystem which)
{
    return which == FrameSubsystem::kCount ? nullptr : Installed().at(static_cast<size_t>(which));
}

FrameSubsystem SubsystemOfCommand(int command, CTreeNode* selected)
{
    switch (command) {
    case kAddToCart:
        return FrameSubsystem::kRecordForm;
    case kCustomizeWebPage:
    case kLabelBuilder:
    case kFormDesigner:
        return FrameSubsystem::kDesigners;
    case kPrintAvery:
    case kPrintEnvelopes:
    case kPrintAgenda:
    case kInventoryReport:
    case kOwnedReport:
    case kMissingReport:
        return FrameSubsystem::kPrinting;
    case kImportExport:
        return FrameSubsystem::kExchange;
    case kNewCatalogueWizard:
    case kNewDataItemType:
        return FrameSubsystem::kWizards;
    case kSendMail:
    case kSendFax:
    case kAskForSupport:
        return FrameSubsystem::kMail;
    case kAddToMyCatalogue:
    case kAddToWantList:
        return FrameSubsystem::kCatalogueCopy;
    case kElementNew:
        // The root makes a catalogue with the wizard, an ordering element checks out; the wastebasket
        // is emptied here.
        if (selected != nullptr && selected->IsRoot()) {
            return FrameSubsystem::kWizards;
        }
        if (selected != nullptr && (selected->IsOrderingNode() || selected->IsOrderingItem())) {
            return FrameSubsystem::kOrders;
        }
        return FrameSubsystem::kCount;
    default:
        return FrameSubsystem::kCount;
    }
}
