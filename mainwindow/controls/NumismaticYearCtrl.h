#pragma once
// The numismatic-year control ("NumismaticYear"): the era, a mint mark before the year, the year or range
// of years, and a mint mark after it, in one row of parts. Its text is the four parts joined by blanks
// (store/regional/NumismaticYear.h); each part's tool tip says what it holds, the year's the common-era
// year it stands for.

#include <string>
#include <string_view>
#include <vector>

#include <wx/panel.h>

class wxChoice;
class wxTextCtrl;

class CNumismaticYearCtrl : public wxPanel
{
public:
    // `readOnly` shows the era as read-only text instead of a list.
    CNumismaticYearCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                        bool readOnly = false);

    // Sets the parts from a text; an empty text or "AD" changes nothing. Clears the changed mark.
    void SetValueText(const std::string& text);
    // "%s %s %s %s" of the parts as they stand.
    std::string GetValueText() const;

    bool IsChanged() const { return m_changed; }
    void SetChanged(bool changed) { m_changed = changed; }

    // The tool tip of each part: the era's description, "Pre Mint-Mark", "%d AD" of the year or the hint
    // how to write one, "Post Mint-Mark".
    wxString GetEraTip() const;
    wxString GetYearTip() const;

    bool Enable(bool enable = true) override;

    wxChoice* GetEraList() const { return m_eraList; }
    wxTextCtrl* GetEraText() const { return m_eraText; }
    wxTextCtrl* GetPreMark() const { return m_preMark; }
    wxTextCtrl* GetYear() const { return m_year; }
    wxTextCtrl* GetPostMark() const { return m_postMark; }

private:
    std::string Era() const;
    void UpdateTips();

    wxChoice* m_eraList = nullptr;
    wxTextCtrl* m_eraText = nullptr;
    wxTextCtrl* m_preMark = nullptr;
    wxTextCtrl* m_year = nullptr;
    wxTextCtrl* m_postMark = nullptr;
    bool m_changed = false;
};

// The eras offered, in the list's order.
const std::vector<std::string>& NumismaticEras();
// The description of an era ("Arab Hegira"); empty for an unknown one.
std::string EraDescription(std::string_view era);

// The parts as separate controls, for forms that place them themselves: the year ("NumYear") takes
// only digits, '-' and '/'; a mark ("editNY") at most four characters.
wxTextCtrl* CreateYearPart(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size);
wxTextCtrl* CreateMarkPart(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size);
wxChoice* CreateEraPart(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size);
