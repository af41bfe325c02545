#pragma once
// CDropTarget: what the tree pane and the content list accept when something is dragged over them.
// Program elements (from this copy or another running copy) travel on the clipboard, so the drag only
// announces them; the element under the point is asked what it accepts and the keys choose the effect
// (DropEffects.h) - the toolkit's own mapping of keys to effects is not used. Addresses dragged from a
// web browser become bookmark records, files from other programs go to the pane's own file drop.
// A right-button drag asks at the drop what to do. Near the pane's edges the pane scrolls by itself.

#include "mainwindow/dnd/DropEffects.h"

#include <wx/dnd.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CItemSet;
class CTreeNode;
class wxArrayString;

// What a drop target needs of its pane.
class CDropPane
{
public:
    static constexpr int kTreePane = 10;
    static constexpr int kListPane = 11;
    static constexpr int kLinkList = 12; // a list of one record's links

    virtual ~CDropPane() = default;
    virtual wxWindow* GetDropWindow() = 0;
    virtual int GetDropKind() const = 0;
    // The element under a point of the pane's window (client coordinates); null for none.
    virtual CTreeNode* NodeAtPoint(const wxPoint& point) = 0;
    // Highlights the element under the point as the drop place; null removes the highlight.
    virtual void HighlightDropNode(CTreeNode* node) = 0;
    // Scrolls one line left or right (dx) and up or down (dy).
    virtual void ScrollLines(int dx, int dy) = 0;
    // Files from another program dropped at the point.
    virtual void DropFiles(const wxPoint& point, const wxArrayString& files) = 0;
    // The element tree the dragged items are looked up in.
    virtual CTreeNode& GetRootElement() = 0;
    // After a drop that copied or moved (the views reload and the list fills again) or linked.
    virtual void AfterDrop(int effect) = 0;
    // A list of links (kind 12): the element whose record the dropped items are linked with, and the
    // data file the list shows (0 for every one).
    virtual CTreeNode* GetLinkElement() { return nullptr; }
    virtual int GetLinkKind() const { return 0; }
};

// The toolkit's side of a drag, replaceable so that tests can drive a target without a real drag.
struct DragProbe
{
    // The first of DropFormats() that the dragged data offers; empty for none.
    std::function<std::string()> offeredFormat;
    // Fetches the dragged data into the target's data object; false when it cannot be read.
    std::function<bool()> fetchData;
    // The keys and buttons held (the key-state bits of DropEffects.h).
    std::function<int()> keyState;
    // A steady time in milliseconds.
    std::function<std::int64_t()> nowMs;
    // The right-button drop menu at a point of the pane's window: the chosen effect, 0 for Cancel.
    std::function<int(int allowed, const wxPoint& point)> chooseFromMenu;
};

class CDropTarget : public wxDropTarget
{
public:
    explicit CDropTarget(CDropPane& pane);
    ~CDropTarget() override;

    wxDragResult OnEnter(wxCoord x, wxCoord y, wxDragResult def) override;
    wxDragResult OnDragOver(wxCoord x, wxCoord y, wxDragResult def) override;
    bool OnDrop(wxCoord x, wxCoord y) override;
    wxDragResult OnData(wxCoord x, wxCoord y, wxDragResult def) override;
    void OnLeave() override;

    // The effects the element under the point allows (the sum of the effect bits).
    int GetAllowedEffects(const wxPoint& point);
    // The effect shown for the point and keys.
    int ComputeDropEffect(int keyState, const wxPoint& point);

    DragProbe& Probe() { return m_probe; }
    // The data object of one of DropFormats(): tests put the dragged data there.
    bool SetFormatData(std::string_view format, const void* data, size_t size);
    dnd::DragData GetDragData() const { return m_dragData; }

private:
    int AcceptedEffects(CTreeNode* node);
    std::string ReadFormatText(std::string_view format) const;
    // The address or the files carried by the dragged data; false when it holds neither.
    bool ReadAddressOrFiles(std::string& address, wxArrayString& files) const;
    bool DropWebAddress(CTreeNode& node, const std::string& address);
    void DropItems(CTreeNode& node, int effect);
    bool IsLinkList() const { return m_pane.GetDropKind() == CDropPane::kLinkList; }
    // Kind 12: what the list takes of the dragged items, and linking them with its element's record.
    int LinkListEffects();
    void LinkDroppedItems();
    void EndDrag();

    CDropPane& m_pane;
    DragProbe m_probe;
    dnd::AutoScroll m_scroll;
    dnd::DragData m_dragData = dnd::DragData::None;
    std::string m_format;
    bool m_rightButton = false;
};

// The dragged item set built from the clipboard for the root's tree, kept for the whole drag (so every
// move over an element does not read the clipboard again); null when the clipboard holds no items.
CItemSet* GetDraggedItems(CTreeNode& root);
void ReleaseDraggedItems();

// Makes a bookmark record (data file 24) for the address in the element's catalogue and folder: opened
// in the record window when one is installed, so the user completes it, else saved as it is and, with
// `linkTo`, linked with that element's record. False when the element has no catalogue or the record
// could not be made.
bool MakeBookmarkRecord(CTreeNode& node, const std::string& address, CTreeNode* linkTo = nullptr);

// Links the records of `items` with `element`, a record node, so that they are among its linked records:
// those of data file `kind` (every one for kind 0), of the element's own catalogue, and never the record
// with itself. The number linked.
int LinkItemsWith(CTreeNode& element, CItemSet& items, int kind);
