#pragma once
// "Manage Web views" (dialog 144): the named HTML layouts of one data file, kept in the catalogue's
// web-template tree, created, edited, renamed and deleted. The designing itself belongs to the output
// subsystem and is reached through CWebViewDesigner; while none is installed, New and Edit are off.

#include <string>
#include <string_view>
#include <vector>

#include <wx/dialog.h>

class CCatalogueDb;
class CMarkupNode;
class CTreeNode;
class wxListBox;

// The web-view designer: runs modally on `layout` (the element writes its layout page for `viewName`
// first) and answers true when the user pressed OK, the layout then holding the design.
class CWebViewDesigner
{
public:
    virtual ~CWebViewDesigner() = default;
    virtual bool Design(wxWindow* parent, CTreeNode* element, CCatalogueDb& catalogue,
                        std::string_view viewName, CMarkupNode& layout) = 0;
};

// Installs the designer (not owned; null: none). Returns the previous one.
CWebViewDesigner* SetWebViewDesigner(CWebViewDesigner* designer);

// The names of the web views of a data file, in tree order: the nodes below `templates` whose "DataName"
// is the number and "layoutType" is "HTML", leaving out the element's own "summary" page. The Web View
// menu offers them in this order.
std::vector<std::string> ListWebViews(CMarkupNode* templates, int dataFile);
// The first of those views whose Name is `name` (without regard to case); null when none.
CMarkupNode* FindWebView(CMarkupNode* templates, int dataFile, std::string_view name);

class CManageWebViewsDlg : public wxDialog
{
public:
    // The views of data file `dataFile` of the catalogue (the selected element's catalogue and kind);
    // `element` (may be null) writes the layout pages.
    CManageWebViewsDlg(wxWindow* parent, CCatalogueDb& catalogue, int dataFile, CTreeNode* element);

private:
    void FillList();
    // The selected view's name; empty (after telling the user) when none is selected.
    std::string SelectedView();
    void OnNew();
    void OnEdit();
    void OnRename();
    void OnDelete();

    CCatalogueDb& m_catalogue;
    int m_dataFile;
    CTreeNode* m_element;
    wxListBox* m_list = nullptr;
};
