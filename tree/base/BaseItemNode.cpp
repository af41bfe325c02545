#include "tree/base/BaseItemNode.h"

#include "resources/LoadResString.h"
#include "tree/base/ImageKinds.h"

namespace {
constexpr int kStringMyCatalogues = 33137;
}

CBaseItemNode::CBaseItemNode()
    : CTreeNode(LoadResString(kStringMyCatalogues), image_kind::kRoot, image_kind::kRoot)
{
    RestartSerials();
    SetPageTemplate("baseItem.htm");
}
