#include "store/markup/MarkupNode.h"

#include "platform/text/CaseFold.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <istream>

using platform::text::EqualsNoCase;

namespace {

constexpr std::string_view kSeparator = "\xC2\xA7"; // '§'
constexpr char kCrMarker = '\xFC';
constexpr char kLfMarker = '\xF6';
// A '~' inside a value is written as this byte (never part of UTF-8 text), because a bare '~' separates
// the values of an attribute; the reader turns it back into '~'.
constexpr char kTildeInValue = '\xFE';
constexpr std::string_view kNull = "NULL";

int g_generatedNames = 0;

bool IsNull(std::string_view value)
{
    return EqualsNoCase(value, kNull);
}

int LeadingInt(const std::string& text)
{
    return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
}

long LeadingLong(const std::string& text)
{
    return std::strtol(text.c_str(), nullptr, 10);
}

// An attribute name as it is kept: sanitised, with blanks as '_', because a blank ends a name in the
// text form. Names that differ only there are one attribute, as they would be after a reload.
std::string AttributeName(std::string_view name)
{
    std::string out(name);
    std::replace(out.begin(), out.end(), ' ', '_');
    return CMarkupNode::Sanitise(out);
}

// True when `name` is kept as it is given (the common case, checked without allocating).
bool IsPlainAttributeName(std::string_view name)
{
    if (name.empty() || static_cast<unsigned char>(name.back()) <= ' ') {
        return false;
    }
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= ' ' || c == '{' || c == '}' || u == 0xC2 || u >= 0xFC) {
            return false;
        }
    }
    return true;
}

void AppendValue(std::string& out, const std::string& value)
{
    for (char c : value) {
        out += c == '~' ? kTildeInValue : c;
    }
}

// Reads characters of the text form from a buffer.
struct BufferSource
{
    std::string_view text;
    size_t& position;
    // The next character, or -1 at the end of the text (a zero byte counts as the end).
    int Next()
    {
        if (position >= text.size() || text[position] == '\0') {
            return -1;
        }
        return static_cast<unsigned char>(text[position++]);
    }
};

// Reads characters of the text form from a stream (its end or a byte 0xFF ends it).
struct StreamSource
{
    std::istream& stream;
    int Next()
    {
        const int c = stream.get();
        if (c == std::char_traits<char>::eof() || c == 0xFF) {
            return -1;
        }
        return c;
    }
};

} // namespace

// ---- CMarkupString ---------------------------------------------------------------------------------

CMarkupString::CMarkupString(std::string name, std::string value0) : m_name(std::move(name))
{
    m_values[0] = std::move(value0);
}

bool CMarkupString::GetValue(int i, std::string& out) const
{
    if (i < 0 || i > 3 || m_values[static_cast<size_t>(i)].empty()) {
        out.clear();
        return false;
    }
    out = m_values[static_cast<size_t>(i)];
    return true;
}

bool CMarkupString::Equals(std::string_view text) const
{
    for (const auto& value : m_values) {
        if (value.empty()) {
            break;
        }
        if (EqualsNoCase(value, text)) {
            return true;
        }
    }
    return false;
}

// ---- construction ----------------------------------------------------------------------------------

CMarkupNode::CMarkupNode() = default;

CMarkupNode::CMarkupNode(std::string_view name, std::string_view type)
    : m_name(name.empty() ? std::string(" ") : Sanitise(name)),
      m_type(type.empty() ? std::string(" ") : Sanitise(type))
{
}

CMarkupNode::~CMarkupNode()
{
    if (m_parent != nullptr) {
        m_parent->Unlink(this);
    }
    while (m_firstChild != nullptr) {
        CMarkupNode* child = m_firstChild;
        Unlink(child);
        delete child;
    }
}

std::string CMarkupNode::Sanitise(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '{' || c == '}' || c == '\0' || c == '\xFF' || c == kTildeInValue) {
            out += ' ';
        } else if (c == '\r') {
            out += kCrMarker;
        } else if (c == '\n') {
            out += kLfMarker;
        } else if (text.substr(i, kSeparator.size()) == kSeparator) {
            out += ' ';
            i += kSeparator.size() - 1;
        } else {
            out += c;
        }
    }
    const bool wasBlank = !out.empty() && out.find_first_not_of(' ') == std::string::npos;
    while (!out.empty() && static_cast<unsigned char>(out.back()) <= ' ') {
        out.pop_back();
    }
    // A text of blanks only is kept as one blank, so it never turns into "no value".
    return (out.empty() && wasBlank) ? std::string(" ") : out;
}

std::unique_ptr<CMarkupNode> CMarkupNode::CopyFrom(const CMarkupNode& source)
{
    auto copy = std::make_unique<CMarkupNode>();
    copy->m_name = source.m_name;
    copy->m_type = source.m_type;
    for (const auto& attribute : source.m_attributes) {
        copy->m_attributes.push_back(std::make_unique<CMarkupString>(*attribute));
    }
    return copy;
}

std::unique_ptr<CMarkupNode> CMarkupNode::CopyTree(const CMarkupNode* source)
{
    if (source == nullptr) {
        return std::make_unique<CMarkupNode>();
    }
    auto copy = CopyFrom(*source);
    for (const CMarkupNode* child = source->m_firstChild; child != nullptr; child = child->m_nextSibling) {
        copy->AddChild(CopyTree(child));
    }
    return copy;
}

void CMarkupNode::ClearAttributes()
{
    m_attributes.clear();
    m_attributeCursor = 0;
}

// ---- structure -------------------------------------------------------------------------------------

void CMarkupNode::Unlink(CMarkupNode* child)
{
    if (child->m_prevSibling != nullptr) {
        child->m_prevSibling->m_nextSibling = child->m_nextSibling;
    } else {
        m_firstChild = child->m_nextSibling;
    }
    if (child->m_nextSibling != nullptr) {
        child->m_nextSibling->m_prevSibling = child->m_prevSibling;
    } else {
        m_lastChild = child->m_prevSibling;
    }
    // Cursors must not keep pointing at a node that left this list.
    if (m_childCursor == child) {
        m_childCursor = child->m_prevSibling;
        m_childCursorSet = m_childCursor != nullptr;
    }
    child->m_parent = nullptr;
    child->m_nextSibling = nullptr;
    child->m_prevSibling = nullptr;
}

void CMarkupNode::LinkBefore(CMarkupNode* child, CMarkupNode* reference)
{
    child->m_parent = this;
    if (reference == nullptr) {
        child->m_prevSibling = m_lastChild;
        child->m_nextSibling = nullptr;
        if (m_lastChild != nullptr) {
            m_lastChild->m_nextSibling = child;
        } else {
            m_firstChild = child;
        }
        m_lastChild = child;
        return;
    }
    child->m_nextSibling = reference;
    child->m_prevSibling = reference->m_prevSibling;
    if (reference->m_prevSibling != nullptr) {
        reference->m_prevSibling->m_nextSibling = child;
    } else {
        m_firstChild = child;
    }
    reference->m_prevSibling = child;
}

CMarkupNode* CMarkupNode::AddChild(std::unique_ptr<CMarkupNode> node)
{
    return InsertChildBefore(std::move(node), nullptr);
}

CMarkupNode* CMarkupNode::InsertChildBefore(std::unique_ptr<CMarkupNode> node, CMarkupNode* reference)
{
    if (!node) {
        return nullptr;
    }
    CMarkupNode* raw = node.release();
    if (raw->m_parent != nullptr) {
        raw->m_parent->Unlink(raw);
    }
    if (reference != nullptr && reference->m_parent != this) {
        reference = nullptr;
    }
    LinkBefore(raw, reference);
    return raw;
}

CMarkupNode* CMarkupNode::CreateChildCopy(const CMarkupNode& source)
{
    return AddChild(CopyTree(&source));
}

std::unique_ptr<CMarkupNode> CMarkupNode::DetachChild(CMarkupNode* node)
{
    if (node == nullptr || node == this) {
        return nullptr;
    }
    for (CMarkupNode* ancestor = node->m_parent; ancestor != nullptr; ancestor = ancestor->m_parent) {
        if (ancestor == this) {
            node->m_parent->Unlink(node);
            return std::unique_ptr<CMarkupNode>(node);
        }
    }
    return nullptr;
}

std::vector<std::unique_ptr<CMarkupNode>>
CMarkupNode::DetachDescendantsIf(const std::function<bool(const CMarkupNode&)>& matches)
{
    std::vector<CMarkupNode*> found;
    CMarkupNode* node = m_firstChild;
    while (node != nullptr) {
        if (!matches(*node)) {
            node = NextInWalk(node, true);
            continue;
        }
        found.push_back(node);
        // On past the match's subtree: the next sibling of it or of its nearest ancestor below this node.
        CMarkupNode* from = node;
        node = nullptr;
        for (; from != nullptr && from != this; from = from->m_parent) {
            if (from->m_nextSibling != nullptr) {
                node = from->m_nextSibling;
                break;
            }
        }
    }
    std::vector<std::unique_ptr<CMarkupNode>> detached;
    detached.reserve(found.size());
    for (CMarkupNode* match : found) {
        match->m_parent->Unlink(match);
        detached.emplace_back(match);
    }
    return detached;
}

std::vector<std::unique_ptr<CMarkupNode>> CMarkupNode::DetachAllChildren()
{
    std::vector<std::unique_ptr<CMarkupNode>> children;
    while (m_firstChild != nullptr) {
        CMarkupNode* child = m_firstChild;
        Unlink(child);
        children.emplace_back(child);
    }
    m_childCursor = nullptr;
    m_childCursorSet = false;
    return children;
}

void CMarkupNode::SwapChildren(CMarkupNode* a, CMarkupNode* b)
{
    if (a == nullptr || b == nullptr || a == b || a->m_parent != this || b->m_parent != this) {
        return;
    }
    CMarkupNode* afterB = b->m_nextSibling;
    if (afterB == a) { // b stands just before a
        Unlink(a);
        LinkBefore(a, b);
        return;
    }
    Unlink(b);
    LinkBefore(b, a);
    Unlink(a);
    LinkBefore(a, afterB);
}

void CMarkupNode::SortChildren(std::string_view attributeA, std::string_view attributeB)
{
    std::vector<std::unique_ptr<CMarkupNode>> children = DetachAllChildren();
    auto key = [&](const std::unique_ptr<CMarkupNode>& node) {
        return static_cast<long long>(node->GetAttributeInt(attributeA)) * 1000 +
               node->GetAttributeInt(attributeB);
    };
    std::stable_sort(children.begin(), children.end(),
                     [&](const auto& x, const auto& y) { return key(x) < key(y); });
    for (auto& child : children) {
        AddChild(std::move(child));
    }
}

CMarkupNode* CMarkupNode::FirstChild()
{
    m_childCursor = m_firstChild;
    m_childCursorSet = true;
    return m_childCursor;
}

CMarkupNode* CMarkupNode::NextChild()
{
    if (!m_childCursorSet) {
        return FirstChild();
    }
    if (m_childCursor != nullptr) {
        m_childCursor = m_childCursor->m_nextSibling;
    }
    return m_childCursor;
}

CMarkupNode* CMarkupNode::FirstSibling()
{
    return m_parent != nullptr ? m_parent->m_firstChild : this;
}

CMarkupNode* CMarkupNode::GetRoot()
{
    CMarkupNode* node = this;
    while (node->m_parent != nullptr) {
        node = node->m_parent;
    }
    return node;
}

int CMarkupNode::GetDepth() const
{
    int depth = 0;
    for (const CMarkupNode* node = m_parent; node != nullptr; node = node->m_parent) {
        ++depth;
    }
    return depth;
}

size_t CMarkupNode::ChildCount() const
{
    size_t count = 0;
    for (const CMarkupNode* child = m_firstChild; child != nullptr; child = child->m_nextSibling) {
        ++count;
    }
    return count;
}

CMarkupNode* CMarkupNode::BeginWalk()
{
    m_walkCursor = m_firstChild;
    return m_walkCursor;
}

CMarkupNode* CMarkupNode::NextWalk()
{
    if (m_walkCursor != nullptr) {
        m_walkCursor = NextInWalk(m_walkCursor, true);
    }
    return m_walkCursor;
}

CMarkupNode* CMarkupNode::NextInWalk(CMarkupNode* from, bool descend)
{
    if (from == nullptr) {
        return nullptr;
    }
    if (descend && from->m_firstChild != nullptr) {
        return from->m_firstChild;
    }
    if (from == this) {
        return nullptr;
    }
    if (!descend) {
        return from->m_nextSibling;
    }
    for (CMarkupNode* node = from; node != nullptr && node != this; node = node->m_parent) {
        if (node->m_nextSibling != nullptr) {
            return node->m_nextSibling;
        }
    }
    return nullptr;
}

// ---- searches --------------------------------------------------------------------------------------

CMarkupNode* CMarkupNode::FindChildByName(std::string_view name)
{
    for (CMarkupNode* child = m_firstChild; child != nullptr; child = child->m_nextSibling) {
        if (EqualsNoCase(child->m_name, name)) {
            return child;
        }
    }
    return nullptr;
}

CMarkupNode* CMarkupNode::FindChildByType(std::string_view type)
{
    for (CMarkupNode* child = m_firstChild; child != nullptr; child = child->m_nextSibling) {
        if (EqualsNoCase(child->m_type, type)) {
            return child;
        }
    }
    return nullptr;
}

CMarkupNode* CMarkupNode::FindNextMatching(CMarkupNode*& cursor, bool descend, const auto& matches)
{
    while (cursor != nullptr && !matches(*cursor)) {
        cursor = NextInWalk(cursor, descend);
    }
    return cursor;
}

CMarkupNode* CMarkupNode::FindFirstByName(std::string_view name, bool descend)
{
    m_nameSearch = m_firstChild;
    return FindNextMatching(m_nameSearch, descend,
                            [&](const CMarkupNode& node) { return EqualsNoCase(node.m_name, name); });
}

CMarkupNode* CMarkupNode::FindNextByName(std::string_view name, bool descend)
{
    m_nameSearch = NextInWalk(m_nameSearch, descend);
    return FindNextMatching(m_nameSearch, descend,
                            [&](const CMarkupNode& node) { return EqualsNoCase(node.m_name, name); });
}

CMarkupNode* CMarkupNode::FindFirstByType(std::string_view type, bool descend)
{
    m_typeSearch = m_firstChild;
    return FindNextMatching(m_typeSearch, descend,
                            [&](const CMarkupNode& node) { return EqualsNoCase(node.m_type, type); });
}

CMarkupNode* CMarkupNode::FindNextByType(std::string_view type, bool descend)
{
    m_typeSearch = NextInWalk(m_typeSearch, descend);
    return FindNextMatching(m_typeSearch, descend,
                            [&](const CMarkupNode& node) { return EqualsNoCase(node.m_type, type); });
}

CMarkupNode* CMarkupNode::FindFirstByAttribute(std::string_view attribute, std::string_view value)
{
    m_attributeSearch = m_firstChild;
    return FindNextMatching(m_attributeSearch, true, [&](const CMarkupNode& node) {
        std::string text;
        return node.GetAttribute(attribute, text) && EqualsNoCase(text, value);
    });
}

CMarkupNode* CMarkupNode::FindNextByAttribute(std::string_view attribute, std::string_view value)
{
    m_attributeSearch = NextInWalk(m_attributeSearch, true);
    return FindNextMatching(m_attributeSearch, true, [&](const CMarkupNode& node) {
        std::string text;
        return node.GetAttribute(attribute, text) && EqualsNoCase(text, value);
    });
}

CMarkupNode* CMarkupNode::FindTrueAttributeBelow(std::string_view attribute)
{
    return FindNodeWithAttributeValue(attribute, "TRUE");
}

CMarkupNode* CMarkupNode::FindNodeWithAttributeValue(std::string_view attribute, std::string_view value)
{
    if (AttributeEquals(attribute, value)) {
        return this;
    }
    for (CMarkupNode* node = m_firstChild; node != nullptr; node = NextInWalk(node, true)) {
        if (node->AttributeEquals(attribute, value)) {
            return node;
        }
    }
    return nullptr;
}

bool CMarkupNode::AttributeEquals(std::string_view attribute, std::string_view value) const
{
    const CMarkupString* found = FindAttribute(attribute);
    return found != nullptr && found->Equals(value);
}

bool CMarkupNode::NameEquals(std::string_view text) const
{
    return EqualsNoCase(m_name, text);
}

int CMarkupNode::CountChildrenOf(std::string_view type)
{
    CMarkupNode* first = FindChildByType(type);
    if (first == nullptr) {
        return 0;
    }
    int count = 0;
    for (CMarkupNode* node = first->m_firstChild; node != nullptr; node = first->NextInWalk(node, true)) {
        ++count;
    }
    return count;
}

namespace {

std::vector<std::string_view> SplitPath(std::string_view path)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (start <= path.size()) {
        const size_t slash = path.find('/', start);
        const size_t end = slash == std::string_view::npos ? path.size() : slash;
        if (end > start) {
            parts.push_back(path.substr(start, end - start));
        }
        if (slash == std::string_view::npos) {
            break;
        }
        start = slash + 1;
    }
    return parts;
}

// First node named `name` anywhere below `top` (not `top` itself).
CMarkupNode* FindBelow(CMarkupNode* top, std::string_view name)
{
    for (CMarkupNode* node = top->GetFirstChild(); node != nullptr; node = top->NextInWalk(node, true)) {
        if (EqualsNoCase(node->GetName(), name)) {
            return node;
        }
    }
    return nullptr;
}

} // namespace

CMarkupNode* CMarkupNode::FindByPath(std::string_view path)
{
    CMarkupNode* node = GetRoot();
    for (std::string_view part : SplitPath(path)) {
        node = FindBelow(node, part);
        if (node == nullptr) {
            return nullptr;
        }
    }
    return node;
}

CMarkupNode* CMarkupNode::FindByRelativePath(std::string_view path)
{
    CMarkupNode* node = this;
    for (std::string_view part : SplitPath(path)) {
        node = node->FindChildByName(part);
        if (node == nullptr) {
            return nullptr;
        }
    }
    return node;
}

CMarkupNode* CMarkupNode::FindByPathPrefix(std::string_view path)
{
    CMarkupNode* root = GetRoot();
    const size_t slash = path.find('/');
    if (slash == std::string_view::npos) {
        return root;
    }
    return FindBelow(root, path.substr(0, slash));
}

std::string CMarkupNode::GetPathName() const
{
    std::vector<const CMarkupNode*> chain;
    for (const CMarkupNode* node = this; node->m_parent != nullptr; node = node->m_parent) {
        chain.push_back(node);
    }
    std::string path;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (!path.empty()) {
            path += '/';
        }
        path += (*it)->m_name;
    }
    return path;
}

// ---- attributes ------------------------------------------------------------------------------------

CMarkupString* CMarkupNode::FindAttribute(std::string_view name)
{
    return const_cast<CMarkupString*>(static_cast<const CMarkupNode*>(this)->FindAttribute(name));
}

const CMarkupString* CMarkupNode::FindAttribute(std::string_view name) const
{
    std::string kept;
    if (!IsPlainAttributeName(name)) {
        kept = AttributeName(name);
        name = kept;
    }
    for (const auto& attribute : m_attributes) {
        if (EqualsNoCase(attribute->m_name, name)) {
            return attribute.get();
        }
    }
    return nullptr;
}

bool CMarkupNode::RemoveAttribute(std::string_view name)
{
    const CMarkupString* found = FindAttribute(name);
    for (auto it = m_attributes.begin(); it != m_attributes.end(); ++it) {
        if (it->get() == found) {
            const size_t index = static_cast<size_t>(it - m_attributes.begin());
            m_attributes.erase(it);
            if (m_attributeCursor > index) {
                --m_attributeCursor;
            }
            return true;
        }
    }
    return false;
}

void CMarkupNode::RemoveAttributeEverywhere(std::string_view name)
{
    RemoveAttribute(name);
    for (CMarkupNode* node = m_firstChild; node != nullptr; node = NextInWalk(node, true)) {
        node->RemoveAttribute(name);
    }
}

CMarkupString* CMarkupNode::SetValue0(std::string_view name, std::string_view text)
{
    std::string value = Sanitise(text);
    if (value.empty()) {
        value = kNull;
    }
    CMarkupString* attribute = FindAttribute(name);
    if (attribute == nullptr) {
        m_attributes.push_back(std::make_unique<CMarkupString>(AttributeName(name), std::move(value)));
        return m_attributes.back().get();
    }
    attribute->m_values[0] = std::move(value);
    if (EqualsNoCase(name, "Name")) {
        m_name = attribute->m_values[0];
    } else if (EqualsNoCase(name, "Type")) {
        m_type = attribute->m_values[0];
    }
    return attribute;
}

CMarkupString* CMarkupNode::SetAttribute(std::string_view name, std::string_view text)
{
    CMarkupString* attribute = FindAttribute(name);
    if (attribute == nullptr || text.find('~') == std::string_view::npos) {
        return SetValue0(name, text);
    }
    size_t start = 0;
    for (size_t i = 0; i < 4; ++i) {
        const size_t tilde = text.find('~', start);
        if (tilde == std::string_view::npos) {
            if (start < text.size()) {
                attribute->m_values[i] = Sanitise(text.substr(start));
            }
            break;
        }
        attribute->m_values[i] = Sanitise(text.substr(start, tilde - start));
        start = tilde + 1;
    }
    if (attribute->m_values[0].empty()) {
        attribute->m_values[0] = kNull;
    }
    if (EqualsNoCase(name, "Name")) {
        m_name = attribute->m_values[0];
    } else if (EqualsNoCase(name, "Type")) {
        m_type = attribute->m_values[0];
    }
    return attribute;
}

bool CMarkupNode::SetAttributeValueAt(std::string_view name, long number, int i)
{
    CMarkupString* attribute = FindAttribute(name);
    if (attribute == nullptr || i < 0 || i > 3) {
        return false;
    }
    attribute->m_values[static_cast<size_t>(i)] = std::to_string(number);
    return true;
}

CMarkupString* CMarkupNode::SetAttributeInt(std::string_view name, int number)
{
    return SetAttribute(name, std::to_string(number));
}

CMarkupString* CMarkupNode::SetAttributeLong(std::string_view name, long number)
{
    return SetAttribute(name, std::to_string(number));
}

CMarkupString* CMarkupNode::SetAttributeUInt(std::string_view name, unsigned long number)
{
    // Written as the signed number of the same bits, as the stored trees have it.
    return SetAttribute(name, std::to_string(static_cast<long>(number)));
}

CMarkupString* CMarkupNode::SetAttributeDouble(std::string_view name, double number)
{
    // Ten decimals and a point whatever the locale, as the stored trees have them.
    char text[400];
    const auto written = std::to_chars(text, text + sizeof text, number, std::chars_format::fixed, 10);
    return SetAttribute(name, std::string_view(text, static_cast<size_t>(written.ptr - text)));
}

bool CMarkupNode::GetAttribute(std::string_view name, std::string& out) const
{
    out.clear();
    const CMarkupString* attribute = FindAttribute(name);
    if (attribute == nullptr || IsNull(attribute->m_values[0])) {
        return false;
    }
    const std::string& value = attribute->m_values[0];
    if (!value.empty() && static_cast<unsigned char>(value[0]) < 20) {
        return true;
    }
    out = value;
    return true;
}

std::string CMarkupNode::GetAttribute(std::string_view name) const
{
    std::string out;
    GetAttribute(name, out);
    return out;
}

bool CMarkupNode::GetField(std::string_view name, std::string& out, int i) const
{
    if (EqualsNoCase(name, "Name")) {
        out = m_name;
        return true;
    }
    if (EqualsNoCase(name, "Type")) {
        out = m_type;
        return true;
    }
    out.clear();
    const CMarkupString* attribute = FindAttribute(name);
    if (attribute == nullptr || i < 0 || i > 3) {
        return false;
    }
    const std::string& value = attribute->m_values[static_cast<size_t>(i)];
    if (value.empty() || IsNull(value)) {
        return false;
    }
    out = value;
    return true;
}

int CMarkupNode::GetAttributeInt(std::string_view name) const
{
    std::string value;
    return GetAttribute(name, value) ? LeadingInt(value) : 0;
}

long CMarkupNode::GetAttributeLong(std::string_view name) const
{
    std::string value;
    return GetAttribute(name, value) ? LeadingLong(value) : 0;
}

bool CMarkupNode::GetAttributeBool(std::string_view name) const
{
    std::string value;
    if (!GetAttribute(name, value)) {
        return false;
    }
    return !(EqualsNoCase(value, "FALSE") || EqualsNoCase(value, "F"));
}

bool CMarkupNode::FirstAttribute(std::string& name, std::string& value)
{
    m_attributeCursor = 0;
    return NextAttribute(name, value);
}

bool CMarkupNode::NextAttribute(std::string& name, std::string& value)
{
    if (m_attributeCursor >= m_attributes.size()) {
        return false;
    }
    const CMarkupString& attribute = *m_attributes[m_attributeCursor++];
    name = attribute.m_name;
    value = attribute.m_values[0];
    return true;
}

void CMarkupNode::SetName(std::string_view name)
{
    if (name.empty()) {
        m_name = "tmpNm" + std::to_string(++g_generatedNames);
    } else {
        m_name = Sanitise(name);
    }
}

void CMarkupNode::SetType(std::string_view type)
{
    m_type = type.empty() ? std::string(" ") : Sanitise(type);
}

// ---- fonts -----------------------------------------------------------------------------------------

void CMarkupNode::GetLogFont(LogFont& font, int screenDpiY) const
{
    font.height = GetAttributeInt("Height");
    if (const int dim = GetAttributeInt("fontDim"); dim != 0) {
        int points = 12;
        switch (dim) {
        case 1:
            points = 8;
            break;
        case 2:
            points = 10;
            break;
        case 3:
            points = 12;
            break;
        case 4:
            points = 14;
            break;
        case 5:
            points = 19;
            break;
        case 6:
            points = 24;
            break;
        default:
            points = 12;
        }
        font.height = -(points * screenDpiY) / 72;
    }
    font.width = 0;
    font.escapement = GetAttributeInt("Escapment");
    font.orientation = GetAttributeInt("Orientation");
    font.weight = GetAttributeInt("Weight");
    if (font.weight < 401 && GetAttributeInt("bold") != 0) {
        font.weight = 700;
    }
    font.italic = GetAttributeInt("Italic");
    font.underline = GetAttributeInt("Underline");
    font.strikeOut = GetAttributeInt("StrikeOut");
    if (GetAttributeInt("Strikethrough") != 0) {
        font.strikeOut = 1;
    }
    font.charSet = GetAttributeInt("CharSet");
    font.outPrecision = GetAttributeInt("OutPrecision");
    font.clipPrecision = GetAttributeInt("ClipPrecision");
    font.quality = GetAttributeInt("Quality");
    font.pitchAndFamily = GetAttributeInt("Pitch");
    font.faceName = GetAttribute("face").substr(0, 32);
}

void CMarkupNode::SetLogFont(const LogFont& font)
{
    SetAttributeLong("Height", font.height);
    SetAttributeLong("Width", font.width);
    SetAttributeLong("Escapment", font.escapement);
    SetAttributeLong("Orientation", font.orientation);
    SetAttribute("bold", font.weight < 401 ? "0" : "1");
    SetAttributeLong("Weight", font.weight);
    SetAttributeInt("Italic", font.italic);
    SetAttributeInt("Underline", font.underline);
    SetAttributeInt("StrikeOut", font.strikeOut);
    SetAttributeInt("CharSet", font.charSet);
    SetAttributeInt("OutPrecision", font.outPrecision);
    SetAttributeInt("ClipPrecision", font.clipPrecision);
    SetAttributeInt("Quality", font.quality);
    SetAttributeInt("Pitch", font.pitchAndFamily);
    SetAttribute("face", font.faceName);
}

void CMarkupNode::SetDefaultFont(int screenDpiY)
{
    SetAttributeLong("Height", (screenDpiY * -10) / 72);
    SetAttributeInt("Width", 0);
    SetAttributeInt("Escapment", 0);
    SetAttributeInt("Orientation", 0);
    SetAttributeInt("Weight", 400);
    for (const char* name : {"Italic", "Underline", "StrikeOut", "CharSet", "OutPrecision", "ClipPrecision",
                             "Quality", "Pitch"}) {
        SetAttributeInt(name, 0);
    }
    SetAttribute("face", "Times New Roman");
    SetAttribute("bold", "0");
}

// ---- writer ----------------------------------------------------------------------------------------

void CMarkupNode::WriteNode(std::string& out, bool indent, bool firstIndent, int depth) const
{
    if (indent || firstIndent) {
        out += '\n';
        out.append(static_cast<size_t>(depth) * 3, ' ');
    }
    out += "{Name";
    out += kSeparator;
    out += m_name;
    out += " Type";
    out += kSeparator;
    out += m_type;
    for (const auto& attribute : m_attributes) {
        if (attribute->m_name.empty() || EqualsNoCase(attribute->m_name, "Name") ||
            EqualsNoCase(attribute->m_name, "Type")) {
            continue; // could not be read back as an attribute: the Name and Type are written above
        }
        out += ' ';
        out += attribute->m_name;
        out += kSeparator;
        AppendValue(out, attribute->m_values[0]);
        size_t last = 0;
        for (size_t i = 1; i < 4; ++i) {
            if (!attribute->m_values[i].empty()) {
                last = i;
            }
        }
        for (size_t i = 1; i <= last; ++i) {
            out += '~';
            AppendValue(out, attribute->m_values[i]);
        }
    }
    for (const CMarkupNode* child = m_firstChild; child != nullptr; child = child->m_nextSibling) {
        child->WriteNode(out, indent, false, depth + 1);
    }
    out += '}';
}

void CMarkupNode::WriteTextToBuffer(std::string& buffer, bool withSiblings, bool indent) const
{
    const int depth = GetDepth();
    WriteNode(buffer, false, indent, depth);
    if (withSiblings) {
        for (const CMarkupNode* node = m_nextSibling; node != nullptr; node = node->m_nextSibling) {
            node->WriteNode(buffer, false, false, depth);
        }
    }
}

void CMarkupNode::SaveToBuffer(std::string& buffer) const
{
    WriteTextToBuffer(buffer, true, false);
}

bool CMarkupNode::SaveToFile(const std::filesystem::path& path) const
{
    std::string text;
    const int depth = GetDepth();
    for (const CMarkupNode* node = this; node != nullptr; node = node->m_nextSibling) {
        node->WriteNode(text, true, true, depth);
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(out.flush());
}

// ---- reader ----------------------------------------------------------------------------------------

template <typename Source>
int CMarkupNode::ParseContent(Source& source, int flag, int depth)
{
    std::string ownText;
    for (;;) {
        const int c = source.Next();
        if (c < 0) {
            return -1;
        }
        if (c == '\n') {
            continue;
        }
        if (c == '{') {
            if (depth >= kMaxReadDepth) {
                return -1;
            }
            auto child = std::make_unique<CMarkupNode>();
            CMarkupNode* raw = AddChild(std::move(child));
            if (raw->ParseContent(source, flag, depth + 1) < 0) {
                return -1;
            }
            continue;
        }
        if (c == '}') {
            ParseOwnText(ownText);
            return 1;
        }
        ownText += static_cast<char>(c);
    }
}

void CMarkupNode::ParseOwnText(std::string_view text)
{
    size_t start = 0;
    while (start < text.size()) {
        // A token runs to the last blank before the second separator that follows its start, so a value
        // may hold blanks and a name may not.
        const size_t first = text.find(kSeparator, start);
        const size_t second =
            first == std::string_view::npos ? first : text.find(kSeparator, first + kSeparator.size());
        size_t end = text.size();
        if (second != std::string_view::npos) {
            const size_t blank = text.rfind(' ', second);
            if (blank != std::string_view::npos && blank >= start) {
                end = blank;
            } else {
                const size_t firstBlank = text.find(' ', start);
                end = firstBlank == std::string_view::npos ? text.size() : firstBlank;
            }
        }
        const std::string_view token = text.substr(start, end - start);
        start = end + 1;
        if (token.size() <= 1) {
            break;
        }
        const size_t separator = token.find(kSeparator);
        if (separator == std::string_view::npos) {
            continue;
        }
        const std::string name = Sanitise(token.substr(0, separator));
        std::string_view value = token.substr(separator + kSeparator.size());
        if (const size_t cr = value.find('\r'); cr != std::string_view::npos) {
            value = value.substr(0, cr);
        }
        if (EqualsNoCase(name, "Name")) {
            m_name = Sanitise(value);
            continue;
        }
        if (EqualsNoCase(name, "Type")) {
            m_type = Sanitise(value);
            continue;
        }
        std::vector<std::string> pieces;
        size_t pieceStart = 0;
        for (;;) {
            const size_t tilde = value.find('~', pieceStart);
            std::string piece(value.substr(pieceStart, tilde == std::string_view::npos
                                                           ? value.size() - pieceStart
                                                           : tilde - pieceStart));
            std::replace(piece.begin(), piece.end(), kTildeInValue, '~');
            pieces.push_back(std::move(piece));
            if (tilde == std::string_view::npos) {
                break;
            }
            pieceStart = tilde + 1;
        }
        size_t index = 0;
        std::string firstPiece = pieces[index];
        while (!firstPiece.empty() && static_cast<unsigned char>(firstPiece.back()) <= 31) {
            firstPiece.pop_back();
        }
        if (firstPiece.empty() && pieces.size() > 1) {
            firstPiece = pieces[++index];
        }
        if (firstPiece.empty() || name.empty()) {
            continue;
        }
        CMarkupString* attribute = SetValue0(name, firstPiece);
        for (size_t i = 1; i < 4 && index + i < pieces.size(); ++i) {
            attribute->m_values[i] = Sanitise(pieces[index + i]);
        }
    }
}

int CMarkupNode::ParseFromBuffer(std::string_view text, int flag, size_t& position)
{
    BufferSource source{text, position};
    return ParseContent(source, flag, GetDepth());
}

int CMarkupNode::ParseFromFile(std::istream& stream, int flag)
{
    StreamSource source{stream};
    return ParseContent(source, flag, GetDepth());
}

int CMarkupNode::LoadFromBuffer(std::string_view text)
{
    const size_t brace = text.find('{');
    if (brace == std::string_view::npos) {
        return -1;
    }
    size_t position = brace + 1;
    return ParseFromBuffer(text, 0, position);
}

int CMarkupNode::LoadFromFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return -1;
    }
    for (int c = in.get(); c != '{'; c = in.get()) {
        if (c == std::char_traits<char>::eof()) {
            return -1;
        }
    }
    return ParseFromFile(in, 0);
}
