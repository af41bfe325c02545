#include "mainwindow/frame/FrameState.h"

#include "mainwindow/frame/FramePanes.h"
#include "store/markup/MarkupNode.h"
#include "store/program/Settings.h"
#include "tree/base/TreeNode.h"

#include <memory>

namespace {

CTreeNode* ChildNamed(CTreeNode& parent, std::string_view name)
{
    parent.BuildChildren();
    for (CTreeNode* child = parent.GetFirstChildNode(); child != nullptr;
         child = child->GetNextSiblingNode()) {
        if (child->NameEquals(name)) {
            return child;
        }
    }
    return nullptr;
}

} // namespace

std::string BuildExpandedState(CTreeNode& root, size_t maxLength)
{
    auto state = std::make_unique<CMarkupNode>("Expanded", "");
    std::string text;
    state->SaveToBuffer(text);
    for (CTreeNode* node = root.GetFirstChildNode(); node != nullptr; node = NextTreeNode(node, &root)) {
        if (!node->GetAttributeBool("Expanded")) {
            continue;
        }
        auto entry = std::make_unique<CMarkupNode>("e", "");
        entry->SetAttribute("name1", node->GetPath());
        entry->SetAttribute("expanded", "TRUE");
        CMarkupNode* added = state->AddChild(std::move(entry));
        std::string candidate;
        state->SaveToBuffer(candidate);
        if (candidate.size() > maxLength) {
            state->DetachChild(added);
            continue;
        }
        text = std::move(candidate);
    }
    return text;
}

std::vector<std::string> ExpandedPaths(std::string_view text)
{
    std::vector<std::string> paths;
    CMarkupNode state;
    if (state.LoadFromBuffer(text) < 0) {
        return paths;
    }
    for (CMarkupNode* entry = state.GetFirstChild(); entry != nullptr; entry = entry->GetNextSibling()) {
        std::string path;
        if (entry->GetAttributeBool("Expanded") && entry->GetAttribute("name1", path) && !path.empty()) {
            paths.push_back(std::move(path));
        }
    }
    return paths;
}

CTreeNode* FindElementBySelectedPath(CTreeNode& root, std::string_view text)
{
    if (text.size() < 2 || text.find(kPathSeparator) == std::string_view::npos) {
        return nullptr;
    }
    std::vector<std::string> names = CTreeNode::SplitPath(text);
    // The first name is the root's own.
    if (names.size() < 2 || names[1].size() <= 1) {
        return &root;
    }
    CTreeNode* node = ChildNamed(root, names[1]);
    if (node == nullptr) {
        return nullptr;
    }
    // Below the catalogue the walk ends where a name is no longer found: the user comes back as near
    // to where they left as the catalogue still allows.
    for (size_t i = 2; i < names.size(); ++i) {
        CTreeNode* child = ChildNamed(*node, names[i]);
        if (child == nullptr) {
            break;
        }
        node = child;
    }
    return node;
}

CTreeNode* FindElementByNames(CTreeNode& root, std::string_view path, char separator)
{
    if (path.empty()) {
        return nullptr;
    }
    root.BuildChildren();
    for (CTreeNode* child = root.GetFirstChildNode(); child != nullptr; child = child->GetNextSiblingNode()) {
        const std::string& name = child->GetName();
        if (path.size() < name.size() || !child->NameEquals(path.substr(0, name.size()))) {
            continue;
        }
        if (path.size() == name.size()) {
            return child;
        }
        if (path[name.size()] == separator) {
            // A name may hold the separator itself: a shorter name that matched leads nowhere then,
            // and the search goes on with the next child.
            if (CTreeNode* found = FindElementByNames(*child, path.substr(name.size() + 1), separator)) {
                return found;
            }
        }
    }
    return nullptr;
}

void SaveTreeState(CTreeNode& root, CTreeNode* current)
{
    if (current != nullptr) {
        SetSettingString("Selected", current->GetFullPath());
    }
    SetSettingString("Expanded", BuildExpandedState(root));
}

CTreeNode* RestoreTreeState(CTreeNode& root, CFrameTreePane& tree)
{
    for (const std::string& path : ExpandedPaths(GetSettingString("Expanded"))) {
        tree.ExpandNodeByPath(path);
    }
    CTreeNode* selected = FindElementBySelectedPath(root, GetSettingString("Selected"));
    if (selected != nullptr && selected != &root) {
        // Its parent's item must exist before it can be selected.
        if (CTreeNode* parent = selected->GetParentNode(); parent != nullptr && parent != &root) {
            tree.ExpandNodeByPath(parent->GetPath());
        }
    }
    return selected;
}
