#include "output/WebLayout.h"

#include "platform/text/CaseFold.h"
#include "store/MarkupNode.h"

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
