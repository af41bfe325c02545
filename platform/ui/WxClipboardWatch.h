#pragma once
// Tells when the desktop's clipboard gets new content, from this program or any other. The toolkit
// reports it as the clipboard changes owner; the call comes from the event loop.

#include <functional>

namespace platform::ui {

class ClipboardWatch
{
public:
    explicit ClipboardWatch(std::function<void()> changed);
    ~ClipboardWatch();
    ClipboardWatch(const ClipboardWatch&) = delete;
    ClipboardWatch& operator=(const ClipboardWatch&) = delete;

private:
    static void OnOwnerChange(void* clipboard, void* event, void* self);

    std::function<void()> m_changed;
    unsigned long m_handler = 0;
};

} // namespace platform::ui
