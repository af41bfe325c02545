#pragma once
// The generated pages of the tree's nodes: the layout page on "moving.htm" (every element of an HTML
// layout as a SPAN that carries the element's definition, for the web-view designer) and a record's
// show page on "show.htm". Both go to "webPage.htm" in the HTML folder. Field values, addresses and
// element definitions are escaped; only the layout's own HTML elements are markup.

#include "tree/pages/NodePageWriter.h"

class CNodeWebPages final : public CNodePageWriter
{
public:
    bool WriteLayoutPage(CTreeNode& node, std::string_view layoutName, std::string& message,
                         CMarkupNode** found) override;
    bool WriteShowPage(CTreeNode& node, std::string& message) override;

    // The element counter: program-wide, so SPAN IDs never repeat within one run.
    static int LastElementId();
};

// Installs the program's writer for the tree's nodes (once; later calls do nothing).
void InstallNodeWebPages();
