#include "tree/base/OrderingNodeFactory.h"

namespace {
COrderingNodeFactory* g_factory = nullptr;
}

COrderingNodeFactory* OrderingNodeFactory()
{
    return g_factory;
}

COrderingNodeFactory* SetOrderingNodeFactory(COrderingNodeFactory* factory)
{
    COrderingNodeFactory* previous = g_factory;
    g_factory = factory;
    return previous;
}
