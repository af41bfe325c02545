#pragma once
// The element property sheets as windows (pages of resources/PropertyPages.xrc in a wxPropertySheetDialog
// with OK, Cancel and Help and no Apply), and the desktop's opener of files. The application installs
// them with SetNodeSheets and SetDocumentLauncher; what the pages write is decided by
// tree/properties/CatalogueProperties.h.

#include "tree/properties/NodeSheets.h"

#include <functional>
#include <string>
#include <vector>

#include <wx/panel.h>
#include <wx/propdlg.h>

class wxWindow;

// One page: its panel of the XRC layouts and what OK writes.
class CSheetPage : public wxPanel
{
public:
    CSheetPage(wxWindow* parent, const char* layout);
    // Writes the page's values: empty, or the message that refuses them (the sheet shows it and stays
    // on the page).
    std::function<std::string()> apply;
    // The page's help key (the Help button); empty for none.
    std::string helpKey;
};

// A sheet of such pages: OK applies them in order and stops at the first that refuses.
class CNodeSheetDialog : public wxPropertySheetDialog
{
public:
    CNodeSheetDialog(wxWindow* parent, const std::string& caption);
    CSheetPage& AddSheetPage(const char* layout, const std::string& title);
    // Lays the sheet out and selects the page.
    void Finish(int page);
    // What OK does (the tests press it through the button's event): true when every page applied and
    // the sheet ended.
    bool ApplyPages();
    CSheetPage& PageAt(size_t index) const { return *m_pages.at(index); }

private:
    std::vector<CSheetPage*> m_pages; // owned by the book
};

class CWxNodeSheets final : public CNodeSheets
{
public:
    explicit CWxNodeSheets(wxWindow* parent = nullptr) : m_parent(parent) {}
    bool ShowCatalogueSheet(CCatalogueNode& node, CNodeFrame* frame, int page) override;
    bool ShowQuerySheet(CQueryNode& node, CNodeFrame* frame) override;
    bool ShowFileSheet(CRecordNode& node, CNodeFrame* frame) override;

    // Set by tests: called with each sheet after it is laid out, in place of running it modally; its
    // answer (wxID_OK or wxID_CANCEL) ends the sheet as the user would.
    std::function<int(CNodeSheetDialog&)> driver;

private:
    int Run(CNodeSheetDialog& sheet);
    wxWindow* m_parent;
};

// The sheets' pages, made on their own so tests can look at them: the catalogue sheet (General,
// Description, Server types, Password), the query sheet and the file sheet.
void BuildCatalogueSheet(CNodeSheetDialog& sheet, CCatalogueDb& catalogue, bool& viewOnlyChanged);
void BuildQuerySheet(CNodeSheetDialog& sheet, CQueryNode& node);
void BuildFileSheet(CNodeSheetDialog& sheet, CRecordNode& node);

// Opens files with the program the desktop associates with their type: the shared MIME database, the
// applications' desktop entries and the user's choices in the XDG folders, as the desktop's file manager
// finds them.
class CWxDocumentLauncher final : public CDocumentLauncher
{
public:
    Result OpenDocument(const std::string& path) override;
};
