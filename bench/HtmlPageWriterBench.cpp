// Writing web pages: the element HTML of many records and the page frame around them.

#include "output/HtmlElementWriter.h"
#include "output/HtmlPageWriter.h"
#include "store/markup/MarkupNode.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A record layout as a catalogue would have it: a heading, labels, styled fields and an HTML rule.
std::unique_ptr<CMarkupNode> BuildLayout()
{
    auto layout = std::make_unique<CMarkupNode>("Coins", "webDefinition");
    auto add = [&layout](const char* category, const char* style) {
        auto* element = layout->AddChild(std::make_unique<CMarkupNode>());
        element->SetAttribute("elementCategory", category);
        element->SetAttribute("elementType", style);
        return element;
    };
    add("LabelElement", "Header 2");
    for (int i = 0; i < 6; ++i) {
        add("LabelElement", "Normal")->SetAttribute("bold", "1");
        auto* field = add("FieldElement", i % 2 ? "Normal" : "Strong");
        field->SetAttribute("RGB", "8388608");
        field->SetAttribute("fontDim", "2");
    }
    add("HTMLElement", "")->SetAttribute("value", "<HR>");
    return layout;
}

void WriteRecordElements(benchmark::State& state)
{
    const auto layout = BuildLayout();
    std::vector<const CMarkupNode*> elements;
    for (const CMarkupNode* e = layout->GetFirstChild(); e != nullptr; e = e->GetNextSibling()) {
        elements.push_back(e);
    }
    const std::string value =
        "Denarius of Trajan, Rome mint, 103-111 AD & \"Dacia capta\"\r\nReverse: Dacian";
    std::ostringstream page;
    WriteHtmlPageStart("", page, nullptr, {});
    std::string html;
    for (auto _ : state) {
        for (const CMarkupNode* element : elements) {
            html.clear();
            WriteHtmlElement(html, value, *element);
            page << "<SPAN >" << html << " </SPAN> \r\n";
        }
        page << "<P>";
        if (page.tellp() > (1 << 24)) {
            page.str({});
        }
    }
    WriteHtmlPageEnd(page);
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("items are records of " + std::to_string(elements.size()) + " elements");
}
BENCHMARK(WriteRecordElements);

} // namespace
