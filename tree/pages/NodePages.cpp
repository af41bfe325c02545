// The web pages of the tree's nodes: each node copies its template from the HTML folder into
// "webPage.htm" and replaces the markers in it by its own data, escaped, and by its picture. Record
// nodes write their show page, and every node that shows records its layout page, through the
// installed CNodePageWriter.

#include "tree/pages/NodePageWriter.h"
#include "tree/pages/PageTemplateFill.h"

#include "codecs/CatalogueImage.h"
#include "codecs/TextException.h"
#include "platform/text/HtmlEscape.h"
#include "resources/LoadResString.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/definitions/BuiltinDataFiles.h"
#include "store/program/Settings.h"
#include "store/program/TextFiles.h"
#include "store/program/TraceLog.h"
#include "store/records/FolderRecord.h"
#include "store/records/ItemSet.h"
#include "store/regional/DateTimeValue.h"
#include "tree/base/BaseItemNode.h"
#include "tree/catalogue/CatalogueNode.h"
#include "tree/containers/AreaNode.h"
#include "tree/containers/FolderNode.h"
#include "tree/containers/SummaryTableNode.h"
#include "tree/groups/TableNodes.h"
#include "tree/groups/WastebasketNodes.h"
#include "tree/lists/ItemListNode.h"
#include "tree/queries/QueryNodes.h"
#include "tree/records/RecordNodes.h"

#include <fstream>
#include <system_error>

namespace {

constexpr unsigned kEditTheTemplate = 126;
constexpr unsigned kErrorOpening = 127;
constexpr unsigned kFileWord = 197;
constexpr uint32_t kTransparentColour = 0x00FF00FF;
constexpr uint32_t kWhite = 0xFFFFFFFF;

CNodePageWriter* g_writer = nullptr;
std::string g_searchTemplate;

using node_pages::CopyOwnTemplate;
using node_pages::PlaceStockPicture;

void Replace(std::string_view marker, std::string_view value)
{
    node_pages::ReplaceWithText(marker, value);
}

// A comment of blanks only (what a folder made without one holds) is no comment, so the page's comment
// box is left empty and the style sheet hides it.
void ReplaceComment(std::string_view comment)
{
    const bool blank = comment.find_first_not_of(" \t\r\n") == std::string_view::npos;
    Replace("=COMMENT=", blank ? std::string_view() : comment);
}

std::string DateText(std::time_t time)
{
    CDateTimeValue value;
    value.SetFromTime(time);
    return value.FormatText();
}

std::string DateAndTimeText(std::time_t time)
{
    CDateTimeValue value;
    value.SetFromTime(time);
    return value.FormatLongText();
}

bool StockPicturePage(CTreeNode& node, std::string& message, std::string_view stock, std::string_view target,
                      bool withName)
{
    CopyOwnTemplate(node, message);
    PlaceStockPicture(stock, target);
    if (withName) {
        Replace("=NAME=", node.GetName());
    }
    return true;
}

// Item lists and stored queries: their own row holds the comment and the creation time.
bool RowPage(CTreeNode& node, std::string& message, std::string_view target)
{
    CopyOwnTemplate(node, message);
    PlaceStockPicture("query.jpg", target);
    CItemSet* row = node.GetOwnSet();
    ReplaceComment(row != nullptr && row->GetCurrent() != nullptr ? row->GetFieldTextByName("COMMENT") : "");
    Replace("=NAME=", node.GetName());
    Replace("=CREATED_THE=", row != nullptr && row->GetCurrent() != nullptr
                                 ? DateAndTimeText(row->GetCurrentCreationTime())
                                 : std::string());
    return true;
}

} // namespace

namespace node_pages {

bool CopyOwnTemplate(CTreeNode& node, std::string& message)
{
    std::ofstream page(WebPagePath(), std::ios::binary | std::ios::trunc);
    if (!page) {
        DebugLogString("Cannot create " + WebPagePath().string());
        return false;
    }
    return node.CopyPageTemplate(page, node.GetPageTemplate(), message);
}

void ReplaceWithText(std::string_view marker, std::string_view value)
{
    ReplaceTextInWebPage(marker, PageText(value));
}

void PlaceStockPicture(std::string_view stock, std::string_view target)
{
    const auto folder = GetHtmDirectory();
    std::error_code error;
    std::filesystem::remove(folder / target, error);
    std::filesystem::copy_file(folder / stock, folder / target,
                               std::filesystem::copy_options::overwrite_existing, error);
    ReplaceWithText("=PICTURE=", (folder / target).string());
}

} // namespace node_pages

void SetNodePageWriter(CNodePageWriter* writer)
{
    g_writer = writer;
}

CNodePageWriter* GetNodePageWriter()
{
    return g_writer;
}

void SetWebSearchTemplate(std::string_view text)
{
    g_searchTemplate = text;
}

const std::string& GetWebSearchTemplate()
{
    return g_searchTemplate;
}

std::filesystem::path WebPagePath()
{
    return GetHtmDirectory() / "webPage.htm";
}

std::string PageText(std::string_view value)
{
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r' || byte == 0xFC) {
            // CR LF (or the stored markers of them) is one break.
            if (i + 1 < value.size() &&
                (value[i + 1] == '\n' || static_cast<unsigned char>(value[i + 1]) == 0xF6)) {
                ++i;
            }
            out += "<BR>";
        } else if (c == '\n' || byte == 0xF6) {
            out += "<BR>";
        } else {
            platform::text::AppendHtmlEscaped(out, std::string_view(&value[i], 1));
        }
    }
    return out;
}

// ---- the shared operations ---------------------------------------------------------------------------

bool CTreeNode::CopyPageTemplate(std::ostream& out, std::string_view templateName, std::string& message)
{
    const auto path = GetHtmDirectory() / std::string(templateName);
    std::error_code error;
    // A folder opens as a stream here, but is no template (a node without a template names the folder).
    std::ifstream in;
    if (std::filesystem::is_regular_file(path, error)) {
        in.open(path, std::ios::binary);
    }
    if (!in.is_open()) {
        message = LoadResString(kErrorOpening) + path.string() + LoadResString(kFileWord);
        return false;
    }
    // Streaming an empty file would put the page into a failed state, and lose what follows.
    if (in.peek() != std::char_traits<char>::eof()) {
        out << in.rdbuf();
    }
    message = LoadResString(kEditTheTemplate) + path.string() + " file";
    return true;
}

bool CTreeNode::FillPageTemplate(std::string& message)
{
    return CopyOwnTemplate(*this, message);
}

bool CTreeNode::WriteLayoutPage(std::string_view /*layoutName*/, std::string& /*message*/,
                                CMarkupNode** /*found*/)
{
    return false;
}

bool CTreeNode::CreateWebPage(std::string& message, CMarkupNode** /*found*/)
{
    CopyOwnTemplate(*this, message);
    return false;
}

bool CAreaFileNode::WriteLayoutPage(std::string_view layoutName, std::string& message, CMarkupNode** found)
{
    return g_writer != nullptr && g_writer->WriteLayoutPage(*this, layoutName, message, found);
}

// ---- the node classes --------------------------------------------------------------------------------

bool CBaseItemNode::FillPageTemplate(std::string& message)
{
    CopyOwnTemplate(*this, message);
    return true;
}

bool CCatalogueNode::FillPageTemplate(std::string& message)
{
    const bool copied = CopyOwnTemplate(*this, message);
    if (CCatalogueDb* catalogue = GetCatalogue(); catalogue != nullptr) {
        Replace("=CREATED_THE=", DateText(catalogue->GetCreationTime()));
        Replace("=LAST_BACKUP_THE=", DateText(catalogue->GetLastBackupTime()));
        Replace("=LAST_FORM_UPDATE=", DateText(catalogue->GetModificationTime()));
        Replace("=PHISICAL_NAME=", catalogue->GetFilePath().string());
        ReplaceComment(catalogue->GetComment());
    }
    Replace("=NAME=", GetName());
    return copied;
}

bool CWastebasketNode::FillPageTemplate(std::string& message)
{
    return StockPicturePage(*this, message, "wasteb.jpg", "picture5.jpg", false);
}

bool CTableNode::FillPageTemplate(std::string& message)
{
    return StockPicturePage(*this, message, "allarea.jpg", "picture6.jpg", false);
}

bool CWastebasketTableNode::FillPageTemplate(std::string& message)
{
    return StockPicturePage(*this, message, "wasteb.jpg", "picture12.jpg", true);
}

bool CWastebasketAreaFileNode::FillPageTemplate(std::string& message)
{
    return StockPicturePage(*this, message, "wasteb.jpg", "picture13.jpg", true);
}

bool CWastebasketTableFileNode::FillPageTemplate(std::string& message)
{
    return StockPicturePage(*this, message, "wasteb.jpg", "picture14.jpg", true);
}

bool CSummaryTableNode::FillPageTemplate(std::string& message)
{
    return StockPicturePage(*this, message, "folder.jpg", "picture3.jpg", true);
}

bool CQuickQueryNode::FillPageTemplate(std::string& message)
{
    return StockPicturePage(*this, message, "query.jpg", "picture2.jpg", false);
}

bool CItemListNode::FillPageTemplate(std::string& message)
{
    CopyOwnTemplate(*this, message);
    PlaceStockPicture("distlist.jpg", "picture7.jpg");
    CItemSet* row = GetOwnSet();
    const bool hasRow = row != nullptr && row->GetCurrent() != nullptr;
    ReplaceComment(hasRow ? row->GetFieldTextByName("COMMENT") : "");
    Replace("=NAME=", GetName());
    Replace("=CREATED_THE=", hasRow ? DateAndTimeText(row->GetCurrentCreationTime()) : std::string());
    return true;
}

bool CQueryNode::FillPageTemplate(std::string& message)
{
    return RowPage(*this, message, "picture9.jpg");
}

bool CFolderNode::FillPageTemplate(std::string& message)
{
    CopyOwnTemplate(*this, message);
    CFolderRecord* folder = GetFolderRecord();
    Replace("=CREATED_THE=", folder != nullptr ? DateAndTimeText(folder->GetCreationTime()) : std::string());
    PlaceStockPicture("folder.jpg", "picture8.jpg");
    ReplaceComment(folder != nullptr ? folder->GetComment() : std::string());
    Replace("=NAME=", GetName());
    return true;
}

bool CAreaNode::FillPageTemplate(std::string& message)
{
    const auto folderPath = GetHtmDirectory();
    const auto target = folderPath / "picture4.jpg";
    const int kind = GetKind();
    std::error_code error;
    if (kind == kToDoFile || kind == kBookmarksFile) {
        std::filesystem::remove(target, error);
        std::filesystem::copy_file(folderPath / (kind == kToDoFile ? "todo.jpg" : "bookmarks.jpg"), target,
                                   std::filesystem::copy_options::overwrite_existing, error);
    } else if (CCatalogueDb* catalogue = GetCatalogue(); catalogue != nullptr) {
        CCatalogueImage picture;
        if (catalogue->ReadImage(kind, picture)) {
            try {
                picture.ReplaceColour(kTransparentColour, kWhite);
                picture.SaveToFile(target);
            } catch (const CTextException& failure) {
                DebugLogString(failure.GetMessage());
            }
        }
    }

    CopyOwnTemplate(*this, message);
    CFolderRecord* folder = GetFolderRecord();
    ReplaceComment(folder != nullptr ? folder->GetComment() : std::string());
    Replace("=CREATED_THE=", folder != nullptr ? DateAndTimeText(folder->GetCreationTime()) : std::string());
    Replace("=ORDERED BY=", folder != nullptr ? folder->GetOrdered() : std::string());
    Replace("=PICTURE=", target.string());
    Replace("=NAME=", GetName());
    return true;
}

bool CRecordNode::FillPageTemplate(std::string& message)
{
    return g_writer != nullptr && g_writer->WriteShowPage(*this, message);
}

bool CRecordNode::CreateWebPage(std::string& message, CMarkupNode** found)
{
    return WriteLayoutPage("summary", message, found);
}

bool CAddNewNode::FillPageTemplate(std::string& /*message*/)
{
    return true;
}
