#pragma once
// The program's own window classes: controls that dialogs and form definitions name by a class name
// ("Integer", "NumYear", "SearchListBox"), each made by a factory of the wx control that plays the
// class's role. Names compare without regard to case. Classes are registered once per process; the
// registry keeps them in the order they were registered.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <wx/defs.h>
#include <wx/gdicmn.h>

class wxWindow;

// Makes the control as a child of `parent`; the parent owns it.
using WindowClassFactory = std::function<wxWindow*(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                                   const wxSize& size, long style)>;

// Registers a class. False, leaving the first registration in place, when a class of that name (in any
// case) exists or the name is empty.
bool RegisterWindowClass(std::string_view className, WindowClassFactory factory);
bool IsWindowClassRegistered(std::string_view className);
// Every registered class name as it was registered, in registration order.
std::vector<std::string> RegisteredWindowClasses();

// Makes a control of a registered class; null for an unknown class or when the factory makes nothing.
// The control's window name is the class name as registered, so WindowClassOf and FindWindowByName see
// it.
wxWindow* CreateOwnWindow(std::string_view className, wxWindow* parent, wxWindowID id = wxID_ANY,
                          const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                          long style = 0);

// The class a window plays: its own class when it was made by CreateOwnWindow, else the standard class
// of its kind ("Edit", "ComboBox", "ListBox", "Button", "Static"); empty for anything else.
std::string WindowClassOf(const wxWindow* window);

// Forgets every class (tests only: the program registers once and keeps them).
void ClearWindowClassesForTest();
