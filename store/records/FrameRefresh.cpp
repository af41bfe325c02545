#include "store/records/FrameRefresh.h"

namespace {

CFrameRefresh* g_frameRefresh = nullptr;

} // namespace

void SetFrameRefresh(CFrameRefresh* refresh)
{
    g_frameRefresh = refresh;
}

void RequestFrameRefresh(const CRecord& saved)
{
    if (g_frameRefresh != nullptr) {
        g_frameRefresh->GoToNodeByCode(saved);
    }
}
