#pragma once
// The two one-field prompts: a new name (dialog 1441, used when web views and elements are named) and
// a catalogue's password (dialog 32245, used when a protected catalogue is opened). The password is
// typed masked and is never written anywhere, the trace log included.

#include <string>
#include <string_view>

#include <wx/dialog.h>

class CCatalogueDb;
class wxTextCtrl;

inline constexpr size_t kNewNameChars = 40;
inline constexpr size_t kPasswordChars = 10;

// "New Name": the prompt in label 1095 and the name in edit 1014, at most 40 characters.
class CNewNameDlg : public wxDialog
{
public:
    CNewNameDlg(wxWindow* parent, std::string_view prompt, std::string_view name);
    // The name typed, once the dialog ended with OK.
    const std::string& GetNewName() const { return m_name; }

private:
    wxTextCtrl* m_edit = nullptr;
    std::string m_name;
};

// Runs "New Name" with `name` filled in; true with `name` replaced by the typed name on OK.
bool AskNewName(wxWindow* parent, std::string_view prompt, std::string& name);

// "Password": a masked edit 1014 that takes at most 10 characters.
class CPasswordDlg : public wxDialog
{
public:
    explicit CPasswordDlg(wxWindow* parent);
    ~CPasswordDlg() override;
    const std::string& GetPassword() const { return m_password; }

private:
    wxTextCtrl* m_edit = nullptr;
    std::string m_password;
};

// Runs "Password"; true with the typed password on OK.
bool AskPassword(wxWindow* parent, std::string& password);

enum class ProtectedOpen
{
    Opened,        // the typed password opened the catalogue (or it needed none)
    Cancelled,     // the user cancelled: the catalogue stays protected
    WrongPassword, // the password did not open it: it stays protected, and the user was told
};

// Asks for the password of a protected catalogue and opens it with what was typed.
ProtectedOpen OpenProtectedCatalogue(wxWindow* parent, CCatalogueDb& catalogue);
