#pragma once
// The windows some frame commands open belong to subsystems that install themselves: the record form,
// the designers and printing of the output subsystem, import and export, the wizards, orders, mail and
// the copy into another catalogue. Each reaches the frame through one CFrameSubsystem; a command whose
// subsystem has none installed stays disabled, so nothing offers what is not there.

class CTreeNode;
class wxWindow;

enum class FrameSubsystem
{
    kRecordForm,    // field chooser, shopping-cart hand-over
    kDesigners,     // web-view designer, label builder, form designer
    kPrinting,      // index cards, inventory, owned and missing reports
    kExchange,      // import and export
    kWizards,       // catalogue and data-item wizards
    kOrders,        // checkout
    kMail,          // send to mail or fax, ask for support
    kCatalogueCopy, // add to my catalogue, add to want list
    kCount,
};

class CFrameSubsystem
{
public:
    virtual ~CFrameSubsystem() = default;
    // Runs the frame command `command` for the selected element (may be null) over `owner`.
    virtual void RunCommand(wxWindow* owner, int command, CTreeNode* selected) = 0;
};

// Installs a subsystem's commands (not owned; null: none). Returns the previous one.
CFrameSubsystem* SetFrameSubsystem(FrameSubsystem which, CFrameSubsystem* subsystem);
CFrameSubsystem* GetFrameSubsystem(FrameSubsystem which);

// The subsystem that runs a command, or kCount when the frame runs it itself.
FrameSubsystem SubsystemOfCommand(int command, CTreeNode* selected);
