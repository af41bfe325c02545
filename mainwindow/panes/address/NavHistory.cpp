#include "mainwindow/panes/address/NavHistory.h"

#include "tree/base/TreeNode.h"

#include <algorithm>

void CNavHistory::Push(std::string_view text)
{
    if (m_entries[m_index] == text) {
        return;
    }
    if (m_index < kLimit) {
        ++m_index;
    } else {
        std::move(m_entries.begin() + 1, m_entries.end(), m_entries.begin());
    }
    m_entries[m_index] = text;
}

void CNavHistory::PushElement(const CTreeNode& element)
{
    Push(element.GetPathName());
}

bool CNavHistory::CanGoBack() const
{
    return m_index >= 2 && !m_entries[1].empty();
}

bool CNavHistory::CanGoForward() const
{
    return m_index < kLimit && !m_entries[m_index + 1].empty();
}

std::string CNavHistory::GoBack(int index)
{
    if (index == 0) {
        if (--m_index < 0) {
            m_index = 0;
            return {};
        }
    } else {
        m_index = std::clamp(index, 0, kLimit);
    }
    return m_entries[m_index];
}

std::string CNavHistory::GoForward(int index)
{
    const int target = index == 0 ? m_index + 1 : index;
    // Going to an entry that was never visited would leave a gap that the next visit fills behind.
    if (target > kLimit || target < 0 || m_entries[target].empty()) {
        return {};
    }
    m_index = target;
    return m_entries[m_index];
}

std::vector<NavMenuItem> CNavHistory::BackMenu() const
{
    std::vector<NavMenuItem> items;
    for (int i = m_index; i >= 1; --i) {
        if (!m_entries[i].empty()) {
            items.push_back({kFirstBackCommand + i, m_entries[i]});
        }
    }
    return items;
}

std::vector<NavMenuItem> CNavHistory::ForwardMenu() const
{
    std::vector<NavMenuItem> items;
    for (int i = m_index + 1; i <= kLimit && !m_entries[i].empty(); ++i) {
        items.push_back({kFirstForwardCommand + i, m_entries[i]});
    }
    return items;
}

int CNavHistory::BackIndexOfCommand(int id)
{
    return id >= kFirstBackCommand && id <= kFirstBackCommand + kLimit ? id - kFirstBackCommand : -1;
}

int CNavHistory::ForwardIndexOfCommand(int id)
{
    return id >= kFirstForwardCommand && id <= kFirstForwardCommand + kLimit ? id - kFirstForwardCommand : -1;
}

namespace {

// The names of a display path; a path ending in '/' has no empty last name.
std::vector<std::string> SplitDisplayPath(std::string_view text)
{
    std::vector<std::string> names;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find('/', start), text.size());
        if (end > start || end < text.size()) {
            names.emplace_back(text.substr(start, end - start));
        }
        start = end + 1;
    }
    return names;
}

CTreeNode* FindByNames(CTreeNode& root, const std::vector<std::string>& names)
{
    CTreeNode* node = &root;
    for (const std::string& name : names) {
        node->BuildChildren();
        CTreeNode* child = node->GetFirstChildNode();
        while (child != nullptr && !child->NameEquals(name)) {
            child = child->GetNextSiblingNode();
        }
        if (child == nullptr) {
            return nullptr;
        }
        node = child;
    }
    return node;
}

} // namespace

CTreeNode* FindNodeByDisplayPath(CTreeNode& root, std::string_view text)
{
    if (text.empty()) {
        return nullptr;
    }
    if (text.find(kPathSeparator) != std::string_view::npos) {
        return FindByNames(root, CTreeNode::SplitPath(text));
    }
    // A name may hold '/', so the names of a display path are tried as they stand first.
    if (CTreeNode* found = FindByNames(root, SplitDisplayPath(text)); found != nullptr) {
        return found;
    }
    return FindByNames(root, {std::string(text)});
}
