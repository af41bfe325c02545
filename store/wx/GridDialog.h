#pragma once
// "Select grid values" (dialog GRIDDIALOG): switches the form designer's grid on or off and sets its
// width and height, each 1 to 60. The form designer hands in its two grid values and redraws itself
// afterwards.

#include <cstdint>

#include <wx/dialog.h>

class wxCheckBox;
class wxTextCtrl;

// The caller's grid: a width of 0 means the grid is off.
struct GridValues
{
    std::uint16_t width = 0;
    std::uint16_t height = 0;
};

class GridDialog : public wxDialog
{
public:
    // The dialog keeps `values` and writes them only when OK is pressed with valid entries.
    GridDialog(wxWindow* parent, GridValues& values);

private:
    void OnOk();

    GridValues& m_values;
    wxCheckBox* m_gridOn = nullptr;
    wxTextCtrl* m_width = nullptr;
    wxTextCtrl* m_height = nullptr;
};

// Shows the dialog modally: 1 when OK stored the values, 0 when it was cancelled (nothing stored).
int ShowGridDialog(wxWindow* parent, GridValues& values);
