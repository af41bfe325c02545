#include "output/WebLayout.h"

#include "platform/text/CaseFold.h"
#include "store/catalogue/CatalogueDb.h"
#include "store/markup/MarkupNode.h"
#include "store/records/WebAddress.h"

#include <optional>

namespace {

using platform::text::EqualsNoCase;

const CMarkupNode* FindWebLayout(const CMarkupNode* node, std::string_view layoutName,
                                 std::string_view dataName)
{
    for (const CMarkupNode* child = node->GetFirstChild(); child != nullptr;
         child = child->GetNextSibling()) {
        if (child->NameEquals(layoutName) && EqualsNoCase(child->GetType(), "webDefinition") &&
            EqualsNoCase(child->GetAttribute("layoutType"), "HTML") &&
            EqualsNoCase(child->GetAttribute("dataName"), dataName)) {
            return child;
        }
        if (const CMarkupNode* found = FindWebLayout(child, layoutName, dataName)) {
            return found;
        }
    }
    return nullptr;
}

bool IsHtmlLayoutOf(const CMarkupNode& node, std::string_view dataName)
{
    return EqualsNoCase(node.GetAttribute("layoutType"), "HTML") &&
           EqualsNoCase(node.GetAttribute("DataName"), dataName);
}

// The first HTML layout of the data file below `node`, depth first; with a name, only one of that name.
const CMarkupNode* FindRecordLayoutNode(const CMarkupNode* node, std::string_view dataName,
                                        std::optional<std::string_view> name)
{
    for (const CMarkupNode* child = node->GetFirstChild(); child != nullptr;
         child = child->GetNextSibling()) {
        if (IsHtmlLayoutOf(*child, dataName) && (!name || child->NameEquals(*name))) {
            return child;
        }
        if (const CMarkupNode* found = FindRecordLayoutNode(child, dataName, name)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace

WebLayoutContext::WebLayoutContext() = default;
WebLayoutContext::~WebLayoutContext() = default;

CMarkupNode* WebLayoutContext::GetLayout() const
{
    return m_workingTree ? m_workingTree->GetFirstChild() : nullptr;
}

void PrepareWebLayout(WebLayoutContext& context, const CMarkupNode* webTemplates, std::string_view layoutName,
                      int dataFileNumber)
{
    context.m_workingTree = std::make_unique<CMarkupNode>("tmp", "tmp");
    context.m_layoutName = std::string(layoutName);

    const CMarkupNode* found = webTemplates != nullptr
                                   ? FindWebLayout(webTemplates, layoutName, std::to_string(dataFileNumber))
                                   : nullptr;
    CMarkupNode* layout =
        found != nullptr
            ? context.m_workingTree->AddChild(CMarkupNode::CopyTree(found))
            : context.m_workingTree->AddChild(std::make_unique<CMarkupNode>(layoutName, "webDefinition"));

    // The designer's field list is not part of the page. It is dropped from the copy only: the
    // catalogue's layout keeps it for the next time the designer opens.
    if (CMarkupNode* fieldList = layout->FindChildByType("FieldList")) {
        layout->DetachChild(fieldList);
    }

    for (int n = 0;; ++n) {
        CMarkupNode* element = layout->FindChildByName(std::to_string(n));
        if (element == nullptr) {
            break;
        }
        element->SetAttribute("recalculate", "TRUE");
        element->SetAttribute("HFONT", "");
    }
}

WriteWebLayoutPage::WriteWebLayoutPage() = default;
WriteWebLayoutPage::~WriteWebLayoutPage() = default;

void WriteWebLayoutPage::Prepare(const CMarkupNode* webTemplates, std::string_view layoutName, int kind)
{
    PrepareWebLayout(m_context, webTemplates, layoutName, kind);
    m_preparedFrom = webTemplates;
    m_recordLayouts.clear();
}

const CMarkupNode* WriteWebLayoutPage::FindRecordLayout(CCatalogueDb& catalogue, int kind)
{
    const std::string dataName = std::to_string(kind);
    const CMarkupNode* templates = catalogue.GetWebTemplates();
    if (const CMarkupNode* prepared = m_context.GetLayout();
        prepared != nullptr && templates == m_preparedFrom && IsHtmlLayoutOf(*prepared, dataName)) {
        return prepared;
    }
    const std::pair<const CCatalogueDb*, int> key{&catalogue, kind};
    if (const auto known = m_recordLayouts.find(key); known != m_recordLayouts.end()) {
        return known->second.get();
    }
    // A copy, so that a change of the catalogue's tree while pages are written cannot pull the layout
    // away under the writer.
    std::unique_ptr<CMarkupNode> copy;
    if (templates != nullptr) {
        const CMarkupNode* layout = FindRecordLayoutNode(templates, dataName, m_context.GetLayoutName());
        if (layout == nullptr) {
            layout = FindRecordLayoutNode(templates, dataName, std::nullopt);
        }
        if (layout != nullptr) {
            copy = CMarkupNode::CopyTree(layout);
        }
    }
    return m_recordLayouts.emplace(key, std::move(copy)).first->second.get();
}

const std::filesystem::path* WriteWebLayoutPage::FindIconFile(const CCatalogueDb& catalogue, int kind,
                                                              bool large,
                                                              const std::filesystem::path& folder) const
{
    const auto found = m_iconFiles.find({&catalogue, kind, large, folder});
    return found != m_iconFiles.end() ? &found->second : nullptr;
}

void WriteWebLayoutPage::KeepIconFile(const CCatalogueDb& catalogue, int kind, bool large,
                                      const std::filesystem::path& folder, std::filesystem::path file)
{
    m_iconFiles[{&catalogue, kind, large, folder}] = std::move(file);
}

const std::string& WriteWebLayoutPage::GetWebSite()
{
    if (!m_webSite) {
        m_webSite = GetProductWebSite();
    }
    return *m_webSite;
}
