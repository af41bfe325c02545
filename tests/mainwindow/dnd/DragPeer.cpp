// A second running copy that starts a drag: started as drag_peer <log file> <catalogue> <coin name>. It
// opens the catalogue in an element tree of its own, adds the coin's record to a drag's data source (which
// puts its entries on the clipboard, as a pane's drag does), logs "ready" and serves the clipboard until
// it is killed. The test's copy is the one the drag reaches.

#include "mainwindow/common/WxClipboardAccess.h"
#include "mainwindow/dnd/ItemDataSource.h"
#include "store/records/ItemSet.h"
#include "tree/base/BaseItemNode.h"
#include "tree/catalogue/CatalogueNode.h"
#include "tree/records/RecordNodes.h"

#include <wx/app.h>
#include <wx/frame.h>

#include <fstream>
#include <memory>

namespace {

void Log(const std::string& path, const std::string& line)
{
    std::ofstream(path, std::ios::app) << line << "\n" << std::flush;
}

class DragPeerApp : public wxApp
{
public:
    bool OnInit() override
    {
        if (argc < 4)
            return false;
        const std::string log = argv[1].utf8_string();
        m_clipboard = std::make_unique<CWxClipboardInstaller>();
        (new wxFrame(nullptr, wxID_ANY, "drag peer"))->Show(); // owned by wx
        m_root = std::make_unique<CBaseItemNode>();
        auto* catalogue = CTreeNode::AppendNode<CCatalogueNode>(*m_root, argv[2].utf8_string());
        CItemSet coin = CItemSet::FromSql(catalogue->GetCatalogue(),
                                          "SELECT * FROM COINS WHERE NAME = '" + argv[3].utf8_string() + "'");
        if (!coin.MoveFirst()) {
            Log(log, "no such coin");
            return true;
        }
        auto* record = CTreeNode::AppendNode<CRecordNode>(*catalogue, coin);
        m_source = std::make_unique<CItemDataSource>();
        Log(log, m_source->AddItem(*record) ? "ready" : "not added");
        return true;
    }

    int OnExit() override
    {
        m_source.reset();
        m_root.reset();
        m_clipboard.reset();
        return wxApp::OnExit();
    }

private:
    std::unique_ptr<CWxClipboardInstaller> m_clipboard;
    std::unique_ptr<CBaseItemNode> m_root;
    std::unique_ptr<CItemDataSource> m_source;
};

} // namespace

wxIMPLEMENT_APP(DragPeerApp);
