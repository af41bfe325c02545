#pragma once
// AddressCombo: the address bar. A drop-down list of the element tree, each line indented by its depth
// and shown with the node's picture, over an editable text: choosing a line goes to its element; typing
// a path and Enter goes there; any other text is searched for in the selected element's catalogue.
// It draws its lines itself (wxOwnerDrawnComboBox): the toolkit's picture combo cannot indent.

#include "tree/base/TreeControl.h"

#include <wx/odcombo.h>

#include <memory>
#include <string>
#include <vector>

class CPaneFrame;
class CTreeImageTable;
class CTreeNode;

// What the address bar acts on: the main frame, or the "Open" dialog that shows the element chosen.
class CAddressComboHost
{
public:
    virtual ~CAddressComboHost() = default;
    virtual CTreeNode* GetRootElement() = 0;
    // The element selected in the tree, whose catalogue a search runs in; null for none.
    virtual CTreeNode* GetCaretElement() = 0;
    virtual void GoToElement(CTreeNode& element) = 0;
    virtual void QuickSearch(CTreeNode& element, const std::string& text) = 0;
    virtual void ShowStatusText(const std::string& text) = 0;
};

class AddressCombo : public wxOwnerDrawnComboBox, public CNodeComboBox, public CTreeNodeObserver
{
public:
    static constexpr int kIndentPixels = 12;

    AddressCombo(wxWindow* parent, wxWindowID id, std::unique_ptr<CAddressComboHost> host);
    ~AddressCombo() override;

    // Shows the pictures of that table (the tree pane's, shared, not owned); until then the combo uses a
    // table of its own.
    void SetImageTable(CTreeImageTable* table);
    // Fills the lines from the element tree (the nodes' own filling: the branch of the selected element
    // open, the rest to the second level).
    void FillFrom(CTreeNode& root);
    // Selects the first line whose node has the node's serial.
    void SelectNode(const CTreeNode* node);
    // Goes to the element the text names, or else searches for the text; what Enter does.
    void GoToText(const std::string& text);
    // Goes to the element of a line, as choosing it does.
    void ChooseLine(int index);

    CTreeNode* GetLineNode(int index) const;
    int GetLineIndent(int index) const;
    int GetLineImage(int index) const;

    // ---- CNodeComboBox ---------------------------------------------------------------------------------
    int GetControlId() const override { return GetId(); }
    void Clear() override;
    int AppendLine(int indent, const std::string& text, int image, int selectedImage,
                   CTreeNode* node) override;
    void SelectLine(int index) override;
    int ImageIndexOfKind(int kind) const override;

    void NodeDestroyed(const CTreeNode* node) override;

protected:
    void OnDrawItem(wxDC& dc, const wxRect& rect, int item, int flags) const override;
    wxCoord OnMeasureItem(size_t item) const override;
    wxCoord OnMeasureItemWidth(size_t item) const override;

private:
    struct Line
    {
        int indent = 0;
        int image = 0;
        CTreeNode* node = nullptr;
    };

    void OnSelected(wxCommandEvent& event);
    void OnEnter(wxCommandEvent& event);
    void OnTextFocus(wxFocusEvent& event);
    CTreeImageTable& Images() const;

    std::unique_ptr<CAddressComboHost> m_host;
    std::unique_ptr<CTreeImageTable> m_ownImages;
    CTreeImageTable* m_images = nullptr;
    std::vector<Line> m_lines;
};

// The main frame's address bar: goes to elements through the frame, searches through its quick search.
AddressCombo* MakeAddressBar(wxWindow* parent, CPaneFrame& frame);
