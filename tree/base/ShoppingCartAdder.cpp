#include "tree/base/ShoppingCartAdder.h"

namespace {
CShoppingCartAdder* g_cartAdder = nullptr;
}

CShoppingCartAdder* ShoppingCartAdder()
{
    return g_cartAdder;
}

CShoppingCartAdder* SetShoppingCartAdder(CShoppingCartAdder* adder)
{
    CShoppingCartAdder* previous = g_cartAdder;
    g_cartAdder = adder;
    return previous;
}
