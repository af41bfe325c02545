#pragma once
// Records published as web pages: the records of a set are written one after the other into a page,
// and a set too long for one page is cut into a chain of pages ("coins.htm", "coins-1.htm",
// "coins-2.htm", ...) linked by "Previous" and "Next" pictures that open in the frame "dataFrame".

#include <filesystem>
#include <iosfwd>
#include <span>
#include <string>

class CCatalogueDb;
class CItemSet;
class CMarkupNode;
class CRecord;
class WriteWebLayoutPage;

// What to write and where.
struct WebPagesOptions
{
    // The field number (or sort key) the records are ordered by, descending; kNoSort keeps their order.
    int sortField = -99;
    // The HTML layout the records are written with (by name; see WriteWebLayoutPage::FindRecordLayout).
    std::string layoutName;
    // The folder of the pages and their pictures.
    std::filesystem::path folder;
    // The first page's file name; ".htm" is added when it has no extension.
    std::string pageName;
    // Records on a page; 0 puts them all on one page.
    int recordsPerPage = 0;
    // Only records of this data file; 0 writes every record.
    int kindFilter = 0;
    // Continue the page (or the chain of pages) an earlier call of the same writer left open instead
    // of starting anew; a missing page is created.
    bool append = false;
    // Leave the last page open (no links, no closing lines), so that a later call can append to it.
    bool keepOpen = false;
};

// The path of page `number` of the chain that begins with `firstPage`: the first page itself (with
// ".htm" when it has no extension) for 0, else "<base>-<number>.<extension>".
std::filesystem::path RecordPagePath(const std::filesystem::path& firstPage, int number);

// Closes the page open now, `pagePath`, with its links (to the previous page unless it is the first,
// to the next unless `lastPage`) and its closing lines. Unless `lastPage`, opens the next page of the
// chain, writes its start and sets `pagePath` to it. `webTemplates` is the catalogue's web-templates
// tree (the page start takes the data frame's scrolling from it). False when the next page cannot be
// opened.
bool NextRecordPage(const CMarkupNode* webTemplates, std::ofstream& page, std::filesystem::path& pagePath,
                    bool lastPage, WriteWebLayoutPage& writer);

// Writes the records, in the order given, into the pages `options` describe (RenderRecordHtml for each
// record). Without records to write a new page is a copy of "blank.htm" of the product folder, or an
// empty page when there is none. False when a page cannot be written.
bool WriteRecordPages(CCatalogueDb& catalogue, std::span<CRecord* const> records,
                      const WebPagesOptions& options, WriteWebLayoutPage& writer);

// The pages of an item set: the set is sorted by `options.sortField`, descending, and its records are
// written as WriteRecordPages writes them. False when the set has no catalogue or a page cannot be
// written.
bool WriteWebPages(CItemSet& set, const WebPagesOptions& options, WriteWebLayoutPage& writer);
