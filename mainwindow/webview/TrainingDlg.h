#pragma once
// The training lessons (dialog 32242): lesson "TrainingLesson" (from 1) of the HTML folder's
// "training<n>.htm" in a browser. OK moves on to the next lesson; after the seventh the lessons stop
// showing at start-up ("ShowTraining").

#include <wx/dialog.h>

class wxButton;
class wxCheckBox;
class wxWebView;

inline constexpr int kLastTrainingLesson = 7;

class CTrainingDlg : public wxDialog
{
public:
    explicit CTrainingDlg(wxWindow* parent);

    int ShownLesson() const { return m_lesson; }
    wxWebView* Browser() const { return m_browser; }

private:
    void OnOk(wxCommandEvent& event);
    void OnSize(wxSizeEvent& event);

    wxWebView* m_browser = nullptr;    // owned by the dialog
    wxCheckBox* m_doNotShow = nullptr; // owned by the dialog
    wxButton* m_ok = nullptr;          // owned by the dialog
    int m_lesson = 1;
};
