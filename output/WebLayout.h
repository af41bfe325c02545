#pragma once
// The web layout a page writer uses while it writes the pages of one data file: a working copy of the
// catalogue's layout node, prepared once, so the catalogue's own web-templates tree is never changed
// by writing pages.

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

class CCatalogueDb;
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
// the last page is written, and what the record pages of one run share: the running record and
// picture numbers, the icon pictures already written, the layouts of the data files met and the chain
// of pages being written.
class WriteWebLayoutPage
{
public:
    WriteWebLayoutPage();
    ~WriteWebLayoutPage();
    WriteWebLayoutPage(const WriteWebLayoutPage&) = delete;
    WriteWebLayoutPage& operator=(const WriteWebLayoutPage&) = delete;

    // Finds or creates the web layout `layoutName` of data file `kind` in the catalogue's web-templates
    // tree and keeps a working copy of it for the pages to come.
    void Prepare(const CMarkupNode* webTemplates, std::string_view layoutName, int kind);

    WebLayoutContext& GetContext() { return m_context; }
    const WebLayoutContext& GetContext() const { return m_context; }

    // The HTML layout the records of data file `kind` of a catalogue are written with: the prepared
    // layout when it is an HTML layout of that data file of the catalogue it was prepared from; else,
    // from the catalogue's web templates, the data file's HTML layout of the prepared name, or its first
    // HTML layout. Null when the data file has none.
    const CMarkupNode* FindRecordLayout(CCatalogueDb& catalogue, int kind);

    // The number of the next numbered web picture ("web<n>.jpg"); each call takes one.
    int TakePictureNumber() { return m_pictureNumber++; }
    int GetPictureNumber() const { return m_pictureNumber; }

    // The records written since the count was last reset; pages are cut by it.
    int GetRecordNumber() const { return m_recordNumber; }
    void CountRecord() { ++m_recordNumber; }
    void ResetRecordNumber() { m_recordNumber = 0; }

    // The picture file written for a data file's icon (`large` or small) in a folder: every record of
    // the data file shows the same one. Null when it was not written yet; an empty path when the
    // catalogue has no such icon.
    const std::filesystem::path* FindIconFile(const CCatalogueDb& catalogue, int kind, bool large,
                                              const std::filesystem::path& folder) const;
    void KeepIconFile(const CCatalogueDb& catalogue, int kind, bool large,
                      const std::filesystem::path& folder, std::filesystem::path file);

    // The address of the product's web site, read once per writer.
    const std::string& GetWebSite();

    // The pages being written: the first page's path and the number of the page open now (0 the first).
    const std::filesystem::path& GetFirstPage() const { return m_firstPage; }
    int GetPageNumber() const { return m_pageNumber; }
    void StartPageChain(const std::filesystem::path& firstPage)
    {
        m_firstPage = firstPage;
        m_pageNumber = 0;
    }
    void NextPageNumber() { ++m_pageNumber; }

private:
    WebLayoutContext m_context;
    // The web-templates tree the context was prepared from: the prepared layout is that catalogue's.
    const CMarkupNode* m_preparedFrom = nullptr;
    int m_pictureNumber = 0;
    int m_recordNumber = 0;
    // Records of a set may come from several catalogues (a search over every catalogue): layouts and
    // icons are kept per catalogue.
    std::map<std::pair<const CCatalogueDb*, int>, std::unique_ptr<CMarkupNode>> m_recordLayouts;
    std::map<std::tuple<const CCatalogueDb*, int, bool, std::filesystem::path>, std::filesystem::path>
        m_iconFiles;
    std::optional<std::string> m_webSite;
    std::filesystem::path m_firstPage;
    int m_pageNumber = 0;
};
