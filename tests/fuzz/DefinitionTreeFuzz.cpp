// Data-file definitions read from an arbitrary definition text (a catalogue's "metaData.txt" comes with
// the catalogue file): every data file is loaded, prepared for writing, written and read again, and its
// SQL pieces and searches are built, without reading or writing out of bounds.

#include "store/definitions/DataFileDef.h"
#include "store/markup/MarkupNode.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CMarkupNode tree;
    tree.LoadFromBuffer(std::string(reinterpret_cast<const char*>(data), size));
    for (CMarkupNode* node = tree.GetFirstChild(); node != nullptr; node = node->GetNextSibling()) {
        CDataFileDef definition;
        definition.LoadFromNode(*node, true);
        definition.CountFields();
        (void)definition.BuildRecNameExpression();
        (void)definition.BuildNameFieldList();
        (void)definition.BuildSearchNameExpression();
        (void)definition.IsStrongNameUnmixed();
        (void)definition.FindFieldByInternalName(definition.GetFieldInternalName(0));
        (void)definition.HasGroup(definition.GetFieldGroupName(1));
        (void)definition.GetFieldGroupNumber(2);
        (void)definition.GetDescription();
        for (int i = definition.FirstFieldOfKindE(); i >= 0; i = definition.NextFieldOfKindE()) {
        }
        definition.PrepareForTree();
        const auto written = definition.BuildNode();
        CDataFileDef again;
        again.LoadFromNode(*written, true);
        if (again.GetFileNumber() != definition.GetFileNumber()) {
            std::abort();
        }
    }
    return 0;
}
