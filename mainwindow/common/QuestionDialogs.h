#pragma once
// Three small dialogs many commands share, laid out in resources/ConfirmDialogs.xrc and EntryDialogs.xrc:
// a confirmation that opens at the mouse, the entry of a new name, and a mail message's subject and
// text. Each gives the focus back to its parent when it closes.

#include <string>

#include <wx/dialog.h>

class wxStaticText;
class wxTextCtrl;

// Answers of the dialogs.
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;
inline constexpr int kAnswerYesToAll = 8;

// Confirmation dialogs 146 (one item), 305 (items), 307 (folder), 317 (query), 30148 (list), 32209 (order; no Yes to
// All): the caller's question, answered with Yes (6), No (7) or Yes to All (8).
class CPopupQuestionDlg : public wxDialog
{
public:
    CPopupQuestionDlg(wxWindow* parent, int dialogId, const std::string& text);
    // Puts the top-left corner at `point`; a dialog that would cross the screen's right or bottom edge is
    // pulled back to end 50 pixels inside it.
    void PlaceAt(const wxPoint& point);
    wxString GetQuestion() const;

private:
    wxStaticText* m_question = nullptr;
};

// Shows the dialog at the mouse and returns the answer.
int ShowPopupQuestion(wxWindow* parent, int dialogId, const std::string& text);

// The new-name dialogs 32167 (item) and 32158 (template): OK (6) gives the typed name, at most
// `maxChars` characters; Cancel (7).
class CTextEntryDlg : public wxDialog
{
public:
    CTextEntryDlg(wxWindow* parent, int dialogId, const std::string& text, size_t maxChars);
    std::string GetText() const { return m_text; }

private:
    wxTextCtrl* m_edit = nullptr;
    size_t m_maxChars;
    std::string m_text;
};

// Returns 6 with `text` replaced by the typed name, or 7 with `text` untouched.
int ShowTextEntry(wxWindow* parent, int dialogId, std::string& text, size_t maxChars = 39);

// Dialog 105: a mail message's subject (at most 127 characters) and text (at most 63,999). OK (button 1)
// answers 6, Cancel (button 2) 7.
class CMailTextDlg : public wxDialog
{
public:
    explicit CMailTextDlg(wxWindow* parent);
    std::string GetSubject() const { return m_subject; }
    std::string GetText() const { return m_text; }

private:
    wxTextCtrl* m_subjectEdit = nullptr;
    wxTextCtrl* m_textEdit = nullptr;
    std::string m_subject;
    std::string m_text;
};

// Returns 6 with the subject and text the user typed, or 7 with both untouched.
int ShowMailText(wxWindow* parent, std::string& subject, std::string& text);
