#include "store/program/Broadcasts.h"

#include "platform/ui/Broadcaster.h"
#include "platform/ui/WaitCursor.h"

using platform::ui::BroadcastReach;

void RegisterBroadcastMessages()
{
    static const bool registered = [] {
        platform::ui::RegisterBroadcastMessage(kUnloadDbMessage, BroadcastReach::kAllCopies);
        platform::ui::RegisterBroadcastMessage(kUnloadElementMessage, BroadcastReach::kAllCopies);
        platform::ui::RegisterBroadcastMessage(kRefreshMessage, BroadcastReach::kAllCopies);
        platform::ui::RegisterBroadcastMessage(kDestroyWaitMessage, BroadcastReach::kThisCopy);
        platform::ui::RegisterBroadcastMessage(kCloseEditMessage, BroadcastReach::kThisCopy);
        return true;
    }();
    (void)registered;
}

unsigned BroadcastMessageNumber(std::string_view name)
{
    RegisterBroadcastMessages();
    return platform::ui::RegisterWindowMessage(name);
}

void BroadcastUnloadDatabase(const std::filesystem::path& catalogueFile)
{
    platform::ui::SetWaitCursor();
    platform::ui::Broadcaster::Instance().Send(BroadcastMessageNumber(kUnloadDbMessage), 0,
                                               catalogueFile.string());
    platform::ui::SetArrowCursor();
}
