#include "tree/catalogue/CatalogueNodeUi.h"

namespace {
CCatalogueNodeUi* g_ui = nullptr;
}

CCatalogueNodeUi* CatalogueNodeUi()
{
    return g_ui;
}

CCatalogueNodeUi* SetCatalogueNodeUi(CCatalogueNodeUi* ui)
{
    CCatalogueNodeUi* previous = g_ui;
    g_ui = ui;
    return previous;
}
