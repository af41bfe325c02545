#include "output/RecordPages.h"

#include "output/HtmlPageWriter.h"
#include "output/RecordHtml.h"
#include "output/WebLayout.h"
#include "platform/text/CaseFold.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/records/ItemSet.h"
#include "store/markup/MarkupNode.h"
#include "store/records/Record.h"
#include "store/program/Settings.h"
#include "store/regional/TextUtilities.h"

#include <fstream>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

using platform::text::EqualsNoCase;

// The background picture of the layout the pages are written with.
std::string BackgroundPicture(const WriteWebLayoutPage& writer)
{
    const CMarkupNode* layout = writer.GetContext().GetLayout();
    if (layout == nullptr) {
        return {};
    }
    for (const CMarkupNode* element = layout->GetFirstChild(); element != nullptr;
         element = element->GetNextSibling()) {
        if (EqualsNoCase(element->GetAttribute("elementCategory"), "backgroundElement")) {
            return element->GetAttribute("image");
        }
    }
    return {};
}

void WritePageStart(std::ostream& out, const CMarkupNode* webTemplates, const fs::path& folder,
                    const WriteWebLayoutPage& writer)
{
    WriteHtmlPageStart(BackgroundPicture(writer), out, webTemplates, folder);
}

void WritePageLink(std::ostream& out, const fs::path& page, std::string_view picture, std::string_view title)
{
    std::string name = page.string();
    StripDirectory(name);
    WriteHtmlText(out, "<A HREF=\"" + EscapeHtml(name) + "\" TARGET=\"dataFrame\"><IMG BORDER=0 SRC=\"" +
                           std::string(picture) + "\" TITLE=\"" + std::string(title) + "\"></A>");
    WriteHtmlLineBreak(out);
}

// The links of the page open now and its closing lines.
void ClosePage(std::ostream& out, const WriteWebLayoutPage& writer, bool lastPage)
{
    const int number = writer.GetPageNumber();
    if (number > 0) {
        WritePageLink(out, RecordPagePath(writer.GetFirstPage(), number - 1), "Previous.jpg", "Previous");
    }
    if (!lastPage) {
        WritePageLink(out, RecordPagePath(writer.GetFirstPage(), number + 1), "Next.jpg", "Next");
    }
    WriteHtmlPageEnd(out);
}

// Opens a page at its end; `isNew` tells whether it holds nothing yet (a missing page is created).
bool OpenPage(std::ofstream& page, const fs::path& path, bool append, bool& isNew)
{
    std::error_code error;
    isNew = !append || !fs::exists(path, error) || fs::file_size(path, error) == 0;
    page.open(path, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
    return page.is_open();
}

bool WriteBlankPage(const fs::path& path, const CMarkupNode* webTemplates, const fs::path& folder,
                    const WriteWebLayoutPage& writer)
{
    const fs::path blank = GetProductDir() / "blank.htm";
    std::error_code error;
    if (fs::is_regular_file(blank, error) && !fs::equivalent(blank, path, error)) {
        return fs::copy_file(blank, path, fs::copy_options::overwrite_existing, error);
    }
    std::ofstream page(path, std::ios::binary | std::ios::trunc);
    WritePageStart(page, webTemplates, folder, writer);
    WriteHtmlPageEnd(page);
    page.close();
    return !page.fail();
}

} // namespace

fs::path RecordPagePath(const fs::path& firstPage, int number)
{
    fs::path first = firstPage;
    if (!first.has_extension()) {
        first += ".htm";
    }
    if (number == 0) {
        return first;
    }
    fs::path page = first.parent_path() / first.stem();
    page += "-" + std::to_string(number);
    page += first.extension();
    return page;
}

bool NextRecordPage(const CMarkupNode* webTemplates, std::ofstream& page, fs::path& pagePath, bool lastPage,
                    WriteWebLayoutPage& writer)
{
    ClosePage(page, writer, lastPage);
    page.close();
    if (page.fail()) {
        return false;
    }
    if (lastPage) {
        return true;
    }
    writer.NextPageNumber();
    pagePath = RecordPagePath(writer.GetFirstPage(), writer.GetPageNumber());
    bool isNew = true;
    if (!OpenPage(page, pagePath, false, isNew)) {
        return false;
    }
    WritePageStart(page, webTemplates, pagePath.parent_path(), writer);
    return true;
}

bool WriteRecordPages(CCatalogueDb& catalogue, std::span<CRecord* const> records,
                      const WebPagesOptions& options, WriteWebLayoutPage& writer)
{
    std::vector<CRecord*> written;
    for (CRecord* record : records) {
        if (options.kindFilter == 0 || record->IsOfKind(options.kindFilter)) {
            written.push_back(record);
        }
    }
    const int kind = options.kindFilter != 0 ? options.kindFilter
                     : written.empty()       ? 0
                                             : written.front()->GetKind();
    const CMarkupNode* webTemplates = catalogue.GetWebTemplates();
    writer.Prepare(webTemplates, options.layoutName, kind);

    const fs::path firstPage = RecordPagePath(options.folder / options.pageName, 0);
    // An appending call goes on with the chain it continues, on the page that chain has open.
    const bool continues = options.append && writer.GetFirstPage() == firstPage;
    if (!continues) {
        writer.StartPageChain(firstPage);
        writer.ResetRecordNumber();
    }
    fs::path pagePath = RecordPagePath(firstPage, writer.GetPageNumber());

    if (written.empty() && !options.append) {
        return WriteBlankPage(pagePath, webTemplates, options.folder, writer);
    }

    std::ofstream page;
    bool isNew = true;
    if (!OpenPage(page, pagePath, options.append, isNew)) {
        return false;
    }
    if (isNew) {
        WritePageStart(page, webTemplates, options.folder, writer);
    }
    for (CRecord* record : written) {
        // A page is cut before the record that would overflow it, so that no empty page is ever begun
        // and a later appending call still cuts at the right record.
        const int count = writer.GetRecordNumber();
        if (options.recordsPerPage > 0 && count > 0 && count % options.recordsPerPage == 0) {
            if (!NextRecordPage(webTemplates, page, pagePath, false, writer)) {
                return false;
            }
        }
        RenderRecordHtml(*record, page, writer, options.folder);
        writer.CountRecord();
    }
    if (!options.keepOpen) {
        ClosePage(page, writer, true);
        if (!options.append) {
            writer.ResetRecordNumber();
        }
    }
    page.close();
    return !page.fail();
}

bool WriteWebPages(CItemSet& set, const WebPagesOptions& options, WriteWebLayoutPage& writer)
{
    CCatalogueDb* catalogue = set.GetCatalogue();
    if (catalogue == nullptr) {
        return false;
    }
    if (options.sortField != kNoSort) {
        set.Sort(options.sortField, true, false);
    }
    std::vector<CRecord*> records;
    for (const auto& record : set.GetList()) {
        records.push_back(record.get());
    }
    return WriteRecordPages(*catalogue, records, options, writer);
}
