#include "platform/ui/WxDialogService.h"

#include <wx/msgdlg.h>

namespace platform::ui {

int WxDialogService::MessageBox(const std::string& text, const std::string& caption, unsigned style)
{
    long wxStyle = 0;
    switch (style & kMbButtonMask) {
    case kMbOkCancel:
        wxStyle = wxOK | wxCANCEL;
        break;
    case kMbYesNo:
        wxStyle = wxYES_NO;
        break;
    case kMbYesNoCancel:
        wxStyle = wxYES_NO | wxCANCEL;
        break;
    default:
        wxStyle = wxOK;
    }
    switch (style & 0xF0) {
    case kMbIconError:
        wxStyle |= wxICON_ERROR;
        break;
    case kMbIconQuestion:
        wxStyle |= wxICON_QUESTION;
        break;
    case kMbIconWarning:
        wxStyle |= wxICON_WARNING;
        break;
    case kMbIconInformation:
        wxStyle |= wxICON_INFORMATION;
        break;
    default:
        break;
    }
    wxMessageDialog dialog(nullptr, wxString::FromUTF8(text), wxString::FromUTF8(caption), wxStyle);
    switch (dialog.ShowModal()) {
    case wxID_YES:
        return kIdYes;
    case wxID_NO:
        return kIdNo;
    case wxID_CANCEL:
        return kIdCancel;
    default:
        return kIdOk;
    }
}

} // namespace platform::ui
