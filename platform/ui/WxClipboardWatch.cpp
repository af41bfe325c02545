#include "platform/ui/WxClipboardWatch.h"

#include <gtk/gtk.h>

namespace platform::ui {

ClipboardWatch::ClipboardWatch(std::function<void()> changed) : m_changed(std::move(changed))
{
    GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
    if (clipboard != nullptr) {
        m_handler =
            g_signal_connect(clipboard, "owner-change", G_CALLBACK(&ClipboardWatch::OnOwnerChange), this);
    }
}

ClipboardWatch::~ClipboardWatch()
{
    if (m_handler != 0) {
        g_signal_handler_disconnect(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD), m_handler);
    }
}

void ClipboardWatch::OnOwnerChange(void* /*clipboard*/, void* /*event*/, void* self)
{
    auto* watch = static_cast<ClipboardWatch*>(self);
    if (watch->m_changed) {
        watch->m_changed();
    }
}

} // namespace platform::ui
