#pragma once
// The web layout a page writer uses while it writes the pages of one data file: a working copy of the
// catalogue's layout node, prepared once, so the catalogue's own web-templates tree is never changed
// by writing pages.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

class CMarkupNode;

class WebLayoutContext
{
public:
    WebLayoutContext();
    ~WebLayoutContext();
    WebLayoutContext(const WebLayoutContext&) = delete;
    WebLayoutContext& operator=(const WebLayoutContext&) = delete;

    const std::string& GetLayoutName() const { return m_layoutName; }
    // The HTML folder the pages and their pictures go to; the caller sets it after preparation.
    const std::filesystem::path& GetHtmlFolder() const { return m_htmlFolder; }
    void SetHtmlFolder(const std::filesystem::path& folder) { m_htmlFolder = folder; }

    // The working tree (Name and Type "tmp") holding the copy of the layout; null before preparation.
    CMarkupNode* GetWorkingTree() const { return m_workingTree.get(); }
    // The prepared copy of the layout node ("webDefinition"); null before preparation.
    CMarkupNode* GetLayout() const;

private:
    friend void PrepareWebLayout(WebLayoutContext& context, const CMarkupNode* webTemplates,
                                 std::string_view layoutName, int dataFileNumber);

    std::string m_layoutName;
    std::filesystem::path m_htmlFolder;
    std::unique_ptr<CMarkupNode> m_workingTree;
};

// Fills the context with a copy of the web layout named `layoutName` for the data file: the first
// "webDefinition" node of that Name below `webTemplates` whose `layoutType` is "HTML" and whose
// `dataName` is the data-file number (names and values compared without regard to case), or a new
// empty layout of that name when there is none. The copy leaves out the designer's "FieldList" child,
// and its elements named "0", "1", ... (up to the first missing number) are marked for recalculation.
// `webTemplates` is the catalogue's web-templates tree (null: an empty one); it is only read.
void PrepareWebLayout(WebLayoutContext& context, const CMarkupNode* webTemplates, std::string_view layoutName,
                      int dataFileNumber);

// The page writer of one data file's web pages: it owns the layout context from its preparation until
// the last page is written.
class WriteWebLayoutPage
{
public:
    WriteWebLayoutPage() = default;

    // Finds or creates the web layout `layoutName` of data file `kind` in the catalogue's web-templates
    // tree and keeps a working copy of it for the pages to come.
    void Prepare(const CMarkupNode* webTemplates, std::string_view layoutName, int kind)
    {
        PrepareWebLayout(m_context, webTemplates, layoutName, kind);
    }

    WebLayoutContext& GetContext() { return m_context; }
    const WebLayoutContext& GetContext() const { return m_context; }

private:
    WebLayoutContext m_context;
};
