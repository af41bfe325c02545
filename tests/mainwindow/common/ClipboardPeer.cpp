// A second running copy for the clipboard tests. Started as: clipboard_peer <log file> <mode> <catalogue>.
//   write  puts the scenario of ClipboardScenario.h on the clipboard, logs "ready" and serves the clipboard
//          until it is killed;
//   read   logs the description of the clipboard, a line each, then "done", and ends.

#include "mainwindow/common/WxClipboardAccess.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "store/records/Record.h"
#include "tests/mainwindow/common/ClipboardScenario.h"

#include <wx/app.h>
#include <wx/frame.h>

#include <fstream>
#include <memory>

namespace {

void Log(const std::string& path, const std::string& line)
{
    std::ofstream(path, std::ios::app) << line << "\n" << std::flush;
}

class PeerApp : public wxApp
{
public:
    bool OnInit() override
    {
        if (argc < 4) {
            return false;
        }
        const std::string log = argv[1].utf8_string();
        const std::string mode = argv[2].utf8_string();
        m_catalogue = std::make_unique<CCatalogueDb>(argv[3].utf8_string());
        m_clipboard = std::make_unique<CWxClipboardInstaller>();
        (new wxFrame(nullptr, wxID_ANY, "clipboard peer"))->Show(); // owned by wx
        if (mode == "write") {
            Log(log, lumarc::test::PutScenarioOnClipboard(*m_catalogue) ? "ready" : "not written");
        } else {
            for (const auto& line : lumarc::test::DescribeClipboard(*m_catalogue)) {
                Log(log, line);
            }
            Log(log, "done");
            CallAfter([] { wxTheApp->GetTopWindow()->Destroy(); });
        }
        return true;
    }

    int OnExit() override
    {
        m_clipboard.reset();
        m_catalogue.reset();
        return wxApp::OnExit();
    }

private:
    std::unique_ptr<CCatalogueDb> m_catalogue;
    std::unique_ptr<CWxClipboardInstaller> m_clipboard;
};

} // namespace

wxIMPLEMENT_APP(PeerApp);
