#include "mainwindow/panes/PreviewFileDlg.h"

#include "mainwindow/panes/PicturePreview.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dirctrl.h>
#include <wx/filefn.h>
#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <sstream>

const char* const CPreviewFileDlg::kPictureFilter = "Pictures|*.bmp;*.dib;*.jpg;*.jpeg;*.png;*.gif;*.tif;*."
                                                    "tiff;*.tga;*.pcx;*.pgm;*.pct;*.pict;*.eps;*.wmf;*.emf"
                                                    "|All files|*";

namespace {

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);) {
        parts.push_back(part);
    }
    return parts;
}

} // namespace

CPreviewFileDlg::CPreviewFileDlg(bool open, const std::string& defaultExtension,
                                 const std::filesystem::path& fileName, const std::string& filter,
                                 wxWindow* parent)
    : wxDialog(parent, wxID_ANY, open ? "Open" : "Save As", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_open(open), m_defaultExtension(defaultExtension)
{
    const std::vector<std::string> parts = Split(filter.empty() ? kPictureFilter : filter, '|');
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (!parts[i].empty()) {
            m_filters.push_back({parts[i], Split(parts[i + 1], ';')});
        }
    }
    if (m_filters.empty()) {
        m_filters.push_back({"All files", {"*"}});
    }

    std::error_code error;
    std::filesystem::path folder =
        fileName.has_parent_path() ? fileName.parent_path() : std::filesystem::current_path(error);
    if (std::filesystem::is_directory(fileName, error)) {
        folder = fileName.has_filename() ? fileName : fileName.parent_path(); // "pictures/" is "pictures"
    }

    m_folders = new wxGenericDirCtrl(this, wxID_ANY, folder.string(), wxDefaultPosition, wxSize(220, 320),
                                     long(wxDIRCTRL_DIR_ONLY) | wxBORDER_SUNKEN);
    m_files = new wxListBox(this, wxID_ANY, wxDefaultPosition, wxSize(220, 320), 0, nullptr,
                            wxLB_SINGLE | wxLB_SORT);
    m_preview = new CPicturePreview(this, kPictureBoxId, wxSize(260, 260));
    m_previewCheck = new wxCheckBox(this, kPreviewCheckId, "&Preview");
    m_previewCheck->SetValue(m_previewOn);
    m_name = new wxTextCtrl(
        this, wxID_ANY, std::filesystem::is_directory(fileName, error) ? "" : fileName.filename().string());
    m_filterChoice = new wxChoice(this, wxID_ANY);
    for (const Filter& entry : m_filters) {
        m_filterChoice->Append(wxString::FromUTF8(entry.text));
    }
    m_filterChoice->SetSelection(0);

    auto* lists = new wxBoxSizer(wxHORIZONTAL);
    lists->Add(m_folders, 1, wxEXPAND | wxRIGHT, 6);
    lists->Add(m_files, 1, wxEXPAND | wxRIGHT, 6);
    auto* previewColumn = new wxBoxSizer(wxVERTICAL);
    previewColumn->Add(m_previewCheck, 0, wxBOTTOM, 4);
    previewColumn->Add(m_preview, 1, wxEXPAND);
    lists->Add(previewColumn, 1, wxEXPAND);

    auto* fields = new wxFlexGridSizer(2, 6, 6);
    fields->AddGrowableCol(1);
    fields->Add(new wxStaticText(this, wxID_ANY, "File &name:"), 0, wxALIGN_CENTER_VERTICAL);
    fields->Add(m_name, 1, wxEXPAND);
    fields->Add(new wxStaticText(this, wxID_ANY, "Files of &type:"), 0, wxALIGN_CENTER_VERTICAL);
    fields->Add(m_filterChoice, 1, wxEXPAND);

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(lists, 1, wxEXPAND | wxALL, 8);
    top->Add(fields, 0, wxEXPAND | wxLEFT | wxRIGHT, 8);
    top->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 8);
    SetSizerAndFit(top);

    m_folders->Bind(wxEVT_DIRCTRL_SELECTIONCHANGED, [this](wxTreeEvent&) {
        const std::filesystem::path chosen = m_folders->GetPath().utf8_string();
        if (!chosen.empty() && chosen != m_folder) {
            SetFolder(chosen);
        }
    });
    m_files->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) {
        m_name->ChangeValue(m_files->GetStringSelection());
        FileNameChanged();
    });
    m_files->Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent& event) { OnOk(event); });
    m_filterChoice->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { FillFiles(); });
    m_previewCheck->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& event) { SetPreview(event.IsChecked()); });
    Bind(wxEVT_BUTTON, &CPreviewFileDlg::OnOk, this, wxID_OK);

    SetFolder(folder);
    if (!m_name->GetValue().empty()) {
        SelectFile(m_name->GetValue().utf8_string());
    }
}

std::filesystem::path CPreviewFileDlg::GetPath() const
{
    const std::string name = m_name->GetValue().utf8_string();
    if (name.empty()) {
        return {};
    }
    std::filesystem::path path =
        std::filesystem::path(name).is_absolute() ? std::filesystem::path(name) : m_folder / name;
    if (!path.has_extension() && !m_defaultExtension.empty()) {
        path += "." + m_defaultExtension;
    }
    return path;
}

void CPreviewFileDlg::SetFolder(const std::filesystem::path& folder)
{
    m_folder = folder;
    if (m_folders->GetPath().utf8_string() != folder.string()) {
        m_folders->SetPath(wxString::FromUTF8(folder.string()));
    }
    FillFiles();
}

void CPreviewFileDlg::FillFiles()
{
    m_files->Clear();
    const int index = std::max(0, m_filterChoice->GetSelection());
    const std::vector<std::string>& patterns = m_filters[static_cast<size_t>(index)].patterns;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder, error)) {
        std::error_code typeError;
        if (!entry.is_regular_file(typeError)) {
            continue;
        }
        const wxString name = wxString::FromUTF8(entry.path().filename().string());
        if (std::any_of(patterns.begin(), patterns.end(), [&](const std::string& pattern) {
                return name.Lower().Matches(wxString(pattern).Lower());
            })) {
            m_files->Append(name);
        }
    }
    FileNameChanged();
}

std::vector<std::string> CPreviewFileDlg::GetListedFiles() const
{
    std::vector<std::string> names;
    for (unsigned i = 0; i < m_files->GetCount(); ++i) {
        names.push_back(m_files->GetString(i).utf8_string());
    }
    return names;
}

bool CPreviewFileDlg::SelectFile(const std::string& name)
{
    const int index = m_files->FindString(wxString::FromUTF8(name), true);
    if (index == wxNOT_FOUND) {
        return false;
    }
    m_files->SetSelection(index);
    m_name->ChangeValue(m_files->GetString(index));
    FileNameChanged();
    return true;
}

void CPreviewFileDlg::SetFilterIndex(int index)
{
    m_filterChoice->SetSelection(index);
    FillFiles();
}

void CPreviewFileDlg::SetPreview(bool on)
{
    m_previewOn = on;
    m_previewCheck->SetValue(on);
    if (on) {
        FileNameChanged();
    } else {
        m_preview->Clear();
    }
}

void CPreviewFileDlg::FileNameChanged()
{
    if (!m_previewOn) {
        return;
    }
    const std::filesystem::path path = GetPath();
    if (path.empty()) {
        m_preview->Clear();
    } else {
        m_preview->LoadPicture(path); // a folder is not loaded
    }
}

void CPreviewFileDlg::OnOk(wxCommandEvent&)
{
    const std::filesystem::path path = GetPath();
    std::error_code error;
    if (path.empty()) {
        return;
    }
    if (std::filesystem::is_directory(path, error)) {
        SetFolder(path);
        m_name->Clear();
        return;
    }
    if (m_open && !std::filesystem::is_regular_file(path, error)) {
        return; // an open dialog ends only on a file that exists
    }
    EndModal(wxID_OK);
}
