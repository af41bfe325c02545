#pragma once
// CMarkupNode: the program's general tree of named, typed nodes with attributes, and its brace-nested
// text format. Catalogue structures, forms, page formats, templates, the shopping cart and the pane
// state are all kept in such trees; the catalogue tree-node family derives from CMarkupNode.
//
// Text format: each node is "{Name§<name> Type§<type> <attr>§<v0>~<v1>~<v2>~<v3>" followed by its
// children and "}". Stored texts are sanitised so the text stays well nested: '{', '}' and '§' become
// blanks, carriage return and line feed become the marker bytes 0xFC and 0xF6, trailing blanks and
// control characters are cut. A '~' inside a value is written as the byte 0xFE, since a bare '~'
// separates values. A tree written by the writer reads back into an equal tree.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CMarkupNode;

// One attribute of a node: a name with up to four values. An empty value i means "no value i".
class CMarkupString
{
public:
    CMarkupString(std::string name, std::string value0);

    const std::string& GetName() const { return m_name; }
    // Value i (0 to 3); false when it is empty.
    bool GetValue(int i, std::string& out) const;
    const std::string& Value(int i) const { return m_values.at(static_cast<size_t>(i)); }
    // True when one of the values, from value 0 up to the first empty one, equals the text (any case).
    bool Equals(std::string_view text) const;

private:
    friend class CMarkupNode;
    std::string m_name;
    std::array<std::string, 4> m_values;
};

// The screen-independent description of a font kept in a node's attributes.
struct LogFont
{
    long height = 0;
    long width = 0;
    long escapement = 0;
    long orientation = 0;
    long weight = 0;
    int italic = 0;
    int underline = 0;
    int strikeOut = 0;
    int charSet = 0;
    int outPrecision = 0;
    int clipPrecision = 0;
    int quality = 0;
    int pitchAndFamily = 0;
    std::string faceName;
};

class CMarkupNode
{
public:
    CMarkupNode();
    // Copies both texts; an empty text is stored as one blank.
    CMarkupNode(std::string_view name, std::string_view type);
    // Deletes every child (through its virtual destructor). The node is detached from its parent first.
    virtual ~CMarkupNode();

    CMarkupNode(const CMarkupNode&) = delete;
    CMarkupNode& operator=(const CMarkupNode&) = delete;

    // Reads one node's content after its opening brace: 1 after the closing brace, -1 when the text ends
    // first (the nodes read so far stay attached). `position` is the index in `text` and is advanced.
    virtual int ParseFromBuffer(std::string_view text, int flag, size_t& position);
    // The same from a stream; its end, or a byte 0xFF, ends the text.
    virtual int ParseFromFile(std::istream& stream, int flag);

    // A new node with the source's Name, Type and attributes, without children.
    static std::unique_ptr<CMarkupNode> CopyFrom(const CMarkupNode& source);
    // The same with a copy of every child, recursively; a null source gives empty Name and Type.
    static std::unique_ptr<CMarkupNode> CopyTree(const CMarkupNode* source);
    void ClearAttributes();

    // ---- structure -------------------------------------------------------------------------------
    // Takes ownership, detaching the node from wherever it hung, and appends it as the last child.
    CMarkupNode* AddChild(std::unique_ptr<CMarkupNode> node);
    // Links the node just before `reference`; a null reference or one that is not a child appends.
    CMarkupNode* InsertChildBefore(std::unique_ptr<CMarkupNode> node, CMarkupNode* reference);
    // Appends a copy of the source's whole tree and returns it.
    CMarkupNode* CreateChildCopy(const CMarkupNode& source);
    // Unlinks `node` from its parent when it lies anywhere below this node and hands it to the caller;
    // null when it was not found.
    std::unique_ptr<CMarkupNode> DetachChild(CMarkupNode* node);
    // Unlinks every child and hands them to the caller in order.
    std::vector<std::unique_ptr<CMarkupNode>> DetachAllChildren();
    // Unlinks every node below this one that matches and hands them to the caller in walk order. A match
    // takes its subtree along, so nothing inside it is tested or handed out on its own.
    std::vector<std::unique_ptr<CMarkupNode>>
    DetachDescendantsIf(const std::function<bool(const CMarkupNode&)>& matches);
    void SwapChildren(CMarkupNode* a, CMarkupNode* b);
    // Stable sort of the children, ascending by GetAttributeInt(a) * 1000 + GetAttributeInt(b).
    void SortChildren(std::string_view attributeA, std::string_view attributeB);

    CMarkupNode* FirstChild();
    CMarkupNode* NextChild();
    CMarkupNode* LastChild() const { return m_lastChild; }
    CMarkupNode* FirstSibling();
    CMarkupNode* GetRoot();
    int GetDepth() const;
    CMarkupNode* GetNextSibling() const { return m_nextSibling; }
    CMarkupNode* GetPrevSibling() const { return m_prevSibling; }
    CMarkupNode* GetParent() const { return m_parent; }
    CMarkupNode* GetFirstChild() const { return m_firstChild; }
    bool HasChildren() const { return m_firstChild != nullptr; }
    size_t ChildCount() const;

    // Depth-first, pre-order walk of the subtree, without the node itself; null at the end.
    CMarkupNode* BeginWalk();
    CMarkupNode* NextWalk();
    // One step of that walk from `from`, bounded by this node; with descend false only to a sibling.
    CMarkupNode* NextInWalk(CMarkupNode* from, bool descend);

    // ---- searches (names and values compare without regard to case) -------------------------------
    CMarkupNode* FindChildByName(std::string_view name);
    CMarkupNode* FindChildByType(std::string_view type);
    CMarkupNode* FindFirstByName(std::string_view name, bool descend = true);
    CMarkupNode* FindNextByName(std::string_view name, bool descend = true);
    CMarkupNode* FindFirstByType(std::string_view type, bool descend = true);
    CMarkupNode* FindNextByType(std::string_view type, bool descend = true);
    CMarkupNode* FindFirstByAttribute(std::string_view attribute, std::string_view value);
    CMarkupNode* FindNextByAttribute(std::string_view attribute, std::string_view value);
    CMarkupNode* FindTrueAttributeBelow(std::string_view attribute);
    bool HasTrueAttributeBelow(std::string_view attribute) { return FindTrueAttributeBelow(attribute); }
    CMarkupNode* FindNodeWithAttributeValue(std::string_view attribute, std::string_view value);
    bool AttributeEquals(std::string_view attribute, std::string_view value) const;
    bool NameEquals(std::string_view text) const;
    int CountChildrenOf(std::string_view type);
    CMarkupNode* FindByPath(std::string_view path);
    CMarkupNode* FindByRelativePath(std::string_view path);
    CMarkupNode* FindByPathPrefix(std::string_view path);
    std::string GetPathName() const;

    // ---- attributes ------------------------------------------------------------------------------
    CMarkupString* FindAttribute(std::string_view name);
    const CMarkupString* FindAttribute(std::string_view name) const;
    bool RemoveAttribute(std::string_view name);
    void RemoveAttributeEverywhere(std::string_view name);
    // A new attribute takes the whole sanitised text as value 0 ("NULL" when empty); an existing one
    // takes the pieces of the text split at '~' as values 0 to 3. Setting "Name" or "Type" also sets
    // the node's Name or Type.
    CMarkupString* SetAttribute(std::string_view name, std::string_view text);
    bool SetAttributeValueAt(std::string_view name, long number, int i);
    CMarkupString* SetAttributeInt(std::string_view name, int number);
    CMarkupString* SetAttributeLong(std::string_view name, long number);
    CMarkupString* SetAttributeUInt(std::string_view name, unsigned long number);
    CMarkupString* SetAttributeDouble(std::string_view name, double number);

    // Value 0; false and empty when absent or "NULL". A value beginning with a control character
    // (code below 20) reads as empty.
    bool GetAttribute(std::string_view name, std::string& out) const;
    std::string GetAttribute(std::string_view name) const;
    // "Name" and "Type" give the node's own; any other name gives value i of that attribute.
    bool GetField(std::string_view name, std::string& out, int i = 0) const;
    int GetAttributeInt(std::string_view name) const;
    long GetAttributeLong(std::string_view name) const;
    // False when absent; "FALSE" and "F" are false, every other value true.
    bool GetAttributeBool(std::string_view name) const;
    // Iterate over the attributes (name and value 0); false, leaving the outputs alone, at the end.
    bool FirstAttribute(std::string& name, std::string& value);
    bool NextAttribute(std::string& name, std::string& value);
    const std::vector<std::unique_ptr<CMarkupString>>& Attributes() const { return m_attributes; }

    const std::string& GetName() const { return m_name; }
    const std::string& GetType() const { return m_type; }
    // An empty name becomes "tmpNm<n>", counting up for the life of the process.
    void SetName(std::string_view name);
    void SetType(std::string_view type);

    // ---- fonts -----------------------------------------------------------------------------------
    // `screenDpiY` is the vertical resolution of the screen the heights are measured on.
    void GetLogFont(LogFont& font, int screenDpiY) const;
    void SetLogFont(const LogFont& font);
    void SetDefaultFont(int screenDpiY);

    // ---- text format -----------------------------------------------------------------------------
    // Writes the node, its subtree and its following siblings, indented a level by three blanks.
    bool SaveToFile(const std::filesystem::path& path) const;
    // Appends the compact form of the node, its subtree and its following siblings.
    void SaveToBuffer(std::string& buffer) const;
    void WriteTextToBuffer(std::string& buffer, bool withSiblings, bool indent) const;
    // Fills this node from the text after the first '{' (nothing when there is none).
    int LoadFromBuffer(std::string_view text);
    // The same from a file; -1 when it cannot be read.
    int LoadFromFile(const std::filesystem::path& path);

    // The sanitised form of a text as it is stored in a tree.
    static std::string Sanitise(std::string_view text);

    // Deepest nesting the reader accepts; deeper text is treated as broken.
    static constexpr int kMaxReadDepth = 1000;

private:
    // Creates the attribute with the sanitised text as value 0, or replaces value 0 of an existing one.
    CMarkupString* SetValue0(std::string_view name, std::string_view text);
    void Unlink(CMarkupNode* child);
    void LinkBefore(CMarkupNode* child, CMarkupNode* reference);
    CMarkupNode* FindNextMatching(CMarkupNode*& cursor, bool descend, const auto& matches);
    void WriteNode(std::string& out, bool indent, bool firstIndent, int depth) const;
    template <typename Source>
    int ParseContent(Source& source, int flag, int depth);
    void ParseOwnText(std::string_view text);

    std::string m_name;
    std::string m_type;
    std::vector<std::unique_ptr<CMarkupString>> m_attributes;

    CMarkupNode* m_parent = nullptr;
    CMarkupNode* m_firstChild = nullptr;
    CMarkupNode* m_lastChild = nullptr;
    CMarkupNode* m_nextSibling = nullptr;
    CMarkupNode* m_prevSibling = nullptr;

    CMarkupNode* m_walkCursor = nullptr;
    CMarkupNode* m_childCursor = nullptr;
    bool m_childCursorSet = false;
    CMarkupNode* m_nameSearch = nullptr;
    CMarkupNode* m_typeSearch = nullptr;
    CMarkupNode* m_attributeSearch = nullptr;
    size_t m_attributeCursor = 0;
};
