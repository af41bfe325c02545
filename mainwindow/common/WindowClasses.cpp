#include "mainwindow/common/WindowClasses.h"

#include "platform/text/CaseFold.h"

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/window.h>

namespace {

struct WindowClass
{
    std::string name;
    WindowClassFactory factory;
};

std::vector<WindowClass>& Classes()
{
    static std::vector<WindowClass> classes;
    return classes;
}

const WindowClass* Find(std::string_view name)
{
    for (const auto& windowClass : Classes()) {
        if (platform::text::EqualsNoCase(windowClass.name, name)) {
            return &windowClass;
        }
    }
    return nullptr;
}

} // namespace

bool RegisterWindowClass(std::string_view className, WindowClassFactory factory)
{
    if (className.empty() || !factory || Find(className) != nullptr) {
        return false;
    }
    Classes().push_back({std::string(className), std::move(factory)});
    return true;
}

bool IsWindowClassRegistered(std::string_view className)
{
    return Find(className) != nullptr;
}

std::vector<std::string> RegisteredWindowClasses()
{
    std::vector<std::string> names;
    for (const auto& windowClass : Classes()) {
        names.push_back(windowClass.name);
    }
    return names;
}

wxWindow* CreateOwnWindow(std::string_view className, wxWindow* parent, wxWindowID id, const wxPoint& pos,
                          const wxSize& size, long style)
{
    const WindowClass* windowClass = Find(className);
    if (windowClass == nullptr) {
        return nullptr;
    }
    wxWindow* window = windowClass->factory(parent, id, pos, size, style);
    if (window != nullptr) {
        window->SetName(wxString::FromUTF8(windowClass->name));
    }
    return window;
}

std::string WindowClassOf(const wxWindow* window)
{
    if (window == nullptr) {
        return {};
    }
    const std::string name = window->GetName().utf8_string();
    if (const WindowClass* windowClass = Find(name)) {
        return windowClass->name;
    }
    // Checked before the edit: a combo box is a text entry as well. IsKindOf rather than wxDynamicCast,
    // which casts down before it checks.
    if (window->IsKindOf(wxCLASSINFO(wxComboBox))) {
        return "ComboBox";
    }
    if (window->IsKindOf(wxCLASSINFO(wxTextCtrl))) {
        return "Edit";
    }
    if (window->IsKindOf(wxCLASSINFO(wxListBox))) {
        return "ListBox";
    }
    if (window->IsKindOf(wxCLASSINFO(wxButton))) {
        return "Button";
    }
    if (window->IsKindOf(wxCLASSINFO(wxStaticText))) {
        return "Static";
    }
    return {};
}

void ClearWindowClassesForTest()
{
    Classes().clear();
}
