#include "tree/properties/NodeSheets.h"

#include "platform/ui/DialogService.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "tree/base/ImageKinds.h"
#include "tree/base/TextPatterns.h"
#include "tree/catalogue/CatalogueNode.h"
#include "tree/catalogue/CatalogueNodeUi.h"
#include "tree/queries/QueryNodes.h"
#include "tree/records/RecordNodes.h"

namespace {

constexpr unsigned kStringNoAssociation = 348;
constexpr unsigned kStringCannotOpen = 349;
constexpr unsigned kStringError = 20552;

CNodeSheets* g_sheets = nullptr;
CDocumentLauncher* g_launcher = nullptr;

} // namespace

CNodeSheets* NodeSheets()
{
    return g_sheets;
}

CNodeSheets* SetNodeSheets(CNodeSheets* sheets)
{
    CNodeSheets* previous = g_sheets;
    g_sheets = sheets;
    return previous;
}

CDocumentLauncher* DocumentLauncher()
{
    return g_launcher;
}

CDocumentLauncher* SetDocumentLauncher(CDocumentLauncher* launcher)
{
    CDocumentLauncher* previous = g_launcher;
    g_launcher = launcher;
    return previous;
}

bool OpenFileItem(const std::string& storedPath)
{
    if (g_launcher == nullptr) {
        return false;
    }
    std::string path = storedPath;
    path.erase(path.find_last_not_of(' ') + 1);
    const CDocumentLauncher::Result result = g_launcher->OpenDocument(path);
    if (result == CDocumentLauncher::Result::Opened) {
        return true;
    }
    const unsigned message =
        result == CDocumentLauncher::Result::NoAssociation ? kStringNoAssociation : kStringCannotOpen;
    platform::ui::ShowMessage(FillTextPattern(LoadResString(message), path), LoadResString(kStringError),
                              platform::ui::kMbOk | platform::ui::kMbIconError);
    return false;
}

// ---- the nodes' sheets -------------------------------------------------------------------------------

bool CCatalogueNode::ShowProperties(CNodeFrame* frame, int page)
{
    if (g_sheets == nullptr) {
        return false;
    }
    // A protected catalogue not opened yet is opened with its password first; without it, no sheet.
    if (m_catalogue->IsPasswordProtected() && m_catalogue->GetDatabase() == nullptr) {
        CCatalogueNodeUi* ui = CatalogueNodeUi();
        const std::optional<std::string> password =
            ui != nullptr ? ui->AskPassword(m_catalogue->GetName()) : std::nullopt;
        if (!password || !m_catalogue->Open(*password)) {
            return false;
        }
        SetName(m_catalogue->GetName());
    }
    return g_sheets->ShowCatalogueSheet(*this, frame, page);
}

bool CQueryNode::ShowProperties(CNodeFrame* frame, int /*page*/)
{
    // A temporary result has no row whose name and comment the sheet could show.
    return g_sheets != nullptr && m_ownSet != nullptr && m_catalogue != nullptr &&
           g_sheets->ShowQuerySheet(*this, frame);
}

bool CRecordNode::ShowProperties(CNodeFrame* frame, int /*page*/)
{
    CItemSet* set = GetItemSet();
    return g_sheets != nullptr && GetKind() == node_kind::kFileItems && set != nullptr &&
           set->GetCurrent() != nullptr && g_sheets->ShowFileSheet(*this, frame);
}
