#include "tree/base/OrderPlacer.h"

#include "tree/base/TreeNode.h"

namespace {
COrderPlacer* g_orderPlacer = nullptr;
}

COrderPlacer* OrderPlacer()
{
    return g_orderPlacer;
}

COrderPlacer* SetOrderPlacer(COrderPlacer* placer)
{
    COrderPlacer* previous = g_orderPlacer;
    g_orderPlacer = placer;
    return previous;
}

bool CanPlaceOrder(CTreeNode& element)
{
    return g_orderPlacer != nullptr && element.IsOrderingNode();
}

bool PlaceOrder(CTreeNode& element)
{
    if (!CanPlaceOrder(element)) {
        return false;
    }
    g_orderPlacer->PlaceOrder(element);
    return true;
}
