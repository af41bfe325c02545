#pragma once
// The elements of a data file's HTML layout ("webDefinition"), for benchmarks that write web pages.

#include "store/markup/MarkupNode.h"

#include <memory>

// Appends a field element showing `field` in the paragraph style `style` ("" for a picture).
inline CMarkupNode* AddFieldElement(CMarkupNode& layout, const char* field, const char* style)
{
    auto* element = layout.AddChild(std::make_unique<CMarkupNode>(field, "element"));
    element->SetAttribute("elementCategory", "FieldElement");
    element->SetAttribute("fieldName", field);
    element->SetAttribute("elementType", style);
    return element;
}

// Appends a label element showing the label of `field`.
inline CMarkupNode* AddLabelElement(CMarkupNode& layout, const char* field)
{
    auto* label = layout.AddChild(std::make_unique<CMarkupNode>("label", "element"));
    label->SetAttribute("elementCategory", "LabelElement");
    label->SetAttribute("labelType", field);
    return label;
}
