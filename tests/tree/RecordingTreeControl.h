#pragma once
// A tree control for the model's tests: it keeps its items (text, images, node, bold, button, parent)
// and writes every call it gets to a log, one line per call.

#include "tree/base/TreeNode.h"

#include <map>
#include <string>
#include <vector>

namespace lumarc::test {

class RecordingTreeControl : public CTreeControl, public CTreeNodeObserver
{
public:
    struct Item
    {
        TreeItemId parent = kNoTreeItem;
        std::string text;
        int image = 0;
        int selectedImage = 0;
        CTreeNode* node = nullptr;
        bool bold = false;
        bool hasButton = false;
        bool expanded = false;
    };

    RecordingTreeControl() { AddTreeNodeObserver(this); }
    ~RecordingTreeControl() override { RemoveTreeNodeObserver(this); }

    TreeItemId AppendItem(TreeItemId parent, const std::string& text, int image, int selectedImage,
                          CTreeNode* node, bool bold, bool hasButton) override
    {
        const TreeItemId id = ++m_last;
        items[id] = Item{parent, text, image, selectedImage, node, bold, hasButton, false};
        m_byNode[node] = id;
        log.push_back("append " + text + (bold ? " bold" : ""));
        return id;
    }
    TreeItemId ItemOf(const CTreeNode* node) const override
    {
        const auto found = m_byNode.find(node);
        return found != m_byNode.end() ? found->second : kNoTreeItem;
    }
    bool Expand(TreeItemId item) override
    {
        log.push_back("expand " + items[item].text);
        items[item].expanded = expandWorks;
        return expandWorks;
    }
    bool Collapse(TreeItemId item) override
    {
        log.push_back("collapse " + items[item].text);
        items[item].expanded = false;
        return true;
    }
    void SetItemImages(TreeItemId item, int image, int selectedImage) override
    {
        items[item].image = image;
        items[item].selectedImage = selectedImage;
        log.push_back("images " + items[item].text + " " + std::to_string(image));
    }
    void SelectItem(TreeItemId item) override
    {
        selected = item;
        log.push_back("select " + items[item].text);
    }
    void DeleteChildItems(TreeItemId item) override
    {
        log.push_back("delete children of " + items[item].text);
        DeleteBelow(item);
    }
    // Kinds map to index kind + 500, so a test tells them from run-time pictures.
    int ImageIndexOfKind(int kind) const override { return kind + 500; }
    bool IsTreePane() const override { return treePane; }
    int AddImage(const CCatalogueImage& /*picture*/) override
    {
        log.push_back("add image");
        return addedImages++;
    }
    void NodeDestroyed(const CTreeNode* node) override
    {
        if (const TreeItemId item = ItemOf(node); item != kNoTreeItem) {
            DeleteBelow(item);
            items.erase(item);
            m_byNode.erase(node);
        }
    }

    const Item& ItemFor(const CTreeNode* node) { return items.at(ItemOf(node)); }
    // The texts of the items directly under the item, in order.
    std::vector<std::string> ChildTexts(TreeItemId parent) const
    {
        std::vector<std::string> texts;
        for (const auto& [id, item] : items) {
            if (item.parent == parent) {
                texts.push_back(item.text);
            }
        }
        return texts;
    }

    std::map<TreeItemId, Item> items;
    std::vector<std::string> log;
    TreeItemId selected = kNoTreeItem;
    bool treePane = true;
    bool expandWorks = true;
    // Pictures added at run time follow the stock ones in the image list.
    int addedImages = 60;

private:
    void DeleteBelow(TreeItemId item)
    {
        std::vector<TreeItemId> below;
        for (const auto& [id, child] : items) {
            if (child.parent == item) {
                below.push_back(id);
            }
        }
        for (TreeItemId id : below) {
            DeleteBelow(id);
            m_byNode.erase(items[id].node);
            items.erase(id);
        }
    }

    TreeItemId m_last = kNoTreeItem;
    std::map<const CTreeNode*, TreeItemId> m_byNode;
};

} // namespace lumarc::test
