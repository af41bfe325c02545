#pragma once
// The pages of nodes that carry records are laid out from the catalogue's HTML layouts by the page
// writer of the output layer, which sits above the tree. Nodes reach it through this interface; the
// output layer installs it (InstallNodeWebPages), tests may install their own. Without one, record
// nodes write no page and the web view shows "noPage.htm".

#include <filesystem>
#include <string>
#include <string_view>

class CMarkupNode;
class CTreeNode;

class CNodePageWriter
{
public:
    virtual ~CNodePageWriter() = default;
    // The layout page on "moving.htm" of the named HTML layout of the node's data file.
    virtual bool WriteLayoutPage(CTreeNode& node, std::string_view layoutName, std::string& message,
                                 CMarkupNode** found) = 0;
    // The show page on "show.htm" of the node's current record.
    virtual bool WriteShowPage(CTreeNode& node, std::string& message) = 0;
};

// Not owned; null removes it.
void SetNodePageWriter(CNodePageWriter* writer);
CNodePageWriter* GetNodePageWriter();

// The web-search template of the last record page written (its layout's "searchButton"), which the
// frame's handler of "search.command" fills from the focused record.
void SetWebSearchTemplate(std::string_view text);
const std::string& GetWebSearchTemplate();

// "webPage.htm" in the HTML folder.
std::filesystem::path WebPagePath();

// A value of a record or folder as page text: escaped, its line breaks (CR LF, LF, or the stored
// definitions' markers) shown as "<BR>".
std::string PageText(std::string_view value);
