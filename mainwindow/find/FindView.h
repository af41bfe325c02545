#pragma once
// FindView: the find pane of the Find mode. A tab control of pages (the area and data file, the data
// pages laid out like the data file's record form, the creation and modification dates, the sort order)
// beside the Find Now, Save Search and New Search buttons. Each page turns its entries into a piece of
// one search's criteria; the frame's commands collect them and run the search through an item set.

#include "mainwindow/frame/FramePanes.h"

#include <wx/panel.h>

#include <string>
#include <utility>
#include <vector>

class CTreeNode;
class FindDataPage;
class FindDatePage;
class FindSortPage;
class wxButton;
class wxChoice;
class wxHelpEvent;
class wxKeyEvent;
class wxNotebook;

// The pages by their index; the tab index equals it, except that without Details the tabs after it
// shift back by one.
enum FindPage : int
{
    kAreaPage = 0,
    kDataPage = 1,
    kDetailsPage = 2,
    kCreationPage = 3,
    kModificationPage = 4,
    kSortPage = 5,
};

class FindView : public wxPanel, public CFrameFindPane
{
public:
    FindView(wxWindow* parent, CPaneFrame& frame);
    ~FindView() override;

    // ---- CFrameFindPane ---------------------------------------------------------------------------------
    wxWindow* GetWindow() override { return this; }
    std::string CollectCriteria() override;
    int GetLinkFileNumber() const override { return m_linkFile; }
    int GetDataFileNumber() const override { return m_dataFile; }
    CTreeNode* GetChosenElement() const override;
    CCatalogueDb* GetCatalogue() const override { return m_catalogue; }
    void ShowPageOfCommand(int id) override;
    void NewSearch() override;
    void EnableSaveSearch(bool enable) override;
    void RefillElementChooser() override;

    // ---- what the area page offers, for the frame's wiring and the tests ---------------------------------
    // The element at the chooser's entry becomes the pane's (its catalogue and data files).
    void ChooseElement(int index);
    // The data file at the list's entry becomes the pane's and the data pages are rebuilt for it.
    void ChooseDataFile(int index);
    wxChoice* GetElementChooser() const { return m_elements; }
    wxChoice* GetDataFileList() const { return m_dataFiles; }
    wxNotebook* GetTabs() const { return m_tabs; }
    // The data page (kDataPage or kDetailsPage); null when absent.
    FindDataPage* GetDataPage(int page) const;
    FindDatePage* GetDatePage(int page) const;
    FindSortPage* GetSortPage() const { return m_sort; }
    bool HasDetails() const { return m_details != nullptr; }
    // Shows the page by its index.
    void ShowPage(int page);
    // The context-help key of a control of the pages ("KV.SEARCH_FOR"); empty for one without a topic.
    std::string HelpKeyOf(const wxWindow* control) const;

private:
    wxWindow* MakeAreaPage();
    void RebuildDataPages();
    void FillDataFiles();
    void OnButton(wxCommandEvent& event);
    void OnPaneKey(wxCommandEvent& event);
    void OnFrameCommand(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnHelp(wxHelpEvent& event);
    void ShowHelpOf(wxWindow* control);

    CPaneFrame& m_frame;
    CCatalogueDb* m_catalogue = nullptr;
    int m_dataFile = 0;
    int m_linkFile = 0;
    wxNotebook* m_tabs = nullptr;
    wxChoice* m_elements = nullptr;
    wxChoice* m_dataFiles = nullptr;
    std::vector<CTreeNode*> m_elementNodes;
    std::vector<int> m_dataFileNumbers;
    FindDataPage* m_data = nullptr;
    FindDataPage* m_details = nullptr;
    FindDatePage* m_created = nullptr;
    FindDatePage* m_modified = nullptr;
    FindSortPage* m_sort = nullptr;
    wxButton* m_saveSearch = nullptr;
    std::vector<std::pair<wxWindowID, int>> m_keys; // the command row's keys: their ids and commands
};

// The find pane behind a window the factory made; null for another window.
CFrameFindPane* AsFindPane(wxWindow* window);

// The factory the program installs (FramePaneFactories::makeFind).
wxWindow* MakeFindView(wxWindow* parent, CPaneFrame& frame);
