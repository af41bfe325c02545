#pragma once
// CPreviewFileDlg: the program's dialog for choosing a picture file, with a live preview of the file
// chosen. The toolkit's file dialog cannot host a picture, so this one is built of its own parts: the
// folders, the files of the chosen folder that match the chosen filter, the name, a "&Preview" check box
// (id 1000) and the picture box (id 1004), OK and Cancel.

#include <filesystem>
#include <string>
#include <vector>

#include <wx/dialog.h>

class CPicturePreview;
class wxCheckBox;
class wxChoice;
class wxGenericDirCtrl;
class wxListBox;
class wxTextCtrl;

class CPreviewFileDlg : public wxDialog
{
public:
    static constexpr int kPreviewCheckId = 1000;
    static constexpr int kPictureBoxId = 1004;
    // The pictures the program reads.
    static const char* const kPictureFilter;

    // `fileName` may name a folder and a file in it; `filter` is "text|pattern;pattern|text|pattern..."
    // (patterns match without regard to case). `open` chooses a file to open, else a name to save.
    CPreviewFileDlg(bool open, const std::string& defaultExtension, const std::filesystem::path& fileName,
                    const std::string& filter, wxWindow* parent);

    // The chosen file, with the default extension added to a typed name without one.
    std::filesystem::path GetPath() const;
    std::filesystem::path GetFolder() const { return m_folder; }
    // Shows the files of a folder.
    void SetFolder(const std::filesystem::path& folder);
    // The names the file list shows.
    std::vector<std::string> GetListedFiles() const;
    // Chooses a file of the list, as a click does; false when the list has no such name.
    bool SelectFile(const std::string& name);
    void SetFilterIndex(int index);
    bool IsPreviewOn() const { return m_previewOn; }
    // Turns the preview on or off, as the check box does.
    void SetPreview(bool on);
    CPicturePreview* GetPreview() const { return m_preview; }

private:
    struct Filter
    {
        std::string text;
        std::vector<std::string> patterns;
    };

    void FillFiles();
    void FileNameChanged();
    void OnOk(wxCommandEvent& event);

    bool m_open;
    std::string m_defaultExtension;
    std::vector<Filter> m_filters;
    std::filesystem::path m_folder;
    bool m_previewOn = true;
    wxGenericDirCtrl* m_folders = nullptr;
    wxListBox* m_files = nullptr;
    wxTextCtrl* m_name = nullptr;
    wxChoice* m_filterChoice = nullptr;
    wxCheckBox* m_previewCheck = nullptr;
    CPicturePreview* m_preview = nullptr;
};
